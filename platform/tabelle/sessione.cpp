#include "tabelle/sessione.h"

#include "tabelle/chiave.h"
#include "tabelle/connessione.h"
#include "tabelle/errore.h"
#include "tabelle/query.h"

#include <QDir>
#include <QFileInfo>

namespace tabelle {
namespace {

QString ValoreParametro(const QStringList& parametri, const QString& nome)
{
    for (const QString& p : parametri) {
        const int uguale = p.indexOf('=');
        if (uguale > 0 && p.left(uguale).trimmed().compare(nome, Qt::CaseInsensitive) == 0)
            return p.mid(uguale + 1).trimmed();
    }
    return QString();
}

QString SenzaBarraFinale(QString cartella)
{
    cartella.replace('\\', '/');
    while (cartella.size() > 1 && cartella.endsWith('/'))
        cartella.chop(1);
    return cartella;
}

} // namespace

TSession::TSession() = default;
TSession::~TSession() = default;

TSession& Session()
{
    static TSession predefinita;
    return predefinita;
}

void TSession::AddPassword(const QString& password)
{
    if (!password_.contains(password))
        password_ << password;
}

void TSession::RemovePassword(const QString& password) { password_.removeAll(password); }
void TSession::RemoveAllPasswords() { password_.clear(); }

void TSession::AddStandardAlias(const QString& nome, const QString& percorso, const QString& driverPredefinito)
{
    AddAlias(nome, QStringLiteral("STANDARD"), {QStringLiteral("PATH=") + percorso, QStringLiteral("DEFAULT DRIVER=") + driverPredefinito});
}

void TSession::AddAlias(const QString& nome, const QString& driver, const QStringList& parametri)
{
    if (IsAlias(nome))
        throw EDBEngineError(QStringLiteral("L'alias '%1' esiste già.").arg(nome));
    Q_UNUSED(driver);
    alias_.insert(nome.toUpper(), parametri);
}

void TSession::DeleteAlias(const QString& nome) { alias_.remove(nome.toUpper()); }
bool TSession::IsAlias(const QString& nome) const { return alias_.contains(nome.toUpper()); }
QStringList TSession::GetAliasParams(const QString& nome) const { return alias_.value(nome.toUpper()); }
QStringList TSession::GetAliasNames() const { return alias_.keys(); }

TDatabase* TSession::FindDatabase(const QString& nome) const
{
    for (TDatabase* d : database_)
        if (!d->DatabaseName.isEmpty() && d->DatabaseName.compare(nome, Qt::CaseInsensitive) == 0)
            return d;
    return nullptr;
}

QString TSession::CartellaDi(const QString& nomeDatabase) const
{
    if (nomeDatabase.trimmed().isEmpty())
        return QDir::currentPath();
    if (TDatabase* d = FindDatabase(nomeDatabase))
        return d->Directory();
    if (IsAlias(nomeDatabase))
        return SenzaBarraFinale(ValoreParametro(GetAliasParams(nomeDatabase), QStringLiteral("PATH")));
    const QString cartella = SenzaBarraFinale(nomeDatabase);
    if (QFileInfo(cartella).isDir())
        return cartella;
    throw EDBEngineError(QStringLiteral("Database '%1' sconosciuto: non è un alias né una cartella esistente.").arg(nomeDatabase));
}

Connessione& TSession::connessione()
{
    if (!connessione_)
        connessione_ = std::make_unique<Connessione>([this] {
            QList<QByteArray> chiavi;
            for (const QString& p : password_)
                chiavi << ChiaveGrezza(p);
            return chiavi;
        });
    return *connessione_;
}

// ---------------------------------------------------------------- TDatabase

TDatabase::TDatabase(QObject* owner, TSession* sessione)
    : QObject(owner), sessione_(sessione ? sessione : &Session())
{
    sessione_->database_ << this;
}

TDatabase::~TDatabase() { sessione_->database_.removeAll(this); }

QString TDatabase::Directory() const { return SenzaBarraFinale(ValoreParametro(Params, QStringLiteral("PATH"))); }

void TDatabase::Open()
{
    if (aperto_)
        return;
    const QString cartella = Directory();
    if (cartella.isEmpty() || !QFileInfo(cartella).isDir())
        throw EDBEngineError(QStringLiteral("Database '%1': cartella '%2' non trovata.").arg(DatabaseName, cartella));
    aperto_ = true;
}

void TDatabase::Close() { aperto_ = false; }

void TDatabase::StartTransaction() { sessione_->connessione().IniziaTransazione(); }
void TDatabase::Commit() { sessione_->connessione().ConfermaTransazione(); }
void TDatabase::Rollback() { sessione_->connessione().AnnullaTransazione(); }
bool TDatabase::InTransaction() const { return sessione_->connessione().InTransazione(); }

void TDatabase::Execute(const QString& sql)
{
    TQuery q(nullptr, sessione_);
    q.DatabaseName = DatabaseName;
    q.SQL << sql;
    q.ExecSQL();
}

} // namespace tabelle
