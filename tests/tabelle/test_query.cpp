// Queries written back: live results, cached updates with and without an
// update handler, and batch copies.
#include "supporto_tabelle.h"

#include "tabelle/batchmove.h"
#include "tabelle/errore.h"
#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include <gtest/gtest.h>

using namespace tabelle;
using namespace prova;

namespace {

class Query : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreaArchivio(s, tmp.percorso(), "Tratte.db",
                     {{"A001", "", 1, 10, 1.5, "uno"}, {"B002", "B", 2, 20, 2.5, "due"}, {"C003", "", 3, 30, 3.5, "tre"}});
        q.DatabaseName = tmp.percorso();
        q.SQL << "Select ID_001_TABLE, Comune, Note from \"Tratte.db\"" << "Where ID_001_TABLE > :Primo" << "Order By Comune Desc";
        q.ParamByName("Primo").SetAsInteger(0);
    }
    QStringList Archivio() { return Righe(s, tmp.percorso(), "Select ID_001_TABLE, Comune, Note from \"Tratte.db\" order by ID_001_TABLE"); }

    CartellaTemporanea tmp;
    TSession s;
    TQuery q{nullptr, &s};
};

} // namespace

TEST_F(Query, RisultatoModificabile)
{
    q.Open();
    EXPECT_FALSE(q.CanModify());
    EXPECT_FALSE(ErroreDi([&] { q.Edit(); }).isEmpty());
    q.Close();

    q.RequestLive = true;
    q.Open();
    ASSERT_TRUE(q.CanModify());
    EXPECT_EQ(Colonna(q, "Comune"), QStringList({"C003", "B002", "A001"}));
    q.First();
    q.Edit();
    q.FieldByName("Note")->SetAsString("TRE  ");
    q.Post();
    EXPECT_EQ(q.FieldByName("Note")->AsString(), "TRE");
    q.Append();
    q.FieldByName("Comune")->SetAsString("D004");
    q.Post();
    EXPECT_EQ(q.FieldByName("ID_001_TABLE")->AsInteger(), 4);
    // An appended row shows at the end until the result is read again.
    EXPECT_EQ(q.RecNo(), 4);
    q.SetRecNo(3);
    q.Delete();
    EXPECT_EQ(q.FieldByName("Comune")->AsString(), "D004");
    EXPECT_EQ(Archivio(), QStringList({"2|B002|due", "3|C003|TRE", "4|D004|"}));
    q.Refresh();
    EXPECT_EQ(Colonna(q, "Comune"), QStringList({"D004", "C003", "B002"}));
}

TEST_F(Query, AggiornamentiInSospeso)
{
    const QStringList originale = Archivio();
    q.RequestLive = true;
    q.CachedUpdates = true;
    q.Open();
    auto modifica = [&] {
        q.First();
        q.Edit();
        q.FieldByName("Note")->SetAsString("modificata");
        q.Post();
        q.Next();
        q.Delete();
        q.Append();
        q.FieldByName("Comune")->SetAsString("E005");
        q.Post();
        // The new row edited again before it is written.
        q.Edit();
        q.FieldByName("Note")->SetAsString("nuova");
        q.Post();
    };
    modifica();
    EXPECT_TRUE(q.UpdatesPending());
    EXPECT_EQ(Colonna(q, "Note"), QStringList({"modificata", "uno", "nuova"}));
    EXPECT_EQ(Archivio(), originale);

    q.CancelUpdates();
    EXPECT_FALSE(q.UpdatesPending());
    EXPECT_EQ(Colonna(q, "Note"), QStringList({"tre", "due", "uno"}));

    // A handler that answers "applied" writes nothing itself; it sees each
    // update with its values.
    QStringList visti;
    q.OnUpdateRecord = [&](TDataSet& d, TUpdateKind tipo, TUpdateAction& azione) {
        visti << QString::number(int(tipo)) + ":" + d.FieldByName("Note")->AsString() + ":" + d.FieldByName("Note")->OldValue().toString();
        azione = TUpdateAction::uaApplied;
    };
    modifica();
    q.ApplyUpdates();
    EXPECT_EQ(visti, QStringList({"0:modificata:tre", "2:due:due", "1:nuova:"}));
    EXPECT_FALSE(q.UpdatesPending());
    EXPECT_EQ(Archivio(), originale);

    // Without a handler the updates are written.
    q.Close();
    q.OnUpdateRecord = nullptr;
    q.Open();
    modifica();
    q.ApplyUpdates();
    EXPECT_EQ(Archivio(), QStringList({"1|A001|uno", "3|C003|modificata", "4|E005|nuova"}));
    EXPECT_EQ(Colonna(q, "Comune"), QStringList({"E005", "C003", "A001"}));

    // A new row given up before it is written leaves nothing.
    q.Append();
    q.FieldByName("Comune")->SetAsString("F006");
    q.Post();
    q.Delete();
    q.ApplyUpdates();
    EXPECT_EQ(Archivio().size(), 3);
}

