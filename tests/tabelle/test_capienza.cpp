// Many table files in turn, and results larger than one page of rows.
#include "supporto_tabelle.h"

#include "tabelle/connessione.h"
#include "tabelle/query.h"
#include "tabelle/statistiche.h"
#include "tabelle/tabella.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <sqlcipher/sqlite3.h>

using namespace tabelle;
using namespace prova;

TEST(Capienza, PiuTabelleDiQuanteNeRestanoAllegate)
{
    CartellaTemporanea tmp;
    TSession s;
    for (int i = 1; i <= 12; ++i)
        CreaArchivio(s, tmp.percorso(), QString("T%1.db").arg(i, 2, 10, QChar('0')), {{QString("C%1").arg(i), "", i, i, 0.0, ""}});
    auto tabella = [&](int i) {
        auto t = std::make_unique<TTable>(nullptr, &s);
        t->DatabaseName = tmp.percorso();
        t->TableName = QString("t%1.DB").arg(i, 2, 10, QChar('0'));
        return t;
    };
    for (int giro = 0; giro < 2; ++giro)
        for (int i = 1; i <= 12; ++i) {
            auto t = tabella(i);
            t->Open();
            EXPECT_EQ(t->FieldByName("Foglio")->AsInteger(), i);
        }
    // Queries in turn as well, each naming two tables.
    for (int i = 1; i < 12; ++i)
        EXPECT_EQ(Righe(s, tmp.percorso(), QString("Select A.PF, B.PF from T%1 A, T%2 B").arg(i, 2, 10, QChar('0')).arg(i + 1, 2, 10, QChar('0'))),
                  QStringList({QString("%1|%2").arg(i).arg(i + 1)}));

    std::vector<std::unique_ptr<TTable>> aperte;
    for (int i = 1; i <= 10; ++i) {
        aperte.push_back(tabella(i));
        aperte.back()->Open();
    }
    auto undicesima = tabella(11);
    const QString errore = ErroreDi([&] { undicesima->Open(); });
    EXPECT_TRUE(errore.contains("T11.db") && errore.contains("10")) << errore.toStdString();
    EXPECT_FALSE(undicesima->Active());
    for (int i = 1; i <= 10; ++i) {
        aperte[size_t(i - 1)]->Refresh();
        EXPECT_EQ(aperte[size_t(i - 1)]->FieldByName("PF")->AsInteger(), i);
    }
    aperte[3]->Close();
    EXPECT_NO_THROW(undicesima->Open());
    EXPECT_EQ(undicesima->FieldByName("PF")->AsInteger(), 11);
}

TEST(Capienza, RisultatoDiMolteRighe)
{
    CartellaTemporanea tmp;
    TSession s;
    CreaArchivio(s, tmp.percorso(), "Grande.db", {});
    TTable t(nullptr, &s);
    t.DatabaseName = tmp.percorso();
    t.TableName = "Grande.db";
    t.Open();
    constexpr int Righe = 3000;
    s.connessione().IniziaTransazione();
    for (int i = 1; i <= Righe; ++i) {
        t.Append();
        t.FieldByName("PF")->SetAsInteger(i);
        t.FieldByName("Note")->SetAsString(QString("riga %1").arg(i));
        t.Post();
    }
    s.connessione().ConfermaTransazione();
    EXPECT_EQ(t.RecordCount(), Righe);
    t.SetRecNo(Righe);
    EXPECT_EQ(t.FieldByName("PF")->AsInteger(), Righe);
    for (int n : {1, 64, 65, 128, 129, 1777, 2999}) {
        t.SetRecNo(n);
        EXPECT_EQ(t.FieldByName("Note")->AsString(), QString("riga %1").arg(n));
    }
    t.Last();
    t.Prior();
    EXPECT_EQ(t.RecNo(), Righe - 1);

    // Refresh keeps the current row, also when rows before it went.
    t.SetRecNo(1777);
    TSession altra;
    TQuery canc(nullptr, &altra);
    canc.DatabaseName = tmp.percorso();
    canc.SQL << "Delete from \"Grande.db\" where PF <= 100";
    canc.ExecSQL();
    EXPECT_EQ(canc.RowsAffected(), 100);
    t.Refresh();
    EXPECT_EQ(t.RecordCount(), Righe - 100);
    EXPECT_EQ(t.RecNo(), 1677);
    EXPECT_EQ(t.FieldByName("PF")->AsInteger(), 1777);

    TQuery q(nullptr, &s);
    q.DatabaseName = tmp.percorso();
    q.SQL << "Select PF, Note from \"Grande.db\" where PF > :Da order by PF desc";
    q.ParamByName("Da").SetAsInteger(1000);
    q.Open();
    EXPECT_EQ(q.RecordCount(), 2000);
    q.SetRecNo(2000);
    EXPECT_EQ(q.FieldByName("PF")->AsInteger(), 1001);
    q.SetRecNo(70);
    EXPECT_EQ(q.FieldByName("Note")->AsString(), "riga 2931");
    q.Refresh();
    EXPECT_EQ(q.RecNo(), 70);
    int conte = 0;
    for (q.First(); !q.Eof(); q.Next())
        ++conte;
    EXPECT_EQ(conte, 2000);

    // A row deleted in the middle, its neighbours' pages already read: the
    // rows after it move up a place. Now row n holds PF n + 100.
    t.SetRecNo(1);
    t.SetRecNo(200);
    t.Delete();
    EXPECT_EQ(t.FieldByName("PF")->AsInteger(), 301);
    for (int n : {1, 199, 200, 256, 2899}) {
        t.SetRecNo(n);
        EXPECT_EQ(t.FieldByName("PF")->AsInteger(), n < 200 ? n + 100 : n + 101) << n;
    }
    t.Append();
    t.FieldByName("PF")->SetAsInteger(300);
    t.Post();
    EXPECT_EQ(t.RecNo(), 2900);
    t.SetRecNo(2899);
    EXPECT_EQ(t.FieldByName("PF")->AsInteger(), 3000);
}

