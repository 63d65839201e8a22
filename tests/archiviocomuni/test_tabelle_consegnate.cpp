// The delivered tables of the directory archive folder, as the build made
// them from data/ArchivioComuni: structure, the records everybody knows,
// the rules the program relies on, and the password.
#include "directory/nomericerca.h"
#include "gridkit/tabella/newtable.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "tabelle/errore.h"
#include "tabelle/query.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <memory>
#include <sqlcipher/sqlite3.h>

using namespace tabelle;

namespace {

const QString Cartella = QStringLiteral(CARTELLA_ARCHIVIO_COMUNI);

class TabelleConsegnate : public ::testing::Test {
protected:
    void SetUp() override { sessione.AddPassword("tulp41"); }

    std::unique_ptr<TTable> Apri(const QString& nome)
    {
        auto t = std::make_unique<TTable>(nullptr, &sessione);
        t->DatabaseName = Cartella;
        t->TableName = nome;
        t->Open();
        return t;
    }
    // The rows of a query run in the archive folder, as the program runs it.
    std::unique_ptr<TQuery> Interroga(const QStringList& sql, const QString& parametro, const QString& valore)
    {
        auto q = std::make_unique<TQuery>(nullptr, &sessione);
        q->DatabaseName = Cartella;
        q->SQL = sql;
        q->ParamByName(parametro).SetAsString(valore);
        q->Open();
        return q;
    }
    static QString Testo(const TDataSet& d, int riga, const char* campo)
    {
        return d.ValoreRiga(riga, d.FieldByName(campo)->Index()).toString();
    }
    // "name:type:size" of every field, in order (a blob's size is the grid
    // library's business).
    static std::string Struttura(TTable& t)
    {
        QStringList s;
        for (int i = 0; i < t.FieldCount(); ++i)
            s << QStringLiteral("%1:%2:%3").arg(t.Fields(i)->FieldName()).arg(int(t.Fields(i)->DataType())).arg(t.Fields(i)->IsBlob() ? 0 : t.Fields(i)->Size());
        return s.join(' ').toStdString();
    }
    static std::string Elenco(const QStringList& l) { return l.join(' ').toStdString(); }

