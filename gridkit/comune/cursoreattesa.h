#pragma once
// The hourglass (or SQL-wait) mouse cursor for the life of the object;
// nothing happens in a process without a GUI.
#include <Qt>

namespace gridkit {

class CursoreAttesa {
public:
    explicit CursoreAttesa(Qt::CursorShape forma = Qt::WaitCursor);
    ~CursoreAttesa();
    CursoreAttesa(const CursoreAttesa&) = delete;
    CursoreAttesa& operator=(const CursoreAttesa&) = delete;

private:
    bool attivo_ = false;
};

} // namespace gridkit
