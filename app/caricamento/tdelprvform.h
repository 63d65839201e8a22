#pragma once
// TDelPrvForm: the dialog that deletes a whole loaded province (its rows,
// its row in PRV.DB and its name in the lists). Created once after the
// main window; its list is kept up to date by the update dialog.
#include <QDialog>

class QListWidget;
class QPushButton;

namespace tratte {

class TMainForm;

class TDelPrvForm : public QDialog {
    Q_OBJECT
public:
    explicit TDelPrvForm(TMainForm& principale);
    ~TDelPrvForm() override;

    QListWidget* PrvList;
    QPushButton *OkBT, *AnnullaBT, *AiutoBT;

    void FormCreate();
    void OkBTClick();
    void AnnullaBTClick();

private:
    TMainForm& principale_;
};

} // namespace tratte
