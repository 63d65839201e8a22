#pragma once
// TRecordBrowser: the one-line navigation bar under a grid. From the left:
// the caption "Record:  ", buttons to the first and previous record, a box
// with the current record number (type a number and press Enter to go
// there), buttons to the next and last record, a button that appends a
// record, and " di " with the number of records. It follows any dataset
// through a data source.
//
// Its height is always EditHeight + 6: any other height asked for (resize,
// setGeometry, SetBounds, a layout) is undone. Align is the widget's
// dynamic property "Align", as for every control of the library (see
// pannelloallineamento.h); Enabled, Visible, TabOrder and TabStop are the
// QWidget's own.
#include "tabelle/sorgente.h"

#include <QWidget>

#include <memory>

class QLabel;
class QLineEdit;
class QToolButton;

namespace gridkit {

class TDBNavigator;
class TRBDataLink;

class TRecordBrowser : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int EditWidth READ EditWidth WRITE SetEditWidth)
    Q_PROPERTY(int EditHeight READ EditHeight WRITE SetEditHeight)
    Q_PROPERTY(int OffsetControl READ OffsetControl WRITE SetOffsetControl)
    Q_PROPERTY(tabelle::TDataSource* DataSource READ DataSource WRITE SetDataSource)
    Q_PROPERTY(bool VisInsertButton READ VisInsertButton WRITE SetVisInsertButton STORED true)
public:
    // The owner is also the parent. A new browser is 249 pixels wide.
    explicit TRecordBrowser(QWidget* owner = nullptr);
    ~TRecordBrowser() override;

    // Width and height of the number box (height also of the buttons);
    // negative values count as 0.
    int EditWidth() const { return editWidth_; }
    void SetEditWidth(int valore);
    int EditHeight() const { return editHeight_; }
    void SetEditHeight(int valore);
    // Left position of the caption.
    int OffsetControl() const { return offsetControl_; }
    void SetOffsetControl(int valore);

    // The data source followed; when it is freed the browser follows none.
    tabelle::TDataSource* DataSource() const;
    void SetDataSource(tabelle::TDataSource* valore);

    bool VisInsertButton() const { return visInsertButton_; }
    void SetVisInsertButton(bool valore);

    // Position and width as given; the height is always EditHeight + 6.
    void SetBounds(int sinistra, int alto, int larghezza, int altezza);
    int AltezzaFissa() const { return editHeight_ + 6; }

    // Shows the dataset's numbers when aggiornaNumeri; keeps the
    // navigators on the browser's data source in every case.
    void Refresh(bool aggiornaNumeri);

    // The number box's handlers: a key typed (true: the key goes no
    // further), the box left, and a click on the insert button.
    bool NumeroEditKeyPress(QKeyEvent* tasto);
    void NumeroEditExit();
    void InserisciBtClick();

    // The children, from the left.
    QLabel* Label = nullptr;
    TDBNavigator* IndietroNav = nullptr;
    QLineEdit* NumeroEdit = nullptr;
    TDBNavigator* AvantiNav = nullptr;
    QToolButton* InserisciBt = nullptr;
    QLabel* TotaleLabel = nullptr;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void changeEvent(QEvent* evento) override;

private:
    void CreaFigli();
    void Disponi();
    // Goes to the record typed in the number box.
    void Salta();
    void MostraNumeri();

    bool costruzione_ = true;
    bool distruzione_ = false;
    std::unique_ptr<TRBDataLink> link_;
    int editWidth_ = 0;
    int editHeight_ = 0;
    int offsetControl_ = 0;
    bool visInsertButton_ = false;
};

} // namespace gridkit
