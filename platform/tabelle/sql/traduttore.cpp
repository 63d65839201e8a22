#include "tabelle/sql/traduttore.h"

#include "tabelle/sql/analizzatore.h"
#include "tabelle/sql/composizione_select.h"
#include "tabelle/sql/emettitore.h"
#include "tabelle/sql/struttura.h"
#include "tabelle/sql/testo_sql.h"
#include "tabelle/sql/tokenizzatore.h"

namespace tabelle::sql {

namespace {

// SELECT, DELETE, UPDATE, INSERT: analysis, then writing.
Traduzione traduciDati(FlussoToken& flusso, TabelleIstruzione& tabelle)
{
    Analizzatore analizzatore(flusso, tabelle);
    const Tipo tipo = analizzatore.analizza();
    Emettitore emettitore(flusso, analizzatore.annotazioni(), tabelle);
    Traduzione traduzione;
    if (tipo == Tipo::Select) {
        ComposizioneSelect(flusso, analizzatore.select(), emettitore, tabelle).componi(traduzione);
        return traduzione;
    }
    traduzione.tipo = tipo;
    traduzione.istruzioni = {emettitore.testo({0, flusso.quanti()})};
    traduzione.tabelle = tabelle.inOrdine({});
    return traduzione;
}

} // namespace

Traduzione traduci(const QString& testo, Risolutore& risolutore)
{
    FlussoToken flusso(testo, Tokenizzatore::dividi(testo));
    if (flusso.finito())
        istruzioneNonValida(QStringLiteral("testo vuoto"), testo, -1);
    flusso.verificaParentesi();
    TabelleIstruzione tabelle(risolutore);
    if (flusso.parola("ALTER") || flusso.parola("CREATE") || flusso.parola("DROP"))
        return TraduttoreStruttura(flusso, tabelle).traduci();
    return traduciDati(flusso, tabelle);
}

} // namespace tabelle::sql
