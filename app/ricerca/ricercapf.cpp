#include "app/ricerca/ricercapf.h"

#include "app/archiviodati.h"
#include "tabelle/connessione.h"
#include "tabelle/errore.h"
#include "tabelle/percorsi.h"
#include "tabelle/statistiche.h"

#include <QDir>
#include <QFileInfo>
#include <functional>

namespace tratte {

using namespace tabelle;

namespace {

// The five lines that select one end (1 or 2) of a distance.
QStringList CondizioniEstremo(const PuntoFiduciale& p, const QString& n)
{
    QStringList righe;
    righe << " ComunePF" + n + "=" + TRicercaPF::Letterale(p.Comune);
    righe << (p.Sezione.isEmpty() ? " AND   (SezionePF" + n + " is Null)"
                                  : " AND   (SezionePF" + n + "=" + TRicercaPF::Letterale(p.Sezione) + ") ");
    righe << " AND   FoglioPF" + n + "=" + QString::number(p.Foglio);
    righe << (p.Allegato.isEmpty() ? " AND   (AllegatoPF" + n + " is Null)"
                                   : " AND   (AllegatoPF" + n + "=" + TRicercaPF::Letterale(p.Allegato) + ") ");
    righe << " AND   PF" + n + "=" + QString::number(p.PF);
    return righe;
}

void ImpostaTesto(TField* campo, const QString& valore)
{
    if (valore.isEmpty())
        campo->Clear();
    else
        campo->SetAsString(valore);
}

bool Intero(const QString& testo, int& valore)
{
    bool ok = false;
    const int v = testo.trimmed().toInt(&ok);
    if (!ok || v < 0 || testo.trimmed().startsWith('+'))
        return false;
    valore = v;
    return true;
}

} // namespace

QString TRicercaPF::Letterale(const QString& valore) { return "'" + QString(valore).replace("'", "''") + "'"; }

QStringList TRicercaPF::CondizioniUnPunto(const PuntoFiduciale& punto)
{
    QStringList righe{" (( "};
    righe << CondizioniEstremo(punto, "1");
    righe << " ) " << " OR " << " ( ";
    righe << CondizioniEstremo(punto, "2");
    righe << " )) ";
    return righe;
}

QStringList TRicercaPF::CondizioniPiuPunti(const QList<PuntoFiduciale>& punti)
{
    QStringList righe;
    if (punti.isEmpty())
        return righe;
    // The quote opens the literal: the first line reads " (ComunePF1 = 'X'".
    righe << " (ComunePF1 = " + Letterale(punti.front().Comune);
    for (qsizetype i = 1; i < punti.size(); ++i)
        righe << " or ComunePF1 = " + Letterale(punti[i].Comune);
    righe << ")";
    righe << " AND ComunePF1=C.Comune1 "
          << " AND ((SezionePF1=C.Sezione1) OR ((SezionePF1 Is Null) And (Sezione1 Is Null)) ) "
          << " AND FoglioPF1=C.Foglio1 "
          << " AND ((AllegatoPF1=C.Allegato1) OR ((AllegatoPF1 Is Null) And (Allegato1 Is Null)) ) "
          << " AND PF1=C.Fiduciale1 "
          << " AND ComunePF2=C.Comune2 "
          << " AND ((SezionePF2=C.Sezione2) OR ((SezionePF2 Is Null) And (Sezione2 Is Null)) ) "
          << " AND FoglioPF2=C.Foglio2 "
          << " AND ((AllegatoPF2=C.Allegato2) OR ((AllegatoPF2 Is Null) And (Allegato2 Is Null)) ) "
          << " AND PF2=C.Fiduciale2 ";
    return righe;
}

std::optional<PuntoFiduciale> TRicercaPF::LeggiPunto(const QString& testo)
{
    const QStringList parti = testo.split(',');
    if (parti.size() != 5)
        return std::nullopt;
    PuntoFiduciale p;
    p.Comune = parti[0].trimmed().toUpper();
    p.Sezione = parti[1].trimmed().toUpper();
    p.Allegato = parti[3].trimmed().toUpper();
    if (p.Comune.isEmpty() || p.Comune.size() > 4 || p.Sezione.size() > 1 || p.Allegato.size() > 1)
        return std::nullopt;
    if (!Intero(parti[2], p.Foglio) || !Intero(parti[4], p.PF))
        return std::nullopt;
    return p;
}

QList<PuntoFiduciale> TRicercaPF::Punti(TTable& ricerche)
{
    QList<PuntoFiduciale> punti;
    const int n = ricerche.RecordCount();
    const int comune = ricerche.FieldByName("Comune")->Index(), sezione = ricerche.FieldByName("Sezione")->Index(),
              foglio = ricerche.FieldByName("Foglio")->Index(), allegato = ricerche.FieldByName("Allegato")->Index(),
              pf = ricerche.FieldByName("PF")->Index();
    for (int r = 0; r < n; ++r)
        punti << PuntoFiduciale{ricerche.ValoreRiga(r, comune).toString(), ricerche.ValoreRiga(r, sezione).toString(),
                                ricerche.ValoreRiga(r, foglio).toInt(), ricerche.ValoreRiga(r, allegato).toString(),
                                ricerche.ValoreRiga(r, pf).toInt()};
    return punti;
}

void TRicercaPF::ScriviPunto(TDataSet& tabella, const PuntoFiduciale& punto)
{
    ImpostaTesto(tabella.FieldByName("Comune"), punto.Comune);
    ImpostaTesto(tabella.FieldByName("Sezione"), punto.Sezione);
    tabella.FieldByName("Foglio")->SetAsInteger(punto.Foglio);
    ImpostaTesto(tabella.FieldByName("Allegato"), punto.Allegato);
    tabella.FieldByName("PF")->SetAsInteger(punto.PF);
}

namespace {

// Writes the pairs into the schema it is given; returns how many.
using Riempimento = std::function<int(Connessione&, const QString&)>;

// Empties Combinazioni.db at `percorso` and lets `riempi` write the new
// pairs into its schema, all in one transaction; returns the number of
// pairs.
int ScriviCoppie(TSession& sessione, const QString& percorso, const Riempimento& riempi)
{
    Connessione& c = sessione.connessione();
    UsoTabella coppie(c, percorso, true);
    // The pairs are made anew before every search and hold nothing else: the
    // write does not wait for the disk (it did, three times, a tenth of a
    // search). A process that dies in the middle still leaves its journal,
    // which the next open rolls back; a file a power cut leaves damaged is
    // made anew by RiscriviCoppie.
    c.Esegui(QStringLiteral("PRAGMA %1.synchronous = OFF").arg(coppie.schema()));
    PuntoDiRipristino tutte(c);
    c.Esegui(QStringLiteral("DELETE FROM %1.dati").arg(coppie.schema()));
    const int numero = riempi(c, coppie.schema());
    // With the pairs counted, a search reads the pairs first and looks each
    // one up in the archive's index, instead of reading the listed comuni.
    AggiornaStatisticheSeMancano(sessione, percorso);
    tutte.Conferma();
    return numero;
}

// ScriviCoppie on the Combinazioni.db of `database`. A file that cannot be
// written (damaged, or not this table at all) is made anew, empty, and
// written once more; one in use, on a full disk or in a folder that cannot
// be written cannot be made anew either, and then the first error stands.
int RiscriviCoppie(TSession& sessione, const QString& database, const Riempimento& riempi)
{
    const QString cartella = sessione.CartellaDi(database);
    const QString percorso = PercorsoTabella(cartella, TabellaCombinazioni);
    try {
        return ScriviCoppie(sessione, percorso, riempi);
    } catch (const EDBEngineError&) {
        bool rifatta = false;
        try {
            sessione.connessione().Stacca(percorso);
            TRicercaPF::CreaTabellaCombinazioni(sessione, cartella);
            rifatta = true;
        } catch (const std::exception&) {
        }
        if (!rifatta)
            throw;
    }
    return ScriviCoppie(sessione, percorso, riempi);
}

const QString ColonneCoppie = QStringLiteral("Comune1, Sezione1, Allegato1, Foglio1, Fiduciale1, "
                                             "Comune2, Sezione2, Allegato2, Foglio2, Fiduciale2");

} // namespace

int TRicercaPF::CreaCombinazioni(TSession& sessione, const QString& database)
{
    // Made by the engine in one statement: every ordered pair of two
    // different points, in the order of the list, the first point outer. A
    // loop through the datasets took five times the whole search.
    UsoTabella punti(sessione.connessione(), PercorsoTabella(sessione.CartellaDi(database), TabellaRicerchePF), false);
    return RiscriviCoppie(sessione, database, [&](Connessione& c, const QString& coppie) {
        c.Esegui(QStringLiteral("INSERT INTO %1.dati (%3) "
                                "SELECT a.Comune, a.Sezione, a.Allegato, a.Foglio, a.PF, b.Comune, b.Sezione, b.Allegato, b.Foglio, b.PF "
                                "FROM %2.dati a, %2.dati b WHERE a.ID_001_TABLE <> b.ID_001_TABLE "
                                "ORDER BY a.ID_001_TABLE, b.ID_001_TABLE")
                     .arg(coppie, punti.schema(), ColonneCoppie));
        return c.RigheModificate();
    });
}

int TRicercaPF::CreaCombinazioni(TSession& sessione, const QString& database, const QList<PuntoFiduciale>& punti)
{
    return RiscriviCoppie(sessione, database, [&](Connessione& c, const QString& coppie) {
        Istruzione scrivi(c, QStringLiteral("INSERT INTO %1.dati (%2) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)")
                                 .arg(coppie, ColonneCoppie));
        // As the list stores them: an empty section or attachment is null.
        const auto testo = [](const QString& valore) { return valore.isEmpty() ? QVariant() : QVariant(valore); };
        int numero = 0;
        for (qsizetype i = 0; i < punti.size(); ++i)
            for (qsizetype j = 0; j < punti.size(); ++j) {
                if (i == j)
                    continue;
                int indice = 1;
                for (const PuntoFiduciale* p : {&punti[i], &punti[j]}) {
                    scrivi.Lega(indice++, p->Comune);
                    scrivi.Lega(indice++, testo(p->Sezione));
                    scrivi.Lega(indice++, testo(p->Allegato));
                    scrivi.LegaIntero(indice++, p->Foglio);
                    scrivi.LegaIntero(indice++, p->PF);
                }
                scrivi.Passo();
                scrivi.Reimposta();
                ++numero;
            }
        return numero;
    });
}

void TRicercaPF::ImpostaRicerca(gridkit::TNewTable& tabella, const QList<PuntoFiduciale>& punti)
{
    if (punti.size() == 1)
        ImpostaRicercaUnPunto(tabella, CondizioniUnPunto(punti.front()));
    else
        ImpostaRicercaPiuPunti(tabella, punti);
}

void TRicercaPF::ImpostaRicercaUnPunto(gridkit::TNewTable& tabella, const QStringList& condizioni)
{
    tabella.Close();
    tabella.CancellaFiltri();
    tabella.TabelleAggiuntive.clear();
    tabella.Condizioni = condizioni;
    tabella.CampiOrdine.clear();
}

void TRicercaPF::ImpostaRicercaPiuPunti(gridkit::TNewTable& tabella, const QList<PuntoFiduciale>& punti)
{
    tabella.Close();
    tabella.CancellaFiltri();
    tabella.TabelleAggiuntive = TermineCombinazioni;
    tabella.Condizioni = CondizioniPiuPunti(punti);
    tabella.CampiOrdine.clear();
}

void TRicercaPF::VerificaTabelleLavoro(const QString& cartellaDati)
{
    for (const QString& nome : {TabellaRicerchePF, TabellaCombinazioni})
        if (!QFileInfo::exists(PercorsoTabella(cartellaDati, nome)))
            throw EDBEngineError(QStringLiteral("La tabella di lavoro '%1' manca nella cartella dei dati '%2': "
                                                "la ricerca tratte non è disponibile. Reinstallare il programma.")
                                     .arg(nome, QDir::toNativeSeparators(cartellaDati)));
}

void TRicercaPF::CreaTabelleLavoro(TSession& sessione, const QString& cartella)
{
    const QString base = QDir(cartella).absolutePath() + '/';
    TTable ricerche(nullptr, &sessione);
    ricerche.TableName = base + TabellaRicerchePF;
    ricerche.TableType = TTableType::ttParadox;
    ricerche.FieldDefs.Add("Comune", TFieldType::ftString, 4, true);
    ricerche.FieldDefs.Add("Sezione", TFieldType::ftString, 1);
    ricerche.FieldDefs.Add("Foglio", TFieldType::ftInteger);
    ricerche.FieldDefs.Add("Allegato", TFieldType::ftString, 1);
    ricerche.FieldDefs.Add("PF", TFieldType::ftInteger);
    ricerche.FieldDefs.Add("ID_001_TABLE", TFieldType::ftAutoInc);
    // The row identity is the storage's own key; the point's key is unique.
    ricerche.IndexDefs.Add("ID", "ID_001_TABLE", ixPrimary | ixUnique);
    ricerche.IndexDefs.Add("ChiavePF", "Comune;Sezione;Foglio;Allegato;PF", ixUnique);
    ricerche.CreateTable();
    UsaPasswordTabelle(sessione);
    ProteggiTabella(base + TabellaRicerchePF, PasswordTabelle, sessione);
    CreaTabellaCombinazioni(sessione, base);
}

void TRicercaPF::CreaTabellaCombinazioni(TSession& sessione, const QString& cartella)
{
    const QString percorso = QDir(cartella).absoluteFilePath(TabellaCombinazioni);
    TTable combinazioni(nullptr, &sessione);
    combinazioni.TableName = percorso;
    combinazioni.TableType = TTableType::ttParadox;
    for (const char* n : {"1", "2"}) {
        combinazioni.FieldDefs.Add(QStringLiteral("Comune") + n, TFieldType::ftString, 4);
        combinazioni.FieldDefs.Add(QStringLiteral("Sezione") + n, TFieldType::ftString, 1);
        combinazioni.FieldDefs.Add(QStringLiteral("Allegato") + n, TFieldType::ftString, 1);
        combinazioni.FieldDefs.Add(QStringLiteral("Foglio") + n, TFieldType::ftInteger);
        combinazioni.FieldDefs.Add(QStringLiteral("Fiduciale") + n, TFieldType::ftInteger);
    }
    // The archive's rows of the listed comuni are looked up in the pairs:
    // without this index every row would scan every pair.
    combinazioni.IndexDefs.Add("Coppia", "Comune1;Foglio1;Fiduciale1;Comune2;Foglio2;Fiduciale2", 0);
    combinazioni.CreateTable();
    UsaPasswordTabelle(sessione);
    ProteggiTabella(percorso, PasswordTabelle, sessione);
}

} // namespace tratte
