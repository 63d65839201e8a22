#pragma once
// Sessions and databases of the table engine. A session holds the table
// passwords, the aliases and the databases (named folders) that datasets
// refer to by name, and the storage connection its datasets share.
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

namespace tabelle {

class Connessione;
class TDatabase;

class TSession {
public:
    TSession();
    ~TSession();
    TSession(const TSession&) = delete;
    TSession& operator=(const TSession&) = delete;

    void AddPassword(const QString& password);
    void RemovePassword(const QString& password);
    void RemoveAllPasswords();
    const QStringList& Passwords() const { return password_; }

    // Aliases: a name with "PATH=..." and other parameters.
    void AddStandardAlias(const QString& nome, const QString& percorso, const QString& driverPredefinito);
    void AddAlias(const QString& nome, const QString& driver, const QStringList& parametri);
    void DeleteAlias(const QString& nome);
    bool IsAlias(const QString& nome) const;
    QStringList GetAliasParams(const QString& nome) const;
    QStringList GetAliasNames() const;

    TDatabase* FindDatabase(const QString& nome) const;

    // The folder a dataset's DatabaseName stands for: a database object of
    // this session, an alias, or a folder named directly; the working
    // folder when empty. Throws when the name is none of these.
    QString CartellaDi(const QString& nomeDatabase) const;

    Connessione& connessione();

private:
    friend class TDatabase;
    QStringList password_;
    QHash<QString, QStringList> alias_; // key: upper-case name
    QList<TDatabase*> database_;
    std::unique_ptr<Connessione> connessione_;
};

// The process's default session ("Default").
TSession& Session();

// A named database: an alias private to its owner, with parameters
// "PATH=", "DEFAULT DRIVER=PARADOX", "ENABLE BCD=FALSE".
class TDatabase : public QObject {
    Q_OBJECT
public:
    explicit TDatabase(QObject* owner = nullptr, TSession* sessione = nullptr);
    ~TDatabase() override;

    QString DatabaseName;
    QString DriverName;
    QString SessionName = QStringLiteral("Default");
    QStringList Params;
    bool Exclusive = false;
    bool ReadOnly = false;
    bool KeepConnection = true;
    bool LoginPrompt = false;

    // Checks that the folder exists; throws the engine's error otherwise.
    void Open();
    void Close();
    bool Connected() const { return aperto_; }
    void SetConnected(bool valore) { valore ? Open() : Close(); }
    // The folder of "PATH=".
    QString Directory() const;

    void StartTransaction();
    void Commit();
    void Rollback();
    bool InTransaction() const;

    // Runs one statement of local SQL against this database.
    void Execute(const QString& sql);

    TSession& sessione() const { return *sessione_; }

private:
    TSession* sessione_;
    bool aperto_ = false;
};

} // namespace tabelle
