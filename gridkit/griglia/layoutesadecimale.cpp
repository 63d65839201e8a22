#include "gridkit/griglia/layoutesadecimale.h"

namespace gridkit {

namespace {

int ValoreCifra(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

QStringList PezziEsadecimali(const QByteArray& flusso)
{
    const QString testo = QString::fromLatin1(flusso.toHex().toUpper());
    QStringList pezzi;
    for (qsizetype i = 0; i < testo.size(); i += LunghezzaPezzo)
        pezzi.append(testo.mid(i, LunghezzaPezzo));
    return pezzi;
}

std::optional<QByteArray> DaPezziEsadecimali(const QStringList& pezzi)
{
    QByteArray flusso;
    for (const QString& pezzo : pezzi) {
        if (pezzo.size() % 2 != 0)
            return std::nullopt;
        for (qsizetype i = 0; i < pezzo.size(); i += 2) {
            const int alta = ValoreCifra(pezzo[i]);
            const int bassa = ValoreCifra(pezzo[i + 1]);
            if (alta < 0 || bassa < 0)
                return std::nullopt;
            flusso.append(static_cast<char>(alta * 16 + bassa));
        }
        if (pezzo.size() < LunghezzaPezzo)
            break;
    }
    return flusso;
}

QStringList PezziDaScrivere(const QByteArray& flusso)
{
    QStringList pezzi = PezziEsadecimali(flusso);
    if (pezzi.isEmpty() || pezzi.last().size() == LunghezzaPezzo)
        pezzi.append(QString());
    return pezzi;
}

QString NomePezzo(qsizetype indice)
{
    return QStringLiteral("HEX%1").arg(indice + 1);
}

std::optional<QByteArray> LeggiPezzi(const std::function<std::optional<QString>(qsizetype)>& valore)
{
    QStringList pezzi;
    for (qsizetype i = 0;; ++i) {
        std::optional<QString> pezzo = valore(i);
        if (!pezzo)
            break;
        pezzi.append(*pezzo);
        if (pezzo->size() < LunghezzaPezzo)
            break;
    }
    return DaPezziEsadecimali(pezzi);
}

} // namespace gridkit
