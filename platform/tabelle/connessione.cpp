#include "tabelle/connessione.h"

#include "tabelle/errore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <cerrno>
#include <fcntl.h>
#include <sqlcipher/sqlite3.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace tabelle {
namespace {

constexpr int MassimoAllegati = 10;

QString NomeBreve(const QString& percorso) { return QFileInfo(percorso).fileName(); }

// What tells a file on disk from the one seen before: identity, size and
// time of the last change.
struct Impronta {
    dev_t dev = 0;
    ino_t ino = 0;
    off_t dimensione = 0;
    qint64 modifica = 0; // nanoseconds
    bool operator==(const Impronta&) const = default;
};

bool LeggiImpronta(const QString& percorso, Impronta& impronta)
{
    struct stat st {};
    if (::stat(QFile::encodeName(percorso).constData(), &st) != 0)
        return false;
    impronta = {st.st_dev, st.st_ino, st.st_size, qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
    return true;
}

} // namespace

struct Connessione::File {
    QString percorso;
    QString schema;
    // The file as it was when last attached or let go; checked again when
    // it is used after having been let go.
    Impronta impronta;
    bool daVerificare = false;
    int fd = -1;
    int bloccoAttuale = LOCK_UN;
    int condivisi = 0;
    int esclusivi = 0;
    quint64 ultimoUso = 0;
    bool inUso() const { return condivisi + esclusivi > 0; }
};

// ---------------------------------------------------------------- Istruzione

Istruzione::Istruzione(Connessione& c, const QString& testo) : c_(c), testo_(testo)
{
    stmt_ = c.Prendi(testo);
}

Istruzione::~Istruzione() { c_.Restituisci(testo_, stmt_); }

int Istruzione::IndiceParametro(const QString& nome) const
{
    const QByteArray n = (nome.startsWith(':') ? nome : ':' + nome).toUtf8();
    return sqlite3_bind_parameter_index(stmt_, n.constData());
}

void Istruzione::Lega(const QString& nome, const QVariant& valore)
{
    const int i = IndiceParametro(nome);
    if (i > 0)
        Lega(i, valore);
}

void Istruzione::LegaIntero(int indice, qint64 valore) { sqlite3_bind_int64(stmt_, indice, valore); }

void Istruzione::Lega(int i, const QVariant& v)
{
    if (!v.isValid() || v.isNull()) {
        sqlite3_bind_null(stmt_, i);
        return;
    }
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
        sqlite3_bind_int64(stmt_, i, v.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_bind_double(stmt_, i, v.toDouble());
        break;
    case QMetaType::QByteArray: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(stmt_, i, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        break;
    }
    case QMetaType::QDateTime:
        sqlite3_bind_text(stmt_, i, v.toDateTime().toString("yyyy-MM-dd hh:mm:ss.zzz").toUtf8().constData(), -1, SQLITE_TRANSIENT);
        break;
    case QMetaType::QDate:
        sqlite3_bind_text(stmt_, i, v.toDate().toString("yyyy-MM-dd").toUtf8().constData(), -1, SQLITE_TRANSIENT);
        break;
    case QMetaType::QTime:
        sqlite3_bind_text(stmt_, i, v.toTime().toString("hh:mm:ss.zzz").toUtf8().constData(), -1, SQLITE_TRANSIENT);
        break;
    default: {
        // Text: an empty value is a blank, stored as NULL.
        const QString s = v.toString();
        if (s.isEmpty())
            sqlite3_bind_null(stmt_, i);
        else
            sqlite3_bind_text(stmt_, i, s.toUtf8().constData(), -1, SQLITE_TRANSIENT);
    }
    }
}

bool Istruzione::Passo()
{
    const int r = sqlite3_step(stmt_);
    if (r == SQLITE_ROW)
        return true;
    if (r == SQLITE_DONE)
        return false;
    const QString errore = c_.UltimoErrore();
    EDBEngineError eccezione = c_.Errore(r, errore, testo_);
    sqlite3_reset(stmt_);
    throw eccezione;
}

void Istruzione::Riavvolgi() { sqlite3_reset(stmt_); }

void Istruzione::Reimposta()
{
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

int Istruzione::Colonne() const { return sqlite3_column_count(stmt_); }
QString Istruzione::NomeColonna(int i) const { return QString::fromUtf8(sqlite3_column_name(stmt_, i)); }
QString Istruzione::TipoDichiarato(int i) const { return QString::fromUtf8(sqlite3_column_decltype(stmt_, i)); }
qint64 Istruzione::Intero(int i) const { return sqlite3_column_int64(stmt_, i); }
bool Istruzione::Nullo(int i) const { return sqlite3_column_type(stmt_, i) == SQLITE_NULL; }

QVariant Istruzione::Valore(int i) const
{
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(stmt_, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(stmt_, i));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i)), sqlite3_column_bytes(stmt_, i)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt_, i)), sqlite3_column_bytes(stmt_, i)));
    default:
        return QVariant();
    }
}

