// The local SQL of the program run against table files: blanks, LIKE,
// NULL tests, ordering, DISTINCT, DELETE, ALTER TABLE, CREATE INDEX,
// parameters and a second table under an alias.
#include "supporto_tabelle.h"

#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include <gtest/gtest.h>

using namespace tabelle;
using namespace prova;

namespace {

int Esegui(TSession& s, const QString& cartella, const QString& sql, const QVariantMap& parametri = {})
{
    TQuery q(nullptr, &s);
    q.DatabaseName = cartella;
    q.SQL << sql;
    for (auto it = parametri.begin(); it != parametri.end(); ++it)
        q.ParamByName(it.key()).Value = it.value();
    q.ExecSQL();
    return q.RowsAffected();
}

class SqlLocale : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreaArchivio(s, tmp.percorso(), "Tratte.db",
                     {{"A001", "", 1, 10, 12.5, "Roma  "},
                      {"A001", "B", 1, 10, 3.0, "ROMA"},
                      {"A001", " ", 1, 11, 4.75, "romano"},
                      {"B002", "", 2, 20, 100.0, "   "},
                      {"B002", "C", 2, 21, 0.5, "  Ostia "}});
    }
    QStringList Leggi(const QString& sql, const QVariantMap& parametri = {}) { return Righe(s, tmp.percorso(), sql, parametri); }

    CartellaTemporanea tmp;
    TSession s;
};

} // namespace

TEST_F(SqlLocale, IBianchiSonoNullETroncatiADestra)
{
    EXPECT_EQ(Leggi("Select ID_001_TABLE, Note from \"Tratte.db\" where Note is not null order by ID_001_TABLE"),
              QStringList({"1|Roma", "2|ROMA", "3|romano", "5|  Ostia"}));
    EXPECT_EQ(Leggi("Select ID_001_TABLE from \"Tratte.db\" where Note = '' or Sezione = ''"), QStringList({"1", "3", "4"}));
    EXPECT_EQ(Leggi("Select ID_001_TABLE from \"Tratte.db\" where Sezione is null and Note <> ''"), QStringList({"1", "3"}));
    // A string parameter bound to '' is a blank too.
    EXPECT_EQ(Leggi("Select ID_001_TABLE from \"Tratte.db\" where Sezione = :Sez and Comune = :Com",
                    {{"Sez", QString("")}, {"Com", QString("B002")}}),
              QStringList({"4"}));
    EXPECT_EQ(Leggi("Select ID_001_TABLE from \"Tratte.db\" where Sezione = :Sez and Note = :Nota",
                    {{"Sez", QString("  ")}, {"Nota", QString("Roma   ")}}),
              QStringList({"1"}));
    // A blank written by SQL is stored as NULL as well.
    EXPECT_EQ(Esegui(s, tmp.percorso(), "Update \"Tratte.db\" set Note = '' where ID_001_TABLE = 5"), 1);
    EXPECT_EQ(Leggi("Select count(*) from \"Tratte.db\" where Note is null"), QStringList({"2"}));
}

TEST_F(SqlLocale, LikeOrdinamentoDistinctENull)
{
    // LIKE tells upper from lower case.
    EXPECT_EQ(Leggi("Select ID_001_TABLE from \"Tratte.db\" where Note like 'Rom%'"), QStringList({"1"}));
    EXPECT_EQ(Leggi("Select ID_001_TABLE from \"Tratte.db\" where Note like '%O%'"), QStringList({"2", "5"}));
    // Parameters, one of them glued to LIKE.
    EXPECT_EQ(Leggi("Select ID_001_TABLE from \"Tratte.db\" com where com.\"Note\" like:Nome or com.\"Comune\" like :Comune",
                    {{"Nome", QString("ro%")}, {"Comune", QString("B%")}}),
              QStringList({"3", "4", "5"}));
    EXPECT_EQ(Leggi("Select ID_001_TABLE from \"Tratte.db\" where (Sezione is null and Foglio = 1) or (PF = 21 and not Note is null)"),
              QStringList({"1", "3", "5"}));
    EXPECT_EQ(Leggi("Select ID_001_TABLE from \"Tratte.db\" Where (ID_001_TABLE > 1)  And ((Not Note Like 'R%') Or (Note is Null)) "),
              QStringList({"3", "4", "5"}));
    EXPECT_EQ(Leggi("Select PF, Distanza from \"Tratte.db\" order by Distanza desc"),
              QStringList({"20|100", "10|12.5", "11|4.75", "10|3", "21|0.5"}));
    EXPECT_EQ(Leggi("Select Comune, PF from \"Tratte.db\" order by Comune desc, PF"),
              QStringList({"B002|20", "B002|21", "A001|10", "A001|10", "A001|11"}));
    EXPECT_EQ(Leggi("Select Distinct Comune, Foglio from \"Tratte.db\" order by Comune desc"), QStringList({"B002|2", "A001|1"}));
}

