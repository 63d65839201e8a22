#pragma once
// Builds the three texts of a translated SELECT: the whole query, the query
// of its row keys (one rowid per table of the main FROM, in the query's
// order) and the reading of one row from its keys.
#include "tabelle/sql/analisi.h"
#include "tabelle/sql/emettitore.h"
#include "tabelle/sql/traduttore.h"

namespace tabelle::sql {

class ComposizioneSelect {
public:
    ComposizioneSelect(const FlussoToken& flusso, const StrutturaSelect& select, Emettitore& emettitore,
                       TabelleIstruzione& tabelle);

    // Fills every SELECT member of `traduzione`.
    void componi(Traduzione& traduzione);

private:
    QString selezioneChiavi();
    QString letturaRiga();
    QString letturaIntervallo();
    QStringList chiavi() const;
    QHash<int, QString> ordineSenzaAlias();
    void sostituisciTermine(Intervallo termine, QHash<int, QString>& sostituzioni);
    QString espressioneAlias(const QString& alias);
    QString espressionePosizione(int posizione, int indiceToken);
    QStringList colonneDi(Intervallo espressione);

    const FlussoToken& f_;
    const StrutturaSelect& select_;
    Emettitore& emettitore_;
    TabelleIstruzione& tabelle_;
};

} // namespace tabelle::sql