// ---------------------------------------------------------------- UsoTabella

UsoTabella::UsoTabella(Connessione& c, const QString& percorso, bool esclusivo, bool crea)
    : c_(c), percorso_(percorso), esclusivo_(esclusivo)
{
    c_.Acquisisci(percorso_, esclusivo_);
    try {
        schema_ = c_.Schema(percorso_, crea);
    } catch (...) {
        c_.Rilascia(percorso_, esclusivo_);
        throw;
    }
}

UsoTabella::~UsoTabella() { c_.Rilascia(percorso_, esclusivo_); }

// ---------------------------------------------------------------- PuntoDiRipristino

PuntoDiRipristino::PuntoDiRipristino(Connessione& c) : c_(c), transazione_(!c.InTransazione())
{
    // Outside a transaction it is one of its own, so that giving up leaves
    // the files as they were to the byte (a savepoint released after a
    // rollback to it would still write them).
    c_.Esegui(transazione_ ? QStringLiteral("BEGIN") : QStringLiteral("SAVEPOINT tabelle_ripristino"));
}

PuntoDiRipristino::~PuntoDiRipristino()
{
    if (confermato_)
        return;
    try {
        if (transazione_) {
            c_.Esegui(QStringLiteral("ROLLBACK"));
        } else {
            c_.Esegui(QStringLiteral("ROLLBACK TO tabelle_ripristino"));
            c_.Esegui(QStringLiteral("RELEASE tabelle_ripristino"));
        }
    } catch (const EDBEngineError&) {
    }
}

