#include "directory/rotellafuoco.h"

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>

namespace borgal {

namespace {

bool PrendeFuocoConTab(const QWidget* w, const QWidget* finestra)
{
    return w != finestra && w->window() == finestra && (w->focusPolicy() & Qt::TabFocus) && w->isEnabled()
        && w->isVisibleTo(finestra);
}

} // namespace

RotellaSpostaFuoco::RotellaSpostaFuoco(QWidget* finestra) : QObject(finestra), finestra_(finestra)
{
    qApp->installEventFilter(this);
}

RotellaSpostaFuoco::~RotellaSpostaFuoco()
{
    qApp->removeEventFilter(this);
}

bool RotellaSpostaFuoco::SpostaFuoco(bool avanti)
{
    QWidget* attuale = finestra_->focusWidget();
    if (!attuale)
        return false;
    QWidget* w = attuale;
    do {
        w = avanti ? w->nextInFocusChain() : w->previousInFocusChain();
        if (PrendeFuocoConTab(w, finestra_)) {
            w->setFocus(avanti ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (w && w != attuale);
    return true; // the focused control is the only one: it keeps the focus
}

bool RotellaSpostaFuoco::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() != QEvent::Wheel || !oggetto->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(oggetto);
    if (widget->window() != finestra_)
        return false;
    const int passo = static_cast<QWheelEvent*>(evento)->angleDelta().y();
    if (passo == 0 || !finestra_->focusWidget())
        return false;
    SpostaFuoco(passo < 0);
    evento->accept();
    return true;
}

} // namespace borgal