    TSession sessione;
};

QString Alpha(const char* nome, int n) { return QStringLiteral("%1:%2:%3").arg(nome).arg(int(TFieldType::ftString)).arg(n); }

TEST_F(TabelleConsegnate, StrutturaComeLaLeggonoProgrammaEDirectory)
{
    const QStringList sistema = {QStringLiteral("ID_001_TABLE:%1:0").arg(int(TFieldType::ftAutoInc)),
                                 QStringLiteral("SysField:%1:0").arg(int(TFieldType::ftSmallint)),
                                 QStringLiteral("Info:%1:0").arg(int(TFieldType::ftBlob)), Alpha("CodOp", 4)};
    auto comuni = Apri("KWArchivioComuni.db");
    const QStringList campiComuni = {Alpha("Provincia", 2), Alpha("NomeComune", 40), Alpha("Regione", 25), Alpha("CAP", 5),
                                     Alpha("PrefissoTelefonico", 4), Alpha("CodiceFiscale", 5), Alpha("CodiceCatastale", 5),
                                     Alpha("NomeRicerca", 40)};
    EXPECT_EQ(Struttura(*comuni), Elenco(sistema + campiComuni));
    for (const char* indice : {"CodiceCatastale", "NomeComune", "NomeRicerca"})
        EXPECT_TRUE(comuni->GetIndexNames().contains(indice)) << comuni->GetIndexNames().join(',').toStdString();
    auto esteri = Apri("KWEsteri.db");
    const QStringList campiEsteri = {Alpha("NomeStato", 40), Alpha("CodiceFiscale", 5), Alpha("CodiceCatastale", 5),
                                     Alpha("NomeRicerca", 40)};
    EXPECT_EQ(Struttura(*esteri), Elenco(sistema + campiEsteri));
    for (const char* indice : {"CodiceCatastale", "NomeStato", "NomeRicerca"})
        EXPECT_TRUE(esteri->GetIndexNames().contains(indice));
    EXPECT_EQ(Struttura(*Apri("KWProvince.db")), Elenco({Alpha("SIGLA", 2), Alpha("Regione", 25)}));
    EXPECT_EQ(Struttura(*Apri("Province.db")), Elenco({Alpha("SIGLA", 2), Alpha("PROVINCIA", 20), Alpha("CODPROV", 2)}));
    EXPECT_EQ(Struttura(*Apri("ZRNuoveProvince.db")),
              Elenco({Alpha("NomeComune", 40), Alpha("VecchiaProvincia", 2), Alpha("NuovaProvincia", 2)}));

    // The grid library reads both archive tables as its own: header row 1,
    // four system fields, the user fields after them.
    messaggi::ServizioMessaggiFinto finto;
    const messaggi::SostituzioneServizio sostituzione(finto);
    for (const char* nome : {"KWArchivioComuni.db", "KWEsteri.db"}) {
        gridkit::TNewTable t(nullptr, &sessione);
        t.DatabaseName = Cartella;
        t.SetTableName(nome);
        t.LeggiStruttura();
        EXPECT_EQ(Elenco(t.CampiSistema), "SysField Info CodOp") << nome;
        EXPECT_EQ(t.CampiUtente.first(), QString(QString(nome) == "KWEsteri.db" ? "NomeStato" : "Provincia")) << nome;
    }
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

TEST_F(TabelleConsegnate, ComuniNotiERegoleDiOgniComune)
{
    const QStringList perCodice = {"Select * from \"KWArchivioComuni.db\" com", "Where com.\"CodiceCatastale\" like :codice"};
    auto roma = Interroga(perCodice, "codice", "H501");
    ASSERT_EQ(roma->RecordCount(), 1);
    EXPECT_EQ(Testo(*roma, 0, "NomeComune"), "ROMA");
    EXPECT_EQ(Testo(*roma, 0, "Provincia"), "RM");
    EXPECT_EQ(Testo(*roma, 0, "Regione"), "LAZIO");
    EXPECT_EQ(Testo(*roma, 0, "CodiceFiscale"), "H501");
    auto milano = Interroga(perCodice, "codice", "F205");
    ASSERT_EQ(milano->RecordCount(), 1);
    EXPECT_EQ(Testo(*milano, 0, "NomeComune"), "MILANO");
    EXPECT_EQ(Testo(*milano, 0, "Provincia"), "MI");
    auto aci = Interroga({"Select * from \"KWArchivioComuni.db\" com", "Where com.\"NomeComune\" like :nome"}, "nome", "ACI SANT'ANTONIO");
    ASSERT_EQ(aci->RecordCount(), 1);
    EXPECT_EQ(Testo(*aci, 0, "Provincia"), "CT");
    EXPECT_EQ(Testo(*aci, 0, "CodiceCatastale"), "A029");

    QHash<QString, QString> regioneDi;
    auto province = Apri("KWProvince.db");
    for (int r = 0; r < province->RecordCount(); ++r)
        regioneDi.insert(Testo(*province, r, "SIGLA"), Testo(*province, r, "Regione"));

    auto comuni = Apri("KWArchivioComuni.db");
    const int righe = comuni->RecordCount();
    EXPECT_EQ(comuni->ValoreRiga(0, 0).toInt(), 1); // the header row
    EXPECT_TRUE(Testo(*comuni, 0, "NomeComune").isEmpty());
    EXPECT_GT(righe - 1, 7800);
    EXPECT_LT(righe - 1, 8100);
    const QRegularExpression codice("^[A-Y][0-9]{3}$");
    const QRegularExpression cap("^([0-9]{5})?$");
    QSet<QString> codici;
    int conCap = 0, accentati = 0;
    for (int r = 1; r < righe; ++r) {
        const QString nome = Testo(*comuni, r, "NomeComune");
        const QString cf = Testo(*comuni, r, "CodiceFiscale");
        const QString cc = Testo(*comuni, r, "CodiceCatastale");
        const QString sigla = Testo(*comuni, r, "Provincia");
        ASSERT_TRUE(codice.match(cf).hasMatch()) << nome.toStdString() << " " << cf.toStdString();
        ASSERT_TRUE(cc == cf || (cc.size() == 5 && cc.startsWith(cf))) << nome.toStdString();
        ASSERT_FALSE(codici.contains(cc)) << cc.toStdString();
        codici.insert(cc);
        ASSERT_FALSE(nome.isEmpty());
        ASSERT_EQ(nome, nome.toUpper());
        ASSERT_EQ(Testo(*comuni, r, "NomeRicerca"), borgal::NomeRicerca(nome));
        accentati += Testo(*comuni, r, "NomeRicerca") != nome;
        ASSERT_TRUE(regioneDi.contains(sigla)) << nome.toStdString();
        ASSERT_EQ(Testo(*comuni, r, "Regione"), regioneDi.value(sigla)) << nome.toStdString();
        ASSERT_TRUE(cap.match(Testo(*comuni, r, "CAP")).hasMatch()) << nome.toStdString();
        conCap += !Testo(*comuni, r, "CAP").isEmpty();
    }
    EXPECT_GT(conCap, righe - 100); // only comuni newer than the CAP list lack one
    EXPECT_GT(accentati, 140); // FORLÌ, CANTÙ, CAVA DE' TIRRENI, VO'...
}

TEST_F(TabelleConsegnate, StatiEsteri)
{
    auto esteri = Apri("KWEsteri.db");
    EXPECT_GT(esteri->RecordCount() - 1, 150);
    EXPECT_LT(esteri->RecordCount() - 1, 300);
    const QRegularExpression codice("^Z[0-9]{3}$");
    QHash<QString, QString> codiceDi;
    for (int r = 1; r < esteri->RecordCount(); ++r) {
        const QString nome = Testo(*esteri, r, "NomeStato");
        ASSERT_TRUE(codice.match(Testo(*esteri, r, "CodiceCatastale")).hasMatch()) << nome.toStdString();
        ASSERT_EQ(Testo(*esteri, r, "CodiceFiscale"), Testo(*esteri, r, "CodiceCatastale"));
        ASSERT_EQ(nome, nome.toUpper());
        ASSERT_EQ(Testo(*esteri, r, "NomeRicerca"), borgal::NomeRicerca(nome));
        codiceDi.insert(nome, Testo(*esteri, r, "CodiceCatastale"));
    }
    EXPECT_EQ(codiceDi.value("FRANCIA"), "Z110");
    EXPECT_EQ(codiceDi.value("SAN MARINO"), "Z130");
    EXPECT_EQ(codiceDi.value("STATO DELLA CITTÀ DEL VATICANO"), "Z106");
}

TEST_F(TabelleConsegnate, OgniProvinciaSiTrovaComeComuneConLaSuaSigla)
{
    auto province = Apri("Province.db");
    auto regioni = Apri("KWProvince.db");
    ASSERT_EQ(province->RecordCount(), 107);
    ASSERT_EQ(regioni->RecordCount(), 107);
    QSet<QString> sigleRegioni;
    for (int r = 0; r < regioni->RecordCount(); ++r) {
        sigleRegioni.insert(Testo(*regioni, r, "SIGLA"));
        EXPECT_FALSE(Testo(*regioni, r, "Regione").isEmpty()) << Testo(*regioni, r, "SIGLA").toStdString();
    }
    // The lookup of a province name: the first comune of that name, in
    // the table's order, must carry the province's code.
    const QStringList perNome = {"Select * from \"KWArchivioComuni.db\" com", "Where com.\"NomeComune\" like :nome"};
    QHash<QString, QString> nomeDi;
    for (int r = 0; r < province->RecordCount(); ++r) {
        const QString sigla = Testo(*province, r, "SIGLA");
        const QString nome = Testo(*province, r, "PROVINCIA");
        nomeDi.insert(sigla, nome);
        EXPECT_TRUE(sigleRegioni.contains(sigla)) << sigla.toStdString();
        ASSERT_FALSE(nome.isEmpty()) << sigla.toStdString();
        EXPECT_LE(nome.size(), 20) << nome.toStdString();
        auto comune = Interroga(perNome, "nome", nome);
        ASSERT_GE(comune->RecordCount(), 1) << nome.toStdString();
        EXPECT_EQ(Testo(*comune, 0, "Provincia"), sigla) << nome.toStdString();
    }
    EXPECT_EQ(nomeDi.value("RM"), "ROMA");
    EXPECT_EQ(nomeDi.value("MB"), "MONZA");
    EXPECT_EQ(nomeDi.value("BT"), "BARLETTA");
    auto rm = Interroga({"Select * from \"Province.db\"  pr", "Where pr.\"SIGLA\" =:pattern"}, "pattern", "RM");
    ASSERT_EQ(rm->RecordCount(), 1);
    EXPECT_EQ(Testo(*rm, 0, "PROVINCIA"), "ROMA");
}

TEST_F(TabelleConsegnate, ComuniPassatiAUnaNuovaProvincia)
{
    const QStringList sql = {"Select * from \"ZRNuoveProvince.db\" prov", "where prov.\"VecchiaProvincia\" like :sigla"};
    QHash<QString, QString> daMilano;
    auto mi = Interroga(sql, "sigla", "MI");
    for (int r = 0; r < mi->RecordCount(); ++r)
        daMilano.insert(Testo(*mi, r, "NomeComune"), Testo(*mi, r, "NuovaProvincia"));
    EXPECT_EQ(daMilano.value("MONZA"), "MB");
    EXPECT_EQ(daMilano.size(), 55);
    QHash<QString, QString> daBari;
    auto ba = Interroga(sql, "sigla", "BA");
    for (int r = 0; r < ba->RecordCount(); ++r)
        daBari.insert(Testo(*ba, r, "NomeComune"), Testo(*ba, r, "NuovaProvincia"));
    EXPECT_EQ(daBari.value("BARLETTA"), "BT");
    EXPECT_EQ(Interroga(sql, "sigla", "AP")->RecordCount(), 40); // Fermo's comuni
    EXPECT_GT(Interroga(sql, "sigla", "CA")->RecordCount(), 0);  // the Sardinian reorganisation

    // Every row names a comune of its new province.
    QSet<QString> comuniDi;
    auto comuni = Apri("KWArchivioComuni.db");
    for (int r = 1; r < comuni->RecordCount(); ++r)
        comuniDi.insert(Testo(*comuni, r, "Provincia") + '/' + Testo(*comuni, r, "NomeComune"));
    auto tutte = Apri("ZRNuoveProvince.db");
    for (int r = 0; r < tutte->RecordCount(); ++r) {
        const QString chiave = Testo(*tutte, r, "NuovaProvincia") + '/' + Testo(*tutte, r, "NomeComune");
        EXPECT_TRUE(comuniDi.contains(chiave)) << chiave.toStdString();
        EXPECT_NE(Testo(*tutte, r, "VecchiaProvincia"), Testo(*tutte, r, "NuovaProvincia"));
    }
}

TEST_F(TabelleConsegnate, SenzaPasswordNessunaTabellaSiLegge)
{
    TSession estranea;
    for (const char* nome : {"KWArchivioComuni.db", "KWEsteri.db", "KWProvince.db", "Province.db", "ZRNuoveProvince.db"}) {
        TTable t(nullptr, &estranea);
        t.DatabaseName = Cartella;
        t.TableName = nome;
        EXPECT_THROW(t.Open(), EDBEngineError) << nome;

        sqlite3* db = nullptr;
        sqlite3_open_v2(QFile::encodeName(QDir(Cartella).filePath(nome)).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        EXPECT_NE(sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr), SQLITE_OK) << nome;
        sqlite3_close(db);
    }
}

} // namespace
