#pragma once
// One token of a local SQL statement, with its place in the source text
// (an unquoted table name is read back from the source, blanks included).
#include <QString>

namespace tabelle::sql {

enum class TipoToken {
    Parola,        // keyword or bare identifier
    Virgolettato,  // "..." : column, alias, file name or text, by position
    Stringa,       // '...'
    Numero,
    Parametro,     // :nome (testo without the colon)
    Simbolo        // operator or punctuation
};

struct Token {
    TipoToken tipo = TipoToken::Simbolo;
    QString testo;        // quotes removed and unescaped for Virgolettato/Stringa
    qsizetype inizio = 0; // offset in the source
    qsizetype fine = 0;   // offset just past the token

    bool parola(QLatin1StringView chiave) const
    {
        return tipo == TipoToken::Parola && testo.compare(chiave, Qt::CaseInsensitive) == 0;
    }
    bool simbolo(QLatin1StringView s) const { return tipo == TipoToken::Simbolo && testo == s; }
};

} // namespace tabelle::sql
