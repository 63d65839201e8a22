// Translation rules beyond the program's own texts, checked on SQLite.
#include "archivio_prova.h"

using tabelle::sql::Tipo;

namespace {

QStringList colonnaDi(const QList<QStringList>& righe, int c)
{
    QStringList valori;
    for (const QStringList& r : righe)
        valori.append(r.value(c));
    return valori;
}

} // namespace

TEST_F(ArchivioProva, FormeDelNomeDiTabellaEQualificatori)
{
    const auto nudo = traduci("Select * From Combinazioni Where Combinazioni.Foglio1 = 12");
    EXPECT_EQ(nudo.istruzioni[0], "SELECT * FROM t2.dati AS _t2 WHERE _t2.Foglio1 = 12");
    EXPECT_EQ(traduci("Delete From C:\\x\\TRATTE.DB Where TRATTE.DB.Provincia = 'MI'").istruzioni[0],
              "DELETE FROM t1.dati WHERE dati.Provincia = 'MI'");
    EXPECT_EQ(risolutore.richieste.last(), "C:\\x\\TRATTE.DB");

    // the table's name as written, its base name, or a bare dotted name qualify its columns
    EXPECT_EQ(colonnaDi(leggi("Select \"Tratte.db\".ID_001_TABLE From \"Tratte.db\" Where Tratte.Provincia = 'MI'"), 0),
              QStringList{"5"});
    // an alias wins over another table's name
    EXPECT_EQ(leggi("Select Tratte.Comune1 From \"Tratte.db\" x, Combinazioni Tratte Where x.ID_001_TABLE = 2"),
              (QList<QStringList>{{"A123"}, {"A123"}}));
    esegui("Update TRATTE.DB Set TRATTE.DB.CodOp = 'X' Where TRATTE.DB.Provincia = 'MI'");
    EXPECT_EQ(colonna("t1", "CodOp"), (QStringList{"<null>", "<null>", "UD", "D", "X"}));
}

TEST_F(ArchivioProva, LeftJoinConChiaveMancante)
{
    const QString testo = "Select t.NomeComune, p.PROVINCIA From \"KWArchivioComuni.db\" As t "
                          "Left Outer Join \"Province.db\" p On p.SIGLA = t.Provincia "
                          "Where t.ID_001_TABLE > 1 Order By t.NomeComune";
    const auto righe = leggi(testo);
    EXPECT_EQ(colonnaDi(righe, 0),
              (QStringList{"MILANO", "ROCCA DI PAPA", "ROMA", "ROMANO CANAVESE", "SENZA PROVINCIA"}));
    EXPECT_EQ(colonnaDi(righe, 1), (QStringList{"MILANO", "ROMA", "ROMA", "<null>", "<null>"}));
}

TEST_F(ArchivioProva, VirgolettatoColonnaAliasOTesto)
{
    EXPECT_EQ(leggi("Select \"NomeComune\" From \"KWArchivioComuni.db\" Where \"Provincia\" = \"MI\""),
              QList<QStringList>{{"MILANO"}});
    // "CodiceCatastale" is a column: compared with the column, not with a text
    EXPECT_EQ(leggi("Select NomeComune From \"KWArchivioComuni.db\" Where CodiceFiscale = \"CodiceCatastale\"").size(), 5);

    const QString perAlias = "Select NomeComune As \"Nome\", Provincia Sigla From \"KWArchivioComuni.db\" "
                             "Where Provincia = 'RM' Order By \"Nome\" Desc";
    EXPECT_TRUE(traduci(perAlias).selezioneChiavi.endsWith("ORDER BY (NomeComune) DESC"));
    EXPECT_EQ(colonnaDi(leggi(perAlias), 0), (QStringList{"ROMA", "ROCCA DI PAPA"}));
    EXPECT_EQ(colonnaDi(leggi("Select NomeComune N From \"KWArchivioComuni.db\" Where ID_001_TABLE > 1 "
                              "Order By Provincia Desc, N"),
                        0),
              (QStringList{"ROMANO CANAVESE", "ROCCA DI PAPA", "ROMA", "MILANO", "SENZA PROVINCIA"}));
}

TEST_F(ArchivioProva, OrdinePerPosizione)
{
    // position 5 of "*" is NomeComune
    EXPECT_EQ(colonnaDi(leggi("Select * From \"KWArchivioComuni.db\" Where ID_001_TABLE > 1 Order By 5"), 0),
              (QStringList{"4", "5", "2", "3", "6"}));
    EXPECT_EQ(colonnaDi(leggi("Select c.CodiceFiscale, Upper(c.NomeComune) From \"KWArchivioComuni.db\" c "
                              "Where c.Provincia = 'RM' Order By 2 Desc"),
                        0),
              (QStringList{"H501", "H404"}));
    for (const char* fuori : {"Order By 2", "Order By 0", "Order By 9", "Order By NomeComune, 3"})
        EXPECT_THROW(traduci(QStringLiteral("Select NomeComune From \"KWArchivioComuni.db\" ") + fuori),
                     tabelle::EDBEngineError) << fuori;
    EXPECT_THROW(traduci("Select * From \"KWArchivioComuni.db\" Order By 9"), tabelle::EDBEngineError);
}

