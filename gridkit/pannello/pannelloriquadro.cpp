#include "gridkit/pannello/pannelloriquadro.h"

#include <algorithm>

namespace gridkit {

TRiquadro TRiquadro::Da(const QRect& rettangolo)
{
    const qint64 x = rettangolo.x();
    const qint64 y = rettangolo.y();
    return {x, y, x + std::max(0, rettangolo.width()), y + std::max(0, rettangolo.height())};
}

QRect TRiquadro::Rettangolo() const
{
    // The edges only ever move inwards from a QRect, so they fit an int.
    return QRect(static_cast<int>(sinistra), static_cast<int>(alto), static_cast<int>(Larghezza()),
                 static_cast<int>(Altezza()));
}

void TRiquadro::Riduci(TPanelSides lati, qint64 spessore)
{
    spessore = std::max<qint64>(spessore, 0);
    if (lati & psLeft)
        sinistra = std::min(sinistra + spessore, destra);
    if (lati & psRight)
        destra = std::max(destra - spessore, sinistra);
    if (lati & psTop)
        alto = std::min(alto + spessore, basso);
    if (lati & psBottom)
        basso = std::max(basso - spessore, alto);
}

} // namespace gridkit
