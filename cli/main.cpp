// tratte-cli: the scripting front end over the program's own code; built
// twice: tratte-cli with Qt's core only, and tratte-cli-finestre
// (TRATTE_CLI_FINESTRE), which runs the commands that need windows
// (inoltro.cpp names them) and so starts Qt's graphical part.
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

} // namespace

int main(int argc, char** argv)
{
    // First thing: it runs while the command reads its arguments and settings.
    tabelle::PreparazioneCifratura cifratura;
    // A file size limit (ulimit -f) reached while writing a table ends the
    // write with an error, reported as a full disk is, not the program.
    std::signal(SIGXFSZ, SIG_IGN);
    gestorePredefinito = qInstallMessageHandler(MessaggiQt);
    // A window object may be made (the directory's candidate dialog) but is
    // never shown: the text message service answers for it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#if TRATTE_CLI_FINESTRE
    QApplication applicazione(argc, argv);
#else
    QCoreApplication applicazione(argc, argv);
#endif
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
