#pragma once
// Builds SQLite text piece by piece: one blank between pieces, none after
// "(" or around ".", none before ")" and ",".
#include "tabelle/sql/token.h"

#include <QString>

namespace tabelle::sql {

class Scrittura {
public:
    // `attaccato`: no blank before the piece (a function's "(").
    void aggiungi(const QString& pezzo, bool attaccato = false);
    const QString& testo() const { return testo_; }

private:
    QString testo_;
};

// A token written as it stands: keywords in upper case, "x" as an
// identifier, 'x' as a literal, :x as a parameter.
QString testoSemplice(const Token& token);

} // namespace tabelle::sql
