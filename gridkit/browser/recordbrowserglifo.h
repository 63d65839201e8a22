#pragma once
// The glyph of the record browser's insert button, 16 x 8 pixels: a
// blank record with a plus sign beside it.
#include <QColor>
#include <QPixmap>
#include <QSize>

namespace gridkit {

inline constexpr QSize DimensioneGlifoInserimento(16, 8);

QPixmap GlifoInserimento(const QColor& colore);

} // namespace gridkit
