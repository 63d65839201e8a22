#include "app/preferenze/tprefform.h"

#include "aiuto/tastof1.h"
#include "app/mainform.h"
#include "app/preferenze/riquadri.h"
#include "messaggi/messaggi.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

namespace tratte {

namespace {

// A stored province spelt so selects no item of the list.
const QString TutteLeProvinceMaiuscola = QStringLiteral("Tutte le Province");

QLabel* Etichetta(QWidget* genitore, const char* nome, const QString& testo)
{
    auto* l = new QLabel(testo, genitore);
    l->setObjectName(QString::fromLatin1(nome));
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QComboBox* Casella(QWidget* genitore, const char* nome)
{
    auto* c = new QComboBox(genitore);
    c->setObjectName(QString::fromLatin1(nome));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setCompleter(nullptr);
    return c;
}

void CopiaVoci(const QComboBox* da, QComboBox* a)
{
    const QSignalBlocker blocco(a);
    a->clear();
    for (int i = 0; i < da->count(); ++i)
        a->addItem(da->itemText(i));
    a->setCurrentIndex(-1);
}

// Selects the item equal to the text without regard to case; none when absent.
void Seleziona(QComboBox* casella, const QString& testo)
{
    const QSignalBlocker blocco(casella);
    casella->setCurrentIndex(testo.isEmpty() ? -1 : casella->findText(testo, Qt::MatchFixedString));
    if (casella->currentIndex() < 0)
        casella->setEditText(QString());
}

void Maiuscola(QChar& Key)
{
    if (Key >= QLatin1Char('a') && Key <= QLatin1Char('z'))
        Key = Key.toUpper();
}

} // namespace

TPrefForm::TPrefForm(TMainForm& principale)
    : QDialog(&principale, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                               | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , principale_(principale)
{
    setObjectName(QStringLiteral("PrefForm"));
    setWindowTitle(QStringLiteral("Preferenze"));
    setFixedSize(Larghezza, Altezza);
    aiuto::ImpostaGuidaFinestra(this, ContestoAiuto);

    Label1 = Etichetta(this, "Label1", QStringLiteral("Provincia Iniziale"));
    ProvCombo = Casella(this, "ProvCombo");
    ResetProvinciaBT = new QToolButton(this);
    ResetProvinciaBT->setObjectName(QStringLiteral("ResetProvinciaBT"));
    ResetProvinciaBT->setIcon(style()->standardIcon(QStyle::SP_DialogResetButton));
    ResetProvinciaBT->setAutoRaise(true);
    Suggerimento(ResetProvinciaBT, QStringLiteral("Reset provincia|Cancella preferenze"));
    Label2 = Etichetta(this, "Label2", QStringLiteral("Comune Iniziale"));
    ComCombo = Casella(this, "ComCombo");
    Label3 = Etichetta(this, "Label3", QStringLiteral("Intestazione per le stampe"));
    IntestazioneEdit = new QLineEdit(this);
    IntestazioneEdit->setObjectName(QStringLiteral("IntestazioneEdit"));
    IntestazioneEdit->setMaxLength(40);
    Label1->setBuddy(ProvCombo);
    Label2->setBuddy(ComCombo);
    Label3->setBuddy(IntestazioneEdit);

    OkBT = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), QStringLiteral("OK"), this);
    OkBT->setObjectName(QStringLiteral("OkBT"));
    OkBT->setDefault(true);
    AnnullaBt = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), QStringLiteral("Annulla"), this);
    AnnullaBt->setObjectName(QStringLiteral("AnnullaBt"));
    AiutoBt = new QPushButton(style()->standardIcon(QStyle::SP_DialogHelpButton), QStringLiteral("Aiuto"), this);
    AiutoBt->setObjectName(QStringLiteral("AiutoBt"));
    for (QPushButton* b : {AnnullaBt, AiutoBt})
        b->setAutoDefault(false);

    auto* campi = new QGridLayout;
    campi->addWidget(Label1, 0, 0);
    campi->addWidget(ProvCombo, 1, 0);
    campi->addWidget(ResetProvinciaBT, 1, 1);
    campi->addWidget(Label2, 0, 2);
    campi->addWidget(ComCombo, 1, 2);
    campi->addWidget(Label3, 2, 0, 1, 3);
    campi->addWidget(IntestazioneEdit, 3, 0, 1, 3);
    campi->setColumnStretch(0, 1);
    campi->setColumnStretch(2, 1);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    for (QPushButton* b : {OkBT, AnnullaBt, AiutoBt})
        pulsanti->addWidget(b);
    auto* colonna = new QVBoxLayout(this);
    colonna->addLayout(campi);
    colonna->addStretch();
    colonna->addLayout(pulsanti);

    // Engine errors of the change reach the error box; the dialog stays.
    connect(ProvCombo, &QComboBox::currentTextChanged, this, [this] {
        try {
            ProvComboChange();
        } catch (const std::exception& errore) {
            messaggi::MostraErrore(errore);
        }
    });
    connect(ResetProvinciaBT, &QToolButton::clicked, this, &TPrefForm::ResetProvinciaBTClick);
    connect(OkBT, &QPushButton::clicked, this, &TPrefForm::OkBTClick);
    connect(AnnullaBt, &QPushButton::clicked, this, [this] { done(messaggi::mrCancel); });
    connect(AiutoBt, &QPushButton::clicked, this, [this] { aiuto::GuidaFinestra(this); });
    // The keys reach the box, which passes them to its edit field.
    for (QComboBox* c : {ProvCombo, ComCombo}) {
        c->installEventFilter(this);
        c->lineEdit()->installEventFilter(this);
    }
    FormCreate();
}

