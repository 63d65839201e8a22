// The search among a list of points without windows: the condition lines,
// the pair table, the searches on a small archive, and tratte-cli cerca.
#include "app/ricerca/ricercapf.h"
#include "supporto_ricerca.h"
#include "tabelle/connessione.h"
#include "supporto/cartella_temporanea.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "tabelle/errore.h"

#include <QProcess>
#include <algorithm>
#include <gtest/gtest.h>

using namespace tratte;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& s, std::ostream* os) { *os << "[\n" << s.join("|\n").toStdString() << "]"; }

namespace {

const PuntoFiduciale A{"H501", "", 10, "", 1};
const PuntoFiduciale B{"H501", "", 10, "", 2};
const PuntoFiduciale C{"H501", "", 11, "", 3};
const PuntoFiduciale X{"H501", "", 99, "", 9};
const PuntoFiduciale BconAllegato{"H501", "", 10, "A", 2};
const PuntoFiduciale D{"F205", "A", 5, "", 7};
const PuntoFiduciale E{"F205", "", 5, "", 7};
const PuntoFiduciale Apice{"D'AM", "", 1, "", 1};

TEST(CondizioniRicerca, UnPuntoRigaPerRiga)
{
    EXPECT_EQ(TRicercaPF::CondizioniUnPunto({"H501", "B", 12, "C", 5}),
              (QStringList{" (( ", " ComunePF1='H501'", " AND   (SezionePF1='B') ", " AND   FoglioPF1=12",
                           " AND   (AllegatoPF1='C') ", " AND   PF1=5", " ) ", " OR ", " ( ", " ComunePF2='H501'",
                           " AND   (SezionePF2='B') ", " AND   FoglioPF2=12", " AND   (AllegatoPF2='C') ", " AND   PF2=5",
                           " )) "}));
    // Empty section and attachment: only null matches.
    const QStringList senza = TRicercaPF::CondizioniUnPunto(A);
    ASSERT_EQ(senza.size(), 15);
    EXPECT_EQ(senza[2], " AND   (SezionePF1 is Null)");
    EXPECT_EQ(senza[4], " AND   (AllegatoPF1 is Null)");
    EXPECT_EQ(senza[10], " AND   (SezionePF2 is Null)");
    EXPECT_EQ(senza[12], " AND   (AllegatoPF2 is Null)");
}

TEST(CondizioniRicerca, PiuPuntiRigaPerRiga)
{
    // Two points of one comune: the comune twice in the list.
    EXPECT_EQ(TRicercaPF::CondizioniPiuPunti({A, B, D}),
              (QStringList{" (ComunePF1 = 'H501'", " or ComunePF1 = 'H501'", " or ComunePF1 = 'F205'", ")",
                           " AND ComunePF1=C.Comune1 ",
                           " AND ((SezionePF1=C.Sezione1) OR ((SezionePF1 Is Null) And (Sezione1 Is Null)) ) ",
                           " AND FoglioPF1=C.Foglio1 ",
                           " AND ((AllegatoPF1=C.Allegato1) OR ((AllegatoPF1 Is Null) And (Allegato1 Is Null)) ) ",
                           " AND PF1=C.Fiduciale1 ", " AND ComunePF2=C.Comune2 ",
                           " AND ((SezionePF2=C.Sezione2) OR ((SezionePF2 Is Null) And (Sezione2 Is Null)) ) ",
                           " AND FoglioPF2=C.Foglio2 ",
                           " AND ((AllegatoPF2=C.Allegato2) OR ((AllegatoPF2 Is Null) And (Allegato2 Is Null)) ) ",
                           " AND PF2=C.Fiduciale2 "}));
}

TEST(CondizioniRicerca, GliApiciDeiValoriSonoRaddoppiati)
{
    EXPECT_EQ(TRicercaPF::Letterale("D'AM"), "'D''AM'");
    const QStringList uno = TRicercaPF::CondizioniUnPunto({"D'AM", "'", 1, "'", 2});
    EXPECT_EQ(uno[1], " ComunePF1='D''AM'");
    EXPECT_EQ(uno[2], " AND   (SezionePF1='''') ");
    EXPECT_EQ(uno[4], " AND   (AllegatoPF1='''') ");
    EXPECT_EQ(TRicercaPF::CondizioniPiuPunti({Apice, A}).front(), " (ComunePF1 = 'D''AM'");
}

TEST(CondizioniRicerca, PuntoDellaRigaDiComando)
{
    EXPECT_EQ(TRicercaPF::LeggiPunto("H501,,12,,5"), (PuntoFiduciale{"H501", "", 12, "", 5}));
    EXPECT_EQ(TRicercaPF::LeggiPunto("f205,a,3,b,7"), (PuntoFiduciale{"F205", "A", 3, "B", 7}));
    for (const char* male : {"", "H501", "H501,,12,,", "H501,,x,,5", ",,12,,5", "H5011,,12,,5", "H501,AB,12,,5",
                             "H501,,12,,5,", "H501,,-1,,5"})
        EXPECT_FALSE(TRicercaPF::LeggiPunto(male)) << male;
}

class RicercaTest : public ::testing::Test {
protected:
    CartellaTemporanea cartella;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    QString programma = cartella.sottocartella("Tratte");
    tabelle::TSession s;
    TArchivioDati archivio{programma, nullptr, &s};

