#include "registro/formato_reg.h"

#include <QStringList>
#include <optional>

namespace registro {

namespace {

const QLatin1String Intestazione("Windows Registry Editor Version 5.00");

// Reads a quoted string starting at testo[pos] == '"'; on success pos is
// just past the closing quote.
std::optional<QString> leggiVirgolette(const QString& testo, qsizetype& pos)
{
    QString risultato;
    for (qsizetype i = pos + 1; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if (c == QLatin1Char('"')) {
            pos = i + 1;
            return risultato;
        }
        if (c == QLatin1Char('\\') && i + 1 < testo.size()
            && (testo[i + 1] == QLatin1Char('\\') || testo[i + 1] == QLatin1Char('"')))
            ++i;
        risultato.append(testo[i]);
    }
    return std::nullopt;
}

QString virgolette(const QString& testo)
{
    QString risultato = testo;
    risultato.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    risultato.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + risultato + QLatin1Char('"');
}

// "xx,xx,..." of a hex(1) value: UTF-16LE text ending with a null character.
std::optional<QString> leggiHexStringa(const QString& byteTesto)
{
    QByteArray byte;
    for (const QString& b : byteTesto.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const uint n = b.trimmed().toUInt(&ok, 16);
        if (!ok || n > 0xFF)
            return std::nullopt;
        byte.append(char(n));
    }
    if (byte.size() % 2 != 0)
        return std::nullopt;
    QString testo;
    for (qsizetype i = 0; i < byte.size(); i += 2)
        testo.append(QChar(char16_t(uchar(byte[i]) | (uchar(byte[i + 1]) << 8))));
    // Only the terminator goes: nulls of the text itself are kept, so that
    // writing the value again gives the same bytes.
    if (testo.endsWith(QChar(0)))
        testo.chop(1);
    return testo;
}

QString scriviHexStringa(const QString& testo)
{
    QStringList byte;
    const QString conNullo = testo + QChar(0);
    for (QChar c : conNullo) {
        byte.append(QString::asprintf("%02x", c.unicode() & 0xFF));
        byte.append(QString::asprintf("%02x", c.unicode() >> 8));
    }
    return QLatin1String("hex(1):") + byte.join(QLatin1Char(','));
}

// The right-hand side of a value line.
std::optional<ValoreReg> leggiDato(const QString& destra)
{
    if (destra.startsWith(QLatin1Char('"'))) {
        qsizetype pos = 0;
        auto testo = leggiVirgolette(destra, pos);
        if (!testo || !destra.mid(pos).trimmed().isEmpty())
            return std::nullopt;
        return ValoreReg{{}, ValoreReg::Tipo::Stringa, *testo};
    }
    if (destra.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive)) {
        const QString cifre = destra.mid(6).trimmed();
        bool ok = false;
        const uint n = cifre.toUInt(&ok, 16);
        if (!ok || cifre.size() > 8 || cifre.startsWith(QLatin1Char('-')) || cifre.startsWith(QLatin1Char('+')))
            return std::nullopt;
        return ValoreReg{{}, ValoreReg::Tipo::Dword, QString::number(n)};
    }
    if (destra.startsWith(QLatin1String("hex(1):"), Qt::CaseInsensitive)) {
        auto testo = leggiHexStringa(destra.mid(7));
        if (!testo)
            return std::nullopt;
        return ValoreReg{{}, ValoreReg::Tipo::Stringa, *testo};
    }
    if (destra.startsWith(QLatin1String("hex"), Qt::CaseInsensitive) && destra.contains(QLatin1Char(':')))
        return ValoreReg{{}, ValoreReg::Tipo::Altro, destra};
    return std::nullopt;
}

// A line `"Name"=...` or `@=...`.
std::optional<ValoreReg> leggiValore(const QString& riga)
{
    QString nome;
    qsizetype pos = 0;
    if (riga.startsWith(QLatin1Char('@'))) {
        pos = 1;
    } else {
        auto letto = leggiVirgolette(riga, pos);
        if (!letto)
            return std::nullopt;
        nome = *letto;
    }
    const QString resto = riga.mid(pos).trimmed();
    if (!resto.startsWith(QLatin1Char('=')))
        return std::nullopt;
    auto valore = leggiDato(resto.mid(1).trimmed());
    if (valore)
        valore->nome = nome;
    return valore;
}

// Joins the lines continued with a final backslash (long hex values).
QStringList righeLogiche(const QString& testo)
{
    QStringList righe;
    bool continua = false;
    for (QString riga : testo.split(QLatin1Char('\n'))) {
        if (riga.endsWith(QLatin1Char('\r')))
            riga.chop(1);
        if (continua)
            righe.last() += riga.trimmed();
        else
            righe.append(riga.trimmed());
        const bool valore = righe.last().startsWith(QLatin1Char('"')) || righe.last().startsWith(QLatin1Char('@'));
        continua = valore && righe.last().endsWith(QLatin1Char('\\'));
        if (continua)
            righe.last().chop(1);
    }
    return righe;
}

} // namespace

LetturaReg leggiReg(const QString& testo, const QString& nomeRadice)
{
    LetturaReg lettura;
    ChiaveReg* corrente = nullptr;
    for (const QString& riga : righeLogiche(testo)) {
        if (riga.isEmpty() || riga.startsWith(QLatin1Char(';'))
            || riga == Intestazione || riga == QLatin1String("REGEDIT4"))
            continue;
        if (riga.startsWith(QLatin1Char('['))) {
            const QString percorso = riga.mid(1, riga.size() - 2);
            const QString radice = percorso.section(QLatin1Char('\\'), 0, 0);
            if (riga.endsWith(QLatin1Char(']')) && radice.compare(nomeRadice, Qt::CaseInsensitive) == 0) {
                corrente = &lettura.alveare.crea(percorso.mid(radice.size()));
            } else {
                corrente = nullptr; // another root, a deletion "[-...]" or a broken header
                ++lettura.righeIgnorate;
            }
            continue;
        }
        auto valore = corrente ? leggiValore(riga) : std::nullopt;
        if (!valore) {
            ++lettura.righeIgnorate;
            continue;
        }
        corrente->rimuovi(valore->nome);
        corrente->valori.append(*valore);
    }
    return lettura;
}

QString scriviReg(const Alveare& alveare, const QString& nomeRadice)
{
    QString testo = Intestazione + QLatin1String("\n\n");
    for (const auto& [indice, chiave] : alveare.chiavi()) {
        testo += QLatin1Char('[') + nomeRadice;
        if (!chiave.percorso.isEmpty())
            testo += QLatin1Char('\\') + chiave.percorso;
        testo += QLatin1String("]\n");
        for (const ValoreReg& v : chiave.valori) {
            testo += v.nome.isEmpty() ? QStringLiteral("@") : virgolette(v.nome);
            testo += QLatin1Char('=');
            switch (v.tipo) {
            case ValoreReg::Tipo::Stringa:
                if (v.dato.contains(QLatin1Char('\n')) || v.dato.contains(QLatin1Char('\r')))
                    testo += scriviHexStringa(v.dato);
                else
                    testo += virgolette(v.dato);
                break;
            case ValoreReg::Tipo::Dword:
                testo += QString::asprintf("dword:%08x", v.dato.toUInt());
                break;
            case ValoreReg::Tipo::Altro:
                testo += v.dato;
                break;
            }
            testo += QLatin1Char('\n');
        }
        testo += QLatin1Char('\n');
    }
    return testo;
}

} // namespace registro
