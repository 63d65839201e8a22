#include "app/finestre/tanimazionericerca.h"

#include "app/finestre/disegni.h"

#include <QPainter>
#include <QTimer>

namespace tratte {

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
    disegni::DisegnaRicerca(pittore, QRectF(rect()), fotogramma_);
}

void TAnimazioneRicerca::Avanza()
{
    fotogramma_ = (fotogramma_ + 1) % disegni::FotogrammiRicerca;
    update();
}

} // namespace tratte
