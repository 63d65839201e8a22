#pragma once
// The window of the print options: printer or preview, copies, all pages
// or a range, the printer in use and the button of the printer set-up.
#include <QDialog>

class QLabel;
class QPrintDialog;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace zrwinstampa {

class TDialogoStampa : public QDialog {
    Q_OBJECT
public:
    TDialogoStampa(QPrintDialog* impostazione, QWidget* genitore = nullptr);

    QRadioButton *StampanteRB, *AnteprimaRB, *TutteRB, *IntervalloRB;
    QSpinBox *CopieSE, *DaSE, *ASE;
    QLabel* StampanteLbl;
    QPushButton *ImpostaBt, *OKBt, *AnnullaBt;

    void ImpostaBtClick();
    // Enables what the choices leave open.
    void Aggiorna();

private:
    void MostraStampante();
    QPrintDialog* impostazione_;
};

} // namespace zrwinstampa