void PuntoDiRipristino::Conferma()
{
    c_.Esegui(transazione_ ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE tabelle_ripristino"));
    confermato_ = true;
}

// ---------------------------------------------------------------- LetturaBreve

LetturaBreve::LetturaBreve(Connessione& c) : c_(c), propria_(!c.InTransazione())
{
    if (propria_)
        c_.Esegui(QStringLiteral("BEGIN"));
}

LetturaBreve::~LetturaBreve()
{
    if (!propria_ || !c_.InTransazione())
        return;
    // Nothing was written: ending it only lets the files go.
    try {
        c_.Esegui(QStringLiteral("COMMIT"));
    } catch (const EDBEngineError&) {
        try {
            c_.Esegui(QStringLiteral("ROLLBACK"));
        } catch (const EDBEngineError&) {
        }
    }
}

// ---------------------------------------------------------------- Connessione

QString FilePrincipale()
{
    QString stato = qEnvironmentVariable("XDG_STATE_HOME");
    if (stato.isEmpty() || !QDir::isAbsolutePath(stato))
        stato = QDir::homePath() + QStringLiteral("/.local/state");
    for (const QString& cartella : {stato + QStringLiteral("/tratte"), QDir::tempPath() + QStringLiteral("/tratte-%1").arg(::getuid())}) {
        if (QDir().mkpath(cartella) && QFileInfo(cartella).isWritable())
            return cartella + QStringLiteral("/sessione.db");
    }
    throw EDBEngineError(QStringLiteral("Impossibile avviare il motore delle tabelle: nessuna cartella scrivibile per il file di sessione (%1).")
                             .arg(stato + QStringLiteral("/tratte")));
}

Connessione::Connessione(std::function<QList<QByteArray>()> chiavi, const QString& principale) : chiavi_(std::move(chiavi))
{
    // A file, not ":memory:": SQLite commits the attached files all or
    // nothing only when the main database is a file. A connection is used
    // by one thread: no lock around each call of SQLite.
    const QByteArray nome = QFile::encodeName(principale);
    if (sqlite3_open_v2(nome.constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        const QString causa = db_ ? UltimoErrore() : QString();
        sqlite3_close(db_);
        db_ = nullptr;
        throw EDBEngineError(QStringLiteral("Impossibile avviare il motore delle tabelle: file di sessione '%1' (%2).").arg(principale, causa));
    }
    sqlite3_busy_timeout(db_, 2000);
    Esegui(QStringLiteral("PRAGMA case_sensitive_like = ON"));
    Esegui(QStringLiteral("PRAGMA cipher_default_page_size = %1").arg(DimensionePagina));
}

Connessione::~Connessione()
{
    for (auto& f : file_)
        if (f->fd >= 0)
            ::close(f->fd);
    SvuotaPreparate();
    sqlite3_close(db_);
}

sqlite3_stmt* Connessione::Prendi(const QString& testo)
{
    auto it = preparate_.find(testo);
    if (it != preparate_.end()) {
        sqlite3_stmt* s = it.value();
        preparate_.erase(it);
        ordinePreparate_.removeOne(testo);
        return s;
    }
    sqlite3_stmt* s = nullptr;
    const QByteArray utf8 = testo.toUtf8();
    const int r = sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &s, nullptr);
    if (r != SQLITE_OK) {
        const QString errore = UltimoErrore();
        sqlite3_finalize(s);
        throw EDBEngineError(QStringLiteral("Istruzione SQL non valida (%1): %2").arg(errore, testo.simplified()), r & 0xff, errore);
    }
    return s;
}

void Connessione::Restituisci(const QString& testo, sqlite3_stmt* istruzione)
{
    if (!istruzione)
        return;
    constexpr int MassimoPreparate = 64;
    sqlite3_reset(istruzione);
    sqlite3_clear_bindings(istruzione);
    if (preparate_.contains(testo)) {
        sqlite3_finalize(istruzione);
        return;
    }
    preparate_.insert(testo, istruzione);
    ordinePreparate_.append(testo);
    if (ordinePreparate_.size() > MassimoPreparate)
        sqlite3_finalize(preparate_.take(ordinePreparate_.takeFirst()));
}

void Connessione::SvuotaPreparate()
{
    for (sqlite3_stmt* s : std::as_const(preparate_))
        sqlite3_finalize(s);
    preparate_.clear();
    ordinePreparate_.clear();
}

void Connessione::Esegui(const QString& testo)
{
    char* errore = nullptr;
    const int r = sqlite3_exec(db_, testo.toUtf8().constData(), nullptr, nullptr, &errore);
    if (r != SQLITE_OK) {
        const QString e = QString::fromUtf8(errore ? errore : "");
        sqlite3_free(errore);
        throw Errore(r, e, testo);
    }
}

int Connessione::RigheModificate() const { return sqlite3_changes(db_); }
qint64 Connessione::UltimoRowid() const { return sqlite3_last_insert_rowid(db_); }
QString Connessione::UltimoErrore() const { return QString::fromUtf8(sqlite3_errmsg(db_)); }

namespace {

// Whether a write that failed found no room: the file system of a file is
// (all but) full, or a file has reached the largest size the process may
// write (RLIMIT_FSIZE). SQLite tells a full disk apart only when the system
// says ENOSPC; a file size limit gives a plain I/O error, and the system's
// error number is gone by the time the statement returns.
bool SenzaSpazio(const QStringList& percorsi)
{
    constexpr qint64 Margine = 4 * 1024 * 1024;
    rlimit limite{};
    const bool limitato = getrlimit(RLIMIT_FSIZE, &limite) == 0 && limite.rlim_cur != RLIM_INFINITY;
    for (const QString& percorso : percorsi) {
        struct statvfs disco{};
        if (::statvfs(QFile::encodeName(QFileInfo(percorso).absolutePath()).constData(), &disco) == 0
            && qint64(disco.f_bavail) * qint64(disco.f_frsize) < Margine)
            return true;
        if (!limitato)
            continue;
        for (const QString& file : {percorso, percorso + QStringLiteral("-journal")})
            if (QFileInfo(file).size() + 2 * DimensionePagina > qint64(limite.rlim_cur))
                return true;
    }
    return false;
}

} // namespace

EDBEngineError Connessione::Errore(int codice, const QString& errore, const QString& testo) const
{
    codice &= 0xff;
    const auto generico = [&] {
        return EDBEngineError(QStringLiteral("Errore del motore delle tabelle: %1 (%2)").arg(errore, testo.simplified().left(300)),
                              codice, errore);
    };
    if (codice != SQLITE_FULL && codice != SQLITE_IOERR)
        return generico();
    // The files being written: those the statement names, else (a commit)
    // those in use, else every file attached.
    QStringList citati, inUso, tutti;
    for (const auto& f : file_) {
        tutti << f->percorso;
        if (f->inUso())
            inUso << f->percorso;
        if (QRegularExpression(QStringLiteral("\\b%1\\.").arg(f->schema)).match(testo).hasMatch())
            citati << f->percorso;
    }
    // A file whose last write found no room is the one to name.
    QStringList pieni;
    for (const auto& f : file_) {
        int numero = 0;
        if (sqlite3_file_control(db_, f->schema.toUtf8().constData(), SQLITE_FCNTL_LAST_ERRNO, &numero) == SQLITE_OK
            && (numero == ENOSPC || numero == EFBIG || numero == EDQUOT))
            pieni << f->percorso;
    }
    QStringList file = !pieni.isEmpty() ? pieni : !citati.isEmpty() ? citati : !inUso.isEmpty() ? inUso : tutti;
    if (codice == SQLITE_IOERR && pieni.isEmpty() && !SenzaSpazio(tutti))
        return generico();
    file.sort();
    for (QString& f : file)
        f = QStringLiteral("'%1'").arg(QDir::toNativeSeparators(f));
    const QString cosa = file.isEmpty() ? QStringLiteral("le tabelle")
                         : file.size() == 1 ? QStringLiteral("la tabella %1").arg(file.first())
                                            : QStringLiteral("le tabelle %1").arg(file.join(QStringLiteral(", ")));
    return EDBEngineError(QStringLiteral("Spazio su disco esaurito: impossibile scrivere %1. I dati già memorizzati sono "
                                         "rimasti invariati.")
                              .arg(cosa),
                          SQLITE_FULL, errore);
}

Connessione::File& Connessione::FileDi(const QString& percorso)
{
    auto it = file_.find(percorso);
    if (it == file_.end()) {
        auto f = std::make_shared<File>();
        f->percorso = percorso;
        it = file_.insert(percorso, f);
    }
    return **it;
}

bool Connessione::InUso(const QString& percorso) const
{
    auto it = file_.constFind(percorso);
    return it != file_.constEnd() && (*it)->inUso();
}

QString Connessione::Schema(const QString& percorso, bool crea)
{
    File& f = FileDi(percorso);
    f.ultimoUso = ++orologio_;
    if (!f.schema.isEmpty() && f.daVerificare && !InTransazione()) {
        // Replaced, removed or rewritten behind our back since it was let
        // go: the attachment (and what it holds in memory) is stale.
        f.daVerificare = false;
        Impronta ora;
        const bool esiste = LeggiImpronta(percorso, ora);
        if (esiste ? !(ora == f.impronta) : !crea)
            StaccaFile(f);
    }
    if (f.schema.isEmpty())
        Allega(f, crea);
    return f.schema;
}

void Connessione::LiberaPosto(const QString& perTabella)
{
    int allegati = 0;
    File* vittima = nullptr;
    for (auto& f : file_) {
        if (f->schema.isEmpty())
            continue;
        ++allegati;
        if (!f->inUso() && (!vittima || f->ultimoUso < vittima->ultimoUso))
            vittima = f.get();
    }
    if (allegati < MassimoAllegati)
        return;
    if (!vittima || InTransazione())
        throw EDBEngineError(QStringLiteral("Impossibile aprire la tabella '%1': troppe tabelle aperte contemporaneamente (al massimo %2).")
                                 .arg(perTabella).arg(MassimoAllegati));
    StaccaFile(*vittima);
}

void Connessione::Allega(File& f, bool crea)
{
    const QFileInfo info(f.percorso);
    if (!info.exists()) {
        if (!info.absoluteDir().exists())
            throw EDBEngineError(QStringLiteral("Cartella '%1' non trovata (tabella '%2').").arg(info.absolutePath(), info.fileName()));
        if (!crea)
            throw EDBEngineError(QStringLiteral("Tabella '%1' non trovata nella cartella '%2'.").arg(info.fileName(), info.absolutePath()));
    }
    if (InTransazione())
        throw EDBEngineError(QStringLiteral("Impossibile aprire la tabella '%1' durante una transazione.").arg(info.fileName()));
    LiberaPosto(info.fileName());

    QByteArray intestazione;
    {
        QFile file(f.percorso);
        if (file.exists() && file.open(QIODevice::ReadOnly))
            intestazione = file.read(16);
        else if (file.exists())
            throw EDBEngineError(QStringLiteral("Tabella '%1': impossibile leggere il file (%2).").arg(info.fileName(), file.errorString()));
    }
    const bool inChiaro = intestazione.isEmpty() || intestazione.startsWith(QByteArrayLiteral("SQLite format 3"));
    const QList<QByteArray> chiavi = inChiaro ? QList<QByteArray>{QByteArray()} : chiavi_();
    if (chiavi.isEmpty())
        throw EDBEngineError(QStringLiteral("Tabella '%1' protetta da password: password mancante (o file danneggiato).").arg(info.fileName()));

    // Each key in turn: a wrong one already fails the attachment. An
    // encrypted file does not say its page size: each size the engine has
    // written is tried, today's first.
    QString causa;
    const QList<int> dimensioni = inChiaro ? QList<int>{DimensionePagina} : DimensioniPaginaLeggibili;
    const auto ripristina = qScopeGuard([this, inChiaro] {
        if (!inChiaro)
            Esegui(QStringLiteral("PRAGMA cipher_default_page_size = %1").arg(DimensionePagina));
    });
    for (const int dimensione : dimensioni) {
        for (const QByteArray& chiave : chiavi) {
            if (!inChiaro)
                Esegui(QStringLiteral("PRAGMA cipher_default_page_size = %1").arg(dimensione));
            const QString schema = QStringLiteral("t%1").arg(prossimoSchema_++);
            try {
                Istruzione attach(*this, QStringLiteral("ATTACH DATABASE ?1 AS %1 KEY ?2").arg(schema));
                attach.Lega(1, f.percorso);
                sqlite3_bind_text(attach.stmt(), 2, chiave.constData(), int(chiave.size()), SQLITE_TRANSIENT);
                attach.Passo();
            } catch (const EDBEngineError& e) {
                causa = e.causa();
                continue;
            }
            sqlite3_stmt* prova = nullptr;
            const QByteArray q = QStringLiteral("SELECT count(*) FROM %1.sqlite_master WHERE type = 'table' AND name = 'dati'").arg(schema).toUtf8();
            int r = sqlite3_prepare_v2(db_, q.constData(), -1, &prova, nullptr);
            bool haTabella = false;
            if (r == SQLITE_OK) {
                r = sqlite3_step(prova);
                haTabella = r == SQLITE_ROW && sqlite3_column_int(prova, 0) > 0;
            }
            if (r != SQLITE_ROW)
                causa = UltimoErrore();
            sqlite3_finalize(prova);
            if (r == SQLITE_ROW && (haTabella || crea)) {
                f.schema = schema;
                Esegui(QStringLiteral("PRAGMA %1.cache_size = -%2").arg(schema).arg(CachePerFileKb));
                // SQLite as delivered zeroes every deleted cell. In an
                // encrypted file the freed space lies inside encrypted pages
                // anyway, and the zeroing cost a fifth of a province's
                // deletion.
                if (!inChiaro)
                    Esegui(QStringLiteral("PRAGMA %1.secure_delete = OFF").arg(schema));
                if (crea && !haTabella && inChiaro)
                    Esegui(QStringLiteral("PRAGMA %1.page_size = %2").arg(schema).arg(DimensionePagina));
                LeggiImpronta(f.percorso, f.impronta);
                f.daVerificare = false;
                return;
            }
            Esegui(QStringLiteral("DETACH DATABASE %1").arg(schema));
            if (r == SQLITE_ROW)
                throw EDBEngineError(QStringLiteral("Tabella '%1': formato non riconosciuto.").arg(info.fileName()));
        }
    }
    if (inChiaro)
        throw EDBEngineError(QStringLiteral("Tabella '%1': file danneggiato o formato non riconosciuto (%2).").arg(info.fileName(), causa));
    throw EDBEngineError(QStringLiteral("Tabella '%1': password errata o file danneggiato.").arg(info.fileName()));
}

void Connessione::StaccaFile(File& f)
{
    if (f.schema.isEmpty())
        return;
    // Kept statements may name the schema: they go first.
    SvuotaPreparate();
    Esegui(QStringLiteral("DETACH DATABASE %1").arg(f.schema));
    f.schema.clear();
    f.impronta = Impronta();
    f.daVerificare = false;
}

void Connessione::Stacca(const QString& percorso)
{
    auto it = file_.find(percorso);
    if (it == file_.end())
        return;
    if ((*it)->inUso())
        throw EDBEngineError(QStringLiteral("Tabella '%1' in uso.").arg(NomeBreve(percorso)));
    if (InTransazione() && !(*it)->schema.isEmpty())
        throw EDBEngineError(QStringLiteral("Tabella '%1': operazione impossibile durante una transazione.").arg(NomeBreve(percorso)));
    StaccaFile(**it);
}

QStringList Connessione::Colonne(const QString& schema)
{
    QStringList nomi;
    Istruzione info(*this, QStringLiteral("PRAGMA %1.table_info(dati)").arg(schema));
    while (info.Passo())
        nomi << info.Valore(1).toString();
    return nomi;
}

void Connessione::AggiornaBlocco(File& f, int condivisi, int esclusivi)
{
    const int voluto = esclusivi > 0 ? LOCK_EX : (condivisi > 0 ? LOCK_SH : LOCK_UN);
    if (voluto != f.bloccoAttuale || (voluto != LOCK_UN && f.fd < 0)) {
        if (voluto == LOCK_UN) {
            if (f.fd >= 0) {
                ::flock(f.fd, LOCK_UN);
                ::close(f.fd);
                f.fd = -1;
            }
        } else {
            if (f.fd < 0)
                f.fd = ::open(QFile::encodeName(f.percorso).constData(), O_RDONLY | O_CLOEXEC);
            // A file not yet created has nothing to protect.
            if (f.fd >= 0 && ::flock(f.fd, voluto | LOCK_NB) != 0) {
                // A failed conversion may have dropped the lock we had.
                if (f.bloccoAttuale != LOCK_UN)
                    ::flock(f.fd, f.bloccoAttuale | LOCK_NB);
                if (voluto == LOCK_EX)
                    throw EDBEngineError(QStringLiteral("Tabella '%1' in uso: impossibile aprirla in modo esclusivo.").arg(NomeBreve(f.percorso)));
                throw EDBEngineError(QStringLiteral("Tabella '%1' in uso esclusivo da un altro utente.").arg(NomeBreve(f.percorso)));
            }
        }
        f.bloccoAttuale = f.fd >= 0 ? voluto : LOCK_UN;
    }
    f.condivisi = condivisi;
    f.esclusivi = esclusivi;
}

void Connessione::Acquisisci(const QString& percorso, bool esclusivo)
{
    File& f = FileDi(percorso);
    if (esclusivo)
        AggiornaBlocco(f, f.condivisi, f.esclusivi + 1);
    else
        AggiornaBlocco(f, f.condivisi + 1, f.esclusivi);
}

void Connessione::VerificaLibero(const QString& percorso)
{
    Acquisisci(percorso, true);
    Rilascia(percorso, true);
}

void Connessione::Rilascia(const QString& percorso, bool esclusivo)
{
    auto it = file_.find(percorso);
    if (it == file_.end())
        return;
    File& f = **it;
    const int c = esclusivo ? f.condivisi : qMax(0, f.condivisi - 1);
    const int e = esclusivo ? qMax(0, f.esclusivi - 1) : f.esclusivi;
    try {
        AggiornaBlocco(f, c, e);
    } catch (const EDBEngineError&) {
        f.condivisi = c;
        f.esclusivi = e;
    }
    if (!f.inUso() && !f.schema.isEmpty()) {
        // Let go with our own changes in it: what is on disk now is what
        // the attachment knows.
        LeggiImpronta(f.percorso, f.impronta);
        f.daVerificare = true;
    }
}

void Connessione::IniziaTransazione() { Esegui(QStringLiteral("BEGIN")); }
void Connessione::ConfermaTransazione() { Esegui(QStringLiteral("COMMIT")); }
void Connessione::AnnullaTransazione() { Esegui(QStringLiteral("ROLLBACK")); }
bool Connessione::InTransazione() const { return sqlite3_get_autocommit(db_) == 0; }

} // namespace tabelle