// A result read page by page over rows of other comuni, rows deleted after
// the keys were read and a descending order: every row shows its own
// values, a deleted one none, whichever way its page was read.
TEST(Capienza, PagineDiChiaviVicineLontaneEDiscendenti)
{
    CartellaTemporanea tmp;
    TSession s;
    QList<QVariantList> righe;
    for (int i = 0; i < 3000; ++i) {
        // The comune A rows: runs of three, then one of B; later one in 50.
        const bool a = i < 2000 ? i % 4 != 3 : i % 50 == 0;
        righe << QVariantList{a ? "A" : "B", "", i, i, i * 0.5, QString("R%1").arg(i)};
    }
    CreaArchivio(s, tmp.percorso(), "Archivio.db", righe);
    auto attese = [&](bool discendente) {
        QStringList v;
        for (int i = 0; i < 3000; ++i)
            if (righe[i][0] == "A")
                v << QString("R%1").arg(i);
        if (discendente)
            std::reverse(v.begin(), v.end());
        return v;
    };
    for (const bool discendente : {false, true}) {
        TQuery q(nullptr, &s);
        q.DatabaseName = tmp.percorso();
        q.SQL << QString("Select Note, PF from Archivio Where Comune = 'A' Order By PF%1").arg(discendente ? " DESC" : "");
        q.Open();
        EXPECT_EQ(Colonna(q, "Note"), attese(discendente));
    }
    TTable t(nullptr, &s);
    t.DatabaseName = tmp.percorso();
    t.TableName = "Archivio.db";
    t.Open();
    ASSERT_EQ(t.RecordCount(), 3000);
    TQuery cancella(nullptr, &s);
    cancella.DatabaseName = tmp.percorso();
    cancella.SQL << "Delete From Archivio Where PF >= 1000 and PF < 1010";
    cancella.ExecSQL();
    // Pages not read yet: the deleted rows come back empty, the others whole.
    t.SetRecNo(1005);
    EXPECT_TRUE(t.FieldByName("Note")->IsNull());
    EXPECT_TRUE(t.FieldByName("Comune")->IsNull());
    t.SetRecNo(1011);
    EXPECT_EQ(t.FieldByName("Note")->AsString(), "R1010");
    EXPECT_EQ(t.FieldByName("Distanza")->AsFloat(), 505.0);
}

namespace {

// The figures of a plain table file, "index: stat" in index order, read
// beside the engine.
QStringList Figure(const QString& percorso)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(percorso).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    QStringList figure;
    if (sqlite3_prepare_v2(db, "SELECT coalesce(idx, ''), stat FROM sqlite_stat1 WHERE tbl = 'dati' ORDER BY 1", -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            figure << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) + ": " +
                          QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return figure;
}

} // namespace

// A load or a deletion moves the row counts of the figures without reading
// the table again; how many rows share a key stays.
TEST(Capienza, LeFigureSeguonoLeRigheSenzaRileggereLaTabella)
{
    CartellaTemporanea tmp;
    TSession s;
    QList<QVariantList> righe;
    for (int i = 0; i < 400; ++i)
        righe << QVariantList{QString("C%1").arg(i % 4), "", i % 20, i, 1.0, i < 10 ? "nota" : ""};
    TIndexDefs indici;
    indici.Add("", "ID_001_TABLE", ixPrimary);
    indici.Add("IDxComune", "Comune;Foglio", 0);
    CreaTabella(s, tmp.percorso(), "Grande.db", CampiArchivio(), indici, righe);
    const QString file = tmp.file("Grande.db");
    // An index of the 10 rows with a note does not grow with the table.
    TQuery parziale(nullptr, &s);
    parziale.DatabaseName = tmp.percorso();
    parziale.SQL << "Create Index IDxNote On \"Grande.db\" (Note) Where Note Is Not Null";
    parziale.ExecSQL();

    // No figures yet: computed in full (100 rows a comune, 20 a sheet).
    CorreggiStatistiche(s, file, 1000);
    EXPECT_EQ(Figure(file), QStringList({"IDxComune: 400 100 20", "IDxNote: 10 10"}));
    CorreggiStatistiche(s, file, 600);
    EXPECT_EQ(Figure(file), QStringList({"IDxComune: 1000 100 20", "IDxNote: 10 10"}));
    // Never under one row, nor a key shared by more rows than there are.
    CorreggiStatistiche(s, file, -5000);
    EXPECT_EQ(Figure(file), QStringList({"IDxComune: 1 1 1", "IDxNote: 10 10"}));
    // In a transaction given up, the figures go back with the rows.
    {
        UsoTabella uso(s.connessione(), file, false);
        PuntoDiRipristino abbandonato(s.connessione());
        CorreggiStatistiche(s, file, 99);
    }
    EXPECT_EQ(Figure(file), QStringList({"IDxComune: 1 1 1", "IDxNote: 10 10"}));
    AggiornaStatistiche(s, file);
    EXPECT_EQ(Figure(file), QStringList({"IDxComune: 400 100 20", "IDxNote: 10 10"}));
}
