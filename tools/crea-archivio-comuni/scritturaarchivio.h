#pragma once
// Writes the five tables of the directory archive folder through the
// program's table engine: KWArchivioComuni.db and KWEsteri.db as tables of
// the grid library (system fields and header row, secondary index on
// CodiceCatastale), KWProvince.db, Province.db and ZRNuoveProvince.db as
// plain tables. Every table carries the archive's password.
#include "datiarchivio.h"

#include <QString>
#include <QStringList>

namespace archiviocomuni {

// The table password the directory component adds to its session.
inline const QString PasswordArchivioComuni = QStringLiteral("tulp41");

// File names of the tables, as the program opens them.
inline const QStringList NomiTabelle = {
    QStringLiteral("KWArchivioComuni.db"), QStringLiteral("KWEsteri.db"), QStringLiteral("KWProvince.db"),
    QStringLiteral("Province.db"), QStringLiteral("ZRNuoveProvince.db")};

// Builds the tables in a work folder inside `cartella` (created when
// missing), checks that each reads back with the password, and only then
// moves them over the tables of the same names. Any failure throws the
// engine's error and leaves the tables already in `cartella` as they were.
void ScriviArchivioComuni(const TDatiArchivio& dati, const QString& cartella);

} // namespace archiviocomuni
