#include "gridkit/browser/navigatoreglifi.h"

#include <QPainter>
#include <QPolygon>

namespace gridkit {

namespace {

// An arrow 5 pixels wide and 9 high whose base is at x = base.
void Freccia(QPainter& p, int base, bool versoSinistra)
{
    const int lato = LatoGlifoNavigatore;
    const int punta = versoSinistra ? base - 4 : base + 4;
    p.drawPolygon(QPolygon({QPoint(base, 0), QPoint(punta, lato / 2), QPoint(base, lato - 1)}));
}

} // namespace

QPixmap GlifoNavigatore(TNavigateBtn bottone, const QColor& colore)
{
    QPixmap glifo(LatoGlifoNavigatore, LatoGlifoNavigatore);
    glifo.fill(Qt::transparent);
    QPainter p(&glifo);
    p.setPen(colore);
    p.setBrush(colore);
    const int lato = LatoGlifoNavigatore;
    switch (bottone) {
    case nbFirst:
        p.fillRect(1, 0, 2, lato, colore);
        Freccia(p, 8, true);
        break;
    case nbPrior:
        Freccia(p, 6, true);
        break;
    case nbNext:
        Freccia(p, 2, false);
        break;
    case nbLast:
        Freccia(p, 0, false);
        p.fillRect(6, 0, 2, lato, colore);
        break;
    }
    return glifo;
}

} // namespace gridkit
