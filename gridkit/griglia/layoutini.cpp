#include "gridkit/griglia/layoutini.h"

#include "gridkit/griglia/layoutesadecimale.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace gridkit {

namespace {

const QByteArray Bom = QByteArrayLiteral("\xEF\xBB\xBF");

// The lines of an ini file as bytes, each kept with its own "\r" (if any) so
// that lines that are not ours are written back exactly as they were read.
// Names are decoded as UTF-8 when the whole file is valid UTF-8, else as
// Latin-1 (a file written by a Windows tool).
class TestoIni {
public:
    // The section's header line and the end of its body (exclusive).
    struct Sezione {
        qsizetype intestazione;
        qsizetype fine;
    };

    explicit TestoIni(QByteArray contenuto)
    {
        if (contenuto.startsWith(Bom)) {
            bom_ = Bom;
            contenuto.remove(0, Bom.size());
        }
        QStringDecoder decodifica(QStringConverter::Utf8);
        const QString decodificato = decodifica(contenuto); // the decoder runs on conversion
        utf8_ = !decodifica.hasError();
        aCapoFinale_ = contenuto.isEmpty() || contenuto.endsWith('\n');
        if (!contenuto.isEmpty()) {
            if (contenuto.endsWith('\n'))
                contenuto.chop(1);
            righe_ = contenuto.split('\n');
        }
        ritorno_ = !righe_.isEmpty() && righe_.first().endsWith('\r') ? QByteArrayLiteral("\r") : QByteArray();
    }

    QByteArray Contenuto() const
    {
        QByteArray contenuto = bom_ + righe_.join('\n');
        if (aCapoFinale_ && !righe_.isEmpty())
            contenuto.append('\n');
        return contenuto;
    }

    std::optional<Sezione> Trova(const QString& nome) const
    {
        for (qsizetype i = 0; i < righe_.size(); ++i) {
            const std::optional<QString> trovato = NomeSezione(righe_[i]);
            if (trovato && trovato->compare(nome, Qt::CaseInsensitive) == 0)
                return Sezione{i, FineSezione(i)};
        }
        return std::nullopt;
    }

    // Adds the section at the end of the file, after a blank line.
    Sezione Aggiungi(const QString& nome)
    {
        if (!righe_.isEmpty() && !righe_.last().trimmed().isEmpty())
            righe_.append(ritorno_);
        righe_.append(Codifica(QLatin1Char('[') + nome + QLatin1Char(']')) + ritorno_);
        return Sezione{righe_.size() - 1, righe_.size()};
    }

    // The value of the first entry of that name; nullopt when there is none.
    std::optional<QString> Valore(const Sezione& sezione, const QString& chiave) const
    {
        const qsizetype riga = TrovaVoce(sezione, chiave);
        if (riga < 0)
            return std::nullopt;
        const QByteArray testo = righe_[riga].trimmed();
        return Decodifica(testo.mid(testo.indexOf('=') + 1).trimmed());
    }

    // Replaces the entry, or adds it after the last line of the section
    // that is not blank.
    void Imposta(Sezione& sezione, const QString& chiave, const QString& valore)
    {
        const QByteArray riga = Codifica(chiave + QLatin1Char('=') + valore) + ritorno_;
        const qsizetype esistente = TrovaVoce(sezione, chiave);
        if (esistente >= 0) {
            righe_[esistente] = riga;
            return;
        }
        qsizetype posizione = sezione.fine;
        while (posizione > sezione.intestazione + 1 && righe_[posizione - 1].trimmed().isEmpty())
            --posizione;
        righe_.insert(posizione, riga);
        ++sezione.fine;
    }

private:
    std::optional<QString> NomeSezione(const QByteArray& riga) const
    {
        const QByteArray testo = riga.trimmed();
        const qsizetype chiusa = testo.indexOf(']');
        if (!testo.startsWith('[') || chiusa < 0)
            return std::nullopt;
        return Decodifica(testo.mid(1, chiusa - 1).trimmed());
    }

    qsizetype FineSezione(qsizetype intestazione) const
    {
        qsizetype i = intestazione + 1;
        while (i < righe_.size() && !NomeSezione(righe_[i]))
            ++i;
        return i;
    }

