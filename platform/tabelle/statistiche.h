#pragma once
// What the storage knows of the size of a table and of how selective each
// of its indexes is: by it a query over several tables chooses which table
// to read first and which index to look the others up in.
#include <QString>

namespace tabelle {

class TSession;

// Refreshes the figures of the table file, inside the transaction in
// progress when there is one (the figures then change with the rows).
// Sampled: a few milliseconds whatever the size of the table.
void AggiornaStatistiche(TSession& sessione, const QString& percorsoTabella);

// The same, only for a table that has no figures yet. For a work table
// refilled at every use: its first figures already tell a query that it is
// small beside the archive, and the sizes vary too little to choose
// another plan.
void AggiornaStatisticheSeMancano(TSession& sessione, const QString& percorsoTabella);

} // namespace tabelle
