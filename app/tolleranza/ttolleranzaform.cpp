#include "app/tolleranza/ttolleranzaform.h"

#include "aiuto/tastof1.h"
#include "app/tolleranza/regolatolleranza.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <stdexcept>

namespace tratte {

namespace {

inline constexpr int ContestoTolleranza = 26;
const QColor ColoreIn(0, 128, 0);
const QColor ColoreFuori(255, 0, 0);

QLineEdit* Casella(QWidget* genitore, const char* nome)
{
    auto* casella = new QLineEdit(genitore);
    casella->setObjectName(QString::fromLatin1(nome));
    return casella;
}

// A field the user only reads: no border, on the tooltip background.
void SoloLettura(QLineEdit* casella)
{
    casella->setReadOnly(true);
    casella->setFrame(false);
    QPalette colori = casella->palette();
    colori.setColor(QPalette::Base, colori.color(QPalette::ToolTipBase));
    colori.setColor(QPalette::Text, colori.color(QPalette::ToolTipText));
    casella->setPalette(colori);
}

double Numero(const QString& testo)
{
    if (const std::optional<double> valore = LeggiNumero(testo))
        return *valore;
    throw std::invalid_argument("'" + testo.toStdString() + "' non è un valore numerico valido");
}

} // namespace

TTolleranzaForm::TTolleranzaForm(const QString& trattaArchivio, QWidget* genitore)
    : QDialog(genitore, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                            | Qt::WindowCloseButtonHint)
    , DistanzaEdit(Casella(this, "DistanzaEdit"))
    , TrattaEdit(Casella(this, "TrattaEdit"))
    , DifferenzaEdit(Casella(this, "DifferenzaEdit"))
    , TolleranzaEdit(Casella(this, "TolleranzaEdit"))
    , RisPanel(new QLabel(this))
    , RadioGroup1(new QGroupBox(QStringLiteral("Zona del rilievo"), this))
    , AnnullaBitBtn(new QPushButton(QStringLiteral("Chiudi"), this))
    , AiutoBitBtn(new QPushButton(QStringLiteral("Aiuto"), this))
    , trattaArchivio_(trattaArchivio)
    , zone_(new QButtonGroup(RadioGroup1))
{
    setObjectName(QStringLiteral("TolleranzaForm"));
    setWindowTitle(QStringLiteral("Controllo della tolleranza"));
    aiuto::ImpostaGuidaFinestra(this, ContestoTolleranza);

    TrattaEdit->setReadOnly(true);
    TrattaEdit->setFocusPolicy(Qt::ClickFocus); // not a tab stop
    QPalette acqua = TrattaEdit->palette();
    acqua.setColor(QPalette::Base, QColor(0, 255, 255));
    TrattaEdit->setPalette(acqua);
    SoloLettura(DifferenzaEdit);
    SoloLettura(TolleranzaEdit);
    // Wide enough for a difference in full (15 digits and an exponent).
    const int larghezza = DifferenzaEdit->fontMetrics().horizontalAdvance(QStringLiteral("-0.000000000000000E-000")) + 12;
    for (QLineEdit* casella : {DistanzaEdit, TrattaEdit, DifferenzaEdit, TolleranzaEdit})
        casella->setMinimumWidth(larghezza);

    RisPanel->setObjectName(QStringLiteral("RisPanel"));
    RisPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    RisPanel->setAlignment(Qt::AlignCenter);
    RisPanel->setTextFormat(Qt::PlainText);
    RisPanel->setAutoFillBackground(true);
    RisPanel->setMinimumHeight(41);
    QFont grassetto = RisPanel->font();
    grassetto.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("Liberation Sans"),
                           QStringLiteral("DejaVu Sans"), grassetto.family()});
    grassetto.setPixelSize(13);
    grassetto.setBold(true);
    RisPanel->setFont(grassetto);
    ColoraPannello(Qt::white);

    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto* voci = new QVBoxLayout(RadioGroup1);
    for (int i = 0; i < 3; ++i) {
        auto* voce = new QRadioButton(Costanti(*ZonaDaIndice(i)).testo, RadioGroup1);
        voce->setObjectName(QStringLiteral("RadioGroup1Voce%1").arg(i));
        zone_->addButton(voce, i);
        voci->addWidget(voce);
    }

    AnnullaBitBtn->setObjectName(QStringLiteral("AnnullaBitBtn"));
    AiutoBitBtn->setObjectName(QStringLiteral("AiutoBitBtn"));
    AnnullaBitBtn->setAutoDefault(false);
    AiutoBitBtn->setAutoDefault(false);

    auto* campi = new QGridLayout;
    auto etichetta = [this, campi](const char* nome, const QString& testo, QLineEdit* casella, int riga) {
        auto* e = new QLabel(testo, this);
        e->setObjectName(QString::fromLatin1(nome));
        e->setBuddy(casella);
        campi->addWidget(e, riga, 0);
        campi->addWidget(casella, riga, 1);
    };
    etichetta("TrattaLabel", QStringLiteral("Tratta in archivio"), TrattaEdit, 0);
    etichetta("DistanzaLabel", QStringLiteral("Distanza utente"), DistanzaEdit, 1);
    etichetta("DifferenzaLabel", QStringLiteral("Differenza"), DifferenzaEdit, 2);
    etichetta("TolleranzaLabel", QStringLiteral("Tolleranza"), TolleranzaEdit, 3);

    auto* sopra = new QHBoxLayout;
    sopra->addLayout(campi);
    sopra->addWidget(RadioGroup1);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(AnnullaBitBtn);
    pulsanti->addWidget(AiutoBitBtn);
    auto* tutto = new QVBoxLayout(this);
    tutto->addLayout(sopra);
    tutto->addWidget(RisPanel);
    tutto->addLayout(pulsanti);
    tutto->setSizeConstraint(QLayout::SetFixedSize);

    DistanzaEdit->installEventFilter(this);
    connect(DistanzaEdit, &QLineEdit::textChanged, this, [this] { DistanzaEditChange(); });
    connect(zone_, &QButtonGroup::idToggled, this, [this](int, bool scelta) {
        if (scelta)
            RadioGroup1Click();
    });
    connect(AnnullaBitBtn, &QPushButton::clicked, this, &TTolleranzaForm::AnnullaBitBtnClick);
    connect(AiutoBitBtn, &QPushButton::clicked, this, &TTolleranzaForm::AiutoBitBtnClick);
}

