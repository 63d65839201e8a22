#include "app/libretto/tzrelencolbp.h"

#include "aiuto/applicazione.h"
#include "aiuto/contesto.h"
#include "app/libretto/tattenderelbpform.h"
#include "app/preferenze/riquadri.h"
#include "gridkit/griglia/newdbgrid.h"
#include "messaggi/messaggi.h"

#include <QApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tratte {

namespace {

const QString TestoSenzaLibretti = QStringLiteral(
    "La cartella specificata nei percorsi non contiene libretti elaborati.\r\nPer utilizzare la Ricerca su Libretto occorre "
    "impostare \r\ncorrettamente tale valore \r\ndal menu Strumenti -> Percorso Pregeo");

QPushButton* Pulsante(QWidget* genitore, const char* nome, const QString& testo, QStyle::StandardPixmap icona, const QString& suggerimento)
{
    auto* b = new QPushButton(genitore->style()->standardIcon(icona), testo, genitore);
    b->setObjectName(QString::fromLatin1(nome));
    b->setAutoDefault(false);
    Suggerimento(b, suggerimento);
    return b;
}

} // namespace

TZRElencoLbp::TZRElencoLbp(gridkit::TNewTable& risultati, gridkit::TNewDBGrid* griglia, gridkit::TNewTable& tabellaTratte,
                           QWidget* genitore)
    : QDialog(genitore), griglia_(griglia)
{
    setObjectName(QStringLiteral("ZRElencoLbp"));
    setWindowTitle(QStringLiteral("Elenco libretti elaborati Circ. 2/88 "));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    aiuto::ImpostaContestoAiuto(this, 1);

    auto* colonna = new QVBoxLayout(this);
    DaLabel = new QLabel(QStringLiteral("Da"), this);
    PathDatiEdit = new QLineEdit(this);
    PathDatiEdit->setObjectName(QStringLiteral("PathDatiEdit"));
    PathDatiEdit->setReadOnly(true);
    PathDatiEdit->setToolTip(QStringLiteral("Cartella in cui si trovano i libretti elaborati"));
    auto* da = new QHBoxLayout;
    da->addWidget(DaLabel);
    da->addWidget(PathDatiEdit, 1);
    colonna->addLayout(da);
    AvvisoLabel = new QLabel(TestoDaMostrare(QStringLiteral("Attenzione: l'elenco sottostante è relativo \r\nUNICAMENTE a libretti "
                                                            "elaborati correttamente")),
                             this);
    AvvisoLabel->setObjectName(QStringLiteral("AvvisoLabel"));
    colonna->addWidget(AvvisoLabel);
    ElencoLibrettiListBox = new QListWidget(this);
    ElencoLibrettiListBox->setObjectName(QStringLiteral("ElencoLibrettiListBox"));
    ElencoLibrettiListBox->setFont(QFont(QStringLiteral("Courier New")));
    QPalette tavolozza = ElencoLibrettiListBox->palette();
    tavolozza.setColor(QPalette::Base, QColor(0, 255, 255));
    ElencoLibrettiListBox->setPalette(tavolozza);
    colonna->addWidget(ElencoLibrettiListBox, 1);
    NomeLibrettoLabel = new QLabel(QStringLiteral("Nome libretto"), this);
    NomeLibrettoEdit = new QLineEdit(this);
    NomeLibrettoEdit->setObjectName(QStringLiteral("NomeLibrettoEdit"));
    NomeLibrettoEdit->setReadOnly(true);
    auto* nome = new QHBoxLayout;
    nome->addWidget(NomeLibrettoLabel);
    nome->addWidget(NomeLibrettoEdit, 1);
    colonna->addLayout(nome);
    OKBt = Pulsante(this, "OKBt", QStringLiteral("OK"), QStyle::SP_DialogOkButton, QStringLiteral("Conferma i cambiamenti e chiude la finestra"));
    OKBt->setDefault(true);
    AnnullaBt = Pulsante(this, "AnnullaBt", QStringLiteral("Annulla"), QStyle::SP_DialogCancelButton,
                         QStringLiteral("Ignora i cambiamenti e chiude la finestra"));
    AiutoBt = Pulsante(this, "AiutoBt", QStringLiteral("Aiuto"), QStyle::SP_DialogHelpButton,
                       QStringLiteral("Lancia la guida relativa a questa finestra"));
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(OKBt);
    pulsanti->addWidget(AnnullaBt);
    pulsanti->addWidget(AiutoBt);
    colonna->addLayout(pulsanti);
    resize(360, 330);

    connect(ElencoLibrettiListBox, &QListWidget::itemClicked, this, [this] { ElencoLibrettiListBoxClick(); });
    connect(ElencoLibrettiListBox, &QListWidget::currentRowChanged, this, [this] { ElencoLibrettiListBoxClick(); });
    connect(ElencoLibrettiListBox, &QListWidget::itemDoubleClicked, this, [this] { ElencoLibrettiListBoxDblClick(); });
    connect(OKBt, &QPushButton::clicked, this, &TZRElencoLbp::OKBtClick);
    connect(AnnullaBt, &QPushButton::clicked, this, &QDialog::reject);
    connect(AiutoBt, &QPushButton::clicked, this, &TZRElencoLbp::AiutoBtClick);

    elaborazione_ = std::make_unique<TElaborazioneLibretto>(risultati, tabellaTratte, [this](const QString& testo, DatiComune& v) {
        return comuni_ && RisolviConDirectory(*comuni_.Get(), valoriComune_, testo, v);
    });
    FormCreate();
}

