// The enhanced table: creation, the generated SELECT, filters, sort,
// emptying, the live table and the failure messages.
#include "gridkit/tabella/bloccononome.h"
#include "gridkit/tabella/newtable.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "supporto/cartella_temporanea.h"
#include "tabelle/errore.h"
#include "tabelle/query.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace gridkit;
using namespace tabelle;

namespace {

class NewTableTest : public ::testing::Test {
protected:
    CartellaTemporanea cartella;
    TSession sessione;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};

    // A table of the archive's shape in the temporary folder.
    void CreaArchivio(TNewTable& t, const QString& nome = "Tratte.db")
    {
        t.DatabaseName = cartella.percorso();
        t.SetTableName(nome);
        t.SvuotaCampiSistema();
        t.SvuotaCampiUtente();
        t.CreaTabella({"ComunePF1,4", "SezionePF1,1", "PF1,I", "Protocollo,13", "Distanza,N,12"});
    }

    void Aggiungi(const QString& comune, const QString& sezione, int pf, double distanza, const QString& codOp = QString())
    {
        TTable t(nullptr, &sessione);
        t.DatabaseName = cartella.percorso();
        t.TableName = "Tratte.db";
        t.Open();
        t.Append();
        t.FieldByName("ComunePF1")->SetAsString(comune);
        t.FieldByName("SezionePF1")->SetAsString(sezione);
        t.FieldByName("PF1")->SetAsInteger(pf);
        t.FieldByName("Distanza")->SetAsFloat(distanza);
        if (!codOp.isEmpty())
            t.FieldByName("CodOp")->SetAsString(codOp);
        t.Post();
    }

    QStringList Testi() const
    {
        QStringList t;
        for (const auto& m : finto.mostrati)
            t << m.testo;
        return t;
    }
};

TEST_F(NewTableTest, CreaTabellaScriveCampiDiSistemaIntestazioneEVersione)
{
    TNewTable t(nullptr, &sessione);
    t.Versione = "1.0";
    CreaArchivio(t);
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();
    ASSERT_TRUE(QFile::exists(cartella.file("Tratte.db")));

    TTable piana(nullptr, &sessione);
    piana.DatabaseName = cartella.percorso();
    piana.TableName = "TRATTE.DB";
    piana.Open();
    EXPECT_EQ(piana.FieldNames(), QStringList({"ID_001_TABLE", "SysField", "Info", "CodOp", "ComunePF1", "SezionePF1", "PF1",
                                               "Protocollo", "Distanza"}));
    EXPECT_EQ(piana.FieldByName("ID_001_TABLE")->DataType(), TFieldType::ftAutoInc);
    EXPECT_EQ(piana.FieldByName("SysField")->DataType(), TFieldType::ftSmallint);
    EXPECT_EQ(piana.FieldByName("Info")->DataType(), TFieldType::ftBlob);
    EXPECT_EQ(piana.FieldByName("CodOp")->Size(), 4);
    EXPECT_EQ(piana.FieldByName("Protocollo")->DataType(), TFieldType::ftString);
    EXPECT_EQ(piana.FieldByName("Protocollo")->Size(), 13);
    EXPECT_EQ(piana.FieldByName("PF1")->DataType(), TFieldType::ftInteger);
    EXPECT_EQ(piana.FieldByName("Distanza")->DataType(), TFieldType::ftFloat);
    EXPECT_TRUE(piana.GetIndexNames().contains("IDxCodOp", Qt::CaseInsensitive));

    ASSERT_EQ(piana.RecordCount(), 1);
    EXPECT_EQ(piana.FieldByName("ID_001_TABLE")->AsInteger(), 1);
    EXPECT_EQ(piana.FieldByName("SysField")->AsInteger(), 4);
    TInfoStream info;
    ASSERT_TRUE(info.LoadFromStream(piana.FieldByName("Info")->AsBytes()));
    EXPECT_EQ(info.Nomi(), QStringList{"VERSIONE"});
    const auto versione = TVersioneTabella::DaBytes(*info.GetEntry("VERSIONE"));
    ASSERT_TRUE(versione);
    EXPECT_EQ(versione->versione, "1.0");
    EXPECT_EQ(versione->applicazione, "Applicazione sconosciuta");

    // Reading the structure back.
    t.LeggiStruttura();
    EXPECT_EQ(t.CampiSistema, QStringList({"SysField", "Info", "CodOp"}));
    EXPECT_EQ(t.CampiUtente, QStringList({"ComunePF1", "SezionePF1", "PF1", "Protocollo", "Distanza"}));
    EXPECT_EQ(t.RecordVersione.versione, "1.0");
    EXPECT_TRUE(t.CampiModificati.isEmpty());
}

