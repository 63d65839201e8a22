#include "gridkit/tabella/definizionecampo.h"

#include <QStringList>

namespace gridkit {

namespace {

bool EIntero(const QString& testo, int minimo)
{
    if (testo.isEmpty())
        return false;
    for (QChar c : testo)
        if (c < u'0' || c > u'9')
            return false;
    bool ok = false;
    const int valore = testo.toInt(&ok);
    return ok && valore >= minimo;
}

// The text after the second comma, trimmed; empty when there is none.
QString DopoSecondaVirgola(const QStringList& voci)
{
    return voci.size() > 2 ? voci.mid(2).join(u',').trimmed() : QString();
}

QString Carattere(const QString& dimensione)
{
    return EIntero(dimensione, 1) ? QStringLiteral("CHAR(%1) ").arg(dimensione) : QString();
}

QString TipoSql(const QStringList& voci)
{
    const QString tipo = voci.at(1).toUpper();
    if (tipo == u"MEMO")
        return QStringLiteral("Blob(240,1) ");
    if (tipo == u"BLOB")
        return QStringLiteral("Blob(0,2) ");
    if (tipo == u"S")
        return QStringLiteral("SMALLINT ");
    if (tipo == u"B")
        return QStringLiteral("BOOLEAN ");
    if (tipo == u"D")
        return QStringLiteral("TIMESTAMP ");
    if (tipo == u"I")
        return QStringLiteral("INT ");
    if (tipo == u"A")
        return Carattere(DopoSecondaVirgola(voci));
    if (tipo == u"N") {
        const QString cifre = voci.value(2);
        const QString decimali = voci.value(3).isEmpty() ? QStringLiteral("0") : voci.value(3);
        if (!EIntero(cifre, 1) || !EIntero(decimali, 0))
            return QString();
        return QStringLiteral("NUMERIC(%1,%2) ").arg(cifre, decimali);
    }
    // A bare number is an alpha field of that many characters; a further
    // item, when present, gives the size instead.
    if (!EIntero(voci.at(1), 1))
        return QString();
    return Carattere(voci.size() > 2 ? DopoSecondaVirgola(voci) : voci.at(1));
}

} // namespace

DefinizioneCampo AnalizzaDefinizione(const QString& definizione)
{
    DefinizioneCampo risultato;
    QStringList voci = definizione.split(u',');
    for (QString& voce : voci)
        voce = voce.trimmed();

    risultato.nome = voci.at(0);
    risultato.nomeMemorizzato = QString(risultato.nome).replace(u' ', u'_');
    if (voci.size() < 2 || voci.at(0).isEmpty() || voci.at(1).isEmpty())
        return risultato;

    risultato.tipoSql = TipoSql(voci);
    risultato.valida = !risultato.tipoSql.isEmpty();
    return risultato;
}

} // namespace gridkit
