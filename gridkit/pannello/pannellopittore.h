#pragma once
// TPittorePannello: paints the layers of a decorated panel from its edge
// inwards (frames of a border, bands and frames of a bevel), each on its
// own sides, shrinking the rectangle that is left after each layer; and
// DisegnaSfondo, which fills what is left with the wallpaper.
#include "gridkit/pannello/pannellocornici.h"
#include "gridkit/pannello/pannelloriquadro.h"

class QPainter;

namespace gridkit {

class TPanelBevel;
class TPanelWallpaper;

class TPittorePannello {
public:
    TPittorePannello(QPainter& painter, const QRect& area, const TColoriPannello& colori);

    // The frames on the physical sides lati, from the outside in.
    void Cornici(const TCornici& cornici, TPanelSides lati);
    // A band spessore pixels wide in the face colour on the sides lati.
    void Banda(TPanelSides lati, qint64 spessore);
    // Outer band, frames, inner band of a bevel on the physical sides lati.
    void Smusso(const TPanelBevel& smusso, TPanelSides lati);

    // What is left inside the layers painted so far.
    QRect Rimanente() const { return rimanente_.Rettangolo(); }

private:
    void Cornice(TPanelSides lati, const QColor& prima, const QColor& seconda);
    void Riempi(qint64 x, qint64 y, qint64 larghezza, qint64 altezza, const QColor& colore);

    QPainter& painter_;
    TColoriPannello colori_;
    TRiquadro rimanente_;
};

// Fills area with the wallpaper, the panel's colour where it does not
// reach; every pixel of area is painted.
void DisegnaSfondo(QPainter& painter, const QRect& area, const TPanelWallpaper& sfondo, const QColor& colore);

} // namespace gridkit
