// A grid layout from the registry: each input line is one of the values
// HEX1, HEX2, ...; what decodes is a layout that, when it is one, is
// written back to the same bytes.
#include "gridkit/griglia/layoutgriglia.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    const QString testo = QString::fromLatin1(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    const QStringList valori = testo.split(QLatin1Char('\n'));
    const std::optional<QByteArray> flusso = gridkit::LeggiPezzi([&](qsizetype i) -> std::optional<QString> {
        if (i >= valori.size())
            return std::nullopt;
        return valori[i];
    });
    if (!flusso)
        return 0;
    // The pieces written for what was read read back to it.
    const QStringList scritti = gridkit::PezziDaScrivere(*flusso);
    if (gridkit::DaPezziEsadecimali(scritti) != flusso)
        abort();
    const auto colonne = gridkit::DeserializzaLayout(*flusso);
    if (colonne && gridkit::SerializzaLayout(*colonne) != *flusso)
        abort();
    return 0;
}
