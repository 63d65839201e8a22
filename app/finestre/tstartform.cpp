#include "app/finestre/tstartform.h"

#include "gridkit/comune/centratura.h"
#include "app/finestre/disegni.h"
#include "messaggi/servizio.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <QWindow>

namespace tratte {

QPointer<TStartForm> TStartForm::Mostra(QWidget* genitore)
{
    QPointer<TStartForm> splash = new TStartForm(genitore);
    splash->show();
    splash->raise();
    splash->activateWindow();
    QCoreApplication::processEvents();
    return splash;
}

TStartForm::TStartForm(QWidget* genitore)
    : QWidget(genitore, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , Panel1(new QFrame(this))
    , Image1(new QLabel(Panel1))
{
    setObjectName(QStringLiteral("StartForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The splash may close before the main window is shown: that must
    // never count as the program's last window closing.
    setAttribute(Qt::WA_QuitOnClose, false);
    // It closes itself when it loses the activation: no box goes over it.
    setProperty(messaggi::ProprietaFinestraTransitoria, true);
    setFixedSize(Larghezza, Altezza);

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    auto* riempi = new QVBoxLayout(this);
    riempi->setContentsMargins(0, 0, 0, 0);
    riempi->addWidget(Panel1);

    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setScaledContents(true);
    // The panel's own bevel is its only margin.
    auto* dentro = new QVBoxLayout(Panel1);
    dentro->setContentsMargins(0, 0, 0, 0);
    dentro->addWidget(Image1);
    const int bordo = 2 * Panel1->frameWidth();
    Image1->setPixmap(disegni::ImmagineAvvio(QSize(Larghezza - bordo, Altezza - bordo), devicePixelRatioF()));

    gridkit::CentraSulloSchermo(*this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &TStartForm::FinestraAttivaCambiata);
}

bool TStartForm::event(QEvent* evento)
{
    if (evento->type() == QEvent::WindowDeactivate)
        FormDeactivate();
    return QWidget::event(evento);
}

void TStartForm::mouseReleaseEvent(QMouseEvent* evento)
{
    // The picture and the panel leave clicks to the window.
    if (evento->button() == Qt::LeftButton)
        FormClick();
}

void TStartForm::FormClick()
{
    close();
}

void TStartForm::FormDeactivate()
{
    close();
}

void TStartForm::FinestraAttivaCambiata(QWindow* attiva)
{
    if (attiva && attiva != windowHandle() && isVisible())
        close();
}

} // namespace tratte
