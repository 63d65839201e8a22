#pragma once
// TPercorsiForm: the Pregeo path ("Percorso Pregeo"), the folder where the
// survey-book search looks for processed books. The folder is typed or
// chosen with the folder button of the entry; OK stores it, an empty
// entry as the default folder.
#include <QDialog>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace gridkit {
class TAdvancedPanel;
}

namespace tratte {

class TPercorsiForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int Larghezza = 505;
    static constexpr int Altezza = 113;

    explicit TPercorsiForm(QWidget* genitore = nullptr);

    // The system's folder chooser: the folder chosen, empty when none;
    // tests replace it.
    static std::function<QString(QWidget* genitore, const QString& cartella)> ScegliCartella;

    // Controls.
    gridkit::TAdvancedPanel *AdvancedPanel1, *AdvancedPanel2;
    QFrame* Panel1;
    QLabel* PercorsoPregeo_Label;
    QLineEdit* PercorsoPregeo_DE;
    QAction* SfogliaAction;
    QPushButton *OKBt, *AnnullaBt, *AiutoBt;

    // Handlers.
    void FormCreate();
    void OKBtClick();
    // The folder button of the entry.
    void PercorsoPregeo_DEButtonClick();

    void reject() override;
};

} // namespace tratte
