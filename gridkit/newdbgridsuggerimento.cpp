#include "gridkit/newdbgridsuggerimento.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QToolTip>

namespace gridkit {

namespace SuggerimentiApplicazione {
namespace {

// Swallows every tooltip request of the application while installed.
class Filtro : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject*, QEvent* evento) override { return evento->type() == QEvent::ToolTip; }
};

QPointer<Filtro> filtro;

} // namespace

bool Attivi() { return filtro.isNull(); }

void Imposta(bool attivi)
{
    if (attivi == Attivi() || !qApp)
        return;
    if (attivi) {
        delete filtro.data();
    } else {
        filtro = new Filtro(qApp);
        qApp->installEventFilter(filtro);
    }
}

} // namespace SuggerimentiApplicazione

SuggerimentoTitolo::SuggerimentoTitolo(QWidget& griglia)
    : QObject(&griglia)
    , griglia_(griglia)
    , finestra_(new QLabel(&griglia, Qt::ToolTip | Qt::BypassGraphicsProxyWidget))
    , timer_(new QTimer(this))
{
    finestra_->setObjectName(QStringLiteral("SuggerimentoTitolo"));
    finestra_->setTextFormat(Qt::PlainText);
    finestra_->setMargin(2);
    finestra_->setFrameStyle(QFrame::Box | QFrame::Plain);
    finestra_->setAutoFillBackground(true);
    timer_->setInterval(Intervallo);
    connect(timer_, &QTimer::timeout, this, &SuggerimentoTitolo::Scatto);
    PuntatoreSullaGriglia = [this] { return griglia_.rect().contains(griglia_.mapFromGlobal(QCursor::pos())); };
}

SuggerimentoTitolo::~SuggerimentoTitolo() { RipristinaApplicazione(); }

void SuggerimentoTitolo::SpegniApplicazione()
{
    // Saved once: moving from one title to the next must not save the
    // "off" this hint itself set.
    if (!salvato_)
        salvato_ = SuggerimentiApplicazione::Attivi();
    SuggerimentiApplicazione::Imposta(false);
}

void SuggerimentoTitolo::RipristinaApplicazione()
{
    if (salvato_)
        SuggerimentiApplicazione::Imposta(*salvato_);
    salvato_.reset();
}

void SuggerimentoTitolo::SopraTitolo(int colonna, const QString& titolo, const QRect& cella)
{
    if (colonna == colonna_)
        return;
    SpegniApplicazione();
    colonna_ = colonna;
    finestra_->setText(QStringLiteral("Ordinamento per : ") + titolo);
    contatore_ = 0;
    finestra_->hide();
    finestra_->setPalette(QToolTip::palette());
    finestra_->setFont(QToolTip::font());
    finestra_->adjustSize();
    finestra_->move(cella.left(), cella.top() + cella.height() * 3 / 2);
    finestra_->show();
    timer_->start();
}

void SuggerimentoTitolo::FuoriTitoli()
{
    colonna_ = -1;
    timer_->stop();
    finestra_->hide();
    RipristinaApplicazione();
}

void SuggerimentoTitolo::Nascondi()
{
    contatore_ = 0;
    timer_->stop();
    finestra_->hide();
    RipristinaApplicazione();
}

void SuggerimentoTitolo::Scatto()
{
    const bool sopra = PuntatoreSullaGriglia();
    if (contatore_ < Durata && sopra) {
        contatore_ += Intervallo;
        return;
    }
    if (!sopra)
        colonna_ = -1;
    Nascondi();
}

} // namespace gridkit
