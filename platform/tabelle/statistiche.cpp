#include "tabelle/statistiche.h"

#include "tabelle/connessione.h"
#include "tabelle/sessione.h"

namespace tabelle {

void AggiornaStatistiche(TSession& sessione, const QString& percorsoTabella)
{
    Connessione& c = sessione.connessione();
    UsoTabella uso(c, percorsoTabella, false);
    // Each index is sampled over about this many entries.
    c.Esegui(QStringLiteral("PRAGMA analysis_limit = 2000"));
    c.Esegui(QStringLiteral("ANALYZE %1").arg(uso.schema()));
}

} // namespace tabelle