ValoriIniziali TPrefForm::LeggiPreferenze() { return LeggiValoriIniziali(); }

QString TPrefForm::VoceScelta(const QComboBox* casella)
{
    const int indice = casella->currentIndex();
    if (indice < 0 || casella->currentText() != casella->itemText(indice))
        return QString();
    return casella->itemText(indice);
}

void TPrefForm::FormCreate()
{
    CopiaVoci(principale_.ProvinceCB, ProvCombo);
    CopiaVoci(principale_.ComuniCB, ComCombo);
    ValoriIniziali valori;
    try {
        valori = LeggiPreferenze();
    } catch (const std::exception& errore) {
        // A registry that cannot be read is not written either.
        messaggi::MostraErrore(errore);
        return;
    }
    IntestazioneEdit->setText(valori.intestazione);
    if (valori.provincia.isEmpty()) {
        // Nothing selected: both stored empty now, whatever follows.
        Salva();
        return;
    }
    QString provincia = valori.provincia;
    if (provincia == TutteLeProvinceMaiuscola)
        provincia.prepend(' ');
    Seleziona(ProvCombo, provincia);
    if (ProvCombo->currentIndex() >= 0) {
        try {
            ProvComboChange();
        } catch (const std::exception& errore) {
            messaggi::MostraErrore(errore);
        }
    }
    Seleziona(ComCombo, valori.comune);
}

void TPrefForm::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    FormShow();
}

void TPrefForm::FormShow()
{
    Label3->hide();
    IntestazioneEdit->hide();
}

void TPrefForm::ProvComboChange()
{
    principale_.RisolviComune(ProvCombo->currentText(), CodiceCatastale, CodiceFiscale, Provincia, NomeComune);
    const QStringList nomi = principale_.Navigazione.ComuniDellaProvincia(Provincia);
    {
        const QSignalBlocker blocco(ComCombo);
        ComCombo->clear();
        ComCombo->addItem(TuttiIComuni);
        ComCombo->addItems(nomi);
        ComCombo->setCurrentIndex(-1);
        ComCombo->setEditText(QString());
    }
    principale_.CaricaOldComuni(ComCombo, Provincia);
}

void TPrefForm::ProvComboKeyPress(QChar& Key) { Maiuscola(Key); }
void TPrefForm::ComComboKeyPress(QChar& Key) { Maiuscola(Key); }

bool TPrefForm::eventFilter(QObject* oggetto, QEvent* evento)
{
    const bool provincia = oggetto == ProvCombo || oggetto == ProvCombo->lineEdit();
    const bool comune = oggetto == ComCombo || oggetto == ComCombo->lineEdit();
    if ((provincia || comune) && evento->type() == QEvent::KeyPress && !inoltroTasto_) {
        auto* tasto = static_cast<QKeyEvent*>(evento);
        if (tasto->text().size() == 1) {
            QChar Key = tasto->text()[0];
            provincia ? ProvComboKeyPress(Key) : ComComboKeyPress(Key);
            if (Key != tasto->text()[0]) {
                // The key goes on with its new character.
                QKeyEvent copia(tasto->type(), tasto->key(), tasto->modifiers(), QString(Key), tasto->isAutoRepeat(),
                                tasto->count());
                inoltroTasto_ = true;
                QCoreApplication::sendEvent(oggetto, &copia);
                inoltroTasto_ = false;
                return true;
            }
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void TPrefForm::ResetProvinciaBTClick()
{
    for (QComboBox* c : {ProvCombo, ComCombo}) {
        const QSignalBlocker blocco(c);
        c->setCurrentIndex(-1);
        c->setEditText(QString());
    }
}

bool TPrefForm::Salva()
{
    try {
        ScriviValoriIniziali({VoceScelta(ProvCombo), VoceScelta(ComCombo), IntestazioneEdit->text()});
        return true;
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
        return false;
    }
}

void TPrefForm::OkBTClick()
{
    if (Salva())
        done(messaggi::mrOk);
}

void TPrefForm::reject() { done(messaggi::mrCancel); }

} // namespace tratte
