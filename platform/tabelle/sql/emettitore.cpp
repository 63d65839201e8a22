#include "tabelle/sql/emettitore.h"

#include "tabelle/sql/scrittura.h"
#include "tabelle/sql/testo_sql.h"
#include "tabelle/sql/tokenizzatore.h"

namespace tabelle::sql {

namespace {

bool nomeOColonna(const Token& t)
{
    return t.tipo == TipoToken::Parola || t.tipo == TipoToken::Virgolettato;
}

QString nome(const Token& t)
{
    if (t.simbolo(QLatin1StringView("*")))
        return t.testo;
    return t.tipo == TipoToken::Virgolettato ? identificatoreQuotato(t.testo) : t.testo;
}

} // namespace

Emettitore::Emettitore(const FlussoToken& flusso, const Annotazioni& note, TabelleIstruzione& tabelle)
    : f_(flusso), t_(flusso.token()), note_(note), tabelle_(tabelle)
{
}

QString Emettitore::testo(Intervallo intervallo, const QHash<int, QString>& sostituzioni)
{
    Scrittura s;
    for (int i = intervallo.da; i < intervallo.a;) {
        const auto sostituto = sostituzioni.find(i);
        if (sostituto != sostituzioni.end()) {
            s.aggiungi(*sostituto);
            ++i;
        } else {
            i = scrivi(i, s);
        }
    }
    return s.testo();
}

// Writes token i and whatever it takes along; returns the next token.
int Emettitore::scrivi(int i, Scrittura& s)
{
    switch (note_.ruoli[i]) {
    case Ruolo::Saltato:
        return i + 1;
    case Ruolo::Tabella:
        s.aggiungi(tabella(i));
        return i + 1;
    case Ruolo::Virgola:
        s.aggiungi(QStringLiteral(","));
        return i + 1;
    case Ruolo::Sottostringa:
        s.aggiungi(QStringLiteral("substr"));
        return i + 1;
    case Ruolo::Assegnazione:
        s.aggiungi(QStringLiteral("="));
        return i + 1;
    case Ruolo::Nome:
        if (nomeOColonna(t_[i])) {
            const int dopo = scriviQualificato(i, s, true);
            if (dopo >= 0)
                return dopo;
            s.aggiungi(nome(t_[i]));
            return i + 1;
        }
        break;
    case Ruolo::Espressione:
        break;
    }
    return scriviEspressione(i, s);
}

int Emettitore::scriviEspressione(int i, Scrittura& s)
{
    const int dopo = scriviQualificato(i, s, false);
    if (dopo >= 0)
        return dopo;
    const Token& t = t_[i];
    switch (t.tipo) {
    case TipoToken::Parola:
        if (t.parola(QLatin1StringView("TRUE")) || t.parola(QLatin1StringView("FALSE")))
            s.aggiungi(t.parola(QLatin1StringView("TRUE")) ? QStringLiteral("1") : QStringLiteral("0"));
        else
            s.aggiungi(testoSemplice(t));
        break;
    case TipoToken::Virgolettato:
        s.aggiungi(virgolettato(i));
        break;
    case TipoToken::Stringa:
        s.aggiungi(valoreTesto(i));
        break;
    case TipoToken::Numero:
    case TipoToken::Parametro:
        s.aggiungi(testoSemplice(t));
        break;
    case TipoToken::Simbolo:
        s.aggiungi(simbolo(i), apreArgomenti(i));
        break;
    }
    return i + 1;
}

// A qualifier naming a cited table becomes that table's alias in the SQLite
// text (or goes, where SQLite wants a bare column); returns the token after
// the column, or -1 when token i is no such qualifier.
int Emettitore::scriviQualificato(int i, Scrittura& s, bool senzaQualificatore)
{
    if (i > 0 && t_[i - 1].simbolo(QLatin1StringView(".")))
        return -1;
    const Qualificatore q = tabelle_.qualificatore(t_, f_.sorgente(), i);
    if (q.tabella < 0)
        return -1;
    const int colonna = i + q.lunghezza;
    if (senzaQualificatore)
        s.aggiungi(nome(t_[colonna]));
    else
        s.aggiungi(tabelle_.tabella(q.tabella).aliasSql + u'.' + nome(t_[colonna]));
    return colonna + 1;
}

QString Emettitore::tabella(int i) const
{
    const int indice = note_.tabellaDi.value(i);
    const TabellaCitata& t = tabelle_.tabella(indice);
    const QString sql = t.schema + u'.' + QString::fromLatin1(NomeInterno);
    return tabelle_.bersaglio(indice) ? sql : sql + QStringLiteral(" AS ") + t.aliasSql;
}

// "x" alone: a column of a cited table or an alias of the selection, else a
// text.
QString Emettitore::virgolettato(int i)
{
    const QString& testo = t_[i].testo;
    const bool identificatore = (i > 0 && t_[i - 1].simbolo(QLatin1StringView(".")))
        || (!testo.isEmpty()
            && (note_.aliasSelezione.contains(testo, Qt::CaseInsensitive) || tabelle_.colonnaCitata(testo)));
    return identificatore ? identificatoreQuotato(testo) : valoreTesto(i);
}

// The engine stores a blank as NULL: a blank compared or stored is NULL.
QString Emettitore::valoreTesto(int i) const
{
    const QString& testo = t_[i].testo;
    const bool nullo = testo.isEmpty() && isolato(i)
        && (confronto(i - 1) || confronto(i + 1) || note_.valoreMemorizzato[i]);
    return nullo ? QStringLiteral("NULL") : letterale(testo);
}

QString Emettitore::simbolo(int i) const
{
    const Token& t = t_[i];
    if (confronto(i) && (operandoNullo(i - 1) || operandoNullo(i + 1)))
        return t.testo == u'=' ? QStringLiteral("IS") : QStringLiteral("IS NOT");
    if (!Tokenizzatore::simboloNoto(t.testo))
        f_.errore(QStringLiteral("carattere non previsto «%1»").arg(t.testo), i);
    return t.testo;
}

// The "(" of a function call is written against the function's name.
bool Emettitore::apreArgomenti(int i) const
{
    if (i == 0 || !t_[i].simbolo(QLatin1StringView("(")))
        return false;
    const Token& prima = t_[i - 1];
    return note_.ruoli[i - 1] == Ruolo::Sottostringa
        || (note_.ruoli[i - 1] == Ruolo::Espressione && prima.tipo == TipoToken::Parola
            && !parolaRiservata(prima.testo));
}

const Token* Emettitore::at(int i) const
{
    return i >= 0 && i < t_.size() ? &t_[i] : nullptr;
}

bool Emettitore::confronto(int i) const
{
    const Token* t = at(i);
    return t && note_.ruoli[i] == Ruolo::Espressione
        && (t->simbolo(QLatin1StringView("=")) || t->simbolo(QLatin1StringView("<>"))
            || t->simbolo(QLatin1StringView("!=")));
}

// Operators that bind tighter than a comparison.
bool Emettitore::stretto(int i) const
{
    static const QStringList operatori{"||", "+", "-", "*", "/", "%"};
    const Token* t = at(i);
    return t
        && ((t->tipo == TipoToken::Simbolo && operatori.contains(t->testo))
            || t->parola(QLatin1StringView("COLLATE")) || t->parola(QLatin1StringView("ESCAPE")));
}

// Token i is a whole operand, not part of a longer expression.
bool Emettitore::isolato(int i) const
{
    return !stretto(i - 1) && !stretto(i + 1);
}

// A blank or a parameter that stands alone on one side of a comparison.
bool Emettitore::operandoNullo(int i) const
{
    const Token* t = at(i);
    if (!t || note_.ruoli[i] != Ruolo::Espressione || !isolato(i))
        return false;
    const bool vuoto = (t->tipo == TipoToken::Stringa || t->tipo == TipoToken::Virgolettato) && t->testo.isEmpty();
    return vuoto || t->tipo == TipoToken::Parametro;
}

} // namespace tabelle::sql
