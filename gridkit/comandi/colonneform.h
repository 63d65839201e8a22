#pragma once
// TColonneForm: the column chooser. The user moves field names between
// the available and the visible list and orders the visible ones; at least
// one column always stays visible. ScegliColonne applies the choice to a
// grid.
#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;

namespace gridkit {

class TNewDBGrid;

class TColonneForm : public QDialog {
    Q_OBJECT
public:
    // `visibili` is read and, on OK, written; `disponibili` is read. Either
    // may be missing (nullptr): "R&eimposta" is then disabled.
    // `originali` is what "Tabella originale" fills the visible list with.
    TColonneForm(QStringList* visibili, const QStringList* disponibili, QStringList originali,
                 QWidget* genitore = nullptr);

    // Handlers.
    void FormCreate();
    void FormActivate();
    void AggiungiBitBtnClick();
    void RimuoviBitBtnClick();
    void SpostaSuBitBtnClick();
    void SpostaGiuBitBtnClick();
    // A drag of `sorgente` over either list; the drop on `destinazione`
    // before the item at `riga` (-1: below the last item).
    bool ColDispListBoxDragOver(QListWidget* sorgente) const;
    void ColDispListBoxDragDrop(QListWidget* sorgente, QListWidget* destinazione, int riga);
    void OkBitBtnClick();
    void ReimpostaBitBtnClick();
    void InizialeBitBtnClick();

    QListWidget* ColDispListBox;
    QListWidget* ColVisListBox;
    QPushButton* AggiungiBitBtn;
    QPushButton* RimuoviBitBtn;
    QPushButton* SpostaSuBitBtn;
    QPushButton* SpostaGiuBitBtn;
    QPushButton* OkBitBtn;
    QPushButton* AnnullaBitBtn;
    QPushButton* ReimpostaBitBtn;
    QPushButton* InizialeBitBtn;

    static QStringList Elementi(const QListWidget& lista);

protected:
    void showEvent(QShowEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void AggiornaPulsanti();
    // Moves the source's selected item into `destinazione` at `posizione`
    // (-1: just after the target's selection, at the top without one, or
    // appended to an empty target).
    void Sposta(QListWidget& sorgente, QListWidget& destinazione, int posizione = -1);

    QStringList* visibili_;
    const QStringList* disponibili_;
    QStringList originali_;
    bool primaAttivazione_ = true;
};

// The grid's column chooser, while its data are open: on OK the grid's
// columns become the chosen ones in that order and the layout is marked
// changed; OnChangeVisField runs in every case.
void ScegliColonne(TNewDBGrid& griglia);

} // namespace gridkit
