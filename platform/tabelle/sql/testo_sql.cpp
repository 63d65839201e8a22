#include "tabelle/sql/testo_sql.h"

#include "tabelle/errore.h"

#include <QSet>

namespace tabelle::sql {

namespace {

const QSet<QString>& riservate()
{
    static const QSet<QString> parole{
        "ADD", "ALL", "ALTER", "AND", "AS", "ASC", "BETWEEN", "BY", "CASE", "CAST", "COLLATE",
        "COLUMN", "CONSTRAINT", "CREATE", "CROSS", "DEFAULT", "DELETE", "DESC", "DISTINCT",
        "DROP", "ELSE", "END", "ESCAPE", "EXCEPT", "EXISTS", "FALSE", "FROM", "FULL", "GROUP",
        "HAVING", "IN", "INDEX", "INNER", "INSERT", "INTERSECT", "INTO", "IS", "JOIN", "KEY",
        "LEFT", "LIKE", "LIMIT", "NATURAL", "NOT", "NULL", "OFFSET", "ON", "OR", "ORDER",
        "OUTER", "PRIMARY", "RIGHT", "SELECT", "SET", "TABLE", "THEN", "TRUE", "UNION",
        "UNIQUE", "UPDATE", "USING", "VALUES", "WHEN", "WHERE"};
    return parole;
}

// SQLite keywords: an identifier spelled like one must be quoted.
const QSet<QString>& paroleSqlite()
{
    static const QSet<QString> parole{
        "ABORT", "ACTION", "ADD", "AFTER", "ALL", "ALTER", "ANALYZE", "AND", "AS", "ASC",
        "ATTACH", "AUTOINCREMENT", "BEFORE", "BEGIN", "BETWEEN", "BY", "CASCADE", "CASE",
        "CAST", "CHECK", "COLLATE", "COLUMN", "COMMIT", "CONFLICT", "CONSTRAINT", "CREATE",
        "CROSS", "CURRENT_DATE", "CURRENT_TIME", "CURRENT_TIMESTAMP", "DATABASE", "DEFAULT",
        "DEFERRABLE", "DEFERRED", "DELETE", "DESC", "DETACH", "DISTINCT", "DROP", "EACH",
        "ELSE", "END", "ESCAPE", "EXCEPT", "EXCLUSIVE", "EXISTS", "EXPLAIN", "FAIL", "FOR",
        "FOREIGN", "FROM", "FULL", "GLOB", "GROUP", "HAVING", "IF", "IGNORE", "IMMEDIATE", "IN",
        "INDEX", "INDEXED", "INITIALLY", "INNER", "INSERT", "INSTEAD", "INTERSECT", "INTO", "IS",
        "ISNULL", "JOIN", "KEY", "LEFT", "LIKE", "LIMIT", "MATCH", "NATURAL", "NO", "NOT",
        "NOTNULL", "NULL", "OF", "OFFSET", "ON", "OR", "ORDER", "OUTER", "PLAN", "PRAGMA",
        "PRIMARY", "QUERY", "RAISE", "RECURSIVE", "REFERENCES", "REGEXP", "REINDEX", "RELEASE",
        "RENAME", "REPLACE", "RESTRICT", "RIGHT", "ROLLBACK", "ROW", "SAVEPOINT", "SELECT",
        "SET", "TABLE", "TEMP", "TEMPORARY", "THEN", "TO", "TRANSACTION", "TRIGGER", "UNION",
        "UNIQUE", "UPDATE", "USING", "VACUUM", "VALUES", "VIEW", "VIRTUAL", "WHEN", "WHERE",
        "WITH", "WITHOUT"};
    return parole;
}

bool semplice(const QString& nome)
{
    if (nome.isEmpty() || !(nome[0].isLetter() || nome[0] == u'_'))
        return false;
    for (QChar c : nome) {
        if (!(c.isLetterOrNumber() || c == u'_'))
            return false;
    }
    return true;
}

} // namespace

bool parolaRiservata(const QString& parola)
{
    return riservate().contains(parola.toUpper());
}

QString identificatore(const QString& nome)
{
    if (semplice(nome) && !paroleSqlite().contains(nome.toUpper()))
        return nome;
    return identificatoreQuotato(nome);
}

QString identificatoreQuotato(const QString& nome)
{
    QString t = nome;
    return u'"' + t.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString letterale(const QString& testo)
{
    QString t = testo;
    return u'\'' + t.replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString estrattoDa(const QString& sorgente, qsizetype da)
{
    QString parte = sorgente.mid(da).simplified();
    if (parte.size() > 60)
        parte = parte.left(60) + QStringLiteral("...");
    return parte;
}

void istruzioneNonValida(const QString& motivo, const QString& sorgente, qsizetype da)
{
    QString messaggio = QStringLiteral("Istruzione SQL non valida: ") + motivo;
    if (da >= 0 && da < sorgente.size())
        messaggio += QStringLiteral(" in «") + estrattoDa(sorgente, da) + QStringLiteral("»");
    throw EDBEngineError(messaggio);
}

} // namespace tabelle::sql
