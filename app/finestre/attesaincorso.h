#pragma once
// Shows the wait window for the life of the object: creates TAttendereForm,
// shows it and lets pending events run so that it is painted; the window
// is destroyed when the object goes out of scope, also when an exception
// passes through.
#include <QPointer>

class QWidget;

namespace tratte {

class TAttendereForm;

class AttesaInCorso {
public:
    explicit AttesaInCorso(QWidget* genitore = nullptr);
    ~AttesaInCorso();
    AttesaInCorso(const AttesaInCorso&) = delete;
    AttesaInCorso& operator=(const AttesaInCorso&) = delete;

    // The window shown; null only if its parent was destroyed meanwhile.
    TAttendereForm* Finestra() const { return finestra_; }

private:
    // Owned by this object; guarded, because a parent given to it would
    // delete it first if the parent went before the object.
    QPointer<TAttendereForm> finestra_;
};

} // namespace tratte
