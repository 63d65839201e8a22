#include "tabelle/sql/composizione_select.h"

#include "tabelle/sql/testo_sql.h"

namespace tabelle::sql {

ComposizioneSelect::ComposizioneSelect(const FlussoToken& flusso, const StrutturaSelect& select,
                                       Emettitore& emettitore, TabelleIstruzione& tabelle)
    : f_(flusso), select_(select), emettitore_(emettitore), tabelle_(tabelle)
{
}

void ComposizioneSelect::componi(Traduzione& traduzione)
{
    traduzione.tipo = Tipo::Select;
    traduzione.istruzioni = {emettitore_.testo({0, f_.quanti()})};
    traduzione.tabelle = tabelle_.inOrdine(select_.tabelleFrom);
    traduzione.tabelleFrom = int(select_.tabelleFrom.size());
    traduzione.materializza = select_.materializza;
    if (!select_.materializza) {
        traduzione.selezioneChiavi = selezioneChiavi();
        traduzione.letturaRiga = letturaRiga();
        if (select_.tabelleFrom.size() == 1)
            traduzione.letturaIntervallo = letturaIntervallo();
    }
}

QString ComposizioneSelect::selezioneChiavi()
{
    QString testo = QStringLiteral("SELECT ") + chiavi().join(QStringLiteral(", ")) + QStringLiteral(" FROM ")
        + emettitore_.testo(select_.corpo);
    if (!select_.ordine.vuoto())
        testo += QStringLiteral(" ORDER BY ") + emettitore_.testo(select_.ordine, ordineSenzaAlias());
    return testo;
}

QString ComposizioneSelect::letturaRiga()
{
    QStringList condizioni = chiavi();
    for (int k = 0; k < condizioni.size(); ++k)
        condizioni[k] += QStringLiteral(" IS :__k%1").arg(k + 1);
    return QStringLiteral("SELECT ") + emettitore_.testo(select_.lista) + QStringLiteral(" FROM ")
        + emettitore_.testo(select_.tabelle) + QStringLiteral(" WHERE ")
        + condizioni.join(QStringLiteral(" AND "));
}

QString ComposizioneSelect::letturaIntervallo()
{
    const QString chiave = chiavi().front();
    return QStringLiteral("SELECT ") + chiave + QStringLiteral(", ") + emettitore_.testo(select_.lista) + QStringLiteral(" FROM ")
        + emettitore_.testo(select_.tabelle) + QStringLiteral(" WHERE ") + chiave + QStringLiteral(" BETWEEN :__da AND :__a ORDER BY ")
        + chiave;
}

QStringList ComposizioneSelect::chiavi() const
{
    QStringList chiavi;
    for (int indice : select_.tabelleFrom)
        chiavi.append(tabelle_.tabella(indice).aliasSql + QStringLiteral(".rowid"));
    return chiavi;
}

// The key query selects rowids only: ORDER BY terms that name a select
// alias or a position are replaced by the expression they stand for.
QHash<int, QString> ComposizioneSelect::ordineSenzaAlias()
{
    QHash<int, QString> sostituzioni;
    const auto& t = f_.token();
    int profondita = 0;
    int inizio = select_.ordine.da;
    for (int i = select_.ordine.da; i <= select_.ordine.a; ++i) {
        if (i == select_.ordine.a || (profondita == 0 && t[i].simbolo(QLatin1StringView(",")))) {
            sostituisciTermine({inizio, i}, sostituzioni);
            inizio = i + 1;
        } else if (t[i].simbolo(QLatin1StringView("("))) {
            ++profondita;
        } else if (t[i].simbolo(QLatin1StringView(")"))) {
            --profondita;
        }
    }
    return sostituzioni;
}

void ComposizioneSelect::sostituisciTermine(Intervallo termine, QHash<int, QString>& sostituzioni)
{
    // An empty term ("Order By a,,b", a comma at the end) is left as it is
    // written, for the engine to refuse.
    if (termine.vuoto())
        return;
    const auto& t = f_.token();
    int fine = termine.a;
    while (fine > termine.da && (t[fine - 1].parola(QLatin1StringView("ASC")) || t[fine - 1].parola(QLatin1StringView("DESC"))))
        --fine;
    bool intero = false;
    const int posizione = t[termine.da].testo.toInt(&intero);
    if (fine - termine.da == 1 && t[termine.da].tipo == TipoToken::Numero && intero) {
        sostituzioni.insert(termine.da, espressionePosizione(posizione, termine.da));
        return;
    }
    for (int i = termine.da; i < fine; ++i) {
        const bool nome = t[i].tipo == TipoToken::Parola || t[i].tipo == TipoToken::Virgolettato;
        const bool qualificato = (i > 0 && t[i - 1].simbolo(QLatin1StringView(".")))
            || (i + 1 < t.size() && (t[i + 1].simbolo(QLatin1StringView(".")) || t[i + 1].simbolo(QLatin1StringView("("))));
        if (!nome || qualificato)
            continue;
        const QString espressione = espressioneAlias(t[i].testo);
        // A lone term names the alias first; inside an expression a column wins.
        if (!espressione.isEmpty() && (fine - termine.da == 1 || !tabelle_.colonnaCitata(t[i].testo)))
            sostituzioni.insert(i, u'(' + espressione + u')');
    }
}

QString ComposizioneSelect::espressioneAlias(const QString& alias)
{
    for (const ElementoSelezione& e : select_.elementi) {
        if (!e.alias.isEmpty() && e.alias.compare(alias, Qt::CaseInsensitive) == 0)
            return emettitore_.testo(e.espressione);
    }
    return {};
}

QString ComposizioneSelect::espressionePosizione(int posizione, int indiceToken)
{
    int contate = 0;
    for (const ElementoSelezione& e : select_.elementi) {
        if (posizione <= contate)
            break;
        const QStringList colonne = colonneDi(e.espressione);
        if (colonne.isEmpty() && ++contate == posizione)
            return u'(' + emettitore_.testo(e.espressione) + u')';
        if (!colonne.isEmpty() && posizione - contate <= colonne.size())
            return colonne[posizione - contate - 1];
        contate += int(colonne.size());
    }
    f_.errore(QStringLiteral("ORDER BY %1 fuori dai campi della selezione").arg(posizione), indiceToken);
}

// The columns a "*" or "x.*" item stands for; empty for any other item.
QStringList ComposizioneSelect::colonneDi(Intervallo espressione)
{
    const auto& t = f_.token();
    if (!t[espressione.a - 1].simbolo(QLatin1StringView("*")))
        return {};
    QList<int> indici;
    if (espressione.a - espressione.da == 1) {
        indici = select_.tabelleFrom;
    } else {
        const Qualificatore q = tabelle_.qualificatore(t, f_.sorgente(), espressione.da);
        if (q.tabella < 0 || espressione.da + q.lunghezza != espressione.a - 1)
            return {};
        indici = {q.tabella};
    }
    QStringList colonne;
    for (int indice : indici) {
        for (const QString& c : tabelle_.colonne(indice))
            colonne.append(tabelle_.tabella(indice).aliasSql + u'.' + identificatore(c));
    }
    return colonne;
}

} // namespace tabelle::sql
