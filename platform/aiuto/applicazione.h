#pragma once
// The application's help seam: the help file of the program, the main
// window that owns help windows, and one process-wide help handler that
// every help request of the program goes through (HelpCommand,
// HelpContext). TVTRHtmlHelp installs itself as that handler.
#include <QString>
#include <QtGlobal>

#include <functional>

class QWidget;

namespace aiuto {

// Help commands the program asks the application for.
inline constexpr int HELP_CONTEXT = 1;  // data: the context number
inline constexpr int HELP_CONTENTS = 3; // data: 0

// Commands of the HTML help viewer.
inline constexpr int HH_DISPLAY_TOC = 1;
inline constexpr int HH_DISPLAY_INDEX = 2;
inline constexpr int HH_HELP_CONTEXT = 15;

// A help handler answers a help command. chiamaAiuto arrives true: leaving
// it true asks the application to run its own help engine as well, which
// this platform does not have, so it is ignored.
using GestoreAiuto = std::function<bool(int comando, quintptr dati, bool& chiamaAiuto)>;

// The installed handler (empty when none).
GestoreAiuto GestoreAiutoApplicazione();
void ImpostaGestoreAiuto(GestoreAiuto gestore);

// The application's help file ("<program folder>/Tratte.hlp").
QString HelpFile();
void ImpostaHelpFile(const QString& file);

// The program's main window: the owner of help windows and the window whose
// help context stands in for a form without one. Not owned; forgotten when
// the window is destroyed.
QWidget* FinestraPrincipale();
void ImpostaFinestraPrincipale(QWidget* finestra);

// Hands a help command to the installed handler; false when there is none
// or the handler did not serve it.
bool HelpCommand(int comando, quintptr dati);
// HelpCommand(HELP_CONTEXT, contesto).
bool HelpContext(int contesto);

} // namespace aiuto
