#pragma once
// The about box ("Informazioni"): program icon, title picture, product
// name, version, copyright and a short description. OK ends it with
// mrOk; closing it any other way gives mrCancel.
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace tratte {

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* genitore = nullptr);

    // Escape and the window's close button: mrCancel, as on the
    // program's other dialogs (QDialog alone would give 0).
    void reject() override;

private:
    void FormCreate();
    void OKButtonClick();

    QFrame* Panel1;
    QLabel* ProgramIcon;
    QLabel* Image1;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* Copyright;
    QLabel* Comments;
    QPushButton* OKButton;
};

} // namespace tratte
