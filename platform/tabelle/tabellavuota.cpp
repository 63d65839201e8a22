#include "tabelle/tabellavuota.h"

#include "tabelle/connessione.h"
#include "tabelle/errore.h"
#include "tabelle/sessione.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace tabelle {

void ScriviTabellaVuota(TSession& sessione, const QString& percorso)
{
    const QFileInfo info(percorso);
    if (!info.absoluteDir().exists())
        throw EDBEngineError(QStringLiteral("Cartella '%1' non trovata (tabella '%2').").arg(info.absolutePath(), info.fileName()));
    Connessione& c = sessione.connessione();
    const QString nuovo = percorso + QStringLiteral(".nuovo");
    QFile::remove(nuovo);
    try {
        UsoTabella uso(c, nuovo, true, true);
        c.Esegui(QStringLiteral("CREATE TABLE %1.dati (ID_001_TABLE INTEGER PRIMARY KEY AUTOINCREMENT)").arg(uso.schema()));
    } catch (...) {
        try {
            c.Stacca(nuovo);
        } catch (const EDBEngineError&) {
        }
        QFile::remove(nuovo);
        throw;
    }
    c.Stacca(nuovo);
    c.Stacca(percorso);
    c.VerificaLibero(percorso);
    if (std::rename(QFile::encodeName(nuovo).constData(), QFile::encodeName(percorso).constData()) != 0) {
        QFile::remove(nuovo);
        throw EDBEngineError(QStringLiteral("Impossibile scrivere la tabella '%1'.").arg(info.fileName()));
    }
}

} // namespace tabelle
