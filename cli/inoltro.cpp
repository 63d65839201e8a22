// The commands tratte-cli hands to tratte-cli-finestre. That program is the
// same front end built with Qt's graphical part, which these commands may
// need: comune and tratte reach the directory component (its candidate
// dialog), carica and elimina load and delete a series, stampa and libretto
// print (the report engine draws with fonts and printers). tratte-cli
// itself starts without it, so a short command (a search, the province
// list) does not spend most of its time loading libraries it never uses.
// The other program takes the place of this process with the same
// arguments: its output and exit status are the command's.
#include "comandi.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace cli {

namespace {

int Inoltra(Contesto& c)
{
    const QString programma = QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(ProgrammaConFinestre);
    const QByteArray percorso = QFile::encodeName(programma);
    c.uscita.flush();
    c.errori.flush();
    std::fflush(nullptr);
    ::execv(percorso.constData(), c.argomentiProcesso);
    c.errori << "Impossibile avviare " << programma << ", che esegue questo comando: " << QString::fromLocal8Bit(std::strerror(errno))
             << ". Reinstallare il programma.\n";
    return 1;
}

} // namespace

int Comune(Contesto& c, const QCommandLineParser&) { return Inoltra(c); }
int Tratte(Contesto& c, const QCommandLineParser&) { return Inoltra(c); }
int Carica(Contesto& c, const QCommandLineParser&) { return Inoltra(c); }
int Elimina(Contesto& c, const QCommandLineParser&) { return Inoltra(c); }
int Stampa(Contesto& c, const QCommandLineParser&) { return Inoltra(c); }
int Libretto(Contesto& c, const QCommandLineParser&) { return Inoltra(c); }

} // namespace cli
