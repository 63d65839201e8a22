#include "directory/ricercacomuni.h"

#include "directory/registroborgal.h"

namespace borgal {

namespace {

const QString CodiceFiscale = QStringLiteral("CodiceFiscale");
const QString CodiceCatastale = QStringLiteral("CodiceCatastale");
const QString NomeComune = QStringLiteral("NomeComune");
const QString NomeStato = QStringLiteral("NomeStato");

// The lines of Dati of each archive, in their order after TipoDati.
const QStringList ColonneComuni{NomeComune,
                                QStringLiteral("Provincia"),
                                QStringLiteral("Regione"),
                                QStringLiteral("CAP"),
                                QStringLiteral("PrefissoTelefonico"),
                                CodiceFiscale,
                                CodiceCatastale};
const QStringList ColonneStati{NomeStato, CodiceFiscale, CodiceCatastale};

// The exact searches of one archive, in their order, while nothing is found.
bool CercaCodiceONome(TabellaArchivio& tabella, int lunghezza, const QString& valore, const QString& colonnaNome)
{
    if (lunghezza <= LunghezzaMassimaCodice && tabella.Cerca(CodiceFiscale, valore))
        return true;
    if (lunghezza <= LunghezzaMassimaCodice && tabella.Cerca(CodiceCatastale, valore))
        return true;
    return lunghezza <= LunghezzaMassimaNome && tabella.CercaNome(colonnaNome, valore);
}

void ScriviDati(const TabellaArchivio& tabella, const QString& tipo, const QStringList& colonne, QStringList& dati)
{
    dati << QStringLiteral("TipoDati=") + tipo;
    for (const QString& colonna : colonne) {
        const QString valore = tabella.Valore(colonna);
        if (!valore.isEmpty())
            dati << colonna + u'=' + valore;
    }
}

} // namespace

std::optional<ChiaveRicerca> ChiaveRicerca::Da(const QString& testo)
{
    if (testo.isEmpty())
        return std::nullopt;
    ChiaveRicerca chiave;
    chiave.suggerimenti = testo.endsWith(u'*');
    chiave.testo = chiave.suggerimenti ? testo.chopped(1) : testo;
    if (chiave.testo.trimmed().isEmpty())
        return std::nullopt;
    return chiave;
}

RicercaComuni::RicercaComuni(tabelle::TSession& sessione, SceltaCandidato scelta)
    : sessione_(sessione), scelta_(std::move(scelta))
{
}

bool RicercaComuni::CercaComune(bool Comuni, bool Stati, const QString& Testo, QStringList& Dati)
{
    const QString titolo = Dati.value(0);
    const QString restrizione = Dati.value(1);
    Dati.clear();
    const auto chiave = ChiaveRicerca::Da(Testo);
    if (!chiave)
        return false;
    const int lunghezza = chiave->Lunghezza();
    QString valore = chiave->testo.toUpper();

    if (Comuni) {
        TabellaArchivio comuni(sessione_, LeggiFileArchivioComuni());
        bool trovato = CercaCodiceONome(comuni, lunghezza, valore, NomeComune);
        if (!trovato && lunghezza <= LunghezzaMassimaNome && chiave->suggerimenti) {
            const QString scelta = ScegliSuggerimento(Comuni, Stati, chiave->testo, titolo, restrizione);
            if (scelta.isEmpty())
                return false;
            // The name chosen is the key from here on, for the states too.
            valore = scelta.toUpper();
            trovato = comuni.CercaNome(NomeComune, valore);
        }
        if (trovato)
            ScriviDati(comuni, QStringLiteral("COMUNE"), ColonneComuni, Dati);
    }
    if (Dati.isEmpty() && Stati) {
        TabellaArchivio stati(sessione_, LeggiFileArchivioStati());
        if (CercaCodiceONome(stati, lunghezza, valore, NomeStato))
            ScriviDati(stati, QStringLiteral("STATO"), ColonneStati, Dati);
    }
    return !Dati.isEmpty();
}

bool RicercaComuni::EsisteComune(bool Comuni, bool Stati, const QString& Testo)
{
    const auto chiave = ChiaveRicerca::Da(Testo);
    if (!chiave)
        return false;
    const int lunghezza = chiave->Lunghezza();
    const QString& valore = chiave->testo; // as given: no upper case here
    const auto cerca = [&](const QString& percorso, const QString& colonnaNome) {
        TabellaArchivio tabella(sessione_, percorso);
        if (lunghezza <= LunghezzaMassimaCodice
            && (tabella.Cerca(CodiceFiscale, valore) || tabella.Cerca(CodiceCatastale, valore)))
            return true;
        if (lunghezza > LunghezzaMassimaNome)
            return false;
        return chiave->suggerimenti ? tabella.EsistePrefisso(colonnaNome, valore) : tabella.CercaNome(colonnaNome, valore);
    };
    return (Comuni && cerca(LeggiFileArchivioComuni(), NomeComune))
        || (Stati && cerca(LeggiFileArchivioStati(), NomeStato));
}

QString RicercaComuni::ScegliSuggerimento(bool Comuni, bool Stati, const QString& chiave, const QString& titolo,
                                          const QString& restrizione)
{
    QList<Candidato> candidati;
    if (!CercaSuggerimenti(Comuni, Stati, chiave, restrizione, candidati))
        return QString();
    if (candidati.size() == 1)
        return candidati.front().nome;
    QStringList nomi;
    for (const Candidato& c : std::as_const(candidati))
        nomi << c.nome;
    return scelta_ ? scelta_(titolo, DomandaSuggerimento(chiave), nomi) : QString();
}

bool RicercaComuni::CercaSuggerimenti(bool Comuni, bool Stati, const QString& chiave, const QString& restrizione,
                                      QList<Candidato>& candidati)
{
    const qsizetype prima = candidati.size();
    if (Comuni)
        candidati << TabellaArchivio(sessione_, LeggiFileArchivioComuni()).Candidati(NomeComune, chiave, restrizione);
    if (Stati)
        candidati << TabellaArchivio(sessione_, LeggiFileArchivioStati()).Candidati(NomeStato, chiave, QString());
    return candidati.size() > prima;
}

QString RicercaComuni::DomandaSuggerimento(const QString& chiave)
{
    return QStringLiteral("Per \"%1\" cosa intendevi?").arg(chiave);
}

} // namespace borgal
