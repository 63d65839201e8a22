#pragma once
// TSceltaComune_Form (module KWSceltaComune): the modal question "which
// of these names did you mean?" that follows an abbreviated name ("ROM*")
// when several archive names start so. ElencoSuggerimenti is its one
// entry point: the name chosen, or empty.
#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QFrame;

namespace gridkit {
class TAdvancedPanel;
}

namespace borgal {

class RotellaSpostaFuoco;

// The candidate dialog, with `titolo` as window caption and `domanda` as the
// question, offering `candidati` in their order (duplicates kept). Returns
// the candidate confirmed with OK, or empty when the user cancels; with no
// candidates it returns at once and shows nothing.
QString ElencoSuggerimenti(const QString& titolo, const QString& domanda, const QStringList& candidati);

class TSceltaComune_Form : public QDialog {
    Q_OBJECT
public:
    // The dialog's window belongs to the component's main window
    // (SetApplicationHandle) when the genitore is null.
    explicit TSceltaComune_Form(QWidget* genitore = nullptr);
    ~TSceltaComune_Form() override;

    // Fills the list (in order, duplicates kept), caption and question;
    // nothing is selected.
    void Imposta(const QString& titolo, const QString& domanda, const QStringList& candidati);
    // The text of the selected candidate; empty with none selected.
    QString Scelta() const;

    // The form of ElencoSuggerimenti while it exists, else nullptr.
    static TSceltaComune_Form* Attiva();

    // Annulla and Esc end with mrCancel.
    void reject() override;

    QLabel* StatusBar;
    gridkit::TAdvancedPanel* AdvancedPanel1;
    QFrame* Panel;
    QLabel* Frase_Label;
    QListWidget* ElencoComuni_TextListBox;
    gridkit::TAdvancedPanel* AdvancedPanel2;
    QPushButton* Ok_BitBtn;
    QPushButton* Annulla_BitBtn;

protected:
    // The long hint of the control under the mouse goes to StatusBar.
    bool event(QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    // OK (button, Enter, double click): ends with mrOk only with a selection.
    void Ok_BitBtnClick();
    void ElencoComuni_TextListBoxDblClick(QListWidgetItem* elemento);
    void AdattaAltezzaElenco();

    RotellaSpostaFuoco* rotella_;
};

// The long part of a hint "short|long" (the whole hint without a bar).
QString ParteLungaSuggerimento(const QString& suggerimento);

} // namespace borgal
