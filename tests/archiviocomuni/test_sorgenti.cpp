// Reading the CSV sources and writing the tables from them, on small
// sources made here: what is accepted, what is refused and how, and that a
// refused or failed build never touches the tables already there.
#include "datiarchivio.h"
#include "scritturaarchivio.h"
#include "supporto/cartella_temporanea.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

using namespace archiviocomuni;

namespace {

// A small, valid set of sources; a test changes one file and writes them.
struct Sorgenti {
    QByteArray province = "SIGLA;PROVINCIA;CODPROV;Regione\n"
                          "MB;MONZA;;LOMBARDIA\n"
                          "MI;MILANO;;LOMBARDIA\n"
                          "RM;ROMA;;LAZIO\n";
    QByteArray comuni = "Provincia;NomeComune;Regione;CAP;PrefissoTelefonico;CodiceFiscale;CodiceCatastale\n"
                        "RM;ANGUILLARA SABAZIA;LAZIO;00061;06;A323;A323\n"
                        "MI;MILANO;LOMBARDIA;20121;02;F205;F205\n"
                        "MB;MONZA;LOMBARDIA;20900;039;F704;F704\n"
                        "RM;ROMA;LAZIO;00118;06;H501;H501\n"
                        "RM;SANT'ANGELO ROMANO;LAZIO;;;I284;I284\n";
    QByteArray sezioni = "CodiceFiscale;Sezione;NomeComune\n";
    QByteArray esteri = "NomeStato;CodiceFiscale;CodiceCatastale\n"
                        "FRANCIA;Z110;Z110\n";
    QByteArray nuove = "NomeComune;VecchiaProvincia;NuovaProvincia\n"
                       "MONZA;MI;MB\n";

