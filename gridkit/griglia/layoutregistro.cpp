#include "gridkit/griglia/layoutregistro.h"

#include "gridkit/griglia/layoutesadecimale.h"
#include "registro/tregistry.h"

namespace gridkit {

ArchivioLayoutRegistro::ArchivioLayoutRegistro(const QString& regPathName, const QString& regKey)
    : chiave_(QLatin1Char('\\') + regPathName + QLatin1Char('\\') + regKey),
      chiaveVuota_(regKey.split(QLatin1Char('\\'), Qt::SkipEmptyParts).isEmpty())
{
}

void ArchivioLayoutRegistro::Scrivi(const QByteArray& flusso)
{
    registro::TRegistry registro;
    registro.OpenKey(chiave_, true);
    const QStringList pezzi = PezziDaScrivere(flusso);
    for (qsizetype i = 0; i < pezzi.size(); ++i)
        registro.WriteString(NomePezzo(i), pezzi[i]);
}

std::optional<QByteArray> ArchivioLayoutRegistro::Leggi() const
{
    registro::TRegistry registro;
    if (!registro.OpenKeyReadOnly(chiave_))
        return QByteArray();
    // A missing value reads as empty, which ends the reading as well.
    return LeggiPezzi([&](qsizetype i) { return std::optional(registro.ReadString(NomePezzo(i))); });
}

void ArchivioLayoutRegistro::Cancella()
{
    if (!chiaveVuota_)
        registro::TRegistry().DeleteKey(chiave_);
}

} // namespace gridkit
