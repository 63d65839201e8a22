#pragma once
// TPanelBevel: one of the two bevels of a decorated panel (the outer one
// lies inside the border, the inner one inside the outer). From the
// outside in: a band of SpaceOuter pixels in the face colour, Depth
// frames per style, a band of SpaceInner pixels in the face colour, all
// on the chosen sides. The bands are there also for bvNone. The panel
// owns it; every change is announced with Cambiato.
#include "gridkit/pannello/pannellocornici.h"
#include "gridkit/pannello/pannellolati.h"

#include <QObject>

#include <limits>

namespace gridkit {

// Frames (first colour / second colour), D = Depth:
//   bvNone           none                                   width 0
//   bvLowered        D x (shadow / highlight)               width D
//   bvRaised         D x (highlight / shadow)               width D
//   bvGroove         the lowered set, then the raised set   width 2D
//   bvBump           the raised set, then the lowered set   width 2D
//   bvFlatHiLight,   D frames all in highlight, shadow or   width D
//   bvFlatShadow,    3-D dark shadow
//   bvFlatDkShadow
enum TPanelBevelStyle { bvNone, bvLowered, bvRaised, bvGroove, bvBump, bvFlatHiLight, bvFlatShadow, bvFlatDkShadow };

using TPanelBevelDepth = int;  // 1 to 2147483647
using TPanelBevelSpace = int;  // 0 to 2147483647
inline constexpr TPanelBevelDepth ProfonditaMinima = 1;
inline constexpr TPanelBevelDepth ProfonditaMassima = std::numeric_limits<int>::max();

class TPanelBevel : public QObject {
    Q_OBJECT
public:
    explicit TPanelBevel(QObject* owner = nullptr);

    // Default: the four physical sides.
    TPanelSides Sides() const { return sides_; }
    void SetSides(TPanelSides valore);
    // Default: bvNone.
    TPanelBevelStyle Style() const { return style_; }
    void SetStyle(TPanelBevelStyle valore);
    // Default 1; a value below 1 is taken as 1.
    TPanelBevelDepth Depth() const { return depth_; }
    void SetDepth(TPanelBevelDepth valore);
    // Default 0; a negative value is taken as 0.
    TPanelBevelSpace SpaceOuter() const { return spaceOuter_; }
    void SetSpaceOuter(TPanelBevelSpace valore);
    TPanelBevelSpace SpaceInner() const { return spaceInner_; }
    void SetSpaceInner(TPanelBevelSpace valore);

    // Copies every property of altro and announces the change once.
    void Assign(const TPanelBevel& altro);

    TCornici Cornici() const;
    // Frames + SpaceOuter + SpaceInner: the width on each of its sides.
    qint64 Larghezza() const;

signals:
    void Cambiato();

private:
    TPanelSides sides_ = LatiFisici;
    TPanelBevelStyle style_ = bvNone;
    TPanelBevelDepth depth_ = 1;
    TPanelBevelSpace spaceOuter_ = 0;
    TPanelBevelSpace spaceInner_ = 0;
};

} // namespace gridkit