    void Scrivi(const QString& cartella) const
    {
        for (const auto& [nome, testo] : {std::pair{"province.csv", province}, {"comuni.csv", comuni}, {"sezioni.csv", sezioni},
                                          {"esteri.csv", esteri}, {"nuoveprovince.csv", nuove}}) {
            QFile f(QDir(cartella).filePath(nome));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(testo);
        }
    }
};

QString ErroreDi(const Sorgenti& s, const QString& cartella)
{
    s.Scrivi(cartella);
    try {
        LeggiDatiArchivio(cartella);
    } catch (const ESorgenteNonValida& e) {
        return e.messaggio();
    }
    return QStringLiteral("(accettate)");
}

std::string Elenco(const QStringList& l) { return l.join(" | ").toStdString(); }

QByteArray Impronta(const QString& file)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

TEST(SorgentiArchivioComuni, SezioniSubitoDopoIlLoroComune)
{
    CartellaTemporanea tmp;
    Sorgenti s;
    s.sezioni += "F205;B;MILANO/BAGGIO\nF205;A;\n";
    s.Scrivi(tmp.percorso());
    const TDatiArchivio dati = LeggiDatiArchivio(tmp.percorso());
    QStringList ordine;
    for (const TComune& c : dati.comuni)
        ordine << c.NomeComune + "=" + c.CodiceFiscale + "/" + c.CodiceCatastale;
    EXPECT_EQ(Elenco(ordine), "ANGUILLARA SABAZIA=A323/A323 | MILANO=F205/F205 | MILANO/BAGGIO=F205/F205B | "
                              "MILANO/A=F205/F205A | MONZA=F704/F704 | ROMA=H501/H501 | SANT'ANGELO ROMANO=I284/I284");
    EXPECT_EQ(dati.comuni[2].Provincia, "MI");
    EXPECT_EQ(dati.comuni[2].CAP, "20121");
    ASSERT_EQ(dati.province.size(), 3);
    EXPECT_EQ(dati.province[1].Nome, "MILANO");
    EXPECT_TRUE(dati.comuni[6].CAP.isEmpty());
}

TEST(SorgentiArchivioComuni, SorgentiErrateSonoRifiutateConFileERiga)
{
    CartellaTemporanea tmp;
    struct Caso {
        const char* descrizione;
        std::function<void(Sorgenti&)> guasto;
        const char* atteso;
    };
    const auto riga = [](QByteArray& testo, int n, const QByteArray& nuova) {
        QList<QByteArray> righe = testo.split('\n');
        righe[n - 1] = nuova;
        testo = righe.join('\n');
    };
    const QList<Caso> casi = {
        {"intestazione", [&](Sorgenti& s) { riga(s.comuni, 1, "Provincia;Nome;Regione;CAP;PrefissoTelefonico;CodiceFiscale;CodiceCatastale"); },
         "comuni.csv, riga 1: intestazione"},
        {"campi", [&](Sorgenti& s) { riga(s.comuni, 3, "MI;MILANO;LOMBARDIA;20121;02;F205"); }, "comuni.csv, riga 3: 6 campi, attesi 7"},
        {"codice corto", [&](Sorgenti& s) { riga(s.comuni, 5, "RM;ROMA;LAZIO;00118;06;H50;H50"); }, "comuni.csv, riga 5: CodiceFiscale \"H50\" non valido"},
        {"minuscole", [&](Sorgenti& s) { riga(s.comuni, 5, "RM;Roma;LAZIO;00118;06;H501;H501"); }, "comuni.csv, riga 5: NomeComune \"Roma\" non è in maiuscolo"},
        {"troppo lungo", [&](Sorgenti& s) { riga(s.comuni, 2, "RM;" + QByteArray(41, 'A') + ";LAZIO;;;A323;A323"); }, "oltre 40 caratteri"},
        {"provincia ignota", [&](Sorgenti& s) { riga(s.comuni, 2, "VT;ANGUILLARA SABAZIA;LAZIO;;;A323;A323"); }, "riga 2: provincia VT assente"},
        {"regione diversa", [&](Sorgenti& s) { riga(s.comuni, 2, "RM;ANGUILLARA SABAZIA;LOMBARDIA;;;A323;A323"); }, "riga 2: regione LOMBARDIA, ma province.csv dà LAZIO"},
        {"codice ripetuto", [&](Sorgenti& s) { riga(s.comuni, 6, "RM;SANT'ANGELO ROMANO;LAZIO;;;H501;H501"); }, "riga 6: codice H501 già dato a ROMA"},
        {"cap", [&](Sorgenti& s) { riga(s.comuni, 5, "RM;ROMA;LAZIO;0011;06;H501;H501"); }, "riga 5: CAP \"0011\" non valido"},
        {"prefisso", [&](Sorgenti& s) { riga(s.comuni, 5, "RM;ROMA;LAZIO;00118;06-1;H501;H501"); }, "riga 5: PrefissoTelefonico"},
        {"catastale diverso", [&](Sorgenti& s) { riga(s.comuni, 5, "RM;ROMA;LAZIO;00118;06;H501;H501A"); }, "riga 5: CodiceCatastale \"H501A\" diverso"},
        {"barra", [&](Sorgenti& s) { riga(s.comuni, 5, "RM;ROMA/A;LAZIO;00118;06;H501;H501"); }, "riga 5: NomeComune \"ROMA/A\": la barra"},
        {"virgolette", [&](Sorgenti& s) { riga(s.comuni, 5, "RM;\"ROMA\";LAZIO;00118;06;H501;H501"); }, "riga 5: virgolette"},
        {"utf-8", [&](Sorgenti& s) { riga(s.comuni, 6, "RM;SANT\xe0NGELO;LAZIO;;;I284;I284"); }, "comuni.csv: il testo non è UTF-8"},
        {"vuoto", [&](Sorgenti& s) { s.esteri.clear(); }, "esteri.csv, riga 1: manca la riga d'intestazione"},
        {"provincia non comune", [&](Sorgenti& s) { riga(s.province, 4, "RM;ROMA CAPITALE;;LAZIO"); }, "ROMA CAPITALE (RM) non è il nome di un comune"},
        {"omonimo prima", [&](Sorgenti& s) { riga(s.comuni, 2, "MI;ROMA;LOMBARDIA;;;A323;A323"); }, "il primo comune di nome ROMA è della provincia MI, non di RM"},
        {"provincia lunga", [&](Sorgenti& s) { riga(s.province, 4, "RM;" + QByteArray(21, 'R') + ";;LAZIO"); }, "province.csv, riga 4: PROVINCIA"},
        {"provincia senza comuni", [&](Sorgenti& s) { s.province += "VT;ROMA;;LAZIO\n"; }, "il primo comune di nome ROMA è della provincia RM, non di VT"},
        {"sezione di comune ignoto", [&](Sorgenti& s) { s.sezioni += "Z999;A;\n"; }, "sezioni.csv, riga 2: CodiceFiscale \"Z999\" non valido"},
        {"sezione assente", [&](Sorgenti& s) { s.sezioni += "B999;A;\n"; }, "sezioni.csv, riga 2: comune B999 assente"},
        {"lettera", [&](Sorgenti& s) { s.sezioni += "F205;AB;\n"; }, "sezioni.csv, riga 2: Sezione \"AB\" non valido"},
        {"sezione ripetuta", [&](Sorgenti& s) { s.sezioni += "F205;A;\nF205;A;\n"; }, "sezioni.csv, riga 3: sezione F205A ripetuta"},
        {"nome sezione", [&](Sorgenti& s) { s.sezioni += "F205;A;BAGGIO\n"; }, "deve contenere la barra"},
        {"stato", [&](Sorgenti& s) { riga(s.esteri, 2, "FRANCIA;X110;X110"); }, "esteri.csv, riga 2: CodiceFiscale \"X110\" non valido"},
        {"spostato altrove", [&](Sorgenti& s) { riga(s.nuove, 2, "ROMA;MI;MB"); }, "nuoveprovince.csv, riga 2: ROMA non è un comune della provincia MB"},
        {"spostato in sé", [&](Sorgenti& s) { riga(s.nuove, 2, "MONZA;MB;MB"); }, "riga 2: vecchia e nuova provincia coincidono"},
    };
    for (const Caso& caso : casi) {
        Sorgenti s;
        caso.guasto(s);
        const QString errore = ErroreDi(s, tmp.percorso());
        EXPECT_TRUE(errore.contains(QString::fromUtf8(caso.atteso))) << caso.descrizione << ": " << errore.toStdString();
    }
    EXPECT_EQ(ErroreDi(Sorgenti{}, tmp.percorso()), "(accettate)");
    QFile::remove(tmp.file("sezioni.csv"));
    EXPECT_THROW(LeggiDatiArchivio(tmp.percorso()), ESorgenteNonValida);
    EXPECT_THROW(LeggiDatiArchivio(tmp.file("manca")), ESorgenteNonValida);
}

TEST(ScritturaArchivioComuni, SostituisceLeTabelleSoloQuandoSonoComplete)
{
    CartellaTemporanea tmp;
    const QString sorgenti = tmp.sottocartella("csv");
    const QString tabelle = tmp.sottocartella("ArchivioComuni");
    Sorgenti s;
    s.Scrivi(sorgenti);
    // An older table under another spelling is replaced, not kept beside.
    QFile vecchia(QDir(tabelle).filePath("kwarchiviocomuni.db"));
    ASSERT_TRUE(vecchia.open(QIODevice::WriteOnly));
    vecchia.write("vecchia");
    vecchia.close();
    ScriviArchivioComuni(LeggiDatiArchivio(sorgenti), tabelle);
    EXPECT_EQ(Elenco(QDir(tabelle).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)),
              "KWArchivioComuni.db | KWEsteri.db | KWProvince.db | Province.db | ZRNuoveProvince.db");