int TTolleranzaForm::ItemIndex() const { return zone_->checkedId(); }

void TTolleranzaForm::SetItemIndex(int indice)
{
    if (QAbstractButton* voce = zone_->button(indice))
        voce->setChecked(true);
}

void TTolleranzaForm::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    FormShow();
}

void TTolleranzaForm::FormShow()
{
    TrattaEdit->setText(trattaArchivio_);
    {
        // The handlers stay detached only within this block, whatever happens in it.
        const QSignalBlocker distanza(DistanzaEdit);
        const QSignalBlocker zone(zone_);
        DistanzaEdit->clear();
        DifferenzaEdit->clear();
        TolleranzaEdit->clear();
        RisPanel->clear();
        SetItemIndex(1);
    }
    DistanzaEdit->setFocus();
}

void TTolleranzaForm::DistanzaEditKeyPress(QChar& Key)
{
    if (Key == QLatin1Char('\b'))
        return;
    if (Key == QLatin1Char('.')) {
        if (DistanzaEdit->text().contains(QLatin1Char('.')))
            Key = QChar();
        return;
    }
    if (Key < QLatin1Char('0') || Key > QLatin1Char('9'))
        Key = QChar();
}

bool TTolleranzaForm::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == DistanzaEdit && evento->type() == QEvent::KeyPress) {
        const auto* tasto = static_cast<QKeyEvent*>(evento);
        const QString testo = tasto->text();
        // Characters only: editing keys, Enter, Escape and shortcuts keep their meaning.
        const bool scorciatoia = tasto->modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier);
        if (testo.size() == 1 && !scorciatoia && (testo[0].isPrint() || testo[0] == QLatin1Char('\b'))) {
            QChar carattere = testo[0];
            DistanzaEditKeyPress(carattere);
            if (carattere.isNull())
                return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void TTolleranzaForm::DistanzaEditChange()
{
    if (DistanzaEdit->text().isEmpty()) {
        messaggi::ShowMessage(QStringLiteral("Inserire la distanza rilevata"));
        DistanzaEdit->setFocus();
        return;
    }
    try {
        CalcolaDifferenza(DistanzaEdit->text(), TrattaEdit->text());
        CalcolaTolleranza(DistanzaEdit->text());
    } catch (const std::exception&) {
        // Not a number yet (a lone "."), or no archived distance: the
        // fields keep what they showed.
    }
}

void TTolleranzaForm::RadioGroup1Click() { DistanzaEditChange(); }

void TTolleranzaForm::CalcolaDifferenza(const QString& distanzaUtente, const QString& trattaArchivio)
{
    const double misurata = Numero(distanzaUtente);
    const double archiviata = Numero(trattaArchivio);
    Differenza = tratte::Differenza(misurata, archiviata);
    DifferenzaEdit->setText(TestoGenerale(Differenza));
}

void TTolleranzaForm::CalcolaTolleranza(const QString& distanzaUtente)
{
    const std::optional<ZonaRilievo> zona = ZonaDaIndice(ItemIndex());
    if (!zona)
        return;
    const CostantiZona& c = Costanti(*zona);
    VerificaTolleranza(distanzaUtente, c.fissa, c.pendenza, c.offset);
}

void TTolleranzaForm::VerificaTolleranza(const QString& distanzaUtente, double fissa, double pendenza, double offset)
{
    const double distanza = Numero(distanzaUtente);
    const TRegolaTolleranza regola(fissa, pendenza, offset);
    TolleranzaEdit->setText(regola.TestoTolleranza(distanza));
    const bool in = regola.InTolleranza(distanza, Differenza);
    ColoraPannello(in ? ColoreIn : ColoreFuori);
    RisPanel->setText(TRegolaTolleranza::TestoEsito(in));
}

void TTolleranzaForm::ColoraPannello(const QColor& colore)
{
    QPalette colori = RisPanel->palette();
    colori.setColor(QPalette::Window, colore);
    RisPanel->setPalette(colori);
}

void TTolleranzaForm::AnnullaBitBtnClick() { done(messaggi::mrCancel); }

void TTolleranzaForm::AiutoBitBtnClick() { aiuto::GuidaFinestra(this); }

void TTolleranzaForm::reject() { done(messaggi::mrCancel); }

} // namespace tratte
