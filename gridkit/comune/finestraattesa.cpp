#include "gridkit/comune/finestraattesa.h"

#include "gridkit/comune/animazionericerca.h"
#include "gridkit/comune/centratura.h"

#include <QLabel>
#include <QVBoxLayout>

namespace gridkit {

TFinestraAttesa::TFinestraAttesa(const QString& nome, const QString& testo, QWidget* genitore)
    : QFrame(genitore, Qt::Window | Qt::FramelessWindowHint), Label1(new QLabel(this)), Animate1(new TAnimazioneRicerca(this))
{
    setObjectName(nome);
    // A notice, not a place to work: showing it leaves the keyboard where
    // it was, and closing it never ends the program.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFixedSize(Larghezza, Altezza);

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setText(testo);
    Animate1->setObjectName(QStringLiteral("Animate1"));

    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(4, 6, 4, 4);
    colonna->setSpacing(2);
    colonna->addWidget(Label1);
    colonna->addWidget(Animate1, 1);
    CentraSulloSchermo(*this);
}

} // namespace gridkit
