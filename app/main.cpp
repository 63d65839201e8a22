// The tratte program.
#include "app/archiviodati.h"
#include "messaggi/messaggi.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication applicazione(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tratte"));
    QMainWindow finestra;
    finestra.setWindowTitle(QStringLiteral("Tratte Punti Fiduciali"));
    tratte::TArchivioDati archivio(QCoreApplication::applicationDirPath(), &finestra);
    try {
        archivio.Prepara();
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
    }
    finestra.resize(800, 600);
    finestra.show();
    return applicazione.exec();
}
