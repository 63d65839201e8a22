#pragma once
// The one-pixel frames that borders and bevels are made of: which system
// colours a frame uses, the colours themselves taken from a palette, and
// a style written as runs of equal frames from the outside in.
//
// A frame is an outline on some sides of a rectangle: its left and top
// lines in the first colour, its right and bottom lines in the second.
// The lines span the whole rectangle; the second colour owns the corners
// the two colours share (top right and bottom left).
#include <QColor>
#include <QtGlobal>

#include <vector>

class QPalette;

namespace gridkit {

// The system colours of a panel.
enum class TTinta { Faccia, Ombra, Evidenza, OmbraScura3D, Luce3D };

// The system colours as a palette gives them: face = Button, shadow =
// Dark, highlight = Light, 3-D dark shadow = Shadow, 3-D light = Midlight.
struct TColoriPannello {
    QColor faccia;
    QColor ombra;
    QColor evidenza;
    QColor ombraScura3D;
    QColor luce3D;

    static TColoriPannello DaPalette(const QPalette& palette);
    const QColor& Colore(TTinta tinta) const;
};

// quante equal frames, from the outside in.
struct TSerieCornici {
    TTinta prima;
    TTinta seconda;
    qint64 quante;
};
using TCornici = std::vector<TSerieCornici>;

// The number of frames, i.e. the width the style takes on each side.
qint64 LarghezzaCornici(const TCornici& cornici);

} // namespace gridkit
