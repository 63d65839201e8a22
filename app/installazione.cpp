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
    // The installation folder that holds the data folder, which the
    // survey-book search reads and the program never writes.
    registro::TRegIniFile programma(QStringLiteral("SOFTWARE\\QUINTOR\\ORBIS77"));
    if (!programma.ValueExists(QStringLiteral("Tratte"), QStringLiteral("PathArchivi"))) {
        const QString cartella = QDir::toNativeSeparators(QDir(cartellaProgramma).absolutePath());
        programma.WriteString(QStringLiteral("Tratte"), QStringLiteral("PathArchivi"), cartella);
        scritti << QStringLiteral("PathArchivi=") + cartella;
    }
    // The component libraries of the installation, registered in the classes hive.
    for (const char* nome : {"libborgal.so", "libzrwinstampa.so", "libvtrpregeo.so"}) {
        const QString libreria = QDir(cartellaProgramma).absoluteFilePath(QLatin1String(nome));
        if (!QFileInfo::exists(libreria))
            continue;
        const componenti::HRESULT esito = componenti::RegistraServer(libreria);
        if (!componenti::Riuscito(esito))
            throw componenti::EOleSysError(QStringLiteral("Registrazione di %1 non riuscita.").arg(libreria), esito);
        scritti << QStringLiteral("Registrato ") + libreria;
    }
    return scritti;
}

} // namespace tratte
