#pragma once
// Translation of the statements that change a table's structure: ALTER
// TABLE ... ADD (one SQLite statement per column), CREATE [UNIQUE] INDEX,
// DROP INDEX, CREATE TABLE, DROP TABLE. Column types are kept as written,
// in upper case without blanks ("Blob(0,2)" -> "BLOB(0,2)"): the engine
// reads the field kinds back from the declared types.
#include "tabelle/sql/flusso_token.h"
#include "tabelle/sql/tabelle_istruzione.h"

namespace tabelle::sql {

class TraduttoreStruttura {
public:
    TraduttoreStruttura(FlussoToken& flusso, TabelleIstruzione& tabelle);

    // The statement at the cursor starts with ALTER, CREATE or DROP.
    Traduzione traduci();

private:
    Traduzione alterTable();
    Traduzione createIndex(bool unico);
    Traduzione dropIndex();
    Traduzione createTable();
    Traduzione dropTable();

    QString tabella(UsoTabella uso);
    QString definizioneColonna();
    QString tipo(const QString& colonna);
    QString resto();
    Traduzione risultato(Tipo tipo, QStringList istruzioni);

    FlussoToken& f_;
    TabelleIstruzione& tabelle_;
};

} // namespace tabelle::sql
