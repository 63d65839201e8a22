// The statements the program's forms and the enhanced table write, run on
// SQLite after translation.
#include "archivio_prova.h"

namespace {

const QStringList query1{"Select * from \"KWArchivioComuni.db\" com",
                         "Where com.\"CodiceFiscale\" like :CodiceFiscale or",
                         "com.\"CodiceCatastale\" like:CodiceCatastale or", "com.\"Provincia\" like:Provincia or",
                         "com.\"NomeComune\" like:NomeComune", ""};

const QString selectTratte = QStringLiteral(
    "Select ID_001_TABLE, ComunePF1, SezionePF1, FoglioPF1, AllegatoPF1, PF1, ComunePF2, SezionePF2, FoglioPF2, "
    "AllegatoPF2, PF2, Protocollo, Distanza, ScartoQMedio, Provincia");

QStringList prima(const QList<QStringList>& righe)
{
    QStringList valori;
    for (const QStringList& r : righe)
        valori.append(r.value(0));
    return valori;
}

} // namespace

TEST_F(ArchivioProva, RicercaComuniConParametri)
{
    const auto t = traduci(righe(query1));
    EXPECT_EQ(t.istruzioni.value(0),
              "SELECT * FROM t3.dati AS com WHERE com.\"CodiceFiscale\" LIKE :CodiceFiscale OR "
              "com.\"CodiceCatastale\" LIKE :CodiceCatastale OR com.\"Provincia\" LIKE :Provincia OR "
              "com.\"NomeComune\" LIKE :NomeComune");
    ASSERT_EQ(t.tabelle.size(), 1);
    EXPECT_EQ(t.tabelle[0].nome, "KWArchivioComuni.db");
    EXPECT_EQ(t.tabelle[0].alias, "com");
    EXPECT_EQ(t.tabelle[0].aliasSql, "com");
    EXPECT_FALSE(t.materializza);

    // the three parameters without value match nothing
    const auto rm = leggi(righe(query1), {{"Provincia", "RM"}});
    EXPECT_EQ(rm.size(), 2);
    const auto codQuery = leggi(righe({"Select * from \"KWArchivioComuni.db\" com",
                                       "Where com.\"CodiceFiscale\" like :Codice or", "com.\"NomeComune\" like:Codice"},
                                      "\n"),
                                {{"Codice", "ROMA"}});
    ASSERT_EQ(codQuery.size(), 1);
    EXPECT_EQ(codQuery[0][6], "H501");
}

TEST_F(ArchivioProva, ProvinciaDallaSiglaAncheVuota)
{
    const QString query2 = righe({"Select * from \"Province.db\"  pr", "Where pr.\"SIGLA\" =:pattern"});
    EXPECT_EQ(prima(leggi(query2, {{"pattern", "RM"}})), QStringList{"RM"});
    // an empty parameter is bound as NULL: the blank SIGLA is found
    const auto vuota = leggi(query2, {{"pattern", ""}});
    ASSERT_EQ(vuota.size(), 1);
    EXPECT_EQ(vuota[0][1], "(senza sigla)");
}

TEST_F(ArchivioProva, SelectDellaTabellaEvolutaConJoin)
{
    const QStringList linee{selectTratte, ", SysField, Info, CodOp", " from \"TRATTE.DB\",Combinazioni C",
                            " Where (ID_001_TABLE > 1)  And ((Not CodOp Like 'D%') Or (CodOp is Null)) ",
                            " And (COMUNEPF1  LIKE 'A1%')", " Order By DISTANZA DESC, CodOp "};
    const QString testo = righe(linee);
    const auto t = traduci(testo);
    EXPECT_EQ(t.selezioneChiavi.left(44), "SELECT _t1.rowid, C.rowid FROM t1.dati AS _t");
    EXPECT_TRUE(t.selezioneChiavi.endsWith(" ORDER BY DISTANZA DESC, CodOp")) << t.selezioneChiavi.toStdString();
    EXPECT_TRUE(t.letturaRiga.endsWith("WHERE _t1.rowid IS :__k1 AND C.rowid IS :__k2"));
    EXPECT_EQ(t.tabelleFrom, 2);
    EXPECT_EQ(t.tabelle[1].alias, "C");
    // two live rows beginning with A1, each with both pair rows; the deleted one is left out
    EXPECT_EQ(prima(leggi(testo)), (QStringList{"2", "2", "3", "3"}));
    EXPECT_EQ(prima(leggi(righe(linee, ""))), (QStringList{"2", "2", "3", "3"})); // lines joined with nothing
}

