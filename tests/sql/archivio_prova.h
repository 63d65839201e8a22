#pragma once
// Fixture: the program's tables (archive, pairs, comuni, provinces) in an
// in-memory SQLite under the schemas t1 ... t6, with a few rows, and a
// Risolutore that knows them. `leggi` reads a SELECT the way the engine
// does, through its row keys, and checks that this gives the same rows as
// the whole translated query.
#include "banco_sqlite.h"
#include "risolutore_finto.h"

#include <gtest/gtest.h>

class ArchivioProva : public ::testing::Test {
protected:
    ArchivioProva();

    tabelle::sql::Traduzione traduci(const QString& testo);
    QList<QStringList> leggi(const QString& testo, const QVariantMap& parametri = {});
    void esegui(const QString& testo, const QVariantMap& parametri = {});
    // Values of one column of a table, in rowid order.
    QStringList colonna(const QString& schema, const QString& campo);

    RisolutoreFinto risolutore;
    BancoSqlite banco;
};

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

// Lines joined as the forms join them.
QString righe(const QStringList& linee, const QString& separatore = QStringLiteral("\r\n"));
