#pragma once
// TTrovaInNDBGForm: the grid's find dialog. It looks for a text in one
// column or in all the grid's columns, downwards or upwards, and leaves
// the dataset on the row found.
#include "gridkit/comandi/corrispondenza.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace gridkit {

class TNewDBGrid;
class TNewTable;

class TTrovaInNDBGForm : public QDialog {
    Q_OBJECT
public:
    // The grid's columns (fields marked not visible left out) fill the
    // combo box; the help context is the grid's HelpContextTrova.
    TTrovaInNDBGForm(TNewDBGrid& griglia, TNewTable& tabella, QWidget* genitore = nullptr);

    // Handlers.
    void TrovaPrimo_BitBtnClick();
    void TrovaSuccessivo_BitBtnClick();
    void Campo_ComboBoxClick();
    void Campo_ComboBoxChange();
    void TuttiCampi_RadioButtonClick();
    void Campo_RadioButtonClick();

    QLabel* Testo_Label;
    QLineEdit* Testo_Edit;
    QGroupBox* Direzione_GroupBox;
    QRadioButton* Su_RadioButton;
    QRadioButton* Giu_RadioButton;
    QCheckBox* ParolaIntera_CheckBox;
    QCheckBox* MaiuscoleMinuscole_CheckBox;
    QGroupBox* Campo_GroupBox;
    QRadioButton* TuttiCampi_RadioButton;
    QRadioButton* Campo_RadioButton;
    QComboBox* Campo_ComboBox;
    QPushButton* TrovaPrimo_BitBtn;
    QPushButton* TrovaSuccessivo_BitBtn;
    QPushButton* Chiudi_BitBtn;
    QPushButton* Aiuto_BitBtn;

    // The record number of the last match, 0 before the first.
    int UltimaCorrispondenza() const { return ultima_; }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    bool FormKeyDown(QKeyEvent* evento);
    bool Valida();
    // Searches from the 0-based row `inizio`; true on a match.
    bool Cerca(int inizio);
    void AbilitaOpzioni();

    TNewDBGrid& griglia_;
    TNewTable& tabella_;
    QString campo_;
    int ultima_ = 0;
};

// The grid's find command: the dialog over the grid's TNewTable, shown
// modally; nothing when the grid shows no open TNewTable.
void Trova(TNewDBGrid& griglia);

} // namespace gridkit
