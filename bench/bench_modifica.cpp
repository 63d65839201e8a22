// Speed of editing through the archive grid on 1,000,000 rows: a selection
// of 10,000 rows copied to the clipboard file and pasted into a table of
// the same structure (and into the archive itself), the undo of that
// paste, and one edit posted (apply, journal entry, back on the row).
//
//   bench-modifica [CARTELLA]   data as bench-tabelle builds them (shared);
//                               the archive's rows are left as they were.
#include "sintetico.h"

#include "app/archiviodati.h"
#include "gridkit/griglia/grigliamodello.h"
#include "gridkit/griglia/newdbgrid.h"
#include "gridkit/modifica/undotable.h"
#include "gridkit/tabella/newtable.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "tabelle/campo.h"

#include "gridkit/comune/avviografico.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <cstdio>
#include <memory>

using namespace banco;

namespace {

constexpr int Selezionate = 10000;

double Millisecondi(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

void Esci(const char* testo)
{
    std::fprintf(stderr, "%s\n", testo);
    std::exit(1);
}

// An editable enhanced grid on a program folder's Tratte.db.
struct Vista {
    gridkit::TNewTable tabella;
    tabelle::TDataSource sorgente;
    gridkit::TNewDBGrid griglia;

    Vista(const QString& database, tabelle::TSession& sessione) : tabella(nullptr, &sessione)
    {
        tabella.DatabaseName = database;
        tabella.SetTableName("Tratte.db");
        tabella.Riapri();
        sorgente.SetDataSet(&tabella);
        gridkit::TDBGridOptions opzioni = griglia.Options();
        griglia.SetOptions(opzioni.aggiungi(gridkit::TDBGridOption::dgMultiSelect));
        griglia.resize(1000, 700);
        griglia.SetDataSource(&sorgente);
        griglia.show();
        QApplication::processEvents();
    }
    void Seleziona(int da, int quante)
    {
        const gridkit::ModelloGriglia& m = griglia.Modello();
        griglia.selectionModel()->select(QItemSelection(m.index(da, 0), m.index(da + quante - 1, m.columnCount() - 1)),
                                         QItemSelectionModel::ClearAndSelect);
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gridkit::AvvioGrafico grafica;
    const QString cartella = QDir(app.arguments().value(1, "bench-dati")).absolutePath();
    qputenv("TRATTE_REGISTRO", (cartella + "/registro").toLocal8Bit());
    PreparaDati(cartella);
    // The clipboard file and the journals in a folder of their own.
    const QString temporanea = cartella + "/tmp-modifica";
    QDir(temporanea).removeRecursively();
    QDir().mkpath(temporanea);
    qputenv("TMPDIR", temporanea.toLocal8Bit());
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione(finto);

    tratte::TArchivioDati archivio(cartella + "/Tratte");
    archivio.Prepara();
    // The target of the paste: an empty archive of the same structure.
    const QString altra = cartella + "/TratteIncolla";
    QDir(altra).removeRecursively();
    QDir().mkpath(altra + "/Archivi");
    {
        tabelle::TSession sessione;
        tratte::TArchivioDati vuoto(altra, nullptr, &sessione);
        vuoto.Prepara();
    }

    Vista sorgente("Database", archivio.sessione());
    Vista destinazione(altra + "/Archivi", archivio.sessione());
    if (sorgente.tabella.RecordCount() != Righe)
        Esci("l'archivio non ha le righe attese");

    // Copy of 10,000 selected rows from the middle of the archive.
    sorgente.Seleziona(400000, Selezionate);
    const double copia = Misura([&] { sorgente.griglia.Copia(); });

    // Paste into the empty table and its undo, three times.
    std::vector<double> incolla, annulla;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        destinazione.griglia.Incolla();
        incolla.push_back(Millisecondi(t));
        if (destinazione.tabella.RecordCount() != Selezionate)
            Esci("incolla: righe mancanti");
        t.restart();
        destinazione.griglia.Annulla();
        annulla.push_back(Millisecondi(t));
        if (destinazione.tabella.RecordCount() != 0)
            Esci("annulla: righe rimaste");
    }

    // Paste into the archive itself (1,010,000 rows to show again) and its undo.
    QElapsedTimer t;
    t.start();
    sorgente.griglia.Incolla();
    const double incollaArchivio = Millisecondi(t);
    if (sorgente.tabella.RecordCount() != Righe + Selezionate)
        Esci("incolla nell'archivio: righe mancanti");
    t.restart();
    sorgente.griglia.Annulla();
    const double annullaArchivio = Millisecondi(t);
    if (sorgente.tabella.RecordCount() != Righe)
        Esci("annulla nell'archivio: righe rimaste");

    // One edit posted in the middle of the archive, the value put back each time.
    sorgente.tabella.SetRecNo(500000);
    const qint64 id = sorgente.tabella.FieldByName("ID_001_TABLE")->AsInteger();
    tabelle::TField* pf = sorgente.tabella.FieldByName("PF1");
    const qint64 originale = pf->AsInteger();
    bool cambiato = false;
    const double modifica = Misura([&] {
        sorgente.tabella.Edit();
        pf->SetAsInteger(cambiato ? originale : originale + 1);
        sorgente.tabella.Post();
        cambiato = !cambiato;
    });
    if (cambiato) {
        sorgente.tabella.Edit();
        pf->SetAsInteger(originale);
        sorgente.tabella.Post();
    }
    if (sorgente.tabella.RecNo() != 500000 || sorgente.tabella.FieldByName("ID_001_TABLE")->AsInteger() != id || pf->AsInteger() != originale)
        Esci("modifica: riga o valore diversi");
    if (!finto.mostrati.isEmpty())
        Esci(qPrintable("messaggio inatteso: " + finto.mostrati.front().testo));

    std::printf("Modifica nella griglia dell'archivio di %d righe (mediane)\n", Righe);
    std::printf("%-58s %9.1f ms\n", "copia di 10.000 righe selezionate negli appunti", copia);
    std::printf("%-58s %9.1f ms\n", "incolla in una tabella vuota della stessa struttura", Mediana(incolla));
    std::printf("%-58s %9.1f ms\n", "annulla di quell'incolla", Mediana(annulla));
    std::printf("%-58s %9.1f ms\n", "incolla nell'archivio stesso (1.010.000 righe mostrate)", incollaArchivio);
    std::printf("%-58s %9.1f ms\n", "annulla di quell'incolla", annullaArchivio);
    std::printf("%-58s %9.1f ms\n", "una modifica registrata (scrittura, giornale, stessa riga)", modifica);
    return 0;
}
