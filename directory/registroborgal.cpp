#include "directory/registroborgal.h"

#include "registro/treginifile.h"

namespace borgal {

namespace {

QString LeggiValore(const QString& nome, const QString& predefinito)
{
    const registro::TRegIniFile chiave(QString::fromLatin1(ChiaveRegistroBorgal));
    return chiave.ReadString(QString::fromLatin1(SezioneArchivi), nome, predefinito);
}

} // namespace

QString LeggiFileArchivioComuni()
{
    return LeggiValore(QStringLiteral("FileNameArchivioComuni"), QStringLiteral("KWARCHIVIOCOMUNI.DB"));
}

QString LeggiFileArchivioStati()
{
    return LeggiValore(QStringLiteral("FileNameArchivioStatiEsteri"), QStringLiteral("KWEsteri.db"));
}

QString LeggiFileArchivioProvince()
{
    return LeggiValore(QStringLiteral("FileNameArchivioProvince"), QStringLiteral("KWProvince.db"));
}

} // namespace borgal
