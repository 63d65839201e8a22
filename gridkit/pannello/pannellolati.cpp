#include "gridkit/pannello/pannellolati.h"

namespace gridkit {

namespace {

struct TLatiRelativi {
    TPanelSides allineato, opposto, primo, ultimo, precedente, successivo;
};

TLatiRelativi LatiPer(TAlign allineamento)
{
    switch (allineamento) {
    case alTop: return {psTop, psBottom, psLeft, psRight, psLeft, psRight};
    case alBottom: return {psBottom, psTop, psLeft, psRight, psRight, psLeft};
    case alLeft: return {psLeft, psRight, psTop, psBottom, psBottom, psTop};
    case alRight: return {psRight, psLeft, psTop, psBottom, psTop, psBottom};
    case alClient: return {LatiFisici, {}, {}, {}, {}, {}};
    case alNone:
    default: return {{}, LatiFisici, {}, {}, {}, {}};
    }
}

} // namespace

TPanelSides RisolviLati(TPanelSides lati, TAlign allineamento)
{
    const TLatiRelativi relativi = LatiPer(allineamento);
    TPanelSides fisici = lati & LatiFisici;
    if (lati & psAlign)
        fisici |= relativi.allineato;
    if (lati & psAlignOpposite)
        fisici |= relativi.opposto;
    if (lati & psNonAlignFirst)
        fisici |= relativi.primo;
    if (lati & psNonAlignLast)
        fisici |= relativi.ultimo;
    if (lati & psNonAlignPrev)
        fisici |= relativi.precedente;
    if (lati & psNonAlignNext)
        fisici |= relativi.successivo;
    return fisici;
}

} // namespace gridkit
