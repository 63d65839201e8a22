#include "gridkit/griglia/newdbgridchiusura.h"

#include "messaggi/messaggi.h"

#include <QEvent>
#include <QWidget>

namespace gridkit {

GancioChiusura::GancioChiusura(QWidget& finestra, std::function<void()> azione, QObject* proprietario)
    : QObject(proprietario), finestra_(&finestra), azione_(std::move(azione))
{
    finestra.installEventFilter(this);
}

GancioChiusura::~GancioChiusura()
{
    if (finestra_)
        finestra_->removeEventFilter(this);
}

bool GancioChiusura::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == finestra_ && evento->type() == QEvent::Close && azione_) {
        // No exception may cross the event loop: the window still closes.
        try {
            azione_();
        } catch (const std::exception& e) {
            messaggi::MostraErrore(e);
        }
    }
    return false;
}

} // namespace gridkit
