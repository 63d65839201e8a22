#include "gridkit/pannello/pannellobordo.h"

namespace gridkit {

TPanelBorder::TPanelBorder(QObject* owner) : QObject(owner) {}

void TPanelBorder::SetSides(TPanelSides valore)
{
    valore &= TuttiILati;
    if (valore == sides_)
        return;
    sides_ = valore;
    emit Cambiato();
}

void TPanelBorder::SetStyle(TPanelBorderStyle valore)
{
    if (valore == style_)
        return;
    style_ = valore;
    emit Cambiato();
}

void TPanelBorder::Assign(const TPanelBorder& altro)
{
    if (&altro == this)
        return;
    sides_ = altro.sides_;
    style_ = altro.style_;
    emit Cambiato();
}

TCornici TPanelBorder::Cornici() const
{
    using enum TTinta;
    switch (style_) {
    case bsLowered: return {{Ombra, Evidenza, 1}, {OmbraScura3D, Luce3D, 1}};
    case bsRaised: return {{Luce3D, OmbraScura3D, 1}, {Evidenza, Ombra, 1}};
    case bsRound:
        return {{Evidenza, OmbraScura3D, 1}, {Luce3D, Ombra, 1}, {Faccia, Faccia, 2}, {Ombra, Evidenza, 1},
                {OmbraScura3D, Luce3D, 1}};
    case bsFlat: return {{OmbraScura3D, OmbraScura3D, 1}};
    case bsNone:
    default: return {};
    }
}

} // namespace gridkit