TEST_F(NewTableTest, NomiConSpazioDiventanoSottolineatiConDueVociModfield)
{
    TNewTable t(nullptr, &sessione);
    t.DatabaseName = cartella.percorso();
    t.SetTableName("Nomi.db");
    t.CampiSistema = QStringList{"Extra,S"};
    t.CreaTabella({"Nome Campo,A,30", "Altro,5"});
    TTable piana(nullptr, &sessione);
    piana.DatabaseName = cartella.percorso();
    piana.TableName = "Nomi.db";
    piana.Open();
    EXPECT_EQ(piana.FieldNames(), QStringList({"ID_001_TABLE", "SysField", "Info", "CodOp", "Extra", "Nome_Campo", "Altro"}));
    EXPECT_EQ(piana.FieldByName("SysField")->AsInteger(), 5);
    TInfoStream info;
    ASSERT_TRUE(info.LoadFromStream(piana.FieldByName("Info")->AsBytes()));
    EXPECT_EQ(info.Nomi(), QStringList({"VERSIONE", "MODFIELD0", "MODFIELD1"}));
    EXPECT_EQ(LeggiBloccoNome(*info.GetEntry("MODFIELD0")), QString("Nome Campo"));
    EXPECT_EQ(LeggiBloccoNome(*info.GetEntry("MODFIELD1")), QString("Nome_Campo"));

    t.LeggiStruttura();
    EXPECT_EQ(t.CampiSistema, QStringList({"SysField", "Info", "CodOp", "Extra"}));
    EXPECT_EQ(t.CampiUtente, QStringList({"Nome_Campo", "Altro"}));
    EXPECT_EQ(t.CampiModificati, QStringList({"Nome Campo", "Nome_Campo"}));
}

TEST_F(NewTableTest, DefinizioniErrateLascianoLaTabellaVuotaEDiconoPerche)
{
    TNewTable t(nullptr, &sessione);
    t.DatabaseName = cartella.percorso();
    t.SetTableName("Errata.db");
    t.CreaTabella({"Buono,5", "Cattivo,"});
    EXPECT_EQ(Testi(), QStringList{"Errore nella struttura dei campi"});
    TTable piana(nullptr, &sessione);
    piana.DatabaseName = cartella.percorso();
    piana.TableName = "Errata.db";
    piana.Open();
    EXPECT_EQ(piana.FieldNames(), QStringList{"ID_001_TABLE"});
    piana.Close();

    finto.mostrati.clear();
    t.CampiSistema = QStringList{"Sbagliato"};
    t.CreaTabella({"Buono,5"});
    EXPECT_EQ(Testi(), QStringList{"Errore nella struttura dei campi di sistema"});

    // Nothing happens without fields or without a name.
    finto.mostrati.clear();
    TNewTable senzaNome(nullptr, &sessione);
    senzaNome.CreaTabella({"Buono,5"});
    t.CreaTabella({});
    EXPECT_TRUE(Testi().isEmpty());
}

