#pragma once
// The empty one-field table the table library starts every table from: no
// rows, one field ID_001_TABLE, auto-increment and primary key, in the
// engine's file format.
#include <QString>

namespace tabelle {

class TSession;

// Writes the empty table at `percorso`, replacing any file of that name
// (the replacement is atomic; a table still in use is an error).
void ScriviTabellaVuota(TSession& sessione, const QString& percorso);

} // namespace tabelle
