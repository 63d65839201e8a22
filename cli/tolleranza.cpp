// tratte-cli tolleranza: the tolerance check of the dialog on two distances.
#include "comandi.h"

#include "app/tolleranza/regolatolleranza.h"

namespace cli {

int Tolleranza(Contesto& c, const QStringList& argomenti)
{
    if (argomenti.size() != 3) {
        c.errori << "Uso: tratte-cli tolleranza ARCHIVIATA MISURATA ZONA (zona 0, 1 o 2)\n";
        return 2;
    }
    const QString& archiviata = argomenti[0];
    const QString& misurata = argomenti[1];
    bool intero = false;
    const int indice = argomenti[2].toInt(&intero);
    const std::optional<tratte::ZonaRilievo> zona = intero ? tratte::ZonaDaIndice(indice) : std::nullopt;
    if (!zona) {
        c.errori << "Zona non valida: " << argomenti[2] << " (0, 1 o 2)\n";
        return 2;
    }
    if (misurata.isEmpty()) {
        c.errori << "Inserire la distanza rilevata\n";
        return 2;
    }
    for (const QString& testo : {archiviata, misurata})
        if (!tratte::LeggiNumero(testo)) {
            c.errori << "'" << testo << "' non è un valore numerico valido\n";
            return 2;
        }
    const std::optional<tratte::EsitoControllo> esito = tratte::ControllaTolleranza(misurata, archiviata, *zona);
    c.uscita << "Differenza=" << esito->testoDifferenza << '\n'
             << "Tolleranza=" << esito->testoTolleranza << '\n'
             << "Esito=" << esito->testoEsito << '\n';
    return 0;
}

} // namespace cli
