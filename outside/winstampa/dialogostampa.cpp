#include "dialogostampa.h"

#include "servizio.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zrwinstampa {

TDialogoStampa::TDialogoStampa(QPrintDialog* impostazione, QWidget* genitore) : QDialog(genitore), impostazione_(impostazione)
{
    setObjectName(QStringLiteral("DialogoStampa"));
    setWindowTitle(QStringLiteral("Stampa"));
    auto* colonna = new QVBoxLayout(this);

    auto* uscita = new QGroupBox(QStringLiteral("Destinazione"), this);
    auto* righeUscita = new QVBoxLayout(uscita);
    StampanteRB = new QRadioButton(QStringLiteral("&Stampante"), uscita);
    StampanteRB->setObjectName(QStringLiteral("StampanteRB"));
    AnteprimaRB = new QRadioButton(QStringLiteral("&Anteprima a video"), uscita);
    AnteprimaRB->setObjectName(QStringLiteral("AnteprimaRB"));
    auto* rigaStampante = new QHBoxLayout();
    StampanteLbl = new QLabel(uscita);
    StampanteLbl->setObjectName(QStringLiteral("StampanteLbl"));
    ImpostaBt = new QPushButton(QStringLiteral("&Imposta stampante..."), uscita);
    ImpostaBt->setObjectName(QStringLiteral("ImpostaBt"));
    ImpostaBt->setEnabled(impostazione_ != nullptr);
    rigaStampante->addWidget(StampanteLbl, 1);
    rigaStampante->addWidget(ImpostaBt);
    righeUscita->addWidget(StampanteRB);
    righeUscita->addLayout(rigaStampante);
    righeUscita->addWidget(AnteprimaRB);
    colonna->addWidget(uscita);

    auto* pagine = new QGroupBox(QStringLiteral("Pagine"), this);
    auto* righePagine = new QFormLayout(pagine);
    TutteRB = new QRadioButton(QStringLiteral("&Tutte"), pagine);
    TutteRB->setObjectName(QStringLiteral("TutteRB"));
    IntervalloRB = new QRadioButton(QStringLiteral("&Da pagina"), pagine);
    IntervalloRB->setObjectName(QStringLiteral("IntervalloRB"));
    auto* gruppoPagine = new QButtonGroup(this);
    gruppoPagine->addButton(TutteRB);
    gruppoPagine->addButton(IntervalloRB);
    DaSE = new QSpinBox(pagine);
    DaSE->setObjectName(QStringLiteral("DaSE"));
    ASE = new QSpinBox(pagine);
    ASE->setObjectName(QStringLiteral("ASE"));
    for (QSpinBox* s : {DaSE, ASE})
        s->setRange(0, 65535);
    auto* intervallo = new QHBoxLayout();
    intervallo->addWidget(IntervalloRB);
    intervallo->addWidget(DaSE);
    intervallo->addWidget(new QLabel(QStringLiteral("a"), pagine));
    intervallo->addWidget(ASE);
    righePagine->addRow(TutteRB);
    righePagine->addRow(intervallo);
    CopieSE = new QSpinBox(pagine);
    CopieSE->setObjectName(QStringLiteral("CopieSE"));
    CopieSE->setRange(1, 65535);
    righePagine->addRow(QStringLiteral("&Copie"), CopieSE);
    colonna->addWidget(pagine);

    auto* pulsanti = new QDialogButtonBox(this);
    OKBt = pulsanti->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    OKBt->setObjectName(QStringLiteral("OKBt"));
    AnnullaBt = pulsanti->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    AnnullaBt->setObjectName(QStringLiteral("AnnullaBt"));
    colonna->addWidget(pulsanti);

    connect(pulsanti, &QDialogButtonBox::accepted, this, [this] { done(1); });
    connect(pulsanti, &QDialogButtonBox::rejected, this, [this] { done(2); });
    connect(ImpostaBt, &QPushButton::clicked, this, &TDialogoStampa::ImpostaBtClick);
    for (QRadioButton* r : {StampanteRB, AnteprimaRB, TutteRB, IntervalloRB})
        connect(r, &QRadioButton::toggled, this, &TDialogoStampa::Aggiorna);
    MostraStampante();
}

void TDialogoStampa::MostraStampante()
{
    const QPrinter* p = impostazione_ ? impostazione_->printer() : nullptr;
    QString nome = p ? p->printerName() : QString();
    if (p && p->outputFormat() == QPrinter::PdfFormat)
        nome = QStringLiteral("PDF: %1").arg(p->outputFileName());
    StampanteLbl->setText(nome.isEmpty() ? QStringLiteral("(stampante predefinita)") : nome);
}

void TDialogoStampa::ImpostaBtClick()
{
    if (!impostazione_)
        return;
    MostraModale(*impostazione_);
    MostraStampante();
}

void TDialogoStampa::Aggiorna()
{
    ImpostaBt->setEnabled(impostazione_ != nullptr && StampanteRB->isChecked());
    CopieSE->setEnabled(StampanteRB->isChecked());
    DaSE->setEnabled(IntervalloRB->isChecked());
    ASE->setEnabled(IntervalloRB->isChecked());
}

} // namespace zrwinstampa
