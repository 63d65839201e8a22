#include "istanza/istanza_unica.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

QString NomeProprio()
{
    return QString::fromLatin1(istanza::IstanzaUnica::NomeBlocco) + QStringLiteral(".lock");
}

} // namespace

namespace istanza {

IstanzaUnica::IstanzaUnica(const QString& cartella)
{
    if (!cartella.isEmpty()) {
        Prova(QDir(cartella).filePath(NomeProprio()));
        return;
    }
    const QString utente = CartellaUtente();
    if (!utente.isEmpty() && Prova(QDir(utente).filePath(NomeProprio())))
        return;
    Prova(PercorsoCondiviso());
}

IstanzaUnica::~IstanzaUnica()
{
    // Closing the only descriptor of the open file releases the lock. The
    // file itself stays: removing it would let a third copy lock a new
    // file of the same name while a second one still holds the old one.
    if (descrittore_ >= 0)
        ::close(descrittore_);
}

QString IstanzaUnica::CartellaUtente()
{
    const QString cartella = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (cartella.isEmpty())
        return QString();
    const QFileInfo info(cartella);
    if (!info.isAbsolute() || !info.isDir() || !info.isWritable())
        return QString();
    return info.absoluteFilePath();
}

QString IstanzaUnica::PercorsoCondiviso()
{
    const QString nome = QStringLiteral("%1-%2.lock").arg(QString::fromLatin1(NomeBlocco)).arg(::getuid());
    return QDir(QDir::tempPath()).filePath(nome);
}

bool IstanzaUnica::Prova(const QString& percorso)
{
    percorso_ = percorso;
    const QByteArray nativo = QFile::encodeName(percorso);
    // Close-on-exec: a program started by this one must not inherit the
    // descriptor, or the lock would outlive this process. No-follow: in a
    // shared folder the name must not lead elsewhere through a link.
    int fd;
    do
        fd = ::open(nativo.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;

    int esito;
    do
        esito = ::flock(fd, LOCK_EX | LOCK_NB);
    while (esito != 0 && errno == EINTR);
    if (esito == 0) {
        descrittore_ = fd;
        return true;
    }
    const int errore = errno;
    ::close(fd);
    // Only a lock held elsewhere means another copy; a file system that
    // cannot lock counts as an unusable folder.
    giaInEsecuzione_ = (errore == EWOULDBLOCK);
    return giaInEsecuzione_;
}

} // namespace istanza
