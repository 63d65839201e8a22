#include "app/preferenze/tavvisoform.h"

#include "aiuto/tastof1.h"
#include "app/configurazione.h"
#include "app/preferenze/riquadri.h"
#include "gridkit/comune/centratura.h"
#include "messaggi/messaggi.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tratte {

TAvvisoForm::TAvvisoForm(QWidget* genitore) : QDialog(genitore, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("AvvisoForm"));
    setWindowTitle(QStringLiteral("Informazione"));
    setFixedSize(Larghezza, Altezza);
    // F1, as its text says: the main window's topic, which leads to the
    // pages that show the operations step by step.
    aiuto::InstallaTastoF1(this);

    IntestazionePanel = Intestazione(this, "IntestazionePanel", QStringLiteral("SUGGERIMENTI"), Rosso);
    Panel1 = PannelloBianco(this, "Panel1", QStyle::SP_MessageBoxInformation);
    Label1 = Scritta(Panel1, "Label1", TestoAvvisoPreferenze, Verde, true);
    ColonnaTesti(Panel1)->addWidget(Label1);
    Panel2 = PannelloBianco(this, "Panel2", QStyle::SP_DialogHelpButton);
    Label2 = Scritta(Panel2, "Label2", TestoAvvisoAnimazioni, Verde, true);
    ColonnaTesti(Panel2)->addWidget(Label2);
    // The texts are long: a smaller size keeps their lines whole.
    for (QLabel* l : {Label1, Label2}) {
        QFont f = l->font();
        f.setPointSizeF(f.pointSizeF() * 0.85);
        l->setFont(f);
    }

    VisualizzaCB = new QCheckBox(QStringLiteral("Non ripetere questo messaggio in futuro"), this);
    VisualizzaCB->setObjectName(QStringLiteral("VisualizzaCB"));
    QFont grassetto = VisualizzaCB->font();
    grassetto.setBold(true);
    VisualizzaCB->setFont(grassetto);
    QPalette rosso = VisualizzaCB->palette();
    rosso.setColor(QPalette::WindowText, Rosso);
    VisualizzaCB->setPalette(rosso);
    OKBt = new QPushButton(QStringLiteral("OK"), this);
    OKBt->setObjectName(QStringLiteral("OKBt"));
    OKBt->setDefault(true);

    auto* sotto = new QHBoxLayout;
    sotto->addWidget(VisualizzaCB, 1);
    sotto->addWidget(OKBt);
    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(4, 4, 4, 4);
    colonna->setSpacing(4);
    colonna->addWidget(IntestazionePanel);
    colonna->addWidget(Panel1);
    colonna->addWidget(Panel2);
    colonna->addLayout(sotto);

    connect(VisualizzaCB, &QCheckBox::clicked, this, &TAvvisoForm::VisualizzaCBClick);
    connect(OKBt, &QPushButton::clicked, this, [this] { done(messaggi::mrOk); });
    gridkit::CentraSulloSchermo(*this);
}

void TAvvisoForm::VisualizzaCBClick()
{
    try {
        ScriviVisualizzaFinestra(!VisualizzaCB->isChecked());
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
    }
}

void TAvvisoForm::reject() { done(messaggi::mrCancel); }

} // namespace tratte
