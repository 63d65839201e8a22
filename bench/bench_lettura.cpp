// Speed of reading whole results, of a search in a fresh process and of
// the large views, on archives loaded by the program itself from
// generated distribution series:
// - 5 provinces of 1,000,000 rows: the whole read of a comune view through
//   the dataset and through `tratte-cli tratte` to a file, with the system
//   calls per row, and a 20-point search in a fresh `tratte-cli`; each
//   against sqlite3 on a plain copy of the same rows with indexes on
//   (comune, sheet, point) of each end, in the same run;
// - with --nazionale, 20 provinces of 1,000,000 rows: the whole archive's
//   view (count and first screen, and the memory it takes, in a process of
//   its own), a comune view, the deletion of a province and its load again.
//
//   bench-lettura CARTELLA ARCHIVIO_COMUNI LIBRERIA_BORGAL TRATTE_CLI TABELLE_LAVORO CSV [--nazionale]
#include "archivio_province.h"
#include "generatore_dis.h"
#include "sintetico.h"

#include "app/archiviodati.h"
#include "app/caricamento/caricamento.h"
#include "app/navigazione.h"
#include "app/ricerca/ricercapf.h"
#include "componenti/server.h"
#include "gridkit/tabella/newtable.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "registro/treginifile.h"
#include "tabelle/protezione.h"
#include "tabelle/query.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <cstdio>
#include <sqlcipher/sqlite3.h>

using namespace banco;

namespace {

constexpr int Volte = 5;

// A whole process, its standard output to `uscita`: median milliseconds.
double Processo(const QString& programma, const QStringList& argomenti, const QString& uscita, int volte = Volte)
{
    std::vector<double> tempi;
    for (int i = 0; i < volte; ++i) {
        QProcess p;
        p.setStandardOutputFile(uscita);
        QElapsedTimer t;
        t.start();
        p.start(programma, argomenti);
        p.waitForFinished(-1);
        tempi.push_back(Ms(t));
        if (p.exitCode() != 0) {
            std::fprintf(stderr, "%s: uscita %d: %s\n", qPrintable(programma), p.exitCode(), p.readAllStandardError().constData());
            std::exit(1);
        }
    }
    return Mediana(tempi);
}

long RigheDelFile(const QString& percorso)
{
    QFile f(percorso);
    f.open(QIODevice::ReadOnly);
    return f.readAll().count('\n');
}

// System calls of one run (strace -c), by name; empty without strace.
QMap<QString, long> ChiamateDiSistema(const QString& cartella, const QString& programma, const QStringList& argomenti)
{
    QMap<QString, long> chiamate;
    const QString strace = QStandardPaths::findExecutable("strace");
    if (strace.isEmpty())
        return chiamate;
    const QString rapporto = cartella + "/strace.txt";
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(strace, QStringList{"-f", "-c", "-o", rapporto, programma} + argomenti);
    p.waitForFinished(-1);
    QFile f(rapporto);
    f.open(QIODevice::ReadOnly);
    for (const QByteArray& riga : f.readAll().split('\n')) {
        const QList<QByteArray> parti = riga.simplified().split(' ');
        // "% time seconds usecs/call calls [errors] syscall"
        if (parti.size() >= 5 && parti[0].contains('.'))
            chiamate[QString::fromLatin1(parti.last())] = parti[3].toLong();
    }
    return chiamate;
}

// The archive table filtered as the navigation filters a comune without
// sections.
void FiltraComune(gridkit::TNewTable& t, const QString& codice)
{
    t.DatabaseName = "Database";
    t.SetTableName("Tratte.db");
    t.ReadOnly = true;
    t.CancellaFiltri();
    t.AggiungiFiltro("ComunePF1", codice);
    t.AggiungiFiltro("SezionePF1", QString());
    t.Riapri();
}

// One field of the comune whose `chiave` is `valore`, from the comuni archive.
QString DatoDelComune(const QString& archivioComuni, const QString& campo, const QString& chiave, const QString& valore)
{
    tabelle::TSession sessione;
    sessione.AddPassword(tratte::PasswordTabelle);
    tabelle::TQuery q(nullptr, &sessione);
    q.DatabaseName = archivioComuni;
    q.SQL << "Select " + campo + " from \"KWArchivioComuni.db\" Where " + chiave + " = :valore";
    q.ParamByName("valore").SetAsString(valore);
    q.Open();
    return q.Fields(0)->AsString();
}

// The comune of the province with the most rows (or, `mediano`, the one
// in the middle by rows), and its name.
QPair<QString, QString> ComunePiuGrande(const QString& base, const QString& sigla, const QString& archivioComuni, bool mediano = false)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(base).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT ComunePF1, count(*) n FROM dati WHERE Provincia = ?1 GROUP BY ComunePF1 ORDER BY n DESC LIMIT 1 OFFSET "
                       "(CASE WHEN ?2 THEN (SELECT count(DISTINCT ComunePF1) FROM dati WHERE Provincia = ?1) / 2 ELSE 0 END)",
                       -1, &st, nullptr);
    const QByteArray s = sigla.toUtf8();
    sqlite3_bind_text(st, 1, s.constData(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_int(st, 2, mediano ? 1 : 0);
    sqlite3_step(st);
    const QString codice = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return {codice, DatoDelComune(archivioComuni, "NomeComune", "CodiceFiscale", codice)};
}

// The 20 points of the sheet of `comune` that joins the most archived distances.
QStringList VentiPunti(const QString& base, const QString& comune)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(base).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT FoglioPF1, PF1 FROM dati WHERE ComunePF1 = ?1 AND SezionePF1 IS NULL AND AllegatoPF1 IS NULL AND "
                       "FoglioPF1 = (SELECT FoglioPF1 FROM dati WHERE ComunePF1 = ?1 GROUP BY FoglioPF1 ORDER BY count(*) DESC LIMIT 1) "
                       "GROUP BY FoglioPF1, PF1 ORDER BY count(*) DESC LIMIT 20",
                       -1, &st, nullptr);
    const QByteArray c = comune.toUtf8();
    sqlite3_bind_text(st, 1, c.constData(), -1, SQLITE_TRANSIENT);
    QStringList punti;
    while (sqlite3_step(st) == SQLITE_ROW)
        punti << QStringLiteral("%1,,%2,,%3").arg(comune).arg(sqlite3_column_int(st, 0)).arg(sqlite3_column_int(st, 1));
    sqlite3_finalize(st);
    sqlite3_close(db);
    return punti;
}

