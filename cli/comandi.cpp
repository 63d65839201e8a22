#include "comandi.h"

#include "app/archiviodati.h"
#include "app/installazione.h"
#include "tabelle/tabella.h"

namespace cli {

int Registra(Contesto& c, const QStringList&)
{
    for (const QString& riga : tratte::RegistraInstallazione(c.cartellaProgramma))
        c.uscita << riga << '\n';
    return 0;
}

int Province(Contesto& c, const QStringList&)
{
    tratte::TArchivioDati archivio(c.cartellaProgramma);
    archivio.Prepara();
    tabelle::TTable prv;
    prv.DatabaseName = QStringLiteral("Database");
    prv.TableName = QStringLiteral("PRV.DB");
    prv.Open();
    for (prv.First(); !prv.Eof(); prv.Next()) {
        c.uscita << prv.FieldByName("CODEPRV")->AsString() << '\t' << prv.FieldByName("PROVINCIA")->AsString() << '\t'
                 << prv.FieldByName("DATA")->AsString() << '\n';
        if (prv.RecNo() == prv.RecordCount())
            break;
    }
    return 0;
}

int Esegui(Contesto& c, const QStringList& argomenti)
{
    const QString comando = argomenti.value(0);
    const QStringList resto = argomenti.mid(1);
    if (comando == "registra")
        return Registra(c, resto);
    if (comando == "province")
        return Province(c, resto);
    c.errori << (comando.isEmpty() ? QStringLiteral("Comando mancante.") : QStringLiteral("Comando sconosciuto: %1").arg(comando)) << '\n'
             << "Uso: tratte-cli [--programma CARTELLA] registra | province\n";
    return 2;
}

} // namespace cli
