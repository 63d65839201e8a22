#include "gridkit/comune/animazionericerca.h"


#include <QPainter>
#include <QPainterPath>
#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>
#include <numbers>
#include <QTimer>

namespace gridkit {

TAnimazioneRicerca::TAnimazioneRicerca(QWidget* genitore)
    : QWidget(genitore)
    , timer_(new QTimer(this))
{
    timer_->setInterval(Intervallo);
    connect(timer_, &QTimer::timeout, this, &TAnimazioneRicerca::Avanza);
}

TAnimazioneRicerca::~TAnimazioneRicerca()
{
    SetActive(false);
}

void TAnimazioneRicerca::SetActive(bool attiva)
{
    if (attiva)
        timer_->start();
    else
        timer_->stop();
}

bool TAnimazioneRicerca::Active() const
{
    return timer_->isActive();
}

QSize TAnimazioneRicerca::sizeHint() const
{
    return {272, 56};
}

void TAnimazioneRicerca::paintEvent(QPaintEvent*)
{
    QPainter pittore(this);
    DisegnaRicerca(pittore, QRectF(rect()), fotogramma_);
}

void TAnimazioneRicerca::Avanza()
{
    fotogramma_ = (fotogramma_ + 1) % FotogrammiRicerca;
    update();
}

void DisegnaRicerca(QPainter& p, const QRectF& area, int fotogramma)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double fase = 2 * std::numbers::pi * (fotogramma % FotogrammiRicerca) / FotogrammiRicerca;
    const qreal h = area.height();
    const QPointF centro = area.center();

    // The folder: back, the sheets inside, then the front flap.
    const qreal larghezza = h * 1.25, altezza = h * 0.78;
    const QRectF cartella(centro.x() - larghezza / 2, centro.y() - altezza / 2 + h * 0.06, larghezza, altezza);
    const QColor giallo(0xf0, 0xc0, 0x4a), gialloScuro(0xc8, 0x94, 0x26);
    QPainterPath retro;
    retro.moveTo(cartella.bottomLeft());
    retro.lineTo(cartella.left(), cartella.top());
    retro.lineTo(cartella.left() + larghezza * 0.36, cartella.top());
    retro.lineTo(cartella.left() + larghezza * 0.44, cartella.top() + altezza * 0.12);
    retro.lineTo(cartella.right(), cartella.top() + altezza * 0.12);
    retro.lineTo(cartella.bottomRight());
    retro.closeSubpath();
    p.setPen(QPen(gialloScuro.darker(120), 1));
    p.setBrush(gialloScuro);
    p.drawPath(retro);

    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
    for (int i = 0; i < 3; ++i) {
        const qreal dx = larghezza * (0.12 + 0.22 * i);
        p.drawRect(QRectF(cartella.left() + dx, cartella.top() + altezza * (0.20 - 0.03 * i), larghezza * 0.40,
                          altezza * 0.6));
    }

    QPainterPath fronte;
    fronte.moveTo(cartella.left() - larghezza * 0.04, cartella.top() + altezza * 0.36);
    fronte.lineTo(cartella.right() + larghezza * 0.04, cartella.top() + altezza * 0.36);
    fronte.lineTo(cartella.bottomRight());
    fronte.lineTo(cartella.bottomLeft());
    fronte.closeSubpath();
    QLinearGradient luce(cartella.topLeft(), cartella.bottomLeft());
    luce.setColorAt(0, giallo.lighter(115));
    luce.setColorAt(1, giallo);
    p.setBrush(luce);
    p.setPen(QPen(gialloScuro.darker(110), 1));
    p.drawPath(fronte);

    // The magnifier sweeps over the folder along a flat figure of eight.
    const qreal raggio = h * 0.22;
    const QPointF lente = centro + QPointF(std::sin(fase) * larghezza * 0.62, std::sin(2 * fase) * h * 0.14 - h * 0.04);
    const QPointF verso(std::cos(std::numbers::pi / 4), std::sin(std::numbers::pi / 4));
    p.setPen(QPen(QColor(0x4a, 0x32, 0x1e), raggio * 0.42, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(lente + verso * raggio * 1.05, lente + verso * raggio * 2.1);
    QRadialGradient vetro(lente - QPointF(raggio, raggio) * 0.35, raggio * 1.3);
    vetro.setColorAt(0, QColor(255, 255, 255, 210));
    vetro.setColorAt(1, QColor(0x9c, 0xc4, 0xe4, 120));
    p.setBrush(vetro);
    p.setPen(QPen(QColor(0x50, 0x50, 0x58), raggio * 0.22));
    p.drawEllipse(lente, raggio, raggio);
    p.restore();
}

} // namespace gridkit