    void SetUp() override
    {
        prova::CopiaTabelleLavoro(programma);
        prova::ScriviTratte(programma,
                            {{A, B, 100}, {C, A, 101}, {B, X, 102}, {X, A, 103}, {D, E, 104}, {E, X, 105}, {Apice, X, 106},
                             {BconAllegato, C, 107}});
        archivio.Prepara();
    }

    void Elenco(const QList<PuntoFiduciale>& punti)
    {
        tabelle::TTable ricerche(nullptr, &s);
        ricerche.DatabaseName = "Database";
        ricerche.TableName = TabellaRicerchePF;
        ricerche.EmptyTable();
        ricerche.Open();
        for (const PuntoFiduciale& p : punti) {
            ricerche.Append();
            TRicercaPF::ScriviPunto(ricerche, p);
            ricerche.Post();
        }
    }

    // The distances the search finds, in increasing order.
    QList<double> Cerca(const QList<PuntoFiduciale>& punti)
    {
        Elenco(punti);
        TRicercaPF::CreaCombinazioni(s, "Database");
        gridkit::TNewTable tabella(nullptr, &s);
        tabella.DatabaseName = "Database";
        tabella.SetTableName("Tratte.db");
        tabella.ReadOnly = true;
        TRicercaPF::ImpostaRicerca(tabella, punti);
        EXPECT_EQ(tabella.TabelleAggiuntive, punti.size() == 1 ? QString() : TermineCombinazioni);
        tabella.Riapri();
        QList<double> distanze;
        for (int r = 0; r < tabella.RecordCount(); ++r)
            distanze << tabella.ValoreRiga(r, tabella.FieldByName("Distanza")->Index()).toDouble();
        std::sort(distanze.begin(), distanze.end());
        return distanze;
    }

