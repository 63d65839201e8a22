#include "gridkit/newdbgridattesa.h"

#include "gridkit/centratura.h"
#include "gridkit/animazionericerca.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>
#include <QVBoxLayout>

namespace gridkit {

TAttendereFormPerGetList::TAttendereFormPerGetList(QWidget* genitore)
    : QFrame(genitore, Qt::Window | Qt::FramelessWindowHint)
    , Label1(new QLabel(this))
    , Animate1(new gridkit::TAnimazioneRicerca(this))
{
    setObjectName(QStringLiteral("AttendereFormPerGetList"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFixedSize(Larghezza, Altezza);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setText(QStringLiteral("Attendere...ordinamento dati in corso"));
    QFont grassetto = Label1->font();
    grassetto.setBold(true);
    Label1->setFont(grassetto);
    QPalette tavolozza = Label1->palette();
    tavolozza.setColor(QPalette::WindowText, Qt::blue);
    Label1->setPalette(tavolozza);

    Animate1->setObjectName(QStringLiteral("Animate1"));

    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(4, 6, 4, 4);
    colonna->setSpacing(2);
    colonna->addWidget(Label1);
    colonna->addWidget(Animate1, 1);
    gridkit::CentraSulloSchermo(*this);
}

TAttendereFormPerGetList::~TAttendereFormPerGetList() { Animate1->SetActive(false); }

void TAttendereFormPerGetList::showEvent(QShowEvent* evento)
{
    QFrame::showEvent(evento);
    Animate1->SetActive(true);
}

void TAttendereFormPerGetList::hideEvent(QHideEvent* evento)
{
    Animate1->SetActive(false);
    QFrame::hideEvent(evento);
}

AttesaOrdinamento::AttesaOrdinamento(QWidget* genitore) : finestra_(new TAttendereFormPerGetList(genitore))
{
    finestra_->show();
    // Painting only: a click queued now must not start a second sort
    // inside this one.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

AttesaOrdinamento::~AttesaOrdinamento() { delete finestra_.data(); }

} // namespace gridkit
