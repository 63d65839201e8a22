#pragma once
// Help context numbers carried by windows and controls (the dynamic
// property "helpContext"), and the context that F1 opens: the one of the
// focused control, else of its window, else of the main window.
class QWidget;

namespace aiuto {

inline constexpr char ProprietaContestoAiuto[] = "helpContext";

// Sets the widget's help context; 0 removes it.
void ImpostaContestoAiuto(QWidget* widget, int contesto);
// The widget's help context; 0 when it has none (or for no widget).
int ContestoAiuto(const QWidget* widget);

// The first non-zero context walking from the focused control through its
// parents up to its window (the active one); when there is no focused
// control in the active window, or the walk finds none, the active window's
// context, else the main window's; 0 when no window is active.
int ContestoCorrente(const QWidget* focalizzato, const QWidget* attiva, const QWidget* principale);
// The same with the application's focused widget, active window and main
// window (FinestraPrincipale).
int ContestoCorrente();

} // namespace aiuto
