#include "app/caricamento/tdelprvform.h"

#include "aiuto/tastof1.h"
#include "app/caricamento/taggform.h"
#include "app/mainform.h"
#include "gridkit/comune/centratura.h"
#include "messaggi/messaggi.h"
#include "tabelle/tabella.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace tratte {

TDelPrvForm::TDelPrvForm(TMainForm& principale) : QDialog(&principale), principale_(principale)
{
    setObjectName(QStringLiteral("DelPrvForm"));
    setWindowTitle(QStringLiteral("Elimina Provincia"));
    aiuto::ImpostaGuidaFinestra(this, 29);
    resize(336, 169);
    PrvList = new QListWidget(this);
    PrvList->setObjectName(QStringLiteral("PrvList"));
    OkBT = new QPushButton(QStringLiteral("&OK"), this);
    OkBT->setObjectName(QStringLiteral("OkBT"));
    OkBT->setDefault(true);
    AnnullaBT = new QPushButton(QStringLiteral("A&nnulla"), this);
    AnnullaBT->setObjectName(QStringLiteral("AnnullaBT"));
    AiutoBT = new QPushButton(QStringLiteral("&Aiuto"), this);
    AiutoBT->setObjectName(QStringLiteral("AiutoBT"));
    auto* pulsanti = new QVBoxLayout;
    pulsanti->addWidget(OkBT);
    pulsanti->addWidget(AnnullaBT);
    pulsanti->addWidget(AiutoBT);
    pulsanti->addStretch();
    auto* riga = new QHBoxLayout(this);
    riga->addWidget(PrvList, 1);
    riga->addLayout(pulsanti);
    connect(OkBT, &QPushButton::clicked, this, &TDelPrvForm::OkBTClick);
    connect(PrvList, &QListWidget::itemDoubleClicked, this, &TDelPrvForm::OkBTClick);
    connect(AnnullaBT, &QPushButton::clicked, this, &TDelPrvForm::AnnullaBTClick);
    connect(AiutoBT, &QPushButton::clicked, this, [this] { aiuto::GuidaFinestra(this); });
    principale_.DelPrvForm = this;
    try {
        FormCreate();
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
    }
    gridkit::CentraSulloSchermo(*this);
}

TDelPrvForm::~TDelPrvForm()
{
    if (principale_.DelPrvForm == this)
        principale_.DelPrvForm = nullptr;
}

void TDelPrvForm::FormCreate()
{
    tabelle::TTable& prv = principale_.PrvTable;
    prv.Open();
    const auto chiudi = qScopeGuard([&prv] { prv.Close(); });
    for (prv.First(); !prv.Eof(); prv.Next()) {
        PrvList->addItem(prv.Fields(1)->AsString());
        if (prv.RecNo() == prv.RecordCount())
            break;
    }
}

void TDelPrvForm::AnnullaBTClick()
{
    PrvList->clearSelection();
    PrvList->setCurrentRow(-1);
    done(messaggi::mrCancel);
}

void TDelPrvForm::OkBTClick()
{
    QListWidgetItem* scelta = PrvList->currentItem();
    if (!scelta || !scelta->isSelected()) {
        done(messaggi::mrCancel);
        return;
    }
    if (messaggi::MessageBox(this, QStringLiteral("Sei sicuro di volere eliminare la provincia ?"), QStringLiteral("Avviso"),
                             messaggi::Pulsanti::SiNo, messaggi::Icona::Domanda) != messaggi::mrYes)
        return;
    // An error leaves the cancel button disabled until a deletion completes.
    AnnullaBT->setEnabled(false);
    const QString nome = scelta->text();
    try {
        tabelle::TTable prv(nullptr, &principale_.Archivio.sessione());
        prv.DatabaseName = principale_.Archivio.CartellaDati();
        prv.TableName = QStringLiteral("Prv.db");
        prv.IndexName = QStringLiteral("Secondario");
        prv.Open();
        QString codice;
        if (prv.FindKey({nome}))
            codice = prv.FieldByName(QStringLiteral("CODEPRV"))->AsString();
        prv.Close();
        if (!codice.isEmpty() && principale_.AggForm)
            principale_.AggForm->EliminaProvincia(principale_.Archivio.CartellaDati(), codice);
        delete scelta;
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
        return;
    }
    {
        const QSignalBlocker blocco(principale_.ProvinceCB);
        const int voce = principale_.ProvinceCB->findText(nome, Qt::MatchExactly);
        if (voce >= 0)
            principale_.ProvinceCB->removeItem(voce);
        principale_.ProvinceCB->setCurrentIndex(-1);
        principale_.ProvinceCB->setEditText(QString());
    }
    principale_.ProvinceCB->repaint();
    principale_.ComuniCB->clear();
    principale_.ComuniCB->setEditText(QString());
    principale_.ComuniCB->setCurrentIndex(-1);
    principale_.Table.Close();
    principale_.StampaBt->setEnabled(principale_.Table.TDataSet::Active());
    principale_.F2->setEnabled(principale_.Table.TDataSet::Active());
    AnnullaBT->setEnabled(true);
    done(messaggi::mrOk);
}

} // namespace tratte