TEST_F(ArchivioProva, RicercaDiPiuPuntiEUnPunto)
{
    const QStringList cornice{selectTratte, ", SysField, Info, CodOp", " from \"TRATTE.DB\",Combinazioni C",
                              " Where (ID_001_TABLE > 1)  And ((Not CodOp Like 'D%') Or (CodOp is Null)) ", " And "};
    const QStringList join{" (ComunePF1 = 'A123'", " or ComunePF1 = 'A124'", ")",
                           " AND ComunePF1=C.Comune1 ",
                           " AND ((SezionePF1=C.Sezione1) OR ((SezionePF1 Is Null) And (Sezione1 Is Null)) ) ",
                           " AND FoglioPF1=C.Foglio1 ",
                           " AND ((AllegatoPF1=C.Allegato1) OR ((AllegatoPF1 Is Null) And (Allegato1 Is Null)) ) ",
                           " AND PF1=C.Fiduciale1 ", " AND ComunePF2=C.Comune2 ",
                           " AND ((SezionePF2=C.Sezione2) OR ((SezionePF2 Is Null) And (Sezione2 Is Null)) ) ",
                           " AND FoglioPF2=C.Foglio2 ",
                           " AND ((AllegatoPF2=C.Allegato2) OR ((AllegatoPF2 Is Null) And (Allegato2 Is Null)) ) ",
                           " AND PF2=C.Fiduciale2 ", " Order By ID_001_TABLE,CodOp "};
    EXPECT_EQ(prima(leggi(righe(cornice + join))), QStringList{"2"});

    QStringList unPunto = cornice;
    unPunto.replace(2, " from \"TRATTE.DB\"");
    unPunto += QStringList{" (( ", " ComunePF1='A123'", " AND   (SezionePF1 is Null)", " AND   FoglioPF1=12",
                " AND   (AllegatoPF1 is Null)", " AND   PF1=5", " ) ", " OR ", " ( ", " ComunePF2='A123'",
                " AND   (SezionePF2 is Null)", " AND   FoglioPF2=12", " AND   (AllegatoPF2 is Null)", " AND   PF2=5",
                " )) ", " Order By ID_001_TABLE,CodOp "};
    EXPECT_EQ(prima(leggi(righe(unPunto))), QStringList{"2"}); // row 4 has the point as PF2 but is deleted
}

TEST_F(ArchivioProva, FiltroSezioneVuotaTrovaIBianchi)
{
    const QString testo = righe({"Select ID_001_TABLE from \"TRATTE.DB\"", " Where (ID_001_TABLE > 1) ",
                                 " And COMUNEPF1='A123' And SEZIONEPF1=''"});
    EXPECT_TRUE(traduci(testo).istruzioni[0].endsWith("SEZIONEPF1 IS NULL"));
    EXPECT_EQ(prima(leggi(testo)), QStringList{"2"});
    EXPECT_EQ(prima(leggi("Select ID_001_TABLE from \"TRATTE.DB\" Where SezionePF1 <> '' Or \"\" != AllegatoPF1")),
              QStringList{"3"});
}

TEST_F(ArchivioProva, SvuotaEEliminaProvincia)
{
    esegui(righe({"Delete from \"/f/Tratte.DB\" dati", "Where \"dati\".\"Provincia\" = \"RM\" "}));
    EXPECT_EQ(colonna("t1", "ID_001_TABLE"), (QStringList{"1", "5"}));
    EXPECT_EQ(risolutore.richieste.last(), "/f/Tratte.DB");

    const auto t = traduci("Delete From TRATTE.DB Where ID_001_TABLE > 1");
    EXPECT_EQ(t.istruzioni, QStringList{"DELETE FROM t1.dati WHERE ID_001_TABLE > 1"});
    EXPECT_EQ(t.tipo, tabelle::sql::Tipo::Delete);
    esegui("Delete From /tmp/x/TRATTE.DB Where ID_001_TABLE > 1");
    EXPECT_EQ(risolutore.richieste.last(), "/tmp/x/TRATTE.DB");
    EXPECT_EQ(colonna("t1", "ID_001_TABLE"), QStringList{"1"});
}

