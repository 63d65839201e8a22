#pragma once
// The hourglass (or SQL-wait) mouse cursor for the life of the object;
// nothing happens in a process without windows.
#include <Qt>

namespace gridkit {

// How the cursor reaches the screen. A program with windows sets the Qt
// one (AvvioGrafico); without it, a wait cursor changes nothing, and the
// code that uses one needs no part of Qt beyond its core.
class SchermoCursore {
public:
    virtual ~SchermoCursore() = default;
    // Shows `forma` over the application; false when there is nothing to
    // show it on.
    virtual bool Mostra(Qt::CursorShape forma) = 0;
    virtual void Ripristina() = 0;
};

// Sets the process's screen (not owned) and returns the one it replaces;
// nullptr: none.
SchermoCursore* ImpostaSchermoCursore(SchermoCursore* schermo);

class CursoreAttesa {
public:
    explicit CursoreAttesa(Qt::CursorShape forma = Qt::WaitCursor);
    ~CursoreAttesa();
    CursoreAttesa(const CursoreAttesa&) = delete;
    CursoreAttesa& operator=(const CursoreAttesa&) = delete;

private:
    SchermoCursore* schermo_ = nullptr; // the one shown on, taken back on the same
};

} // namespace gridkit
