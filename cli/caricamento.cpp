// tratte-cli carica and elimina: the folder series loaded, and a province
// deleted, by the update procedure's own code.
#include "comandi.h"

#include "app/archiviodati.h"
#include "app/caricamento/caricamento.h"
#include "tabelle/tabella.h"

namespace cli {

int Carica(Contesto& c, const QStringList& argomenti)
{
    QStringList resto = argomenti;
    const bool sostituisci = resto.removeAll(QStringLiteral("--sostituisci")) > 0;
    if (resto.size() != 1 || resto.front().startsWith(QLatin1String("--"))) {
        c.errori << "Uso: tratte-cli carica CARTELLA [--sostituisci]\n";
        return 2;
    }
    tratte::TArchivioDati archivio(c.cartellaProgramma);
    archivio.Prepara();
    tratte::TCaricamentoProvincia::Interfaccia interfaccia;
    bool rifiutata = false;
    interfaccia.ConfermaSostituzione = [&](const QString& domanda) {
        c.errori << domanda << (sostituisci ? " OK\n" : " Annulla (per sostituire: --sostituisci)\n");
        c.errori.flush();
        rifiutata = !sostituisci;
        return sostituisci;
    };
    tratte::TCaricamentoProvincia caricamento(archivio, interfaccia);
    switch (caricamento.CaricaDaCartella(resto.front())) {
    case tratte::TCaricamentoProvincia::Esito::Completato:
        c.uscita << caricamento.CodiceProvincia << '\t' << caricamento.RigheCaricate << '\n';
        return 0;
    case tratte::TCaricamentoProvincia::Esito::Rifiutato:
        c.errori << "Provincia " << caricamento.CodiceProvincia << " già caricata: nessuna modifica.\n";
        return 3;
    case tratte::TCaricamentoProvincia::Esito::Interrotto:
        break;
    }
    return 1;
}

int Elimina(Contesto& c, const QStringList& argomenti)
{
    if (argomenti.size() != 1) {
        c.errori << "Uso: tratte-cli elimina SIGLA\n";
        return 2;
    }
    const QString sigla = argomenti.front().toUpper();
    tratte::TArchivioDati archivio(c.cartellaProgramma);
    archivio.Prepara();
    {
        tabelle::TTable prv;
        prv.DatabaseName = QStringLiteral("Database");
        prv.TableName = QStringLiteral("PRV.DB");
        prv.Open();
        if (!prv.FindKey({sigla})) {
            c.errori << "Provincia non caricata: " << sigla << '\n';
            return 1;
        }
    }
    tratte::TCaricamentoProvincia(archivio, {}).EliminaProvincia(sigla);
    c.uscita << sigla << "\teliminata\n";
    return 0;
}

} // namespace cli
