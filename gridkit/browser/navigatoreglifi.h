#pragma once
// The arrow glyphs of the navigator buttons, drawn in a given colour:
// a bar and an arrow to the left (first), an arrow to the left (prior),
// an arrow to the right (next), an arrow and a bar to the right (last).
#include "gridkit/browser/navigatore.h"

#include <QColor>
#include <QPixmap>

namespace gridkit {

inline constexpr int LatoGlifoNavigatore = 9;

// A LatoGlifoNavigatore-pixel square, transparent around the glyph.
QPixmap GlifoNavigatore(TNavigateBtn bottone, const QColor& colore);

} // namespace gridkit
