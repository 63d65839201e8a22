// TNewDBGrid's context menu, its merge into a host menu, the column
// chooser and find.
#include "gridkit/griglia/newdbgrid.h"

#include "gridkit/comandi/colonneform.h"
#include "gridkit/comandi/dbgridpopupmenu.h"
#include "gridkit/comandi/trovainndbg.h"

#include <QContextMenuEvent>

namespace gridkit {

void TNewDBGrid::CreaMenu()
{
    menu_ = new TDBGridPopupMenu(*this);
    // The shortcuts work while the grid itself has the focus (an in-place
    // editor keeps its own); a menu merged into the host's shows them
    // without taking them (see InserisciInMenu).
    for (QAction* a : menu_->actions()) {
        a->setShortcutContext(Qt::WidgetShortcut);
        addAction(a);
    }
    menu_->AbilitaScorciatoie();
}

void TNewDBGrid::contextMenuEvent(QContextMenuEvent* evento)
{
    if (OptionMenu.vuoto()) {
        TDBGrid::contextMenuEvent(evento);
        return;
    }
    menu_->Aggiorna();
    menu_->exec(evento->globalPos());
    menu_->AbilitaScorciatoie();
}

QMenu* TNewDBGrid::InserisciInMenu(QMenu* Voce)
{
    menu_->AbilitaScorciatoie();
    return menu_->InserisciInMenu(Voce);
}

void TNewDBGrid::AbilitaUndo(QObject*) { menu_->AbilitaUndo(); }

void TNewDBGrid::ScegliColonne() { gridkit::ScegliColonne(*this); }

void TNewDBGrid::Trova() { gridkit::Trova(*this); }

} // namespace gridkit
