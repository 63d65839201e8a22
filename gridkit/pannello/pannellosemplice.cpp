#include "gridkit/pannello/pannellosemplice.h"

#include "gridkit/pannello/pannellofigli.h"

#include <QDynamicPropertyChangeEvent>

namespace gridkit {

TCustomSimplePanel::TCustomSimplePanel(QWidget* parent)
    : QWidget(parent),
      allineatore_(std::make_unique<TAllineatoreFigli>(this, [this] { return RettangoloUtile(); }))
{
}

// The watcher goes first, while the panel and its children are whole.
TCustomSimplePanel::~TCustomSimplePanel() = default;

QColor TCustomSimplePanel::Color() const
{
    if (!parentColor_)
        return colore_;
    if (const auto* genitore = qobject_cast<const TCustomSimplePanel*>(parentWidget()))
        return genitore->Color();
    return palette().color(backgroundRole());
}

void TCustomSimplePanel::SetColor(const QColor& valore)
{
    if (!parentColor_ && valore == colore_)
        return;
    colore_ = valore;
    parentColor_ = false;
    update();
}

void TCustomSimplePanel::SetParentColor(bool valore)
{
    if (valore == parentColor_)
        return;
    if (!valore)
        colore_ = Color();
    parentColor_ = valore;
    update();
}

void TCustomSimplePanel::SetModoProgettazione(bool valore)
{
    if (valore == modoProgettazione_)
        return;
    modoProgettazione_ = valore;
    update();
}

void TCustomSimplePanel::Loaded()
{
    caricamento_ = false;
    AspettoCambiato();
}

void TCustomSimplePanel::Riallinea()
{
    allineatore_->Riallinea();
}

void TCustomSimplePanel::AspettoCambiato()
{
    Riallinea();
    update();
}

bool TCustomSimplePanel::event(QEvent* evento)
{
    if (evento->type() == QEvent::DynamicPropertyChange
        && static_cast<QDynamicPropertyChangeEvent*>(evento)->propertyName() == ProprietaAllineamento)
        AspettoCambiato();
    return QWidget::event(evento);
}

void TCustomSimplePanel::changeEvent(QEvent* evento)
{
    // A new parent or palette may mean another colour.
    if (evento->type() == QEvent::ParentChange || evento->type() == QEvent::PaletteChange)
        update();
    QWidget::changeEvent(evento);
}

void TCustomSimplePanel::resizeEvent(QResizeEvent* evento)
{
    QWidget::resizeEvent(evento);
    if (!caricamento_)
        emit OnResize();
}

void TCustomSimplePanel::moveEvent(QMoveEvent* evento)
{
    QWidget::moveEvent(evento);
    if (!caricamento_)
        emit OnResize();
}

} // namespace gridkit
