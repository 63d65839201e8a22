#include "app/installazione.h"

#include "componenti/server.h"
#include "registro/archivio_alveare.h"
#include "registro/treginifile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>
#include <unistd.h>

namespace tratte {

namespace {

const char* const LibrerieComponenti[] = {"libborgal.so", "libzrwinstampa.so", "libvtrpregeo.so"};

// What the installation delivers beside the programs, copied into a
// per-user program folder.
const char* const CartelleConsegnate[] = {"Archivi", "ArchivioComuni", "Guida", "Esempi"};

QStringList RegistraLibrerie(const QString& cartella, bool cancella)
{
    QStringList scritti;
    for (const char* nome : LibrerieComponenti) {
        const QString libreria = QDir(cartella).absoluteFilePath(QLatin1String(nome));
        if (!QFileInfo::exists(libreria))
            continue;
        const componenti::HRESULT esito = cancella ? componenti::CancellaServer(libreria) : componenti::RegistraServer(libreria);
        if (!componenti::Riuscito(esito))
            throw componenti::EOleSysError(
                QStringLiteral("%1 di %2 non riuscita.").arg(cancella ? "Cancellazione" : "Registrazione", libreria), esito);
        scritti << (cancella ? QStringLiteral("Cancellato ") : QStringLiteral("Registrato ")) + libreria;
    }
    return scritti;
}

// Points the registry store at another folder for its lifetime.
class StoreRegistro {
public:
    explicit StoreRegistro(const QString& cartella)
        : c_(qEnvironmentVariableIsSet("TRATTE_REGISTRO")), v_(qgetenv("TRATTE_REGISTRO"))
    {
        qputenv("TRATTE_REGISTRO", cartella.toLocal8Bit());
    }
    ~StoreRegistro() { c_ ? qputenv("TRATTE_REGISTRO", v_) : qunsetenv("TRATTE_REGISTRO"); }
    StoreRegistro(const StoreRegistro&) = delete;
    StoreRegistro& operator=(const StoreRegistro&) = delete;

private:
    bool c_;
    QByteArray v_;
};

bool Scrivibile(const QString& percorso) { return ::access(QFile::encodeName(percorso).constData(), W_OK) == 0; }

// The installation can be used in place when the program folder and the
// folders the program writes in can be written.
bool InstallazioneScrivibile(const QString& installazione)
{
    if (!Scrivibile(installazione))
        return false;
    for (const char* nome : {"Archivi", "ArchivioComuni"}) {
        const QString cartella = QDir(installazione).filePath(QLatin1String(nome));
        if (QFileInfo::exists(cartella) && !Scrivibile(cartella))
            return false;
    }
    return true;
}

// Copies the files of `origine` that `destinazione` lacks, each through a
// temporary file, so that an interrupted copy leaves no half file under
// the final name. Returns how many were copied.
int CopiaMancanti(const QString& origine, const QString& destinazione)
{
    int copiati = 0;
    QDirIterator file(origine, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (file.hasNext()) {
        const QString sorgente = file.next();
        const QString relativo = QDir(origine).relativeFilePath(sorgente);
        const QString arrivo = QDir(destinazione).filePath(relativo);
        if (QFileInfo::exists(arrivo))
            continue;
        const QString temporaneo = arrivo + QStringLiteral(".copia");
        QFile::remove(temporaneo);
        if (!QDir().mkpath(QFileInfo(arrivo).absolutePath()) || !QFile::copy(sorgente, temporaneo)
            || !QFile::setPermissions(temporaneo, QFile::permissions(temporaneo) | QFile::WriteOwner)
            || !QFile::rename(temporaneo, arrivo)) {
            QFile::remove(temporaneo);
            throw std::runtime_error(QStringLiteral("Impossibile copiare «%1» in «%2».")
                                         .arg(QDir::toNativeSeparators(sorgente), QDir::toNativeSeparators(arrivo))
                                         .toStdString());
        }
        ++copiati;
    }
    return copiati;
}

} // namespace

QStringList RegistraInstallazione(const QString& cartellaProgramma, const QString& cartellaLibrerie)
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
    return scritti + RegistraLibrerie(cartellaLibrerie.isEmpty() ? cartellaProgramma : cartellaLibrerie, false);
}

QStringList RegistraMacchina(const QString& cartellaInstallazione, bool cancella)
{
    const QString macchina = registro::ArchivioAlveare::cartellaMacchina();
    if (macchina.isEmpty())
        throw std::runtime_error("Il registro della macchina non ha una cartella (TRATTE_REGISTRO_MACCHINA).");
    const StoreRegistro store(macchina);
    return RegistraLibrerie(cartellaInstallazione, cancella);
}

QString CartellaProgrammaUtente()
{
    QString dati = qEnvironmentVariable("XDG_DATA_HOME");
    if (dati.isEmpty())
        dati = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir(dati).filePath(QStringLiteral("tratte"));
}

QString CartellaDiLavoro(const QString& cartellaInstallazione)
{
    if (InstallazioneScrivibile(cartellaInstallazione))
        return cartellaInstallazione;
    const QString utente = CartellaProgrammaUtente();
    if (!QDir().mkpath(utente))
        throw std::runtime_error(
            QStringLiteral("Impossibile creare la cartella «%1».").arg(QDir::toNativeSeparators(utente)).toStdString());
    int copiati = 0;
    for (const char* nome : CartelleConsegnate) {
        const QString origine = QDir(cartellaInstallazione).filePath(QLatin1String(nome));
        const QString destinazione = QDir(utente).filePath(QLatin1String(nome));
        if (!QDir().mkpath(destinazione))
            throw std::runtime_error(QStringLiteral("Impossibile creare la cartella «%1».")
                                         .arg(QDir::toNativeSeparators(destinazione))
                                         .toStdString());
        if (QFileInfo(origine).isDir())
            copiati += CopiaMancanti(origine, destinazione);
    }
    if (copiati > 0)
        RegistraInstallazione(utente, cartellaInstallazione);
    return utente;
}

} // namespace tratte
