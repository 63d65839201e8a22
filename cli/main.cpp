// tratte-cli: the scripting front end over the program's own code.
#include "comandi.h"
#include "directory/servizioospite.h"
#include "messaggi/messaggi.h"
#include "servizio_testo.h"
#include "tabelle/dataset.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    // A window object may be made (the directory's candidate dialog) but is
    // never shown: the text message service answers for it.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication applicazione(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tratte"));
    cli::ServizioTesto servizio;
    messaggi::SostituzioneServizio sostituzione(servizio);
    borgal::PubblicazioneServizioMessaggi perIlComponente;

    QTextStream uscita(stdout);
    QTextStream errori(stderr);
    QStringList argomenti = QCoreApplication::arguments().mid(1);
    QString programma = QCoreApplication::applicationDirPath();
    const int opzione = argomenti.indexOf(QStringLiteral("--programma"));
    if (opzione >= 0) {
        if (opzione + 1 >= argomenti.size()) {
            errori << "Opzione --programma senza cartella.\n";
            return 2;
        }
        programma = QDir(argomenti[opzione + 1]).absolutePath();
        argomenti.remove(opzione, 2);
    }
    cli::Contesto contesto{programma, uscita, errori};
    try {
        return cli::Esegui(contesto, argomenti);
    } catch (const tabelle::EAbort&) {
        return 1;
    } catch (const std::exception& e) {
        errori << QString::fromStdString(e.what()) << '\n';
        return 1;
    }
}
