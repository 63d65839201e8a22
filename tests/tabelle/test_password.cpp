// Protected tables: an encrypted file that only a session knowing the
// password opens.
#include "supporto_tabelle.h"

#include "tabelle/chiave.h"
#include "tabelle/connessione.h"
#include "tabelle/errore.h"
#include "tabelle/protezione.h"
#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

using namespace tabelle;
using namespace prova;

namespace {

// What plain SQLite, with no key, makes of the file.
QString LetturaSenzaChiave(const QString& percorso)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(percorso).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    char* errore = nullptr;
    const int r = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, &errore);
    const QString testo = r == SQLITE_OK ? QString("letto") : QString::fromUtf8(errore ? errore : "?");
    sqlite3_free(errore);
    sqlite3_close(db);
    return testo;
}

// The plain file encrypted as an earlier release of the engine wrote it,
// with its page size.
void CifraComePrima(const QString& percorso, const QString& password, int pagina)
{
    const QString cifrato = percorso + ".vecchio";
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(percorso).constData(), &db);
    const QByteArray chiave = ChiaveGrezza(password).replace("'", "''");
    const QByteArray sql = "PRAGMA cipher_default_page_size = " + QByteArray::number(pagina) + "; ATTACH DATABASE '" +
                           QFile::encodeName(cifrato) + "' AS v KEY '" + chiave + "'; PRAGMA v.page_size = " + QByteArray::number(pagina) +
                           "; SELECT sqlcipher_export('v'); DETACH DATABASE v;";
    char* errore = nullptr;
    ASSERT_EQ(sqlite3_exec(db, sql.constData(), nullptr, nullptr, &errore), SQLITE_OK) << (errore ? errore : "");
    sqlite3_close(db);
    ASSERT_TRUE(QFile::remove(percorso));
    ASSERT_TRUE(QFile::rename(cifrato, percorso));
}

class Password : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreaArchivio(s, tmp.percorso(), "Tratte.db", {{"A001", "", 1, 10, 1.5, "uno"}, {"B002", "", 2, 20, 2.5, "due"}, {"C003", "", 3, 30, 3.5, "tre"}});
        // The last row goes: the counter must still remember it.
        TTable t(nullptr, &s);
        t.DatabaseName = tmp.percorso();
        t.TableName = "Tratte.db";
        t.Open();
        t.Last();
        t.Delete();
    }
    QString File() const { return tmp.file("Tratte.db"); }
    std::unique_ptr<TTable> Tabella(TSession& sessione)
    {
        auto t = std::make_unique<TTable>(nullptr, &sessione);
        t->DatabaseName = tmp.percorso();
        t->TableName = "TRATTE.DB";
        return t;
    }

    CartellaTemporanea tmp;
    TSession s;
};

} // namespace

TEST_F(Password, SoloChiConosceLaPasswordApreLaTabella)
{
    ASSERT_EQ(LetturaSenzaChiave(File()), "letto");
    TQuery indice(nullptr, &s);
    indice.DatabaseName = tmp.percorso();
    indice.SQL << "Create Index IDxComune On \"Tratte.db\" (Comune)";
    indice.ExecSQL();
    s.AddPassword("tulp41");
    ImpostaPasswordTabella(s, File(), "tulp41");
    EXPECT_TRUE(LetturaSenzaChiave(File()).contains("file is encrypted") || LetturaSenzaChiave(File()).contains("not a database"))
        << LetturaSenzaChiave(File()).toStdString();
    EXPECT_FALSE(Contenuto(File()).contains("A001"));
    EXPECT_EQ(QDir(tmp.percorso()).entryList(QDir::Files), QStringList({"Tratte.db"}));

    // Rows, structure and counter survive: the next row continues the numbering.
    auto t = Tabella(s);
    t->Open();
    EXPECT_EQ(Colonna(*t, "Note"), QStringList({"uno", "due"}));
    t->Append();
    t->FieldByName("Comune")->SetAsString("D004");
    t->Post();
    EXPECT_EQ(t->FieldByName("ID_001_TABLE")->AsInteger(), 4);
    t->Close();
    EXPECT_EQ(t->GetIndexNames(), QStringList({"IDxComune"}));

    TSession senza;
    const QString mancante = ErroreDi([&] { Tabella(senza)->Open(); });
    EXPECT_TRUE(mancante.contains("Tratte.db")) << mancante.toStdString();
    EXPECT_TRUE(mancante.contains("password")) << mancante.toStdString();

    TSession errata;
    errata.AddPassword("tulp42");
    const QString sbagliata = ErroreDi([&] { Tabella(errata)->Open(); });
    EXPECT_TRUE(sbagliata.contains("Tratte.db")) << sbagliata.toStdString();
    EXPECT_TRUE(sbagliata.contains("password")) << sbagliata.toStdString();

    // Among several passwords the right one is found, wherever it stands.
    TSession varie;
    varie.AddPassword("prima");
    varie.AddPassword("tulp41");
    auto v = Tabella(varie);
    EXPECT_NO_THROW(v->Open());
    EXPECT_EQ(v->RecordCount(), 3);
}