TEST_F(NewTableTest, PreparaQueryScriveIlSelectConFiltriEOrdine)
{
    TNewTable t(nullptr, &sessione);
    CreaArchivio(t);
    t.AggiungiFiltro("ComunePF1", "A1*");
    t.AggiungiFiltro("comunepf1", "B2"); // already there: not replaced
    t.AggiungiFiltro("SezionePF1", "");
    EXPECT_EQ(t.IndiceFiltro("COMUNEPF1"), 0);
    EXPECT_EQ(t.IndiceFiltro("PF1"), -1);
    t.PreparaQuery();
    const QStringList righe = t.TQuery::SQL;
    ASSERT_EQ(righe.size(), 7) << t.TestoQuery().toStdString();
    EXPECT_EQ(righe[0], "Select ID_001_TABLE, ");
    EXPECT_EQ(righe[1], "ComunePF1, SezionePF1, PF1, Protocollo, Distanza");
    EXPECT_EQ(righe[2], ", SysField, Info, CodOp");
    EXPECT_EQ(righe[3], " from \"TRATTE.DB\"");
    EXPECT_EQ(righe[4], " Where (ID_001_TABLE > 1)  And ((Not CodOp Like 'D%') Or (CodOp is Null)) ");
    EXPECT_EQ(righe[5], " And (COMUNEPF1  LIKE 'A1%') And SEZIONEPF1=''");
    EXPECT_EQ(righe[6], " Order By ID_001_TABLE,CodOp ");
    EXPECT_TRUE(t.SQL.isEmpty());

    t.CancellaFiltri();
    t.AggiungiFiltro("ComunePF1", "A123");
    t.AggiungiCampoOrdine("Distanza");
    t.AggiungiCampoOrdine("DISTANZA");
    t.Discendente = true;
    t.TabelleAggiuntive = "Combinazioni C";
    t.PreparaQuery();
    EXPECT_EQ(t.TQuery::SQL[3], " from \"TRATTE.DB\",Combinazioni C");
    EXPECT_EQ(t.TQuery::SQL[5], " And COMUNEPF1='A123'");
    EXPECT_EQ(t.TQuery::SQL[6], " Order By DISTANZA DESC, CodOp ");

    // Condition lines replace the filters.
    t.TabelleAggiuntive.clear();
    t.Condizioni = QStringList{" (( ", " ComunePF1='A123'", " )) "};
    t.PreparaQuery();
    EXPECT_EQ(t.TQuery::SQL.mid(5, 4), QStringList({" And ", " (( ", " ComunePF1='A123'", " )) "}));
}

TEST_F(NewTableTest, RiapriMostraSoloLeRigheViveEFiltrate)
{
    TNewTable t(nullptr, &sessione);
    CreaArchivio(t);
    Aggiungi("A123", "", 1, 10.5);
    Aggiungi("A123", "B", 2, 20.25);
    Aggiungi("A1XY", "", 3, 30.0, "D");
    Aggiungi("A1XY", "", 4, 40.0, "UD");
    Aggiungi("B999", "", 5, 50.0);

    t.Riapri();
    EXPECT_TRUE(t.Active());
    EXPECT_EQ(t.RecordCount(), 4); // header row and the deleted row are not shown
    EXPECT_EQ(t.CartellaDatabase, cartella.percorso() + "/");
    t.First();
    EXPECT_EQ(t.FieldByName("ID_001_TABLE")->AsInteger(), 2);
    EXPECT_EQ(t.FieldByName("Distanza")->AsFloat(), 10.5);
    EXPECT_EQ(t.FieldNames().first(), "ID_001_TABLE");
    EXPECT_EQ(t.FieldNames().last(), "CodOp");

    t.AggiungiFiltro("ComunePF1", "A1*");
    t.Riapri();
    EXPECT_EQ(t.RecordCount(), 3);
    t.CancellaFiltri();
    t.AggiungiFiltro("SezionePF1", "");
    t.Riapri();
    EXPECT_EQ(t.RecordCount(), 3); // blank sections are NULL and match ''
    t.CancellaFiltri();
    t.AggiungiFiltro("ComunePF1", "a1*"); // LIKE is case-sensitive
    t.Riapri();
    EXPECT_EQ(t.RecordCount(), 0);

    t.CancellaFiltri();
    t.AggiungiCampoOrdine("Distanza");
    t.Discendente = true;
    t.Riapri();
    t.First();
    EXPECT_EQ(t.FieldByName("PF1")->AsInteger(), 5);
    t.Last();
    EXPECT_EQ(t.FieldByName("PF1")->AsInteger(), 1);
    // The storage key of each row is its ID_001_TABLE, found without reading rows.
    for (int r = 0; r < t.RecordCount(); ++r)
        EXPECT_EQ(t.RigaDellaChiave(t.ValoreRiga(r, 0).toLongLong()), r);
    EXPECT_EQ(t.RigaDellaChiave(4), -1); // the deleted row
    t.Close();
    EXPECT_FALSE(t.Active());
}

