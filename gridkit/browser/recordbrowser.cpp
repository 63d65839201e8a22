#include "gridkit/browser/recordbrowser.h"

#include "gridkit/browser/navigatore.h"
#include "gridkit/browser/recordbrowserglifo.h"
#include "gridkit/browser/recordbrowserlink.h"
#include "gridkit/browser/recordbrowsersalto.h"
#include "gridkit/browser/recordbrowsertasti.h"
#include "messaggi/messaggi.h"
#include "tabelle/dataset.h"

#include <QEvent>
#include <QFocusEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>

#include <algorithm>

namespace gridkit {

namespace {

const QString TestoCaption = QStringLiteral("Record:  ");
const QString PrefissoTotale = QStringLiteral(" di ");
constexpr int LarghezzaNavigatore = 48;
constexpr int LarghezzaInserimento = 24;
constexpr int LarghezzaIniziale = 249;

bool InModifica(const tabelle::TDataSet& d)
{
    return d.State() == tabelle::TDataSetState::dsEdit || d.State() == tabelle::TDataSetState::dsInsert;
}

} // namespace

TRecordBrowser::TRecordBrowser(QWidget* owner) : QWidget(owner)
{
    // Building: nothing is laid out until every child is there.
    link_ = std::make_unique<TRBDataLink>(*this);
    editWidth_ = 50;
    editHeight_ = 18;
    offsetControl_ = 0;
    CreaFigli();
    setFixedHeight(AltezzaFissa());
    resize(LarghezzaIniziale, AltezzaFissa());
    costruzione_ = false;

    SetVisInsertButton(true);
    Disponi();
    IndietroNav->SetVisibleButtons({nbFirst, nbPrior});
    IndietroNav->SetHints({QStringLiteral("Primo record"), QStringLiteral("Record precedente")});
    IndietroNav->SetShowHint(true);
    AvantiNav->SetVisibleButtons({nbNext, nbLast});
    AvantiNav->SetHints({QString(), QString(), QStringLiteral("Record successivo"), QStringLiteral("Ultimo record")});
    AvantiNav->SetShowHint(true);
    NumeroEdit->installEventFilter(this);
    connect(InserisciBt, &QToolButton::clicked, this, &TRecordBrowser::InserisciBtClick);
}

TRecordBrowser::~TRecordBrowser()
{
    // Handlers and data link go before the children.
    distruzione_ = true;
    NumeroEdit->removeEventFilter(this);
    disconnect(InserisciBt, nullptr, this, nullptr);
    link_.reset();
}

void TRecordBrowser::CreaFigli()
{
    Label = new QLabel(TestoCaption, this);
    Label->setObjectName(QStringLiteral("Label"));

    IndietroNav = new TDBNavigator(this);
    IndietroNav->setObjectName(QStringLiteral("IndietroNav"));
    IndietroNav->resize(LarghezzaNavigatore, editHeight_);

    NumeroEdit = new QLineEdit(this);
    NumeroEdit->setObjectName(QStringLiteral("NumeroEdit"));
    // Pasted or dropped text must be a number as well; typed characters
    // are sorted out by NumeroEditKeyPress.
    NumeroEdit->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), NumeroEdit));
    NumeroEdit->setAttribute(Qt::WA_InputMethodEnabled, false);
    NumeroEdit->resize(editWidth_, editHeight_);

    AvantiNav = new TDBNavigator(this);
    AvantiNav->setObjectName(QStringLiteral("AvantiNav"));
    AvantiNav->resize(LarghezzaNavigatore, editHeight_);

    InserisciBt = new QToolButton(this);
    InserisciBt->setObjectName(QStringLiteral("InserisciBt"));
    InserisciBt->setAutoRaise(true);
    InserisciBt->setFocusPolicy(Qt::NoFocus);
    InserisciBt->setIconSize(DimensioneGlifoInserimento);
    InserisciBt->setIcon(QIcon(GlifoInserimento(palette().color(QPalette::Active, QPalette::ButtonText))));
    InserisciBt->resize(LarghezzaInserimento, editHeight_);

    TotaleLabel = new QLabel(PrefissoTotale + QStringLiteral("0"), this);
    TotaleLabel->setObjectName(QStringLiteral("TotaleLabel"));
}

// ---------------------------------------------------------------- properties

void TRecordBrowser::SetEditWidth(int valore)
{
    editWidth_ = std::max(0, valore);
    Disponi();
}

void TRecordBrowser::SetEditHeight(int valore)
{
    editHeight_ = std::max(0, valore);
    setFixedHeight(AltezzaFissa());
    Disponi();
}

void TRecordBrowser::SetOffsetControl(int valore)
{
    offsetControl_ = valore;
    Disponi();
}

tabelle::TDataSource* TRecordBrowser::DataSource() const { return link_->DataSource(); }

void TRecordBrowser::SetDataSource(tabelle::TDataSource* valore)
{
    if (valore == link_->DataSource())
        return;
    // A freed data source leaves the link by itself (TDataSource's
    // destructor), and the browser follows none from then on.
    link_->SetDataSource(valore);
    Refresh(link_->Active());
}

void TRecordBrowser::SetVisInsertButton(bool valore)
{
    visInsertButton_ = valore;
    InserisciBt->setVisible(valore);
}

void TRecordBrowser::SetBounds(int sinistra, int alto, int larghezza, int altezza)
{
    Q_UNUSED(altezza);
    setGeometry(sinistra, alto, larghezza, AltezzaFissa());
}

// ---------------------------------------------------------------- layout

