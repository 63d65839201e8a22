// A grid layout in an ini file: the input is the file. Reading never
// fails but with the store's own error; a layout written into the file is
// then read back as written.
#include "gridkit/griglia/layoutgriglia.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

namespace {

QString percorso;

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static QTemporaryDir dir(QDir::temp().filePath(QStringLiteral("fuzz-ini-XXXXXX")));
    percorso = dir.filePath(QStringLiteral("Griglie.ini"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    {
        QFile f(percorso);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || f.write(reinterpret_cast<const char*>(dati), qint64(dimensione)) != qint64(dimensione))
            abort();
    }
    gridkit::ArchivioLayoutIni archivio(percorso, QStringLiteral("GrigliaArchivio"));
    try {
        if (const auto flusso = archivio.Leggi())
            gridkit::DeserializzaLayout(*flusso);
        const QByteArray layout = gridkit::SerializzaLayout(
            {{QStringLiteral("ComunePF1"), QStringLiteral("Comune"), 80, true, 0},
             {QStringLiteral("Distanza"), QStringLiteral("Distanza (m)"), 120, false, 2}});
        archivio.Scrivi(layout);
        if (archivio.Leggi() != layout)
            abort();
    } catch (const gridkit::ErroreLayoutIni&) {
    }
    return 0;
}
