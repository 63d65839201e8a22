#include "tabelle/protezione.h"

#include "tabelle/chiave.h"
#include "tabelle/connessione.h"
#include "tabelle/errore.h"
#include "tabelle/percorsi.h"
#include "tabelle/sessione.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <optional>
#include <sqlcipher/sqlite3.h>

namespace tabelle {
namespace {

// A connection of its own on the table file, so that the file is the main
// database the export reads from.
class ConnessioneFile {
public:
    explicit ConnessioneFile(const QString& percorso)
    {
        if (sqlite3_open_v2(QFile::encodeName(percorso).constData(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
            throw EDBEngineError(QString::fromUtf8(sqlite3_errmsg(db_)));
    }
    ~ConnessioneFile() { sqlite3_close(db_); }
    ConnessioneFile(const ConnessioneFile&) = delete;
    ConnessioneFile& operator=(const ConnessioneFile&) = delete;

    int Esegui(const QByteArray& testo)
    {
        char* errore = nullptr;
        const int r = sqlite3_exec(db_, testo.constData(), nullptr, nullptr, &errore);
        ultimo_ = QString::fromUtf8(errore ? errore : "");
        sqlite3_free(errore);
        return r;
    }
    void Obbliga(const QByteArray& testo)
    {
        if (Esegui(testo) != SQLITE_OK)
            throw EDBEngineError(ultimo_);
    }
    // Tries a key (empty: none) with the encrypted page size given; true
    // when the file then reads.
    bool Chiave(const QByteArray& chiave, int pagina = DimensionePagina)
    {
        if (!chiave.isEmpty() && (Esegui("PRAGMA key = \"" + chiave + "\"") != SQLITE_OK ||
                                  Esegui("PRAGMA cipher_page_size = " + QByteArray::number(pagina)) != SQLITE_OK))
            return false;
        return Esegui("SELECT count(*) FROM sqlite_master") == SQLITE_OK;
    }

private:
    sqlite3* db_ = nullptr;
    QString ultimo_;
};

QByteArray Letterale(const QByteArray& testo) { return "'" + QByteArray(testo).replace("'", "''") + "'"; }

} // namespace

void ImpostaPasswordTabella(TSession& sessione, const QString& nome, const QString& password)
{
    const QString percorso = RisolviPercorso(NormalizzaNomeTabella(nome));
    const QString breve = QFileInfo(percorso).fileName();
    if (!QFileInfo::exists(percorso))
        throw EDBEngineError(QStringLiteral("Tabella '%1' non trovata.").arg(percorso));
    Connessione& c = sessione.connessione();
    // Nobody else may have the table open meanwhile, and this session
    // lets it go.
    c.VerificaLibero(percorso);
    c.Stacca(percorso);

    const QString nuovo = percorso + QStringLiteral(".cifrato");
    QFile::remove(nuovo);
    try {
        QFile lettura(percorso);
        const bool inChiaro = lettura.open(QIODevice::ReadOnly) && lettura.read(16).startsWith("SQLite format 3");
        lettura.close();
        // A failed key leaves its connection unusable: each key and page
        // size is tried on a connection of its own.
        std::optional<ConnessioneFile> file;
        if (inChiaro) {
            file.emplace(percorso);
            if (!file->Chiave(QByteArray()))
                file.reset();
        }
        for (int i = 0; !inChiaro && !file && i < DimensioniPaginaLeggibili.size(); ++i)
            for (const QString& p : sessione.Passwords()) {
                file.emplace(percorso);
                if (file->Chiave(ChiaveGrezza(p), DimensioniPaginaLeggibili[i]))
                    break;
                file.reset();
            }
        if (!file)
            throw EDBEngineError(QStringLiteral("password errata o file danneggiato"));
        const QByteArray chiave = password.isEmpty() ? QByteArray() : ChiaveGrezza(password);
        file->Obbliga("PRAGMA cipher_default_page_size = " + QByteArray::number(DimensionePagina));
        file->Obbliga("ATTACH DATABASE " + Letterale(QFile::encodeName(nuovo)) + " AS nuovo KEY " + Letterale(chiave));
        file->Obbliga("PRAGMA nuovo.page_size = " + QByteArray::number(DimensionePagina));
        file->Obbliga("SELECT sqlcipher_export('nuovo')");
        file->Obbliga("DETACH DATABASE nuovo");
    } catch (const EDBEngineError& e) {
        QFile::remove(nuovo);
        throw EDBEngineError(QStringLiteral("Impossibile proteggere la tabella '%1': %2").arg(breve, e.messaggio()));
    }
    if (std::rename(QFile::encodeName(nuovo).constData(), QFile::encodeName(percorso).constData()) != 0) {
        QFile::remove(nuovo);
        throw EDBEngineError(QStringLiteral("Impossibile proteggere la tabella '%1': sostituzione del file non riuscita.").arg(breve));
    }
}

} // namespace tabelle