TZRElencoLbp::~TZRElencoLbp()
{
    if (!chiuso_)
        FormClose();
    FormDestroy();
}

void TZRElencoLbp::FormCreate()
{
    elaborazione_->DistanzeLibretto.clear();
    valoriComune_.clear();
    comuni_ = componenti::CreateComObject<borgal::IBorgal>(borgal::CLSID_Borgal, borgal::IID_IBorgal);
}

void TZRElencoLbp::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    FormShow();
}

void TZRElencoLbp::FormShow()
{
    PreparaTabelle();
    HelpFile = QDir(elaborazione_->PrvTable.DatabaseName).filePath(QStringLiteral("TratteLbp.chm"));
    if (ElencoLibrettiListBox->count() > 0) {
        ElencoLibrettiListBox->setCurrentRow(0);
        NomeLibrettoEdit->setText(ElencoLibrettiListBox->item(0)->text());
        OKBt->setEnabled(true);
    } else {
        messaggi::MessageBox(this, TestoSenzaLibretti, QStringLiteral("ATTENZIONE"), messaggi::Pulsanti::Ok, messaggi::Icona::Avviso);
        OKBt->setEnabled(false);
    }
}

void TZRElencoLbp::ElencoLibrettiListBoxClick()
{
    if (QListWidgetItem* voce = ElencoLibrettiListBox->currentItem())
        NomeLibrettoEdit->setText(voce->text());
}

void TZRElencoLbp::ElencoLibrettiListBoxDblClick()
{
    if (OKBt->isEnabled())
        OKBtClick();
}

void TZRElencoLbp::AiutoBtClick() { aiuto::HelpContext(aiuto::ContestoAiuto(this)); }

void TZRElencoLbp::OKBtClick()
{
    if (NomeLibrettoEdit->text().isEmpty())
        return;
    ElaboraLibretto(PathDatiEdit->text() + NomeLibrettoEdit->text());
}

void TZRElencoLbp::ElaboraLibretto(const QString& percorso)
{
    int risultato = messaggi::mrCancel;
    {
        std::unique_ptr<TAttendereLbpForm> attesa;
        elaborazione_->Fase = [this, &attesa](const QString& testo) {
            if (!attesa) {
                attesa = std::make_unique<TAttendereLbpForm>(this);
                attesa->show();
            }
            attesa->Label1->setText(testo);
            attesa->repaint();
            QCoreApplication::processEvents();
        };
        try {
            risultato = elaborazione_->ElaboraLibretto(percorso);
            // The grid leaves the system columns out itself: it has the 11
            // of the results, or their stored layout.
            if (risultato == messaggi::mrOk && griglia_)
                TitoliRisultati(*griglia_, true);
        } catch (const std::exception& errore) {
            attesa.reset();
            messaggi::MostraErrore(errore);
        }
        elaborazione_->Fase = nullptr;
    }
    // The book the component could not read: why, by its line.
    if (!elaborazione_->ErroreLibretto.isEmpty())
        messaggi::MessageBox(this, elaborazione_->ErroreLibretto, QStringLiteral("ERRORE"), messaggi::Pulsanti::Ok,
                             messaggi::Icona::Errore);
    done(risultato);
}

void TZRElencoLbp::TitoliRisultati(gridkit::TNewDBGrid& griglia, bool conFlagUfficio)
{
    static const QStringList sistema{"ID_001_TABLE", "SysField", "Info", "CodOp"};
    for (int i = 0; i < griglia.Columns().Count(); ++i) {
        gridkit::TColumn& colonna = griglia.Columns()[i];
        const QString campo = colonna.FieldName();
        if (sistema.contains(campo, Qt::CaseInsensitive))
            colonna.SetVisible(false);
        else if (campo == QLatin1String("TrattaAttuale"))
            colonna.SetTitleCaption(QStringLiteral("Tratta Attuale"));
        else if (campo == QLatin1String("TrattaInArchivio"))
            colonna.SetTitleCaption(QStringLiteral("Tratta In Archivio"));
        else if (campo == QLatin1String("ScartoQMedio"))
            colonna.SetTitleCaption(QStringLiteral("SQM"));
        else if (campo == QLatin1String("FlagUfficio") && conFlagUfficio)
            colonna.SetTitleCaption(QStringLiteral("Flag Ufficio"));
        else if (campo == QLatin1String("CoppiaPF"))
            colonna.SetTitleCaption(QStringLiteral("Coppia PF"));
    }
}

void TZRElencoLbp::done(int risultato)
{
    if (!chiuso_)
        FormClose();
    QDialog::done(risultato);
}

void TZRElencoLbp::FormClose()
{
    chiuso_ = true;
    try {
        elaborazione_->SvuotaPunti();
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
    }
}

void TZRElencoLbp::FormDestroy()
{
    comuni_.Reset();
    valoriComune_.clear();
    elaborazione_->DistanzeLibretto.clear();
}

} // namespace tratte
