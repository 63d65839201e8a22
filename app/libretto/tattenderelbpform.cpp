#include "app/libretto/tattenderelbpform.h"

#include "gridkit/comune/animazionericerca.h"
#include "messaggi/messaggi.h"

#include <QLabel>

namespace tratte {

int TAttendereLbpForm::istanze_ = 0;

TAttendereLbpForm::TAttendereLbpForm(QWidget* genitore)
    : TFinestraAttesa(QStringLiteral("AttendereLbpForm"), QStringLiteral("    Attendere... Ricerca dati in corso"), genitore)
{
    if (istanze_ > 0)
        messaggi::ShowMessage(QStringLiteral("Seconda volta"));
    ++istanze_;
    QFont grassetto = Label1->font();
    grassetto.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans Condensed"),
                           grassetto.family()});
    grassetto.setPixelSize(19);
    grassetto.setBold(true);
    Label1->setFont(grassetto);
    FormCreate();
}

TAttendereLbpForm::~TAttendereLbpForm()
{
    FormDestroy();
    --istanze_;
}

void TAttendereLbpForm::FormCreate() { Animate1->SetActive(true); }

void TAttendereLbpForm::FormDestroy() { Animate1->SetActive(false); }

} // namespace tratte
