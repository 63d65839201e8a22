#include "app/libretto/elaborazionelibretto.h"

#include "app/configurazione.h"
#include "app/ricerca/ricercapf.h"
#include "app/ricerca/tformricinspf.h"
#include "app/tolleranza/regolatolleranza.h"
#include "componenti/creazione.h"
#include "tabelle/connessione.h"
#include "tabelle/percorsi.h"
#include "tabelle/sessione.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <cmath>
#include <cstring>

namespace tratte {

using namespace tabelle;

namespace {

// A zero-terminated text of a record field, never read past the field.
QString TestoRecord(const char* campo, std::size_t dimensione)
{
    return QString::fromUtf8(campo, qsizetype(strnlen(campo, dimensione)));
}

// A value as "%8.3f" writes it, read back: what the results table stores.
double TreDecimali(double valore) { return QString::asprintf("%8.3f", valore).trimmed().toDouble(); }

QString ConSeparatore(QString cartella)
{
    if (!cartella.endsWith('/') && !cartella.endsWith('\\'))
        cartella += '/';
    return cartella;
}

} // namespace

const QHash<QString, QString>& ProvinceMadri()
{
    static const QHash<QString, QString> madri{{"BI", "VC"}, {"KR", "CZ"}, {"LC", "CO"}, {"LO", "MI"},
                                               {"PO", "FI"}, {"VB", "NO"}, {"VV", "CZ"}, {"RN", "FO"}};
    return madri;
}

bool RisolviConDirectory(borgal::IBorgal& directory, QStringList& valori, const QString& testo, DatiComune& v)
{
    valori.clear();
    const bool trovato = directory.CercaComune(true, false, testo, valori);
    auto valore = [&valori](const QString& nome) {
        for (const QString& riga : std::as_const(valori))
            if (riga.section('=', 0, 0) == nome)
                return riga.section('=', 1);
        return QString();
    };
    v = {valore(QStringLiteral("CodiceCatastale")), valore(QStringLiteral("CodiceFiscale")), valore(QStringLiteral("Provincia")),
         valore(QStringLiteral("NomeComune"))};
    return trovato;
}

TElaborazioneLibretto::TElaborazioneLibretto(gridkit::TNewTable& risultati, gridkit::TNewTable& tabellaTratte,
                                             TNavigazione::Risolutore risolvi)
    : Table1(nullptr, &tabellaTratte.sessione()), PrvTable(nullptr, &tabellaTratte.sessione()), risultati_(risultati),
      tabellaTratte_(tabellaTratte), risolvi_(std::move(risolvi))
{
}

QString TElaborazioneLibretto::CartellaLavoro() const { return tabellaTratte_.sessione().CartellaDi(tabellaTratte_.DatabaseName); }
QString TElaborazioneLibretto::CartellaRisultati() const { return risultati_.sessione().CartellaDi(risultati_.DatabaseName); }

void TElaborazioneLibretto::PreparaTabelle()
{
    // The point list lies beside the archive, where the search joins its pairs.
    Table1.Close();
    Table1.DatabaseName = CartellaLavoro();
    Table1.TableName = TabellaRicerchePF;
    PrvTable.Close();
    PrvTable.DatabaseName = CartellaRisultati();
    PrvTable.TableName = QStringLiteral("Prv.db");
    PrvTable.IndexFieldNames = QStringLiteral("CODEPRV");
}

bool TElaborazioneLibretto::CartellePronte(const gridkit::TNewTable& risultati, const gridkit::TNewTable& tabellaTratte)
{
    const QString cartella = risultati.sessione().CartellaDi(risultati.DatabaseName);
    const QString archivio = tabellaTratte.sessione().CartellaDi(tabellaTratte.DatabaseName);
    return !risultati.DatabaseName.isEmpty() && QFileInfo(cartella).isDir() && !tabellaTratte.DatabaseName.isEmpty()
        && QFileInfo(archivio).isDir();
}

void TElaborazioneLibretto::AzzeraRisultati(gridkit::TNewTable& risultati, gridkit::TNewTable& tabellaTratte)
{
    risultati.Close();
    risultati.Svuota();
    risultati.Riapri();
    tabellaTratte.Close();
    tabellaTratte.CancellaFiltri();
    if (!tabellaTratte.Condizioni.isEmpty()) {
        tabellaTratte.Condizioni.clear();
        tabellaTratte.TabelleAggiuntive.clear();
    }
    tabellaTratte.Riapri();
}

QString TElaborazioneLibretto::PercorsoPregeo() { return ConSeparatore(LeggiPercorsoPregeo()); }

QStringList TElaborazioneLibretto::FileLibretti(const QString& cartella)
{
    return QDir(cartella).entryList({QStringLiteral("*.out")}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
}

QStringList TElaborazioneLibretto::ElencoLibretti(const QString& cartella, const QStringList& file)
{
    QStringList libretti;
    if (file.isEmpty())
        return libretti;
    auto manager = componenti::CreateComObject<pregeo::IVTRPregeoManager>(pregeo::CLSID_VTRPregeoManager,
                                                                          pregeo::IID_IVTRPregeoManager);
    for (const QString& nome : file) {
        const QByteArray percorso = (ConSeparatore(cartella) + nome).toUtf8();
        if (std::size_t(percorso.size()) >= pregeo::DimensioneBufferNome)
            continue;
        std::memcpy(manager->BufferNomeLibretto(), percorso.constData(), std::size_t(percorso.size()) + 1);
        if (manager->LibrettoValido() == 1)
            libretti << QFileInfo(nome).completeBaseName();
    }
    return libretti;
}

bool TElaborazioneLibretto::RisolviComune(const QString& testo)
{
    // One lookup per text for the whole book.
    auto trovato = risolti_.constFind(testo);
    if (trovato == risolti_.constEnd()) {
        DatiComune valori;
        const bool esito = risolvi_ && risolvi_(testo, valori);
        trovato = risolti_.insert(testo, {esito, valori});
    }
    Valori = trovato->second;
    return trovato->first;
}

void TElaborazioneLibretto::LeggiProvince()
{
    province_.clear();
    const int n = PrvTable.RecordCount();
    const int campo = PrvTable.FieldByName(QStringLiteral("CODEPRV"))->Index();
    for (int r = 0; r < n; ++r)
        province_.insert(PrvTable.ValoreRiga(r, campo).toString().toUpper());
}

bool TElaborazioneLibretto::ProvinciaCaricata(const QString& codice)
{
    RisolviComune(codice);
    if (!Valori.Provincia.isEmpty() && province_.contains(Valori.Provincia.toUpper()))
        return true;
    return ProvinciaMadreCaricata(Valori.Provincia);
}

bool TElaborazioneLibretto::ProvinciaMadreCaricata(const QString& provincia) const
{
    const auto madre = ProvinceMadri().constFind(provincia.toUpper());
    return madre != ProvinceMadri().constEnd() && province_.contains(*madre);
}

int TElaborazioneLibretto::ElaboraLibretto(const QString& percorso)
{
    PreparaTabelle();
    Esito = EsitoNessuno;
    ErroreLibretto.clear();
    risolti_.clear();
    auto manager = componenti::CreateComObject<pregeo::IVTRPregeoManager>(pregeo::CLSID_VTRPregeoManager,
                                                                          pregeo::IID_IVTRPregeoManager);
    if (!QFileInfo::exists(RisolviPercorso(QDir(CartellaRisultati()).filePath(QStringLiteral("Prv.db"))))) {
        Esito = EsitoArchivioVuoto;
        return 2;
    }
    PrvTable.Open();
    const auto chiudi = qScopeGuard([this] { PrvTable.Close(); });
    LeggiProvince();
    pregeo::ListaPunti punti;
    if (Fase)
        Fase(FaseLettura);

    const QByteArray nome = percorso.toUtf8();
    DistanzeLibretto.clear();
    if (std::size_t(nome.size()) >= pregeo::DimensioneBufferNome) {
        ErroreLibretto = QStringLiteral("Il percorso del libretto è troppo lungo: %1").arg(percorso);
        Esito = EsitoNessunaCorrispondenza;
        return 2;
    }
    std::memcpy(manager->BufferNomeLibretto(), nome.constData(), std::size_t(nome.size()) + 1);
    if (!manager->LeggiPuntiFiduciali(punti)) {
        ErroreLibretto = manager->UltimoErrore();
        Esito = EsitoNessunaCorrispondenza;
        return 2;
    }
    manager->LeggiDistanze(0, DistanzeLibretto, 1);

    // The points of loaded provinces, each once.
    Table1.Close();
    Table1.Exclusive = true;
    Table1.Open();
    {
        PuntoDiRipristino lista(Table1.sessione().connessione());
        Table1.EmptyTable();
        QList<PuntoFiduciale> scritti;
        for (const auto& record : punti) {
            if (!record)
                continue;
            const QString comune = TestoRecord(record->Comune, sizeof record->Comune);
            QString codice = comune.left(4);
            if (TFormRicInsPF::IsCodice(codice)) {
                RisolviComune(codice);
                codice = Valori.CodiceFiscale;
            }
            if (!ProvinciaCaricata(codice))
                continue;
            bool foglioOk = false, numeroOk = false;
            PuntoFiduciale p;
            p.Comune = codice;
            p.Sezione = comune.size() == 5 ? comune.mid(4, 1) : QString();
            p.Foglio = TestoRecord(record->Foglio, sizeof record->Foglio).toInt(&foglioOk);
            p.Allegato = record->Allegato == '0' || record->Allegato == '\0' ? QString() : QString(QChar::fromLatin1(record->Allegato));
            p.PF = TestoRecord(record->Numero, sizeof record->Numero).toInt(&numeroOk);
            if (!foglioOk || !numeroOk || p.Foglio < 0 || p.PF < 0 || scritti.contains(p))
                continue;
            scritti << p;
            Table1.Append();
            TRicercaPF::ScriviPunto(Table1, p);
            Table1.Post();
        }
        lista.Conferma();
    }

    PreparaRicerca();
    if (Fase)
        Fase(FaseRicerca);
    bool trovate = false;
    {
        tabellaTratte_.DisableControls();
        const auto riabilita = qScopeGuard([this] { tabellaTratte_.EnableControls(); });
        trovate = CercaTratte();
    }
    if (!trovate)
        return 2;
    if (Fase)
        Fase(FaseScrittura);
    return ScriviRisultati() ? 1 : 2;
}

void TElaborazioneLibretto::SvuotaPunti()
{
    Table1.Close();
    if (Table1.TableName.isEmpty() || !QFileInfo::exists(RisolviPercorso(QDir(Table1.DatabaseName).filePath(Table1.TableName))))
        return;
    Table1.Open();
    Table1.EmptyTable();
    Table1.Close();
}

void TElaborazioneLibretto::PreparaRicerca()
{
    NumeroPF = 0;
    CondizioniPF.clear();
    if (Table1.RecordCount() == 0)
        return;
    TRicercaPF::CreaCombinazioni(Table1.sessione(), Table1.DatabaseName);
    NumeroPF = Table1.RecordCount();
    if (NumeroPF == 1)
        CondizioniPF = TRicercaPF::CondizioniUnPunto(TRicercaPF::Punti(Table1).front());
}

bool TElaborazioneLibretto::CercaTratte()
{
    // Every live row of the archive: the search opened them just before
    // the book list (AzzeraRisultati), and a table so open is not run again.
    if (!tabellaTratte_.Active() || !tabellaTratte_.Condizioni.isEmpty() || !tabellaTratte_.TabelleAggiuntive.isEmpty()
        || !tabellaTratte_.Filtri.isEmpty()) {
        tabellaTratte_.Close();
        tabellaTratte_.Riapri();
    }
    if (tabellaTratte_.RecordCount() == 0) {
        Esito = EsitoArchivioVuoto;
        return false;
    }
    // No point left: the search of the single empty comune, which finds nothing.
    if (NumeroPF == 0) {
        Esito = EsitoNessunaCorrispondenza;
        return false;
    }
    if (NumeroPF == 1) {
        TRicercaPF::ImpostaRicercaUnPunto(tabellaTratte_, CondizioniPF);
        CondizioniPF.clear();
    } else {
        TRicercaPF::ImpostaRicercaPiuPunti(tabellaTratte_, TRicercaPF::Punti(Table1));
    }
    tabellaTratte_.Riapri();
    if (tabellaTratte_.RecordCount() > 0)
        return true;
    Esito = EsitoNessunaCorrispondenza;
    return false;
}

QString TElaborazioneLibretto::EtichettaPF(qint64 pf, qint64 foglio, const QString& allegato, const QString& comune)
{
    QString numero = QString::number(pf);
    if (numero.size() == 1)
        numero.prepend('0');
    QString parteFoglio = QString::number(foglio) + (allegato.isEmpty() ? QStringLiteral("0") : allegato);
    if (parteFoglio.size() == 2)
        parteFoglio.prepend(QStringLiteral("00"));
    else if (parteFoglio.size() == 3)
        parteFoglio.prepend('0');
    return QStringLiteral("PF") + numero + '/' + parteFoglio + '/' + comune;
}

QString TElaborazioneLibretto::EsitoTolleranza(double differenza, double distanza, int zona)
{
    const TRegolaTolleranza regola(ZonaDaIndice(zona).value_or(ZonaRilievo::Urbana));
    return TRegolaTolleranza::TestoEsito(regola.InTolleranza(distanza, differenza)) + ' '
        + QString::asprintf("%1.3f", regola.Mostrata(distanza));
}

bool TElaborazioneLibretto::ScriviRisultati()
{
    std::unique_ptr<TTable> scrivibile = risultati_.GetLiveTable();
    if (!scrivibile)
        return false;
    // The earlier results and the new ones change in one transaction: a
    // search cut short leaves the earlier ones whole.
    PuntoDiRipristino tutte(scrivibile->sessione().connessione());
    scrivibile->CancelRange();
    // The first record of each pair label.
    QHash<QString, int> etichette;
    for (int i = 0; i < int(DistanzeLibretto.size()); ++i)
        if (DistanzeLibretto[size_t(i)])
            etichette.insert(TestoRecord(DistanzeLibretto[size_t(i)]->CoppiaPF, sizeof DistanzeLibretto[size_t(i)]->CoppiaPF), i);
    auto indice = [this](const char* nome) { return tabellaTratte_.FieldByName(QLatin1String(nome))->Index(); };
    const int pf1 = indice("PF1"), foglio1 = indice("FoglioPF1"), allegato1 = indice("AllegatoPF1"), comune1 = indice("ComunePF1");
    const int pf2 = indice("PF2"), foglio2 = indice("FoglioPF2"), allegato2 = indice("AllegatoPF2"), comune2 = indice("ComunePF2");
    const int distanza = indice("Distanza"), protocollo = indice("Protocollo");
    TField* coppia = scrivibile->FieldByName(QStringLiteral("CoppiaPF"));
    TField* attuale = scrivibile->FieldByName(QStringLiteral("TrattaAttuale"));
    TField* archiviata = scrivibile->FieldByName(QStringLiteral("TrattaInArchivio"));
    TField* differenza = scrivibile->FieldByName(QStringLiteral("Differenza"));
    TField* sqm = scrivibile->FieldByName(QStringLiteral("ScartoQMedio"));
    TField* protocolloRisultato = scrivibile->FieldByName(QStringLiteral("Protocollo"));
    TField* esiti[3] = {scrivibile->FieldByName(QStringLiteral("Urbane")), scrivibile->FieldByName(QStringLiteral("Extraurbane")),
                        scrivibile->FieldByName(QStringLiteral("Sfavorevoli"))};

    const int n = tabellaTratte_.RecordCount();
    for (int r = 0; r < n; ++r) {
        auto valore = [&](int campo) { return tabellaTratte_.ValoreRiga(r, campo); };
        const QString etichetta1 = EtichettaPF(valore(pf1).toLongLong(), valore(foglio1).toLongLong(), valore(allegato1).toString(),
                                               valore(comune1).toString());
        const QString etichetta2 = EtichettaPF(valore(pf2).toLongLong(), valore(foglio2).toLongLong(), valore(allegato2).toString(),
                                               valore(comune2).toString());
        const int diretta = etichette.value(etichetta1 + ' ' + etichetta2, INT_MAX);
        const int inversa = etichette.value(etichetta2 + ' ' + etichetta1, INT_MAX);
        const int trovata = std::min(diretta, inversa);
        const pregeo::TRecordDistanza* libretto = trovata == INT_MAX ? nullptr : DistanzeLibretto[size_t(trovata)].get();
        scrivibile->Append();
        const double inArchivio = TreDecimali(valore(distanza).toDouble());
        archiviata->SetAsFloat(inArchivio);
        if (libretto && std::isfinite(libretto->Distanza)) {
            const double misurata = TreDecimali(libretto->Distanza);
            const double scarto = TreDecimali(std::fabs(misurata - inArchivio));
            attuale->SetAsFloat(misurata);
            differenza->SetAsFloat(scarto);
            for (int zona = 0; zona < 3; ++zona)
                esiti[zona]->SetAsString(EsitoTolleranza(scarto, misurata, zona));
            coppia->SetAsString(TestoRecord(libretto->CoppiaPF, sizeof libretto->CoppiaPF));
            if (std::isfinite(libretto->ScartoQMedio))
                sqm->SetAsFloat(TreDecimali(libretto->ScartoQMedio));
        } else {
            // No measurement of the book for this pair: nothing that would read as one.
            coppia->SetAsString(etichetta1 + ' ' + etichetta2);
        }
        const QString testoProtocollo = valore(protocollo).toString();
        if (!testoProtocollo.isEmpty())
            protocolloRisultato->SetAsString(testoProtocollo);
        scrivibile->Post();
    }
    tutte.Conferma();
    scrivibile.reset();
    risultati_.Riapri();
    return true;
}

} // namespace tratte
