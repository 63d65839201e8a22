// The generator of distribution series: every generated line read back by
// the loader's fixed columns, the file names and the split over the files,
// the seed, the province's own comuni, and the refused parameters.
#include "generatore_dis.h"
#include "supporto/cartella_temporanea.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

using namespace banco;

namespace {

const QStringList ComuniPrato{"B626", "B794", "F572", "G754", "G999", "L537", "L775"};

QByteArray Contenuto(const QString& percorso)
{
    QFile f(percorso);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << percorso.toStdString();
    return f.readAll();
}

// The lines of a file, each of which must end with CR LF.
QList<QByteArray> Righe(const QString& percorso)
{
    const QByteArray testo = Contenuto(percorso);
    QList<QByteArray> righe;
    qsizetype inizio = 0;
    for (qsizetype fine; (fine = testo.indexOf('\n', inizio)) >= 0; inizio = fine + 1) {
        EXPECT_TRUE(fine > inizio && testo[fine - 1] == '\r') << "riga senza CR LF in " << percorso.toStdString();
        righe << testo.mid(inizio, fine - 1 - inizio);
    }
    EXPECT_EQ(inizio, testo.size()) << "ultima riga senza CR LF in " << percorso.toStdString();
    return righe;
}

// A line read as the loader reads it: columns counted from 1.
struct RigaDis {
    QByteArray riga;
    QByteArray Colonne(int da, int a) const { return riga.mid(da - 1, a - da + 1); }
    QByteArray Comune(int p) const { return Colonne(p == 1 ? 1 : 19, p == 1 ? 4 : 22); }
    char Sezione(int p) const { return riga[p == 1 ? 4 : 22]; }
    int Foglio(int p) const { return Colonne(p == 1 ? 7 : 25, p == 1 ? 10 : 28).toInt(); }
    char Allegato(int p) const { return riga[p == 1 ? 11 : 29]; }
    int Pf(int p) const { return Colonne(p == 1 ? 16 : 34, p == 1 ? 17 : 35).toInt(); }
    QByteArray Protocollo() const { return Colonne(37, 49); }
    double Distanza() const { return Colonne(51, 62).trimmed().toDouble(); }
    double Scarto() const { return Colonne(64, 75).trimmed().toDouble(); }
};

SerieDis Serie(int file, qint64 righe, quint32 seme = 1)
{
    SerieDis s;
    s.sigla = "PO";
    s.file = file;
    s.righe = righe;
    s.comuni = ComuniPrato;
    s.seme = seme;
    return s;
}

// Checks every column of one line; returns the failures found.
QStringList ErroriDiColonna(const RigaDis& r, const QSet<QByteArray>& comuni)
{
    QStringList errori;
    auto controlla = [&](bool ok, const char* cosa) {
        if (!ok)
            errori << QString::fromLatin1(cosa);
    };
    static const QRegularExpression foglio("^\\d{4}$"), pf("^\\d{2}$"), protocollo("^PO(20[12]\\d)\\d{7}$"),
        metri("^ *\\d+\\.\\d{3}$");
    const QString testo = QString::fromLatin1(r.riga);
    controlla(r.riga.size() == 75, "lunghezza 75");
    for (int c : {6, 11, 13, 14, 15, 18, 24, 29, 31, 32, 33, 36, 50, 63})
        controlla(r.riga[c - 1] == ' ', "colonna di separazione vuota");
    for (int p : {1, 2}) {
        controlla(comuni.contains(r.Comune(p)), "comune della provincia");
        controlla(r.Sezione(p) == ' ' || (r.Sezione(p) >= 'A' && r.Sezione(p) <= 'Z'), "sezione vuota o lettera");
        controlla(r.Allegato(p) == ' ' || (r.Allegato(p) >= 'A' && r.Allegato(p) <= 'Z'), "allegato vuoto o lettera");
        controlla(foglio.match(QString::fromLatin1(r.Colonne(p == 1 ? 7 : 25, p == 1 ? 10 : 28))).hasMatch(), "foglio 0000");
        controlla(r.Foglio(p) >= 1 && r.Foglio(p) <= 80, "foglio 1-80");
        controlla(pf.match(QString::fromLatin1(r.Colonne(p == 1 ? 16 : 34, p == 1 ? 17 : 35))).hasMatch(), "PF 00");
        controlla(r.Pf(p) >= 1 && r.Pf(p) <= 99, "PF 1-99");
    }
    const auto anno = protocollo.match(QString::fromLatin1(r.Protocollo()));
    controlla(anno.hasMatch() && anno.captured(1).toInt() >= 2012 && anno.captured(1).toInt() <= 2026, "protocollo PO+anno+numero");
    controlla(metri.match(QString::fromLatin1(r.Colonne(51, 62))).hasMatch(), "distanza a destra, 3 decimali");
    controlla(metri.match(QString::fromLatin1(r.Colonne(64, 75))).hasMatch(), "scarto a destra, 3 decimali");
    controlla(r.Distanza() >= 5 && r.Distanza() <= 1500, "distanza 5-1500");
    controlla(r.Scarto() >= 0.001 && r.Scarto() <= 0.150, "scarto 0.001-0.150");
    controlla(r.Colonne(1, 17) != r.Colonne(19, 35), "due punti diversi");
    return errori;
}

} // namespace

