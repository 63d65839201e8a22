// Table datasets: moving, editing, keys, ranges, bookmarks, events,
// controls, transactions, emptying and deleting.
#include "supporto_tabelle.h"

#include "tabelle/errore.h"
#include "tabelle/query.h"
#include "tabelle/sorgente.h"
#include "tabelle/tabella.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace tabelle;
using namespace prova;

namespace {

class Dataset : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreaArchivio(s, tmp.percorso(), "Tratte.db",
                     {{"B002", "", 2, 20, 1.0, "uno"},
                      {"A001", "", 1, 10, 2.0, "due"},
                      {"C003", "", 3, 30, 3.0, "tre"},
                      {"A001", "", 1, 11, 4.0, "quattro"},
                      {"B002", "", 2, 21, 5.0, "cinque"}});
        t.DatabaseName = tmp.percorso();
        t.TableName = "Tratte.db";
    }
    qint64 Id() const { return t.FieldByName("ID_001_TABLE")->AsInteger(); }
    QStringList Leggi(const QString& sql) { return Righe(s, tmp.percorso(), sql); }
    void CreaIndiceComune()
    {
        TQuery q(nullptr, &s);
        q.DatabaseName = tmp.percorso();
        q.SQL << "Create Index IDxComune On \"Tratte.db\" (Comune, PF)";
        q.ExecSQL();
    }

    CartellaTemporanea tmp;
    TSession s;
    TTable t{nullptr, &s};
};

// Counts what a data link is told.
class LinkContatore : public TDataLink {
public:
    int cambiati = 0, scorsi = 0, stati = 0;
    // Bof and Eof as the link sees them when told of a move.
    bool bof = false, eof = false;
    void DataSetChanged() override { ++cambiati; }
    void DataSetScrolled(int) override
    {
        ++scorsi;
        bof = DataSet()->Bof();
        eof = DataSet()->Eof();
    }
    void EditingChanged() override { ++stati; }
};

} // namespace

TEST_F(Dataset, Navigazione)
{
    t.Open();
    EXPECT_EQ(t.RecordCount(), 5);
    EXPECT_TRUE(t.Bof());
    EXPECT_FALSE(t.Eof());
    EXPECT_EQ(t.RecNo(), 1);
    for (int i = 0; i < 4; ++i)
        t.Next();
    EXPECT_EQ(t.RecNo(), 5);
    EXPECT_FALSE(t.Eof());
    t.Next();
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.RecNo(), 5);
    t.Prior();
    EXPECT_FALSE(t.Eof());
    EXPECT_EQ(Id(), 4);
    EXPECT_EQ(t.MoveBy(-10), -3);
    EXPECT_TRUE(t.Bof());
    EXPECT_EQ(t.MoveBy(2), 2);
    EXPECT_FALSE(t.Bof());
    EXPECT_EQ(t.FieldByName("Note")->AsString(), "tre");
    t.Last();
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.FieldByName("Comune")->AsString(), "B002");
    t.SetRecNo(2);
    EXPECT_EQ(t.FieldByName("PF")->AsInteger(), 10);
    EXPECT_DOUBLE_EQ(t.FieldByName("Distanza")->AsFloat(), 2.0);

    t.EmptyTable();
    EXPECT_TRUE(t.IsEmpty());
    t.First();
    EXPECT_TRUE(t.Bof() && t.Eof());
    EXPECT_EQ(t.RecNo(), 0);
    EXPECT_TRUE(t.FieldByName("Comune")->IsNull());
}

