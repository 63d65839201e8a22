// tratte-cli comune and tratte: the directory's lookup, and the view of
// the main window for a province and a comune, which reaches the directory
// component.
#include "comandi.h"

#include "app/archiviodati.h"
#include "app/configurazione.h"
#include "app/navigazione.h"
#include "componenti/creazione.h"
#include "directory/interfacce.h"
#include "directory/ricercacomuni.h"
#include "gridkit/tabella/newtable.h"
#include "tabelle/query.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QCommandLineParser>

namespace cli {

int Comune(Contesto& c, const QCommandLineParser& riga)
{
    const bool soloStati = riga.isSet(QStringLiteral("solo-stati"));
    const bool stati = soloStati || riga.isSet(QStringLiteral("stati"));
    if (soloStati && riga.isSet(QStringLiteral("stati"))) {
        c.errori << "Le opzioni --stati e --solo-stati si escludono.\n";
        return 2;
    }
    const QString testo = riga.positionalArguments().front();
    // The directory's own lookup, in this process: where the component
    // would show its candidate dialog, the candidates are printed instead.
    tratte::UsaPasswordTabelle(tabelle::Session());
    bool piuCandidati = false;
    borgal::RicercaComuni ricerca(tabelle::Session(), [&](const QString&, const QString&, const QStringList&) {
        piuCandidati = true;
        return QString();
    });
    QStringList dati;
    if (ricerca.CercaComune(!soloStati, stati, testo, dati)) {
        for (const QString& linea : std::as_const(dati))
            c.uscita << linea << '\n';
        return 0;
    }
    if (!piuCandidati)
        return 1;
    QList<borgal::RicercaComuni::Candidato> candidati;
    ricerca.CercaSuggerimenti(!soloStati, stati, borgal::ChiaveRicerca::Da(testo)->testo, QString(), candidati);
    for (const borgal::RicercaComuni::Candidato& candidato : std::as_const(candidati))
        c.uscita << candidato.nome << '\t' << candidato.provincia << '\t' << candidato.codice << '\n';
    return 3;
}

int Tratte(Contesto& c, const QCommandLineParser& riga)
{
    tratte::TArchivioDati archivio(c.cartellaProgramma);
    gridkit::TNewTable tabella;
    if (const int esito = PreparaVista(c, riga, archivio, tabella))
        return esito;
    StampaTratte(c, tabella);
    return 0;
}

int PreparaVista(Contesto& c, const QCommandLineParser& riga, tratte::TArchivioDati& archivio, gridkit::TNewTable& tabella)
{
    QString provincia = tratte::TutteLeProvince;
    QString comune = tratte::TuttiIComuni;
    if (riga.isSet(QStringLiteral("provincia")))
        provincia = riga.value(QStringLiteral("provincia"));
    if (riga.isSet(QStringLiteral("comune")))
        comune = riga.value(QStringLiteral("comune"));
    archivio.Prepara();
    const QString cartellaComuni = tratte::LeggiCartellaArchivioComuni();
    auto directory = componenti::CreateComObject<borgal::IBorgal>(borgal::CLSID_Borgal, borgal::IID_IBorgal);

    tabelle::TTable prv;
    prv.DatabaseName = QStringLiteral("Database");
    prv.TableName = QStringLiteral("PRV.DB");
    QStringList province;
    prv.Open();
    if (prv.RecordCount() > 0)
        province << tratte::TutteLeProvince;
    for (int r = 1; r <= prv.RecordCount(); ++r) {
        prv.SetRecNo(r);
        province << prv.FieldByName("PROVINCIA")->AsString();
    }
    prv.Close();
    if (!tratte::TNavigazione::TraLeVoci(province, provincia)) {
        c.errori << "Provincia non caricata: " << provincia << '\n';
        return 1;
    }

    tabelle::TQuery comuni, vecchiComuni;
    comuni.DatabaseName = vecchiComuni.DatabaseName = cartellaComuni;
    comuni.SQL = tratte::TNavigazione::TestoQueryComuni();
    vecchiComuni.SQL = tratte::TNavigazione::TestoQueryVecchiComuni();
    QStringList valori;
    tratte::TNavigazione navigazione(
        [&](const QString& testo, tratte::DatiComune& v) {
            valori.clear();
            const bool trovato = directory->CercaComune(true, false, testo, valori);
            auto valore = [&](const QString& nome) {
                for (const QString& riga : std::as_const(valori))
                    if (riga.section('=', 0, 0) == nome)
                        return riga.section('=', 1);
                return QString();
            };
            v = {valore("CodiceCatastale"), valore("CodiceFiscale"), valore("Provincia"), valore("NomeComune")};
            return trovato;
        },
        prv, comuni, vecchiComuni);
    // As Enter in the comune box: the first item that begins with the text.
    const QStringList voci = navigazione.ComuniDi(provincia, cartellaComuni);
    const int trovato = tratte::TNavigazione::PrimoCheIniziaCon(voci, comune);
    if (trovato < 0) {
        c.errori << "Comune non presente nell'elenco della provincia: " << comune << '\n';
        return 1;
    }
    tabella.DatabaseName = QStringLiteral("Database");
    tabella.SetTableName(QStringLiteral("Tratte.db"));
    tabella.ReadOnly = true;
    navigazione.Filtra(tabella, provincia, voci[trovato]);
    return 0;
}

} // namespace cli
