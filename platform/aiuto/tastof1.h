#pragma once
// F1 in a dialog: opens the help topic of the focused control, or of the
// dialog (HelpContext(contesto)). The main window does not use it: its F1
// is the shortcut of its "Guida" menu item.
#include <functional>

class QShortcut;
class QWidget;

namespace aiuto {

// Installs the F1 shortcut on the window (owned by it) and returns it.
// contesto gives the context to open; by default the window's
// ContestoCorrente, with the control focused in it and the main window
// (for the program, TVTRHtmlHelp::CurrentContext fits here).
QShortcut* InstallaTastoF1(QWidget* finestra, std::function<int()> contesto = {});

// The help of a dialog, the same for every window that has a help context:
// sets the window's context and installs F1 on it; returns the shortcut.
QShortcut* ImpostaGuidaFinestra(QWidget* finestra, int contesto);
// What the window's "Aiuto" button does: opens the window's own topic.
bool GuidaFinestra(const QWidget* finestra);

} // namespace aiuto
