#pragma once
// Table file names as the program writes them: case-blind on a
// case-sensitive file system, with either path separator.
#include <QString>

namespace tabelle {

// Turns "\" into "/" and adds ".db" when the name has no extension.
QString NormalizzaNomeTabella(const QString& nome);

// The existing file whose path equals `percorso` without regard to case,
// component by component; when there is none, `percorso` with the
// components that do exist spelled as on disk (the rest as given), so that
// a new file is created with the spelling the caller used. Always absolute
// and clean (no ".", ".." or doubled "/"): one file, one spelling.
QString RisolviPercorso(const QString& percorso);

// Full path of a table: `nome` when it is absolute, else `cartella` + `nome`.
QString PercorsoTabella(const QString& cartella, const QString& nome);

} // namespace tabelle
