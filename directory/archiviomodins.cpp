#include "directory/archiviomodins.h"

#include "aiuto/applicazione.h"
#include "aiuto/contesto.h"
#include "directory/hjgenericedit.h"
#include "directory/rotellafuoco.h"
#include "directory/sceltacomune.h"
#include "messaggi/messaggi.h"
#include "tabelle/campo.h"
#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include <QApplication>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStatusTipEvent>
#include <QVBoxLayout>

namespace borgal {

namespace {

constexpr int LarghezzaClient = 363;
constexpr int AltezzaStatusBar = 17;
constexpr int ContestoAiuto = 70; // the archive dialog's topic

} // namespace

TArchivioModIns_Form::TArchivioModIns_Form(QWidget* genitore, int altezza)
    : QDialog(genitore ? genitore : aiuto::FinestraPrincipale(),
              Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("Inserimento e Modifica Comune"));
    aiuto::ImpostaContestoAiuto(this, ContestoAiuto);
    setFixedSize(LarghezzaClient, altezza);
    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(0, 0, 0, 8);
    StatusBar = new QLabel(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setFixedHeight(AltezzaStatusBar);
    StatusBar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    colonna->addWidget(StatusBar);
    campi_ = new QGridLayout;
    campi_->setContentsMargins(12, 6, 12, 0);
    campi_->setColumnStretch(2, 1);
    colonna->addLayout(campi_);
    colonna->addStretch(1);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch(1);
    Ok_BitBtn = new QPushButton(QStringLiteral("OK"), this);
    Ok_BitBtn->setObjectName(QStringLiteral("Ok_BitBtn"));
    Ok_BitBtn->setDefault(true);
    Ok_BitBtn->setStatusTip(QStringLiteral("Conferma i dati ed esce"));
    Annulla_BitBtn = new QPushButton(QStringLiteral("Annulla"), this);
    Annulla_BitBtn->setObjectName(QStringLiteral("Annulla_BitBtn"));
    Annulla_BitBtn->setStatusTip(QStringLiteral("Annulla le modifiche ed esce"));
    Aiuto_BitBtn = new QPushButton(QStringLiteral("Aiuto"), this);
    Aiuto_BitBtn->setObjectName(QStringLiteral("Aiuto_BitBtn"));
    for (QPushButton* b : {Ok_BitBtn, Annulla_BitBtn, Aiuto_BitBtn})
        pulsanti->addWidget(b);
    pulsanti->addStretch(1);
    colonna->addLayout(pulsanti);

    connect(Ok_BitBtn, &QPushButton::clicked, this, &TArchivioModIns_Form::Ok_BitBtnClick);
    connect(Annulla_BitBtn, &QPushButton::clicked, this, &TArchivioModIns_Form::Annulla_BitBtnClick);
    connect(Aiuto_BitBtn, &QPushButton::clicked, this, &TArchivioModIns_Form::Aiuto_BitBtnClick);
    rotella_ = new RotellaSpostaFuoco(this);
}

TArchivioModIns_Form::~TArchivioModIns_Form() = default;

THJGenericEdit* TArchivioModIns_Form::NuovoEdit(const QString& nome, int lunghezza)
{
    auto* edit = new THJGenericEdit(this);
    edit->setObjectName(nome);
    edit->SetCharCase(TEditCharCase::ecUpperCase);
    edit->SetMaxLength(lunghezza);
    return edit;
}

void TArchivioModIns_Form::AggiungiRiga(const QString& etichetta, QWidget* controllo, int larghezza)
{
    const int riga = campi_->rowCount();
    auto* label = new QLabel(etichetta, this);
    label->setBuddy(controllo);
    campi_->addWidget(label, riga, 0);
    controllo->setFixedWidth(larghezza);
    campi_->addWidget(controllo, riga, 1, Qt::AlignLeft);
}

bool TArchivioModIns_Form::ModificaRecord(tabelle::TTable& tabella)
{
    tabella_ = &tabella;
    setWindowTitle(QStringLiteral("Modifica Comune"));
    modo_ = Modo::Modifica;
    if (tabella.Active() && !tabella.IsEmpty())
        tabella.First();
    LeggiRecord(tabella);
    return Mostra();
}

bool TArchivioModIns_Form::AggiungiRecord(tabelle::TTable& tabella)
{
    setWindowTitle(QStringLiteral("Aggiunta Comune"));
    tabella_ = &tabella;
    // The insert is not limited to the record the live table was made on.
    tabella.CancelRange();
    modo_ = Modo::Inserimento;
    PreparaInserimento();
    return Mostra();
}

bool TArchivioModIns_Form::Mostra()
{
    CampoNome()->setFocus();
    return messaggi::MostraModale(*this) == messaggi::mrOk;
}

void TArchivioModIns_Form::Errore(const QString& testo)
{
    QWidget* finestra = QApplication::activeWindow();
    messaggi::MessageBox(finestra ? finestra : aiuto::FinestraPrincipale(), testo, QStringLiteral("Errore"),
                         messaggi::Pulsanti::Ok, messaggi::Icona::Errore);
}

bool TArchivioModIns_Form::CodiceCatastaleDuplicato(const QString& codice) const
{
    // Deleted records (CodOp marked "D") are gone for the user: their code is free.
    tabelle::TQuery cerca(nullptr, &tabella_->sessione());
    cerca.SQL = QStringList{QStringLiteral("SELECT ID_001_TABLE"),
                            QStringLiteral("FROM \"%1\"").arg(tabella_->Percorso()),
                            QStringLiteral("WHERE (CodiceCatastale = :codice) AND (ID_001_TABLE > 1)"),
                            QStringLiteral(" AND ((Not CodOp Like 'D%') Or (CodOp is Null))")};
    cerca.ParamByName(QStringLiteral("codice")).SetAsString(codice);
    cerca.Open();
    const qint64 proprio =
        modo_ == Modo::Modifica ? tabella_->FieldByName(QStringLiteral("ID_001_TABLE"))->AsInteger() : -1;
    for (int riga = 0; riga < cerca.RecordCount(); ++riga)
        if (cerca.ValoreRiga(riga, 0).toLongLong() != proprio)
            return true;
    return false;
}

void TArchivioModIns_Form::Ok_BitBtnClick()
{
    // The field being edited finishes first.
    Ok_BitBtn->setFocus();
    if (!tabella_)
        return;
    for (const auto& [campo, messaggio] : {std::pair{CampoNome(), MessaggioNome()},
                                           std::pair{CampoCodiceFiscale(), MessaggioCodiceFiscale()}})
        if (campo->Text().isEmpty()) {
            Errore(messaggio);
            campo->setFocus();
            return;
        }
    try {
        if (CodiceCatastaleDuplicato(CampoCodiceCatastale()->Text())) {
            Errore(MessaggioDuplicato());
            return;
        }
        if (modo_ == Modo::Inserimento)
            tabella_->Append();
        else
            tabella_->Edit();
        ScriviRecord(*tabella_);
        tabella_->Post();
    } catch (const std::exception& errore) {
        // The editor stays open; nothing half-written stays pending.
        const auto stato = tabella_->State();
        if (stato == tabelle::TDataSetState::dsInsert || stato == tabelle::TDataSetState::dsEdit)
            tabella_->Cancel();
        messaggi::MostraErrore(errore);
        return;
    }
    done(messaggi::mrOk);
}

void TArchivioModIns_Form::Aiuto_BitBtnClick() { aiuto::HelpContext(ContestoAiuto); }

void TArchivioModIns_Form::Annulla_BitBtnClick() { done(messaggi::mrCancel); }

void TArchivioModIns_Form::done(int risultato)
{
    QDialog::done(risultato);
    tabella_ = nullptr;
}

bool TArchivioModIns_Form::event(QEvent* evento)
{
    if (evento->type() == QEvent::StatusTip) {
        StatusBar->setText(ParteLungaSuggerimento(static_cast<QStatusTipEvent*>(evento)->tip()));
        return true;
    }
    return QDialog::event(evento);
}

void TArchivioModIns_Form::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    // Centred on the desktop.
    if (const QScreen* schermo = QGuiApplication::primaryScreen()) {
        QRect cornice = frameGeometry();
        cornice.moveCenter(schermo->availableGeometry().center());
        move(cornice.topLeft());
    }
}

} // namespace borgal
