#include "app/caricamento/caricamento.h"

#include "app/caricamento/filedis.h"
#include "messaggi/messaggi.h"
#include "tabelle/connessione.h"
#include "tabelle/errore.h"
#include "tabelle/percorsi.h"
#include "tabelle/query.h"
#include "tabelle/scrittura.h"
#include "tabelle/statistiche.h"
#include "tabelle/tabella.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>

namespace tratte {

using namespace tabelle;
using messaggi::Icona;
using messaggi::Pulsanti;

namespace {

// The write table's columns, in the order a line gives them.
const QStringList ColonneScrittura = {"ComunePF1", "SezionePF1", "FoglioPF1", "AllegatoPF1", "PF1",
                                      "ComunePF2", "SezionePF2", "FoglioPF2", "AllegatoPF2", "PF2",
                                      "Protocollo", "Distanza", "ScartoQMedio", "Provincia"};

void LegaIntero(AccodamentoRighe& t, int colonna, const std::optional<qint64>& v)
{
    if (v)
        t.Intero(colonna, *v);
    else
        t.Nullo(colonna);
}

void LegaReale(AccodamentoRighe& t, int colonna, const std::optional<double>& v)
{
    if (v)
        t.Reale(colonna, *v);
    else
        t.Nullo(colonna);
}

QByteArrayView Rifilato(const RigaDis::Testo& t)
{
    int n = t.lunghezza;
    while (n > 0 && t.dati[n - 1] == ' ')
        --n;
    return QByteArrayView(t.dati, n);
}

} // namespace

QString DataCorrenteDistribuzione() { return QDate::currentDate().toString(QStringLiteral("yy")) + SeparatoreData() + QDate::currentDate().toString(QStringLiteral("MM")); }

TCaricamentoProvincia::TCaricamentoProvincia(TArchivioDati& archivio, Interfaccia interfaccia)
    : archivio_(archivio), interfaccia_(std::move(interfaccia))
{
}

TCaricamentoProvincia::~TCaricamentoProvincia() { Annulla(); }

QString TCaricamentoProvincia::PercorsoTratte() const { return PercorsoTabella(archivio_.CartellaDati(), QStringLiteral("Tratte.DB")); }
QString TCaricamentoProvincia::PercorsoPrv() const { return PercorsoTabella(archivio_.CartellaDati(), QStringLiteral("PRV.DB")); }

void TCaricamentoProvincia::CreaTabelleMancanti()
{
    if (!QFileInfo::exists(PercorsoTratte()))
        archivio_.CreaTabellaTratte();
    if (!QFileInfo::exists(PercorsoPrv()))
        archivio_.CreaTabellaPrv(archivio_.CartellaDati());
}

QString TCaricamentoProvincia::LeggiNomeProvincia(const QString& codice)
{
    if (archivio_.CartellaArchivioComuni.isEmpty() || !QFileInfo::exists(PercorsoTabella(archivio_.CartellaArchivioComuni, "Province.db")))
        return QString();
    TQuery Query2(nullptr, &archivio_.sessione());
    Query2.DatabaseName = archivio_.CartellaArchivioComuni;
    Query2.SQL << QStringLiteral("Select * from \"Province.db\"  pr") << QStringLiteral("Where pr.\"SIGLA\" =:pattern");
    Query2.ParamByName(QStringLiteral("pattern")).SetAsString(codice);
    Query2.Open();
    return Query2.Eof() ? QString() : Query2.FieldByName(QStringLiteral("PROVINCIA"))->AsString();
}

bool TCaricamentoProvincia::PreparaProvincia(const QString& codice)
{
    Annulla();
    CodiceProvincia = codice;
    UltimoComune.clear();
    RigheCaricate = 0;
    RigheEliminate = 0;
    CreaTabelleMancanti();
    // What the load reads and writes is attached before the transaction
    // begins: no table can be attached inside it.
    // A code that Province.db lacks is named by itself, so that the lists
    // can show it and the delete dialog find it.
    NomeProvincia = LeggiNomeProvincia(codice);
    if (NomeProvincia.isEmpty())
        NomeProvincia = codice;
    usoTratte_ = std::make_unique<UsoTabella>(archivio_.sessione().connessione(), PercorsoTratte(), false);
    usoPrv_ = std::make_unique<UsoTabella>(archivio_.sessione().connessione(), PercorsoPrv(), false);
    TableScrivi = std::make_unique<AccodamentoRighe>(archivio_.sessione(), PercorsoTratte(), ColonneScrittura);
    transazione_ = std::make_unique<PuntoDiRipristino>(archivio_.sessione().connessione());
    try {
        if (!VerificaSostituzione(codice)) {
            Annulla();
            return false;
        }
        RegistraProvincia(codice);
    } catch (...) {
        Annulla();
        throw;
    }
    return true;
}

bool TCaricamentoProvincia::VerificaSostituzione(const QString& codice)
{
    TTable prv(nullptr, &archivio_.sessione());
    prv.TableName = PercorsoPrv();
    prv.Open();
    if (!prv.FindKey({codice}))
        return true;
    const QString DataPrecedente = prv.FieldByName(QStringLiteral("DATA"))->AsString();
    prv.Close();
    const QString domanda = !DataDistribuzione.isEmpty() && !DataPrecedente.isEmpty()
                                ? QStringLiteral("Data corrente installazione ") + DataPrecedente + QStringLiteral(". Sostituire con data ") +
                                      DataDistribuzione + QStringLiteral(" ?")
                                : QStringLiteral("Sostituire i vecchi dati con i nuovi?");
    if (!interfaccia_.ConfermaSostituzione || !interfaccia_.ConfermaSostituzione(domanda))
        return false;
    EliminaProvincia(codice);
    return true;
}

void TCaricamentoProvincia::RegistraProvincia(const QString& codice)
{
    TTable prv(nullptr, &archivio_.sessione());
    prv.TableName = PercorsoPrv();
    prv.Open();
    if (prv.FindKey({codice}))
        return;
    prv.Append();
    prv.FieldByName(QStringLiteral("CODEPRV"))->SetAsString(codice);
    prv.FieldByName(QStringLiteral("PROVINCIA"))->SetAsString(NomeProvincia);
    prv.FieldByName(QStringLiteral("DATA"))->SetAsString(DataDistribuzione.isEmpty() ? DataCorrenteDistribuzione() : DataDistribuzione);
    prv.Post();
}

void TCaricamentoProvincia::LeggiFileDis(const QString& percorso)
{
    if (!InCorso())
        throw EErroreFileDis(QStringLiteral("Nessun caricamento in corso."));
    try {
        LettoreDis lettore(percorso);
        const QString nome = lettore.NomeFile();
        const QByteArray provincia = CodiceProvincia.toLatin1();
        QByteArrayView riga;
        RigaDis campi;
        QByteArray ultimo = UltimoComune.toUtf8();
        while (lettore.Prossima(riga)) {
            ConvertiRigaDis(riga, campi, nome, lettore.NumeroRiga());
            AccodamentoRighe& t = *TableScrivi;
            t.Testo(0, campi.ComunePF1.dati, campi.ComunePF1.lunghezza);
            t.Testo(1, campi.SezionePF1.dati, campi.SezionePF1.lunghezza);
            LegaIntero(t, 2, campi.FoglioPF1);
            t.Testo(3, campi.AllegatoPF1.dati, campi.AllegatoPF1.lunghezza);
            LegaIntero(t, 4, campi.PF1);
            t.Testo(5, campi.ComunePF2.dati, campi.ComunePF2.lunghezza);
            t.Testo(6, campi.SezionePF2.dati, campi.SezionePF2.lunghezza);
            LegaIntero(t, 7, campi.FoglioPF2);
            t.Testo(8, campi.AllegatoPF2.dati, campi.AllegatoPF2.lunghezza);
            LegaIntero(t, 9, campi.PF2);
            t.Testo(10, campi.Protocollo.dati, campi.Protocollo.lunghezza);
            LegaReale(t, 11, campi.Distanza);
            LegaReale(t, 12, campi.ScartoQMedio);
            t.Testo(13, provincia.constData(), int(provincia.size()));
            try {
                t.Scrivi();
            } catch (const EDBEngineError& e) {
                throw EErroreFileDis(QStringLiteral("Errore nel file \"%1\", riga %2: %3").arg(nome).arg(lettore.NumeroRiga()).arg(e.messaggio()));
            }
            ++RigheCaricate;
            const QByteArrayView comune = Rifilato(campi.ComunePF1);
            if (comune != QByteArrayView(ultimo)) {
                ultimo = comune.toByteArray();
                UltimoComune = QString::fromUtf8(ultimo);
                if (interfaccia_.MostraComune)
                    interfaccia_.MostraComune(UltimoComune);
            }
            if (interfaccia_.RigaLetta)
                interfaccia_.RigaLetta(lettore.NumeroRiga());
        }
    } catch (...) {
        Annulla();
        throw;
    }
}

void TCaricamentoProvincia::Conferma()
{
    if (!transazione_)
        return;
    TableScrivi.reset();
    try {
        CorreggiStatistiche(archivio_.sessione(), PercorsoTratte(), RigheCaricate - RigheEliminate);
        transazione_->Conferma();
    } catch (...) {
        Annulla();
        throw;
    }
    transazione_.reset();
    usoPrv_.reset();
    usoTratte_.reset();
}

void TCaricamentoProvincia::Annulla()
{
    TableScrivi.reset();
    transazione_.reset();
    usoPrv_.reset();
    usoTratte_.reset();
}

QStringList TCaricamentoProvincia::FileDis(const QString& cartella)
{
    QDir dir(cartella);
    dir.setNameFilters({QStringLiteral("*.dis")});
    dir.setFilter(QDir::Files | QDir::Hidden | QDir::System);
    dir.setSorting(QDir::Name | QDir::IgnoreCase);
    return dir.entryList();
}

TCaricamentoProvincia::Esito TCaricamentoProvincia::CaricaDaCartella(const QString& cartella)
{
    if (cartella.trimmed().isEmpty()) {
        messaggi::MessageBox(nullptr, QStringLiteral("Specificare il percorso del file dati da caricare"), QStringLiteral("Avviso"),
                             Pulsanti::Ok, Icona::Avviso);
        return Esito::Interrotto;
    }
    if (!QFileInfo(cartella).isDir()) {
        QApplication::beep();
        messaggi::MessageBox(nullptr, QStringLiteral("Percorso non valido!"), QStringLiteral("AVVISO"), Pulsanti::Ok, Icona::Informazione);
        return Esito::Interrotto;
    }
    const QStringList elenco = FileDis(cartella);
    if (elenco.isEmpty()) {
        messaggi::MessageBox(nullptr, QStringLiteral("La directory specificata non contiene file di Tratte"), QStringLiteral("Errore"),
                             Pulsanti::Ok, Icona::Errore);
        return Esito::Interrotto;
    }
    const QDir dir(cartella);
    QString codice;
    int numero = 0;
    LeggiNomeFile(elenco.front(), codice, numero, DataDistribuzione);
    if (!PreparaProvincia(codice))
        return Esito::Rifiutato;
    // Any error undoes the whole series.
    auto annulla = qScopeGuard([this] { Annulla(); });
    for (int i = 0; i < elenco.size(); ++i) {
        if (i > 0) {
            QString data;
            if (!LeggiNomeFile(elenco[i], codice, numero, data)) {
                messaggi::MessageBox(nullptr,
                                     QStringLiteral("Il prossimo file si riferisce ad una provincia diversa\r\n"
                                                    "da quella che si sta attualmente caricando.\r\n"
                                                    "Se si desidera, si potrà caricare un'altra provincia\r\n"
                                                    "al termine dell'aggiornamento corrente."),
                                     QStringLiteral("Avviso"), Pulsanti::Ok, Icona::Avviso);
                break;
            }
        }
        const QString percorso = dir.filePath(elenco[i]);
        if (interfaccia_.InizioFile)
            interfaccia_.InizioFile(elenco[i], QFileInfo(percorso).size(), numero);
        LeggiFileDis(percorso);
    }
    Conferma();
    annulla.dismiss();
    return Esito::Completato;
}

bool TCaricamentoProvincia::AltreProvince(const QString& codice)
{
    TQuery q(nullptr, &archivio_.sessione());
    q.DatabaseName = archivio_.CartellaDati();
    q.SQL << QStringLiteral("Select CODEPRV from \"PRV.DB\" Where CODEPRV <> :codice");
    q.ParamByName(QStringLiteral("codice")).SetAsString(codice);
    q.Open();
    return !q.Eof();
}

bool TCaricamentoProvincia::EliminaProvincia(const QString& codice)
{
    Connessione& c = archivio_.sessione().connessione();
    // Both files attached before the deletion's own transaction begins.
    UsoTabella tratte(c, PercorsoTratte(), false);
    UsoTabella prvUso(c, PercorsoPrv(), false);
    const bool mirata = AltreProvince(codice);
    TTable prv(nullptr, &archivio_.sessione());
    prv.TableName = PercorsoPrv();
    prv.Open();
    PuntoDiRipristino insieme(c);
    if (interfaccia_.Cancellazione)
        interfaccia_.Cancellazione(mirata, false);
    // The front end hears of the end on every way out.
    const auto fine = qScopeGuard([&] {
        if (interfaccia_.Cancellazione)
            interfaccia_.Cancellazione(mirata, true);
    });
    TQuery canc(nullptr, &archivio_.sessione());
    canc.DatabaseName = archivio_.CartellaDati();
    if (mirata)
        canc.SQL << QStringLiteral("Delete from \"Tratte.DB\" dati") << QStringLiteral("Where \"dati\".\"Provincia\" = :codice ");
    else
        canc.SQL << QStringLiteral("Delete From \"Tratte.DB\" Where ID_001_TABLE > 1");
    if (mirata)
        canc.ParamByName(QStringLiteral("codice")).SetAsString(codice);
    canc.ExecSQL();
    RigheEliminate += canc.RowsAffected();
    const bool trovata = prv.FindKey({codice});
    if (trovata)
        prv.Delete();
    // Inside a load the figures are refreshed once, when it is confirmed.
    if (!InCorso())
        CorreggiStatistiche(archivio_.sessione(), PercorsoTratte(), -canc.RowsAffected());
    insieme.Conferma();
    return trovata;
}

} // namespace tratte
