#include "gridkit/tabella/bloccononome.h"

#include <algorithm>

namespace gridkit {

namespace {
constexpr qsizetype PosizioneLunghezza = 4;
constexpr qsizetype PosizioneCaratteri = 5;
} // namespace

QByteArray ScriviBloccoNome(const QString& nome, int massimo)
{
    const int limite = std::clamp(massimo, 0, CaratteriMassimiBlocco);
    const QByteArray caratteri = nome.left(limite).toLatin1();
    QByteArray blocco(DimensioneBloccoNome, '\0');
    blocco[PosizioneLunghezza] = static_cast<char>(caratteri.size());
    std::copy(caratteri.begin(), caratteri.end(), blocco.begin() + PosizioneCaratteri);
    return blocco;
}

std::optional<QString> LeggiBloccoNome(QByteArrayView dati, qsizetype posizione)
{
    if (posizione < 0 || dati.size() - posizione < DimensioneBloccoNome)
        return std::nullopt;
    const QByteArrayView blocco = dati.sliced(posizione, DimensioneBloccoNome);
    const qsizetype lunghezza = std::min<qsizetype>(
        static_cast<unsigned char>(blocco[PosizioneLunghezza]), CaratteriMassimiBlocco);
    return QString::fromLatin1(blocco.sliced(PosizioneCaratteri, lunghezza));
}

} // namespace gridkit