TEST_F(Password, LaPasswordSiCambiaESiToglie)
{
    s.AddPassword("tulp41");
    ImpostaPasswordTabella(s, File(), "tulp41");
    s.AddPassword("nuova");
    ImpostaPasswordTabella(s, File(), "nuova");
    TSession vecchia;
    vecchia.AddPassword("tulp41");
    EXPECT_TRUE(ErroreDi([&] { Tabella(vecchia)->Open(); }).contains("Tratte.db"));

    ImpostaPasswordTabella(s, File(), "");
    EXPECT_EQ(LetturaSenzaChiave(File()), "letto");
    TSession nessuna;
    auto t = Tabella(nessuna);
    t->Open();
    EXPECT_EQ(Colonna(*t, "Comune"), QStringList({"A001", "B002"}));
}

TEST_F(Password, UnaProtezioneNonRiuscitaLasciaIlFileComEra)
{
    s.AddPassword("tulp41");
    ImpostaPasswordTabella(s, File(), "tulp41");
    const QByteArray prima = Contenuto(File());

    TSession estranea;
    estranea.AddPassword("altra");
    EXPECT_TRUE(ErroreDi([&] { ImpostaPasswordTabella(estranea, File(), "altra"); }).contains("Tratte.db"));

    // In use elsewhere: refused.
    auto aperta = Tabella(s);
    aperta->Open();
    TSession altra;
    altra.AddPassword("tulp41");
    EXPECT_TRUE(ErroreDi([&] { ImpostaPasswordTabella(altra, File(), "nuova"); }).contains("Tratte.db"));
    aperta->Close();

    EXPECT_EQ(Contenuto(File()), prima);
    EXPECT_EQ(QDir(tmp.percorso()).entryList(QDir::Files), QStringList({"Tratte.db"}));
}

TEST_F(Password, UnaTabellaCifrataConUnAltraDimensioneDiPaginaSiApre)
{
    for (const int pagina : {65536, 4096}) {
        CartellaTemporanea cartella;
        TSession sessione;
        CreaArchivio(sessione, cartella.percorso(), "Tratte.db", {{"A001", "", 1, 10, 1.5, "uno"}, {"B002", "", 2, 20, 2.5, "due"}});
        const QString file = cartella.file("Tratte.db");
        CifraComePrima(file, "tulp41", pagina);
        ASSERT_NE(pagina, DimensionePagina);

        // Read and written, and a wrong password still refused.
        TSession conPassword;
        conPassword.AddPassword("altra");
        conPassword.AddPassword("tulp41");
        TTable t(nullptr, &conPassword);
        t.DatabaseName = cartella.percorso();
        t.TableName = "Tratte.db";
        t.Open();
        EXPECT_EQ(Colonna(t, "Note"), QStringList({"uno", "due"})) << pagina;
        t.Append();
        t.FieldByName("Comune")->SetAsString("C003");
        t.Post();
        t.Close();
        TSession estranea;
        estranea.AddPassword("altra");
        TTable rifiutata(nullptr, &estranea);
        rifiutata.DatabaseName = cartella.percorso();
        rifiutata.TableName = "Tratte.db";
        EXPECT_TRUE(ErroreDi([&] { rifiutata.Open(); }).contains("password errata")) << pagina;

        // A new password rewrites the file with today's pages.
        ImpostaPasswordTabella(conPassword, file, "nuova");
        TSession nuova;
        nuova.AddPassword("nuova");
        TTable riletta(nullptr, &nuova);
        riletta.DatabaseName = cartella.percorso();
        riletta.TableName = "Tratte.db";
        riletta.Open();
        EXPECT_EQ(Colonna(riletta, "Comune"), QStringList({"A001", "B002", "C003"})) << pagina;
    }
}
