#include "app/preferenze/tistruzioniform.h"

#include "aiuto/tastof1.h"
#include "app/preferenze/riquadri.h"
#include "gridkit/comune/centratura.h"
#include "messaggi/servizio.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tratte {

TIstruzioniForm::TIstruzioniForm(QWidget* genitore) : QDialog(genitore, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("IstruzioniForm"));
    setWindowTitle(QStringLiteral("Avviso"));
    setFixedSize(Larghezza, Altezza);
    aiuto::ImpostaGuidaFinestra(this, ContestoAiuto);

    IntestazionePanel = Intestazione(this, "IntestazionePanel", QStringLiteral("IMPORTANTE"), Bianco);
    Panel1 = PannelloBianco(this, "Panel1", QStyle::SP_MessageBoxInformation);
    Label1 = Scritta(Panel1, "Label1", TestoIstruzioni, Verde, true);
    QFont arial = Label1->font();
    arial.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    Label1->setFont(arial);
    Label2 = Scritta(Panel1, "Label2", TestoIstruzioniInvio, Rosso, true);
    ColonnaTesti(Panel1)->addWidget(Label1);
    ColonnaTesti(Panel1)->addWidget(Label2);

    OKBt = new QPushButton(QStringLiteral("OK"), this);
    OKBt->setObjectName(QStringLiteral("OKBt"));
    OKBt->setDefault(true);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(OKBt);
    pulsanti->addStretch();
    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(4, 4, 4, 4);
    colonna->setSpacing(4);
    colonna->addWidget(IntestazionePanel);
    colonna->addWidget(Panel1, 1);
    colonna->addLayout(pulsanti);

    connect(OKBt, &QPushButton::clicked, this, [this] { done(messaggi::mrOk); });
    gridkit::CentraSulloSchermo(*this);
}

void TIstruzioniForm::reject() { done(messaggi::mrCancel); }

} // namespace tratte
