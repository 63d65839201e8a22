#pragma once
// First pass over a SELECT, DELETE, UPDATE or INSERT: reads its structure,
// resolves every table it names (subqueries included) and marks the part
// each token plays, so that the writer can then translate token by token.
#include "tabelle/sql/analisi.h"
#include "tabelle/sql/flusso_token.h"
#include "tabelle/sql/tabelle_istruzione.h"

namespace tabelle::sql {

class Analizzatore {
public:
    Analizzatore(FlussoToken& flusso, TabelleIstruzione& tabelle);

    // Throws EDBEngineError on a statement it cannot read.
    Tipo analizza();
    const Annotazioni& annotazioni() const { return note_; }
    const StrutturaSelect& select() const { return select_; }

private:
    struct Arresti {
        QStringList parole;
        bool virgola = false;
    };

    void leggiSelect(bool principale);
    void leggiCondizioni(bool principale);
    void leggiOrdine(bool principale);
    void leggiElenco(bool principale);
    void chiudiElemento(int da, bool principale);
    void leggiFrom(bool principale);
    bool leggiJoin(bool principale);
    void leggiRiferimento(bool principale);
    void leggiDelete();
    void leggiUpdate();
    void leggiAssegnazione();
    void leggiInsert();
    void leggiValori();
    void leggiBersaglio();

    // Skips an expression up to a stop word or symbol at its own level, or
    // the ")" that closes it; marks what it meets on the way.
    void scorri(const Arresti& arresti, bool sottostringa = false);
    void leggiParentesi();
    void segnaTabella(int da, int indice);
    void segna(int da, int a, Ruolo ruolo);
    void segnaValori(int da, int a);
    void materializza(bool principale);
    void attendiFine();

    FlussoToken& f_;
    TabelleIstruzione& tabelle_;
    Annotazioni note_;
    StrutturaSelect select_;
    int sottoquery_ = 0; // > 0 inside a nested SELECT
};

} // namespace tabelle::sql