// The same search in plain SQL for the sqlite3 shell: the pairs in a table, one join.
QString SqlRicerca(const QStringList& punti)
{
    QString sql = "CREATE TEMP TABLE c (Comune1, Foglio1, Fiduciale1, Comune2, Foglio2, Fiduciale2);\nINSERT INTO c VALUES ";
    QStringList valori;
    for (const QString& a : punti)
        for (const QString& b : punti)
            if (a != b) {
                const QStringList x = a.split(','), y = b.split(',');
                valori << QStringLiteral("('%1',%2,%3,'%4',%5,%6)").arg(x[0], x[2], x[4], y[0], y[2], y[4]);
            }
    sql += valori.join(',') + ";\n";
    sql += "SELECT t.* FROM dati t, c WHERE t.ID_001_TABLE > 1 AND (t.CodOp IS NULL OR t.CodOp NOT LIKE 'D%') "
           "AND t.ComunePF1 = c.Comune1 AND t.SezionePF1 IS NULL AND t.FoglioPF1 = c.Foglio1 AND t.AllegatoPF1 IS NULL "
           "AND t.PF1 = c.Fiduciale1 AND t.ComunePF2 = c.Comune2 AND t.SezionePF2 IS NULL AND t.FoglioPF2 = c.Foglio2 "
           "AND t.AllegatoPF2 IS NULL AND t.PF2 = c.Fiduciale2 ORDER BY t.ID_001_TABLE;\n";
    return sql;
}

const char* SqlComune = "SELECT ComunePF1, SezionePF1, FoglioPF1, AllegatoPF1, PF1, ComunePF2, SezionePF2, FoglioPF2, AllegatoPF2, PF2, "
                        "Protocollo, printf('%.3f', Distanza), printf('%.3f', ScartoQMedio) FROM dati WHERE ID_001_TABLE > 1 "
                        "AND (CodOp IS NULL OR CodOp NOT LIKE 'D%') AND ComunePF1 = '%1' AND SezionePF1 IS NULL ORDER BY ID_001_TABLE;";

