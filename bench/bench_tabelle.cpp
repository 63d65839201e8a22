// Speed of the table engine on a national-size archive: an encrypted
// Tratte.db of 1,000,000 rows opened through the enhanced table, against
// the same rows in a plain SQLite file read with the SQLite API alone.
//
//   bench-tabelle [CARTELLA]       builds the data once in CARTELLA
//                                  (default: ./bench-dati), then measures
//                                  in a fresh process.
#include "app/archiviodati.h"
#include "gridkit/newtable.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "tabelle/protezione.h"
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

constexpr int Righe = 1000000;
constexpr int RighePerComune = 2000;
constexpr int Ripetizioni = 7;
QString Comune(int riga);
const QString ComuneMisurato = Comune(117 * RighePerComune);

QString Comune(int riga)
{
    const int c = riga / RighePerComune;
    return QStringLiteral("%1%2").arg(QChar('A' + c % 26)).arg(c % 1000, 3, 10, QChar('0'));
}

QString Provincia(int riga) { return QStringLiteral("P%1").arg((riga / (RighePerComune * 50)) % 10); }

double Mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Misura(const std::function<void()>& f)
{
    std::vector<double> tempi;
    f(); // warm-up
    for (int i = 0; i < Ripetizioni; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        tempi.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return Mediana(tempi);
}

long MemoriaResidenteKb(const char* voce)
{
    QFile f("/proc/self/status");
    f.open(QIODevice::ReadOnly);
    for (const QByteArray& riga : f.readAll().split('\n'))
        if (riga.startsWith(voce))
            return riga.mid(qstrlen(voce)).trimmed().split(' ').first().toLong();
    return -1;
}

void Esegui(sqlite3* db, const char* sql)
{
    char* errore = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &errore) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, errore);
        std::exit(1);
    }
}

// The archive through the program's own code: data store, engine, password.
void CreaArchivio(const QString& programma)
{
    tratte::TArchivioDati archivio(programma);
    archivio.Prepara();
    tabelle::TTable t;
    t.DatabaseName = "Database";
    t.TableName = "Tratte.db";
    t.Open();
    archivio.Database.StartTransaction();
    for (int i = 0; i < Righe; ++i) {
        t.Append();
        t.Fields(4)->SetAsString(Comune(i));
        t.Fields(6)->SetAsInteger(i % 40 + 1);
        t.Fields(8)->SetAsInteger(i % 97 + 1);
        t.Fields(9)->SetAsString(Comune(i));
        t.Fields(11)->SetAsInteger(i % 40 + 1);
        t.Fields(13)->SetAsInteger(i % 89 + 1);
        t.Fields(14)->SetAsString(QStringLiteral("%1%2").arg(Provincia(i)).arg(i, 11, 10, QChar('0')));
        t.Fields(15)->SetAsFloat(100.0 + (i % 5000) * 0.137);
        t.Fields(16)->SetAsFloat(0.012);
        t.Fields(17)->SetAsString(Provincia(i));
        t.Post();
    }
    archivio.Database.Commit();
}

// The same rows in a plain SQLite file, with the same columns and indexes.
void CreaBase(const QString& file)
{
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(file).constData(), &db);
    Esegui(db, "CREATE TABLE dati (ID_001_TABLE INTEGER PRIMARY KEY AUTOINCREMENT, SysField SMALLINT, Info BLOB, CodOp CHAR(4),"
               " ComunePF1 CHAR(4), SezionePF1 CHAR(1), FoglioPF1 INT, AllegatoPF1 CHAR(1), PF1 INT, ComunePF2 CHAR(4),"
               " SezionePF2 CHAR(1), FoglioPF2 INT, AllegatoPF2 CHAR(1), PF2 INT, Protocollo CHAR(13), Distanza NUMERIC(12,0),"
               " ScartoQMedio NUMERIC(12,0), Provincia CHAR(2))");
    Esegui(db, "CREATE INDEX IDxCodOp ON dati (CodOp)");
    Esegui(db, "CREATE INDEX IDxComunePF1 ON dati (ComunePF1)");
    Esegui(db, "CREATE INDEX IDxComunePF2 ON dati (ComunePF2)");
    Esegui(db, "CREATE INDEX IDxProvincia ON dati (Provincia)");
    Esegui(db, "BEGIN");
    Esegui(db, "INSERT INTO dati (SysField) VALUES (4)");
    sqlite3_stmt* ins = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO dati (ComunePF1, FoglioPF1, PF1, ComunePF2, FoglioPF2, PF2, Protocollo, Distanza,"
                           " ScartoQMedio, Provincia) VALUES (?,?,?,?,?,?,?,?,?,?)", -1, &ins, nullptr);
    for (int i = 0; i < Righe; ++i) {
        const QByteArray comune = Comune(i).toLatin1();
        const QByteArray protocollo = QStringLiteral("%1%2").arg(Provincia(i)).arg(i, 11, 10, QChar('0')).toLatin1();
        const QByteArray provincia = Provincia(i).toLatin1();
        sqlite3_bind_text(ins, 1, comune.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(ins, 2, i % 40 + 1);
        sqlite3_bind_int(ins, 3, i % 97 + 1);
        sqlite3_bind_text(ins, 4, comune.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(ins, 5, i % 40 + 1);
        sqlite3_bind_int(ins, 6, i % 89 + 1);
        sqlite3_bind_text(ins, 7, protocollo.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(ins, 8, 100.0 + (i % 5000) * 0.137);
        sqlite3_bind_double(ins, 9, 0.012);
        sqlite3_bind_text(ins, 10, provincia.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(ins);
        sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    Esegui(db, "COMMIT");
    sqlite3_close(db);
}

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
    const QString programma = cartella + "/Tratte";
    if (!QFile::exists(cartella + "/pronto")) {
        QDir(cartella).removeRecursively();
        QDir().mkpath(programma + "/Archivi");
        std::printf("Preparazione dei dati in %s ...\n", qPrintable(cartella));
        std::fflush(stdout);
        QElapsedTimer t;
        t.start();
        CreaArchivio(programma);
        const double motore = t.elapsed() / 1000.0;
        // The same archive without the password.
        const QString chiaro = cartella + "/TratteInChiaro/Archivi";
        QDir().mkpath(chiaro);
        for (const QString& f : QDir(programma + "/Archivi").entryList(QDir::Files))
            QFile::copy(programma + "/Archivi/" + f, chiaro + "/" + f);
        {
            tabelle::TSession s;
            s.AddPassword(tratte::PasswordTabelle);
            tabelle::ImpostaPasswordTabella(s, chiaro + "/Tratte.db", QString());
        }
        t.restart();
        CreaBase(cartella + "/base.db");
        std::printf("scrittura di %d righe: motore %.1f s (Append/Post in una transazione), SQLite %.1f s\n", Righe, motore,
                    t.elapsed() / 1000.0);
        QFile pronto(cartella + "/pronto");
        pronto.open(QIODevice::WriteOnly);
    }
    // Measured in a fresh process, so that memory figures are its own.
    QProcess misura;
    misura.setProcessChannelMode(QProcess::ForwardedChannels);
    misura.start(app.applicationFilePath(), {"--misura", cartella});
    misura.waitForFinished(-1);
    return misura.exitCode();
}
