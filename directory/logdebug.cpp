#include "directory/logdebug.h"

#include "aiuto/applicazione.h"
#include "messaggi/messaggi.h"
#include "registro/errore.h"
#include "registro/tregistry.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace borgal {

namespace {

// The full path of the program that loaded the component.
QString ProgrammaOspite()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}

} // namespace

ImpostazioniLogDebug ImpostazioniLogDebug::Leggi()
{
    ImpostazioniLogDebug i;
    try {
        // Read only: the log's key is not created by reading it.
        registro::TRegistry registro;
        if (!registro.OpenKeyReadOnly(QStringLiteral("\\SOFTWARE\\QUINTOR\\Common\\VTRCOMDBG")))
            return i;
        const auto leggi = [&](const char* nome, const QString& predefinito) {
            const QString n = QString::fromLatin1(nome);
            return registro.ValueExists(n) ? registro.ReadString(n) : predefinito;
        };
        i.attivo = leggi("Activate", QStringLiteral("0")) == QLatin1String("1");
        i.fileCreazione = leggi("CreateFileName", QString());
        i.fileDistruzione = leggi("DestroyFileName", QString());
        const QString azione = leggi("Action", QStringLiteral("0"));
        bool numero = false;
        i.azioni = azione.trimmed().toInt(&numero);
        if (!numero) {
            qWarning("Registro di debug: Action \"%s\" non è un numero intero; nessuna azione.", qUtf8Printable(azione));
            i.azioni = 0;
        }
    } catch (const registro::ERegistryException& e) {
        // A registry that cannot be read leaves the log off: it is a
        // diagnostic aid, not a reason to refuse loading.
        qWarning("Registro di debug non leggibile: %s", qUtf8Printable(e.messaggio()));
        return ImpostazioniLogDebug{};
    }
    return i;
}

QString RigaLogDebug(const QString& etichetta, const QDateTime& quando, const QString& classe, const QString& programma)
{
    return QStringLiteral("%1 %2: %3 [%4]")
        .arg(etichetta, quando.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")), classe, programma);
}

void LogDebug::Creazione(const QString& classe) const
{
    Scrivi(QString::fromLatin1(TitoloCreazione), QString::fromLatin1(EtichettaCreazione), impostazioni_.fileCreazione,
           classe);
}

void LogDebug::Distruzione(const QString& classe) const
{
    Scrivi(QString::fromLatin1(TitoloDistruzione), QString::fromLatin1(EtichettaDistruzione),
           impostazioni_.fileDistruzione, classe);
}

void LogDebug::Scrivi(const QString& titolo, const QString& etichetta, const QString& file, const QString& classe) const
{
    if (!impostazioni_.attivo)
        return;
    if (impostazioni_.azioni & azMessaggio)
        messaggi::MessageBox(aiuto::FinestraPrincipale(), classe, titolo, messaggi::Pulsanti::Ok, messaggi::Icona::Nessuna);
    if ((impostazioni_.azioni & azRiga) && !file.isEmpty()) {
        // A file that cannot be written loses the line, not the object.
        QFile uscita(file);
        if (!uscita.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
            qWarning("Registro di debug: impossibile scrivere \"%s\": %s", qUtf8Printable(file),
                     qUtf8Printable(uscita.errorString()));
            return;
        }
        uscita.write((RigaLogDebug(etichetta, QDateTime::currentDateTime(), classe, ProgrammaOspite()) + u'\n').toUtf8());
    }
}

} // namespace borgal
