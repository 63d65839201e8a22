#include "tabelle/tipi.h"

#include <QRegularExpression>

namespace tabelle {

TipoColonna TipoDaDichiarazione(const QString& dichiarato, bool autoincremento)
{
    if (autoincremento)
        return {TFieldType::ftAutoInc, 4};
    static const QRegularExpression forma(QStringLiteral(R"(^\s*([A-Za-z ]+?)\s*(?:\(\s*(\d*)\s*(?:,\s*(\d*)\s*)?\))?\s*$)"));
    const auto m = forma.match(dichiarato);
    const QString nome = m.hasMatch() ? m.captured(1).toUpper() : dichiarato.trimmed().toUpper();
    const int primo = m.captured(2).toInt();
    const int secondo = m.captured(3).toInt();
    if (nome == "CHAR" || nome == "VARCHAR" || nome == "CHARACTER" || nome == "ALPHA")
        return {TFieldType::ftString, primo > 0 ? primo : 255};
    if (nome == "SMALLINT" || nome == "SHORT")
        return {TFieldType::ftSmallint, 0};
    if (nome == "INT" || nome == "INTEGER" || nome == "LONG")
        return {TFieldType::ftInteger, 0};
    if (nome == "AUTOINC")
        return {TFieldType::ftAutoInc, 4};
    if (nome == "NUMERIC" || nome == "DECIMAL" || nome == "FLOAT" || nome == "DOUBLE" || nome == "REAL" || nome == "NUMBER")
        return {TFieldType::ftFloat, 0};
    if (nome == "MONEY")
        return {TFieldType::ftCurrency, 0};
    if (nome == "BOOLEAN" || nome == "BOOL" || nome == "LOGICAL")
        return {TFieldType::ftBoolean, 0};
    if (nome == "TIMESTAMP" || nome == "DATETIME")
        return {TFieldType::ftDateTime, 0};
    if (nome == "DATE")
        return {TFieldType::ftDate, 0};
    if (nome == "TIME")
        return {TFieldType::ftTime, 0};
    if (nome == "BYTES")
        return {TFieldType::ftBytes, primo};
    if (nome == "MEMO")
        return {TFieldType::ftMemo, primo};
    if (nome == "BLOB") {
        switch (secondo) {
        case 1: return {TFieldType::ftMemo, primo};
        case 3: return {TFieldType::ftFmtMemo, primo};
        case 4: return {TFieldType::ftParadoxOle, primo};
        case 5: return {TFieldType::ftGraphic, primo};
        default: return {TFieldType::ftBlob, primo};
        }
    }
    return {TFieldType::ftUnknown, 0};
}

QString DichiarazioneDaTipo(TFieldType tipo, int dimensione)
{
    switch (tipo) {
    case TFieldType::ftString: return QStringLiteral("CHAR(%1)").arg(dimensione > 0 ? dimensione : 255);
    case TFieldType::ftSmallint:
    case TFieldType::ftWord: return QStringLiteral("SMALLINT");
    case TFieldType::ftInteger: return QStringLiteral("INT");
    case TFieldType::ftAutoInc: return QStringLiteral("AUTOINC");
    case TFieldType::ftBoolean: return QStringLiteral("BOOLEAN");
    case TFieldType::ftFloat:
    case TFieldType::ftBCD: return QStringLiteral("NUMERIC");
    case TFieldType::ftCurrency: return QStringLiteral("MONEY");
    case TFieldType::ftDate: return QStringLiteral("DATE");
    case TFieldType::ftTime: return QStringLiteral("TIME");
    case TFieldType::ftDateTime: return QStringLiteral("TIMESTAMP");
    case TFieldType::ftBytes:
    case TFieldType::ftVarBytes: return QStringLiteral("BYTES(%1)").arg(dimensione);
    case TFieldType::ftMemo: return QStringLiteral("BLOB(%1,1)").arg(dimensione);
    case TFieldType::ftFmtMemo: return QStringLiteral("BLOB(%1,3)").arg(dimensione);
    case TFieldType::ftParadoxOle:
    case TFieldType::ftDBaseOle: return QStringLiteral("BLOB(%1,4)").arg(dimensione);
    case TFieldType::ftGraphic: return QStringLiteral("BLOB(%1,5)").arg(dimensione);
    default: return QStringLiteral("BLOB(%1,2)").arg(dimensione);
    }
}

bool TipoBlob(TFieldType t)
{
    switch (t) {
    case TFieldType::ftBlob:
    case TFieldType::ftMemo:
    case TFieldType::ftGraphic:
    case TFieldType::ftFmtMemo:
    case TFieldType::ftParadoxOle:
    case TFieldType::ftDBaseOle:
    case TFieldType::ftTypedBinary:
    case TFieldType::ftCursor: return true;
    default: return false;
    }
}

bool TipoIntero(TFieldType t)
{
    return t == TFieldType::ftSmallint || t == TFieldType::ftInteger || t == TFieldType::ftWord || t == TFieldType::ftAutoInc;
}

} // namespace tabelle