int CinqueProvince(const Ambiente& a)
{
    const QString programma = Prepara(a, Sigle5, true);
    const QString base = a.cartella + "/base.db";
    Registro(a);
    const auto [codice, nome] = ComunePiuGrande(base, "RM", a.archivioComuni);
    const QString shell = QStandardPaths::findExecutable("sqlite3");

    // The whole comune view through the dataset, every field of every row.
    tabelle::TSession s;
    tratte::TArchivioDati archivio(programma, nullptr, &s);
    archivio.Prepara();
    int righe = 0;
    const double dataset = Misura([&] {
        gridkit::TNewTable t(nullptr, &s);
        FiltraComune(t, codice);
        righe = t.RecordCount();
        const int campi = t.FieldCount();
        qint64 somma = 0;
        for (int r = 0; r < righe; ++r)
            for (int c = 0; c < campi; ++c)
                somma += t.ValoreRiga(r, c).isNull() ? 0 : 1;
        if (somma == 0)
            std::exit(1);
    });
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(base).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    const QByteArray sqlComune = ("SELECT * FROM dati WHERE ID_001_TABLE > 1 AND (CodOp IS NULL OR CodOp NOT LIKE 'D%') AND ComunePF1 = '" +
                                  codice + "' AND SezionePF1 IS NULL ORDER BY ID_001_TABLE")
                                     .toUtf8();
    int righeBase = 0;
    const double inSqlite = Misura([&] {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sqlComune.constData(), -1, &st, nullptr);
        righeBase = 0;
        qint64 somma = 0;
        while (sqlite3_step(st) == SQLITE_ROW) {
            ++righeBase;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                if (sqlite3_column_type(st, c) == SQLITE_TEXT)
                    somma += QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c))).size();
                else
                    somma += sqlite3_column_type(st, c);
            }
        }
        sqlite3_finalize(st);
        if (somma == 0)
            std::exit(1);
    });
    sqlite3_close(db);
    std::printf("\nVista del comune %s (%s) di ROMA: %d righe (sqlite3: %d)\n", qPrintable(nome), qPrintable(codice), righe, righeBase);
    std::printf("  lettura intera attraverso il dataset        %9.1f ms\n", dataset);
    std::printf("  la stessa lettura in SQLite, in chiaro      %9.1f ms   rapporto %.2f\n", inSqlite, dataset / inSqlite);

    const QString uscita = a.cartella + "/uscita.txt";
    const QStringList argomenti{"--programma", programma, "tratte", "--provincia", "ROMA", "--comune", nome};
    const double cli = Processo(a.cli, argomenti, uscita);
    const long righeCli = RigheDelFile(uscita) - 1;
    std::printf("  tratte-cli tratte su file (processo intero) %9.1f ms   (%ld righe)\n", cli, righeCli);
    if (!shell.isEmpty()) {
        const double tempoShell = Processo(shell, {"-separator", "\t", base, QString::fromLatin1(SqlComune).replace("%1", codice)}, uscita);
        std::printf("  sqlite3 sulla copia in chiaro, su file      %9.1f ms   rapporto %.2f   (%ld righe)\n", tempoShell, cli / tempoShell,
                    RigheDelFile(uscita));
    } else {
        std::printf("  sqlite3 non installato: confronto di processo non misurato\n");
    }
    const QMap<QString, long> chiamate = ChiamateDiSistema(a.cartella, a.cli, argomenti);
    if (!chiamate.isEmpty() && righeCli > 0) {
        long tutte = 0;
        for (long n : chiamate)
            tutte += n;
        std::printf("  chiamate di sistema per riga: %.2f in tutto, newfstatat %.3f, fcntl %.3f, pread64 %.3f\n", double(tutte) / double(righeCli),
                    double(chiamate.value("newfstatat")) / double(righeCli), double(chiamate.value("fcntl")) / double(righeCli),
                    double(chiamate.value("pread64")) / double(righeCli));
    }

    // A 20-point search in a fresh process (380 pairs), in the large comune
    // and in one of middle size.
    for (const auto& [comuneRicerca, nomeRicerca] : {QPair<QString, QString>{codice, nome}, ComunePiuGrande(base, "RM", a.archivioComuni, true)}) {
        const QStringList punti = VentiPunti(base, comuneRicerca);
        const double cerca = Processo(a.cli, QStringList{"--programma", programma, "cerca"} + punti, uscita);
        const long righeCerca = RigheDelFile(uscita) - 1;
        std::printf("\nRicerca di %d punti (%d coppie) di %s in un processo nuovo: %ld righe\n", int(punti.size()),
                    int(punti.size() * (punti.size() - 1)), qPrintable(nomeRicerca), righeCerca);
        std::printf("  tratte-cli cerca (processo intero)          %9.1f ms\n", cerca);
        if (!shell.isEmpty()) {
            QFile script(a.cartella + "/ricerca.sql");
            script.open(QIODevice::WriteOnly);
            script.write(SqlRicerca(punti).toUtf8());
            script.close();
            const double tempoShell = Processo(shell, {base, ".read " + script.fileName()}, uscita);
            std::printf("  sqlite3 sulla copia in chiaro               %9.1f ms   rapporto %.2f   (%ld righe)\n", tempoShell,
                        cerca / tempoShell, RigheDelFile(uscita));
        }
    }
    const double vuoto = Processo(a.cli, {"--programma", programma, "province"}, uscita);
    std::printf("  di cui avvio di tratte-cli (province)       %9.1f ms\n", vuoto);
    return 0;
}

