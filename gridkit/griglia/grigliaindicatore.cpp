#include "gridkit/griglia/grigliaindicatore.h"

#include <QPainter>
#include <QPolygon>

namespace gridkit {

TIndicatoreGriglia::TIndicatoreGriglia(QWidget* genitore) : QHeaderView(Qt::Vertical, genitore)
{
    setObjectName(QStringLiteral("Indicatore"));
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
    setMinimumWidth(Larghezza);
    setMaximumWidth(Larghezza);
}

QSize TIndicatoreGriglia::sizeHint() const { return {Larghezza, QHeaderView::sizeHint().height()}; }

void TIndicatoreGriglia::paintSection(QPainter* pittore, const QRect& rettangolo, int sezione) const
{
    pittore->save();
    pittore->fillRect(rettangolo, palette().button());
    pittore->setPen(palette().mid().color());
    pittore->drawLine(rettangolo.bottomLeft(), rettangolo.bottomRight());
    pittore->drawLine(rettangolo.topRight(), rettangolo.bottomRight());
    const Segno segno = SegnoRiga ? SegnoRiga(sezione) : Segno::Nessuno;
    pittore->setPen(palette().buttonText().color());
    pittore->setBrush(palette().buttonText());
    const QPoint centro = rettangolo.center();
    switch (segno) {
    case Segno::Nessuno:
        break;
    case Segno::Corrente:
        pittore->drawPolygon(QPolygon({centro + QPoint(-2, -4), centro + QPoint(2, 0), centro + QPoint(-2, 4)}));
        break;
    case Segno::Modifica:
        pittore->drawText(rettangolo, Qt::AlignCenter, QStringLiteral("I"));
        break;
    case Segno::Inserimento:
        pittore->drawText(rettangolo, Qt::AlignCenter, QStringLiteral("*"));
        break;
    }
    pittore->restore();
}

} // namespace gridkit