    qsizetype TrovaVoce(const Sezione& sezione, const QString& chiave) const
    {
        for (qsizetype i = sezione.intestazione + 1; i < sezione.fine; ++i) {
            const QByteArray testo = righe_[i].trimmed();
            const qsizetype uguale = testo.indexOf('=');
            if (uguale < 0 || testo.startsWith(';') || testo.startsWith('#'))
                continue;
            if (Decodifica(testo.left(uguale).trimmed()).compare(chiave, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    }

    QString Decodifica(const QByteArray& byte) const
    {
        return utf8_ ? QString::fromUtf8(byte) : QString::fromLatin1(byte);
    }

    QByteArray Codifica(const QString& testo) const
    {
        return utf8_ ? testo.toUtf8() : testo.toLatin1();
    }

    QList<QByteArray> righe_;
    QByteArray bom_;
    QByteArray ritorno_; // "\r" in a file whose lines end with CR LF
    bool utf8_ = true;
    bool aCapoFinale_ = true;
};

QString Nativo(const QString& percorso)
{
    return QDir::toNativeSeparators(percorso);
}

TestoIni Carica(const QString& percorso)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        throw ErroreLayoutIni(QStringLiteral("Impossibile leggere il file di inizializzazione «%1» (%2).")
                                  .arg(Nativo(percorso), file.errorString()));
    return TestoIni(file.readAll());
}

void Salva(const QString& percorso, const QByteArray& contenuto)
{
    auto errore = [&](const QString& causa) {
        return ErroreLayoutIni(
            QStringLiteral("Impossibile scrivere il file di inizializzazione «%1» (%2). Il contenuto precedente è "
                           "rimasto invariato.")
                .arg(Nativo(percorso), causa));
    };
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        throw errore(file.errorString());
    if (file.write(contenuto) != contenuto.size() || !file.flush())
        throw errore(file.errorString());
    if (::fsync(file.handle()) != 0)
        throw errore(QString::fromLocal8Bit(strerror(errno)));
    if (!file.commit())
        throw errore(file.errorString());
}

} // namespace

ArchivioLayoutIni::ArchivioLayoutIni(const QString& iniFileName, const QString& iniKey)
    : file_(iniFileName), sezione_(iniKey.trimmed())
{
}

bool ArchivioLayoutIni::Esiste() const
{
    return !file_.isEmpty() && QFileInfo(file_).isFile();
}

void ArchivioLayoutIni::Scrivi(const QByteArray& flusso)
{
    if (!Esiste())
        throw ErroreLayoutIni(file_ + QStringLiteral("--File di inizializzazione inesistente."));
    if (sezione_.isEmpty() || sezione_.contains(QLatin1Char('[')) || sezione_.contains(QLatin1Char(']')) ||
        sezione_.contains(QLatin1Char('\n')) || sezione_.contains(QLatin1Char('\r')))
        throw ErroreLayoutIni(
            QStringLiteral("Il nome di sezione «%1» non può essere scritto nel file di inizializzazione «%2».")
                .arg(sezione_.simplified(), Nativo(file_)));
    TestoIni testo = Carica(file_);
    const std::optional<TestoIni::Sezione> trovata = testo.Trova(sezione_);
    TestoIni::Sezione sezione = trovata ? *trovata : testo.Aggiungi(sezione_);
    const QStringList pezzi = PezziDaScrivere(flusso);
    for (qsizetype i = 0; i < pezzi.size(); ++i)
        testo.Imposta(sezione, NomePezzo(i), pezzi[i]);
    Salva(file_, testo.Contenuto());
}

std::optional<QByteArray> ArchivioLayoutIni::Leggi() const
{
    if (!Esiste())
        return QByteArray();
    const TestoIni testo = Carica(file_);
    const std::optional<TestoIni::Sezione> sezione = testo.Trova(sezione_);
    if (!sezione)
        return QByteArray();
    return LeggiPezzi([&](qsizetype i) { return testo.Valore(*sezione, NomePezzo(i)); });
}

} // namespace gridkit
