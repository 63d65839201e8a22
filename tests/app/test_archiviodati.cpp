// The data store: the tables made at the first start, their structure and
// protection, and the folder of the comuni archive.
#include "app/archiviodati.h"
#include "app/configurazione.h"
#include "directory/caricamento.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "registro/treginifile.h"
#include "supporto/cartella_temporanea.h"
#include "tabelle/chiave.h"
#include "tabelle/errore.h"
#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sqlcipher/sqlite3.h>

using namespace tratte;
using namespace tabelle;

namespace {

QByteArray Impronta(const QString& file)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

bool LeggibileSenzaChiave(const QString& file)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const bool ok = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

class ArchivioDatiTest : public ::testing::Test {
protected:
    CartellaTemporanea cartella;
    TSession sessione;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    QString programma = cartella.sottocartella("Tratte");
    QString dati = cartella.sottocartella("Tratte/Archivi");

    std::unique_ptr<TTable> Apri(const QString& nome)
    {
        auto t = std::make_unique<TTable>(nullptr, &sessione);
        t->DatabaseName = "Database";
        t->TableName = nome;
        t->Open();
        return t;
    }
};

TEST_F(ArchivioDatiTest, PrimaPartenzaCreaLeTreTabelleProtette)
{
    TArchivioDati archivio(programma, nullptr, &sessione);
    EXPECT_EQ(archivio.CartellaProgramma, programma + "/");
    EXPECT_EQ(archivio.CartellaDati(), dati);
    archivio.Prepara();
    EXPECT_TRUE(finto.mostrati.isEmpty());
    EXPECT_EQ(archivio.Database.Params, QStringList({"PATH=" + dati, "DEFAULT DRIVER=PARADOX", "ENABLE BCD=FALSE"}));
    EXPECT_TRUE(archivio.Database.Connected());
    EXPECT_TRUE(sessione.Passwords().contains("tulp41"));

    for (const char* nome : {"Tratte.db", "TratteLibretto.db", "PRV.DB"}) {
        const QString file = QDir(dati).filePath(nome);
        ASSERT_TRUE(QFile::exists(file)) << nome;
        EXPECT_FALSE(LeggibileSenzaChiave(file)) << nome;
    }

    auto tratte = Apri("TRATTE.DB");
    EXPECT_EQ(tratte->FieldNames(),
              QStringList({"ID_001_TABLE", "SysField", "Info", "CodOp", "ComunePF1", "SezionePF1", "FoglioPF1", "AllegatoPF1",
                           "PF1", "ComunePF2", "SezionePF2", "FoglioPF2", "AllegatoPF2", "PF2", "Protocollo", "Distanza",
                           "ScartoQMedio", "Provincia"}));
    EXPECT_EQ(tratte->FieldByName("Protocollo")->DataType(), TFieldType::ftString);
    EXPECT_EQ(tratte->FieldByName("Protocollo")->Size(), 13);
    EXPECT_EQ(tratte->FieldByName("FoglioPF1")->DataType(), TFieldType::ftInteger);
    EXPECT_EQ(tratte->FieldByName("ScartoQMedio")->DataType(), TFieldType::ftFloat);
    EXPECT_EQ(tratte->FieldByName("Provincia")->Size(), 2);
    EXPECT_EQ(tratte->RecordCount(), 1); // the header row
    QStringList indici = tratte->GetIndexNames();
    indici.sort();
    EXPECT_EQ(indici, QStringList({"IDxCodOp", "IDxElenco", "IDxProvincia", "IDxPuntoPF1", "IDxPuntoPF2"}));

    auto libretto = Apri("tratteLibretto.db");
    // The protocol as the archive holds it.
    EXPECT_EQ(libretto->FieldByName("Protocollo")->DataType(), TFieldType::ftString);
    EXPECT_EQ(libretto->FieldByName("Protocollo")->Size(), 13);
    EXPECT_EQ(libretto->FieldByName("CoppiaPF")->Size(), 30);
    EXPECT_EQ(libretto->FieldByName("FlagUfficio")->Size(), 1);
    EXPECT_EQ(libretto->FieldNames().size(), 4 + 11);

    auto prv = Apri("Prv.db");
    EXPECT_EQ(prv->FieldNames(), QStringList({"CODEPRV", "PROVINCIA", "DATA"}));
    EXPECT_EQ(prv->RecordCount(), 0);

    // The header row is never part of what a query of the program reads.
    TQuery q(nullptr, &sessione);
    q.DatabaseName = "Database";
    q.SQL << "Select * from \"Tratte.DB\" Where (ID_001_TABLE > 1)";
    q.Open();
    EXPECT_EQ(q.RecordCount(), 0);

    // The index on CodOp holds only marked rows; rows with and without a
    // mark are still found by either condition on it.
    TQuery scrivi(nullptr, &sessione);
    scrivi.DatabaseName = "Database";
    scrivi.SQL << "Insert Into \"Tratte.DB\" (CodOp, ComunePF1) Values (:op, 'A000')";
    for (const QString& op : {QString(), QString("D"), QString("DY"), QString("XY"), QString()}) {
        scrivi.ParamByName("op").SetAsString(op);
        scrivi.ExecSQL();
    }
    for (const auto& [condizione, righe] : {std::pair{"(Not CodOp Like 'D%') Or (CodOp is Null)", 3}, std::pair{"CodOp Like 'D%'", 2},
                                            std::pair{"CodOp is Null", 2}, std::pair{"CodOp = 'XY'", 1}}) {
        TQuery conta(nullptr, &sessione);
        conta.DatabaseName = "Database";
        conta.SQL << QString("Select ComunePF1 from \"Tratte.DB\" Where (ID_001_TABLE > 1) And (%1) Order By ID_001_TABLE, CodOp").arg(condizione);
        conta.Open();
        EXPECT_EQ(conta.RecordCount(), righe) << condizione;
    }
}

TEST_F(ArchivioDatiTest, RisultatiDelVecchioTracciatoRifatti)
{
    {
        TArchivioDati archivio(programma, nullptr, &sessione);
        archivio.Prepara();
        // A results table of the old layout, whose protocol was a long integer.
        archivio.Tabella.Close();
        archivio.Tabella.DatabaseName = dati + "/";
        archivio.Tabella.SetTableName("TratteLibretto.db");
        archivio.Tabella.SvuotaCampiSistema();
        archivio.Tabella.SvuotaCampiUtente();
        archivio.Tabella.CreaTabella({"CoppiaPF,30", "Urbane,22", "Extraurbane,22", "Sfavorevoli,22", "TrattaAttuale,N,12",
                                      "TrattaInArchivio,N,12", "Differenza,N,12", "ScartoQMedio,N,12", "Anno,I", "Protocollo,I",
                                      "FlagUfficio,1"});
        ProteggiTabella(dati + "/TratteLibretto.db", PasswordTabelle, sessione);
        EXPECT_FALSE(archivio.ProtocolloAlfanumerico());
    }
    // A command that does not use the results leaves the table alone; the
    // main window's start, and a command that uses it, make it anew.
    TArchivioDati archivio(programma, nullptr, &sessione);
    archivio.Prepara();
    EXPECT_FALSE(archivio.ProtocolloAlfanumerico());
    archivio.AggiornaTabellaRisultati();
    EXPECT_TRUE(archivio.ProtocolloAlfanumerico());
    auto libretto = Apri("TratteLibretto.db");
    EXPECT_EQ(libretto->FieldByName("Protocollo")->DataType(), TFieldType::ftString);
    // A 13-digit protocol and one with letters are kept as they are.
    for (const char* protocollo : {"2018000202112", "PO2018000202"}) {
        libretto->Append();
        libretto->FieldByName("Protocollo")->SetAsString(protocollo);
        libretto->Post();
    }
    libretto->Close();
    libretto->Open();
    libretto->Last();
    EXPECT_EQ(libretto->FieldByName("Protocollo")->AsString(), "PO2018000202");
    libretto->Prior();
    EXPECT_EQ(libretto->FieldByName("Protocollo")->AsString(), "2018000202112");
    // A table of the new layout is left as it is.
    TArchivioDati ancora(programma, nullptr, &sessione);
    ancora.Prepara();
    ancora.CreaTabelleMancanti();
    EXPECT_EQ(Apri("TratteLibretto.db")->RecordCount(), 3);
}

TEST_F(ArchivioDatiTest, PrvRifiutaSiglaENomeDoppi)
{
    TArchivioDati archivio(programma, nullptr, &sessione);
    archivio.Prepara();
    auto prv = Apri("PRV.DB");
    auto aggiungi = [&](const QString& sigla, const QString& nome) {
        prv->Append();
        prv->FieldByName("CODEPRV")->SetAsString(sigla);
        prv->FieldByName("PROVINCIA")->SetAsString(nome);
        prv->FieldByName("DATA")->SetAsString("03-07");
        prv->Post();
    };
    aggiungi("RM", "ROMA");
    aggiungi("MI", "MILANO");
    EXPECT_THROW(aggiungi("RM", "RIETI"), EDBEngineError);
    prv->Cancel();
    EXPECT_THROW(aggiungi("RI", "ROMA"), EDBEngineError);
    prv->Cancel();
    prv->Close();
    prv->Open();
    // Key order.
    EXPECT_EQ(prv->RecordCount(), 2);
    prv->First();
    EXPECT_EQ(prv->FieldByName("CODEPRV")->AsString(), "MI");
    prv->Last();
    EXPECT_EQ(prv->FieldByName("CODEPRV")->AsString(), "RM");
    EXPECT_EQ(prv->FieldByName("DATA")->AsString(), "03-07");
}

TEST_F(ArchivioDatiTest, TabelleEsistentiRestanoComeSono)
{
    {
        TArchivioDati archivio(programma, nullptr, &sessione);
        archivio.Prepara();
        auto prv = Apri("PRV.DB");
        prv->Append();
        prv->FieldByName("CODEPRV")->SetAsString("RM");
        prv->FieldByName("PROVINCIA")->SetAsString("ROMA");
        prv->Post();
    }
    QFile::remove(QDir(dati).filePath("TratteLibretto.db"));
    const QByteArray tratte = Impronta(QDir(dati).filePath("Tratte.db"));
    const QByteArray prv = Impronta(QDir(dati).filePath("PRV.DB"));

    TSession altra;
    TArchivioDati archivio(programma, nullptr, &altra);
    archivio.Prepara();
    EXPECT_EQ(Impronta(QDir(dati).filePath("Tratte.db")), tratte);
    EXPECT_EQ(Impronta(QDir(dati).filePath("PRV.DB")), prv);
    EXPECT_TRUE(QFile::exists(QDir(dati).filePath("TratteLibretto.db")));
}

TEST_F(ArchivioDatiTest, CartellaMancanteOTabellaInUsoSonoErroriDelMotore)
{
    TArchivioDati senzaDati(cartella.sottocartella("Vuota"), nullptr, &sessione);
    try {
        senzaDati.Prepara();
        FAIL();
    } catch (const EDBEngineError& e) {
        EXPECT_TRUE(e.messaggio().contains("Archivi")) << e.messaggio().toStdString();
    }
    EXPECT_FALSE(QDir(cartella.file("Vuota/Archivi")).exists());

    // A table shut by another user's exclusive open: the error names it.
    TArchivioDati archivio(programma, nullptr, &sessione);
    archivio.Prepara();
    QFile::remove(QDir(dati).filePath("PRV.DB"));
    TSession altra;
    altra.AddPassword(PasswordTabelle);
    TTable esclusiva(nullptr, &altra);
    esclusiva.TableName = QDir(dati).filePath("Tratte.db");
    esclusiva.Exclusive = true;
    esclusiva.Open();
    QFile::remove(QDir(dati).filePath("TratteLibretto.db"));
    TSession terza;
    TArchivioDati secondo(programma, nullptr, &terza);
    EXPECT_NO_THROW(secondo.Prepara()); // Tratte.db exists: untouched
    auto prv = std::make_unique<TTable>(nullptr, &terza);
    prv->TableName = QDir(dati).filePath("PRV.DB");
    EXPECT_NO_THROW(prv->Open());
    TQuery lettura(nullptr, &terza);
    lettura.DatabaseName = "Database";
    lettura.SQL << "Select * from \"Tratte.db\"";
    try {
        lettura.Open();
        FAIL();
    } catch (const EDBEngineError& e) {
        EXPECT_TRUE(e.messaggio().contains("Tratte.db")) << e.messaggio().toStdString();
    }
}

TEST_F(ArchivioDatiTest, CartellaArchivioComuniDalRegistro)
{
    EXPECT_EQ(LeggiCartellaArchivioComuni(), QString());
    registro::TRegIniFile("\\SOFTWARE\\QUINTOR\\COMMON\\BORGAL\\")
        .WriteString("Archivi", "FileNameArchivioComuni", "/opt/Tratte/ArchivioComuni/KWArchivioComuni.db");
    EXPECT_EQ(LeggiCartellaArchivioComuni(), "/opt/Tratte/ArchivioComuni/");
    TArchivioDati archivio(programma, nullptr, &sessione);
    archivio.Prepara();
    EXPECT_EQ(archivio.CartellaArchivioComuni, "/opt/Tratte/ArchivioComuni/");
}

} // namespace

// The keys written in the sources are those the passwords give: a wrong one
// would open no table of an archive made by an earlier release.
TEST(ChiaveTabelle, LeChiaviScritteSonoQuelleDellePassword)
{
    EXPECT_EQ(tabelle::DerivaChiaveGrezza(PasswordTabelle), QByteArray(ChiaveTabelle));
    EXPECT_EQ(tabelle::DerivaChiaveGrezza(QString::fromLatin1(borgal::PasswordTabelle)), QByteArray(borgal::ChiaveTabelle));
}
