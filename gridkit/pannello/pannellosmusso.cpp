#include "gridkit/pannello/pannellosmusso.h"

#include <algorithm>

namespace gridkit {

TPanelBevel::TPanelBevel(QObject* owner) : QObject(owner) {}

void TPanelBevel::SetSides(TPanelSides valore)
{
    valore &= TuttiILati;
    if (valore == sides_)
        return;
    sides_ = valore;
    emit Cambiato();
}

void TPanelBevel::SetStyle(TPanelBevelStyle valore)
{
    if (valore == style_)
        return;
    style_ = valore;
    emit Cambiato();
}

void TPanelBevel::SetDepth(TPanelBevelDepth valore)
{
    valore = std::max(valore, ProfonditaMinima);
    if (valore == depth_)
        return;
    depth_ = valore;
    emit Cambiato();
}

void TPanelBevel::SetSpaceOuter(TPanelBevelSpace valore)
{
    valore = std::max(valore, 0);
    if (valore == spaceOuter_)
        return;
    spaceOuter_ = valore;
    emit Cambiato();
}

void TPanelBevel::SetSpaceInner(TPanelBevelSpace valore)
{
    valore = std::max(valore, 0);
    if (valore == spaceInner_)
        return;
    spaceInner_ = valore;
    emit Cambiato();
}

void TPanelBevel::Assign(const TPanelBevel& altro)
{
    if (&altro == this)
        return;
    sides_ = altro.sides_;
    style_ = altro.style_;
    depth_ = altro.depth_;
    spaceOuter_ = altro.spaceOuter_;
    spaceInner_ = altro.spaceInner_;
    emit Cambiato();
}

TCornici TPanelBevel::Cornici() const
{
    using enum TTinta;
    const qint64 d = depth_;
    switch (style_) {
    case bvLowered: return {{Ombra, Evidenza, d}};
    case bvRaised: return {{Evidenza, Ombra, d}};
    case bvGroove: return {{Ombra, Evidenza, d}, {Evidenza, Ombra, d}};
    case bvBump: return {{Evidenza, Ombra, d}, {Ombra, Evidenza, d}};
    case bvFlatHiLight: return {{Evidenza, Evidenza, d}};
    case bvFlatShadow: return {{Ombra, Ombra, d}};
    case bvFlatDkShadow: return {{OmbraScura3D, OmbraScura3D, d}};
    case bvNone:
    default: return {};
    }
}

qint64 TPanelBevel::Larghezza() const
{
    return LarghezzaCornici(Cornici()) + spaceOuter_ + spaceInner_;
}

} // namespace gridkit
