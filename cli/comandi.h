#pragma once
// The commands of tratte-cli. Each returns the exit status and writes its
// output to `uscita`.
#include <QString>
#include <QStringList>
#include <QTextStream>

namespace gridkit {
class TNewTable;
}

namespace cli {

struct Contesto {
    QString cartellaProgramma;
    QTextStream& uscita;
    QTextStream& errori;
};

int Registra(Contesto& contesto, const QStringList& argomenti);
int Province(Contesto& contesto, const QStringList& argomenti);
// comune TESTO [--stati]: the directory's lookup, its lines one a line.
int Comune(Contesto& contesto, const QStringList& argomenti);

// tratte [--provincia TESTO] [--comune TESTO]: the archive rows the main
// window shows for that province and comune, tab-separated under a header.
int Tratte(Contesto& contesto, const QStringList& argomenti);

// carica CARTELLA [--sostituisci]: loads the folder series; prints
// "SIGLA<TAB>rows". A loaded province is replaced only with --sostituisci
// (otherwise exit 3, nothing changed).
int Carica(Contesto& contesto, const QStringList& argomenti);
// elimina SIGLA: deletes a loaded province (exit 1 when it is not loaded).
int Elimina(Contesto& contesto, const QStringList& argomenti);
// tolleranza ARCHIVIATA MISURATA ZONA: the tolerance check of the measured
// distance against the archived one in zone 0, 1 or 2; three lines
// Differenza=, Tolleranza=, Esito= as the dialog shows them.
int Tolleranza(Contesto& contesto, const QStringList& argomenti);
// cerca PUNTO [PUNTO ...], a point being COMUNE,SEZIONE,FOGLIO,ALLEGATO,PF
// (section and attachment may be empty): the archived distances among the
// points (with one point, those that have it at either end), printed as
// tratte prints them. 2 for a malformed point.
int Cerca(Contesto& contesto, const QStringList& argomenti);

// The rows of an archive table in the main grid's columns, tab-separated
// under a header line (the header alone for a closed table).
void StampaTratte(Contesto& contesto, const gridkit::TNewTable& tabella);

// Dispatches "COMANDO ARGOMENTI...": the global options are already read.
int Esegui(Contesto& contesto, const QStringList& argomenti);

} // namespace cli
