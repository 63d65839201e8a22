#include "tabelle/sql/flusso_token.h"

#include "tabelle/sql/testo_sql.h"

namespace tabelle::sql {

FlussoToken::FlussoToken(const QString& sorgente, QList<Token> token)
    : sorgente_(sorgente), token_(std::move(token))
{
}

const Token* FlussoToken::guarda(int avanti) const
{
    const int i = p_ + avanti;
    return i >= 0 && i < quanti() ? &token_[i] : nullptr;
}

bool FlussoToken::parola(const char* chiave, int avanti) const
{
    const Token* t = guarda(avanti);
    return t && t->parola(QLatin1StringView(chiave));
}

bool FlussoToken::simbolo(const char* s, int avanti) const
{
    const Token* t = guarda(avanti);
    return t && t->simbolo(QLatin1StringView(s));
}

bool FlussoToken::accettaParola(const char* chiave)
{
    if (!parola(chiave))
        return false;
    avanza();
    return true;
}

bool FlussoToken::accettaSimbolo(const char* s)
{
    if (!simbolo(s))
        return false;
    avanza();
    return true;
}

void FlussoToken::attendiParola(const char* chiave)
{
    if (!accettaParola(chiave))
        errore(QStringLiteral("manca %1").arg(QLatin1StringView(chiave)));
}

void FlussoToken::attendiSimbolo(const char* s)
{
    if (!accettaSimbolo(s))
        errore(QStringLiteral("manca \"%1\"").arg(QLatin1StringView(s)));
}

const Token& FlussoToken::nome(const QString& cosa)
{
    const Token* t = guarda();
    const bool valido = t
        && ((t->tipo == TipoToken::Parola && !parolaRiservata(t->testo))
            || (t->tipo == TipoToken::Virgolettato && !t->testo.isEmpty()));
    if (!valido)
        errore(QStringLiteral("manca %1").arg(cosa));
    avanza();
    return *t;
}

QString FlussoToken::nomeTabella()
{
    const Token* t = guarda();
    if (t && (t->tipo == TipoToken::Virgolettato || t->tipo == TipoToken::Stringa)) {
        if (t->testo.trimmed().isEmpty())
            errore(QStringLiteral("nome di tabella vuoto"));
        avanza();
        return t->testo;
    }
    const bool inizioValido = t
        && ((t->tipo == TipoToken::Parola && !parolaRiservata(t->testo)) || t->tipo == TipoToken::Numero
            || t->simbolo(QLatin1StringView("/")) || t->simbolo(QLatin1StringView("\\"))
            || t->simbolo(QLatin1StringView(".")));
    if (!inizioValido)
        errore(QStringLiteral("manca il nome della tabella"));
    qsizetype fine = t->inizio;
    while (fine < sorgente_.size() && !sorgente_[fine].isSpace()
           && !QStringLiteral(",();").contains(sorgente_[fine]))
        ++fine;
    while (!finito() && guarda()->inizio < fine)
        avanza();
    return sorgente_.mid(t->inizio, fine - t->inizio);
}

bool FlussoToken::aliasPossibile() const
{
    const Token* t = guarda();
    return t
        && (t->parola(QLatin1StringView("AS"))
            || (t->tipo == TipoToken::Parola && !parolaRiservata(t->testo))
            || (t->tipo == TipoToken::Virgolettato && !t->testo.isEmpty()));
}

QString FlussoToken::alias()
{
    if (accettaParola("AS"))
        return nome(QStringLiteral("l'alias dopo AS")).testo;
    return aliasPossibile() ? nome(QString()).testo : QString();
}

void FlussoToken::verificaParentesi() const
{
    QList<int> aperte;
    for (int i = 0; i < quanti(); ++i) {
        if (token_[i].simbolo(QLatin1StringView("(")))
            aperte.append(i);
        else if (token_[i].simbolo(QLatin1StringView(")")) && aperte.isEmpty())
            errore(QStringLiteral("parentesi chiusa senza la sua aperta"), i);
        else if (token_[i].simbolo(QLatin1StringView(")")))
            aperte.removeLast();
    }
    if (!aperte.isEmpty())
        errore(QStringLiteral("parentesi non chiusa"), aperte.last());
}

QString FlussoToken::estratto() const
{
    return finito() ? QString() : estrattoDa(sorgente_, guarda()->inizio);
}

void FlussoToken::errore(const QString& motivo) const
{
    errore(motivo, p_);
}

void FlussoToken::errore(const QString& motivo, int indice) const
{
    if (indice >= quanti())
        istruzioneNonValida(motivo + QStringLiteral(" alla fine di «") + sorgente_.simplified().right(60)
                                + QStringLiteral("»"),
                            sorgente_, -1);
    istruzioneNonValida(motivo, sorgente_, token_[qMax(indice, 0)].inizio);
}

} // namespace tabelle::sql
