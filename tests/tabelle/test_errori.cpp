// Bad input: each case gives an engine error that says which table or
// statement failed, and leaves the table files as they were.
#include "supporto_tabelle.h"

#include "tabelle/connessione.h"
#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include <QDir>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace tabelle;
using namespace prova;

namespace {

class Errori : public ::testing::Test {
protected:
    void SetUp() override
    {
        QList<QVariantList> righe;
        // Enough rows for several storage pages.
        for (int i = 1; i <= 1500; ++i)
            righe << QVariantList{"A001", "", i, i, i / 4.0, QString("nota %1").arg(i)};
        CreaArchivio(s, tmp.percorso(), "Tratte.db", righe);
    }
    QString File() const { return tmp.file("Tratte.db"); }
    std::function<void()> Apertura(TSession& sessione)
    {
        return [this, &sessione] {
            TTable t(nullptr, &sessione);
            t.DatabaseName = tmp.percorso();
            t.TableName = "TRATTE.DB";
            t.Open();
            t.Last();
        };
    }
    std::function<void()> Esecuzione(TSession& sessione, const QString& sql)
    {
        return [this, &sessione, sql] {
            TQuery q(nullptr, &sessione);
            q.DatabaseName = tmp.percorso();
            q.SQL << sql;
            if (sql.startsWith("Select"))
                q.Open();
            else
                q.ExecSQL();
        };
    }

    CartellaTemporanea tmp;
    TSession s;
};

} // namespace

TEST_F(Errori, CartellaMancante)
{
    const QString manca = tmp.percorso() + "/Archivi";
    TTable t(nullptr, &s);
    t.DatabaseName = manca;
    t.TableName = "Tratte.db";
    EXPECT_TRUE(ErroreDi([&] { t.Open(); }).contains("Archivi"));
    TDatabase db(nullptr, &s);
    db.DatabaseName = "Database";
    db.Params << "PATH=" + manca;
    EXPECT_TRUE(ErroreDi([&] { db.Open(); }).contains("Archivi"));
    EXPECT_FALSE(db.Connected());
    t.DatabaseName = "Database";
    EXPECT_TRUE(ErroreDi([&] { t.Open(); }).contains("Archivi"));
    t.FieldDefs = CampiArchivio();
    EXPECT_TRUE(ErroreDi([&] { t.CreateTable(); }).contains("Archivi"));
    TQuery q(nullptr, &s);
    q.DatabaseName = manca;
    q.SQL << "Select * from \"Tratte.db\"";
    EXPECT_TRUE(ErroreDi([&] { q.Open(); }).contains("Archivi"));
    EXPECT_FALSE(QDir(manca).exists());
}

TEST_F(Errori, FileDanneggiati)
{
    const QByteArray integro = Contenuto(File());
    const int pagina = DimensionePagina;
    ASSERT_GT(integro.size(), 2 * pagina);
    QByteArray casuale(40000, '\0');
    for (char& c : casuale)
        c = char(QRandomGenerator::global()->bounded(256));
    // The table's root page overwritten.
    QByteArray rovinato = integro;
    for (int i = pagina; i < 2 * pagina; ++i)
        rovinato[i] = char(0xFF);
    const QList<QPair<const char*, QByteArray>> casi = {
        {"vuoto", QByteArray()},
        {"casuale", casuale},
        {"intestazione sola", integro.left(100)},
        {"troncato", integro.left(pagina + 200)},
        {"pagina rovinata", rovinato},
    };
    TSession conPassword;
    conPassword.AddPassword("tulp41");
    for (const auto& [nome, byte] : casi) {
        ScriviContenuto(File(), byte);
        for (TSession* sessione : {&s, &conPassword}) {
            for (const auto& azione : {Apertura(*sessione), Esecuzione(*sessione, "Select Note from \"Tratte.db\" order by Note"),
                                       Esecuzione(*sessione, "Delete from \"Tratte.db\" where PF > 10")}) {
                const QString errore = ErroreDi(azione);
                EXPECT_TRUE(errore.contains("Tratte.db")) << nome << ": " << errore.toStdString();
                EXPECT_EQ(Contenuto(File()), byte) << nome;
            }
        }
    }
    ScriviContenuto(File(), integro);
    EXPECT_NO_THROW(Apertura(s)());
}

TEST_F(Errori, IstruzioniMalformate)
{
    const QByteArray prima = Contenuto(File());
    for (const QString& sql : {QString("Selec * from \"Tratte.db\""),
                              QString("Select * from \"Tratte.db\" where (Comune = 'A001'"),
                              QString("Select Nessuno from \"Tratte.db\""),
                              QString("Delete from \"Tratte.db\" where"),
                              QString("Update \"Tratte.db\" set Foglio = where PF = 1"),
                              QString("Alter Table \"Tratte.db\" Add Nuovo Char(2), Add Comune Integer"),
                              QString("Create Index IDxManca On \"Tratte.db\" (Manca)")}) {
        const QString errore = ErroreDi(Esecuzione(s, sql));
        EXPECT_FALSE(errore.isEmpty()) << sql.toStdString();
        EXPECT_TRUE(errore.contains("Tratte.db", Qt::CaseInsensitive)) << sql.toStdString() << " -> " << errore.toStdString();
    }
    // A table that is not there is named.
    EXPECT_TRUE(ErroreDi(Esecuzione(s, "Select * from \"Manca.db\" M, \"Tratte.db\" T")).contains("Manca.db"));
    EXPECT_EQ(Contenuto(File()), prima);
    TTable t(nullptr, &s);
    t.DatabaseName = tmp.percorso();
    t.TableName = "Tratte.db";
    EXPECT_EQ(t.GetFieldNames().size(), 7);
}

TEST_F(Errori, ValoriNonValidiETabellaInUso)
{
    TTable t(nullptr, &s);
    t.DatabaseName = tmp.percorso();
    t.TableName = "Tratte.db";
    t.Exclusive = true;
    t.Open();
    t.Edit();
    EXPECT_TRUE(ErroreDi([&] { t.FieldByName("Foglio")->SetAsString("12a"); }).contains("Foglio"));
    EXPECT_TRUE(ErroreDi([&] { t.FieldByName("Distanza")->SetAsString("1,5"); }).contains("Distanza"));
    EXPECT_EQ(t.FieldByName("Foglio")->AsInteger(), 1);
    t.FieldByName("Distanza")->SetAsString(" 1.5 ");
    t.Post();
    EXPECT_DOUBLE_EQ(t.FieldByName("Distanza")->AsFloat(), 1.5);

    const QByteArray prima = Contenuto(File());
    TSession altra;
    EXPECT_TRUE(ErroreDi(Esecuzione(altra, "Delete from \"Tratte.db\"")).contains("Tratte.db"));
    EXPECT_TRUE(ErroreDi(Apertura(altra)).contains("Tratte.db"));
    EXPECT_EQ(Contenuto(File()), prima);
}
