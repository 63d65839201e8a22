// A report file: the input is its text; a file that cannot be read gives
// the reader's own error.
#include "rapporto.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    const QString testo = QString::fromUtf8(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    try {
        const orvo::Rapporto r = orvo::LeggiTestoRapporto(testo, QStringLiteral("Prova.rpt"));
        for (const orvo::Gruppo& g : r.gruppi)
            g.NomeCampo();
        r.PercorsoTabella();
    } catch (const orvo::ErroreRapporto&) {
    }
    return 0;
}
