#pragma once
// What the analysis of a SELECT, DELETE, UPDATE or INSERT finds out: the
// part each token plays, and the pieces of the main SELECT as token ranges.
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace tabelle::sql {

enum class Ruolo : quint8 {
    Espressione,  // written by the rules of expressions
    Saltato,      // already written with an earlier token (table alias, pieces of a bare name)
    Tabella,      // first token of a table reference
    Nome,         // a name position (select alias, SET or INSERT column): "x" is an identifier
    Assegnazione, // the "=" of a SET
    Virgola,      // FROM / FOR inside SUBSTRING(...)
    Sottostringa  // SUBSTRING itself
};

struct Annotazioni {
    QList<Ruolo> ruoli;          // one per token
    QHash<int, int> tabellaDi;   // token with Ruolo::Tabella -> table index
    QList<bool> valoreMemorizzato; // a value to store (VALUES, SET): '' is written NULL
    QStringList aliasSelezione;  // aliases of the select lists
};

// Tokens [da, a).
struct Intervallo {
    int da = 0;
    int a = 0;
    bool vuoto() const { return a <= da; }
};

struct ElementoSelezione {
    Intervallo espressione; // without its alias
    QString alias;
};

// The main SELECT of a statement.
struct StrutturaSelect {
    QList<ElementoSelezione> elementi;
    Intervallo lista;        // between SELECT [DISTINCT] and FROM
    Intervallo tabelle;      // the FROM list with its joins
    Intervallo corpo;        // from the first table up to ORDER BY
    Intervallo ordine;       // after ORDER BY
    QList<int> tabelleFrom;  // the main FROM's tables, in order
    bool materializza = false;
};

} // namespace tabelle::sql