    const auto righe = [&](const QString& nome) {
        tabelle::TSession sessione;
        sessione.AddPassword(PasswordArchivioComuni);
        tabelle::TTable t(nullptr, &sessione);
        t.DatabaseName = tabelle;
        t.TableName = nome;
        t.Open();
        QStringList r;
        for (int i = 0; i < t.RecordCount(); ++i) {
            QStringList campi;
            for (int c = 0; c < t.FieldCount(); ++c)
                if (!t.Fields(c)->IsBlob() && t.Fields(c)->FieldName() != "ID_001_TABLE")
                    campi << t.ValoreRiga(i, c).toString();
            r << campi.join(';');
        }
        return r;
    };
    // SysField and CodOp empty in data rows; a blank is stored as nothing;
    // the name's search form last.
    EXPECT_EQ(Elenco(righe("KWArchivioComuni.db").mid(1, 2)),
              ";;RM;ANGUILLARA SABAZIA;LAZIO;00061;06;A323;A323;ANGUILLARA SABAZIA | "
              ";;MI;MILANO;LOMBARDIA;20121;02;F205;F205;MILANO");
    EXPECT_EQ(righe("KWArchivioComuni.db").last().toStdString(), ";;RM;SANT'ANGELO ROMANO;LAZIO;;;I284;I284;SANT'ANGELO ROMANO");
    EXPECT_EQ(Elenco(righe("Province.db")), "MB;MONZA; | MI;MILANO; | RM;ROMA;");
    EXPECT_EQ(Elenco(righe("KWProvince.db")), "MB;LOMBARDIA | MI;LOMBARDIA | RM;LAZIO");
    EXPECT_EQ(Elenco(righe("ZRNuoveProvince.db")), "MONZA;MI;MB");

