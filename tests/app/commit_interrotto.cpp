// A load that dies inside its commit, as a crash or a power loss would end
// it: the process stops at the point of the commit named on its command
// line, while the table files are being committed. The test that starts it
// then checks what the next opening of the archive finds.
//
//   commit-interrotto PROGRAMMA SERIE ARCHIVIO_COMUNI PUNTO
//
// PUNTO: "prima" (before the commit is decided), "dopo" (just after),
// "tra" (after the first file has ended its part, before the next).
// Exit 42 when it stopped there, 0 when the load ended without reaching it.
#include "app/archiviodati.h"
#include "app/caricamento/caricamento.h"
#include "tabelle/sessione.h"

#include <QCoreApplication>
#include <cstring>
#include <sqlcipher/sqlite3.h>
#include <string_view>
#include <unistd.h>

namespace {

enum class Punto { Prima, Dopo, Tra };

sqlite3_vfs* reale = nullptr;
sqlite3_vfs guasto;
Punto punto = Punto::Prima;
bool armato = false;
int journalFiniti = 0;

bool FinisceCon(std::string_view testo, std::string_view fine) { return testo.size() >= fine.size() && testo.substr(testo.size() - fine.size()) == fine; }

// The list of journals of a commit over several files: "<main>-mjXXXXXXXX".
bool ElencoDeiJournal(std::string_view nome)
{
    const auto barra = nome.rfind('/');
    return nome.substr(barra == std::string_view::npos ? 0 : barra + 1).find("-mj") != std::string_view::npos;
}

int Cancella(sqlite3_vfs*, const char* nome, int sincronizza)
{
    const std::string_view n(nome);
    const bool elenco = ElencoDeiJournal(n), journal = FinisceCon(n, "-journal");
    if (armato && elenco && punto == Punto::Prima)
        _exit(42);
    if (armato && journal && punto == Punto::Tra && journalFiniti == 1)
        _exit(42);
    const int esito = reale->xDelete(reale, nome, sincronizza);
    if (armato && elenco && punto == Punto::Dopo)
        _exit(42);
    if (armato && journal)
        ++journalFiniti;
    return esito;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() != 5)
        return 2;
    punto = a[4] == "dopo" ? Punto::Dopo : a[4] == "tra" ? Punto::Tra : Punto::Prima;

    // The default file system of SQLite, with the one call that ends a
    // commit's parts taken over.
    reale = sqlite3_vfs_find(nullptr);
    std::memcpy(&guasto, reale, sizeof guasto);
    guasto.zName = "guasto";
    guasto.xDelete = Cancella;
    sqlite3_vfs_register(&guasto, 1);

    tabelle::TSession sessione;
    tratte::TArchivioDati archivio(a[1], nullptr, &sessione);
    archivio.Prepara();
    archivio.CartellaArchivioComuni = a[3] + "/";
    tratte::TCaricamentoProvincia::Interfaccia interfaccia;
    interfaccia.ConfermaSostituzione = [](const QString&) { return true; };
    tratte::TCaricamentoProvincia caricamento(archivio, interfaccia);
    armato = true;
    caricamento.CaricaDaCartella(a[2]);
    return 0;
}
