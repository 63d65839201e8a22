#pragma once
// TNewDBGrid: the enhanced data grid of the grid library. On top of TDBGrid
// it sorts a TNewTable by the column whose title is clicked (the arrow in
// the title shows the direction), hints the sort over the titles, keeps
// the column layout per user in the registry or an ini file, draws boolean
// fields as check boxes and toggles them, fits a column to its data on a
// double click of the title divider, selects every row from the corner
// cell, and takes text dropped from an ITestoTrascinato source. Its edits
// go into the stored table (see modifica/), with cut, copy, paste, delete
// and undo.
#include "gridkit/griglia/griglia.h"
#include "gridkit/griglia/newdbgridimpostazioni.h"
#include "gridkit/griglia/newdbgridopzioni.h"
#include "gridkit/griglia/newdbgridordinamento.h"
#include "gridkit/griglia/newdbgridtrascina.h"

#include <QPixmap>
#include <memory>
#include <optional>

class QMenu;

namespace gridkit {

class GancioChiusura;
class SuggerimentoTitolo;
class TComandiAppunti;
class TDBGridPopupMenu;
class TModificaGriglia;
class TUndoTable;

class TNewDBGrid : public TDBGrid, public ITestoTrascinato {
    Q_OBJECT
    Q_INTERFACES(gridkit::ITestoTrascinato)
public:
    explicit TNewDBGrid(QWidget* genitore = nullptr);
    ~TNewDBGrid() override;

    // Published.
    QString RegPathName;
    QString RegKey;
    QString IniFileName;
    QString IniKey;
    bool LeggiInAvvio = false;
    bool SalvaInUscita = false;
    bool ConfermaSalvaUscita = false;
    // The sort the arrow shows: each time a TNewTable opens they follow
    // the sort fields it was run with (empty when none or several).
    QString CampoOrdine;
    TOrdine Ordinamento = TOrdine::Up;
    bool TitleHint = false;
    const QStringList& CampiVisibili() const { return campiVisibili_; }
    void SetCampiVisibili(const QStringList& campi) { campiVisibili_ = campi; }
    TNewDBGridOptionsMenu OptionMenu = TutteLeOpzioniMenu;
    int HelpContextTrova = 50000;
    THelpContextOptionMenu& HelpContextOptionMenu() { return helpContextOptionMenu_; }
    const THelpContextOptionMenu& HelpContextOptionMenu() const { return helpContextOptionMenu_; }
    TNewGridBeforeEvent OnBeforeOperation;
    TNewGridAfterEvent OnAfterOperation;
    TNewGridBeforeIncolla OnBeforeincolla;
    TNotifyEvent OnChangeVisField;
    std::function<void(QMouseEvent*)> OnMouseMove;
    std::function<void(QMouseEvent*)> OnMouseDown;
    std::function<void(QMouseEvent*)> OnMouseUp;
    // The undo journal holds an entry (asking makes the journal); the
    // clipboard file holds a record (asking makes the file).
    bool IsUndo() const;
    bool IsIncolla() const;

    // Logical deletion of the current row, or of the selected rows with
    // multiple selection; cut, copy and paste through the clipboard file;
    // undo of the newest change. Errors are shown, never passed on.
    void Elimina();
    void Copia();
    void Taglia();
    void Incolla();
    void Annulla();
    // The selected rows (0-based) in selection order, and their bookmarks.
    QList<int> RigheSelezionate() const;
    TBookmarkList SelectedRows() const;

    // Sorts by the column (the default title-click handler).
    void OrdinaColonna(TColumn& colonna);
    void ApplicaOrdinamento();
    // The sort in force goes into the undo journal.
    void RegistraOrdinamento();

