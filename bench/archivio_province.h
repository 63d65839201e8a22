#pragma once
// The archives of whole provinces the benchmarks run on, loaded by the
// program itself from generated distribution series (bench-lettura,
// bench-libretto): the folder, the registry of the directory, a province
// loaded, and the archive of several provinces with its plain copy.
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <sqlcipher/sqlite3.h>

namespace banco {

inline constexpr int RighePerProvincia = 1000000;
inline const QStringList Sigle5{"RM", "MI", "TO", "NA", "BA"};
inline const QStringList Sigle20{"RM", "MI", "TO", "NA", "BA", "PA", "CT", "FI", "BO", "GE",
                                 "VE", "VR", "PD", "BS", "BG", "CO", "VA", "TV", "SA", "CS"};

struct Ambiente {
    QString cartella, archivioComuni, borgal, cli, lavoro, csv;
};

inline double Ms(QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

// Runs a statement on a plain SQLite file; exits on failure.
void Esegui(sqlite3* db, const QString& sql);
// The registry of `a.cartella`, the directory registered over its archive.
void Registro(const Ambiente& a);
// Loads one province's generated series; milliseconds.
double CaricaProvincia(const Ambiente& a, const QString& programma, const QString& sigla, quint32 seme);
double EliminaProvincia(const QString& programma, const QString& sigla);
// An archive of the provinces in `a.cartella`/Tratte, loaded by the
// program (unless `a.cartella`/pronto says it is there); with
// `copiaInChiaro` a plain copy with indexes in `a.cartella`/base.db.
QString Prepara(const Ambiente& a, const QStringList& sigle, bool copiaInChiaro);

} // namespace banco
