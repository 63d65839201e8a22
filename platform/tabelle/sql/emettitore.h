#pragma once
// Second pass over an analysed statement: writes a range of its tokens as
// SQLite text. Tables become "<schema>.dati AS <alias>", qualifiers the
// alias of their table, a lone "x" a column or a text by what the tables
// hold, and comparisons with a blank ('') or a parameter follow the stored
// blanks (IS NULL, IS :p).
#include "tabelle/sql/analisi.h"
#include "tabelle/sql/flusso_token.h"
#include "tabelle/sql/tabelle_istruzione.h"

#include <QHash>

namespace tabelle::sql {

class Scrittura;

class Emettitore {
public:
    Emettitore(const FlussoToken& flusso, const Annotazioni& note, TabelleIstruzione& tabelle);

    // The text of the tokens in `intervallo`; a token found in
    // `sostituzioni` is written as the text given there.
    QString testo(Intervallo intervallo, const QHash<int, QString>& sostituzioni = {});

private:
    int scrivi(int i, Scrittura& s);
    int scriviEspressione(int i, Scrittura& s);
    int scriviQualificato(int i, Scrittura& s, bool senzaQualificatore);
    QString tabella(int i) const;
    QString virgolettato(int i);
    QString valoreTesto(int i) const;
    QString simbolo(int i) const;
    bool apreArgomenti(int i) const;

    const Token* at(int i) const;
    bool confronto(int i) const;
    bool stretto(int i) const;
    bool isolato(int i) const;
    bool operandoNullo(int i) const;

    const FlussoToken& f_;
    const QList<Token>& t_;
    const Annotazioni& note_;
    TabelleIstruzione& tabelle_;
};

} // namespace tabelle::sql
