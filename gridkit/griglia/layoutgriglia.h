#pragma once
// The column layout of the enhanced grid as a byte stream, and (through the
// headers below) its hexadecimal frame and its two stores, the registry and
// an ini file.
#include "gridkit/griglia/layoutesadecimale.h"
#include "gridkit/griglia/layoutini.h"
#include "gridkit/griglia/layoutregistro.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace gridkit {

// One column of a grid layout.
struct DescrizioneColonna {
    QString campo;          // field name
    QString titolo;         // title caption
    int larghezza = 64;     // pixels
    bool visibile = true;
    int allineamento = 0;   // Qt::Alignment of the cells; 0 = the field's own
    bool operator==(const DescrizioneColonna&) const = default;
};

// The layout <-> the stored byte stream: the signature "TRLG", a 16-bit
// version, the column count, then every column (texts as UTF-8 with their
// length), all little-endian. A stream that is not ours, of another version,
// truncated or with bytes after the last column gives nullopt.
QByteArray SerializzaLayout(const QList<DescrizioneColonna>& colonne);
std::optional<QList<DescrizioneColonna>> DeserializzaLayout(const QByteArray& flusso);

} // namespace gridkit