    QStringList Coppie()
    {
        tabelle::TTable c(nullptr, &s);
        c.DatabaseName = "Database";
        c.TableName = TabellaCombinazioni;
        c.Open();
        QStringList coppie;
        for (c.First(); !c.Eof(); c.Next()) {
            QStringList riga;
            for (int i = 0; i < c.FieldCount(); ++i)
                riga << (c.Fields(i)->IsNull() ? "-" : c.Fields(i)->AsString());
            coppie << riga.join(',');
            if (c.RecNo() == c.RecordCount())
                break;
        }
        coppie.sort();
        return coppie;
    }
};

TEST_F(RicercaTest, LeTabelleDiLavoroConsegnate)
{
    tabelle::TTable c(nullptr, &s);
    c.DatabaseName = "Database";
    c.TableName = TabellaCombinazioni;
    EXPECT_EQ(c.GetFieldNames(), (QStringList{"Comune1", "Sezione1", "Allegato1", "Foglio1", "Fiduciale1", "Comune2", "Sezione2",
                                              "Allegato2", "Foglio2", "Fiduciale2"}));
    tabelle::TTable r(nullptr, &s);
    r.DatabaseName = "Database";
    r.TableName = TabellaRicerchePF;
    EXPECT_EQ(r.GetFieldNames(), (QStringList{"Comune", "Sezione", "Foglio", "Allegato", "PF", "ID_001_TABLE"}));
    // Without the password the tables do not open.
    tabelle::TSession senza;
    tabelle::TTable chiusa(nullptr, &senza);
    chiusa.TableName = programma + "/Archivi/" + TabellaRicerchePF;
    EXPECT_THROW(chiusa.Open(), tabelle::EDBEngineError);
    // A data folder without them: a message that says so.
    QFile::remove(programma + "/Archivi/" + TabellaCombinazioni);
    try {
        TRicercaPF::VerificaTabelleLavoro(archivio.CartellaDati());
        ADD_FAILURE() << "nessun errore";
    } catch (const tabelle::EDBEngineError& e) {
        EXPECT_TRUE(QString(e.what()).contains("Combinazioni.db")) << e.what();
    }
}

TEST_F(RicercaTest, TrePuntiDannoSeiCoppieOrdinate)
{
    Elenco({A, B, D});
    EXPECT_EQ(TRicercaPF::CreaCombinazioni(s, "Database"), 6);
    EXPECT_EQ(Coppie(), (QStringList{"F205,A,-,5,7,H501,-,-,10,1", "F205,A,-,5,7,H501,-,-,10,2", "H501,-,-,10,1,F205,A,-,5,7",
                                     "H501,-,-,10,1,H501,-,-,10,2", "H501,-,-,10,2,F205,A,-,5,7", "H501,-,-,10,2,H501,-,-,10,1"}));
    // Rebuilt, not added to.
    Elenco({A});
    EXPECT_EQ(TRicercaPF::CreaCombinazioni(s, "Database"), 0);
    EXPECT_TRUE(Coppie().isEmpty());
}

TEST_F(RicercaTest, CoppieDaUnElencoETabellaDanneggiataRifatta)
{
    // From a list: the same pairs, in the same order, as from the point table.
    Elenco({A, B, D});
    TRicercaPF::CreaCombinazioni(s, "Database");
    const QStringList dallaTabella = Coppie();
    EXPECT_EQ(TRicercaPF::CreaCombinazioni(s, "Database", {A, B, D}), 6);
    EXPECT_EQ(Coppie(), dallaTabella);
    EXPECT_EQ(TRicercaPF::CreaCombinazioni(s, "Database", {A}), 0);
    EXPECT_TRUE(Coppie().isEmpty());

    // A file a power cut left damaged is made anew, and the search works.
    const QString percorso = programma + "/Archivi/" + TabellaCombinazioni;
    for (const QByteArray& danno : {QByteArray(4096, 'x'), QByteArray()}) {
        s.connessione().Stacca(percorso);
        QFile file(percorso);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        if (danno.isEmpty())
            file.resize(5000); // cut in the middle of a page
        else
            file.write(danno);
        file.close();
        EXPECT_EQ(TRicercaPF::CreaCombinazioni(s, "Database", {A, B}), 2);
        EXPECT_EQ(Cerca({A, B}), (QList<double>{100}));
    }
    EXPECT_TRUE(finto.mostrati.isEmpty());

    // In use by another session: the error stands and the pairs are kept.
    const QStringList prima = Coppie();
    tabelle::TSession altra;
    UsaPasswordTabelle(altra);
    tabelle::TTable tiene(nullptr, &altra);
    tiene.TableName = percorso;
    tiene.Exclusive = true;
    tiene.Open();
    EXPECT_THROW(TRicercaPF::CreaCombinazioni(s, "Database", {A, B, D}), tabelle::EDBEngineError);
    tiene.Close();
    EXPECT_EQ(Coppie(), prima);
}

TEST_F(RicercaTest, RicercheSullArchivio)
{
    // One point: at either end.
    EXPECT_EQ(Cerca({A}), (QList<double>{100, 101, 103}));
    EXPECT_EQ(Cerca({X}), (QList<double>{102, 103, 105, 106}));
    // Among A, B, C: C-A is found whichever end came first; B with an
    // attachment is another point.
    EXPECT_EQ(Cerca({A, B, C}), (QList<double>{100, 101}));
    // Two points of one comune.
    EXPECT_EQ(Cerca({A, B}), (QList<double>{100}));
    // An empty section matches only null, a letter only that letter.
    EXPECT_EQ(Cerca({E}), (QList<double>{104, 105}));
    EXPECT_EQ(Cerca({D}), (QList<double>{104}));
    EXPECT_EQ(Cerca({D, E}), (QList<double>{104}));
    EXPECT_EQ(Cerca({E, X}), (QList<double>{105}));
    // A quote in a value neither breaks nor changes the statement.
    EXPECT_EQ(Cerca({Apice}), (QList<double>{106}));
    EXPECT_EQ(Cerca({Apice, X}), (QList<double>{106}));
    EXPECT_TRUE(Cerca({{"H5'1", "'", 10, "'", 1}}).isEmpty());
    EXPECT_TRUE(Cerca({{"'OR'", "", 10, "", 1}, A}).isEmpty());
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

TEST_F(RicercaTest, RigaDiComandoCerca)
{
    auto esegui = [&](const QStringList& argomenti, int atteso, QString* errori = nullptr) {
        QProcess p;
        p.start(QStringLiteral(TRATTE_CLI), QStringList{"--programma", programma, "cerca"} + argomenti);
        p.waitForFinished(60000);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), atteso) << err.toStdString();
        if (errori)
            *errori = err;
        return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    };
    const QString intestazione = "ComunePF1\tSezionePF1\tFoglioPF1\tAllegatoPF1\tPF1\tComunePF2\tSezionePF2\tFoglioPF2\t"
                                 "AllegatoPF2\tPF2\tProtocollo\tDistanza\tScartoQMedio";
    // The point list the user keeps in the window is left as it is.
    Elenco({X});
    QStringList righe = esegui({"H501,,11,,3"}, 0);
    ASSERT_EQ(righe.size(), 3);
    EXPECT_EQ(righe[0], intestazione);
    // At either end, in the archive's order.
    EXPECT_EQ(righe[1], "H501\t\t11\t\t3\tH501\t\t10\t\t1\tP2\t101.000\t");
    EXPECT_EQ(righe[2], "H501\t\t10\tA\t2\tH501\t\t11\t\t3\tP8\t107.000\t");
    righe = esegui({"H501,,10,,1", "h501,,10,,2", "H501,,11,,3"}, 0);
    ASSERT_EQ(righe.size(), 3);
    EXPECT_TRUE(righe[1].startsWith("H501\t\t10\t\t1\tH501\t\t10\t\t2\t"));
    EXPECT_TRUE(righe[2].startsWith("H501\t\t11\t\t3\tH501\t\t10\t\t1\t"));
    {
        tabelle::TTable elenco(nullptr, &s);
        elenco.DatabaseName = "Database";
        elenco.TableName = TabellaRicerchePF;
        elenco.Open();
        EXPECT_EQ(elenco.RecordCount(), 1);
        EXPECT_EQ(elenco.FieldByName("Comune")->AsString(), X.Comune);
    }
    EXPECT_EQ(esegui({"D'AM,,1,,1"}, 0).size(), 2);
    // Nothing found: the header alone.
    EXPECT_EQ(esegui({"Z999,,1,,1", "Z999,,1,,2"}, 0), QStringList{intestazione});
    // A malformed point, no point at all.
    QString errori;
    EXPECT_TRUE(esegui({"H501,,12,,5", "H501;12;5"}, 2, &errori).isEmpty());
    EXPECT_TRUE(errori.contains("H501;12;5"));
    esegui({}, 2);
    // Without the work tables, without the data folder: a message, status 1.
    QFile::remove(programma + "/Archivi/" + TabellaRicerchePF);
    esegui({"H501,,10,,1"}, 1, &errori);
    EXPECT_TRUE(errori.contains("RicerchePF.db")) << errori.toStdString();
    const QString altrove = cartella.sottocartella("Vuota");
    QProcess p;
    p.start(QStringLiteral(TRATTE_CLI), QStringList{"--programma", altrove, "cerca", "H501,,10,,1"});
    p.waitForFinished(60000);
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_FALSE(p.readAllStandardError().isEmpty());
}

} // namespace
