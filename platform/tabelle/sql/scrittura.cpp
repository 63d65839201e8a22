#include "tabelle/sql/scrittura.h"

#include "tabelle/sql/testo_sql.h"

namespace tabelle::sql {

void Scrittura::aggiungi(const QString& pezzo, bool attaccato)
{
    if (pezzo.isEmpty())
        return;
    const bool senzaSpazio = testo_.isEmpty() || attaccato || testo_.endsWith(u'(') || testo_.endsWith(u'.')
        || pezzo.startsWith(u')') || pezzo.startsWith(u',') || pezzo.startsWith(u'.');
    if (!senzaSpazio)
        testo_ += u' ';
    testo_ += pezzo;
}

QString testoSemplice(const Token& token)
{
    switch (token.tipo) {
    case TipoToken::Parola:
        return parolaRiservata(token.testo) ? token.testo.toUpper() : token.testo;
    case TipoToken::Virgolettato:
        return identificatoreQuotato(token.testo);
    case TipoToken::Stringa:
        return letterale(token.testo);
    case TipoToken::Parametro:
        return u':' + token.testo;
    case TipoToken::Numero:
    case TipoToken::Simbolo:
        break;
    }
    return token.testo;
}

} // namespace tabelle::sql
