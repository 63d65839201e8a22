#pragma once
// TPrefForm: the preferences ("Preferenze"): the province and comune the
// main window selects at start, chosen from the main window's lists, and
// the print header, kept but not shown. Only items chosen from the lists
// are stored; OK stores the three values, "Annulla" nothing.
#include "app/configurazione.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tratte {

class TMainForm;

class TPrefForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int Larghezza = 404;
    static constexpr int Altezza = 174;
    static constexpr int ContestoAiuto = 13;

    explicit TPrefForm(TMainForm& principale);

    // The read operation startup uses as well: InitProv, InitCom and
    // IntestazioneStampe of "VALORI INIZIALI" (empty when missing).
    static ValoriIniziali LeggiPreferenze();

    // The dialog's own lookup results.
    QString CodiceCatastale, CodiceFiscale, Provincia, NomeComune;

    // Controls.
    QLabel *Label1, *Label2, *Label3;
    QComboBox *ProvCombo, *ComCombo;
    QToolButton* ResetProvinciaBT;
    QLineEdit* IntestazioneEdit;
    QPushButton *OkBT, *AnnullaBt, *AiutoBt;

    // Handlers.
    void FormCreate();
    void FormShow();
    void ProvComboChange();
    // A lower-case letter a to z becomes upper case.
    void ProvComboKeyPress(QChar& Key);
    void ComComboKeyPress(QChar& Key);
    void ResetProvinciaBTClick();
    void OkBTClick();

    // The item selected in the box; empty when none is, or when the text
    // was typed over it.
    static QString VoceScelta(const QComboBox* casella);

    void reject() override;

protected:
    void showEvent(QShowEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    // Writes the three values; false (after a message) when the registry
    // cannot be written.
    bool Salva();
    TMainForm& principale_;
    bool inoltroTasto_ = false;
};

} // namespace tratte
