// A survey book: the input is its text. A book read without fault names
// only points it has, and every point gets a label; a refused one says
// which line is at fault.
#include "libretto.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    const pregeo::Libretto libretto =
        pregeo::LeggiLibretto(QByteArrayView(reinterpret_cast<const char*>(dati), qsizetype(dimensione)));
    if (!libretto.Errore.isEmpty()) {
        if (libretto.RigaErrore <= 0 || !libretto.Errore.startsWith(QStringLiteral("riga ")))
            abort();
        return 0;
    }
    for (const pregeo::PuntoLibretto& punto : libretto.Punti) {
        if (punto.Riga <= 0 || !pregeo::EtichettaPunto(punto).startsWith("PF"))
            abort();
    }
    for (const pregeo::DistanzaLibretto& d : libretto.Distanze) {
        if (d.I < 0 || d.J < 0 || d.I >= libretto.Punti.size() || d.J >= libretto.Punti.size() || d.I == d.J
            || d.Distanza < 0 || d.ScartoQMedio < 0)
            abort();
    }
    return 0;
}
