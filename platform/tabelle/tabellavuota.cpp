#include "tabelle/tabellavuota.h"

#include "tabelle/connessione.h"
#include "tabelle/errore.h"
#include "tabelle/percorsi.h"
#include "tabelle/sessione.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace tabelle {

void ScriviTabellaVuota(TSession& sessione, const QString& dato)
{
    const QString percorso = RisolviPercorso(dato);
    const QFileInfo info(percorso);
    if (!info.absoluteDir().exists())
        throw EDBEngineError(QStringLiteral("Cartella '%1' non trovata (tabella '%2').").arg(info.absolutePath(), info.fileName()));
    Connessione& c = sessione.connessione();
    // Nobody else may hold the table that is replaced.
    c.Stacca(percorso);
    c.VerificaLibero(percorso);
    const QString nuovo = percorso + QStringLiteral(".nuovo");
    QFile::remove(nuovo);
    try {
        {
            UsoTabella uso(c, nuovo, true, true);
            c.Esegui(QStringLiteral("CREATE TABLE %1.dati (ID_001_TABLE INTEGER PRIMARY KEY AUTOINCREMENT)").arg(uso.schema()));
        }
        c.Stacca(nuovo);
        c.Stacca(percorso);
        c.VerificaLibero(percorso);
        if (std::rename(QFile::encodeName(nuovo).constData(), QFile::encodeName(percorso).constData()) != 0)
            throw EDBEngineError(QStringLiteral("Impossibile scrivere la tabella '%1'.").arg(info.fileName()));
    } catch (...) {
        try {
            c.Stacca(nuovo);
        } catch (const EDBEngineError&) {
        }
        QFile::remove(nuovo);
        throw;
    }
}

} // namespace tabelle