TEST_F(ArchivioProva, CreaTabellaEvoluta)
{
    const auto alter = traduci(" Alter Table \"NUOVA.DB\"   Add SysField   Smallint,  Add Info       Blob(0,2),  "
                               "Add CodOp      Char(4),  Add  ComunePF1 CHAR(4) , Add  Distanza NUMERIC(12,0)  ");
    EXPECT_EQ(alter.tipo, tabelle::sql::Tipo::AlterTable);
    EXPECT_EQ(alter.istruzioni,
              (QStringList{"ALTER TABLE t6.dati ADD COLUMN SysField SMALLINT", "ALTER TABLE t6.dati ADD COLUMN Info BLOB(0,2)",
                           "ALTER TABLE t6.dati ADD COLUMN CodOp CHAR(4)", "ALTER TABLE t6.dati ADD COLUMN ComunePF1 CHAR(4)",
                           "ALTER TABLE t6.dati ADD COLUMN Distanza NUMERIC(12,0)"}));
    for (const QString& sql : alter.istruzioni)
        banco.esegui(sql);
    QStringList tipi;
    for (const QStringList& c : banco.righe("PRAGMA t6.table_info(dati)"))
        tipi.append(c[2]);
    EXPECT_EQ(tipi, (QStringList{"INTEGER", "SMALLINT", "BLOB(0,2)", "CHAR(4)", "CHAR(4)", "NUMERIC(12,0)"}));

    const auto indice = traduci("Create Index IDxCodOp On \"NUOVA.DB\" (CodOp)");
    EXPECT_EQ(indice.istruzioni, QStringList{"CREATE INDEX t6.IDxCodOp ON dati (CodOp)"});
    banco.esegui(indice.istruzioni[0]);
    EXPECT_EQ(banco.righe("SELECT name FROM t6.sqlite_master WHERE type = 'index'"), QList<QStringList>{{"IDxCodOp"}});

    esegui("DROP INDEX \"Nuova.db\".IDxCodOp");
    EXPECT_TRUE(banco.righe("SELECT name FROM t6.sqlite_master WHERE type = 'index'").isEmpty());
    esegui("Create Unique Index Chiave On NUOVA.DB (ComunePF1 DESC, \"CodOp\")");
    esegui("Drop Index Chiave On \"/x/NUOVA.DB\"");
    EXPECT_TRUE(banco.righe("SELECT name FROM t6.sqlite_master WHERE type = 'index'").isEmpty());

    // An index of the rows that have a value in one column.
    const auto parziale = traduci("Create Index IDxCodOp On \"NUOVA.DB\" (CodOp) Where CodOp Is Not Null");
    EXPECT_EQ(parziale.istruzioni, QStringList{"CREATE INDEX t6.IDxCodOp ON dati (CodOp) WHERE CodOp IS NOT NULL"});
    banco.esegui(parziale.istruzioni[0]);
    EXPECT_EQ(banco.righe("PRAGMA t6.index_list(dati)"), (QList<QStringList>{{"0", "IDxCodOp", "0", "c", "1"}}));
    for (const char* sbagliata : {"Create Index I On \"NUOVA.DB\" (CodOp) Where CodOp = 'D'",
                                  "Create Index I On \"NUOVA.DB\" (CodOp) Where CodOp Is Null", "Create Index I On \"NUOVA.DB\" (CodOp) Where"})
        EXPECT_THROW(traduci(sbagliata), tabelle::EDBEngineError) << sbagliata;
}

TEST_F(ArchivioProva, ElenchiDelloSchedarioComuni)
{
    const auto regioni = traduci(righe({"SELECT DISTINCT Regione", "From '/p/KWProvince.db'"}));
    EXPECT_TRUE(regioni.materializza);
    EXPECT_EQ(regioni.istruzioni[0], "SELECT DISTINCT Regione FROM t4.dati AS _t4");
    EXPECT_EQ(banco.righe(regioni.istruzioni[0]).size(), 3);

    const QString province = righe({"SELECT * ", "FROM '/p/KWProvince.db'",
                                    "WHERE '/p/KWProvince.db'.Regione = \"Lombardia\""});
    EXPECT_TRUE(traduci(province).istruzioni[0].endsWith("WHERE _t4.Regione = 'Lombardia'"));
    const auto lombarde = leggi(province);
    ASSERT_EQ(lombarde.size(), 2);
    EXPECT_EQ(lombarde[1][2], "BG");
}

TEST_F(ArchivioProva, SuggerimentiComuni)
{
    const QString testo = righe({"SELECT NomeComune", "FROM \"/p/KWArchivioComuni.db\"", "WHERE (",
                                 "(NomeComune LIKE \"ROM%\")", " AND (Provincia = \"RM\")", ");"});
    EXPECT_EQ(traduci(testo).istruzioni[0],
              "SELECT NomeComune FROM t3.dati AS _t3 WHERE ((NomeComune LIKE 'ROM%') AND (Provincia = 'RM'))");
    EXPECT_EQ(prima(leggi(testo)), QStringList{"ROMA"});
    // LIKE is case-sensitive
    EXPECT_TRUE(leggi("SELECT NomeComune FROM \"/p/KWArchivioComuni.db\" WHERE NomeComune LIKE \"rom%\"").isEmpty());
}
