// crea-archivio-comuni: builds the tables of the directory archive folder
// from the CSV sources (data/ArchivioComuni/), run by the build.
//   crea-archivio-comuni CARTELLA_CSV CARTELLA_TABELLE
#include "datiarchivio.h"
#include "scritturaarchivio.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication applicazione(argc, argv);
    const QStringList argomenti = QCoreApplication::arguments().mid(1);
    if (argomenti.size() != 2) {
        std::fprintf(stderr, "Uso: crea-archivio-comuni CARTELLA_CSV CARTELLA_TABELLE\n");
        return 2;
    }
    try {
        const archiviocomuni::TDatiArchivio dati = archiviocomuni::LeggiDatiArchivio(argomenti[0]);
        archiviocomuni::ScriviArchivioComuni(dati, argomenti[1]);
        int sezioni = 0;
        for (const auto& c : dati.comuni)
            sezioni += c.CodiceCatastale.size() > 4;
        std::printf("%s: %lld comuni (%d sezioni), %lld stati esteri, %lld province, %lld comuni passati ad altra provincia\n",
                    qPrintable(argomenti[1]), qsizetype(dati.comuni.size()) - sezioni, sezioni, qsizetype(dati.stati.size()),
                    qsizetype(dati.province.size()), qsizetype(dati.nuoveProvince.size()));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "crea-archivio-comuni: %s\n", e.what());
        return 1;
    }
}
