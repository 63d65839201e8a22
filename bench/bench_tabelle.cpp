// Speed of the table engine on a national-size archive: an encrypted
// Tratte.db of 1,000,000 rows opened through the enhanced table, against
// the same rows in a plain SQLite file read with the SQLite API alone.
//
//   bench-tabelle [CARTELLA]       builds the data once in CARTELLA
//                                  (default: ./bench-dati), then measures
//                                  in a fresh process.
#include "sintetico.h"
#include "app/archiviodati.h"
#include "gridkit/tabella/newtable.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlcipher/sqlite3.h>
#include <vector>

namespace {

using namespace banco;

const QString ComuneMisurato = Comune(117 * RighePerComune);

// Plain SQLite: the row keys of the view, as a cursor over it needs them.
struct Base {
    sqlite3* db = nullptr;
    std::vector<sqlite3_int64> chiavi;
    explicit Base(const QString& file) { sqlite3_open(QFile::encodeName(file).constData(), &db); }
    ~Base() { sqlite3_close(db); }
    int Apri(const QString& condizione)
    {
        chiavi.clear();
        const QByteArray sql = ("SELECT rowid FROM dati WHERE (ID_001_TABLE > 1) AND ((NOT CodOp LIKE 'D%') OR (CodOp IS NULL)) "
                                + condizione + " ORDER BY ID_001_TABLE, CodOp").toUtf8();
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW)
            chiavi.push_back(sqlite3_column_int64(st, 0));
        sqlite3_finalize(st);
        return int(chiavi.size());
    }
    double Riga(int numero)
    {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT * FROM dati WHERE rowid = ?", -1, &st, nullptr);
        sqlite3_bind_int64(st, 1, chiavi[size_t(numero - 1)]);
        sqlite3_step(st);
        const double d = sqlite3_column_double(st, 15);
        sqlite3_finalize(st);
        return d;
    }
};

struct Figure {
    double filtrata, intera, salto;
    int righeFiltrate, righe;
    double valore;
};

// The three figures through the enhanced table on the archive of `programma`.
Figure MisuraMotore(const QString& programma)
{
    tabelle::TSession sessione;
    tratte::TArchivioDati archivio(programma, nullptr, &sessione);
    archivio.Prepara();
    gridkit::TNewTable tabella(nullptr, &sessione);
    tabella.DatabaseName = "Database";
    tabella.SetTableName("Tratte.db");
    Figure f{};
    tabella.AggiungiFiltro("ComunePF1", ComuneMisurato);
    f.filtrata = Misura([&] { tabella.Riapri(); f.righeFiltrate = tabella.RecordCount(); });
    tabella.CancellaFiltri();
    f.intera = Misura([&] { tabella.Riapri(); f.righe = tabella.RecordCount(); });
    // Each move lands on rows not read before.
    int destinazione = 900000;
    f.salto = Misura([&] {
        tabella.SetRecNo(1);
        tabella.SetRecNo(destinazione);
        f.valore = tabella.FieldByName("Distanza")->AsFloat();
        destinazione -= 1000;
    });
    return f;
}

int Misure(const QString& cartella)
{
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione(finto);
    const long rssIniziale = MemoriaResidenteKb("VmRSS:");
    const Figure cifrato = MisuraMotore(cartella + "/Tratte");
    const long rss = MemoriaResidenteKb("VmRSS:");
    const long picco = MemoriaResidenteKb("VmHWM:");
    const Figure chiaro = MisuraMotore(cartella + "/TratteInChiaro");
    const double filtrata = cifrato.filtrata, intera = cifrato.intera, salto = cifrato.salto;
    const int righeFiltrate = cifrato.righeFiltrate, conteggio = cifrato.righe;
    const double valore = cifrato.valore;

    Base base(cartella + "/base.db");
    int contBase = 0;
    const QString cond = QStringLiteral(" AND COMUNEPF1='%1'").arg(ComuneMisurato);
    const double filtrataBase = Misura([&] { contBase = base.Apri(cond); });
    const int righeBase = contBase;
    const double interaBase = Misura([&] { contBase = base.Apri(QString()); });
    double valoreBase = 0;
    int destinazione = 900000;
    const double saltoBase = Misura([&] {
        base.Riga(1);
        valoreBase = base.Riga(destinazione);
        destinazione -= 1000;
    });
    // What a grid reads when it lands there: the page of rows in view.
    destinazione = 900000;
    const double paginaBase = Misura([&] {
        for (int r = destinazione; r < destinazione + 64; ++r)
            base.Riga(r);
        destinazione -= 1000;
    });

    std::printf("Archivio di %d righe (Tratte.db cifrato), mediane di %d ripetizioni a caldo\n", Righe, Ripetizioni);
    std::printf("%-38s %11s %11s %11s %8s %8s\n", "misura", "cifrato", "in chiaro", "SQLite", "rapporto", "motore");
    auto riga = [](const QString& nome, double c, double p, double b) {
        std::printf("%-38s %8.3f ms %8.3f ms %8.3f ms %7.2fx %7.2fx\n", qPrintable(nome), c, p, b, c / b, p / b);
    };
    riga(QString("apertura filtrata (%1 righe)").arg(righeFiltrate), filtrata, chiaro.filtrata, filtrataBase);
    riga(QString("apertura intera (%1 righe)").arg(conteggio), intera, chiaro.intera, interaBase);
    riga("spostamento al record 900.000 (1 riga)", salto, chiaro.salto, saltoBase);
    riga("  con la pagina di 64 righe", salto, chiaro.salto, paginaBase);
    std::printf("rapporto: cifrato / SQLite in chiaro; motore: motore in chiaro / SQLite in chiaro\n");
    std::printf("memoria residente: %.1f MB dopo l'apertura intera (%.1f MB prima, picco %.1f MB)\n", rss / 1024.0,
                rssIniziale / 1024.0, picco / 1024.0);
    if (righeFiltrate != righeBase || valore != valoreBase || finto.mostrati.size() > 0) {
        std::fprintf(stderr, "risultati diversi: %d/%d righe, %f/%f\n", righeFiltrate, righeBase, valore, valoreBase);
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList argomenti = app.arguments().mid(1);
    qputenv("TRATTE_REGISTRO", QByteArray());
    if (argomenti.value(0) == "--misura")
        return Misure(argomenti.value(1));
    if (argomenti.value(0) == "--filtrata") {
        // For a profiler: only the filtered open, many times.
        messaggi::ServizioMessaggiFinto finto;
        messaggi::SostituzioneServizio sostituzione(finto);
        tratte::TArchivioDati archivio(argomenti.value(1) + "/Tratte");
        archivio.Prepara();
        gridkit::TNewTable tabella;
        tabella.DatabaseName = "Database";
        tabella.SetTableName("Tratte.db");
        tabella.AggiungiFiltro("ComunePF1", ComuneMisurato);
        for (int i = 0; i < argomenti.value(2, "1000").toInt(); ++i)
            tabella.Riapri();
        return 0;
    }
    const QString cartella = QDir(argomenti.value(0, "bench-dati")).absolutePath();
    qputenv("TRATTE_REGISTRO", (cartella + "/registro").toLocal8Bit());
    banco::PreparaDati(cartella);
    // Measured in a fresh process, so that memory figures are its own.
    QProcess misura;
    misura.setProcessChannelMode(QProcess::ForwardedChannels);
    misura.start(app.applicationFilePath(), {"--misura", cartella});
    misura.waitForFinished(-1);
    return misura.exitCode();
}