TEST_F(SqlLocale, DeleteAlterTableECreateIndex)
{
    EXPECT_EQ(Esegui(s, tmp.percorso(), "Delete From \"Tratte.db\" Where Comune = 'Z999'"), 0);
    EXPECT_EQ(Esegui(s, tmp.percorso(), "Delete From \"Tratte.db\" Where Comune = :C and PF > 10", {{"C", QString("A001")}}), 1);
    EXPECT_EQ(Leggi("Select ID_001_TABLE from \"Tratte.db\""), QStringList({"1", "2", "4", "5"}));

    EXPECT_EQ(Esegui(s, tmp.percorso(), "Alter Table \"TRATTE.DB\" Add Provincia Char(2), Add Anno Integer, Add Peso Numeric(12,0)"), 0);
    TTable t(nullptr, &s);
    t.DatabaseName = tmp.percorso();
    t.TableName = "Tratte.db";
    EXPECT_EQ(t.GetFieldNames().mid(7), QStringList({"Provincia", "Anno", "Peso"}));

    // A statement that is not counted reports no rows.
    EXPECT_EQ(Esegui(s, tmp.percorso(), "Create Index IDxComune On \"Tratte.db\" (Comune)"), 0);
    EXPECT_TRUE(t.GetIndexNames().contains("IDxComune"));
    t.IndexName = "IDxComune";
    t.Open();
    EXPECT_EQ(Colonna(t, "Comune"), QStringList({"A001", "A001", "B002", "B002"}));
    t.Edit();
    t.FieldByName("Provincia")->SetAsString("rm");
    t.FieldByName("Peso")->SetAsString("2.5");
    t.Post();
    EXPECT_EQ(Leggi("Select Provincia, Peso from \"Tratte.db\" where ID_001_TABLE = 5"), QStringList({"rm|2.5"}));
    t.Close();

    // Dropping a table removes its file.
    EXPECT_EQ(Esegui(s, tmp.percorso(), "Drop Table \"TRATTE.DB\""), 0);
    EXPECT_FALSE(t.Exists());
}

// The several-point search: the archive joined with the pair table, NULL
// sections matching only NULL.
TEST_F(SqlLocale, SecondaTabellaConAlias)
{
    TFieldDefs campi;
    campi.Add("Comune1", TFieldType::ftString, 4);
    campi.Add("Sezione1", TFieldType::ftString, 1);
    campi.Add("Foglio1", TFieldType::ftInteger);
    campi.Add("Fiduciale1", TFieldType::ftInteger);
    CreaTabella(s, tmp.percorso(), "Combinazioni.db", campi, {},
                {{"A001", "", 1, 10}, {"B002", "C", 2, 21}, {"A001", "X", 1, 11}, {"B002", "", 9, 20}});
    const QString sql = "Select ID_001_TABLE, Comune, PF from \"TRATTE.DB\" ,Combinazioni C"
                        " Where (ID_001_TABLE > 0) And  (Comune = 'A001' or Comune = 'B002')"
                        " AND Comune=C.Comune1 "
                        " AND ((Sezione=C.Sezione1) OR ((Sezione Is Null) And (Sezione1 Is Null)) ) "
                        " AND Foglio=C.Foglio1 "
                        " AND PF=C.Fiduciale1 "
                        " Order By ID_001_TABLE";
    EXPECT_EQ(Leggi(sql), QStringList({"1|A001|10", "5|B002|21"}));
    // A table of a subquery adds no row key; a parameter in the select list
    // stays apart from the keys.
    EXPECT_EQ(Leggi("Select ID_001_TABLE, :Etichetta as Etichetta from \"Tratte.db\" where Comune in "
                    "(Select Comune1 from Combinazioni where Sezione1 = 'C') order by ID_001_TABLE",
                    {{"Etichetta", QString("x")}}),
              QStringList({"4|x", "5|x"}));

    TQuery sotto(nullptr, &s);
    sotto.DatabaseName = tmp.percorso();
    sotto.SQL << "Select * from \"Tratte.db\" where Comune in (Select Comune1 from Combinazioni where Foglio1 = 9)";
    sotto.RequestLive = true;
    sotto.Open();
    ASSERT_TRUE(sotto.CanModify());
    EXPECT_EQ(Colonna(sotto, "ID_001_TABLE"), QStringList({"4", "5"}));
    sotto.Edit();
    sotto.FieldByName("Note")->SetAsString("sotto");
    sotto.Post();
    EXPECT_EQ(Leggi("Select Note from \"Tratte.db\" where ID_001_TABLE = 5"), QStringList({"sotto"}));

    // The result of a join is read only.
    TQuery q(nullptr, &s);
    q.DatabaseName = tmp.percorso();
    q.SQL << sql;
    q.RequestLive = true;
    q.Open();
    EXPECT_FALSE(q.CanModify());
    EXPECT_FALSE(ErroreDi([&] { q.Edit(); }).isEmpty());
}
