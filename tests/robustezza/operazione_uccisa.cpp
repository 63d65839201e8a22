// An operation on the archive that the system kills, as a crash, a kill -9
// or a power cut would end it: the process sends itself SIGKILL at the
// N-th step, a step being every write, sync, truncation and deletion of a
// table file or journal, and every line of a distribution file read.
//
//   operazione-uccisa carica  PROGRAMMA ARCHIVIO_COMUNI N SERIE
//   operazione-uccisa elimina PROGRAMMA ARCHIVIO_COMUNI N SIGLA
//   operazione-uccisa griglia PROGRAMMA ARCHIVIO_COMUNI N ID VALORE
//   operazione-uccisa libretto PROGRAMMA ARCHIVIO_COMUNI N LIBRETTO
//
// griglia: the archive table in an editable grid; the row of that ID gets
// Protocollo = VALORE, posted through the grid. libretto: the survey-book
// search of LIBRETTO (PathArchivi set to PROGRAMMA), its results written
// over those of the search before. With N = 0 the operation
// runs to its end and prints the number of its steps.
#include "app/archiviodati.h"
#include "app/caricamento/caricamento.h"
#include "app/libretto/elaborazionelibretto.h"
#include "app/libretto/tzrtrattelbp.h"
#include "app/ricerca/ricercapf.h"
#include "componenti/creazione.h"
#include "directory/interfacce.h"
#include "registro/treginifile.h"
#include "gridkit/griglia/newdbgrid.h"
#include "gridkit/tabella/newtable.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "tabelle/campo.h"
#include "tabelle/sessione.h"
#include "tabelle/sorgente.h"

#include "gridkit/comune/avviografico.h"

#include <QApplication>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sqlcipher/sqlite3.h>
#include <unistd.h>

