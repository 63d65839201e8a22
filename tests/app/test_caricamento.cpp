// Reading distribution files and loading a province: the file name, the
// columns, the line ends, the folder series, the replacement of a loaded
// release, the all-or-nothing load and the deletion of a province.
#include "app/caricamento/caricamento.h"
#include "app/caricamento/filedis.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "supporto/cartella_temporanea.h"
#include "supporto_app.h"
#include "supporto_dis.h"
#include "tabelle/connessione.h"
#include "tabelle/errore.h"
#include "tabelle/percorsi.h"
#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

using namespace tratte;
using namespace tabelle;
using prova::Riga;
using prova::ScriviDis;

namespace {

QList<QByteArray> LeggiRighe(const QString& percorso)
{
    LettoreDis lettore(percorso);
    QList<QByteArray> righe;
    QByteArrayView r;
    while (lettore.Prossima(r))
        righe << r.toByteArray();
    return righe;
}

QString Testo(const tratte::RigaDis::Testo& t) { return QString::fromLatin1(t.dati, t.lunghezza); }

} // namespace

TEST(FileDis, NomeDelFile)
{
    const NomeFileDis n = LeggiNomeFileDis("/media/floppy/rm099901.DIS", '/');
    EXPECT_EQ(n.Provincia, "RM");
    EXPECT_EQ(n.DataDistribuzione, "99/09");
    EXPECT_EQ(n.Numero, 1);
    EXPECT_EQ(LeggiNomeFileDis("mi1226 7.dis", '-').Numero, 7);
    EXPECT_EQ(LeggiNomeFileDis("mi1226 7.dis", '-').DataDistribuzione, "26-12");
    // A short name, or a number that is not one, is named in the message.
    for (const char* nome : {"rm0999.dis", "rm0999xy.dis", "rm09990.dis", "rm09991x.dis"}) {
        try {
            LeggiNomeFileDis(nome);
            ADD_FAILURE() << nome;
        } catch (const EErroreFileDis& e) {
            EXPECT_TRUE(e.messaggio().contains(QLatin1String(nome))) << qPrintable(e.messaggio());
        }
    }
}

TEST(FileDis, ColonneDellaRiga)
{
    QByteArray riga(75, ' ');
    riga.replace(0, 4, "A123").replace(4, 1, "A").replace(6, 4, "0012").replace(11, 1, "B").replace(15, 2, "05");
    riga.replace(18, 4, "A123").replace(24, 4, "0013").replace(33, 2, "07").replace(36, 13, "RM1999/000123");
    riga.replace(50, 12, "     123.456").replace(63, 12, "       0.012");
    tratte::RigaDis c;
    ConvertiRigaDis(riga, c, "rm099901.dis", 1);
    EXPECT_EQ(Testo(c.ComunePF1), "A123");
    EXPECT_EQ(Testo(c.SezionePF1), "A");
    EXPECT_EQ(c.FoglioPF1, 12);
    EXPECT_EQ(Testo(c.AllegatoPF1), "B");
    EXPECT_EQ(c.PF1, 5);
    EXPECT_EQ(Testo(c.ComunePF2), "A123");
    EXPECT_EQ(Testo(c.SezionePF2), " ");
    EXPECT_EQ(c.FoglioPF2, 13);
    EXPECT_EQ(Testo(c.AllegatoPF2), " ");
    EXPECT_EQ(c.PF2, 7);
    EXPECT_EQ(Testo(c.Protocollo), "RM1999/000123");
    EXPECT_DOUBLE_EQ(*c.Distanza, 123.456);
    EXPECT_DOUBLE_EQ(*c.ScartoQMedio, 0.012);

    // A line that ends early leaves the later numbers empty.
    ConvertiRigaDis(riga.left(63), c, "x", 2);
    EXPECT_TRUE(c.Distanza.has_value());
    EXPECT_FALSE(c.ScartoQMedio.has_value());
    ConvertiRigaDis(riga.left(50), c, "x", 3);
    EXPECT_FALSE(c.Distanza.has_value());
    ConvertiRigaDis(riga.left(8), c, "x", 4);
    EXPECT_EQ(c.FoglioPF1, 0); // "00": what the line reaches of the column
    EXPECT_FALSE(c.PF1.has_value());
    ConvertiRigaDis(QByteArrayView(), c, "x", 5);
    EXPECT_EQ(c.ComunePF1.lunghezza, 0);
    EXPECT_FALSE(c.FoglioPF1.has_value());

    // A comma as decimal separator, letters in a sheet, a blank point: the
    // message names the file, the line and the field.
    const struct {
        int da, lunghezza;
        const char* testo;
        const char* campo;
    } errati[] = {{50, 12, "     123,456", "Distanza"}, {6, 4, "00A2", "FoglioPF1"}, {33, 2, "  ", "PF2"}, {63, 12, "        nan", "ScartoQMedio"}};
    for (const auto& e : errati) {
        QByteArray sbagliata = riga;
        sbagliata.replace(e.da, e.lunghezza, e.testo);
        try {
            ConvertiRigaDis(sbagliata, c, "rm099902.dis", 41);
            ADD_FAILURE() << e.campo;
        } catch (const EErroreFileDis& errore) {
            EXPECT_TRUE(errore.messaggio().contains("\"rm099902.dis\", riga 41, campo " + QLatin1String(e.campo))) << qPrintable(errore.messaggio());
        }
    }
}

