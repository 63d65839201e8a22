#pragma once
// What the storage knows of the size of a table and of how selective each
// of its indexes is: by it a query over several tables chooses which table
// to read first and which index to look the others up in.
#include <QString>
#include <QtGlobal>

namespace tabelle {

class TSession;

// Computes the figures of the table file in full, inside the transaction
// in progress when there is one (the figures then change with the rows).
// It reads every index whole: seconds on an archive of millions of rows.
void AggiornaStatistiche(TSession& sessione, const QString& percorsoTabella);

// The same, only for a table that has no figures yet. For a work table
// refilled at every use: its first figures already tell a query that it is
// small beside the archive, and the sizes vary too little to choose
// another plan.
void AggiornaStatisticheSeMancano(TSession& sessione, const QString& percorsoTabella);

// After `variazione` rows were added (or, negative, removed): the row
// counts of the figures follow, while how many rows share a key stays as
// last computed (the archive keeps its shape as provinces come and go).
// Figures are computed in full only when the table has none. A few
// milliseconds whatever the size of the table.
void CorreggiStatistiche(TSession& sessione, const QString& percorsoTabella, qint64 variazione);

} // namespace tabelle