namespace {

long passo = 0;
long punto = 0;
bool armato = false;

void Passo()
{
    if (armato && ++passo == punto)
        ::kill(::getpid(), SIGKILL);
}

// SQLite's own file system with every file wrapped: the wrapper counts the
// calls that change what is on disk, then hands each call to the real file.
sqlite3_vfs* reale = nullptr;
sqlite3_vfs contato;

struct File {
    sqlite3_file base;
    sqlite3_file* vero() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

sqlite3_file* Vero(sqlite3_file* f) { return reinterpret_cast<File*>(f)->vero(); }

int Chiudi(sqlite3_file* f) { return Vero(f)->pMethods->xClose(Vero(f)); }
int Leggi(sqlite3_file* f, void* b, int n, sqlite3_int64 o) { return Vero(f)->pMethods->xRead(Vero(f), b, n, o); }
int Scrivi(sqlite3_file* f, const void* b, int n, sqlite3_int64 o)
{
    Passo();
    return Vero(f)->pMethods->xWrite(Vero(f), b, n, o);
}
int Tronca(sqlite3_file* f, sqlite3_int64 n)
{
    Passo();
    return Vero(f)->pMethods->xTruncate(Vero(f), n);
}
int Sincronizza(sqlite3_file* f, int flag)
{
    Passo();
    return Vero(f)->pMethods->xSync(Vero(f), flag);
}
int Dimensione(sqlite3_file* f, sqlite3_int64* n) { return Vero(f)->pMethods->xFileSize(Vero(f), n); }
int Blocca(sqlite3_file* f, int l) { return Vero(f)->pMethods->xLock(Vero(f), l); }
int Sblocca(sqlite3_file* f, int l) { return Vero(f)->pMethods->xUnlock(Vero(f), l); }
int Riservato(sqlite3_file* f, int* r) { return Vero(f)->pMethods->xCheckReservedLock(Vero(f), r); }
int Controllo(sqlite3_file* f, int op, void* a) { return Vero(f)->pMethods->xFileControl(Vero(f), op, a); }
int Settore(sqlite3_file* f) { return Vero(f)->pMethods->xSectorSize(Vero(f)); }
int Caratteristiche(sqlite3_file* f) { return Vero(f)->pMethods->xDeviceCharacteristics(Vero(f)); }
int ShmMap(sqlite3_file* f, int i, int n, int s, void volatile** p) { return Vero(f)->pMethods->xShmMap(Vero(f), i, n, s, p); }
int ShmLock(sqlite3_file* f, int o, int n, int fl) { return Vero(f)->pMethods->xShmLock(Vero(f), o, n, fl); }
void ShmBarrier(sqlite3_file* f) { Vero(f)->pMethods->xShmBarrier(Vero(f)); }
int ShmUnmap(sqlite3_file* f, int d) { return Vero(f)->pMethods->xShmUnmap(Vero(f), d); }
int Fetch(sqlite3_file* f, sqlite3_int64 o, int n, void** p) { return Vero(f)->pMethods->xFetch(Vero(f), o, n, p); }
int Unfetch(sqlite3_file* f, sqlite3_int64 o, void* p) { return Vero(f)->pMethods->xUnfetch(Vero(f), o, p); }

const sqlite3_io_methods Metodi = {3, Chiudi, Leggi, Scrivi, Tronca, Sincronizza, Dimensione, Blocca, Sblocca, Riservato,
                                   Controllo, Settore, Caratteristiche, ShmMap, ShmLock, ShmBarrier, ShmUnmap, Fetch, Unfetch};

int Apri(sqlite3_vfs*, const char* nome, sqlite3_file* f, int flag, int* uscita)
{
    File* file = reinterpret_cast<File*>(f);
    file->base.pMethods = nullptr;
    const int esito = reale->xOpen(reale, nome, file->vero(), flag, uscita);
    if (esito == SQLITE_OK && file->vero()->pMethods)
        file->base.pMethods = &Metodi;
    return esito;
}

int Cancella(sqlite3_vfs*, const char* nome, int sincronizza)
{
    Passo();
    return reale->xDelete(reale, nome, sincronizza);
}

void InstallaContatore()
{
    reale = sqlite3_vfs_find(nullptr);
    std::memcpy(&contato, reale, sizeof contato);
    contato.zName = "contato";
    contato.szOsFile = int(sizeof(File)) + reale->szOsFile;
    contato.xOpen = Apri;
    contato.xDelete = Cancella;
    sqlite3_vfs_register(&contato, 1);
}

int Griglia(tabelle::TSession& sessione, const QString& programma, qint64 id, const QString& valore)
{
    gridkit::TNewTable tabella(nullptr, &sessione);
    tabella.DatabaseName = programma + QStringLiteral("/Archivi");
    tabella.SetTableName(QStringLiteral("Tratte.db"));
    tabella.ReadOnly = false;
    tabella.Riapri();
    tabelle::TDataSource sorgente;
    sorgente.SetDataSet(&tabella);
    gridkit::TNewDBGrid griglia;
    griglia.SetDataSource(&sorgente);
    griglia.resize(800, 300);
    griglia.show();
    QApplication::processEvents();
    if (!tabella.Locate(QStringLiteral("ID_001_TABLE"), {id}))
        return 3;
    armato = true;
    tabella.Edit();
    tabella.FieldByName(QStringLiteral("Protocollo"))->SetAsString(valore);
    tabella.Post();
    return 0;
}

int Libretto(const QString& programma, const QString& libretto)
{
    registro::TRegIniFile(QStringLiteral("SOFTWARE\\QUINTOR\\ORBIS77")).WriteString("Tratte", "PathArchivi", programma);
    tratte::TArchivioDati archivio(programma);
    archivio.Prepara();
    tratte::TRicercaPF::VerificaTabelleLavoro(archivio.CartellaDati());
    gridkit::TNewTable risultati, tabellaTratte;
    for (gridkit::TNewTable* t : {&risultati, &tabellaTratte}) {
        t->CachedUpdates = true;
        t->NotAppend = true;
        t->ReadOnly = true;
    }
    risultati.DatabaseName = tratte::TZRTratteLbp::PercorsoArchivi();
    risultati.SetTableName(QStringLiteral("TratteLibretto"));
    tabellaTratte.DatabaseName = archivio.CartellaDati();
    tabellaTratte.SetTableName(QStringLiteral("Tratte.db"));
    if (!tratte::TElaborazioneLibretto::CartellePronte(risultati, tabellaTratte))
        return 3;
    // Not emptied first: the second book of the dialog writes over the first's results.
    risultati.Riapri();
    tabellaTratte.Riapri();
    auto directory = componenti::CreateComObject<borgal::IBorgal>(borgal::CLSID_Borgal, borgal::IID_IBorgal);
    QStringList valori;
    tratte::TElaborazioneLibretto elaborazione(risultati, tabellaTratte, [&](const QString& testo, tratte::DatiComune& v) {
        return tratte::RisolviConDirectory(*directory.Get(), valori, testo, v);
    });
    armato = true;
    const int esito = elaborazione.ElaboraLibretto(libretto);
    armato = false;
    elaborazione.SvuotaPunti();
    return esito == 1 ? 0 : 4;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gridkit::AvvioGrafico grafica;
    const QStringList a = app.arguments();
    if (a.size() < 6)
        return 2;
    const QString operazione = a[1], programma = a[2];
    punto = a[4].toLong();
    InstallaContatore();
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione(finto);

    tabelle::TSession sessione;
    tratte::TArchivioDati archivio(programma, nullptr, &sessione);
    archivio.Prepara();
    archivio.CartellaArchivioComuni = a[3] + QStringLiteral("/");
    int esito = 0;
    if (operazione == QLatin1String("griglia")) {
        if (a.size() != 7)
            return 2;
        esito = Griglia(sessione, programma, a[5].toLongLong(), a[6]);
    } else if (operazione == QLatin1String("libretto")) {
        esito = Libretto(programma, a[5]);
    } else {
        tratte::TCaricamentoProvincia::Interfaccia interfaccia;
        interfaccia.ConfermaSostituzione = [](const QString&) { return true; };
        interfaccia.RigaLetta = [](qint64) { Passo(); };
        tratte::TCaricamentoProvincia caricamento(archivio, interfaccia);
        armato = true;
        if (operazione == QLatin1String("carica"))
            esito = caricamento.CaricaDaCartella(a[5]) == tratte::TCaricamentoProvincia::Esito::Completato ? 0 : 4;
        else if (operazione == QLatin1String("elimina"))
            esito = caricamento.EliminaProvincia(a[5]) ? 0 : 4;
        else
            return 2;
    }
    armato = false;
    for (const messaggi::Messaggio& m : finto.mostrati)
        std::fprintf(stderr, "%s\n", qPrintable(m.testo));
    std::printf("%ld\n", passo);
    return esito;
}
