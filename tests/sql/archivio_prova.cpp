#include "archivio_prova.h"

#include <algorithm>

namespace {

const QStringList campiTratte{"ID_001_TABLE", "SysField", "Info", "CodOp", "ComunePF1", "SezionePF1",
                              "FoglioPF1", "AllegatoPF1", "PF1", "ComunePF2", "SezionePF2", "FoglioPF2",
                              "AllegatoPF2", "PF2", "Protocollo", "Distanza", "ScartoQMedio", "Provincia"};
const QStringList campiCombinazioni{"Comune1", "Sezione1", "Foglio1", "Allegato1", "Fiduciale1",
                                    "Comune2", "Sezione2", "Foglio2", "Allegato2", "Fiduciale2"};
const QStringList campiComuni{"ID_001_TABLE", "SysField", "Info", "CodOp", "NomeComune", "Provincia",
                              "CodiceFiscale", "CodiceCatastale"};
const QStringList campiKwProvince{"ID_001_TABLE", "Regione", "SIGLA", "PROVINCIA"};
const QStringList campiProvince{"SIGLA", "PROVINCIA", "CODPROV"};

const char* const dati[] = {
    "CREATE TABLE t1.dati (ID_001_TABLE INTEGER PRIMARY KEY, SysField SMALLINT, Info BLOB, CodOp CHAR(4),"
    " ComunePF1 CHAR(4), SezionePF1 CHAR(1), FoglioPF1 INT, AllegatoPF1 CHAR(1), PF1 INT, ComunePF2 CHAR(4),"
    " SezionePF2 CHAR(1), FoglioPF2 INT, AllegatoPF2 CHAR(1), PF2 INT, Protocollo CHAR(13),"
    " Distanza NUMERIC, ScartoQMedio NUMERIC, Provincia CHAR(2))",
    "INSERT INTO t1.dati (ID_001_TABLE, SysField) VALUES (1, 4)",
    "INSERT INTO t1.dati VALUES (2, NULL, NULL, NULL, 'A123', NULL, 12, NULL, 5, 'A123', NULL, 13, NULL, 7,"
    " 'P1', 123.456, 0.012, 'RM')",
    "INSERT INTO t1.dati VALUES (3, NULL, NULL, 'UD', 'A124', 'A', 1, 'B', 2, 'A125', NULL, 3, NULL, 4,"
    " 'P2', 50.5, 0.1, 'RM')",
    "INSERT INTO t1.dati VALUES (4, NULL, NULL, 'D', 'A1B0', NULL, 9, NULL, 1, 'A123', NULL, 12, NULL, 5,"
    " 'P3', 200, 0.2, 'RM')",
    "INSERT INTO t1.dati VALUES (5, NULL, NULL, NULL, 'B200', NULL, 2, NULL, 3, 'B201', NULL, 4, NULL, 5,"
    " 'P4', 75, 0.3, 'MI')",
    "CREATE TABLE t2.dati (Comune1, Sezione1, Foglio1, Allegato1, Fiduciale1, Comune2, Sezione2, Foglio2,"
    " Allegato2, Fiduciale2)",
    "INSERT INTO t2.dati VALUES ('A123', NULL, 12, NULL, 5, 'A123', NULL, 13, NULL, 7),"
    " ('A123', NULL, 13, NULL, 7, 'A123', NULL, 12, NULL, 5)",
    "CREATE TABLE t3.dati (ID_001_TABLE INTEGER PRIMARY KEY, SysField SMALLINT, Info BLOB, CodOp CHAR(4),"
    " NomeComune CHAR(40), Provincia CHAR(2), CodiceFiscale CHAR(5), CodiceCatastale CHAR(5))",
    "INSERT INTO t3.dati (ID_001_TABLE, SysField) VALUES (1, 4)",
    "INSERT INTO t3.dati (NomeComune, Provincia, CodiceFiscale, CodiceCatastale) VALUES"
    " ('ROMA', 'RM', 'H501', 'H501'), ('ROMANO CANAVESE', 'TO', 'H511', 'H511'),"
    " ('MILANO', 'MI', 'F205', 'F205'), ('ROCCA DI PAPA', 'RM', 'H404', 'H404'),"
    " ('SENZA PROVINCIA', NULL, 'Z999', 'Z999')",
    "CREATE TABLE t4.dati (ID_001_TABLE INTEGER PRIMARY KEY, Regione CHAR(30), SIGLA CHAR(2), PROVINCIA CHAR(30))",
    "INSERT INTO t4.dati (Regione, SIGLA, PROVINCIA) VALUES ('Lazio', 'RM', 'ROMA'),"
    " ('Lombardia', 'MI', 'MILANO'), ('Lombardia', 'BG', 'BERGAMO'), ('Piemonte', 'TO', 'TORINO')",
    "CREATE TABLE t5.dati (SIGLA CHAR(2), PROVINCIA CHAR(30), CODPROV CHAR(3))",
    "INSERT INTO t5.dati VALUES ('RM', 'ROMA', '058'), ('MI', 'MILANO', '015'), (NULL, '(senza sigla)', '000')",
    "CREATE TABLE t6.dati (ID_001_TABLE INTEGER PRIMARY KEY)",
};

} // namespace

QString righe(const QStringList& linee, const QString& separatore)
{
    return linee.join(separatore);
}

ArchivioProva::ArchivioProva()
{
    risolutore.aggiungi("tratte", "t1", campiTratte);
    risolutore.aggiungi("combinazioni", "t2", campiCombinazioni);
    risolutore.aggiungi("kwarchiviocomuni", "t3", campiComuni);
    risolutore.aggiungi("kwprovince", "t4", campiKwProvince);
    risolutore.aggiungi("province", "t5", campiProvince);
    risolutore.aggiungi("nuova", "t6", {"ID_001_TABLE"});
    for (const char* sql : dati)
        banco.esegui(QString::fromLatin1(sql));
}

tabelle::sql::Traduzione ArchivioProva::traduci(const QString& testo)
{
    return tabelle::sql::traduci(testo, risolutore);
}

QList<QStringList> ArchivioProva::leggi(const QString& testo, const QVariantMap& parametri)
{
    const tabelle::sql::Traduzione t = traduci(testo);
    const QList<QStringList> intera = banco.righe(t.istruzioni.value(0), parametri);
    if (t.materializza)
        return intera;
    QList<QStringList> perChiavi;
    for (const QStringList& chiavi : banco.righe(t.selezioneChiavi, parametri)) {
        QVariantMap k;
        for (int i = 0; i < chiavi.size(); ++i)
            k.insert(QStringLiteral("__k%1").arg(i + 1), chiavi[i] == "<null>" ? QVariant() : QVariant(chiavi[i].toLongLong()));
        const QList<QStringList> riga = banco.righe(t.letturaRiga, k);
        EXPECT_EQ(riga.size(), 1) << t.letturaRiga.toStdString();
        perChiavi += riga;
    }
    QList<QStringList> a = intera, b = perChiavi;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    EXPECT_EQ(a, b) << "letta per chiavi: " << t.selezioneChiavi.toStdString();
    return perChiavi;
}

void ArchivioProva::esegui(const QString& testo, const QVariantMap& parametri)
{
    for (const QString& sql : traduci(testo).istruzioni)
        banco.esegui(sql, parametri);
}

QStringList ArchivioProva::colonna(const QString& schema, const QString& campo)
{
    QStringList valori;
    for (const QStringList& r : banco.righe(QStringLiteral("SELECT %1 FROM %2.dati ORDER BY rowid").arg(campo, schema)))
        valori.append(r.value(0));
    return valori;
}
