#include "comandi.h"

#include "app/archiviodati.h"
#include "app/installazione.h"
#include "componenti/creazione.h"
#include "directory/interfacce.h"
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

int Comune(Contesto& c, const QStringList& argomenti)
{
    QStringList resto = argomenti;
    const bool stati = resto.removeAll(QStringLiteral("--stati")) > 0;
    if (resto.size() != 1) {
        c.errori << "Uso: tratte-cli comune TESTO [--stati]\n";
        return 2;
    }
    auto directory = componenti::CreateComObject<borgal::IBorgal>(borgal::CLSID_Borgal, borgal::IID_IBorgal);
    QStringList dati;
    if (!directory->CercaComune(true, stati, resto.front(), dati))
        return 1;
    for (const QString& riga : std::as_const(dati))
        c.uscita << riga << '\n';
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
    if (comando == "comune")
        return Comune(c, resto);
    c.errori << (comando.isEmpty() ? QStringLiteral("Comando mancante.") : QStringLiteral("Comando sconosciuto: %1").arg(comando)) << '\n'
             << "Uso: tratte-cli [--programma CARTELLA] registra | province | comune TESTO [--stati]\n";
    return 2;
}

} // namespace cli
