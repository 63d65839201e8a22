#pragma once
// RotellaSpostaFuoco: on the dialogs of the directory the mouse wheel moves
// the focus instead of scrolling: wheel down to the next control in tab
// order, wheel up to the previous one, and the wheel event counts as
// handled. When no control of the dialog has the focus (or the wheel turns
// sideways) the event is left to the default handling.
//
// The object is a child of its dialog and watches the application's events
// for the dialog's widgets, so the wheel is caught before the control under
// the mouse (a list, a grid) would scroll.
#include <QObject>

class QWidget;

namespace borgal {

class RotellaSpostaFuoco : public QObject {
    Q_OBJECT
public:
    explicit RotellaSpostaFuoco(QWidget* finestra);
    ~RotellaSpostaFuoco() override;

    // Moves the focus of the dialog to the next (or previous) control that
    // takes the focus with Tab; false when the dialog has no focused control.
    bool SpostaFuoco(bool avanti);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QWidget* finestra_;
};

} // namespace borgal
