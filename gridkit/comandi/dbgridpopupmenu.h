#pragma once
// TDBGridPopupMenu: the context menu of a TNewDBGrid. Its 17 items are
// switched on by the grid's OptionMenu (a hidden item is also disabled,
// so its shortcut does nothing) and refreshed at every pop-up; the same
// items can be merged into a menu of the host window (InserisciInMenu).
#include <QMenu>
#include <QPointer>
#include <QStringList>

namespace gridkit {

class TNewDBGrid;

class TDBGridPopupMenu : public QMenu {
    Q_OBJECT
public:
    explicit TDBGridPopupMenu(TNewDBGrid& griglia);

    // The captions of the 17 items, in order ("-" for a separator).
    static const QStringList& Didascalie();
    // Indexes of the items that are column submenus.
    enum Voce { VoceCrescente = 0, VoceDecrescente = 1, VoceOriginale = 2, VoceAdatta = 4, VoceTaglia = 6,
                VoceCopia = 7, VoceIncolla = 8, VoceElimina = 10, VoceVisCampi = 12, VoceAnnulla = 14,
                VoceTrova = 16 };

    // The items from OptionMenu: shown, enabled, help contexts, and the
    // three column submenus rebuilt.
    void Aggiorna() { AggiornaVoci(actions(), true); }
    // Only shown and enabled from OptionMenu, without asking the clipboard
    // and the journal: the state the grid's shortcuts follow between pop-ups.
    void AbilitaScorciatoie() { AggiornaVoci(actions(), false); }

    // Merges the items into `voce` and returns it; its earlier merged items
    // and all its separators go first.
    QMenu* InserisciInMenu(QMenu* voce);
    // The merged undo item (and the separator before it) from opm_Annulla and
    // IsUndo; with the other merged items refreshed too, as at a pop-up.
    void AbilitaUndo();

    // The commands of the sort items: nothing when the grid is already
    // sorted so; otherwise the sort goes into the undo journal first.
    static void OrdinaDaMenu(TNewDBGrid& griglia, const QString& campo, bool discendente);
    static void OrdinamentoOriginale(TNewDBGrid& griglia);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    // Appends the 17 items to `menu`, each wired to its command.
    QList<QAction*> CreaVoci(QMenu& menu);
    // The 17 items starting at `voci`'s first; `completo` also asks IsIncolla
    // and IsUndo and rebuilds the column submenus.
    void AggiornaVoci(const QList<QAction*>& voci, bool completo);
    void RiempiSottomenu(QMenu& sottomenu, int voce);
    void Esegui(int voce);

    TNewDBGrid& griglia_;
    QPointer<QMenu> voceUnita_;
    QList<QAction*> unite_;
};

} // namespace gridkit
