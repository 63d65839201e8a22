#pragma once
// An in-memory SQLite connection with the schemas t1 ... t6 attached, as the
// engine attaches table files, and LIKE case-sensitive as in the engine.
// Parameters are bound by name; an empty text is bound as NULL, as the
// engine does.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantMap>

struct sqlite3;

class BancoSqlite {
public:
    BancoSqlite();
    ~BancoSqlite();
    BancoSqlite(const BancoSqlite&) = delete;
    BancoSqlite& operator=(const BancoSqlite&) = delete;

    void esegui(const QString& sql, const QVariantMap& parametri = {});
    // Each row as its values' text; NULL is written "<null>".
    QList<QStringList> righe(const QString& sql, const QVariantMap& parametri = {});

private:
    sqlite3* db_ = nullptr;
};
