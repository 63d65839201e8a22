#pragma once
// The hexadecimal frame in which a grid layout is stored: upper-case
// hexadecimal, two digits a byte, cut in pieces of 64 characters (32 bytes)
// kept as the values "HEX1", "HEX2", ... of a store.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace gridkit {

constexpr qsizetype LunghezzaPezzo = 64;

QStringList PezziEsadecimali(const QByteArray& flusso);
// Reads pieces in order until one is shorter than 64 (that one included);
// nullopt when a piece holds a non-hex character or an odd count.
std::optional<QByteArray> DaPezziEsadecimali(const QStringList& pezzi);

// The pieces a store writes: those of PezziEsadecimali, closed by an empty
// piece when the last one is full (or there is none). Reading then always
// stops at the end of this stream, even when a longer layout stored before
// left more values behind it.
QStringList PezziDaScrivere(const QByteArray& flusso);
// The name of the value that holds piece `indice` (from 0): "HEX1", ...
QString NomePezzo(qsizetype indice);
// Collects the pieces a store holds, asking `valore` for each index (from
// 0), until one is missing or shorter than 64 characters; then decodes them.
std::optional<QByteArray> LeggiPezzi(const std::function<std::optional<QString>(qsizetype)>& valore);

} // namespace gridkit
