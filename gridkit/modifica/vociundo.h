#pragma once
// The byte formats of the undo journal's INFO field: the snapshot of a row
// about to change (its field names and text values) and the sort that was
// in force before a new one. Integers are 32-bit little-endian; texts are
// UTF-8.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <optional>

namespace gridkit {

// One field of a snapshot: name and text value.
using CoppiaIstantanea = QPair<QString, QString>;

// Longest text a snapshot restores, in characters.
inline constexpr int LunghezzaMassimaIstantanea = 99;

// For each pair: length (zero byte included) and bytes of the name ending
// with a zero byte, then the same for the value; after the last pair a
// zero length.
QByteArray ScriviIstantanea(const QList<CoppiaIstantanea>& coppie);
// The pairs, nothing when the bytes are not a snapshot.
std::optional<QList<CoppiaIstantanea>> LeggiIstantanea(const QByteArray& dati);

// Length and bytes of the field name (no terminator), then length and
// bytes of the direction ("UP" or "DOWN"); an empty text is written as one
// space.
QByteArray ScriviOrdine(const QString& campo, const QString& direzione);
// Field and direction as written (a lone space stays a space); nothing when
// the bytes are not a sort entry.
std::optional<QPair<QString, QString>> LeggiOrdine(const QByteArray& dati);

} // namespace gridkit
