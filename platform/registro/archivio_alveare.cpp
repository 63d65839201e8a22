#include "registro/archivio_alveare.h"

#include "registro/errore.h"
#include "registro/formato_reg.h"
#include "registro/tregistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace registro {

namespace {

struct FileLetto {
    LetturaReg lettura;
    QByteArray byte;
};

FileLetto leggiFile(const QString& percorso, const QString& nomeRadice)
{
    QFile file(percorso);
    if (!file.exists())
        return {};
    const QString nativo = QDir::toNativeSeparators(percorso);
    if (QFileInfo(percorso).isDir())
        throw ERegistryException(QStringLiteral("Impossibile leggere il registro «%1»: è una cartella.").arg(nativo));
    if (!file.open(QIODevice::ReadOnly))
        throw ERegistryException(
            QStringLiteral("Impossibile leggere il registro «%1» (%2).").arg(nativo, file.errorString()));
    FileLetto letto;
    letto.byte = file.readAll();
    // Files written here are UTF-8; one saved by a Windows tool may be UTF-16 with a BOM.
    auto codifica = QStringConverter::encodingForData(letto.byte).value_or(QStringConverter::Utf8);
    QStringDecoder decodifica(codifica);
    letto.lettura = leggiReg(decodifica(letto.byte), nomeRadice);
    return letto;
}

void salva(const QString& percorso, const QByteArray& contenuto)
{
    // The cause as the system gives it, a full disk said in Italian; the
    // system error is taken at once, before anything else can change it.
    auto errore = [&](int numero, const QString& causa) {
        const bool pieno = numero == ENOSPC || numero == EFBIG || numero == EDQUOT;
        return ERegistryException(
            QStringLiteral("Impossibile scrivere il registro «%1» (%2). Il contenuto precedente è rimasto invariato.")
                .arg(QDir::toNativeSeparators(percorso), pieno ? QStringLiteral("spazio su disco esaurito") : causa));
    };
    auto erroreFile = [&](const QSaveFile& file) {
        const int numero = errno;
        return errore(numero, file.errorString());
    };
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        throw erroreFile(file);
    if (file.write(contenuto) != contenuto.size() || !file.flush())
        throw erroreFile(file); // QSaveFile drops its temporary file
    if (::fsync(file.handle()) != 0) {
        const int numero = errno;
        throw errore(numero, QString::fromLocal8Bit(strerror(numero)));
    }
    if (!file.commit())
        throw erroreFile(file);
}

} // namespace

ArchivioAlveare::ArchivioAlveare(Radice radice) : radice_(radice) {}

QString ArchivioAlveare::cartella()
{
    const QString scelta = qEnvironmentVariable("TRATTE_REGISTRO");
    if (!scelta.isEmpty())
        return scelta;
    QString configurazione = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (configurazione.isEmpty())
        configurazione = QDir::homePath() + QStringLiteral("/.config");
    return configurazione + QStringLiteral("/quintor-registro");
}

QString ArchivioAlveare::cartellaMacchina()
{
    const QString scelta = qEnvironmentVariable("TRATTE_REGISTRO_MACCHINA");
    if (!scelta.isEmpty() || !qEnvironmentVariableIsEmpty("TRATTE_REGISTRO"))
        return scelta;
    const QStringList configurazioni = qEnvironmentVariable("XDG_CONFIG_DIRS").split(u':', Qt::SkipEmptyParts);
    return (configurazioni.isEmpty() ? QStringLiteral("/etc/xdg") : configurazioni.front())
        + QStringLiteral("/quintor-registro");
}

QString ArchivioAlveare::nomeRadice(Radice radice)
{
    return radice == Radice::HKEY_CLASSES_ROOT ? QStringLiteral("HKEY_CLASSES_ROOT")
                                               : QStringLiteral("HKEY_CURRENT_USER");
}

QString ArchivioAlveare::percorsoFile() const
{
    return QDir(cartella()).filePath(nomeRadice(radice_) + QStringLiteral(".reg"));
}

Alveare ArchivioAlveare::leggi() const
{
    QDir().mkpath(cartella()); // a folder that cannot be made is reported by the first write
    Alveare utente = leggiFile(percorsoFile(), nomeRadice(radice_)).lettura.alveare;
    const QString macchina = cartellaMacchina();
    if (radice_ != Radice::HKEY_CLASSES_ROOT || macchina.isEmpty()
        || QFileInfo(macchina).absoluteFilePath() == QFileInfo(cartella()).absoluteFilePath())
        return utente;
    Alveare unione = leggiFile(QDir(macchina).filePath(nomeRadice(radice_) + QStringLiteral(".reg")), nomeRadice(radice_))
                         .lettura.alveare;
    for (const auto& [indice, chiave] : utente.chiavi()) {
        ChiaveReg& destinazione = unione.crea(chiave.percorso);
        for (const ValoreReg& valore : chiave.valori) {
            destinazione.rimuovi(valore.nome);
            destinazione.valori.append(valore);
        }
    }
    return unione;
}

void ArchivioAlveare::modifica(const std::function<bool(Alveare&)>& cambia) const
{
    const QString percorso = percorsoFile();
    const QString nativo = QDir::toNativeSeparators(percorso);
    if (!QDir().mkpath(cartella()) || !QFileInfo(cartella()).isDir())
        throw ERegistryException(
            QStringLiteral("Impossibile scrivere il registro «%1»: la cartella «%2» non esiste e non può essere creata.")
                .arg(nativo, QDir::toNativeSeparators(cartella())));

    QLockFile blocco(percorso + QStringLiteral(".lock"));
    if (!blocco.tryLock(10000))
        throw ERegistryException(
            blocco.error() == QLockFile::LockFailedError
                ? QStringLiteral("Impossibile scrivere il registro «%1»: il file è in uso da un altro programma.").arg(nativo)
                : QStringLiteral("Impossibile scrivere il registro «%1»: non si può creare il file di blocco.").arg(nativo));

    FileLetto letto = leggiFile(percorso, nomeRadice(radice_));
    if (!cambia(letto.lettura.alveare))
        return;
    if (letto.lettura.righeIgnorate > 0)
        salva(percorso + QStringLiteral(".bak"), letto.byte);
    salva(percorso, scriviReg(letto.lettura.alveare, nomeRadice(radice_)).toUtf8());
}

} // namespace registro
