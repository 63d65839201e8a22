#include "gridkit/griglia/newdbgridattesa.h"

#include "gridkit/comune/animazionericerca.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QLabel>

namespace gridkit {

TAttendereFormPerGetList::TAttendereFormPerGetList(QWidget* genitore)
    : TFinestraAttesa(QStringLiteral("AttendereFormPerGetList"), QStringLiteral("Attendere...ordinamento dati in corso"), genitore)
{
    Label1->setAlignment(Qt::AlignCenter);
    QFont grassetto = Label1->font();
    grassetto.setBold(true);
    Label1->setFont(grassetto);
    QPalette tavolozza = Label1->palette();
    tavolozza.setColor(QPalette::WindowText, Qt::blue);
    Label1->setPalette(tavolozza);
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
