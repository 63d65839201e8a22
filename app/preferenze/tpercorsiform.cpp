#include "app/preferenze/tpercorsiform.h"

#include "aiuto/applicazione.h"
#include "aiuto/contesto.h"
#include "aiuto/tastof1.h"
#include "app/configurazione.h"
#include "app/preferenze/riquadri.h"
#include "gridkit/comune/centratura.h"
#include "gridkit/pannello/pannelloavanzato.h"
#include "messaggi/messaggi.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace tratte {

std::function<QString(QWidget*, const QString&)> TPercorsiForm::ScegliCartella = [](QWidget* genitore, const QString& cartella) {
    return QFileDialog::getExistingDirectory(genitore, QStringLiteral("Percorso completo di Pregeo"), cartella);
};

namespace {

// The 8 x 8 wallpaper of both panels: a light weave.
QPixmap Sfondo()
{
    QPixmap tessera(8, 8);
    tessera.fill(QColor(212, 208, 200));
    QPainter p(&tessera);
    p.setPen(QColor(236, 233, 216));
    p.drawLine(0, 0, 7, 7);
    p.setPen(QColor(190, 186, 176));
    p.drawLine(0, 7, 7, 0);
    return tessera;
}

gridkit::TAdvancedPanel* Pannello(QWidget* genitore, const char* nome)
{
    auto* pannello = new gridkit::TAdvancedPanel(genitore);
    pannello->setObjectName(QString::fromLatin1(nome));
    pannello->BevelOuter()->SetStyle(gridkit::bvRaised);
    pannello->Wallpaper()->SetBitmap(Sfondo());
    pannello->Wallpaper()->SetStyle(gridkit::wpTile);
    return pannello;
}

QPushButton* Pulsante(QWidget* genitore, const char* nome, const QString& testo, QStyle::StandardPixmap icona,
                      const QString& suggerimento)
{
    auto* b = new QPushButton(genitore->style()->standardIcon(icona), testo, genitore);
    b->setObjectName(QString::fromLatin1(nome));
    b->setAutoDefault(false);
    Suggerimento(b, suggerimento);
    return b;
}

} // namespace

TPercorsiForm::TPercorsiForm(QWidget* genitore)
    : QDialog(genitore, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                            | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("PercorsiForm"));
    setWindowTitle(QStringLiteral("Percorso Pregeo"));
    setFixedSize(Larghezza, Altezza);
    aiuto::InstallaTastoF1(this);

    AdvancedPanel1 = Pannello(this, "AdvancedPanel1");
    Panel1 = new QFrame(AdvancedPanel1);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setAutoFillBackground(true);
    PercorsoPregeo_Label = new QLabel(QStringLiteral("Percorso completo di Pregeo"), Panel1);
    PercorsoPregeo_Label->setObjectName(QStringLiteral("PercorsoPregeo_Label"));
    QFont grassetto = PercorsoPregeo_Label->font();
    grassetto.setBold(true);
    PercorsoPregeo_Label->setFont(grassetto);
    PercorsoPregeo_DE = new QLineEdit(Panel1);
    PercorsoPregeo_DE->setObjectName(QStringLiteral("PercorsoPregeo_DE"));
    Suggerimento(PercorsoPregeo_DE, QStringLiteral("Percorso completo del programma Pregeo"));
    PercorsoPregeo_Label->setBuddy(PercorsoPregeo_DE);
    SfogliaAction = PercorsoPregeo_DE->addAction(style()->standardIcon(QStyle::SP_DirOpenIcon), QLineEdit::TrailingPosition);
    SfogliaAction->setObjectName(QStringLiteral("SfogliaAction"));
    SfogliaAction->setToolTip(QStringLiteral("Sfoglia le cartelle"));
    auto* interno = new QVBoxLayout(Panel1);
    interno->setContentsMargins(8, 6, 8, 6);
    interno->addWidget(PercorsoPregeo_Label);
    interno->addWidget(PercorsoPregeo_DE);
    auto* sinistra = new QVBoxLayout(AdvancedPanel1);
    sinistra->setContentsMargins(6, 6, 6, 6);
    sinistra->addWidget(Panel1);
    sinistra->addStretch();

    AdvancedPanel2 = Pannello(this, "AdvancedPanel2");
    OKBt = Pulsante(AdvancedPanel2, "OKBt", QStringLiteral("OK"), QStyle::SP_DialogOkButton,
                    QStringLiteral("Conferma i cambiamenti e chiude la finestra"));
    OKBt->setDefault(true);
    AnnullaBt = Pulsante(AdvancedPanel2, "AnnullaBt", QStringLiteral("Annulla"), QStyle::SP_DialogCancelButton,
                         QStringLiteral("Ignora i cambiamenti e chiude la finestra"));
    AiutoBt = Pulsante(AdvancedPanel2, "AiutoBt", QStringLiteral("Aiuto"), QStyle::SP_DialogHelpButton,
                       QStringLiteral("Lancia la guida relativa a questa finestra"));
    auto* destra = new QVBoxLayout(AdvancedPanel2);
    destra->setContentsMargins(6, 4, 6, 4);
    destra->setSpacing(2);
    for (QPushButton* b : {OKBt, AnnullaBt, AiutoBt})
        destra->addWidget(b);

    auto* riga = new QHBoxLayout(this);
    riga->setContentsMargins(0, 0, 0, 0);
    riga->setSpacing(0);
    riga->addWidget(AdvancedPanel1, 1);
    riga->addWidget(AdvancedPanel2);

    connect(OKBt, &QPushButton::clicked, this, &TPercorsiForm::OKBtClick);
    connect(AnnullaBt, &QPushButton::clicked, this, [this] { done(messaggi::mrCancel); });
    // The window has no topic of its own: Aiuto, like F1, opens the main window's.
    connect(AiutoBt, &QPushButton::clicked, this,
            [this] { aiuto::HelpContext(aiuto::ContestoCorrente(focusWidget(), this, aiuto::FinestraPrincipale())); });
    connect(SfogliaAction, &QAction::triggered, this, &TPercorsiForm::PercorsoPregeo_DEButtonClick);
    FormCreate();
    gridkit::CentraSulloSchermo(*this);
}

void TPercorsiForm::FormCreate()
{
    try {
        PercorsoPregeo_DE->setText(LeggiPercorsoPregeo());
    } catch (const std::exception& errore) {
        PercorsoPregeo_DE->setText(PercorsoPregeoPredefinito);
        messaggi::MostraErrore(errore);
    }
}

void TPercorsiForm::PercorsoPregeo_DEButtonClick()
{
    const QString scelta = ScegliCartella(this, PercorsoPregeo_DE->text());
    if (!scelta.isEmpty())
        PercorsoPregeo_DE->setText(QDir::toNativeSeparators(scelta));
}

void TPercorsiForm::OKBtClick()
{
    if (PercorsoPregeo_DE->text().isEmpty())
        PercorsoPregeo_DE->setText(PercorsoPregeoPredefinito);
    try {
        ScriviPercorsoPregeo(PercorsoPregeo_DE->text());
    } catch (const std::exception& errore) {
        // Not stored: the window stays open with the path typed.
        messaggi::MostraErrore(errore);
        return;
    }
    done(messaggi::mrOk);
}

void TPercorsiForm::reject() { done(messaggi::mrCancel); }

} // namespace tratte
