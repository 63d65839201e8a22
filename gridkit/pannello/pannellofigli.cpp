#include "gridkit/pannello/pannellofigli.h"

#include "gridkit/pannello/pannelloallineamento.h"

#include <QChildEvent>
#include <QDynamicPropertyChangeEvent>
#include <QTimer>
#include <QWidget>

namespace gridkit {

TAllineatoreFigli::TAllineatoreFigli(QWidget* contenitore, Area area)
    : contenitore_(contenitore), area_(std::move(area))
{
    contenitore_->installEventFilter(this);
    for (QObject* figlio : contenitore_->children())
        if (figlio->isWidgetType())
            figlio->installEventFilter(this);
}

TAllineatoreFigli::~TAllineatoreFigli()
{
    contenitore_->removeEventFilter(this);
    for (QObject* figlio : contenitore_->children())
        figlio->removeEventFilter(this);
}

void TAllineatoreFigli::Riallinea()
{
    if (inCorso_)
        return;
    inCorso_ = true;
    DisponiFigli(contenitore_, area_());
    inCorso_ = false;
}

void TAllineatoreFigli::RiallineaPiuTardi()
{
    if (richiesto_)
        return;
    richiesto_ = true;
    QTimer::singleShot(0, this, [this] {
        richiesto_ = false;
        Riallinea();
    });
}

bool TAllineatoreFigli::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == contenitore_)
        EventoContenitore(evento);
    else if (oggetto->parent() == contenitore_ && oggetto->isWidgetType())
        EventoFiglio(static_cast<QWidget*>(oggetto), evento);
    return false;
}

void TAllineatoreFigli::EventoContenitore(QEvent* evento)
{
    switch (evento->type()) {
    case QEvent::ChildAdded: {
        // The child is still being built: only watch it for now.
        QObject* figlio = static_cast<QChildEvent*>(evento)->child();
        if (figlio->isWidgetType()) {
            figlio->installEventFilter(this);
            RiallineaPiuTardi();
        }
        break;
    }
    case QEvent::ChildRemoved: {
        QObject* figlio = static_cast<QChildEvent*>(evento)->child();
        if (figlio->isWidgetType()) {
            figlio->removeEventFilter(this);
            RiallineaPiuTardi();
        }
        break;
    }
    case QEvent::Resize:
    case QEvent::Show:
        Riallinea();
        break;
    default:
        break;
    }
}

void TAllineatoreFigli::EventoFiglio(QWidget* figlio, QEvent* evento)
{
    switch (evento->type()) {
    case QEvent::DynamicPropertyChange:
        if (static_cast<QDynamicPropertyChangeEvent*>(evento)->propertyName() == ProprietaAllineamento)
            Riallinea();
        break;
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
    case QEvent::ParentChange:
        Riallinea();
        break;
    case QEvent::Resize:
    case QEvent::Move:
        // Our own moves come back here while inCorso_ is set.
        if (AllineamentoDi(figlio) != alNone)
            Riallinea();
        break;
    default:
        break;
    }
}

} // namespace gridkit
