#pragma once
// Field definition strings of the enhanced table, "Name,Type[,Size[,Decimals]]"
// (items separated by commas and trimmed), turned into the stored field name
// and the local-SQL column type of the ALTER TABLE that creates the table.
//
//   MEMO -> "Blob(240,1) "      BLOB -> "Blob(0,2) "     S -> "SMALLINT "
//   B    -> "BOOLEAN "          D    -> "TIMESTAMP "     I -> "INT "
//   A,n  -> "CHAR(n) "          N,p[,d] -> "NUMERIC(p,d) " (d = 0 when absent)
//   n    -> "CHAR(n) "  (a bare number: "Protocollo,13"; with a further item,
//                        that item is the size)
// Type letters compare without regard to case.
#include <QString>

namespace gridkit {

struct DefinizioneCampo {
    // False when the definition cannot give a column: fewer than two items,
    // an empty name or type, a type that is neither a known letter nor a
    // positive number, or a size (decimals) that is not a positive
    // (non-negative) integer where the type needs one. tipoSql is then empty.
    bool valida = false;
    // The name as given (trimmed).
    QString nome;
    // The stored field name: every space of the name turned into '_'.
    QString nomeMemorizzato;
    // The column type, with its trailing blank ("CHAR(13) ").
    QString tipoSql;
};

DefinizioneCampo AnalizzaDefinizione(const QString& definizione);

} // namespace gridkit
