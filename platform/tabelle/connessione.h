#pragma once
// The storage connection of one session: the table files it uses are
// attached to it on demand, each under a schema of its own, with the key
// that opens it; the file locks that keep other sessions out of a table
// opened exclusively are kept here too.
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace tabelle {

class EDBEngineError;

// Page size of the table files the engine writes, encrypted or not. On an
// archive of 5,000,000 rows, deleting a province of 1,000,000 took 3.6 s
// with 8 KiB pages and 9.9 s with 64 KiB pages (each deleted index entry
// rebalances and journals a whole page), while a whole-table read took
// the same time with either.
inline constexpr int DimensionePagina = 8192;

// The page sizes an encrypted file may have, tried in this order when it
// is opened: today's, then the 64 KiB of the engine's earlier releases,
// then SQLite's default.
inline const QList<int> DimensioniPaginaLeggibili{DimensionePagina, 65536, 4096};

// Page cache of each attached file, in KiB: loading or deleting a province
// touches the archive's indexes all over, and a small cache would read and
// decrypt the same pages again and again (a 1,000,000-row deletion took
// 9.6 s with SQLite's default 2 MiB, 2.1 s with 32 MiB). Memory is taken
// only as pages are read.
inline constexpr int CachePerFileKb = 32768;

class Connessione;

// A prepared statement, finalized with the object.
class Istruzione {
public:
    Istruzione(Connessione& c, const QString& testo);
    ~Istruzione();
    Istruzione(const Istruzione&) = delete;
    Istruzione& operator=(const Istruzione&) = delete;

    // Binds by name (":nome"); a name the statement lacks is ignored.
    void Lega(const QString& nome, const QVariant& valore);
    void Lega(int indice, const QVariant& valore);
    void LegaIntero(int indice, qint64 valore);
    int IndiceParametro(const QString& nome) const;
    // Steps once: true while a row is there. Throws on error.
    bool Passo();
    // Ready to run again; Reimposta also clears the bindings.
    void Riavvolgi();
    void Reimposta();
    int Colonne() const;
    QString NomeColonna(int i) const;
    QString TipoDichiarato(int i) const;
    qint64 Intero(int i) const;
    QVariant Valore(int i) const;
    bool Nullo(int i) const;
    sqlite3_stmt* stmt() const { return stmt_; }
    Connessione& connessione() const { return c_; }

private:
    Connessione& c_;
    sqlite3_stmt* stmt_ = nullptr;
    QString testo_;
};

// Use of a table file by one dataset or statement: attached and locked
// (shared or exclusive) while the object lives.
class UsoTabella {
public:
    UsoTabella(Connessione& c, const QString& percorso, bool esclusivo, bool crea = false);
    ~UsoTabella();
    UsoTabella(const UsoTabella&) = delete;
    UsoTabella& operator=(const UsoTabella&) = delete;
    const QString& schema() const { return schema_; }
    const QString& percorso() const { return percorso_; }

private:
    Connessione& c_;
    QString percorso_;
    QString schema_;
    bool esclusivo_;
};

// A savepoint: what the statements run while it lives is undone unless
// Conferma is called. Works inside and outside a transaction.
class PuntoDiRipristino {
public:
    explicit PuntoDiRipristino(Connessione& c);
    ~PuntoDiRipristino();
    PuntoDiRipristino(const PuntoDiRipristino&) = delete;
    PuntoDiRipristino& operator=(const PuntoDiRipristino&) = delete;
    void Conferma();

private:
    Connessione& c_;
    bool transazione_;
    bool confermato_ = false;
};

// A read transaction as short as one batch of reads: the files read are
// locked once for the batch instead of once for every statement, and no
// lock is held once the object is gone, so a writer in another process is
// never kept waiting between two batches. Inside a transaction it does
// nothing: the transaction holds what it reads.
class LetturaBreve {
public:
    explicit LetturaBreve(Connessione& c);
    ~LetturaBreve();
    LetturaBreve(const LetturaBreve&) = delete;
    LetturaBreve& operator=(const LetturaBreve&) = delete;

private:
    Connessione& c_;
    bool propria_;
};

// The connection's own database file: it holds nothing, but a commit that
// writes several table files keeps beside it, until every file has its
// part, the list of their journals, so that a crash or a power loss inside
// the commit is undone in every file or in none when the files are next
// opened. The folder is the user's own and outlives a restart:
// $XDG_STATE_HOME/tratte (~/.local/state/tratte), or the temporary folder
// when that cannot be made.
QString FilePrincipale();

class Connessione {
public:
    // `chiavi` gives the raw keys of the session's passwords, in order.
    // `principale` is the connection's own database file (FilePrincipale).
    explicit Connessione(std::function<QList<QByteArray>()> chiavi, const QString& principale = FilePrincipale());
    ~Connessione();
    Connessione(const Connessione&) = delete;
    Connessione& operator=(const Connessione&) = delete;

    sqlite3* db() const { return db_; }

    // Runs statements that return no rows.
    void Esegui(const QString& testo);
    // Rows changed by the last statement.
    int RigheModificate() const;
    qint64 UltimoRowid() const;
    QString UltimoErrore() const;
    // The error of the storage (its result code and text) met running
    // `testo`. No room to write (a full disk, or a file at the size limit)
    // gives code SQLITE_FULL and an Italian text that names the files that
    // could not be written.
    EDBEngineError Errore(int codice, const QString& errore, const QString& testo) const;

    // Attaches the file when needed and returns its schema. The file is
    // reattached when it was replaced on disk since.
    QString Schema(const QString& percorso, bool crea = false);
    // Detaches a file (before it is deleted or replaced). Throws when the
    // file is still in use.
    void Stacca(const QString& percorso);
    bool InUso(const QString& percorso) const;
    // Column names of an attached table, in stored order.
    QStringList Colonne(const QString& schema);

    // Throws when another session or process holds the file (used before a
    // table file is replaced or deleted).
    void VerificaLibero(const QString& percorso);
    // Locks taken by UsoTabella.
    void Acquisisci(const QString& percorso, bool esclusivo);
    void Rilascia(const QString& percorso, bool esclusivo);

    // Local transactions over every attached file.
    void IniziaTransazione();
    void ConfermaTransazione();
    void AnnullaTransazione();
    bool InTransazione() const;

    // Prepared statements are kept for their text and handed out again,
    // so that a statement run over and over is prepared once.
    sqlite3_stmt* Prendi(const QString& testo);
    void Restituisci(const QString& testo, sqlite3_stmt* istruzione);

private:
    void SvuotaPreparate();
    struct File;
    File& FileDi(const QString& percorso);
    void Allega(File& f, bool crea);
    void StaccaFile(File& f);
    void LiberaPosto(const QString& perTabella);
    void AggiornaBlocco(File& f, int condivisi, int esclusivi);

    sqlite3* db_ = nullptr;
    std::function<QList<QByteArray>()> chiavi_;
    QHash<QString, sqlite3_stmt*> preparate_;
    QList<QString> ordinePreparate_; // oldest first
    QHash<QString, std::shared_ptr<File>> file_;
    int prossimoSchema_ = 1;
    quint64 orologio_ = 0;
};

} // namespace tabelle
