#include "gridkit/griglia/newdbgridimmagini.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace gridkit {
namespace {

QImage Vuota(int larghezza, int altezza)
{
    QImage immagine(larghezza, altezza, QImage::Format_ARGB32_Premultiplied);
    immagine.fill(Qt::transparent);
    return immagine;
}

// A raised triangle: dark face, light edge on the lit side.
QImage Freccia(bool suGiu)
{
    QImage immagine = Vuota(LarghezzaFreccia, AltezzaFreccia);
    QPainter p(&immagine);
    p.setRenderHint(QPainter::Antialiasing);
    const double sinistra = 4.5, destra = 12.5, alto = 3.5, basso = 10.5;
    QPolygonF triangolo;
    if (suGiu)
        triangolo << QPointF((sinistra + destra) / 2, alto) << QPointF(destra, basso) << QPointF(sinistra, basso);
    else
        triangolo << QPointF(sinistra, alto) << QPointF(destra, alto) << QPointF((sinistra + destra) / 2, basso);
    p.setPen(QPen(QColor(64, 64, 64), 1));
    p.setBrush(QColor(128, 128, 128));
    p.drawPolygon(triangolo);
    p.setPen(QPen(Qt::white, 1));
    if (suGiu)
        p.drawLine(triangolo[1], triangolo[2]);
    else
        p.drawLine(triangolo[0], triangolo[1]);
    return immagine;
}

QImage Casella(bool spuntata)
{
    QImage immagine = Vuota(LatoCasella, LatoCasella);
    QPainter p(&immagine);
    p.fillRect(1, 1, LatoCasella - 2, LatoCasella - 2, Qt::white);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, 0, LatoCasella - 1, 0);
    p.drawLine(0, 0, 0, LatoCasella - 1);
    p.setPen(QColor(64, 64, 64));
    p.drawLine(1, 1, LatoCasella - 2, 1);
    p.drawLine(1, 1, 1, LatoCasella - 2);
    p.setPen(QColor(212, 208, 200));
    p.drawLine(0, LatoCasella - 1, LatoCasella - 1, LatoCasella - 1);
    p.drawLine(LatoCasella - 1, 0, LatoCasella - 1, LatoCasella - 1);
    if (spuntata) {
        // The tick: three pixels thick, from the left edge down and up to the right.
        p.setPen(Qt::black);
        for (int s = 0; s < 3; ++s) {
            p.drawLine(3, 4 + s, 4, 5 + s);
            p.drawLine(4, 5 + s, 7, 2 + s);
        }
    }
    return immagine;
}

} // namespace

QImage ImmagineGriglia(const QString& nome)
{
    if (nome == QLatin1String("Up"))
        return Freccia(true);
    if (nome == QLatin1String("Down"))
        return Freccia(false);
    if (nome == QLatin1String("Vero"))
        return Casella(true);
    if (nome == QLatin1String("Falso"))
        return Casella(false);
    return QImage();
}

} // namespace gridkit
