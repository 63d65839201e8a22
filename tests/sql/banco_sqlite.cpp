#include "banco_sqlite.h"

#include <sqlcipher/sqlite3.h>

#include <memory>
#include <stdexcept>

namespace {

struct ChiudiIstruzione {
    void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Istruzione = std::unique_ptr<sqlite3_stmt, ChiudiIstruzione>;

[[noreturn]] void fallisci(sqlite3* db, const QString& sql)
{
    throw std::runtime_error(QStringLiteral("%1\n  in: %2").arg(QString::fromUtf8(sqlite3_errmsg(db)), sql).toStdString());
}

Istruzione prepara(sqlite3* db, const QString& sql, const QVariantMap& parametri)
{
    sqlite3_stmt* grezza = nullptr;
    const QByteArray testo = sql.toUtf8();
    if (sqlite3_prepare_v2(db, testo.constData(), -1, &grezza, nullptr) != SQLITE_OK)
        fallisci(db, sql);
    Istruzione s(grezza);
    for (int i = 1; i <= sqlite3_bind_parameter_count(grezza); ++i) {
        const QString nome = QString::fromUtf8(sqlite3_bind_parameter_name(grezza, i)).mid(1);
        const QVariant valore = parametri.value(nome);
        if (valore.typeId() == QMetaType::Int || valore.typeId() == QMetaType::LongLong)
            sqlite3_bind_int64(grezza, i, valore.toLongLong());
        else if (!valore.toString().isEmpty())
            sqlite3_bind_text(grezza, i, valore.toString().toUtf8().constData(), -1, SQLITE_TRANSIENT);
    }
    return s;
}

} // namespace

BancoSqlite::BancoSqlite()
{
    sqlite3_open(":memory:", &db_);
    for (int i = 1; i <= 6; ++i)
        esegui(QStringLiteral("ATTACH ':memory:' AS t%1").arg(i));
    esegui(QStringLiteral("PRAGMA case_sensitive_like = ON"));
}

BancoSqlite::~BancoSqlite()
{
    sqlite3_close(db_);
}

void BancoSqlite::esegui(const QString& sql, const QVariantMap& parametri)
{
    righe(sql, parametri);
}

QList<QStringList> BancoSqlite::righe(const QString& sql, const QVariantMap& parametri)
{
    Istruzione s = prepara(db_, sql, parametri);
    QList<QStringList> righe;
    int esito;
    while ((esito = sqlite3_step(s.get())) == SQLITE_ROW) {
        QStringList riga;
        for (int c = 0; c < sqlite3_column_count(s.get()); ++c) {
            const auto* testo = reinterpret_cast<const char*>(sqlite3_column_text(s.get(), c));
            riga.append(testo ? QString::fromUtf8(testo) : QStringLiteral("<null>"));
        }
        righe.append(riga);
    }
    if (esito != SQLITE_DONE)
        fallisci(db_, sql);
    return righe;
}
