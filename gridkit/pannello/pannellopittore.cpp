#include "gridkit/pannello/pannellopittore.h"

#include "gridkit/pannello/pannellosfondo.h"
#include "gridkit/pannello/pannellosmusso.h"

#include <QPainter>

#include <algorithm>

namespace gridkit {

TPittorePannello::TPittorePannello(QPainter& painter, const QRect& area, const TColoriPannello& colori)
    : painter_(painter), colori_(colori), rimanente_(TRiquadro::Da(area))
{
}

void TPittorePannello::Riempi(qint64 x, qint64 y, qint64 larghezza, qint64 altezza, const QColor& colore)
{
    if (larghezza > 0 && altezza > 0)
        painter_.fillRect(QRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(larghezza),
                                static_cast<int>(altezza)),
                          colore);
}

void TPittorePannello::Cornice(TPanelSides lati, const QColor& prima, const QColor& seconda)
{
    const TRiquadro& r = rimanente_;
    // The second colour goes last: it owns the top-right and bottom-left corners.
    if (lati & psLeft)
        Riempi(r.sinistra, r.alto, 1, r.Altezza(), prima);
    if (lati & psTop)
        Riempi(r.sinistra, r.alto, r.Larghezza(), 1, prima);
    if (lati & psRight)
        Riempi(r.destra - 1, r.alto, 1, r.Altezza(), seconda);
    if (lati & psBottom)
        Riempi(r.sinistra, r.basso - 1, r.Larghezza(), 1, seconda);
    rimanente_.Riduci(lati, 1);
}

void TPittorePannello::Cornici(const TCornici& cornici, TPanelSides lati)
{
    lati &= LatiFisici;
    if (!lati)
        return;
    for (const TSerieCornici& serie : cornici) {
        const QColor& prima = colori_.Colore(serie.prima);
        const QColor& seconda = colori_.Colore(serie.seconda);
        // Once nothing is left to paint on, the remaining frames only take
        // their width: a depth of millions costs no more than the panel's size.
        qint64 disegnate = 0;
        for (; disegnate < serie.quante && !rimanente_.Vuoto(); ++disegnate)
            Cornice(lati, prima, seconda);
        rimanente_.Riduci(lati, serie.quante - disegnate);
    }
}

void TPittorePannello::Banda(TPanelSides lati, qint64 spessore)
{
    lati &= LatiFisici;
    if (!lati || spessore <= 0)
        return;
    const TRiquadro& r = rimanente_;
    const qint64 orizzontale = std::min(spessore, r.Larghezza());
    const qint64 verticale = std::min(spessore, r.Altezza());
    if (lati & psLeft)
        Riempi(r.sinistra, r.alto, orizzontale, r.Altezza(), colori_.faccia);
    if (lati & psRight)
        Riempi(r.destra - orizzontale, r.alto, orizzontale, r.Altezza(), colori_.faccia);
    if (lati & psTop)
        Riempi(r.sinistra, r.alto, r.Larghezza(), verticale, colori_.faccia);
    if (lati & psBottom)
        Riempi(r.sinistra, r.basso - verticale, r.Larghezza(), verticale, colori_.faccia);
    rimanente_.Riduci(lati, spessore);
}

void TPittorePannello::Smusso(const TPanelBevel& smusso, TPanelSides lati)
{
    Banda(lati, smusso.SpaceOuter());
    Cornici(smusso.Cornici(), lati);
    Banda(lati, smusso.SpaceInner());
}

namespace {

// Paints area outside dentro (a part of area, possibly empty) in colore.
void RiempiAttorno(QPainter& painter, const QRect& area, const QRect& dentro, const QColor& colore)
{
    if (dentro.isEmpty()) {
        painter.fillRect(area, colore);
        return;
    }
    const QRect bande[] = {
        QRect(area.left(), area.top(), area.width(), dentro.top() - area.top()),
        QRect(area.left(), dentro.bottom() + 1, area.width(), area.bottom() - dentro.bottom()),
        QRect(area.left(), dentro.top(), dentro.left() - area.left(), dentro.height()),
        QRect(dentro.right() + 1, dentro.top(), area.right() - dentro.right(), dentro.height()),
    };
    for (const QRect& banda : bande)
        if (!banda.isEmpty())
            painter.fillRect(banda, colore);
}

} // namespace

void DisegnaSfondo(QPainter& painter, const QRect& area, const TPanelWallpaper& sfondo, const QColor& colore)
{
    if (area.isEmpty())
        return;
    const QPixmap& bitmap = sfondo.Bitmap();
    if (bitmap.isNull()) {
        painter.fillRect(area, colore);
        return;
    }
    painter.save();
    painter.setClipRect(area);
    // See-through pixels of the bitmap show the colour, not what was there before.
    if (bitmap.hasAlphaChannel())
        painter.fillRect(area, colore);
    const QSize dimensione = bitmap.deviceIndependentSize().toSize();
    switch (sfondo.Style()) {
    case wpNone: {
        const QRect posto(area.topLeft(), dimensione);
        painter.drawPixmap(posto, bitmap);
        RiempiAttorno(painter, area, posto & area, colore);
        break;
    }
    case wpCenter: {
        const QRect posto(area.left() + (area.width() - dimensione.width()) / 2,
                          area.top() + (area.height() - dimensione.height()) / 2, dimensione.width(),
                          dimensione.height());
        painter.drawPixmap(posto, bitmap);
        RiempiAttorno(painter, area, posto & area, colore);
        break;
    }
    case wpStretch:
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        painter.drawPixmap(area, bitmap);
        break;
    case wpTile:
        painter.drawTiledPixmap(area, bitmap);
        break;
    default:
        painter.fillRect(area, colore);
        break;
    }
    painter.restore();
}

} // namespace gridkit