TEST_F(NewTableTest, SvuotaTieneLIntestazioneEToglieTuttoIlResto)
{
    TNewTable t(nullptr, &sessione);
    CreaArchivio(t);
    Aggiungi("A123", "", 1, 1);
    Aggiungi("A123", "", 2, 2, "D");
    t.Riapri();
    t.Svuota();
    EXPECT_FALSE(t.Active());
    t.Riapri();
    EXPECT_EQ(t.RecordCount(), 0);
    TTable piana(nullptr, &sessione);
    piana.DatabaseName = cartella.percorso();
    piana.TableName = "Tratte.db";
    piana.Open();
    ASSERT_EQ(piana.RecordCount(), 1);
    EXPECT_EQ(piana.FieldByName("ID_001_TABLE")->AsInteger(), 1);
}

TEST_F(NewTableTest, TableNameActiveENotAppend)
{
    TNewTable t(nullptr, &sessione);
    CreaArchivio(t);
    EXPECT_EQ(t.TableName(), "TRATTE.DB");
    Aggiungi("A123", "", 1, 1);

    t.SetActive(true);
    EXPECT_TRUE(t.Active());
    t.SetTableName("Altra.db");
    EXPECT_EQ(Testi(), QStringList{"Impossibile modificare la proprietà su una tabella aperta."});
    EXPECT_EQ(t.TableName(), "TRATTE.DB");

    // Insert refused silently.
    t.NotAppend = true;
    EXPECT_THROW(t.Append(), EAbort);
    EXPECT_EQ(t.State(), TDataSetState::dsBrowse);
    t.NotAppend = false;

    t.SetActive(false);
    EXPECT_FALSE(t.Active());
    t.SetTableName("Altra.db");
    EXPECT_EQ(t.TQuery::SQL, QStringList{"Select * From Altra.db"});

    // An open that fails through Active is swallowed and leaves it closed.
    finto.mostrati.clear();
    t.SetActive(true);
    EXPECT_FALSE(t.Active());
    EXPECT_FALSE(t.TDataSet::Active());
    EXPECT_TRUE(Testi().contains("Formato Tabella sconosciuto"));

    // While loading from a form Active is only remembered.
    TNewTable caricata(nullptr, &sessione);
    caricata.IniziaCaricamento();
    caricata.DatabaseName = cartella.percorso();
    caricata.SetTableName("Tratte.db");
    caricata.SetActive(true);
    EXPECT_FALSE(caricata.TDataSet::Active());
    caricata.Loaded();
    EXPECT_TRUE(caricata.Active());
    EXPECT_EQ(caricata.RecordCount(), 1);
}

TEST_F(NewTableTest, MessaggiDiNomeEFormato)
{
    TNewTable senzaNome(nullptr, &sessione);
    senzaNome.PreparaQuery();
    EXPECT_EQ(Testi(), QStringList{"Nome Tabella mancante."});

    // A table whose header holds no container.
    finto.mostrati.clear();
    {
        TTable piana(nullptr, &sessione);
        piana.DatabaseName = cartella.percorso();
        piana.TableName = "Strana.db";
        piana.FieldDefs.Add("ID_001_TABLE", TFieldType::ftAutoInc);
        piana.FieldDefs.Add("SysField", TFieldType::ftSmallint);
        piana.FieldDefs.Add("Info", TFieldType::ftBlob);
        piana.FieldDefs.Add("CodOp", TFieldType::ftString, 4);
        piana.IndexDefs.Add("", "ID_001_TABLE", ixPrimary);
        piana.CreateTable();
        piana.Open();
        piana.Append();
        piana.FieldByName("SysField")->SetAsInteger(4);
        piana.FieldByName("Info")->SetAsBytes("non un contenitore");
        piana.Post();
    }
    TNewTable strana(nullptr, &sessione);
    strana.DatabaseName = cartella.percorso();
    strana.SetTableName("Strana.db");
    const QStringList prima = strana.TQuery::SQL;
    strana.PreparaQuery();
    EXPECT_EQ(Testi(), QStringList({"Formato Tabella non riconosciuto", "Formato Tabella sconosciuto"}));
    EXPECT_EQ(strana.TQuery::SQL, prima); // the query text is left as it was
}