TEST(FileDis, FineRigaCrLfOCrLf)
{
    CartellaTemporanea cartella;
    const QString file = cartella.file("rm099901.dis");
    {
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.write("uno\rdue\ntre\r\n\r\ncinque\n\rsette");
    }
    EXPECT_EQ(LeggiRighe(file), (QList<QByteArray>{"uno", "due", "tre", "", "cinque", "", "sette"}));
    // A CR LF split across the reader's blocks is one line end; a last line
    // end gives no empty line after it.
    {
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray((1 << 20) - 1, 'x') + "\r\nfine\r\n");
    }
    const QList<QByteArray> righe = LeggiRighe(file);
    ASSERT_EQ(righe.size(), 2);
    EXPECT_EQ(righe[1], "fine");
    QFile(file).resize(0);
    EXPECT_TRUE(LeggiRighe(file).isEmpty());
    EXPECT_THROW(LettoreDis(cartella.file("manca.dis")), EErroreFileDis);
}

// ---------------------------------------------------------------- procedure

class CaricamentoTest : public ::testing::Test {
protected:
    CartellaTemporanea cartella;
    TSession sessione;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    QString programma = cartella.sottocartella("Tratte");
    QString dati = cartella.sottocartella("Tratte/Archivi");
    TArchivioDati archivio{programma, nullptr, &sessione};
    QStringList domande;
    bool risposta = true;
    QStringList comuni;

    void SetUp() override
    {
        archivio.Prepara();
        archivio.CartellaArchivioComuni = QStringLiteral(ARCHIVIO_COMUNI "/");
    }

    TCaricamentoProvincia::Interfaccia Interfaccia()
    {
        TCaricamentoProvincia::Interfaccia i;
        i.ConfermaSostituzione = [this](const QString& d) {
            domande << d;
            return risposta;
        };
        i.MostraComune = [this](const QString& c) { comuni << c; };
        return i;
    }

    TCaricamentoProvincia::Esito Carica(const QString& serie)
    {
        TCaricamentoProvincia caricamento(archivio, Interfaccia());
        return caricamento.CaricaDaCartella(serie);
    }

    int Righe(const QString& dove = QString())
    {
        TQuery q(nullptr, &sessione);
        q.DatabaseName = "Database";
        q.SQL << "Select count(*) from \"Tratte.db\" Where ID_001_TABLE > 1" + (dove.isEmpty() ? QString() : " and " + dove);
        q.Open();
        return q.Fields(0)->AsInteger();
    }

    // CODEPRV, PROVINCIA and DATA of every row of PRV.DB.
    QStringList Prv()
    {
        TTable prv(nullptr, &sessione);
        prv.DatabaseName = "Database";
        prv.TableName = "PRV.DB";
        prv.Open();
        QStringList righe;
        for (prv.First(); !prv.Eof(); prv.Next())
            righe << prv.Fields(0)->AsString() + "|" + prv.Fields(1)->AsString() + "|" + prv.Fields(2)->AsString();
        return righe;
    }

    QString Serie(const QString& nome, const QMap<QString, QList<QByteArray>>& file)
    {
        const QString dir = cartella.sottocartella(nome);
        for (auto it = file.begin(); it != file.end(); ++it)
            ScriviDis(dir + "/" + it.key(), it.value());
        return dir;
    }
};

