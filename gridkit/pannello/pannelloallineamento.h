#pragma once
// Alignment of a control inside its parent, as the panels of the grid
// library understand it: a control docked to one edge of the parent's
// free area (alTop, alBottom, alLeft, alRight), filling what is left
// (alClient), or left where it is (alNone).
//
// Any widget can carry an alignment: it is kept in the widget's dynamic
// Qt property "Align" (an int holding a TAlign), so plain Qt widgets
// (labels, buttons, grids) and our own panels are aligned the same way.
// Set it with ImpostaAllineamento (or setProperty("Align", alTop)); a
// panel that hosts the widget notices the change and lays out again.
#include <QRect>

class QWidget;

namespace gridkit {

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Name of the dynamic property that holds a widget's alignment.
inline constexpr char ProprietaAllineamento[] = "Align";

// The alignment of a widget; alNone when it has none (or an unknown value).
TAlign AllineamentoDi(const QWidget* widget);
// Moving from a top or bottom alignment to a left or right one (or the
// reverse) also swaps the widget's width and height, so that a docked
// control keeps its thickness.
void ImpostaAllineamento(QWidget* widget, TAlign allineamento);

// Lays out the aligned child widgets of contenitore inside area: first the
// alTop children from the top down, then alBottom from the bottom up, then
// alLeft and alRight in the height that remains, and every alClient child
// over the rest. Among children of the same alignment the order is their
// current position (the one nearest its edge first; ties in creation
// order). A docked child keeps its own height (top, bottom) or width
// (left, right); the free area never shrinks below empty. Children that
// would not be visible, windows and alNone children are not touched.
void DisponiFigli(QWidget* contenitore, const QRect& area);

} // namespace gridkit
