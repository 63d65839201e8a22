#include "gridkit/griglia/grigliatitoli.h"

#include <QMouseEvent>
#include <QPainter>

namespace gridkit {

TTitoliGriglia::TTitoliGriglia(QWidget* genitore) : QHeaderView(Qt::Horizontal, genitore)
{
    setObjectName(QStringLiteral("Titoli"));
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setSectionsClickable(true);
    setSectionsMovable(true);
    setHighlightSections(false);
    setMouseTracking(true);
}

void TTitoliGriglia::paintSection(QPainter* pittore, const QRect& rettangolo, int sezione) const
{
    pittore->save();
    QHeaderView::paintSection(pittore, rettangolo, sezione);
    pittore->restore();
    if (DopoDisegno) {
        pittore->save();
        DopoDisegno(*pittore, rettangolo, sezione);
        pittore->restore();
    }
}

bool TTitoliGriglia::CursoreRidimensiona() const
{
    return (testAttribute(Qt::WA_SetCursor) && cursor().shape() == Qt::SplitHCursor)
           || (viewport()->testAttribute(Qt::WA_SetCursor) && viewport()->cursor().shape() == Qt::SplitHCursor);
}

void TTitoliGriglia::mouseMoveEvent(QMouseEvent* evento)
{
    QHeaderView::mouseMoveEvent(evento);
    if (MovimentoMouse)
        MovimentoMouse(evento->position().toPoint());
}

void TTitoliGriglia::mouseReleaseEvent(QMouseEvent* evento)
{
    rilascio_ = true;
    QHeaderView::mouseReleaseEvent(evento);
    rilascio_ = false;
    if (DopoRilascio)
        DopoRilascio();
}

} // namespace gridkit