TEST_F(CaricamentoTest, SerieDiTreFileInOrdineDiNome)
{
    const QString serie = Serie("serie", {{"rm099903.dis", {Riga("H501", 5, 6)}},
                                          {"rm099901.dis", {Riga("H501", 1, 2), Riga("H501", 2, 3), Riga("G811", 1, 2)}},
                                          {"RM099902.DIS", {Riga("G811", 3, 4), ""}}});
    QStringList letti;
    TCaricamentoProvincia::Interfaccia i = Interfaccia();
    i.InizioFile = [&](const QString& nome, qint64, int numero) { letti << nome + "#" + QString::number(numero); };
    TCaricamentoProvincia caricamento(archivio, i);
    ASSERT_EQ(caricamento.CaricaDaCartella(serie), TCaricamentoProvincia::Esito::Completato);
    EXPECT_EQ(letti, (QStringList{"rm099901.dis#1", "RM099902.DIS#2", "rm099903.dis#3"}));
    EXPECT_EQ(caricamento.RigheCaricate, 6);
    EXPECT_EQ(comuni, (QStringList{"H501", "G811", "", "H501"}));
    EXPECT_EQ(Righe(), 6);
    EXPECT_EQ(Righe("Provincia = 'RM'"), 6);
    // The empty line: a row with the province alone.
    EXPECT_EQ(Righe("ComunePF1 is Null and FoglioPF1 is Null and Distanza is Null"), 1);
    EXPECT_EQ(Prv(), QStringList{"RM|ROMA|99/09"});
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

// The files are Windows text: "à è ù °" and the euro sign of code page
// 1252 are stored as those characters and read back as they were written,
// also in a comune code and in the message of a line that does not convert.
TEST_F(CaricamentoTest, TestoWindows1252)
{
    EXPECT_EQ(DecodificaWindows1252("a\xE0\xE8\xF9\xB0\x80\x92\x81z"), QString::fromUtf8("aàèù°€’\u0081z"));
    const QByteArray protocollo = "P \xE0 \xE8 \xF9 \xB0";
    const QString serie = Serie("serie", {{"rm099901.dis", {Riga("H501", "", 1, "", 1, "H501", "", 1, "", 2, protocollo, 10, 0.01),
                                                            Riga("\xC0\xC8X1", 1, 2)}}});
    ASSERT_EQ(Carica(serie), TCaricamentoProvincia::Esito::Completato);
    EXPECT_EQ(comuni, (QStringList{"H501", QString::fromUtf8("ÀÈX1")}));
    TQuery q(nullptr, &sessione);
    q.DatabaseName = "Database";
    q.SQL << "Select Protocollo, ComunePF1 from \"Tratte.db\" Where ID_001_TABLE > 1 Order By ID_001_TABLE";
    q.Open();
    EXPECT_EQ(q.Fields(0)->AsString(), QString::fromUtf8("P à è ù °"));
    q.Next();
    EXPECT_EQ(q.Fields(1)->AsString(), QString::fromUtf8("ÀÈX1"));
    q.Close();
    // Found by its text, as a search would.
    EXPECT_EQ(Righe(QString::fromUtf8("Protocollo = 'P à è ù °'")), 1);

    ScriviDis(serie + "/rm099901.dis", {"H501  00\xE0" "1"});
    try {
        Carica(serie);
        FAIL();
    } catch (const EErroreFileDis& e) {
        EXPECT_TRUE(e.messaggio().contains(QString::fromUtf8("campo FoglioPF1: '00à1'"))) << e.messaggio().toStdString();
    }
}

TEST_F(CaricamentoTest, UnFileDiUnAltraProvinciaFermaLaSerie)
{
    const QString serie = Serie("serie", {{"rm099901.dis", {Riga("H501", 1, 2)}}, {"vt099902.dis", {Riga("M082", 1, 2)}}});
    EXPECT_EQ(Carica(serie), TCaricamentoProvincia::Esito::Completato);
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_TRUE(finto.mostrati[0].testo.startsWith("Il prossimo file si riferisce ad una provincia diversa\r\n"));
    EXPECT_EQ(finto.mostrati[0].titolo, "Avviso");
    EXPECT_EQ(Righe(), 1);
    EXPECT_EQ(Prv(), QStringList{"RM|ROMA|99/09"});
}

TEST_F(CaricamentoTest, CartellaVuotaMancanteOSenzaFile)
{
    EXPECT_EQ(Carica(""), TCaricamentoProvincia::Esito::Interrotto);
    EXPECT_EQ(Carica(cartella.file("manca")), TCaricamentoProvincia::Esito::Interrotto);
    EXPECT_EQ(Carica(cartella.sottocartella("vuota")), TCaricamentoProvincia::Esito::Interrotto);
    ASSERT_EQ(finto.mostrati.size(), 3);
    EXPECT_EQ(finto.mostrati[0].testo, "Specificare il percorso del file dati da caricare");
    EXPECT_EQ(finto.mostrati[1].testo, "Percorso non valido!");
    EXPECT_EQ(finto.mostrati[2].testo, "La directory specificata non contiene file di Tratte");
    EXPECT_TRUE(Prv().isEmpty());
}

TEST_F(CaricamentoTest, SostituzioneDiUnaProvinciaCaricata)
{
    ASSERT_EQ(Carica(Serie("vecchia", {{"rm099901.dis", {Riga("H501", 1, 2), Riga("H501", 2, 3)}}})),
              TCaricamentoProvincia::Esito::Completato);
    ASSERT_EQ(Carica(Serie("altra", {{"vt099901.dis", {Riga("M082", 1, 2)}}})), TCaricamentoProvincia::Esito::Completato);
    EXPECT_TRUE(domande.isEmpty());
    const QString nuova = Serie("nuova", {{"rm032601.dis", {Riga("H501", 7, 8)}}});

    // Cancel: nothing changes.
    risposta = false;
    EXPECT_EQ(Carica(nuova), TCaricamentoProvincia::Esito::Rifiutato);
    EXPECT_EQ(domande, QStringList{"Data corrente installazione 99/09. Sostituire con data 26/03 ?"});
    EXPECT_EQ(Righe("Provincia = 'RM'"), 2);

    // OK: the old rows go, only the province's.
    risposta = true;
    EXPECT_EQ(Carica(nuova), TCaricamentoProvincia::Esito::Completato);
    EXPECT_EQ(Righe("Provincia = 'RM'"), 1);
    EXPECT_EQ(Righe("Provincia = 'VT'"), 1);
    EXPECT_EQ(Prv(), (QStringList{"RM|ROMA|26/03", "VT|VITERBO|99/09"}));

    // A province recorded without its release: the plain question.
    prova::CaricaProvince(sessione, programma, {{"MI", "MILANO"}});
    domande.clear();
    risposta = false;
    EXPECT_EQ(Carica(Serie("mi", {{"mi032601.dis", {Riga("F205", 1, 2)}}})), TCaricamentoProvincia::Esito::Rifiutato);
    EXPECT_EQ(domande, QStringList{"Sostituire i vecchi dati con i nuovi?"});
}

TEST_F(CaricamentoTest, UnErroreNelTerzoFileLasciaIntattaLaVecchiaEdizione)
{
    ASSERT_EQ(Carica(Serie("vecchia", {{"rm099901.dis", {Riga("H501", 1, 2), Riga("H501", 2, 3)}}})),
              TCaricamentoProvincia::Esito::Completato);
    QByteArray sbagliata = Riga("H501", 9, 10);
    sbagliata.replace(50, 12, "     123,456");
    const QString nuova = Serie("nuova", {{"rm032601.dis", {Riga("H501", 3, 4)}},
                                          {"rm032602.dis", {Riga("H501", 4, 5)}},
                                          {"rm032603.dis", {Riga("H501", 5, 6), sbagliata}}});
    try {
        Carica(nuova);
        FAIL();
    } catch (const EErroreFileDis& e) {
        EXPECT_EQ(e.messaggio(), "Errore nel file \"rm032603.dis\", riga 2, campo Distanza: '     123,456' non è un numero valido "
                                 "(con il punto come separatore decimale).");
    }
    EXPECT_EQ(Righe(), 2);
    EXPECT_EQ(Righe("PF1 = 1"), 1);
    EXPECT_EQ(Prv(), QStringList{"RM|ROMA|99/09"});
    // The archive is usable at once: the same series, mended, loads.
    QFile::remove(nuova + "/rm032603.dis");
    EXPECT_EQ(Carica(nuova), TCaricamentoProvincia::Esito::Completato);
    EXPECT_EQ(Righe(), 2);
}

// A load that dies inside its commit, at each point of it, replacing a
// loaded release or adding a new province: when the archive is next
// opened, Tratte.db and PRV.DB agree (PRV.DB lists the release whose rows
// are there, and a new province exactly when its rows are there), no
// journal is left, and loading the series again stores every row once.
TEST_F(CaricamentoTest, UnCaricamentoInterrottoNelCommitLasciaTabelleConcordi)
{
    ASSERT_EQ(Carica(Serie("vecchia", {{"rm099901.dis", {Riga("H501", 1, 2), Riga("H501", 2, 3)}}})),
              TCaricamentoProvincia::Esito::Completato);
    const QString nuova = Serie("nuova", {{"rm032601.dis", {Riga("H501", 3, 4), Riga("H501", 4, 5), Riga("H501", 5, 6)}}});
    const QString milano = Serie("milano", {{"mi032601.dis", {Riga("F205", 1, 2)}}});
    int prova = 0;
    for (const QString punto : {"tra", "dopo", "prima"}) {
        for (const QString& serie : {nuova, milano}) {
            SCOPED_TRACE((punto + " " + serie).toStdString());
            // Each case starts from a copy of the archive with the old release.
            const QString programma2 = cartella.sottocartella(QStringLiteral("Tratte%1").arg(++prova));
            QDir().mkpath(programma2 + "/Archivi");
            for (const QString& f : QDir(dati).entryList(QDir::Files))
                ASSERT_TRUE(QFile::copy(dati + "/" + f, programma2 + "/Archivi/" + f));
            QProcess p;
            p.start(QStringLiteral(COMMIT_INTERROTTO), {programma2, serie, QStringLiteral(ARCHIVIO_COMUNI), punto});
            ASSERT_TRUE(p.waitForFinished(60000));
            ASSERT_EQ(p.exitCode(), 42) << p.readAllStandardError().toStdString();

            TSession s2;
            TArchivioDati archivio2(programma2, nullptr, &s2);
            archivio2.Prepara();
            archivio2.CartellaArchivioComuni = QStringLiteral(ARCHIVIO_COMUNI "/");
            auto righe = [&](const QString& provincia) {
                TQuery q(nullptr, &s2);
                q.DatabaseName = "Database";
                q.SQL << "Select count(*) from \"Tratte.db\" Where ID_001_TABLE > 1 and Provincia = '" + provincia + "'";
                q.Open();
                return q.Fields(0)->AsInteger();
            };
            TTable prv(nullptr, &s2);
            prv.DatabaseName = "Database";
            prv.TableName = "PRV.DB";
            prv.Open();
            ASSERT_TRUE(prv.Locate("CODEPRV", {"RM"}));
            const QString data = prv.FieldByName("DATA")->AsString();
            const bool milanoElencata = prv.Locate("CODEPRV", {"MI"});
            prv.Close();
            const bool decisa = punto != "prima";
            EXPECT_EQ(data, decisa && serie == nuova ? "26/03" : "99/09");
            EXPECT_EQ(righe("RM"), decisa && serie == nuova ? 3 : 2);
            EXPECT_EQ(milanoElencata, decisa && serie == milano);
            EXPECT_EQ(righe("MI"), decisa && serie == milano ? 1 : 0);
            EXPECT_EQ(QDir(programma2 + "/Archivi").entryList({"*-journal"}, QDir::Files), QStringList());

            TCaricamentoProvincia::Interfaccia i;
            i.ConfermaSostituzione = [](const QString&) { return true; };
            TCaricamentoProvincia ricarica(archivio2, i);
            ASSERT_EQ(ricarica.CaricaDaCartella(serie), TCaricamentoProvincia::Esito::Completato);
            EXPECT_EQ(righe(serie == nuova ? "RM" : "MI"), serie == nuova ? 3 : 1);
        }
    }
}

// The archive open in this process, as the main window keeps it all day,
// while tratte-cli loads in another: the load is not held up between two
// page reads, and the rows are read whole, from before or after the commit.
TEST_F(CaricamentoTest, UnaTabellaApertaNonFermaIlCaricamentoDiUnAltroProcesso)
{
    prova::RegistraDirectory();
    QList<QByteArray> righe;
    // More rows than the pages a dataset keeps read.
    for (int i = 0; i < 10000; ++i)
        righe << Riga("H501", "", i / 90 + 1, "", i % 90 + 1, "H501", "", i / 90 + 1, "", i % 90 + 2, "VECCHIA", 10, 0.01);
    ASSERT_EQ(Carica(Serie("vecchia", {{"rm099901.dis", righe}})), TCaricamentoProvincia::Esito::Completato);
    TTable t(nullptr, &sessione);
    t.DatabaseName = "Database";
    t.TableName = "Tratte.db";
    t.Open();
    ASSERT_EQ(t.RecordCount(), 10001);
    t.SetRecNo(300);
    auto cli = [&](const QStringList& argomenti) {
        QProcess p;
        p.start(QStringLiteral(TRATTE_CLI), QStringList{"--programma", programma} + argomenti);
        EXPECT_TRUE(p.waitForFinished(60000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    };
    // Another province: the rows open here stay as they were.
    cli({"carica", Serie("milano", {{"mi032601.dis", {Riga("F205", 1, 2), Riga("F205", 2, 3)}}})});
    auto percorri = [&](const std::function<void(int)>& verifica) {
        for (t.First(); !t.Eof(); t.Next())
            verifica(t.RecNo());
        for (t.Last(); !t.Bof(); t.Prior())
            verifica(t.RecNo());
    };
    percorri([&](int n) {
        if (n == 1)
            return; // the header row
        ASSERT_EQ(t.FieldByName("Protocollo")->AsString(), "VECCHIA") << n;
        ASSERT_EQ(t.FieldByName("Provincia")->AsString(), "RM") << n;
    });
    // The province itself replaced under the open rows: a row is read
    // whole as it was, or, once its release is gone, not at all.
    for (QByteArray& r : righe)
        r.replace(36, 7, "NUOVA  ");
    t.SetRecNo(700);
    cli({"carica", Serie("nuova", {{"rm032601.dis", righe}}), "--sostituisci"});
    int vuote = 0;
    percorri([&](int n) {
        if (n == 1)
            return;
        if (t.FieldByName("Protocollo")->IsNull()) {
            ++vuote;
            for (int c = 0; c < t.FieldCount(); ++c)
                ASSERT_TRUE(t.Fields(c)->IsNull()) << n << " " << t.Fields(c)->FieldName().toStdString();
        } else {
            ASSERT_EQ(t.FieldByName("Protocollo")->AsString(), "VECCHIA") << n;
        }
    });
    EXPECT_GT(vuote, 0);
    t.Refresh();
    EXPECT_EQ(t.RecordCount(), 1 + 10000 + 2);
    EXPECT_TRUE(t.Locate("Protocollo", {"NUOVA"}));

    // A writer that holds the file through its commit: a read meets the
    // engine's error (after the wait), and reads again once it is done.
    t.Close();
    t.Open();
    t.First();
    {
        TSession altra;
        altra.AddPassword(PasswordTabelle);
        Connessione& c = altra.connessione();
        UsoTabella uso(c, PercorsoTabella(dati, "Tratte.db"), false);
        c.Esegui("PRAGMA " + uso.schema() + ".locking_mode = EXCLUSIVE");
        c.Esegui("UPDATE " + uso.schema() + ".dati SET CodOp = CodOp WHERE rowid = 1");
        EXPECT_THROW(
            {
                t.SetRecNo(5000);
                (void)t.FieldByName("Protocollo")->AsString();
            },
            EDBEngineError);
    }
    t.SetRecNo(5000);
    EXPECT_EQ(t.FieldByName("Protocollo")->AsString(), "NUOVA");
}

TEST_F(CaricamentoTest, EliminaUnaDiDueProvincieEPoiLUltima)
{
    ASSERT_EQ(Carica(Serie("rm", {{"rm099901.dis", {Riga("H501", 1, 2), Riga("H501", 2, 3)}}})), TCaricamentoProvincia::Esito::Completato);
    ASSERT_EQ(Carica(Serie("vt", {{"vt099901.dis", {Riga("M082", 1, 2)}}})), TCaricamentoProvincia::Esito::Completato);
    QStringList cancellazioni;
    TCaricamentoProvincia::Interfaccia i;
    i.Cancellazione = [&](bool mirata, bool fine) { cancellazioni << QString("%1%2").arg(mirata ? "mirata" : "tutto", fine ? "-fine" : ""); };
    TCaricamentoProvincia eliminazione(archivio, i);
    EXPECT_TRUE(eliminazione.EliminaProvincia("RM"));
    EXPECT_EQ(Righe(), 1);
    EXPECT_EQ(Prv(), QStringList{"VT|VITERBO|99/09"});
    EXPECT_TRUE(eliminazione.EliminaProvincia("VT"));
    EXPECT_EQ(cancellazioni, (QStringList{"mirata", "mirata-fine", "tutto", "tutto-fine"}));
    EXPECT_EQ(Righe(), 0);
    EXPECT_TRUE(Prv().isEmpty());
    // The header row stays.
    TQuery q(nullptr, &sessione);
    q.DatabaseName = "Database";
    q.SQL << "Select count(*) from \"Tratte.db\"";
    q.Open();
    EXPECT_EQ(q.Fields(0)->AsInteger(), 1);
    EXPECT_FALSE(eliminazione.EliminaProvincia("VT"));
}
