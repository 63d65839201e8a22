#pragma once
// TAnteprimaForm: the print preview window. The engine's report window is
// made its child, above the bottom bar with "Chiudi anteprima"; the window
// is maximised once shown; closing it closes the report window and the job.
#include <QDialog>

class QFrame;
class QPushButton;

namespace tratte {

class TMainForm;
class TOrvo;

// The private message the window posts itself when shown: its handler maximises it.
inline constexpr int WM_MASSIMIZZA = 0x4400;

class TAnteprimaForm : public QDialog {
    Q_OBJECT
public:
    // Made with the main window, it enters itself there; `orvo` is set
    // before each preview.
    explicit TAnteprimaForm(TMainForm& principale);
    explicit TAnteprimaForm(QWidget* genitore = nullptr);
    ~TAnteprimaForm() override;

    TOrvo* Orvo = nullptr;
    QFrame* BottomPanel;
    QPushButton* ChiudiBt;

    void FormShow();
    void FormResize();
    void FormClose();
    void done(int risultato) override;

protected:
    bool event(QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    TMainForm* principale_ = nullptr;
    bool chiusa_ = true;
};

} // namespace tratte
