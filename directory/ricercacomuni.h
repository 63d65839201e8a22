#pragma once
// RicercaComuni: the lookups of the directory -- what IBorgal's CercaComune
// and EsisteComune do -- without widgets of their own. A text is taken, in
// this order, as a tax code (CodiceFiscale), a cadastral code
// (CodiceCatastale) and a name, first among the comuni, then among the
// foreign states. A name is found as spelt, else in its search form
// (FORLI and FORLI' find FORLÌ, see nomericerca.h); a name followed by
// "*" may be abbreviated, and when
// several names start so the choice is asked of a SceltaCandidato (the
// suggestion dialog, in the component).
#include "directory/tabellaarchivio.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace tabelle {
class TSession;
}

namespace borgal {

// Texts longer than these are never taken as a code, or as a name.
inline constexpr int LunghezzaMassimaCodice = 5;
inline constexpr int LunghezzaMassimaNome = 40;

// The key of a lookup: the text less a trailing "*", which allows
// suggestions. None for an empty text or a key of blanks.
struct ChiaveRicerca {
    QString testo; // untrimmed
    bool suggerimenti = false;
    int Lunghezza() const { return int(testo.size()); }
    static std::optional<ChiaveRicerca> Da(const QString& testo);
};

class RicercaComuni {
public:
    // Asks the user which candidate was meant: the name chosen, or empty.
    using SceltaCandidato =
        std::function<QString(const QString& titolo, const QString& domanda, const QStringList& candidati)>;

    RicercaComuni(tabelle::TSession& sessione, SceltaCandidato scelta);

    // See IBorgal (interfacce.h). Errors of the tables go on to the caller;
    // Dati is then empty.
    bool CercaComune(bool Comuni, bool Stati, const QString& Testo, QStringList& Dati);
    bool EsisteComune(bool Comuni, bool Stati, const QString& Testo);

    // The name meant by an abbreviated key: none found gives empty, one is
    // the choice, several are asked of the SceltaCandidato.
    QString ScegliSuggerimento(bool Comuni, bool Stati, const QString& chiave, const QString& titolo,
                               const QString& restrizione);
    // Appends to `candidati` the comuni (then the states) whose name starts
    // with the key, as the queries return them, duplicates kept; the
    // province restriction limits the comuni. Names compare in their search
    // form where the archive has it. True when any was found.
    using Candidato = TabellaArchivio::Candidato;
    bool CercaSuggerimenti(bool Comuni, bool Stati, const QString& chiave, const QString& restrizione,
                           QList<Candidato>& candidati);

    // Per "key" cosa intendevi?
    static QString DomandaSuggerimento(const QString& chiave);

private:
    tabelle::TSession& sessione_;
    SceltaCandidato scelta_;
};

} // namespace borgal
