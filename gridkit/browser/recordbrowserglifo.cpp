#include "gridkit/browser/recordbrowserglifo.h"

#include <QPainter>

namespace gridkit {

QPixmap GlifoInserimento(const QColor& colore)
{
    QPixmap glifo(DimensioneGlifoInserimento);
    glifo.fill(Qt::transparent);
    QPainter p(&glifo);
    // The record: an outlined row with its first cell marked.
    p.setPen(colore);
    p.drawRect(0, 1, 9, 6);
    p.drawLine(3, 1, 3, 7);
    // The plus sign.
    p.fillRect(13, 1, 1, 7, colore);
    p.fillRect(10, 4, 7, 1, colore);
    return glifo;
}

} // namespace gridkit
