#include "gridkit/comandi/trovainndbg.h"

#include "aiuto/tastof1.h"
#include "gridkit/comune/cursoreattesa.h"
#include "gridkit/griglia/newdbgrid.h"
#include "gridkit/tabella/newtable.h"
#include "messaggi/messaggi.h"
#include "tabelle/campo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace gridkit {

namespace {

// Disables the dataset's controls for the life of the object.
class ControlliDisabilitati {
public:
    explicit ControlliDisabilitati(tabelle::TDataSet& d) : d_(d) { d_.DisableControls(); }
    ~ControlliDisabilitati() { d_.EnableControls(); }
    ControlliDisabilitati(const ControlliDisabilitati&) = delete;
    ControlliDisabilitati& operator=(const ControlliDisabilitati&) = delete;

private:
    tabelle::TDataSet& d_;
};

} // namespace

TTrovaInNDBGForm::TTrovaInNDBGForm(TNewDBGrid& griglia, TNewTable& tabella, QWidget* genitore)
    : QDialog(genitore), griglia_(griglia), tabella_(tabella)
{
    setObjectName("TrovaInNDBGForm");
    setWindowTitle("Trova");
    setFixedSize(484, 199);

    Testo_Label = new QLabel("Testo", this);
    Testo_Edit = new QLineEdit(this);
    Testo_Label->setBuddy(Testo_Edit);

    Direzione_GroupBox = new QGroupBox("Direzione", this);
    Su_RadioButton = new QRadioButton("Su", Direzione_GroupBox);
    Giu_RadioButton = new QRadioButton("Giù", Direzione_GroupBox);
    Giu_RadioButton->setChecked(true);
    auto* direzione = new QVBoxLayout(Direzione_GroupBox);
    direzione->addWidget(Su_RadioButton);
    direzione->addWidget(Giu_RadioButton);

    ParolaIntera_CheckBox = new QCheckBox("Parola intera", this);
    MaiuscoleMinuscole_CheckBox = new QCheckBox("Maiuscole/minuscole", this);

    Campo_GroupBox = new QGroupBox("Colonne", this);
    TuttiCampi_RadioButton = new QRadioButton("Tutte", Campo_GroupBox);
    TuttiCampi_RadioButton->setChecked(true);
    Campo_RadioButton = new QRadioButton(Campo_GroupBox);
    Campo_ComboBox = new QComboBox(Campo_GroupBox);
    auto* campi = new QGridLayout(Campo_GroupBox);
    campi->addWidget(TuttiCampi_RadioButton, 0, 0, 1, 2);
    campi->addWidget(Campo_RadioButton, 1, 0);
    campi->addWidget(Campo_ComboBox, 1, 1);
    campi->setColumnStretch(1, 1);

    TrovaPrimo_BitBtn = new QPushButton("Trova &primo", this);
    TrovaSuccessivo_BitBtn = new QPushButton("Trova &successivo", this);
    Chiudi_BitBtn = new QPushButton("&Chiudi", this);
    Aiuto_BitBtn = new QPushButton("Aiuto", this);
    for (QPushButton* b : {TrovaPrimo_BitBtn, TrovaSuccessivo_BitBtn, Chiudi_BitBtn, Aiuto_BitBtn})
        b->setAutoDefault(false);

    auto* sinistra = new QGridLayout;
    sinistra->addWidget(Testo_Label, 0, 0);
    sinistra->addWidget(Testo_Edit, 0, 1, 1, 2);
    sinistra->addWidget(Direzione_GroupBox, 1, 0, 2, 1);
    sinistra->addWidget(ParolaIntera_CheckBox, 1, 1);
    sinistra->addWidget(MaiuscoleMinuscole_CheckBox, 2, 1);
    sinistra->addWidget(Campo_GroupBox, 1, 2, 2, 1);
    auto* pulsanti = new QVBoxLayout;
    for (QPushButton* b : {TrovaPrimo_BitBtn, TrovaSuccessivo_BitBtn, Chiudi_BitBtn, Aiuto_BitBtn})
        pulsanti->addWidget(b);
    pulsanti->addStretch();
    auto* tutto = new QHBoxLayout(this);
    tutto->addLayout(sinistra, 1);
    tutto->addLayout(pulsanti);

    // The grid's columns in column order, fields marked not visible left out.
    const TDBGridColumns& colonne = griglia_.Columns();
    for (int i = 0; i < colonne.Count(); ++i) {
        tabelle::TField* campo = colonne[i].Field();
        if (campo && campo->Visible)
            Campo_ComboBox->addItem(campo->FieldName());
    }
    Campo_ComboBox->setCurrentIndex(-1);

    connect(TrovaPrimo_BitBtn, &QPushButton::clicked, this, &TTrovaInNDBGForm::TrovaPrimo_BitBtnClick);
    connect(TrovaSuccessivo_BitBtn, &QPushButton::clicked, this, &TTrovaInNDBGForm::TrovaSuccessivo_BitBtnClick);
    connect(Chiudi_BitBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(Aiuto_BitBtn, &QPushButton::clicked, this, [this] { aiuto::GuidaFinestra(this); });
    connect(Campo_ComboBox, &QComboBox::activated, this, &TTrovaInNDBGForm::Campo_ComboBoxClick);
    connect(Campo_ComboBox, &QComboBox::currentIndexChanged, this, &TTrovaInNDBGForm::Campo_ComboBoxChange);
    connect(TuttiCampi_RadioButton, &QRadioButton::clicked, this, &TTrovaInNDBGForm::TuttiCampi_RadioButtonClick);
    connect(Campo_RadioButton, &QRadioButton::clicked, this, &TTrovaInNDBGForm::Campo_RadioButtonClick);
    Testo_Edit->installEventFilter(this);
    Campo_ComboBox->installEventFilter(this);

    aiuto::ImpostaGuidaFinestra(this, griglia_.HelpContextTrova);
    Testo_Edit->setFocus();
}

bool TTrovaInNDBGForm::FormKeyDown(QKeyEvent* evento)
{
    if (evento->key() != Qt::Key_Return && evento->key() != Qt::Key_Enter)
        return false;
    TrovaPrimo_BitBtn->click();
    return true;
}

bool TTrovaInNDBGForm::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() == QEvent::KeyPress && FormKeyDown(static_cast<QKeyEvent*>(evento)))
        return true;
    return QDialog::eventFilter(oggetto, evento);
}

