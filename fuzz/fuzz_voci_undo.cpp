// The undo journal's INFO entries: the first byte says which, a snapshot or
// a sort; what is read is written and read back the same.
#include "gridkit/modifica/vociundo.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    if (dimensione == 0)
        return 0;
    const QByteArray voce(reinterpret_cast<const char*>(dati) + 1, qsizetype(dimensione - 1));
    if (dati[0] & 1) {
        // A foreign entry may hold an empty text, which is written as one
        // space.
        const auto ordine = gridkit::LeggiOrdine(voce);
        const auto scritto = [](const QString& t) { return t.isEmpty() ? QStringLiteral(" ") : t; };
        if (ordine
            && gridkit::LeggiOrdine(gridkit::ScriviOrdine(ordine->first, ordine->second))
                   != qMakePair(scritto(ordine->first), scritto(ordine->second)))
            abort();
    } else {
        const auto coppie = gridkit::LeggiIstantanea(voce);
        if (coppie && gridkit::LeggiIstantanea(gridkit::ScriviIstantanea(*coppie)) != coppie)
            abort();
    }
    return 0;
}