// The whole archive's view in this process: count and first screen.
int VistaTutto(const QString& programma)
{
    QElapsedTimer t;
    t.start();
    tabelle::TSession s;
    tratte::TArchivioDati archivio(programma, nullptr, &s);
    archivio.Prepara();
    gridkit::TNewTable tabella(nullptr, &s);
    tabella.DatabaseName = "Database";
    tabella.SetTableName("Tratte.db");
    tabella.ReadOnly = true;
    tabella.Riapri();
    const int righe = tabella.RecordCount();
    for (int r = 0; r < std::min(righe, 40); ++r)
        for (int c = 0; c < tabella.FieldCount(); ++c)
            (void)tabella.ValoreRiga(r, c);
    std::printf("%.1f %d %ld\n", Ms(t), righe, MemoriaResidenteKb("VmHWM:"));
    return 0;
}

int VentiProvince(const Ambiente& a)
{
    const QString programma = Prepara(a, Sigle20, false);
    Registro(a);
    std::printf("\nArchivio di %d province di %d righe\n", int(Sigle20.size()), RighePerProvincia);
    std::vector<double> tempi, memoria;
    int righe = 0;
    for (int i = 0; i < 3; ++i) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {"--vista-tutto", programma});
        p.waitForFinished(-1);
        const QList<QByteArray> v = p.readAllStandardOutput().simplified().split(' ');
        if (v.size() != 3) {
            std::fprintf(stderr, "vista di tutto l'archivio: %s\n", p.readAllStandardError().constData());
            return 1;
        }
        tempi.push_back(v[0].toDouble());
        righe = v[1].toInt();
        memoria.push_back(v[2].toDouble() / 1024.0);
    }
    std::printf("  vista di tutte le province: conteggio e prima schermata %9.1f ms, %d righe, picco residente %.0f MB\n", Mediana(tempi),
                righe, Mediana(memoria));

    const QString uscita = a.cartella + "/uscita.txt";
    const double comune = Processo(a.cli, {"--programma", programma, "tratte", "--provincia", "ROMA", "--comune", "FIUMICINO"}, uscita, 3);
    std::printf("  tratte-cli tratte, comune FIUMICINO         %9.1f ms   (%ld righe)\n", comune, RigheDelFile(uscita) - 1);
    const QString fiumicino = DatoDelComune(a.archivioComuni, "CodiceFiscale", "NomeComune", "FIUMICINO");
    tabelle::TSession s;
    {
        tratte::TArchivioDati archivio(programma, nullptr, &s);
        archivio.Prepara();
        const double vista = Misura([&] {
            gridkit::TNewTable t(nullptr, &s);
            FiltraComune(t, fiumicino);
            for (int r = 0; r < std::min(t.RecordCount(), 50); ++r)
                (void)t.ValoreRiga(r, 1);
        });
        std::printf("  vista del comune FIUMICINO (conteggio e 50 righe, nel processo) %9.1f ms\n", vista);
    }
    const double eliminazione = EliminaProvincia(programma, "CS");
    std::printf("  eliminazione di una provincia (1.000.000 di righe)          %9.1f ms\n", eliminazione);
    const double caricamento = CaricaProvincia(a, programma, "CS", quint32(Sigle20.size()));
    std::printf("  caricamento di 1.000.000 di righe nell'archivio di 19.000.000 %9.1f ms\n", caricamento);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arg = app.arguments();
    if (arg.size() == 3 && arg[1] == "--vista-tutto")
        return VistaTutto(arg[2]);
    if (arg.size() < 7) {
        std::fprintf(stderr, "uso: bench-lettura CARTELLA ARCHIVIO_COMUNI LIBRERIA_BORGAL TRATTE_CLI TABELLE_LAVORO CSV [--nazionale]\n");
        return 2;
    }
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione(finto);
    Ambiente a{QDir(arg[1]).absolutePath(), QDir(arg[2]).absolutePath(), arg[3], arg[4], QDir(arg[5]).absolutePath(), arg[6]};
    QDir().mkpath(a.cartella);
    qputenv("XDG_RUNTIME_DIR", a.cartella.toLocal8Bit());
    if (arg.contains("--nazionale")) {
        a.cartella += "/nazionale";
        QDir().mkpath(a.cartella);
        return VentiProvince(a);
    }
    return CinqueProvince(a);
}