TEST(GeneratoreDis, OgniRigaHaLeColonneCheIlCaricamentoLegge)
{
    CartellaTemporanea tmp;
    const QStringList file = GeneraSerie(tmp.file("serie"), Serie(2, 3000, 7));
    ASSERT_EQ(file.size(), 2);
    const QSet<QByteArray> comuni{"B626", "B794", "F572", "G754", "G999", "L537", "L775"};

    QList<RigaDis> righe;
    for (const QString& f : file)
        for (const QByteArray& r : Righe(f))
            righe << RigaDis{r};
    ASSERT_EQ(righe.size(), 3000);

    QMap<QString, int> errori;
    for (const RigaDis& r : righe)
        for (const QString& e : ErroriDiColonna(r, comuni))
            ++errori[e];
    EXPECT_TRUE(errori.isEmpty()) << QStringList(errori.keys()).join(", ").toStdString();

    // The edge case of the loader's layout, rebuilt from a parsed line:
    // the columns hold exactly what the fields say.
    const RigaDis& prima = righe.front();
    const QByteArray ricostruita = prima.Comune(1) + prima.Sezione(1) + ' ' + QByteArray::number(prima.Foglio(1)).rightJustified(4, '0') +
                                   ' ' + prima.Allegato(1) + "   " + QByteArray::number(prima.Pf(1)).rightJustified(2, '0') + ' ' +
                                   prima.Comune(2) + prima.Sezione(2) + ' ' +
                                   QByteArray::number(prima.Foglio(2)).rightJustified(4, '0') + ' ' + prima.Allegato(2) + "   " +
                                   QByteArray::number(prima.Pf(2)).rightJustified(2, '0') + ' ' + prima.Protocollo() + ' ' +
                                   QByteArray::number(prima.Distanza(), 'f', 3).rightJustified(12) + ' ' +
                                   QByteArray::number(prima.Scarto(), 'f', 3).rightJustified(12);
    EXPECT_EQ(ricostruita, prima.riga);
}

