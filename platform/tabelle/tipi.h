#pragma once
// Field kinds of the table engine and their declared column types.
#include <QString>

namespace tabelle {

// The ordinals are those of the field type codes the grid library writes
// into its clipboard descriptions (1 string, 2 short integer, ...).
enum class TFieldType {
    ftUnknown = 0, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD,
    ftDate, ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic, ftFmtMemo,
    ftParadoxOle, ftDBaseOle, ftTypedBinary, ftCursor
};

struct TipoColonna {
    TFieldType tipo = TFieldType::ftUnknown;
    int dimensione = 0; // characters of an alpha field, bytes held in the row of a blob
};

// Reads a declared column type ("CHAR(13)", "SMALLINT", "BLOB(240,1)",
// "NUMERIC(12,0)" ...). `autoincremento`: the column is the table's
// auto-increment key.
TipoColonna TipoDaDichiarazione(const QString& dichiarato, bool autoincremento = false);

// The declared column type for a field kind (the inverse of the above).
QString DichiarazioneDaTipo(TFieldType tipo, int dimensione);

bool TipoBlob(TFieldType tipo);
bool TipoIntero(TFieldType tipo);

} // namespace tabelle
