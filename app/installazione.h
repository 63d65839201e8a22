#pragma once
// What an installer writes for the program: the directory component's
// archive locations, pointing into the installation's ArchivioComuni
// folder, and the program's PathArchivi, the installation folder, when
// they are missing; and the registration of the component libraries found
// in the program folder.
#include <QString>
#include <QStringList>

namespace tratte {

// Writes the missing values and returns a line for each value written.
QStringList RegistraInstallazione(const QString& cartellaProgramma);

} // namespace tratte
