// tratte-cli: the scripting front end over the program's own code; built
// twice: tratte-cli with Qt's core only, and tratte-cli-finestre
// (TRATTE_CLI_FINESTRE), which runs the commands that need windows.
#include "comandi.h"
#include "directory/servizioospite.h"
#include "messaggi/messaggi.h"
#include "servizio_testo.h"
#include "tabelle/cifratura.h"
#include "tabelle/dataset.h"

#include <QCoreApplication>
#if TRATTE_CLI_FINESTRE
#include <QApplication>
#endif
#include <csignal>
#include <cstdio>
#include <memory>

namespace {

// Standard error carries the program's own messages only. Qt's notes on
// its set-up (the runtime folder missing without a desktop session, its
// "qt." categories) are not about the work asked and do not reach it,
// unless QT_LOGGING_RULES is set for a diagnosis.
QtMessageHandler gestorePredefinito = nullptr;

void MessaggiQt(QtMsgType tipo, const QMessageLogContext& contesto, const QString& messaggio)
{
    const bool diQt = qstrncmp(contesto.category ? contesto.category : "", "qt.", 3) == 0
        || messaggio.startsWith(QLatin1String("QStandardPaths: "));
    if (diQt && tipo != QtFatalMsg && qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        return;
    gestorePredefinito(tipo, contesto, messaggio);
}

#if TRATTE_CLI_FINESTRE
// The command word: the first argument that is neither an option nor the
// folder of --programma.
QByteArray Comando(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray a(argv[i]);
        if (a == "--programma")
            ++i;
        else if (!a.startsWith('-'))
            return a;
    }
    return {};
}

// Only the commands that reach the directory component (its candidate
// dialog), load and delete a series, or print (the report engine draws
// with fonts and printers) may make a window object; the
// others start without the graphical part of Qt, which is most of the
// time a short command takes.
bool ServonoFinestre(const QByteArray& comando)
{
    return comando == "tratte" || comando == "comune" || comando == "carica" || comando == "elimina" || comando == "stampa"
        || comando == "libretto";
}
#endif

} // namespace

int main(int argc, char** argv)
{
    // A file size limit (ulimit -f) reached while writing a table ends the
    // write with an error, reported as a full disk is, not the program.
    // First thing: it runs while the command reads its arguments and settings.
    tabelle::PreparazioneCifratura cifratura;
    std::signal(SIGXFSZ, SIG_IGN);
    gestorePredefinito = qInstallMessageHandler(MessaggiQt);
    // A window object may be made (the directory's candidate dialog) but is
    // never shown: the text message service answers for it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> applicazione;
#if TRATTE_CLI_FINESTRE
    if (ServonoFinestre(Comando(argc, argv)))
        applicazione = std::make_unique<QApplication>(argc, argv);
#endif
    if (!applicazione)
        applicazione = std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tratte"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TRATTE_VERSIONE));
    cli::ServizioTesto servizio;
    messaggi::SostituzioneServizio sostituzione(servizio);
    borgal::PubblicazioneServizioMessaggi perIlComponente;

    QTextStream uscita(stdout);
    QTextStream errori(stderr);
    cli::Contesto contesto{QCoreApplication::applicationDirPath(), uscita, errori};
    contesto.argomentiProcesso = argv;
    try {
        return cli::Esegui(contesto, QCoreApplication::arguments().mid(1));
    } catch (const tabelle::EAbort&) {
        return 1;
    } catch (const std::exception& e) {
        errori << QString::fromStdString(e.what()) << '\n';
        return 1;
    }
}
