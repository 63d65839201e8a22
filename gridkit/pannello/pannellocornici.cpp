#include "gridkit/pannello/pannellocornici.h"

#include <QPalette>

namespace gridkit {

TColoriPannello TColoriPannello::DaPalette(const QPalette& palette)
{
    return {palette.color(QPalette::Button), palette.color(QPalette::Dark), palette.color(QPalette::Light),
            palette.color(QPalette::Shadow), palette.color(QPalette::Midlight)};
}

const QColor& TColoriPannello::Colore(TTinta tinta) const
{
    switch (tinta) {
    case TTinta::Ombra: return ombra;
    case TTinta::Evidenza: return evidenza;
    case TTinta::OmbraScura3D: return ombraScura3D;
    case TTinta::Luce3D: return luce3D;
    case TTinta::Faccia:
    default: return faccia;
    }
}

qint64 LarghezzaCornici(const TCornici& cornici)
{
    qint64 larghezza = 0;
    for (const TSerieCornici& serie : cornici)
        larghezza += serie.quante;
    return larghezza;
}

} // namespace gridkit
