#pragma once
// TDBGrid: the data-aware grid. It shows the dataset of a TDataSource
// through ModelloGriglia, one column per TColumn of its Columns, a title row
// and an indicator column marking the current row, and keeps the dataset's
// current row and its own current cell together both ways. Descendants
// hook in through the virtual operations (LinkActive, LayoutChanged,
// ColumnMoved, TitleClick, DisegnaTitolo, CanEditShow).
#include "gridkit/griglia/grigliacolonne.h"
#include "gridkit/griglia/grigliainsieme.h"

#include <QStyleOptionViewItem>
#include <QTableView>
#include <functional>
#include <memory>

namespace tabelle {
class TDataSet;
class TDataSource;
class TField;
} // namespace tabelle

namespace gridkit {

class ModelloGriglia;
class TIndicatoreGriglia;
class TTitoliGriglia;

enum class TDBGridOption {
    dgEditing, dgAlwaysShowEditor, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines,
    dgTabs, dgRowSelect, dgAlwaysShowSelection, dgConfirmDelete, dgCancelOnExit, dgMultiSelect
};
using TDBGridOptions = Insieme<TDBGridOption>;

class TColumn;

// A cell about to be drawn (OnDrawColumnCell): its rectangle, the index of
// its column, the column, its state and row, and the drawing option, whose
// font and colours the handler may change; the cell is then drawn the
// standard way with that option.
struct TCellaGriglia {
    QRect Rect;
    int DataCol;
    TColumn& Column;
    QStyle::State State;
    int Riga;
    QStyleOptionViewItem& Opzione;
};

class TDBGrid : public QTableView, protected FonteColonne {
    Q_OBJECT
public:
    static TDBGridOptions OpzioniPredefinite();

    explicit TDBGrid(QWidget* genitore = nullptr);
    ~TDBGrid() override;

    tabelle::TDataSource* DataSource() const;
    void SetDataSource(tabelle::TDataSource* sorgente);
    // The data source's dataset (nullptr without one).
    tabelle::TDataSet* DataSet() const;
    // The data source has an open dataset.
    bool DatiAttivi() const;

    TDBGridColumns& Columns() const { return *colonne_; }
    ModelloGriglia& Modello() const { return *modello_; }
    TTitoliGriglia& Titoli() const { return *titoli_; }
    TIndicatoreGriglia& Indicatore() const { return *indicatore_; }

    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool valore) { readOnly_ = valore; }
    TDBGridOptions Options() const { return opzioni_; }
    void SetOptions(TDBGridOptions opzioni);
    // Titles drawn by the grid itself (false: a form draws them).
    bool DefaultDrawing = true;
    // The grid shows hints (its own title hint included).
    bool ShowHint = true;

    // The column of the current cell, -1 with none.
    int SelectedIndex() const;
    void SetSelectedIndex(int colonna);
    tabelle::TField* SelectedField() const;

    // Events as forms assign them: assigning one replaces the previous.
    std::function<void(TColumn&)> OnTitleClick;
    std::function<void()> OnDblClick;
    std::function<void(TCellaGriglia&)> OnDrawColumnCell;
    // Hands the cell's drawing option to OnDrawColumnCell (the grid's
    // delegate calls it before drawing a cell).
    void PreparaCella(QStyleOptionViewItem& opzione, const QModelIndex& indice) const;

    // True when the mouse cursor is the column-resize cursor (over a
    // divider of the titles).
    bool CursoreRidimensiona() const;

    // Whether an in-place editor may be shown for the current cell.
    virtual bool CanEditShow() const;

    // Selects every row when multiple selection is on (the corner cell, Ctrl+A).
    void selectAll() override;
    // No search as you type: a letter or digit does not move the current
    // row (the view's own search would read a column of every row).
    void keyboardSearch(const QString&) override {}

signals:
    // A title was clicked (before OnTitleClick runs).
    void TitoloCliccato(int colonna);

protected:
    // The data link became active or inactive (opened, closed, another
    // data source or dataset).
    virtual void LinkActive(bool attivo);
    // The columns were (re)applied to the view.
    virtual void LayoutChanged();
    // The user moved a column (indexes in Columns).
    virtual void ColumnMoved(int da, int a);
    virtual void ColWidthsChanged();
    // A title was clicked: runs OnTitleClick.
    virtual void TitleClick(TColumn& colonna);
    // After the normal drawing of the title of `colonna`.
    virtual void DisegnaTitolo(QPainter& pittore, const QRect& rettangolo, int colonna);
    // The field names the default columns are built from: the dataset's
    // visible fields, in order.
    virtual QStringList CampiPredefiniti() const;

    // Dataset -> view: makes the dataset's current row the current row of
    // the view and scrolls it into view.
    void SincronizzaRigaCorrente();
    // Columns -> view: reloads the model and applies widths and visibility,
    // keeping the selected rows and the current row.
    void ApplicaColonne();

    void currentChanged(const QModelIndex& corrente, const QModelIndex& precedente) override;
    bool edit(const QModelIndex& indice, EditTrigger motivo, QEvent* evento) override;
    void mouseDoubleClickEvent(QMouseEvent* evento) override;

    // FonteColonne
    tabelle::TField* CampoColonna(const QString& nome) const override;
    int LarghezzaCaratteri(int caratteri) const override;
    int LarghezzaTesto(const QString& testo) const override;

private:
    class Collegamento;
    void SuAttivita();
    void SuDatiCambiati();
    void SuStruttura();
    // Rebuilds the default columns when the fields changed; true when it did.
    bool AggiornaColonnePredefinite();
    void ImpostaCorrente(int riga, int colonna);
    void ApplicaLarghezze();
    void ColonnaCambiata(int indice);
    void SezioneSpostata(int logica, int da, int a);
    void SezioneRidimensionata(int logica, int vecchia, int nuova);
    void SezioneCliccata(int logica);
    void OsservaDataSet();

    std::unique_ptr<Collegamento> collegamento_;
    TDBGridColumns* colonne_;
    ModelloGriglia* modello_;
    TTitoliGriglia* titoli_;
    TIndicatoreGriglia* indicatore_;
    TDBGridOptions opzioni_;
    bool readOnly_ = false;
    bool applicando_ = false;
    bool sincronizzando_ = false;
    QStringList campiPredefiniti_;
    QMetaObject::Connection distruzioneDataSet_;
};

} // namespace gridkit
