// tratte-cli cerca: the search among a list of fiducial points.
#include "comandi.h"

#include "app/archiviodati.h"
#include "app/ricerca/ricercapf.h"
#include "gridkit/tabella/newtable.h"
#include "tabelle/connessione.h"
#include "tabelle/tabella.h"

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

    // The point list, as the list window fills it.
    tabelle::TTable ricerche;
    ricerche.DatabaseName = QStringLiteral("Database");
    ricerche.TableName = tratte::TabellaRicerchePF;
    ricerche.Exclusive = true;
    ricerche.Open();
    {
        // The old list goes and the whole new one comes in one commit: a
        // commit per point would cost a wait for the disk each.
        tabelle::PuntoDiRipristino lista(ricerche.sessione().connessione());
        ricerche.EmptyTable();
        for (const tratte::PuntoFiduciale& p : std::as_const(punti)) {
            ricerche.Append();
            tratte::TRicercaPF::ScriviPunto(ricerche, p);
            ricerche.Post();
        }
        lista.Conferma();
    }
    tratte::TRicercaPF::CreaCombinazioni(ricerche.sessione(), ricerche.DatabaseName);

    tabella.DatabaseName = QStringLiteral("Database");
    tabella.SetTableName(QStringLiteral("Tratte.db"));
    tabella.ReadOnly = true;
    tratte::TRicercaPF::ImpostaRicerca(tabella, punti);
    tabella.Riapri();
    return 0;
}

} // namespace cli