TEST_F(NewTableTest, GetLiveTableDaUnaTabellaSullaRigaCorrente)
{
    TNewTable t(nullptr, &sessione);
    CreaArchivio(t);
    Aggiungi("A123", "", 1, 1);
    Aggiungi("B456", "", 2, 2);
    t.Riapri();
    t.Last();
    auto viva = t.GetLiveTable();
    ASSERT_TRUE(viva);
    EXPECT_EQ(viva->RecordCount(), 1);
    EXPECT_EQ(viva->FieldByName("ComunePF1")->AsString(), "B456");
    viva->Edit();
    viva->FieldByName("CodOp")->SetAsString("D");
    viva->Post();
    viva->CancelRange();
    EXPECT_EQ(viva->RecordCount(), 3);
    viva.reset();
    t.Riapri();
    EXPECT_EQ(t.RecordCount(), 1);

    // Opened with Open(), not through Active: GetLiveTable counts it as active.
    TNewTable aperta(nullptr, &sessione);
    aperta.DatabaseName = cartella.percorso();
    aperta.SetTableName("Tratte.db");
    aperta.PreparaQuery();
    aperta.Open();
    EXPECT_FALSE(aperta.Active());
    EXPECT_TRUE(aperta.GetLiveTable() != nullptr);
    EXPECT_TRUE(aperta.Active());
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();

    // A closed table gives nothing and stays closed, without a message.
    aperta.Close();
    EXPECT_EQ(aperta.GetLiveTable(), nullptr);
    EXPECT_FALSE(aperta.TDataSet::Active());
    EXPECT_FALSE(aperta.Active());
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();

    // Running it again fails: the message, nothing, no error escapes.
    aperta.PreparaQuery();
    aperta.Open();
    aperta.BeforeOpen = [](TDataSet&) { throw EDBEngineError("Tabella bloccata"); };
    std::unique_ptr<TTable> nessuna;
    EXPECT_NO_THROW(nessuna = aperta.GetLiveTable());
    EXPECT_EQ(nessuna, nullptr);
    EXPECT_EQ(Testi(), QStringList{"Errore GetLiveTable: la tabella di origine non può essere chiusa"});
}

TEST_F(NewTableTest, ApiciNeiValoriDeiFiltriRaddoppiati)
{
    TNewTable t(nullptr, &sessione);
    CreaArchivio(t);
    Aggiungi("O'X", "", 1, 1);
    Aggiungi("O'XY", "", 2, 2);
    Aggiungi("OX", "", 3, 3);
    t.AggiungiFiltro("ComunePF1", "O'X");
    EXPECT_EQ(t.Filtri, QStringList{"COMUNEPF1='O''X'"});
    t.Riapri();
    ASSERT_EQ(t.RecordCount(), 1);
    EXPECT_EQ(t.FieldByName("PF1")->AsInteger(), 1);
    t.CancellaFiltri();
    t.AggiungiFiltro("ComunePF1", "O'*");
    t.Riapri();
    EXPECT_EQ(t.RecordCount(), 2);
    // A quote cannot end the literal and add a condition of its own.
    t.CancellaFiltri();
    t.AggiungiFiltro("ComunePF1", "' Or ''='");
    t.Riapri();
    EXPECT_EQ(t.RecordCount(), 0);
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();
}

TEST_F(NewTableTest, IstantaneaCopiaIlRisultatoEViaAllaFine)
{
    QString file;
    {
        TNewTable t(nullptr, &sessione);
        CreaArchivio(t);
        Aggiungi("A123", "", 1, 1);
        Aggiungi("B456", "", 2, 2);
        t.Istantanea = true;
        t.AggiungiFiltro("ComunePF1", "A123");
        t.Riapri();
        ASSERT_TRUE(t.TabellaIstantanea.startsWith("QUR")) << t.TabellaIstantanea.toStdString();
        file = cartella.file(t.TabellaIstantanea);
        EXPECT_TRUE(QFile::exists(file));
        EXPECT_EQ(t.TQuery::SQL, QStringList{"Select * From " + t.TabellaIstantanea});
        EXPECT_EQ(t.RecordCount(), 1);
        EXPECT_EQ(t.FieldByName("ComunePF1")->AsString(), "A123");
    }
    EXPECT_FALSE(QFile::exists(file));
}

} // namespace
