#include "gridkit/pannello/pannelloavanzato.h"

#include "gridkit/pannello/pannellopittore.h"
#include "gridkit/pannello/pannelloriquadro.h"

#include <QPainter>

#include <algorithm>

namespace gridkit {

namespace {

// Contents margins are capped at the largest widget size, so that Qt's
// own rectangle arithmetic cannot overflow.
constexpr qint64 MargineMassimo = QWIDGETSIZE_MAX;

} // namespace

TCustomAdvancedPanel::TCustomAdvancedPanel(QWidget* parent)
    : TCustomSimplePanel(parent),
      border_(new TPanelBorder(this)),
      bevelOuter_(new TPanelBevel(this)),
      bevelInner_(new TPanelBevel(this)),
      wallpaper_(new TPanelWallpaper(this))
{
    // Every pixel is painted: border, bevels and wallpaper cover the panel.
    setAttribute(Qt::WA_OpaquePaintEvent);
    bevelOuter_->SetStyle(bvRaised);
    connect(border_, &TPanelBorder::Cambiato, this, &TCustomAdvancedPanel::AspettoCambiato);
    connect(bevelOuter_, &TPanelBevel::Cambiato, this, &TCustomAdvancedPanel::AspettoCambiato);
    connect(bevelInner_, &TPanelBevel::Cambiato, this, &TCustomAdvancedPanel::AspettoCambiato);
    connect(wallpaper_, &TPanelWallpaper::Cambiato, this, &TCustomAdvancedPanel::AspettoCambiato);
    resize(145, 145);
    AspettoCambiato();
}

TCustomAdvancedPanel::~TCustomAdvancedPanel() = default;

QRect TCustomAdvancedPanel::RettangoloUtile() const
{
    const TAlign allineamento = Align();
    TRiquadro area = TRiquadro::Da(rect());
    area.Riduci(RisolviLati(border_->Sides(), allineamento), border_->Larghezza());
    area.Riduci(RisolviLati(bevelOuter_->Sides(), allineamento), bevelOuter_->Larghezza());
    area.Riduci(RisolviLati(bevelInner_->Sides(), allineamento), bevelInner_->Larghezza());
    return area.Rettangolo();
}

QMargins TCustomAdvancedPanel::Margini() const
{
    const TAlign allineamento = Align();
    qint64 sinistro = 0, alto = 0, destro = 0, basso = 0;
    auto aggiungi = [&](TPanelSides lati, qint64 larghezza) {
        lati = RisolviLati(lati, allineamento);
        if (lati & psLeft)
            sinistro += larghezza;
        if (lati & psTop)
            alto += larghezza;
        if (lati & psRight)
            destro += larghezza;
        if (lati & psBottom)
            basso += larghezza;
    };
    aggiungi(border_->Sides(), border_->Larghezza());
    aggiungi(bevelOuter_->Sides(), bevelOuter_->Larghezza());
    aggiungi(bevelInner_->Sides(), bevelInner_->Larghezza());
    auto limita = [](qint64 v) { return static_cast<int>(std::min(v, MargineMassimo)); };
    return QMargins(limita(sinistro), limita(alto), limita(destro), limita(basso));
}

void TCustomAdvancedPanel::AspettoCambiato()
{
    setContentsMargins(Margini());
    TCustomSimplePanel::AspettoCambiato();
}

void TCustomAdvancedPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const TColoriPannello colori = Colori();
    const TAlign allineamento = Align();
    TPittorePannello pittore(painter, rect(), colori);
    pittore.Cornici(border_->Cornici(), RisolviLati(border_->Sides(), allineamento));
    pittore.Smusso(*bevelOuter_, RisolviLati(bevelOuter_->Sides(), allineamento));
    pittore.Smusso(*bevelInner_, RisolviLati(bevelInner_->Sides(), allineamento));
    DisegnaSfondo(painter, pittore.Rimanente(), *wallpaper_, Color());

    // A panel that draws no edge still shows its extent in a form designer.
    if (ModoProgettazione() && border_->Style() == bsNone && bevelOuter_->Style() == bvNone
        && bevelInner_->Style() == bvNone) {
        painter.setPen(QPen(colori.ombra, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

TAdvancedPanel::TAdvancedPanel(QWidget* parent) : TCustomAdvancedPanel(parent) {}

TAdvancedPanel::~TAdvancedPanel() = default;

} // namespace gridkit
