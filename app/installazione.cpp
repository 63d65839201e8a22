#include "app/installazione.h"

#include "registro/treginifile.h"

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
    return scritti;
}

} // namespace tratte
