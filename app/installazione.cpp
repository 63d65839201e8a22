#include "app/installazione.h"

#include "componenti/server.h"
#include "registro/treginifile.h"

#include <QFileInfo>

#include <QDir>

namespace tratte {

QStringList RegistraInstallazione(const QString& cartellaProgramma)
{
    const QString archivio = QDir(cartellaProgramma).absoluteFilePath(QStringLiteral("ArchivioComuni"));
    registro::TRegIniFile chiave(QStringLiteral("\\Software\\QUINTOR\\COMMON\\BORGAL\\"));
    QStringList scritti;
    const QList<QPair<QString, QString>> valori = {
        {QStringLiteral("FileNameArchivioComuni"), QStringLiteral("KWArchivioComuni.db")},
        {QStringLiteral("FileNameArchivioStatiEsteri"), QStringLiteral("KWEsteri.db")},
        {QStringLiteral("FileNameArchivioProvince"), QStringLiteral("KWProvince.db")},
    };
    for (const auto& [nome, file] : valori) {
        if (chiave.ValueExists(QStringLiteral("Archivi"), nome))
            continue;
        const QString percorso = archivio + '/' + file;
        chiave.WriteString(QStringLiteral("Archivi"), nome, percorso);
        scritti << nome + '=' + percorso;
    }
    // The component libraries of the installation, registered in the classes hive.
    const QString borgal = QDir(cartellaProgramma).absoluteFilePath(QStringLiteral("libborgal.so"));
    if (QFileInfo::exists(borgal)) {
        const componenti::HRESULT esito = componenti::RegistraServer(borgal);
        if (!componenti::Riuscito(esito))
            throw componenti::EOleSysError(QStringLiteral("Registrazione di %1 non riuscita.").arg(borgal), esito);
        scritti << QStringLiteral("Registrato ") + borgal;
    }
    return scritti;
}

} // namespace tratte
