#include "app/finestre/attesaincorso.h"

#include "app/finestre/tattendereform.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace tratte {

AttesaInCorso::AttesaInCorso(QWidget* genitore)
    : finestra_(new TAttendereForm(genitore))
{
    finestra_->show();
    // Painting and other pending work only: a click or a key queued now
    // must not start a second operation inside the one that is waiting.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

AttesaInCorso::~AttesaInCorso()
{
    delete finestra_.data();
}

} // namespace tratte
