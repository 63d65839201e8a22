// Speed of find in the archive grid on 1,000,000 rows: "Trova primo" in
// all columns for a text no row holds (every row read), and for the ID of
// the 500,000th row (half of them read).
//
//   bench-comandi [CARTELLA]   data as bench-tabelle builds them (shared).
#include "sintetico.h"

#include "app/archiviodati.h"
#include "gridkit/comandi/trovainndbg.h"
#include "gridkit/griglia/newdbgrid.h"
#include "gridkit/tabella/newtable.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "tabelle/campo.h"

#include "gridkit/comune/avviografico.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>

using namespace banco;

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gridkit::AvvioGrafico grafica;
    const QString cartella = QDir(app.arguments().value(1, "bench-dati")).absolutePath();
    qputenv("TRATTE_REGISTRO", (cartella + "/registro").toLocal8Bit());
    PreparaDati(cartella);
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione(finto);

    tratte::TArchivioDati archivio(cartella + "/Tratte");
    archivio.Prepara();
    gridkit::TNewTable tabella(nullptr, &archivio.sessione());
    tabella.DatabaseName = "Database";
    tabella.SetTableName("Tratte.db");
    tabella.ReadOnly = true;
    tabella.Riapri();
    tabelle::TDataSource sorgente;
    sorgente.SetDataSet(&tabella);
    gridkit::TNewDBGrid griglia;
    griglia.resize(1000, 700);
    griglia.SetDataSource(&sorgente);
    griglia.show();
    QApplication::processEvents();
    if (tabella.RecordCount() != Righe) {
        std::fprintf(stderr, "l'archivio non ha le righe attese\n");
        return 1;
    }

    gridkit::TTrovaInNDBGForm dialogo(griglia, tabella);
    auto trova = [&](const QString& testo) {
        dialogo.Testo_Edit->setText(testo);
        return Misura([&] { dialogo.TrovaPrimo_BitBtn->click(); });
    };
    const double nessuna = trova("nessuna riga ha questo testo");
    const bool messaggio = !finto.mostrati.isEmpty();
    const QString id = QString::number(tabella.ValoreRiga(Righe / 2 - 1, tabella.FieldByName("ID_001_TABLE")->Index()).toLongLong());
    const double meta = trova(id);
    std::printf("Trova primo, tutte le colonne, nessuna corrispondenza su %d righe: %.0f ms (messaggio: %s)\n", Righe,
                nessuna, messaggio ? "sì" : "no");
    std::printf("Trova primo, tutte le colonne, corrispondenza alla riga %d: %.0f ms (riga trovata: %d)\n", Righe / 2,
                meta, tabella.RecNo());
    return 0;
}