TEST_F(ArchivioProva, BianchiMemorizzatiEConfrontati)
{
    esegui("Insert Into \"KWArchivioComuni.db\" (NomeComune, Provincia, CodiceFiscale) Values ('PROVA', '', :cf)",
           {{"cf", "P001"}});
    esegui("Update \"KWArchivioComuni.db\" x Set x.Provincia = '', CodiceCatastale = \"\" Where x.NomeComune = :n",
           {{"n", "ROMA"}});
    EXPECT_EQ(colonna("t3", "Provincia"), (QStringList{"<null>", "<null>", "TO", "MI", "RM", "<null>", "<null>"}));
    EXPECT_EQ(colonna("t3", "CodiceCatastale").value(1), "<null>");

    const QString vuote = "Select NomeComune From \"KWArchivioComuni.db\" Where ID_001_TABLE > 1 And %1";
    EXPECT_EQ(colonnaDi(leggi(vuote.arg("Provincia = ''")), 0), (QStringList{"ROMA", "SENZA PROVINCIA", "PROVA"}));
    EXPECT_EQ(colonnaDi(leggi(vuote.arg("'' <> Provincia")), 0), (QStringList{"ROMANO CANAVESE", "MILANO", "ROCCA DI PAPA"}));
    // a blank inside a longer expression is a plain text
    EXPECT_EQ(colonnaDi(leggi(vuote.arg("NomeComune = '' || 'MILANO'")), 0), QStringList{"MILANO"});
    EXPECT_EQ(colonnaDi(leggi(vuote.arg("CodiceFiscale = :cf"), {{"cf", "P001"}}), 0), QStringList{"PROVA"});
    EXPECT_TRUE(traduci(vuote.arg("CodiceFiscale <> :cf")).istruzioni[0].endsWith("CodiceFiscale IS NOT :cf"));
}

TEST_F(ArchivioProva, FunzioniEBooleani)
{
    const auto t = traduci("Select NomeComune From \"KWArchivioComuni.db\" "
                           "Where SUBSTRING(NomeComune FROM 1 FOR 3) || '!' = 'ROM!' And Lower(Provincia) = 'rm' = TRUE");
    EXPECT_TRUE(t.istruzioni[0].contains("substr(NomeComune, 1, 3) || '!' = 'ROM!' AND Lower(Provincia) = 'rm' = 1"))
        << t.istruzioni[0].toStdString();
    EXPECT_EQ(leggi("Select NomeComune From \"KWArchivioComuni.db\" Where SUBSTRING(NomeComune FROM 1 FOR 3) = 'ROM' "
                    "And UPPER(Provincia) = 'RM' And FALSE = 0"),
              QList<QStringList>{{"ROMA"}});
}

TEST_F(ArchivioProva, QuandoMaterializzare)
{
    for (const char* testo : {"Select Distinct Provincia From \"KWArchivioComuni.db\"",
                              "Select Provincia, Count(*) From \"KWArchivioComuni.db\" Group By Provincia",
                              "Select Provincia From \"KWArchivioComuni.db\" Group By Provincia Having Count(*) > 1",
                              "Select Max(Distanza) From \"Tratte.db\"",
                              "Select SIGLA From \"Province.db\" Union Select SIGLA From \"KWProvince.db\"",
                              "Select * From (Select SIGLA From \"Province.db\") p"}) {
        const auto t = traduci(testo);
        EXPECT_TRUE(t.materializza) << testo;
        EXPECT_TRUE(t.selezioneChiavi.isEmpty()) << testo;
        EXPECT_NO_THROW(banco.righe(t.istruzioni[0])) << t.istruzioni[0].toStdString();
    }
    // an aggregate inside a subquery leaves the result readable by keys
    const QString sotto = "Select NomeComune From \"KWArchivioComuni.db\" k Where k.Provincia In "
                          "(Select SIGLA From \"Province.db\" p Where p.CODPROV = (Select Max(CODPROV) From \"Province.db\"))";
    const auto t = traduci(sotto);
    EXPECT_FALSE(t.materializza);
    EXPECT_EQ(t.tabelleFrom, 1);
    ASSERT_EQ(t.tabelle.size(), 3);
    EXPECT_EQ(t.tabelle[0].alias, "k");
    EXPECT_EQ(colonnaDi(leggi(sotto), 0), (QStringList{"ROMA", "ROCCA DI PAPA"}));
}

TEST_F(ArchivioProva, CreaEdEliminaTabella)
{
    const auto crea = traduci("Create Table \"Nuovissima.db\" (Codice Char (4), \"Nome Lungo\" Char(20) Not Null, "
                              "Primary Key (Codice))");
    EXPECT_EQ(crea.tipo, Tipo::CreateTable);
    EXPECT_EQ(crea.istruzioni,
              QStringList{"CREATE TABLE t7.dati (Codice CHAR(4), \"Nome Lungo\" CHAR(20) NOT NULL, PRIMARY KEY (Codice))"});
    const auto elimina = traduci("Drop Table '/a/b/Nuova.DB'");
    EXPECT_EQ(elimina.istruzioni, QStringList{"DROP TABLE t6.dati"});
    banco.esegui(elimina.istruzioni[0]);
}
