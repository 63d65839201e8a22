#include "gridkit/griglia/newdbgridsuggerimento.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QPointer>
#include <QSet>
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
bool impostati = true;
QSet<const void*> trattenuti;

void Aggiorna()
{
    const bool attivi = impostati && trattenuti.isEmpty();
    if (attivi == filtro.isNull() || !qApp)
        return;
    if (attivi) {
        delete filtro.data();
    } else {
        filtro = new Filtro(qApp);
        qApp->installEventFilter(filtro);
    }
}

} // namespace

bool Attivi() { return filtro.isNull(); }

void Imposta(bool attivi)
{
    impostati = attivi;
    Aggiorna();
}

void Trattieni(const void* chi)
{
    trattenuti.insert(chi);
    Aggiorna();
}

void Rilascia(const void* chi)
{
    trattenuti.remove(chi);
    Aggiorna();
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

SuggerimentoTitolo::~SuggerimentoTitolo() { SuggerimentiApplicazione::Rilascia(this); }

void SuggerimentoTitolo::SopraTitolo(int colonna, const QString& titolo, const QRect& cella)
{
    if (colonna == colonna_)
        return;
    SuggerimentiApplicazione::Trattieni(this);
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
    SuggerimentiApplicazione::Rilascia(this);
}

void SuggerimentoTitolo::Nascondi()
{
    contatore_ = 0;
    timer_->stop();
    finestra_->hide();
    SuggerimentiApplicazione::Rilascia(this);
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
