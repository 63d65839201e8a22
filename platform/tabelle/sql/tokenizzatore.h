#pragma once
// Splits a local SQL statement into tokens. Keywords are not told apart
// from identifiers here; trailing ";" are dropped. Characters that mean
// nothing in SQL become one-character symbols: they may be part of an
// unquoted file name, and the writer rejects them anywhere else.
#include "tabelle/sql/token.h"

#include <QList>
#include <QString>

namespace tabelle::sql {

class Tokenizzatore {
public:
    // Throws EDBEngineError on a quote that is never closed.
    static QList<Token> dividi(const QString& testo);
    // True for the symbols SQL knows ("=", "<>", "(", "||", ...).
    static bool simboloNoto(const QString& simbolo);
};

} // namespace tabelle::sql
