#include "gridkit/griglia/newdbgridbooleani.h"

#include "gridkit/griglia/griglia.h"
#include "gridkit/griglia/grigliamodello.h"
#include "tabelle/campo.h"
#include "tabelle/dataset.h"

#include <QApplication>
#include <QPainter>

namespace gridkit {

DelegatoBooleani::DelegatoBooleani(const QPixmap& vero, const QPixmap& falso, QObject* genitore)
    : QStyledItemDelegate(genitore), vero_(vero), falso_(falso)
{
}

bool DelegatoBooleani::CellaBooleana(const QModelIndex& indice)
{
    const auto* modello = qobject_cast<const ModelloGriglia*>(indice.model());
    const tabelle::TField* campo = modello ? modello->Campo(indice.column()) : nullptr;
    return campo && campo->DataType() == tabelle::TFieldType::ftBoolean;
}

void DelegatoBooleani::paint(QPainter* pittore, const QStyleOptionViewItem& opzioneData, const QModelIndex& indice) const
{
    // The grid's cell-drawing event may change the option first.
    QStyleOptionViewItem opzione = opzioneData;
    if (const auto* griglia = qobject_cast<const TDBGrid*>(opzione.widget))
        griglia->PreparaCella(opzione, indice);
    if (!CellaBooleana(indice)) {
        QStyledItemDelegate::paint(pittore, opzione, indice);
        return;
    }
    // The cell without its text, then the picture centred, 2 pixels from the top.
    QStyleOptionViewItem o = opzione;
    initStyleOption(&o, indice);
    o.text.clear();
    const QWidget* widget = o.widget;
    QStyle* stile = widget ? widget->style() : QApplication::style();
    stile->drawControl(QStyle::CE_ItemViewItem, &o, pittore, widget);
    const QPixmap& immagine = indice.data(ModelloGriglia::RuoloBooleano).toBool() ? vero_ : falso_;
    const QRect& r = opzione.rect;
    if (r.width() >= immagine.width() + 2)
        pittore->drawPixmap(r.left() + r.width() / 2 - immagine.width() / 2, r.top() + 2, immagine);
}

void InvertiBooleano(tabelle::TDataSet& dati, tabelle::TField& campo)
{
    const bool valore = campo.AsBoolean();
    dati.Edit();
    campo.SetAsBoolean(!valore);
}

} // namespace gridkit
