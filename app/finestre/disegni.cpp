#include "app/finestre/disegni.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace tratte::disegni {

namespace {

// Colours of the motif.
const QColor Carta(0xf4, 0xee, 0xda);
const QColor Particelle(0xb9, 0xa4, 0x7e);
const QColor Acqua(0x9c, 0xc4, 0xe4);
const QColor Tratta(0xa3, 0x1f, 0x24);
const QColor Notte(0x17, 0x33, 0x55);
const QColor NotteChiara(0x2e, 0x5b, 0x88);
const QColor Oro(0xf2, 0xc9, 0x4c);

// Fiducial points of the map, in units of the map's area, and the
// distances that join them.
constexpr std::array<QPointF, 6> Punti{{{0.14, 0.30}, {0.43, 0.16}, {0.80, 0.27}, {0.60, 0.60}, {0.24, 0.78}, {0.87, 0.82}}};
constexpr std::array<std::pair<int, int>, 8> Tratte{{{0, 1}, {1, 2}, {0, 3}, {1, 3}, {2, 3}, {3, 4}, {3, 5}, {0, 4}}};

QPixmap TelaVuota(QSize dimensione, qreal rapportoPixel)
{
    QPixmap tela(dimensione * rapportoPixel);
    tela.setDevicePixelRatio(rapportoPixel);
    tela.fill(Qt::transparent);
    return tela;
}

QPointF Nel(const QRectF& area, QPointF unitario)
{
    return {area.left() + unitario.x() * area.width(), area.top() + unitario.y() * area.height()};
}

// A small triangle with a dot: the sign of a fiducial point.
void DisegnaPunto(QPainter& p, QPointF centro, qreal raggio)
{
    QPolygonF triangolo;
    for (int i = 0; i < 3; ++i) {
        const double angolo = -std::numbers::pi / 2 + i * 2 * std::numbers::pi / 3;
        triangolo << centro + QPointF(raggio * std::cos(angolo), raggio * std::sin(angolo));
    }
    p.setPen(QPen(Tratta, std::max(1.0, raggio / 4)));
    p.setBrush(Qt::white);
    p.drawPolygon(triangolo);
    p.setPen(Qt::NoPen);
    p.setBrush(Tratta);
    p.drawEllipse(centro, raggio / 4, raggio / 4);
}

// The map: paper, parcels of a cadastral sheet, a river, the points and
// the distances between them.
void DisegnaMappa(QPainter& p, const QRectF& area, bool conEtichette)
{
    p.save();
    p.setClipRect(area);
    p.fillRect(area, Carta);

    // Parcels: a skewed grid of field boundaries.
    p.setPen(QPen(Particelle, 1));
    constexpr int colonne = 5, righe = 4;
    auto nodo = [&](int c, int r) {
        const double sx = 0.06 * std::sin(c * 1.7 + r * 2.3);
        const double sy = 0.07 * std::cos(c * 2.1 + r * 1.3);
        return Nel(area, {(c + sx) / colonne, (r + sy) / righe});
    };
    for (int r = 0; r <= righe; ++r)
        for (int c = 0; c <= colonne; ++c) {
            if (c < colonne)
                p.drawLine(nodo(c, r), nodo(c + 1, r));
            if (r < righe)
                p.drawLine(nodo(c, r), nodo(c, r + 1));
        }

    // The river crosses the sheet.
    QPainterPath fiume(Nel(area, {-0.05, 0.52}));
    fiume.cubicTo(Nel(area, {0.30, 0.35}), Nel(area, {0.45, 0.95}), Nel(area, {1.05, 0.68}));
    p.setPen(QPen(Acqua, std::max(2.0, area.height() / 22), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(fiume);

    // The distances, then the points over them.
    const qreal raggio = std::max(3.0, std::min(area.width(), area.height()) / 18);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Tratta, std::max(1.0, raggio / 3.5), Qt::DashLine, Qt::RoundCap));
    for (auto [a, b] : Tratte)
        p.drawLine(Nel(area, Punti[a]), Nel(area, Punti[b]));
    for (const QPointF& punto : Punti)
        DisegnaPunto(p, Nel(area, punto), raggio);

    if (conEtichette) {
        QFont carattere = p.font();
        carattere.setPixelSize(std::max(7, int(area.height() / 14)));
        p.setFont(carattere);
        p.setPen(Tratta.darker(130));
        const QFontMetricsF misure(carattere);
        for (std::size_t i = 0; i < Punti.size(); ++i) {
            const QString nome = QStringLiteral("PF%1").arg(i + 1, 2, 10, QLatin1Char('0'));
            // Names of points near the right edge go on their left.
            const qreal dx = Punti[i].x() > 0.7 ? -raggio - 1 - misure.horizontalAdvance(nome) : raggio + 1;
            p.drawText(Nel(area, Punti[i]) + QPointF(dx, -raggio / 2), nome);
        }
    }
    p.restore();
}

void DisegnaTestoCentrato(QPainter& p, const QRectF& riga, const QString& testo, const QFont& carattere,
                          const QColor& colore)
{
    p.setFont(carattere);
    // A soft shadow keeps light text legible on the gradient.
    p.setPen(QColor(0, 0, 0, 110));
    p.drawText(riga.translated(1, 1), Qt::AlignCenter, testo);
    p.setPen(colore);
    p.drawText(riga, Qt::AlignCenter, testo);
}

} // namespace

