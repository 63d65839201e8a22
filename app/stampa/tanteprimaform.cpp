#include "app/stampa/tanteprimaform.h"

#include "app/mainform.h"
#include "app/stampa/torvo.h"
#include "messaggi/messaggi.h"
#include "tabelle/dataset.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tratte {

namespace {

const QString Didascalia = QStringLiteral("Anteprima di stampa");
const QEvent::Type EventoMassimizza = QEvent::Type(QEvent::User + WM_MASSIMIZZA);

} // namespace

TAnteprimaForm::TAnteprimaForm(QWidget* genitore) : QDialog(genitore)
{
    setObjectName(QStringLiteral("AnteprimaForm"));
    setWindowTitle(Didascalia);
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
    resize(800, 600);
    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->addStretch(1);
    BottomPanel = new QFrame(this);
    BottomPanel->setObjectName(QStringLiteral("BottomPanel"));
    BottomPanel->setFrameShape(QFrame::StyledPanel);
    BottomPanel->setFixedHeight(41);
    auto* riga = new QHBoxLayout(BottomPanel);
    riga->addStretch(1);
    ChiudiBt = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("Chiudi anteprima"), BottomPanel);
    ChiudiBt->setObjectName(QStringLiteral("ChiudiBt"));
    riga->addWidget(ChiudiBt);
    colonna->addWidget(BottomPanel);
    connect(ChiudiBt, &QPushButton::clicked, this, [this] { done(messaggi::mrOk); });
}

TAnteprimaForm::TAnteprimaForm(TMainForm& principale) : TAnteprimaForm(static_cast<QWidget*>(&principale))
{
    principale_ = &principale;
    principale.AnteprimaForm = this;
}

TAnteprimaForm::~TAnteprimaForm()
{
    FormClose();
    if (principale_ && principale_->AnteprimaForm == this)
        principale_->AnteprimaForm = nullptr;
}

void TAnteprimaForm::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    FormShow();
}

void TAnteprimaForm::FormShow()
{
    if (!Orvo || !chiusa_)
        return;
    chiusa_ = false;
    setWindowTitle(Didascalia + QStringLiteral(": ") + Orvo->WindowTitle);
    Orvo->Output = TOrvo::TOutput::toWindow;
    Orvo->WindowParent = this;
    Orvo->DialogParent = nullptr;
    Orvo->WindowSystemMenu = false;
    Orvo->WindowBorder = false;
    try {
        Orvo->Esegui();
    } catch (const tabelle::EAbort&) {
        QCoreApplication::postEvent(this, new QEvent(QEvent::Close));
        return;
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
        // Nothing to preview: the window goes.
        QCoreApplication::postEvent(this, new QEvent(QEvent::Close));
        return;
    }
    FormResize();
    setFocus();
    QCoreApplication::postEvent(this, new QEvent(EventoMassimizza));
}

bool TAnteprimaForm::event(QEvent* evento)
{
    if (evento->type() == EventoMassimizza) {
        showMaximized();
        return true;
    }
    return QDialog::event(evento);
}

void TAnteprimaForm::resizeEvent(QResizeEvent* evento)
{
    QDialog::resizeEvent(evento);
    FormResize();
}

void TAnteprimaForm::FormResize()
{
    if (QWidget* finestra = Orvo && !chiusa_ ? Orvo->ReportWindowHandle() : nullptr)
        finestra->setGeometry(0, 0, width(), height() - BottomPanel->height());
}

void TAnteprimaForm::FormClose()
{
    if (chiusa_)
        return;
    chiusa_ = true;
    if (Orvo) {
        Orvo->CloseWindow();
        Orvo->CloseJob();
    }
    setWindowTitle(Didascalia);
}

void TAnteprimaForm::done(int risultato)
{
    FormClose();
    QDialog::done(risultato);
}

} // namespace tratte