TEST(GeneratoreDis, LeRigheSonoRaggruppatePerComuneERilievo)
{
    CartellaTemporanea tmp;
    QList<RigaDis> righe;
    for (const QString& f : GeneraSerie(tmp.percorso(), Serie(3, 4000, 11)))
        for (const QByteArray& r : Righe(f))
            righe << RigaDis{r};
    ASSERT_EQ(righe.size(), 4000);

    // The comuni in code order, each together, across the file boundaries;
    // every comune of the province has rows.
    QStringList ordine;
    for (const RigaDis& r : righe)
        if (ordine.isEmpty() || ordine.back() != r.Comune(1))
            ordine << QString::fromLatin1(r.Comune(1));
    EXPECT_EQ(ordine, ComuniPrato);

    // A protocol is one survey: its rows are together, and a survey
    // measures several distances.
    QSet<QByteArray> chiusi;
    QByteArray corrente;
    int rilievi = 0, stessoComune = 0, stessoFoglio = 0, fogliVicini = 0, allegati = 0;
    QMap<QByteArray, QSet<char>> sezioniDelComune;
    for (const RigaDis& r : righe) {
        if (r.Protocollo() != corrente) {
            EXPECT_FALSE(chiusi.contains(r.Protocollo())) << "protocollo ripreso: " << r.Protocollo().toStdString();
            chiusi.insert(corrente);
            corrente = r.Protocollo();
            ++rilievi;
        }
        if (r.Comune(1) == r.Comune(2) && r.Sezione(1) == r.Sezione(2)) {
            ++stessoComune;
            stessoFoglio += r.Foglio(1) == r.Foglio(2);
            // Neighbours on a map at most 9 sheets wide: two steps at most.
            fogliVicini += std::abs(r.Foglio(1) - r.Foglio(2)) <= 18;
        }
        allegati += (r.Allegato(1) != ' ') + (r.Allegato(2) != ' ');
        sezioniDelComune[r.Comune(1)].insert(r.Sezione(1));
    }
    EXPECT_GT(righe.size(), 2 * rilievi);
    EXPECT_GT(stessoComune, righe.size() * 9 / 10);
    EXPECT_GT(stessoFoglio, stessoComune * 3 / 5);
    EXPECT_EQ(fogliVicini, stessoComune);
    EXPECT_GT(allegati, 0);
    EXPECT_LT(allegati, righe.size() * 2 / 5);
    // A comune has sections on all its rows or on none.
    for (auto it = sezioniDelComune.cbegin(); it != sezioniDelComune.cend(); ++it)
        EXPECT_TRUE(!it.value().contains(' ') || it.value().size() == 1) << it.key().toStdString();
}

TEST(GeneratoreDis, LoStessoSemeDaGliStessiFile)
{
    CartellaTemporanea tmp;
    const QStringList a = GeneraSerie(tmp.file("a"), Serie(2, 1500, 5));
    const QStringList b = GeneraSerie(tmp.file("b"), Serie(2, 1500, 5));
    const QStringList c = GeneraSerie(tmp.file("c"), Serie(2, 1500, 6));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Contenuto(a[i]), Contenuto(b[i]));
        EXPECT_NE(Contenuto(a[i]), Contenuto(c[i]));
    }
}

TEST(GeneratoreDis, NomiDeiFileERipartizioneDelleRighe)
{
    CartellaTemporanea tmp;
    SerieDis s = Serie(3, 7);
    s.sigla = "Po";
    s.mese = 3;
    s.anno = 5;
    const QString cartella = tmp.file("nuova/serie"); // made when missing
    const QStringList file = GeneraSerie(cartella, s);
    const QStringList attesi{QDir(cartella).filePath("po030501.dis"), QDir(cartella).filePath("po030502.dis"),
                             QDir(cartella).filePath("po030503.dis")};
    EXPECT_EQ(file, attesi);
    QList<qsizetype> conteggi;
    for (const QString& f : file)
        conteggi << Righe(f).size();
    EXPECT_EQ(conteggi, (QList<qsizetype>{3, 2, 2}));

    // Fewer lines than files: the last files are empty. A file of the same
    // name is replaced, any other file of the folder stays.
    QFile altro(QDir(cartella).filePath("rm990901.dis"));
    ASSERT_TRUE(altro.open(QIODevice::WriteOnly));
    altro.write("x\r\n");
    altro.close();
    s.righe = 2;
    GeneraSerie(cartella, s);
    conteggi.clear();
    for (const QString& f : file)
        conteggi << Righe(f).size();
    EXPECT_EQ(conteggi, (QList<qsizetype>{1, 1, 0}));
    EXPECT_EQ(Contenuto(altro.fileName()), "x\r\n");

    // Two-digit file numbers.
    s.file = 12;
    s.righe = 24;
    EXPECT_EQ(QFileInfo(GeneraSerie(tmp.file("dodici"), s).back()).fileName(), "po030512.dis");
}

