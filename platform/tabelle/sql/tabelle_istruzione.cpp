#include "tabelle/sql/tabelle_istruzione.h"

#include "tabelle/errore.h"
#include "tabelle/sql/testo_sql.h"

#include <algorithm>

namespace tabelle::sql {

namespace {

// "C:\x\Tratte.DB" -> "Tratte.DB"
QString nomeFile(const QString& nome)
{
    return nome.mid(qMax(nome.lastIndexOf(u'/'), nome.lastIndexOf(u'\\')) + 1);
}

// "C:\x\Tratte.DB" -> "Tratte"
QString nomeBase(const QString& nome)
{
    QString base = nomeFile(nome);
    if (base.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive))
        base.chop(3);
    return base;
}

bool colonnaDopoPunto(const QList<Token>& token, int i)
{
    return i < token.size()
        && (token[i].tipo == TipoToken::Parola || token[i].tipo == TipoToken::Virgolettato
            || token[i].simbolo(QLatin1StringView("*")));
}

} // namespace

int TabelleIstruzione::aggiungi(const QString& nome, const QString& alias, UsoTabella uso)
{
    TabellaCitata t;
    t.nome = nome;
    t.alias = alias;
    t.schema = risolutore_.schema(nome, uso == UsoTabella::Nuova);
    if (t.schema.isEmpty())
        throw EDBEngineError(QStringLiteral("Tabella non raggiungibile: %1").arg(nome));
    if (uso != UsoTabella::Sorgente)
        t.aliasSql = QString::fromLatin1(NomeInterno);
    else
        t.aliasSql = alias.isEmpty() ? aliasGenerato(t.schema) : identificatore(alias);
    tabelle_.append(t);
    // The names table i answers to as a qualifier, strongest first (some
    // may be empty).
    nomi_.append({alias, nome, nomeFile(nome), nomeBase(nome)});
    usi_.append(uso);
    return quante() - 1;
}

QString TabelleIstruzione::aliasGenerato(const QString& schema) const
{
    const QString base = u'_' + schema;
    QString alias = base;
    for (int n = 2;; ++n) {
        const bool usato = std::any_of(tabelle_.begin(), tabelle_.end(), [&](const TabellaCitata& t) {
            return t.aliasSql.compare(alias, Qt::CaseInsensitive) == 0;
        });
        if (!usato)
            return alias;
        alias = base + u'_' + QString::number(n);
    }
}

int TabelleIstruzione::perNome(const QString& testo) const
{
    for (int livello = 0; livello < 4; ++livello) {
        for (int i = 0; i < quante(); ++i) {
            const QString& nome = nomiDi(i)[livello];
            if (!nome.isEmpty() && nome.compare(testo, Qt::CaseInsensitive) == 0)
                return i;
        }
    }
    return -1;
}

Qualificatore TabelleIstruzione::qualificatore(const QList<Token>& token, const QString& sorgente, int i) const
{
    const Token& t = token[i];
    if (t.tipo == TipoToken::Parola)
        return qualificatoreNudo(token, sorgente, i);
    const bool quotato = t.tipo == TipoToken::Virgolettato || t.tipo == TipoToken::Stringa;
    const bool punto = i + 1 < token.size() && token[i + 1].simbolo(QLatin1StringView("."));
    if (quotato && punto && colonnaDopoPunto(token, i + 2))
        return {perNome(t.testo), 2};
    return {};
}

// A bare qualifier may span several tokens (TRATTE.DB.Campo): the source
// text is matched against every name a table answers to; the longest wins,
// aliases first among equals.
Qualificatore TabelleIstruzione::qualificatoreNudo(const QList<Token>& token, const QString& sorgente, int i) const
{
    const qsizetype inizio = token[i].inizio;
    Qualificatore migliore;
    qsizetype lunghezza = 0;
    for (int livello = 0; livello < 4; ++livello) {
        for (int n = 0; n < quante(); ++n) {
            const QString& nome = nomiDi(n)[livello];
            if (nome.isEmpty() || nome.size() <= lunghezza || nome.contains(u' ')
                || QStringView(sorgente).mid(inizio, nome.size()).compare(nome, Qt::CaseInsensitive) != 0)
                continue;
            int punto = i;
            while (punto < token.size() && token[punto].inizio < inizio + nome.size())
                ++punto;
            const bool confine = punto < token.size() && token[punto].inizio == inizio + nome.size()
                && token[punto].simbolo(QLatin1StringView("."));
            if (confine && colonnaDopoPunto(token, punto + 1)) {
                migliore = {n, punto - i + 1};
                lunghezza = nome.size();
            }
        }
    }
    return migliore;
}

const QStringList& TabelleIstruzione::colonne(int i)
{
    auto trovata = colonne_.find(i);
    if (trovata == colonne_.end())
        trovata = colonne_.insert(i, risolutore_.colonne(tabelle_[i].nome));
    return *trovata;
}

bool TabelleIstruzione::colonnaCitata(const QString& nome)
{
    for (int i = 0; i < quante(); ++i) {
        if (usi_[i] != UsoTabella::Nuova && colonne(i).contains(nome, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QList<TabellaCitata> TabelleIstruzione::inOrdine(const QList<int>& primi) const
{
    QList<TabellaCitata> elenco;
    for (int i : primi)
        elenco.append(tabelle_[i]);
    for (int i = 0; i < quante(); ++i) {
        if (!primi.contains(i))
            elenco.append(tabelle_[i]);
    }
    return elenco;
}

} // namespace tabelle::sql