    // The stored layout.
    void SalvaImpostazioni();
    bool LeggiImpostazioni();
    void SalvaInChiusura();
    // After the grid is in its window and its properties are set: reads the
    // layout when LeggiInAvvio, and hooks the window's close query.
    void Loaded();
    // Moving a column sets it, and so does the column chooser; resizing does not.
    bool LayoutCambiato() const { return layoutCambiato_; }
    void SegnaLayoutCambiato() { layoutCambiato_ = true; }

    // The context menu's commands merged into a host menu (see comandi/);
    // refreshing the merged undo item; the column chooser; find.
    QMenu* InserisciInMenu(QMenu* Voce);
    void AbilitaUndo(QObject* Sender);
    void ScegliColonne();
    void Trova();
    TDBGridPopupMenu& PopupMenu() const { return *menu_; }

    // Fits a column to its data; selects every row (multiple selection).
    void AdattaColonna(int indice);
    void SelezionaTutto() { selectAll(); }

    // Drag and drop: whether a drag from `sorgente` is taken, and its drop.
    bool DragOver(QObject* sorgente) const;
    void DragDrop(QObject* sorgente);

    // ITestoTrascinato
    QString Testo() const override { return QString(); }
    bool Disponibile() const override { return true; }

    // Where the sort arrow goes in the title of `colonna` (a rectangle as
    // the title's), nothing when it is not drawn there.
    std::optional<QPoint> PosizioneFreccia(int colonna, const QRect& titolo) const;
    // Toggles the boolean cell, when neither the grid nor the field nor the
    // dataset is read-only; true when it did.
    bool CommutaBooleano(const QModelIndex& cella);
    // No in-place editor on a boolean cell.
    bool CanEditShow() const override;

    SuggerimentoTitolo& Suggerimento() const { return *suggerimento_; }
    // The operation running.
    TipoOp Operazione() const;
    // The undo journal, nullptr until the first change, sort or IsUndo.
    TUndoTable* Giornale() const;
    const QPixmap& Immagine(const QString& nome) const;

protected:
    void LinkActive(bool attivo) override;
    void LayoutChanged() override;
    void ColumnMoved(int da, int a) override;
    void DisegnaTitolo(QPainter& pittore, const QRect& rettangolo, int colonna) override;
    QStringList CampiPredefiniti() const override;

    void mousePressEvent(QMouseEvent* evento) override;
    void mouseMoveEvent(QMouseEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void contextMenuEvent(QContextMenuEvent* evento) override;
    void dragEnterEvent(QDragEnterEvent* evento) override;
    void dragMoveEvent(QDragMoveEvent* evento) override;
    void dropEvent(QDropEvent* evento) override;

private:
    class OspiteModifica;
    void CreaModifica();
    void CreaMenu();
    LuoghiLayout Luoghi() const { return {RegPathName, RegKey, IniFileName, IniKey}; }
    bool SuggerimentoPossibile() const;
    void SuTitoli(const QPoint& posizione);
    // Whether the table can be sorted by `campo`; the message when not.
    bool CampoOrdinabile(const TNewTable& tabella, const QString& campo) const;
    // CampoOrdine and Ordinamento from the sort the table was run with.
    void AllineaOrdinamento(const TNewTable& tabella);
    void RimuoviColonneSenzaCampo();

    THelpContextOptionMenu helpContextOptionMenu_;
    QStringList campiVisibili_;
    bool campiVisibiliRiempiti_ = false;
    bool layoutCambiato_ = false;
    bool saltaClicTitolo_ = false;
    bool layoutLetto_ = false;
    // A stored layout was applied: its columns without a field go when
    // the dataset is open.
    bool verificaCampiLayout_ = false;
    QPixmap su_, giu_, vero_, falso_;
    SuggerimentoTitolo* suggerimento_;
    GancioChiusura* gancio_ = nullptr;
    std::unique_ptr<OspiteModifica> ospite_;
    std::unique_ptr<TModificaGriglia> modifica_;
    std::unique_ptr<TComandiAppunti> comandi_;
    TDBGridPopupMenu* menu_ = nullptr;
};

} // namespace gridkit
