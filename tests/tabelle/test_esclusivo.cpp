// A table opened exclusively shuts out other sessions and processes, not
// the other datasets of its own session.
#include "supporto_tabelle.h"

#include "tabelle/errore.h"
#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include <QDir>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tabelle;
using namespace prova;

namespace {

// Exit codes of the child process.
constexpr int Aperta = 0, Rifiutata = 1, AltroErrore = 2;

// Opens the table in a child process with a session of its own.
int AperturaInAltroProcesso(const QString& cartella, const QString& nome)
{
    const pid_t figlio = fork();
    if (figlio == 0) {
        int esito = AltroErrore;
        try {
            TSession s;
            TTable t(nullptr, &s);
            t.DatabaseName = cartella;
            t.TableName = nome;
            t.Open();
            esito = t.RecordCount() == 2 ? Aperta : AltroErrore;
        } catch (const EDBEngineError& e) {
            esito = e.messaggio().contains("Tratte.db") ? Rifiutata : AltroErrore;
        } catch (...) {
        }
        _exit(esito);
    }
    int stato = 0;
    waitpid(figlio, &stato, 0);
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

class Esclusivo : public ::testing::Test {
protected:
    void SetUp() override { CreaArchivio(s, tmp.percorso(), "Tratte.db", {{"A001", "", 1, 10, 1.0, ""}, {"B002", "", 2, 20, 2.0, ""}}); }

    std::unique_ptr<TTable> Tabella(TSession& sessione, bool esclusiva)
    {
        auto t = std::make_unique<TTable>(nullptr, &sessione);
        t->DatabaseName = tmp.percorso();
        t->TableName = "TRATTE.DB";
        t->Exclusive = esclusiva;
        return t;
    }

    CartellaTemporanea tmp;
    TSession s;
};

} // namespace

TEST_F(Esclusivo, EscludeAltreSessioniEProcessiFinoAllaChiusura)
{
    auto esclusiva = Tabella(s, true);
    esclusiva->Open();

    // The same session keeps its access, by table and by query.
    auto stessa = Tabella(s, false);
    EXPECT_NO_THROW(stessa->Open());
    EXPECT_EQ(Righe(s, tmp.percorso(), "Select count(*) from \"tratte.db\""), QStringList({"2"}));

    TSession altra;
    auto estranea = Tabella(altra, false);
    EXPECT_TRUE(ErroreDi([&] { estranea->Open(); }).contains("Tratte.db"));
    EXPECT_FALSE(estranea->Active());
    EXPECT_TRUE(ErroreDi([&] { Righe(altra, tmp.percorso(), "Select * from \"Tratte.db\""); }).contains("Tratte.db"));
    EXPECT_EQ(AperturaInAltroProcesso(tmp.percorso(), "Tratte.db"), Rifiutata);

    // Closed, the exclusive open gives way to the shared one still open.
    esclusiva->Close();
    EXPECT_TRUE(stessa->Active());
    EXPECT_NO_THROW(estranea->Open());
    EXPECT_EQ(estranea->RecordCount(), 2);
    EXPECT_EQ(AperturaInAltroProcesso(tmp.percorso(), "Tratte.db"), Aperta);
    // Nor does a shared open let anyone take the table exclusively.
    auto seconda = Tabella(altra, true);
    EXPECT_TRUE(ErroreDi([&] { seconda->Open(); }).contains("Tratte.db"));
}

TEST_F(Esclusivo, UnaTabellaGiaApertaAltroveNonSiApreInEsclusiva)
{
    TSession altra;
    auto condivisa = Tabella(altra, false);
    condivisa->Open();
    auto esclusiva = Tabella(s, true);
    esclusiva->FieldDefs = CampiArchivio();
    EXPECT_TRUE(ErroreDi([&] { esclusiva->Open(); }).contains("Tratte.db"));
    // Nor can another session replace, empty or delete it meanwhile.
    EXPECT_FALSE(ErroreDi([&] { esclusiva->DeleteTable(); }).isEmpty());
    EXPECT_FALSE(ErroreDi([&] { esclusiva->CreateTable(); }).isEmpty());
    EXPECT_FALSE(ErroreDi([&] { esclusiva->EmptyTable(); }).isEmpty());
    EXPECT_EQ(condivisa->RecordCount(), 2);
    condivisa->Refresh();
    EXPECT_EQ(condivisa->RecordCount(), 2);
    // The failed attempts left no stray files behind.
    EXPECT_EQ(QDir(tmp.percorso()).entryList(QDir::Files), QStringList({"Tratte.db"}));

    condivisa->Close();
    EXPECT_NO_THROW(esclusiva->Open());
}
