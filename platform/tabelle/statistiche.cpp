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

void AggiornaStatisticheSeMancano(TSession& sessione, const QString& percorsoTabella)
{
    Connessione& c = sessione.connessione();
    UsoTabella uso(c, percorsoTabella, false);
    bool presenti = false;
    {
        Istruzione tabella(c, QStringLiteral("SELECT count(*) FROM %1.sqlite_master WHERE name = 'sqlite_stat1'").arg(uso.schema()));
        if (tabella.Passo() && tabella.Intero(0) > 0) {
            Istruzione righe(c, QStringLiteral("SELECT count(*) FROM %1.sqlite_stat1 WHERE tbl = 'dati'").arg(uso.schema()));
            presenti = righe.Passo() && righe.Intero(0) > 0;
        }
    }
    if (!presenti)
        AggiornaStatistiche(sessione, percorsoTabella);
}

} // namespace tabelle