TEST_F(Dataset, InserimentoModificaCancellazione)
{
    t.Open();
    t.Append();
    EXPECT_EQ(t.State(), TDataSetState::dsInsert);
    t.FieldByName("Comune")->SetAsString("D004");
    t.FieldByName("Foglio")->SetAsString("4");
    t.Post();
    EXPECT_EQ(t.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(Id(), 6);
    EXPECT_EQ(t.RecNo(), 6);
    EXPECT_EQ(t.RecordCount(), 6);

    // Inserted in the middle, the row takes its place in key order.
    t.SetRecNo(2);
    t.Insert();
    t.FieldByName("Comune")->SetAsString("E005");
    t.Post();
    EXPECT_EQ(Id(), 7);
    EXPECT_EQ(t.RecNo(), 7);

    t.SetRecNo(3);
    t.Edit();
    t.FieldByName("Note")->SetAsString("cambiata");
    t.Cancel();
    EXPECT_EQ(t.FieldByName("Note")->AsString(), "tre");
    EXPECT_EQ(t.RecNo(), 3);
    t.Edit();
    t.FieldByName("Note")->SetAsString("cambiata");
    t.FieldByName("Distanza")->Clear();
    t.Post();
    EXPECT_EQ(t.RecNo(), 3);
    EXPECT_EQ(Leggi("Select Note, Distanza from \"Tratte.db\" where ID_001_TABLE = 3"), QStringList({"cambiata|"}));

    // An insert given up leaves the row where it was.
    t.SetRecNo(4);
    t.Append();
    t.Cancel();
    EXPECT_EQ(t.RecNo(), 4);
    EXPECT_EQ(t.RecordCount(), 7);

    t.SetRecNo(2);
    t.Delete();
    EXPECT_EQ(Id(), 3);
    EXPECT_EQ(t.RecordCount(), 6);
    t.Last();
    t.Delete();
    EXPECT_EQ(Id(), 6);

    // The usual loop that deletes some rows sees every row, the last too.
    t.First();
    while (!t.Eof()) {
        if (t.FieldByName("Foglio")->AsInteger() != 1)
            t.Delete();
        else
            t.Next();
    }
    EXPECT_EQ(Leggi("Select ID_001_TABLE from \"Tratte.db\" order by ID_001_TABLE"), QStringList({"4"}));
    EXPECT_EQ(t.RecordCount(), 1);
}

TEST_F(Dataset, CampiRichiestiEViolazioneDiChiave)
{
    TTable prv(nullptr, &s);
    prv.DatabaseName = tmp.percorso();
    prv.TableName = "PRV.DB";
    prv.FieldDefs.Add("CODEPRV", TFieldType::ftString, 2, true);
    prv.FieldDefs.Add("PROVINCIA", TFieldType::ftString, 25);
    prv.FieldDefs.Add("DATA", TFieldType::ftString, 5);
    prv.IndexDefs.Add("PrvIndex", "CODEPRV", ixPrimary | ixUnique);
    prv.IndexDefs.Add("Secondario", "PROVINCIA", ixUnique);
    prv.CreateTable();
    prv.Open();
    EXPECT_TRUE(prv.FieldByName("CODEPRV")->Required);

    prv.Append();
    prv.FieldByName("PROVINCIA")->SetAsString("Roma");
    EXPECT_TRUE(ErroreDi([&] { prv.Post(); }).contains("CODEPRV"));
    EXPECT_EQ(prv.State(), TDataSetState::dsInsert);
    prv.FieldByName("CODEPRV")->SetAsString("RM");
    prv.Post();

    prv.Append();
    prv.FieldByName("CODEPRV")->SetAsString("RM");
    prv.FieldByName("PROVINCIA")->SetAsString("Rieti");
    const QString violazione = ErroreDi([&] { prv.Post(); });
    EXPECT_TRUE(violazione.contains("chiave") && violazione.contains("PRV.DB")) << violazione.toStdString();
    EXPECT_EQ(prv.State(), TDataSetState::dsInsert);
    // Corrected, the same insert goes through.
    prv.FieldByName("CODEPRV")->SetAsString("RI");
    prv.Post();
    prv.Append();
    prv.FieldByName("CODEPRV")->SetAsString("LT");
    prv.FieldByName("PROVINCIA")->SetAsString("Roma");
    EXPECT_TRUE(ErroreDi([&] { prv.Post(); }).contains("chiave"));
    prv.Cancel();

    prv.First();
    prv.Edit();
    prv.FieldByName("PROVINCIA")->SetAsString("Roma");
    EXPECT_TRUE(ErroreDi([&] { prv.Post(); }).contains("chiave"));
    prv.Cancel();
    EXPECT_EQ(Leggi("Select CODEPRV, PROVINCIA from \"PRV.DB\" order by CODEPRV"), QStringList({"RI|Rieti", "RM|Roma"}));

    // Read in primary key order; a key found on it and on the secondary index.
    EXPECT_EQ(Colonna(prv, "CODEPRV"), QStringList({"RI", "RM"}));
    EXPECT_TRUE(prv.FindKey({"RM"}));
    EXPECT_EQ(prv.FieldByName("PROVINCIA")->AsString(), "Roma");
    prv.Close();
    prv.IndexName = "Secondario";
    prv.Open();
    EXPECT_TRUE(prv.FindKey({"Rieti"}));
    EXPECT_EQ(prv.FieldByName("CODEPRV")->AsString(), "RI");
}

TEST_F(Dataset, ChiaviEIntervalli)
{
    t.Open();
    EXPECT_TRUE(t.FindKey({4}));
    EXPECT_EQ(t.FieldByName("Note")->AsString(), "quattro");
    EXPECT_FALSE(t.FindKey({9}));
    t.SetRange({2}, {4});
    EXPECT_EQ(Colonna(t, "ID_001_TABLE"), QStringList({"2", "3", "4"}));
    t.CancelRange();
    EXPECT_EQ(t.RecordCount(), 5);
    t.Close();

    CreaIndiceComune();
    t.IndexName = "IDxComune";
    t.Open();
    EXPECT_EQ(Colonna(t, "PF"), QStringList({"10", "11", "20", "21", "30"}));
    EXPECT_TRUE(t.FindKey({"B002"}));
    EXPECT_EQ(t.FieldByName("PF")->AsInteger(), 20);
    EXPECT_TRUE(t.FindKey({"A001", 11}));
    EXPECT_EQ(Id(), 4);
    EXPECT_FALSE(t.FindKey({"A002"}));
    t.FindNearest({"A002"});
    EXPECT_EQ(t.FieldByName("Comune")->AsString(), "B002");
    t.FindNearest({"Z"});
    EXPECT_EQ(t.FieldByName("Comune")->AsString(), "C003");
    t.SetRange({"A001"}, {"B002"});
    EXPECT_EQ(Colonna(t, "PF"), QStringList({"10", "11", "20", "21"}));
    t.CancelRange();

    // A row whose key is edited moves to its new place in the order.
    EXPECT_TRUE(t.FindKey({"C003"}));
    t.Edit();
    t.FieldByName("Comune")->SetAsString("A000");
    t.Post();
    EXPECT_EQ(t.RecNo(), 1);
    EXPECT_EQ(Colonna(t, "Comune"), QStringList({"A000", "A001", "A001", "B002", "B002"}));
    EXPECT_TRUE(t.FindKey({"B002", 21}));
    EXPECT_EQ(Id(), 5);
    EXPECT_TRUE(t.FindKey({"A000"}));
    EXPECT_EQ(Id(), 3);
    t.Close();

    // By field names.
    t.IndexName.clear();
    t.IndexFieldNames = "Distanza";
    t.Open();
    t.FindNearest({2.5});
    EXPECT_EQ(t.FieldByName("Note")->AsString(), "tre");
}

TEST_F(Dataset, ModificaDiUnaRigaCancellataAltrove)
{
    t.Open();
    t.SetRecNo(2);
    TSession altra;
    TQuery canc(nullptr, &altra);
    canc.DatabaseName = tmp.percorso();
    canc.SQL << "Delete from \"Tratte.db\" where ID_001_TABLE = 2";
    canc.ExecSQL();
    t.Edit();
    t.FieldByName("Note")->SetAsString("persa?");
    EXPECT_TRUE(ErroreDi([&] { t.Post(); }).contains("Tratte.db"));
    EXPECT_EQ(t.State(), TDataSetState::dsEdit);
    t.Cancel();
    t.Refresh();
    EXPECT_EQ(t.RecordCount(), 4);
}

TEST_F(Dataset, SegnalibriDopoCancellazioniEInserimenti)
{
    t.Open();
    t.SetRecNo(3);
    const TBookmark terzo = t.GetBookmark();
    t.SetRecNo(4);
    const TBookmark quarto = t.GetBookmark();
    t.First();
    t.Delete();
    t.Append();
    t.FieldByName("Comune")->SetAsString("Z999");
    t.Post();
    t.First();
    t.Insert();
    t.FieldByName("Comune")->SetAsString("Y998");
    t.Post();
    t.GotoBookmark(terzo);
    EXPECT_EQ(Id(), 3);
    EXPECT_EQ(t.RecNo(), 2);

    t.GotoBookmark(quarto);
    t.Delete();
    EXPECT_FALSE(t.BookmarkValid(quarto));
    EXPECT_FALSE(ErroreDi([&] { t.GotoBookmark(quarto); }).isEmpty());
    EXPECT_TRUE(t.BookmarkValid(terzo));
    // A bookmark survives a refresh as well.
    t.Refresh();
    t.GotoBookmark(terzo);
    EXPECT_EQ(t.FieldByName("Note")->AsString(), "tre");
}

TEST_F(Dataset, OrdineDegliEventiEAbort)
{
    QStringList eventi;
    auto registra = [&](const char* nome) { return [&eventi, nome](TDataSet&) { eventi << nome; }; };
    t.BeforeInsert = registra("BeforeInsert");
    t.OnNewRecord = [&](TDataSet& d) {
        eventi << "OnNewRecord";
        d.FieldByName("Note")->SetAsString("nuova");
    };
    t.AfterInsert = registra("AfterInsert");
    t.BeforeEdit = registra("BeforeEdit");
    t.AfterEdit = registra("AfterEdit");
    t.BeforePost = registra("BeforePost");
    t.AfterPost = registra("AfterPost");
    t.BeforeCancel = registra("BeforeCancel");
    t.AfterCancel = registra("AfterCancel");
    t.BeforeDelete = registra("BeforeDelete");
    t.AfterDelete = registra("AfterDelete");
    t.BeforeScroll = registra("BeforeScroll");
    t.AfterScroll = registra("AfterScroll");
    t.Open();

    t.Append();
    t.FieldByName("Comune")->SetAsString("F006");
    t.Post();
    EXPECT_EQ(eventi, QStringList({"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll", "BeforePost", "AfterPost"}));
    EXPECT_EQ(t.FieldByName("Note")->AsString(), "nuova");
    eventi.clear();
    t.Edit();
    t.Cancel();
    t.Delete();
    EXPECT_EQ(eventi, QStringList({"BeforeEdit", "AfterEdit", "BeforeCancel", "AfterCancel", "BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"}));

    // Abort in BeforeInsert: no insert, no further event, no error text.
    t.BeforeInsert = [&](TDataSet&) {
        eventi << "BeforeInsert";
        Abort();
    };
    t.SetRecNo(2);
    eventi.clear();
    EXPECT_THROW(t.Append(), EAbort);
    EXPECT_EQ(eventi, QStringList({"BeforeInsert"}));
    EXPECT_EQ(t.State(), TDataSetState::dsBrowse);
    EXPECT_EQ(t.RecNo(), 2);
    EXPECT_EQ(t.RecordCount(), 5);
    // A BeforePost that aborts keeps the edit going.
    t.BeforePost = [](TDataSet&) { Abort(); };
    t.Edit();
    t.FieldByName("Note")->SetAsString("mai");
    EXPECT_THROW(t.Post(), EAbort);
    EXPECT_EQ(t.State(), TDataSetState::dsEdit);
    t.Cancel();
    EXPECT_EQ(Leggi("Select count(*) from \"Tratte.db\" where Note = 'mai'"), QStringList({"0"}));
}

TEST_F(Dataset, ControlliDisabilitatiENotifiche)
{
    TDataSource sorgente;
    sorgente.SetDataSet(&t);
    LinkContatore link;
    link.SetDataSource(&sorgente);
    t.Open();
    EXPECT_TRUE(link.Active());
    t.Next();
    t.Next();
    EXPECT_EQ(link.scorsi, 2);

    link.cambiati = link.scorsi = link.stati = 0;
    t.DisableControls();
    t.DisableControls();
    for (t.First(); !t.Eof(); t.Next()) {
        t.Edit();
        t.FieldByName("Distanza")->SetAsFloat(t.FieldByName("Distanza")->AsFloat() * 10);
        t.Post();
    }
    t.EnableControls();
    EXPECT_EQ(link.cambiati + link.scorsi + link.stati, 0);
    t.EnableControls();
    EXPECT_EQ(link.cambiati, 1);
    EXPECT_EQ(link.scorsi + link.stati, 0);
    EXPECT_EQ(Leggi("Select sum(Distanza) from \"Tratte.db\""), QStringList({"150"}));

    // A link freed first leaves the source consistent.
    {
        LinkContatore breve;
        breve.SetDataSource(&sorgente);
    }
    t.First();
    EXPECT_EQ(link.scorsi, 1);

    // The flags are right when the links hear of the move.
    t.Last();
    EXPECT_TRUE(link.eof);
    EXPECT_FALSE(link.bof);
    t.First();
    EXPECT_TRUE(link.bof);
    EXPECT_FALSE(link.eof);
    t.SetRecNo(3);
    EXPECT_FALSE(link.bof || link.eof);
}

TEST_F(Dataset, TransazioniLocali)
{
    TDatabase db(nullptr, &s);
    db.DatabaseName = "Database";
    db.Params << "PATH=" + tmp.percorso() << "DEFAULT DRIVER=PARADOX" << "ENABLE BCD=FALSE";
    db.Open();
    t.DatabaseName = "Database";
    t.Open();

    db.StartTransaction();
    EXPECT_TRUE(db.InTransaction());
    t.Append();
    t.FieldByName("Comune")->SetAsString("G007");
    t.Post();
    t.First();
    t.Delete();
    db.Execute("Delete from \"Tratte.db\" where Comune = 'C003'");
    db.Rollback();
    EXPECT_FALSE(db.InTransaction());
    t.Refresh();
    EXPECT_EQ(Colonna(t, "ID_001_TABLE"), QStringList({"1", "2", "3", "4", "5"}));

    db.StartTransaction();
    t.First();
    t.Delete();
    db.Commit();
    EXPECT_EQ(Leggi("Select count(*) from \"Tratte.db\""), QStringList({"4"}));
}

TEST_F(Dataset, SvuotareECancellareLaTabella)
{
    t.Open();
    t.EmptyTable();
    EXPECT_EQ(t.RecordCount(), 0);
    t.Append();
    t.FieldByName("Comune")->SetAsString("H008");
    t.Post();
    EXPECT_EQ(Id(), 1);

    EXPECT_FALSE(ErroreDi([&] { t.DeleteTable(); }).isEmpty());
    t.Close();
    t.DeleteTable();
    EXPECT_FALSE(QFileInfo::exists(tmp.file("Tratte.db")));
    EXPECT_TRUE(ErroreDi([&] { t.Open(); }).contains("Tratte.db"));
}
