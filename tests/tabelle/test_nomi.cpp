// Table names resolve without regard to case, in tables and in SQL.
#include "supporto_tabelle.h"

#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tabelle;
using namespace prova;

namespace {

QStringList FileTabelle(const QString& cartella)
{
    return QDir(cartella).entryList({"*.db", "*.DB", "*.Db"}, QDir::Files, QDir::Name);
}

} // namespace

TEST(NomiTabelle, OgniGrafiaApreLoStessoFile)
{
    CartellaTemporanea tmp;
    TSession s;
    CreaArchivio(s, tmp.percorso(), "Tratte.db", {{"A001", "", 1, 10, 12.5, "uno"}, {"B002", "B", 2, 20, 7.25, "due"}});

    for (const char* nome : {"Tratte.db", "Tratte.DB", "TRATTE.DB", "tratte", "TRATTE"}) {
        TTable t(nullptr, &s);
        t.DatabaseName = tmp.percorso();
        t.TableName = nome;
        t.Open();
        EXPECT_EQ(t.RecordCount(), 2) << nome;
    }
    const QString cartella = tmp.percorso();
    const QString rovesciata = QString(cartella).replace('/', '\\');
    for (const QString& sql : {QString("Select Comune from \"TRATTE.DB\" order by Comune"),
                              QString("Select Comune from TRATTE.DB order by Comune"),
                              QString("Select T.Comune from \"tratte.db\" T order by T.Comune"),
                              "Select Comune from \"" + cartella + "/TRATTE.DB\" order by Comune",
                              "Select Comune from \"" + rovesciata + "\\Tratte.DB\" order by Comune"})
        EXPECT_EQ(Righe(s, cartella, sql), QStringList({"A001", "B002"})) << sql.toStdString();
    // A full path as the table name of a table object, any database.
    TTable t(nullptr, &s);
    t.TableName = rovesciata + "\\TRATTE.db";
    t.Open();
    EXPECT_EQ(t.RecordCount(), 2);
    t.Close();

    // Writing through another spelling changes the same file.
    TQuery q(nullptr, &s);
    q.DatabaseName = cartella;
    q.SQL << "Delete from \"TRATTE.DB\" where Comune = 'A001'";
    q.ExecSQL();
    EXPECT_EQ(q.RowsAffected(), 1);
    EXPECT_EQ(Righe(s, cartella, "Select Comune from \"Tratte.db\""), QStringList({"B002"}));
    EXPECT_EQ(FileTabelle(cartella), QStringList({"Tratte.db"}));
}

TEST(NomiTabelle, UnaNuovaTabellaPrendeLaGrafiaData)
{
    CartellaTemporanea tmp;
    TSession s;
    CreaArchivio(s, tmp.percorso(), "PRV.DB", {});
    CreaArchivio(s, tmp.percorso(), "TratteLibretto.DB", {{"C003", "", 3, 30, 1.0, ""}});
    EXPECT_EQ(FileTabelle(tmp.percorso()), QStringList({"PRV.DB", "TratteLibretto.DB"}));

    // Recreating under another spelling replaces the existing file.
    CreaArchivio(s, tmp.percorso(), "prv.db", {{"D004", "", 4, 40, 2.0, ""}});
    EXPECT_EQ(FileTabelle(tmp.percorso()), QStringList({"PRV.DB", "TratteLibretto.DB"}));
    EXPECT_EQ(Righe(s, tmp.percorso(), "Select Comune from \"Prv.DB\""), QStringList({"D004"}));

    // A table made by SQL too.
    TQuery q(nullptr, &s);
    q.DatabaseName = tmp.percorso();
    q.SQL << "Create Table \"StampaTratte.db\" (Comune Char(4), Foglio Integer)";
    q.ExecSQL();
    EXPECT_TRUE(FileTabelle(tmp.percorso()).contains("StampaTratte.db"));
}

// One file reached through differently written paths is one table to the
// session: an exclusive open does not shut out the session's own query.
TEST(NomiTabelle, PercorsiScrittiDiversamenteSonoLaStessaTabella)
{
    CartellaTemporanea tmp;
    TSession s;
    const QString sotto = tmp.sottocartella("Archivi");
    CreaArchivio(s, sotto, "Tratte.db", {{"A001", "", 1, 10, 12.5, ""}});

    TTable esclusiva(nullptr, &s);
    esclusiva.DatabaseName = sotto + "/";
    esclusiva.TableName = "Tratte.db";
    esclusiva.Exclusive = true;
    esclusiva.Open();
    const QString giro = tmp.percorso() + "//Archivi/../Archivi/./TRATTE.DB";
    EXPECT_EQ(Righe(s, tmp.percorso(), "Select Comune from \"" + giro + "\""), QStringList({"A001"}));
    TTable altra(nullptr, &s);
    altra.TableName = giro;
    EXPECT_NO_THROW(altra.Open());
}
