#pragma once
// The load-time steps of the component library. They run once, before the
// library's first object (DllGetClassObject runs them), and are undone when
// the library is unloaded or, earlier, when the application object goes
// (the help window must not outlive it):
//  1. the debug-log switch is read (logdebug.h);
//  2. the HTML help wrapper is created; it serves the help buttons of the
//     component's dialogs;
//  3. the short date format becomes "dd/MM/yyyy", the decimal separator "."
//     (formati.h);
//  4. the table password is added to the component's database session.
// With them the component's message service is installed
// (serviziocomponente.h).
#include "directory/logdebug.h"

namespace borgal {

// The table password of the municipality archive.
inline constexpr char PasswordTabelle[] = "tulp41";
// Its raw key, derived once, here.
inline constexpr char ChiaveTabelle[] = "x'696195eeaf6040e0143aed8d211f935a8bcc3cf21b889727fd1db0f7c6112502'";

// Runs the steps when they are not in force.
void AssicuraCaricamento();
// Undoes them; nothing when they are not in force.
void AnnullaCaricamento();
bool CaricamentoInVigore();
// The debug log as read at load (switched off when not in force).
const LogDebug& LogDebugComponente();

} // namespace borgal