// Applying is all or nothing: after a failure the table is as it was and
// the cache still holds every change.
TEST_F(Query, UnAggiornamentoNonRiuscitoNonScriveNulla)
{
    TQuery indice(nullptr, &s);
    indice.DatabaseName = tmp.percorso();
    indice.SQL << "Create Unique Index IDxComune On \"Tratte.db\" (Comune)";
    indice.ExecSQL();
    const QStringList originale = Archivio();
    q.RequestLive = true;
    q.CachedUpdates = true;
    q.Open();
    q.First();
    q.Edit();
    q.FieldByName("Note")->SetAsString("prima");
    q.Post();
    q.Next();
    q.Edit();
    q.FieldByName("Comune")->SetAsString("A001");
    q.Post();
    q.Edit();
    q.FieldByName("Note")->SetAsString("seconda");
    q.Post();

    EXPECT_TRUE(ErroreDi([&] { q.ApplyUpdates(); }).contains("chiave"));
    EXPECT_EQ(Archivio(), originale);
    EXPECT_TRUE(q.UpdatesPending());
    q.OnUpdateRecord = [](TDataSet&, TUpdateKind, TUpdateAction& azione) { azione = TUpdateAction::uaAbort; };
    EXPECT_THROW(q.ApplyUpdates(), EAbort);
    EXPECT_TRUE(q.UpdatesPending());

    // With the conflict gone the same changes go through, each row once.
    q.OnUpdateRecord = nullptr;
    TQuery canc(nullptr, &s);
    canc.DatabaseName = tmp.percorso();
    canc.SQL << "Delete from \"Tratte.db\" where ID_001_TABLE = 1";
    canc.ExecSQL();
    q.ApplyUpdates();
    EXPECT_FALSE(q.UpdatesPending());
    EXPECT_EQ(Archivio(), QStringList({"2|A001|seconda", "3|C003|prima"}));
}

TEST_F(Query, CopiaInUnaNuovaTabella)
{
    TTable copia(nullptr, &s);
    copia.DatabaseName = tmp.percorso();
    copia.TableName = "StampaTratte.db";
    TBatchMove mossa;
    mossa.Source = &q;
    mossa.Destination = &copia;
    mossa.Mode = TBatchMode::batCopy;
    q.Open();
    q.SetRecNo(2);
    mossa.Execute();
    EXPECT_EQ(mossa.MovedCount, 3);
    EXPECT_EQ(q.RecNo(), 2);

    copia.Open();
    ASSERT_EQ(copia.FieldCount(), 3);
    EXPECT_EQ(copia.Fields(0)->DataType(), TFieldType::ftAutoInc);
    EXPECT_EQ(copia.Fields(1)->DataType(), TFieldType::ftString);
    EXPECT_EQ(copia.Fields(1)->Size(), 4);
    EXPECT_EQ(Colonna(copia, "Comune"), QStringList({"A001", "B002", "C003"}));
    copia.Append();
    copia.FieldByName("Comune")->SetAsString("X");
    copia.Post();
    EXPECT_EQ(copia.FieldByName("ID_001_TABLE")->AsInteger(), 4);
    copia.Close();

    // Appending adds the rows by field name.
    TTable altra(nullptr, &s);
    altra.DatabaseName = tmp.percorso();
    altra.TableName = "Altra.db";
    altra.FieldDefs.Add("Note", TFieldType::ftString, 10);
    altra.FieldDefs.Add("Comune", TFieldType::ftString, 4);
    altra.CreateTable();
    mossa.Destination = &altra;
    mossa.Mode = TBatchMode::batAppend;
    q.Close();
    q.ParamByName("Primo").SetAsInteger(1);
    mossa.Execute();
    EXPECT_EQ(mossa.MovedCount, 2);
    EXPECT_FALSE(q.Active());
    EXPECT_EQ(Righe(s, tmp.percorso(), "Select Comune, Note from \"Altra.db\" order by Comune"), QStringList({"B002|due", "C003|tre"}));

    // A row refused: no row is copied.
    TQuery indice(nullptr, &s);
    indice.DatabaseName = tmp.percorso();
    indice.SQL << "Create Unique Index IDxComune On \"Altra.db\" (Comune)";
    indice.ExecSQL();
    q.ParamByName("Primo").SetAsInteger(0);
    EXPECT_TRUE(ErroreDi([&] { mossa.Execute(); }).contains("Altra.db"));
    EXPECT_EQ(mossa.MovedCount, 0);
    EXPECT_FALSE(q.Active());
    EXPECT_EQ(Righe(s, tmp.percorso(), "Select count(*) from \"Altra.db\""), QStringList({"2"}));

    // A copy given a password: encrypted from the start, read with the password only.
    TTable protetta(nullptr, &s);
    protetta.DatabaseName = tmp.percorso();
    protetta.TableName = "Protetta.db";
    mossa.Destination = &protetta;
    mossa.Mode = TBatchMode::batCopy;
    mossa.Password = "segreta";
    s.AddPassword("segreta");
    mossa.Execute();
    EXPECT_EQ(mossa.MovedCount, 3);
    QFile file(tmp.percorso() + "/Protetta.db");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.read(16).startsWith("SQLite format 3"));
    EXPECT_EQ(Righe(s, tmp.percorso(), "Select Comune from \"Protetta.db\" order by Comune"), QStringList({"A001", "B002", "C003"}));
    TSession estranea;
    TTable senza(nullptr, &estranea);
    senza.DatabaseName = tmp.percorso();
    senza.TableName = "Protetta.db";
    EXPECT_TRUE(ErroreDi([&] { senza.Open(); }).contains("password mancante"));
}
