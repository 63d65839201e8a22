#pragma once
// TRiquadro: a rectangle as four edges (right and bottom exclusive) in
// 64-bit arithmetic, that shrinks side by side without ever turning
// inside out. Borders and bevels may be far wider than the panel (a
// depth or a space can be up to 2^31 - 1): the rectangle then ends
// empty instead of overflowing.
#include "gridkit/pannello/pannellolati.h"

#include <QRect>

namespace gridkit {

struct TRiquadro {
    qint64 sinistra = 0;
    qint64 alto = 0;
    qint64 destra = 0;
    qint64 basso = 0;

    static TRiquadro Da(const QRect& rettangolo);
    QRect Rettangolo() const;

    qint64 Larghezza() const { return destra - sinistra; }
    qint64 Altezza() const { return basso - alto; }
    bool Vuoto() const { return Larghezza() <= 0 || Altezza() <= 0; }

    // Moves each of the physical sides in lati inwards by spessore (>= 0),
    // stopping where it meets the opposite side.
    void Riduci(TPanelSides lati, qint64 spessore);
};

} // namespace gridkit
