#pragma once
// Boolean cells of the enhanced grid: drawn as a check box picture ("Vero"
// for true, "Falso" for false or NULL) instead of text, and toggled by the
// grid with a click or a key.
#include <QPixmap>
#include <QStyledItemDelegate>

namespace tabelle {
class TDataSet;
class TField;
} // namespace tabelle

namespace gridkit {

class DelegatoBooleani : public QStyledItemDelegate {
    Q_OBJECT
public:
    DelegatoBooleani(const QPixmap& vero, const QPixmap& falso, QObject* genitore = nullptr);

    void paint(QPainter* pittore, const QStyleOptionViewItem& opzione, const QModelIndex& indice) const override;

    // Whether the cell shows a boolean field.
    static bool CellaBooleana(const QModelIndex& indice);

private:
    QPixmap vero_;
    QPixmap falso_;
};

// Puts the dataset in edit state and negates the field, NULL counting as
// false (so NULL becomes true).
void InvertiBooleano(tabelle::TDataSet& dati, tabelle::TField& campo);

} // namespace gridkit