void TRecordBrowser::Disponi()
{
    if (costruzione_ || distruzione_)
        return;
    const int h = editHeight_;
    Label->adjustSize();
    Label->move(offsetControl_, 4);
    IndietroNav->setGeometry(Label->x() + Label->fontMetrics().horizontalAdvance(TestoCaption), Label->y() - 2,
                             LarghezzaNavigatore, h);
    NumeroEdit->setGeometry(IndietroNav->x() + IndietroNav->width(), IndietroNav->y(), editWidth_, h);
    AvantiNav->setGeometry(NumeroEdit->x() + NumeroEdit->width() + 2, NumeroEdit->y(), LarghezzaNavigatore, h);
    // The insert button keeps its place also when hidden.
    InserisciBt->setGeometry(AvantiNav->x() + AvantiNav->width(), NumeroEdit->y(), LarghezzaInserimento, h);
    TotaleLabel->adjustSize();
    TotaleLabel->move(InserisciBt->x() + InserisciBt->width() + 8, NumeroEdit->y() + 2);
}

void TRecordBrowser::resizeEvent(QResizeEvent* evento)
{
    QWidget::resizeEvent(evento);
    // Whatever changed the limits, the height goes back to its one value.
    if (!distruzione_ && height() != AltezzaFissa()) {
        setFixedHeight(AltezzaFissa());
        resize(width(), AltezzaFissa());
    }
    Disponi();
}

void TRecordBrowser::changeEvent(QEvent* evento)
{
    QWidget::changeEvent(evento);
    switch (evento->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
        // The caption's text width places everything after it.
        Disponi();
        break;
    case QEvent::PaletteChange:
        if (InserisciBt)
            InserisciBt->setIcon(QIcon(GlifoInserimento(palette().color(QPalette::Active, QPalette::ButtonText))));
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- numbers

void TRecordBrowser::Refresh(bool aggiornaNumeri)
{
    if (costruzione_ || distruzione_)
        return;
    tabelle::TDataSource* sorgente = link_->DataSource();
    if (IndietroNav->DataSource() != sorgente)
        IndietroNav->SetDataSource(sorgente);
    if (AvantiNav->DataSource() != sorgente)
        AvantiNav->SetDataSource(sorgente);
    if (!link_->Active()) {
        // No open dataset, no numbers: none of an earlier one stays in view.
        NumeroEdit->setText(QString());
        TotaleLabel->setText(PrefissoTotale + QStringLiteral("0"));
        TotaleLabel->adjustSize();
        return;
    }
    if (aggiornaNumeri)
        MostraNumeri();
}

void TRecordBrowser::MostraNumeri()
{
    const tabelle::TDataSet& d = *link_->DataSet();
    const int righe = d.RecordCount();
    // A row being inserted has no number yet.
    if (d.State() == tabelle::TDataSetState::dsInsert)
        NumeroEdit->setText(QString());
    else
        NumeroEdit->setText(righe == 0 ? QStringLiteral("0") : QString::number(d.RecNo()));
    TotaleLabel->setText(PrefissoTotale + QString::number(righe));
    TotaleLabel->adjustSize();
}

// ---------------------------------------------------------------- handlers

bool TRecordBrowser::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto != NumeroEdit || distruzione_)
        return QWidget::eventFilter(oggetto, evento);
    switch (evento->type()) {
    case QEvent::KeyPress:
        return NumeroEditKeyPress(static_cast<QKeyEvent*>(evento));
    case QEvent::FocusOut: {
        // Another window taking over (a message box among them) is not
        // leaving the box.
        const Qt::FocusReason motivo = static_cast<QFocusEvent*>(evento)->reason();
        if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason)
            NumeroEditExit();
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(oggetto, evento);
}

bool TRecordBrowser::NumeroEditKeyPress(QKeyEvent* tasto)
{
    switch (AzioneTastoNumero(*tasto, link_->Active())) {
    case TAzioneTasto::Salta:
        Salta();
        return true;
    case TAzioneTasto::Accetta:
        return false;
    case TAzioneTasto::Scarta:
        return true;
    }
    return true;
}

void TRecordBrowser::NumeroEditExit()
{
    // Only a number the user typed asks for a move: passing through the
    // box (for instance right after the insert button emptied it) must not
    // throw away the row just appended.
    if (NumeroEdit->isModified())
        Salta();
}

void TRecordBrowser::Salta()
{
    if (!link_->Active())
        return;
    const QString testo = NumeroEdit->text();
    const std::optional<qint64> numero = NumeroRecordDaTesto(testo);
    if (!numero) {
        messaggi::MessageBox(this, QStringLiteral("\"%1\" non è un numero di record valido.").arg(testo.trimmed()),
                             QStringLiteral("Attenzione"), messaggi::Pulsanti::Ok, messaggi::Icona::Avviso);
    } else {
        try {
            VaiAlRecord(*link_->DataSet(), *numero);
        } catch (const tabelle::EAbort&) {
        } catch (const std::exception& errore) {
            messaggi::MostraErrore(errore);
        }
    }
    // The box shows where the dataset is now, also when it did not move
    // (0 typed on the first record) or could not.
    if (link_->Active())
        MostraNumeri();
    NumeroEdit->setCursorPosition(int(NumeroEdit->text().size()));
}

void TRecordBrowser::InserisciBtClick()
{
    if (!link_->Active())
        return;
    tabelle::TDataSet& d = *link_->DataSet();
    const bool rigaInSospeso = InModifica(d);
    try {
        d.Append();
        NumeroEdit->setText(QString());
        return;
    } catch (const std::exception& errore) {
        // Before appending, the row being edited is written: when that
        // fails the row is still there, in edit, and the user must know why.
        if (rigaInSospeso && InModifica(d)) {
            if (!dynamic_cast<const tabelle::EAbort*>(&errore))
                messaggi::MostraErrore(errore);
            return;
        }
    } catch (...) {
    }
    // The dataset does not take new rows: no message, and no more tries.
    InserisciBt->setEnabled(false);
}

} // namespace gridkit
