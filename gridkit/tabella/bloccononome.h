#pragma once
// The 28-byte name block of the enhanced table's stored formats: 4 unused
// bytes (zero), a length byte, the Latin-1 characters, the rest zero. Used for
// the entry names of TInfoStream and for the MODFIELD entries of a table.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace gridkit {

inline constexpr qsizetype DimensioneBloccoNome = 28;
// Room for characters after the 4 unused bytes and the length byte.
inline constexpr int CaratteriMassimiBlocco = 23;
// Longest name an entry of a TInfoStream (or a MODFIELD block) may hold.
inline constexpr int LunghezzaMassimaNome = 20;

// Writes `nome` as one block, cut to `massimo` characters (at most 23).
// Characters outside Latin-1 become '?'.
QByteArray ScriviBloccoNome(const QString& nome, int massimo = LunghezzaMassimaNome);

// Reads the block that starts at `posizione`; nothing when fewer than 28 bytes
// remain there. A length byte beyond the block's room is clamped to 23.
std::optional<QString> LeggiBloccoNome(QByteArrayView dati, qsizetype posizione = 0);

} // namespace gridkit
