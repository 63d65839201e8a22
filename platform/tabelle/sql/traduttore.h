#pragma once
// Translation of the program's local SQL (the dialect the forms and the
// table library write) into SQLite statements over the engine's attached
// table files. Pure text work: where a table lives is asked of a
// Risolutore, so the translator knows nothing of files or connections.
#include <QList>
#include <QString>
#include <QStringList>

namespace tabelle::sql {

// Name of the one table inside every table file.
inline constexpr const char* NomeInterno = "dati";

// A table named by a statement, as written (quotes removed).
struct TabellaCitata {
    QString nome;   // "Tratte.db", "/x/y/KWProvince.db", "TRATTE.DB", "Combinazioni"
    QString alias;  // the statement's alias, or empty
    QString aliasSql; // alias used in the SQLite text (the statement's, or a generated one)
    QString schema; // schema the Risolutore gave
};
// aliasSql is ready to be written in SQLite text (double-quoted when the
// alias needs it). A table without alias in a FROM gets "_" + schema
// ("_t1"). The table a DELETE, UPDATE, INSERT, ALTER TABLE, CREATE INDEX or
// DROP writes to cannot have an alias in SQLite: its aliasSql is NomeInterno,
// and qualifiers naming it become "dati." (dropped before a SET or INSERT
// column).

// What the translator needs of the engine.
class Risolutore {
public:
    virtual ~Risolutore() = default;
    // Schema name under which the table file is attached ("t3"). With
    // crea = true the table may not exist yet (CREATE TABLE). Throws the
    // engine's error when the table cannot be reached.
    virtual QString schema(const QString& nomeTabella, bool crea) = 0;
    // Column names of the table, in stored order.
    virtual QStringList colonne(const QString& nomeTabella) = 0;
};

enum class Tipo { Select, Delete, Update, Insert, AlterTable, CreateIndex, DropIndex, CreateTable, DropTable, Altro };

struct Traduzione {
    Tipo tipo = Tipo::Altro;
    // SQLite statements to run in order (an ALTER TABLE with several ADD
    // gives one statement per column). For a SELECT: the whole query.
    QStringList istruzioni;
    QList<TabellaCitata> tabelle;   // in order of appearance (FROM order for a SELECT)
    // SELECT: the first tabelleFrom entries of `tabelle` are the tables of
    // the main FROM, in FROM order: key k (":__k<k>") is the rowid of
    // tabelle[k-1]. Tables of subqueries follow them.
    int tabelleFrom = 0;

    // SELECT only.
    // true for DISTINCT, GROUP BY, HAVING, aggregates, UNION: the result is
    // copied into a work table instead of being read through row keys.
    bool materializza = false;
    // "SELECT a.rowid, b.rowid FROM ... WHERE ... ORDER BY ...": the row keys
    // of the result, one column per FROM table, in the query's order.
    // ORDER BY terms naming a select alias or a position are replaced by the
    // expression they stand for ("*" counts as every column of its tables).
    QString selezioneChiavi;
    // "SELECT <list> FROM ... WHERE a.rowid IS :__k1 AND b.rowid IS :__k2":
    // the values of one result row from its keys. IS rather than = so that
    // a NULL key (the missing side of a LEFT JOIN) finds its row too; SQLite
    // still reads the row by its key.
    QString letturaRiga;
    // With one table in the FROM: "SELECT a.rowid, <list> FROM ... WHERE
    // a.rowid BETWEEN :__da AND :__a ORDER BY a.rowid", the values of the
    // rows of a run of keys in one pass, each led by its key. Empty with
    // several tables.
    QString letturaIntervallo;
};

// Throws tabelle::EDBEngineError (errore.h) on a statement it cannot read,
// quoting the offending part. Translating is pure text work: a bad
// statement changes nothing (the Risolutore may only have been asked for
// the tables read before the fault). Errors of the Risolutore pass through.
//
// What the translation does beyond the table names:
// - "x" standing alone is a column when a cited table has it or the select
//   list names it as alias, otherwise a text ('x').
// - Blanks are stored as NULL: X = '' becomes X IS NULL, X <> '' becomes
//   X IS NOT NULL, a '' stored by VALUES or SET becomes NULL, and X = :p
//   becomes X IS :p, X <> :p X IS NOT :p (the engine binds an empty
//   parameter as NULL). A '' inside a longer expression ('' || x) stays.
// - TRUE/FALSE become 1/0; SUBSTRING(x FROM a FOR b) becomes substr(x, a, b).
// - Parameters stay ":name" in every text.
// - ALTER TABLE gives one statement per ADD; the engine should run them in
//   one transaction. ALTER TABLE ... DROP is refused with an error.
// - materializza is also true for a SELECT without FROM or with a subquery
//   in its FROM: there is no row key to read it through.
Traduzione traduci(const QString& testo, Risolutore& risolutore);

} // namespace tabelle::sql
