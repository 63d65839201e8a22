#pragma once
// TTolleranzaForm: the tolerance check ("Controllo della tolleranza") on
// the archived distance of the grid's current row. The user types the
// distance measured in the field and picks the survey zone; the dialog
// shows the difference, the admissible tolerance and the verdict at every
// keystroke and zone change (the rule is TRegolaTolleranza's).
#include <QDialog>
#include <QString>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tratte {

class TTolleranzaForm : public QDialog {
    Q_OBJECT

public:
    // `trattaArchivio`: the archived distance as the field's plain text
    // (empty when the field is null).
    explicit TTolleranzaForm(const QString& trattaArchivio, QWidget* genitore = nullptr);

    // Controls.
    QLineEdit* DistanzaEdit;
    QLineEdit* TrattaEdit;
    QLineEdit* DifferenzaEdit;
    QLineEdit* TolleranzaEdit;
    QLabel* RisPanel;
    QGroupBox* RadioGroup1;
    QPushButton* AnnullaBitBtn;
    QPushButton* AiutoBitBtn;

    // The zone item selected in RadioGroup1 (-1 when none); setting it
    // runs RadioGroup1Click as a click would.
    int ItemIndex() const;
    void SetItemIndex(int indice);

    // The last difference computed.
    double Differenza = 0;

    // Handlers.
    void FormShow();
    // The key filter: Key becomes the null character when it is discarded.
    void DistanzaEditKeyPress(QChar& Key);
    void DistanzaEditChange();
    void RadioGroup1Click();
    void AnnullaBitBtnClick();
    void AiutoBitBtnClick();

    // The three steps of the check; they throw when a text is not a number.
    void CalcolaDifferenza(const QString& distanzaUtente, const QString& trattaArchivio);
    void CalcolaTolleranza(const QString& distanzaUtente);
    void VerificaTolleranza(const QString& distanzaUtente, double fissa, double pendenza, double offset);

    // Closing by Escape or the window's button: mrCancel.
    void reject() override;

protected:
    void showEvent(QShowEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void ColoraPannello(const QColor& colore);
    QString trattaArchivio_;
    QButtonGroup* zone_;
};

} // namespace tratte
