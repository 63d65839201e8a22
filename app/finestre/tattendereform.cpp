#include "app/finestre/tattendereform.h"

#include "gridkit/centratura.h"
#include "gridkit/animazionericerca.h"

#include <QLabel>
#include <QVBoxLayout>

namespace tratte {

TAttendereForm::TAttendereForm(QWidget* genitore)
    : QFrame(genitore, Qt::Window | Qt::FramelessWindowHint)
    , Label1(new QLabel(this))
    , Animate1(new gridkit::TAnimazioneRicerca(this))
{
    setObjectName(QStringLiteral("AttendereForm"));
    // A notice, not a place to work: showing it leaves the keyboard where
    // it was, and closing it never ends the program.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFixedSize(Larghezza, Altezza);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setText(QStringLiteral("    Attendere... Ricerca dati in corso"));
    // A narrow face where there is one: the line must fit the window.
    QFont grassetto = Label1->font();
    grassetto.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans Condensed"), grassetto.family()});
    grassetto.setPixelSize(19);
    grassetto.setBold(true);
    Label1->setFont(grassetto);

    Animate1->setObjectName(QStringLiteral("Animate1"));

    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(4, 6, 4, 4);
    colonna->setSpacing(2);
    colonna->addWidget(Label1);
    colonna->addWidget(Animate1, 1);

    gridkit::CentraSulloSchermo(*this);
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
