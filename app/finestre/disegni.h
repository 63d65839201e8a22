#pragma once
// The program's pictures, drawn at run time: the splash picture, the about
// box's title picture and program icon. All share one motif: a map sheet with fiducial points joined
// by the measured distances.
#include <QPixmap>
#include <QRectF>
#include <QSize>

class QPainter;

namespace tratte::disegni {

// The splash picture: title "Tratte Punti Fiduciali" over a stylised map.
QPixmap ImmagineAvvio(QSize dimensione, qreal rapportoPixel = 1.0);
// The about box's title banner.
QPixmap ImmagineTitolo(QSize dimensione, qreal rapportoPixel = 1.0);
// The program icon, square.
QPixmap IconaProgramma(int lato, qreal rapportoPixel = 1.0);

} // namespace tratte::disegni