QPixmap ImmagineAvvio(QSize dimensione, qreal rapportoPixel)
{
    QPixmap tela = TelaVuota(dimensione, rapportoPixel);
    QPainter p(&tela);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF tutto(QPointF(0, 0), QSizeF(dimensione));

    QLinearGradient cielo(tutto.topLeft(), tutto.bottomLeft());
    cielo.setColorAt(0, Notte);
    cielo.setColorAt(1, NotteChiara);
    p.fillRect(tutto, cielo);

    // Title band.
    const qreal h = tutto.height();
    QFont titolo(QStringLiteral("DejaVu Serif"));
    titolo.setBold(true);
    titolo.setPixelSize(int(h * 0.15));
    DisegnaTestoCentrato(p, QRectF(0, h * 0.03, tutto.width(), h * 0.18), QStringLiteral("Tratte"), titolo, Oro);
    QFont sottotitolo(QStringLiteral("DejaVu Sans"));
    sottotitolo.setPixelSize(int(h * 0.075));
    sottotitolo.setLetterSpacing(QFont::PercentageSpacing, 104);
    DisegnaTestoCentrato(p, QRectF(0, h * 0.20, tutto.width(), h * 0.10), QStringLiteral("Punti Fiduciali"),
                         sottotitolo, Qt::white);

    // The map sheet, slightly lifted from the background.
    const QRectF foglio(tutto.width() * 0.08, h * 0.34, tutto.width() * 0.84, h * 0.54);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 70));
    p.drawRect(foglio.translated(3, 3));
    DisegnaMappa(p, foglio, true);
    p.setPen(QPen(QColor(0x5a, 0x4a, 0x30), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(foglio);

    QFont piede(QStringLiteral("DejaVu Sans"));
    piede.setPixelSize(int(h * 0.05));
    p.setFont(piede);
    p.setPen(QColor(255, 255, 255, 200));
    p.drawText(QRectF(0, h * 0.90, tutto.width() * 0.92, h * 0.08), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Quintor"));
    return tela;
}

QPixmap ImmagineTitolo(QSize dimensione, qreal rapportoPixel)
{
    QPixmap tela = TelaVuota(dimensione, rapportoPixel);
    QPainter p(&tela);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QRectF tutto(QPointF(0, 0), QSizeF(dimensione));

    QLinearGradient cielo(tutto.topLeft(), tutto.topRight());
    cielo.setColorAt(0, Notte);
    cielo.setColorAt(1, NotteChiara);
    p.fillRect(tutto, cielo);

    // The map on the right, the name on the left.
    const qreal lato = tutto.height() - 8;
    const QRectF mappa(tutto.right() - lato * 1.4 - 4, 4, lato * 1.4, lato);
    DisegnaMappa(p, mappa, false);
    p.setPen(QPen(QColor(0x5a, 0x4a, 0x30), 1));
    p.drawRect(mappa);

    QFont titolo(QStringLiteral("DejaVu Serif"));
    titolo.setBold(true);
    titolo.setPixelSize(int(tutto.height() * 0.52));
    p.setFont(titolo);
    const QRectF spazio(8, 0, mappa.left() - 12, tutto.height());
    p.setPen(QColor(0, 0, 0, 110));
    p.drawText(spazio.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tratte"));
    p.setPen(Oro);
    p.drawText(spazio, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tratte"));
    return tela;
}

QPixmap IconaProgramma(int lato, qreal rapportoPixel)
{
    QPixmap tela = TelaVuota(QSize(lato, lato), rapportoPixel);
    QPainter p(&tela);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tutto(0, 0, lato, lato);
    const qreal margine = lato / 12.0;
    const QRectF foglio = tutto.adjusted(margine, margine, -margine, -margine);

    QPainterPath bordo;
    bordo.addRoundedRect(foglio, lato / 10.0, lato / 10.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawPath(bordo.translated(lato / 32.0, lato / 32.0));
    p.setClipPath(bordo);
    p.fillRect(foglio, Carta);
    p.setClipping(false);

    // Three points and their distances, larger than on the map.
    const std::array<QPointF, 3> punti{Nel(foglio, {0.22, 0.30}), Nel(foglio, {0.78, 0.24}), Nel(foglio, {0.55, 0.78})};
    p.setPen(QPen(Tratta, std::max(1.0, lato / 20.0), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(punti[0], punti[1]);
    p.drawLine(punti[1], punti[2]);
    p.drawLine(punti[2], punti[0]);
    for (const QPointF& punto : punti)
        DisegnaPunto(p, punto, lato / 8.0);

    p.setPen(QPen(QColor(0x5a, 0x4a, 0x30), std::max(1.0, lato / 40.0)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bordo);
    return tela;
}

} // namespace tratte::disegni
