// tratte-cli cerca: the search among a list of fiducial points.
#include "comandi.h"

#include "app/archiviodati.h"
#include "app/ricerca/ricercapf.h"
#include "gridkit/tabella/newtable.h"

#include <QCommandLineParser>

namespace cli {

int Cerca(Contesto& c, const QCommandLineParser& riga)
{
    tratte::TArchivioDati archivio(c.cartellaProgramma);
    gridkit::TNewTable tabella;
    if (const int esito = PreparaRicerca(c, riga.positionalArguments(), archivio, tabella))
        return esito;
    StampaTratte(c, tabella);
    return 0;
}

int PreparaRicerca(Contesto& c, const QStringList& argomenti, tratte::TArchivioDati& archivio, gridkit::TNewTable& tabella)
{
    QList<tratte::PuntoFiduciale> punti;
    for (const QString& testo : argomenti) {
        const std::optional<tratte::PuntoFiduciale> punto = tratte::TRicercaPF::LeggiPunto(testo);
        if (!punto) {
            c.errori << "Punto non valido: " << testo << " (atteso COMUNE,SEZIONE,FOGLIO,ALLEGATO,PF, per esempio H501,,12,,5)\n";
            return 2;
        }
        // A point is in the list once.
        if (!punti.contains(*punto))
            punti << *punto;
    }
    archivio.Prepara();
    tratte::TRicercaPF::VerificaTabelleLavoro(archivio.CartellaDati());
    // The pairs of the points given, as the search window makes them from
    // its list; the list the user keeps in the window is left as it is.
    // One point is looked up by its own conditions.
    if (punti.size() > 1)
        tratte::TRicercaPF::CreaCombinazioni(archivio.sessione(), QStringLiteral("Database"), punti);

    tabella.DatabaseName = QStringLiteral("Database");
    tabella.SetTableName(QStringLiteral("Tratte.db"));
    tabella.ReadOnly = true;
    tratte::TRicercaPF::ImpostaRicerca(tabella, punti);
    tabella.Riapri();
    return 0;
}

} // namespace cli