    // A second build with other rows replaces the content.
    s.esteri += "SAN MARINO;Z130;Z130\n";
    s.Scrivi(sorgenti);
    ScriviArchivioComuni(LeggiDatiArchivio(sorgenti), tabelle);
    EXPECT_EQ(Elenco(righe("KWEsteri.db").mid(1)), ";;FRANCIA;Z110;Z110;FRANCIA | ;;SAN MARINO;Z130;Z130;SAN MARINO");
    EXPECT_EQ(QDir(tabelle).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 5);

    // A destination that cannot be a folder: the error, and nothing written.
    const QString file = tmp.file("occupato");
    QFile(file).open(QIODevice::WriteOnly);
    EXPECT_THROW(ScriviArchivioComuni(LeggiDatiArchivio(sorgenti), file), std::exception);
}

TEST(StrumentoArchivioComuni, SorgentiErrateFallisconoSenzaToccareLeTabelle)
{
    CartellaTemporanea tmp;
    const QString sorgenti = tmp.sottocartella("csv");
    const QString tabelle = QDir(tmp.percorso()).filePath("nuova/ArchivioComuni");
    Sorgenti s;
    s.Scrivi(sorgenti);
    QProcess strumento;
    strumento.start(CREA_ARCHIVIO_COMUNI, {sorgenti, tabelle});
    ASSERT_TRUE(strumento.waitForFinished(30000));
    EXPECT_EQ(strumento.exitCode(), 0) << strumento.readAllStandardError().toStdString();
    EXPECT_TRUE(QString(strumento.readAllStandardOutput()).contains("5 comuni (0 sezioni), 1 stati esteri, 3 province"));
    const QByteArray prima = Impronta(QDir(tabelle).filePath("KWArchivioComuni.db"));

    s.comuni += "RM;roma bis;LAZIO;;;H502;H502\n";
    s.Scrivi(sorgenti);
    strumento.start(CREA_ARCHIVIO_COMUNI, {sorgenti, tabelle});
    ASSERT_TRUE(strumento.waitForFinished(30000));
    EXPECT_EQ(strumento.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(strumento.readAllStandardError()).contains("comuni.csv, riga 7: NomeComune \"roma bis\" non è in maiuscolo"));
    EXPECT_EQ(Impronta(QDir(tabelle).filePath("KWArchivioComuni.db")), prima);
    EXPECT_EQ(QDir(tabelle).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(), 5);

    strumento.start(CREA_ARCHIVIO_COMUNI, {sorgenti});
    ASSERT_TRUE(strumento.waitForFinished(30000));
    EXPECT_EQ(strumento.exitCode(), 2);
}

} // namespace
