// The header row's stream container: what is read is saved, read and saved
// again to the same bytes.
#include "gridkit/tabella/infostream.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    const QByteArray flusso(reinterpret_cast<const char*>(dati), qsizetype(dimensione));
    gridkit::TInfoStream contenitore;
    if (!contenitore.LoadFromStream(flusso))
        return 0;
    // A foreign stream may hold an entry without a name: it is kept, and
    // saved again, but no lookup finds it.
    for (const QString& nome : contenitore.Nomi())
        if (!nome.isEmpty() && !contenitore.GetEntry(nome))
            abort();
    QByteArray salvato;
    contenitore.SaveToStream(salvato);
    gridkit::TInfoStream riletto;
    if (!riletto.LoadFromStream(salvato) || riletto.Nomi() != contenitore.Nomi())
        abort();
    QByteArray risalvato;
    riletto.SaveToStream(risalvato);
    if (risalvato != salvato)
        abort();
    return 0;
}
