#include "gridkit/modifica/vociundo.h"

#include <QtEndian>

namespace gridkit {
namespace {

void ScriviLunghezza(QByteArray& dati, quint32 n)
{
    char b[4];
    qToLittleEndian(n, b);
    dati.append(b, 4);
}

// Reads a length at `pos` and moves past it.
std::optional<quint32> LeggiLunghezza(const QByteArray& dati, qsizetype& pos)
{
    if (pos + 4 > dati.size())
        return std::nullopt;
    const quint32 n = qFromLittleEndian<quint32>(dati.constData() + pos);
    pos += 4;
    return n;
}

// A zero-terminated text of `n` bytes (the zero included) at `pos`.
std::optional<QString> LeggiTerminato(const QByteArray& dati, qsizetype& pos, quint32 n)
{
    if (n == 0 || pos + qsizetype(n) > dati.size() || dati.at(pos + qsizetype(n) - 1) != '\0')
        return std::nullopt;
    const QString testo = QString::fromUtf8(dati.constData() + pos, qsizetype(n) - 1);
    pos += qsizetype(n);
    return testo;
}

void ScriviTerminato(QByteArray& dati, const QString& testo)
{
    const QByteArray b = testo.toUtf8();
    ScriviLunghezza(dati, quint32(b.size() + 1));
    dati.append(b);
    dati.append('\0');
}

void ScriviTesto(QByteArray& dati, const QString& testo)
{
    const QByteArray b = testo.isEmpty() ? QByteArray(" ") : testo.toUtf8();
    ScriviLunghezza(dati, quint32(b.size()));
    dati.append(b);
}

std::optional<QString> LeggiTesto(const QByteArray& dati, qsizetype& pos)
{
    const auto n = LeggiLunghezza(dati, pos);
    if (!n || pos + qsizetype(*n) > dati.size())
        return std::nullopt;
    const QString testo = QString::fromUtf8(dati.constData() + pos, qsizetype(*n));
    pos += qsizetype(*n);
    return testo;
}

} // namespace

QByteArray ScriviIstantanea(const QList<CoppiaIstantanea>& coppie)
{
    QByteArray dati;
    for (const auto& [nome, valore] : coppie) {
        ScriviTerminato(dati, nome);
        ScriviTerminato(dati, valore);
    }
    ScriviLunghezza(dati, 0);
    return dati;
}

std::optional<QList<CoppiaIstantanea>> LeggiIstantanea(const QByteArray& dati)
{
    QList<CoppiaIstantanea> coppie;
    qsizetype pos = 0;
    for (;;) {
        const auto n = LeggiLunghezza(dati, pos);
        if (!n)
            return std::nullopt;
        if (*n == 0)
            return coppie;
        const auto nome = LeggiTerminato(dati, pos, *n);
        const auto m = nome ? LeggiLunghezza(dati, pos) : std::nullopt;
        const auto valore = m ? LeggiTerminato(dati, pos, *m) : std::nullopt;
        if (!valore)
            return std::nullopt;
        coppie << qMakePair(*nome, *valore);
    }
}

QByteArray ScriviOrdine(const QString& campo, const QString& direzione)
{
    QByteArray dati;
    ScriviTesto(dati, campo);
    ScriviTesto(dati, direzione);
    return dati;
}

std::optional<QPair<QString, QString>> LeggiOrdine(const QByteArray& dati)
{
    qsizetype pos = 0;
    const auto campo = LeggiTesto(dati, pos);
    const auto direzione = campo ? LeggiTesto(dati, pos) : std::nullopt;
    if (!direzione)
        return std::nullopt;
    return qMakePair(*campo, *direzione);
}

} // namespace gridkit