void TTrovaInNDBGForm::keyPressEvent(QKeyEvent* evento)
{
    if (!FormKeyDown(evento))
        QDialog::keyPressEvent(evento);
}

void TTrovaInNDBGForm::Campo_ComboBoxClick()
{
    Campo_RadioButton->setChecked(true);
    AbilitaOpzioni();
}

void TTrovaInNDBGForm::Campo_ComboBoxChange()
{
    campo_ = Campo_ComboBox->currentIndex() >= 0 ? Campo_ComboBox->currentText() : QString();
    AbilitaOpzioni();
}

void TTrovaInNDBGForm::TuttiCampi_RadioButtonClick() { AbilitaOpzioni(); }

void TTrovaInNDBGForm::Campo_RadioButtonClick() { AbilitaOpzioni(); }

void TTrovaInNDBGForm::AbilitaOpzioni()
{
    bool abilita = true;
    if (Campo_RadioButton->isChecked() && !campo_.isEmpty()) {
        tabelle::TField* campo = tabella_.FindField(campo_);
        abilita = campo && campo->DataType() == tabelle::TFieldType::ftString;
    }
    ParolaIntera_CheckBox->setEnabled(abilita);
    MaiuscoleMinuscole_CheckBox->setEnabled(abilita);
}

bool TTrovaInNDBGForm::Valida()
{
    if (Testo_Edit->text().isEmpty()) {
        Testo_Edit->setFocus();
        messaggi::MessageBox(this, "Inserire il testo da cercare!", "Errore", messaggi::Pulsanti::Ok,
                             messaggi::Icona::Errore);
        return false;
    }
    if (Campo_RadioButton->isChecked() && campo_.isEmpty()) {
        Campo_ComboBox->setFocus();
        messaggi::MessageBox(this, "Selezionare il campo su cui effettuare la ricerca!", "Errore",
                             messaggi::Pulsanti::Ok, messaggi::Icona::Errore);
        return false;
    }
    return true;
}

bool TTrovaInNDBGForm::Cerca(int inizio)
{
    QList<tabelle::TField*> campi;
    if (TuttiCampi_RadioButton->isChecked()) {
        const TDBGridColumns& colonne = griglia_.Columns();
        for (int i = 0; i < colonne.Count(); ++i)
            if (tabelle::TField* campo = colonne[i].Field())
                campi << campo;
    } else if (tabelle::TField* campo = tabella_.FindField(campo_)) {
        campi << campo;
    }
    OpzioniRicerca opzioni;
    // A disabled box plays no part, as for a field that is not text.
    opzioni.parolaIntera = ParolaIntera_CheckBox->isEnabled() && ParolaIntera_CheckBox->isChecked();
    opzioni.maiuscoleMinuscole = MaiuscoleMinuscole_CheckBox->isEnabled() && MaiuscoleMinuscole_CheckBox->isChecked();

    int trovata = -1;
    {
        ControlliDisabilitati disabilitati(tabella_);
        CursoreAttesa cursore;
        trovata = TrovaRiga(tabella_, campi, Testo_Edit->text(), opzioni, inizio, Giu_RadioButton->isChecked());
        if (trovata >= 0) {
            tabella_.SetRecNo(trovata + 1);
            ultima_ = tabella_.RecNo();
        }
    }
    if (trovata >= 0)
        return true;
    messaggi::MessageBox(this, "Nessuna corrispondenza trovata", "Avviso", messaggi::Pulsanti::Ok,
                         messaggi::Icona::Avviso);
    // Back to the last match; with none since the dialog opened the
    // dataset stays where it is.
    if (ultima_ > 0 && ultima_ <= tabella_.RecordCount())
        tabella_.SetRecNo(ultima_);
    return false;
}

void Trova(TNewDBGrid& griglia)
{
    auto* tabella = qobject_cast<TNewTable*>(griglia.DataSet());
    if (!tabella || !tabella->Active())
        return;
    TTrovaInNDBGForm finestra(griglia, *tabella, griglia.window());
    messaggi::MostraModale(finestra);
}

void TTrovaInNDBGForm::TrovaPrimo_BitBtnClick()
{
    if (!Valida() || !tabella_.Active())
        return;
    const int inizio = Giu_RadioButton->isChecked() ? 0 : tabella_.RecordCount() - 1;
    if (Cerca(inizio))
        TrovaSuccessivo_BitBtn->setFocus();
}

void TTrovaInNDBGForm::TrovaSuccessivo_BitBtnClick()
{
    if (!Valida() || !tabella_.Active())
        return;
    const int corrente = tabella_.RecNo() - 1;
    const int inizio = Giu_RadioButton->isChecked() ? corrente + 1 : corrente - 1;
    if (!Cerca(inizio))
        TrovaPrimo_BitBtn->setFocus();
}

} // namespace gridkit
