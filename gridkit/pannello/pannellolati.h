#pragma once
// The sides on which a panel draws a border or a bevel. A set may name
// physical sides or sides relative to the panel's own alignment, so that
// a panel docked to an edge can draw, say, only the edge facing inwards;
// RisolviLati turns it into physical sides for a given alignment.
#include "gridkit/pannello/pannelloallineamento.h"

#include <QFlags>

namespace gridkit {

enum TPanelSide {
    psLeft = 1,
    psRight = 2,
    psTop = 4,
    psBottom = 8,
    // The side the panel is docked to (all four when alClient).
    psAlign = 16,
    // The side opposite to it (all four when not aligned, none when alClient).
    psAlignOpposite = 32,
    // The sides across the docking edge, in reading order: left / right of
    // a top or bottom panel, top / bottom of a left or right panel.
    psNonAlignFirst = 64,
    psNonAlignLast = 128,
    // The same two sides, turning around the panel: the side before and
    // the side after the docked one going clockwise (left then right for a
    // top panel, right then left for a bottom one, bottom then top for a
    // left one, top then bottom for a right one).
    psNonAlignPrev = 256,
    psNonAlignNext = 512,
};
Q_DECLARE_FLAGS(TPanelSides, TPanelSide)

inline constexpr TPanelSides LatiFisici{psLeft | psRight | psTop | psBottom};
inline constexpr TPanelSides TuttiILati{LatiFisici | psAlign | psAlignOpposite | psNonAlignFirst | psNonAlignLast
                                        | psNonAlignPrev | psNonAlignNext};

// The physical sides (psLeft, psRight, psTop, psBottom) that lati means
// for a panel with the given alignment.
TPanelSides RisolviLati(TPanelSides lati, TAlign allineamento);

} // namespace gridkit

Q_DECLARE_OPERATORS_FOR_FLAGS(gridkit::TPanelSides)
