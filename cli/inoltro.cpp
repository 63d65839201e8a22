// The commands tratte-cli hands to tratte-cli-finestre. That program is the
// same front end built with Qt's graphical part, which the directory
// component, loading and printing need; tratte-cli itself starts without
// it, so a short command (a search, the province list) does not spend
// most of its time loading libraries it never uses. The other program
// takes the place of this process with the same arguments: its output and
// exit status are the command's.
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
    if (c.argomentiProcesso != nullptr)
        ::execv(percorso.constData(), c.argomentiProcesso);
    const int errore = c.argomentiProcesso != nullptr ? errno : EINVAL;
    c.errori << "Impossibile avviare " << programma << ", che esegue questo comando: " << QString::fromLocal8Bit(std::strerror(errore))
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
