// A registry hive file: the input is its text. What is read is written and
// read again without a line lost, and written again to the same text.
#include "registro/formato_reg.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    const QString testo = QString::fromUtf8(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    for (const QString radice : {QStringLiteral("HKEY_CURRENT_USER"), QStringLiteral("HKEY_CLASSES_ROOT")}) {
        const registro::LetturaReg letto = registro::leggiReg(testo, radice);
        const QString scritto = registro::scriviReg(letto.alveare, radice);
        const registro::LetturaReg riletto = registro::leggiReg(scritto, radice);
        if (riletto.righeIgnorate != 0)
            abort();
        if (registro::scriviReg(riletto.alveare, radice) != scritto)
            abort();
    }
    return 0;
}
