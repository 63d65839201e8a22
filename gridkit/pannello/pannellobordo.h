#pragma once
// TPanelBorder: the outermost element of a decorated panel, a border of
// one to six frames on a chosen set of sides. The panel owns it; every
// change is announced with Cambiato, after which the panel lays out its
// children again and repaints.
#include "gridkit/pannello/pannellocornici.h"
#include "gridkit/pannello/pannellolati.h"

#include <QObject>

namespace gridkit {

// Frames from the outside in (first colour / second colour):
//   bsNone     none                                             width 0
//   bsLowered  shadow / highlight, 3-D dark shadow / 3-D light  width 2
//   bsRaised   3-D light / 3-D dark shadow, highlight / shadow  width 2
//   bsRound    highlight / 3-D dark shadow, 3-D light / shadow,
//              two of face / face, shadow / highlight,
//              3-D dark shadow / 3-D light                      width 6
//   bsFlat     3-D dark shadow on every drawn side              width 1
enum TPanelBorderStyle { bsNone, bsLowered, bsRaised, bsRound, bsFlat };

class TPanelBorder : public QObject {
    Q_OBJECT
public:
    explicit TPanelBorder(QObject* owner = nullptr);

    // Default: the four physical sides.
    TPanelSides Sides() const { return sides_; }
    void SetSides(TPanelSides valore);
    // Default: bsNone.
    TPanelBorderStyle Style() const { return style_; }
    void SetStyle(TPanelBorderStyle valore);

    // Copies every property of altro and announces the change once.
    void Assign(const TPanelBorder& altro);

    TCornici Cornici() const;
    // Width on each of its sides.
    qint64 Larghezza() const { return LarghezzaCornici(Cornici()); }

signals:
    void Cambiato();

private:
    TPanelSides sides_ = LatiFisici;
    TPanelBorderStyle style_ = bsNone;
};

} // namespace gridkit
