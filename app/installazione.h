#pragma once
// What an installer writes for the program: the directory component's
// archive locations, pointing into the installation's ArchivioComuni
// folder, and the program's PathArchivi, the installation folder, when
// they are missing; and the registration of the component libraries found
// in the program folder.
//
// The program folder the program works in: the installation's own folder
// when it can be written (a portable folder), else, for an installation
// the user cannot write (a package under /opt), the per-user program
// folder $XDG_DATA_HOME/tratte (default ~/.local/share/tratte), seeded
// with copies of the delivered tables, reports, help and samples and
// registered like an installation.
#include <QString>
#include <QStringList>

namespace tratte {

// Writes the missing values and returns a line for each value written. The
// component libraries are looked for in `cartellaLibrerie` (by default the
// program folder).
QStringList RegistraInstallazione(const QString& cartellaProgramma, const QString& cartellaLibrerie = QString());

// Registers the component libraries of the installation in the machine's
// classes hive (what the package does after installing) or, with
// `cancella`, removes them from it. Returns a line for each library.
QStringList RegistraMacchina(const QString& cartellaInstallazione, bool cancella);

// The per-user program folder: $XDG_DATA_HOME/tratte, ~/.local/share/tratte
// when the variable is not set.
QString CartellaProgrammaUtente();

// The program folder to work in for the installation in
// `cartellaInstallazione` (see above). The per-user folder gets the
// delivered files it lacks (never replacing one) and, when it got any, the
// registration. Throws std::runtime_error when it cannot be made.
QString CartellaDiLavoro(const QString& cartellaInstallazione);

} // namespace tratte