TEST(GeneratoreDis, ComuniDellaProvinciaDalleSorgentiCsv)
{
    EXPECT_EQ(ComuniDellaProvincia(CARTELLA_SORGENTI_COMUNI, "PO"), ComuniPrato);
    EXPECT_EQ(ComuniDellaProvincia(CARTELLA_SORGENTI_COMUNI, "po"), ComuniPrato);
    const QStringList roma = ComuniDellaProvincia(CARTELLA_SORGENTI_COMUNI, "RM");
    EXPECT_GT(roma.size(), 100);
    EXPECT_TRUE(roma.contains("H501"));
    EXPECT_FALSE(roma.contains("G999"));
    EXPECT_TRUE(ComuniDellaProvincia(CARTELLA_SORGENTI_COMUNI, "XX").isEmpty());

    CartellaTemporanea tmp;
    EXPECT_THROW(ComuniDellaProvincia(tmp.percorso(), "PO"), EGenerazioneDis);
    QFile csv(tmp.file("comuni.csv"));
    ASSERT_TRUE(csv.open(QIODevice::WriteOnly));
    csv.write("Provincia;NomeComune\nPO;PRATO\n");
    csv.close();
    EXPECT_THROW(ComuniDellaProvincia(tmp.percorso(), "PO"), EGenerazioneDis);
}

TEST(GeneratoreDis, ParametriNonValidiNonScrivonoNulla)
{
    CartellaTemporanea tmp;
    auto rifiutata = [&](SerieDis s) {
        const QString cartella = tmp.file("rifiutata");
        try {
            GeneraSerie(cartella, s);
        } catch (const EGenerazioneDis& e) {
            EXPECT_FALSE(e.messaggio().isEmpty());
            return !QFileInfo::exists(cartella);
        }
        return false;
    };
    SerieDis s = Serie(3, 10);
    for (const char* sigla : {"P", "P1", "POR", ""}) {
        s.sigla = sigla;
        EXPECT_TRUE(rifiutata(s)) << sigla;
    }
    s = Serie(3, 10);
    s.mese = 13;
    EXPECT_TRUE(rifiutata(s));
    s = Serie(0, 10);
    EXPECT_TRUE(rifiutata(s));
    s = Serie(100, 10);
    EXPECT_TRUE(rifiutata(s));
    s = Serie(3, -1);
    EXPECT_TRUE(rifiutata(s));
    s = Serie(3, 10);
    s.comuni.clear();
    EXPECT_TRUE(rifiutata(s));
    s.comuni = QStringList{"G999", "G99"};
    EXPECT_TRUE(rifiutata(s));
}

TEST(GeneratoreDis, SerieDiEsempioDellInstallazione)
{
    // What the build puts in Esempi/ for the installation: one province's
    // series, 3 files, its own comuni only.
    const QStringList file = QDir(CARTELLA_ESEMPI).entryList({"*.dis"}, QDir::Files, QDir::Name);
    EXPECT_EQ(file, (QStringList{"po122601.dis", "po122602.dis", "po122603.dis"}));
    const QSet<QByteArray> comuni{"B626", "B794", "F572", "G754", "G999", "L537", "L775"};
    qsizetype totale = 0;
    for (const QString& f : file) {
        const QList<QByteArray> righe = Righe(QDir(CARTELLA_ESEMPI).filePath(f));
        totale += righe.size();
        for (const QByteArray& r : righe)
            ASSERT_TRUE(ErroriDiColonna(RigaDis{r}, comuni).isEmpty()) << r.toStdString();
    }
    EXPECT_EQ(totale, 3000);
}

TEST(GeneratoreDis, IlCapoluogoHaLaSuaQuotaDiRighe)
{
    CartellaTemporanea tmp;
    SerieDis serie = Serie(2, 10000, 5);
    serie.capoluogo = ComuniPrato[2];
    serie.capoluogoPerMille = 300;
    QMap<QString, int> perComune;
    for (const QString& f : GeneraSerie(tmp.percorso(), serie))
        for (const QByteArray& r : Righe(f))
            ++perComune[QString::fromLatin1(RigaDis{r}.Comune(1))];
    // What the rounding leaves goes one row each to the first comuni.
    EXPECT_NEAR(perComune.value(serie.capoluogo), 3000, ComuniPrato.size());
    EXPECT_EQ(perComune.keys(), ComuniPrato);
    int somma = 0;
    for (const int n : std::as_const(perComune))
        somma += n;
    EXPECT_EQ(somma, 10000);
}
