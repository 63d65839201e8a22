#include "app/caricamento/tcancprovform.h"

#include "gridkit/comune/animazionericerca.h"
#include "gridkit/comune/centratura.h"

#include <QLabel>
#include <QLayout>

namespace tratte {

TCancProvForm::TCancProvForm(QWidget* genitore)
    : TFinestraAttesa(QStringLiteral("CancProvForm"), QStringLiteral("La procedura può durare diversi minuti !!!"), genitore),
      Label2(new QLabel(QStringLiteral("Cancellazione dati in corso..."), this))
{
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setFixedSize(349, 136);
    QFont grassetto = Label1->font();
    grassetto.setBold(true);
    Label1->setFont(grassetto);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0);"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->hide();
    layout()->addWidget(Label2);
    gridkit::CentraSulloSchermo(*this);
    Animate1->SetActive(true);
}

TCancProvForm::~TCancProvForm() { Animate1->SetActive(false); }

} // namespace tratte
