#pragma once
// The splash window shown while the main window is being built: a
// borderless picture that stays on top and goes away by itself, when it
// is clicked or when another window becomes active. It frees itself on
// closing.
#include <QPointer>
#include <QWidget>

class QFrame;
class QLabel;
class QWindow;

namespace tratte {

class TStartForm : public QWidget {
    Q_OBJECT

public:
    static constexpr int Larghezza = 262;
    static constexpr int Altezza = 245;

    // Creates the splash (owned by `genitore`, or by itself when null: it
    // is deleted on closing), shows it, not modally, and lets pending
    // events run so that it is painted at once. The pointer becomes null
    // once the splash is gone.
    static QPointer<TStartForm> Mostra(QWidget* genitore);

    explicit TStartForm(QWidget* genitore = nullptr);

protected:
    bool event(QEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;

private:
    void FormClick();
    void FormDeactivate();
    // Another window of the program has become active. Some window
    // managers never activate a borderless window, which then never loses
    // activation: the splash also goes when any other window is activated.
    void FinestraAttivaCambiata(QWindow* attiva);

    QFrame* Panel1;
    QLabel* Image1;
};

} // namespace tratte
