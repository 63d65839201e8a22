#include "app/finestre/tattendereform.h"

#include "gridkit/comune/animazionericerca.h"

#include <QLabel>

namespace tratte {

TAttendereForm::TAttendereForm(QWidget* genitore)
    : TFinestraAttesa(QStringLiteral("AttendereForm"), QStringLiteral("    Attendere... Ricerca dati in corso"), genitore)
{
    // A narrow face where there is one: the line must fit the window.
    QFont grassetto = Label1->font();
    grassetto.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans Condensed"), grassetto.family()});
    grassetto.setPixelSize(19);
    grassetto.setBold(true);
    Label1->setFont(grassetto);
    FormCreate();
}

TAttendereForm::~TAttendereForm()
{
    FormDestroy();
}

void TAttendereForm::FormCreate()
{
    Animate1->SetActive(true);
}

void TAttendereForm::FormDestroy()
{
    Animate1->SetActive(false);
}

} // namespace tratte
