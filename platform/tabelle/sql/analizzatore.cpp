#include "tabelle/sql/analizzatore.h"

#include "tabelle/sql/testo_sql.h"

namespace tabelle::sql {

namespace {

const QStringList fineCondizione{"GROUP", "HAVING", "ORDER", "UNION", "INTERSECT", "EXCEPT"};
const QStringList fineElemento{"FROM", "WHERE", "GROUP", "HAVING", "ORDER", "UNION", "INTERSECT", "EXCEPT"};
const QStringList fineJoin{"JOIN", "INNER", "LEFT", "RIGHT", "FULL", "CROSS", "NATURAL", "WHERE",
                           "GROUP", "HAVING", "ORDER", "UNION", "INTERSECT", "EXCEPT"};
const QStringList aggregati{"COUNT", "SUM", "AVG", "MIN", "MAX"};

// True when an operand can end with this token, so that a name after it is
// an alias ("Count(*) n", "a.b c", "CASE ... END x").
bool finisceOperando(const Token& t)
{
    static const QStringList chiusure{"END", "NULL", "TRUE", "FALSE"};
    return (t.tipo == TipoToken::Parola && (!parolaRiservata(t.testo) || chiusure.contains(t.testo.toUpper())))
        || t.tipo == TipoToken::Virgolettato
        || t.tipo == TipoToken::Stringa || t.tipo == TipoToken::Numero || t.tipo == TipoToken::Parametro
        || t.simbolo(QLatin1StringView(")"));
}

bool nomeAlias(const Token& t)
{
    return (t.tipo == TipoToken::Parola && !parolaRiservata(t.testo))
        || (t.tipo == TipoToken::Virgolettato && !t.testo.isEmpty());
}

} // namespace

Analizzatore::Analizzatore(FlussoToken& flusso, TabelleIstruzione& tabelle) : f_(flusso), tabelle_(tabelle)
{
    note_.ruoli.fill(Ruolo::Espressione, f_.quanti());
    note_.valoreMemorizzato.fill(false, f_.quanti());
}

Tipo Analizzatore::analizza()
{
    if (f_.parola("SELECT")) {
        leggiSelect(true);
        attendiFine();
        return Tipo::Select;
    }
    if (f_.parola("DELETE")) {
        leggiDelete();
        return Tipo::Delete;
    }
    if (f_.parola("UPDATE")) {
        leggiUpdate();
        return Tipo::Update;
    }
    if (f_.parola("INSERT")) {
        leggiInsert();
        return Tipo::Insert;
    }
    f_.errore(QStringLiteral("tipo di istruzione sconosciuto"));
}

void Analizzatore::leggiSelect(bool principale)
{
    f_.attendiParola("SELECT");
    if (f_.accettaParola("DISTINCT"))
        materializza(principale);
    else
        f_.accettaParola("ALL");
    leggiElenco(principale);
    if (f_.accettaParola("FROM")) {
        const int da = f_.posizione();
        leggiFrom(principale);
        if (principale)
            select_.tabelle = select_.corpo = {da, f_.posizione()};
    } else {
        materializza(principale); // nothing to take row keys from
    }
    leggiCondizioni(principale);
    if (principale)
        select_.corpo.a = f_.posizione();
    leggiOrdine(principale);
}

// WHERE, GROUP BY, HAVING and a following UNION.
void Analizzatore::leggiCondizioni(bool principale)
{
    if (f_.accettaParola("WHERE"))
        scorri({fineCondizione});
    if (f_.accettaParola("GROUP")) {
        f_.attendiParola("BY");
        materializza(principale);
        scorri({fineCondizione});
    }
    if (f_.accettaParola("HAVING")) {
        materializza(principale);
        scorri({fineCondizione});
    }
    if (f_.accettaParola("UNION") || f_.accettaParola("INTERSECT") || f_.accettaParola("EXCEPT")) {
        materializza(principale);
        f_.accettaParola("ALL");
        ++sottoquery_;
        leggiSelect(false);
        --sottoquery_;
    }
}

void Analizzatore::leggiOrdine(bool principale)
{
    if (!f_.accettaParola("ORDER"))
        return;
    f_.attendiParola("BY");
    const int da = f_.posizione();
    scorri({});
    if (f_.posizione() == da)
        f_.errore(QStringLiteral("ORDER BY senza campi"));
    if (principale)
        select_.ordine = {da, f_.posizione()};
}

void Analizzatore::leggiElenco(bool principale)
{
    if (principale)
        select_.lista.da = f_.posizione();
    do {
        const int da = f_.posizione();
        scorri({fineElemento, true});
        if (f_.posizione() == da)
            f_.errore(QStringLiteral("manca un campo della selezione"));
        chiudiElemento(da, principale);
    } while (f_.accettaSimbolo(","));
    if (principale)
        select_.lista.a = f_.posizione();
}

// Finds the alias of the select item [da, posizione): "expr AS alias" or
// "expr alias".
void Analizzatore::chiudiElemento(int da, bool principale)
{
    const auto& t = f_.token();
    const int a = f_.posizione();
    ElementoSelezione elemento{{da, a}, {}};
    if (a - da >= 2 && nomeAlias(t[a - 1])) {
        const bool conAs = t[a - 2].parola(QLatin1StringView("AS"));
        if (conAs || finisceOperando(t[a - 2])) {
            elemento.alias = t[a - 1].testo;
            elemento.espressione.a = conAs ? a - 2 : a - 1;
            note_.ruoli[a - 1] = Ruolo::Nome;
            note_.aliasSelezione.append(elemento.alias);
        }
    }
    if (elemento.espressione.vuoto())
        f_.errore(QStringLiteral("manca l'espressione prima dell'alias"), da);
    if (principale)
        select_.elementi.append(elemento);
}

void Analizzatore::leggiFrom(bool principale)
{
    do {
        leggiRiferimento(principale);
        while (leggiJoin(principale)) {
        }
    } while (f_.accettaSimbolo(","));
}

bool Analizzatore::leggiJoin(bool principale)
{
    const int da = f_.posizione();
    f_.accettaParola("NATURAL");
    if (f_.accettaParola("LEFT") || f_.accettaParola("RIGHT") || f_.accettaParola("FULL"))
        f_.accettaParola("OUTER");
    else if (!f_.accettaParola("INNER"))
        f_.accettaParola("CROSS");
    if (!f_.accettaParola("JOIN")) {
        if (f_.posizione() != da)
            f_.errore(QStringLiteral("manca JOIN"));
        return false;
    }
    leggiRiferimento(principale);
    if (f_.accettaParola("ON")) {
        scorri({fineJoin, true});
    } else if (f_.accettaParola("USING")) {
        f_.attendiSimbolo("(");
        scorri({});
        f_.attendiSimbolo(")");
    }
    return true;
}

void Analizzatore::leggiRiferimento(bool principale)
{
    if (f_.simbolo("(") && f_.parola("SELECT", 1)) {
        leggiParentesi();
        if (f_.accettaParola("AS") || f_.aliasPossibile()) {
            const int alias = f_.posizione();
            f_.nome(QStringLiteral("l'alias della sottoquery"));
            note_.ruoli[alias] = Ruolo::Nome;
        }
        materializza(principale); // a derived table has no row keys
        return;
    }
    const int da = f_.posizione();
    const QString nome = f_.nomeTabella();
    const QString alias = f_.alias();
    const int indice = tabelle_.aggiungi(nome, alias, UsoTabella::Sorgente);
    segnaTabella(da, indice);
    if (principale)
        select_.tabelleFrom.append(indice);
}

void Analizzatore::leggiDelete()
{
    f_.attendiParola("DELETE");
    f_.attendiParola("FROM");
    leggiBersaglio();
    if (f_.accettaParola("WHERE"))
        scorri({});
    attendiFine();
}

void Analizzatore::leggiUpdate()
{
    f_.attendiParola("UPDATE");
    leggiBersaglio();
    f_.attendiParola("SET");
    do
        leggiAssegnazione();
    while (f_.accettaSimbolo(","));
    if (f_.accettaParola("WHERE"))
        scorri({});
    attendiFine();
}

void Analizzatore::leggiAssegnazione()
{
    const int da = f_.posizione();
    while (!f_.finito() && !f_.simbolo("=") && !f_.simbolo(",") && !f_.parola("WHERE"))
        f_.avanza();
    if (f_.posizione() == da)
        f_.errore(QStringLiteral("manca la colonna da impostare"));
    segna(da, f_.posizione(), Ruolo::Nome);
    if (!f_.finito())
        note_.ruoli[f_.posizione()] = Ruolo::Assegnazione;
    f_.attendiSimbolo("=");
    const int valore = f_.posizione();
    scorri({{"WHERE"}, true});
    if (f_.posizione() == valore)
        f_.errore(QStringLiteral("manca il valore da assegnare"));
    segnaValori(valore, f_.posizione());
}

void Analizzatore::leggiInsert()
{
    f_.attendiParola("INSERT");
    f_.attendiParola("INTO");
    leggiBersaglio();
    if (f_.simbolo("(") && !f_.parola("SELECT", 1)) {
        f_.avanza();
        const int da = f_.posizione();
        scorri({});
        segna(da, f_.posizione(), Ruolo::Nome);
        f_.attendiSimbolo(")");
    }
    if (f_.accettaParola("VALUES"))
        leggiValori();
    else if (f_.parola("SELECT"))
        leggiSelect(false);
    else
        f_.errore(QStringLiteral("mancano VALUES o SELECT"));
    attendiFine();
}

void Analizzatore::leggiValori()
{
    do {
        f_.attendiSimbolo("(");
        do {
            const int da = f_.posizione();
            scorri({{}, true});
            if (f_.posizione() == da)
                f_.errore(QStringLiteral("manca un valore"));
            segnaValori(da, f_.posizione());
        } while (f_.accettaSimbolo(","));
        f_.attendiSimbolo(")");
    } while (f_.accettaSimbolo(","));
}

// The table a DELETE, UPDATE or INSERT writes to; an alias is allowed, and
// only serves to recognise qualifiers.
void Analizzatore::leggiBersaglio()
{
    const int da = f_.posizione();
    const QString nome = f_.nomeTabella();
    const QString alias = f_.alias();
    segnaTabella(da, tabelle_.aggiungi(nome, alias, UsoTabella::Bersaglio));
}

void Analizzatore::scorri(const Arresti& arresti, bool sottostringa)
{
    while (!f_.finito()) {
        const Token& t = *f_.guarda();
        if (t.simbolo(QLatin1StringView(")")) || (arresti.virgola && t.simbolo(QLatin1StringView(","))))
            return;
        if (t.tipo == TipoToken::Parola && arresti.parole.contains(t.testo.toUpper()))
            return;
        if (sottostringa && (t.parola(QLatin1StringView("FROM")) || t.parola(QLatin1StringView("FOR"))))
            note_.ruoli[f_.posizione()] = Ruolo::Virgola;
        if (t.simbolo(QLatin1StringView("("))) {
            leggiParentesi();
            continue;
        }
        if (t.tipo == TipoToken::Parola && aggregati.contains(t.testo.toUpper()) && f_.simbolo("(", 1))
            materializza(sottoquery_ == 0);
        f_.avanza();
    }
}

// "(" ... ")": a subquery, the arguments of SUBSTRING, or any group.
void Analizzatore::leggiParentesi()
{
    const int aperta = f_.posizione();
    f_.attendiSimbolo("(");
    if (f_.parola("SELECT")) {
        ++sottoquery_;
        leggiSelect(false);
        --sottoquery_;
    } else {
        const bool sottostringa = aperta > 0 && f_.token()[aperta - 1].parola(QLatin1StringView("SUBSTRING"))
            && note_.ruoli[aperta - 1] == Ruolo::Espressione;
        if (sottostringa)
            note_.ruoli[aperta - 1] = Ruolo::Sottostringa;
        scorri({}, sottostringa);
    }
    f_.attendiSimbolo(")");
}

void Analizzatore::segnaTabella(int da, int indice)
{
    segna(da, f_.posizione(), Ruolo::Saltato);
    note_.ruoli[da] = Ruolo::Tabella;
    note_.tabellaDi.insert(da, indice);
}

void Analizzatore::segna(int da, int a, Ruolo ruolo)
{
    for (int i = da; i < a; ++i)
        note_.ruoli[i] = ruolo;
}

void Analizzatore::segnaValori(int da, int a)
{
    for (int i = da; i < a; ++i)
        note_.valoreMemorizzato[i] = true;
}

void Analizzatore::materializza(bool principale)
{
    if (principale)
        select_.materializza = true;
}

void Analizzatore::attendiFine()
{
    if (!f_.finito())
        f_.errore(QStringLiteral("testo inatteso"));
}

} // namespace tabelle::sql
