// crea-tabelle-lavoro: writes the empty work tables of the point search
// (RicerchePF.db, Combinazioni.db) that the data folder delivers, run by
// the build.
//   crea-tabelle-lavoro CARTELLA
#include "app/ricerca/ricercapf.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication applicazione(argc, argv);
    const QStringList argomenti = QCoreApplication::arguments().mid(1);
    if (argomenti.size() != 1) {
        std::fprintf(stderr, "Uso: crea-tabelle-lavoro CARTELLA\n");
        return 2;
    }
    try {
        QDir().mkpath(argomenti[0]);
        tabelle::TSession sessione;
        tratte::TRicercaPF::CreaTabelleLavoro(sessione, argomenti[0]);
        std::printf("%s: %s, %s\n", qPrintable(argomenti[0]), qPrintable(tratte::TabellaRicerchePF),
                    qPrintable(tratte::TabellaCombinazioni));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "crea-tabelle-lavoro: %s\n", e.what());
        return 1;
    }
}
