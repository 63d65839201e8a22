#pragma once
// The commands of tratte-cli. Each returns the exit status and writes its
// output to `uscita`.
#include <QString>
#include <QStringList>
#include <QTextStream>

class QCommandLineParser;

namespace gridkit {
class TNewTable;
}
namespace tratte {
class TArchivioDati;
}

namespace cli {

struct Contesto {
    // The folder the program works in: the installation's when it can be
    // written, else the per-user program folder (app/installazione.h).
    QString cartellaProgramma;
    QTextStream& uscita;
    QTextStream& errori;
    // The installation: tratte-cli's folder or the one of --programma,
    // where the libraries are.
    QString cartellaInstallazione = cartellaProgramma;
    // The process's own arguments, as the system gave them (its name
    // first, a null after the last).
    char** argomentiProcesso = nullptr;
};

// The program that runs the commands needing Qt's graphical part (the
// directory component, loading, printing), in tratte-cli's own folder:
// tratte-cli hands them to it (inoltro.cpp).
inline constexpr char ProgrammaConFinestre[] = "tratte-cli-finestre";

// Each command gets the parser that has read its own options and
// arguments: the options are those listed in rigacomando.cpp and the
// number of arguments is already checked.

int Registra(Contesto& contesto, const QCommandLineParser& riga);
int Province(Contesto& contesto, const QCommandLineParser& riga);
// comune TESTO [--stati | --solo-stati]: the directory's lookup, its lines
// one a line (exit 1 when nothing is found). When the lookup would ask
// which of several names was meant, the candidates instead, one a line:
// name, province and cadastral code, tab-separated; exit 3.
int Comune(Contesto& contesto, const QCommandLineParser& riga);

// tratte [--provincia TESTO] [--comune TESTO]: the archive rows the main
// window shows for that province and comune, tab-separated under a header.
int Tratte(Contesto& contesto, const QCommandLineParser& riga);

// carica CARTELLA [--sostituisci]: loads the folder series; prints
// "SIGLA<TAB>rows". A loaded province is replaced only with --sostituisci
// (otherwise exit 3, nothing changed).
int Carica(Contesto& contesto, const QCommandLineParser& riga);
// elimina SIGLA: deletes a loaded province (exit 1 when it is not loaded).
int Elimina(Contesto& contesto, const QCommandLineParser& riga);
// tolleranza ARCHIVIATA MISURATA ZONA: the tolerance check of the measured
// distance against the archived one in zone 0, 1 or 2; three lines
// Differenza=, Tolleranza=, Esito= as the dialog shows them. 2 for a
// distance the dialog could not hold.
int Tolleranza(Contesto& contesto, const QCommandLineParser& riga);
// cerca PUNTO [PUNTO ...], a point being COMUNE,SEZIONE,FOGLIO,ALLEGATO,PF
// (section and attachment may be empty): the archived distances among the
// points (with one point, those that have it at either end), printed as
// tratte prints them. 2 for a malformed point.
int Cerca(Contesto& contesto, const QCommandLineParser& riga);

// stampa --pdf FILE [--provincia P] [--comune C] [--punto PUNTO]...
// [--ordina CAMPO [--discendente]] [--pagine DA-A] [--copie N]: the view of
// tratte (or, with --punto, the search of cerca), sorted as a title click
// sorts the grid, printed through the report engine to a PDF; prints the
// number of pages. 2 for a bad range ("Intervallo di pagine errato") or
// option.
int Stampa(Contesto& contesto, const QCommandLineParser& riga);

// libretti [CARTELLA]: the books processed correctly of the folder (the
// Pregeo folder when omitted), one name a line without extension; exit 1
// when there is none.
int Libretti(Contesto& contesto, const QCommandLineParser& riga);
// libretto FILE [--pdf OUT]: the survey-book search on one book (with or
// without ".out"): the results table tab-separated under a header, and
// with --pdf printed through the survey-book report. Exit 3 with the main
// window's warning when nothing matches; 1 for a book not processed
// correctly or malformed (the line named), an empty archive or a missing
// PRV.DB.
int Libretto(Contesto& contesto, const QCommandLineParser& riga);

// The view of tratte, and the search of cerca, opened in `tabella` (the
// archive prepared in `archivio`); 0, or the exit status of a failure
// already reported.
int PreparaVista(Contesto& contesto, const QCommandLineParser& riga, tratte::TArchivioDati& archivio,
                 gridkit::TNewTable& tabella);
int PreparaRicerca(Contesto& contesto, const QStringList& punti, tratte::TArchivioDati& archivio, gridkit::TNewTable& tabella);

// The rows of an archive table in the main grid's columns, tab-separated
// under a header line (the header alone for a closed table).
void StampaTratte(Contesto& contesto, const gridkit::TNewTable& tabella);

// Reads "[--programma CARTELLA] COMANDO ARGOMENTI..." (the arguments after
// the program's name) and runs the command; --help (-h) and --version
// print the help or the version and give 0; a command line that is not
// valid gives 2, with a message that names the fault.
int Esegui(Contesto& contesto, const QStringList& argomenti);

} // namespace cli
