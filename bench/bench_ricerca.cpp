// Speed of the search among a list of points on an archive of 5,000,000
// rows: 20 points of one sheet (380 pairs) and one point, through the
// program's own code (the point list, the pair table, the condition lines
// on the archive table, the query run), against the equivalent plain SQL on
// an indexed SQLite table of the same rows, in the same run.
//
//   bench-ricerca CARTELLA ARCHIVIO_COMUNI TABELLE_LAVORO
#include "sintetico.h"

#include "app/archiviodati.h"
#include "app/ricerca/ricercapf.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <sqlcipher/sqlite3.h>

using namespace banco;
using tratte::PuntoFiduciale;

namespace {

double Ms(QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

// The points of one sheet of the first comune, as the archive holds them.
QList<PuntoFiduciale> PuntiDelFoglio(const QString& comune, int quanti)
{
    QList<PuntoFiduciale> punti;
    for (int i = 20; punti.size() < quanti; i += 40) {
        for (const PuntoFiduciale& p : {PuntoFiduciale{comune, "", i % 40 + 1, "", i % 97 + 1},
                                        PuntoFiduciale{comune, "", i % 40 + 1, "", i % 89 + 1}})
            if (!punti.contains(p) && punti.size() < quanti)
                punti << p;
    }
    return punti;
}

struct Esito {
    double ms;
    int righe;
    double query = 0; // of which the archive query (Riapri)
};

// The search as the main window runs it.
Esito CercaNelProgramma(tabelle::TSession& s, const QList<PuntoFiduciale>& punti)
{
    QElapsedTimer t;
    t.start();
    tabelle::TTable ricerche(nullptr, &s);
    ricerche.DatabaseName = "Database";
    ricerche.TableName = tratte::TabellaRicerchePF;
    ricerche.Exclusive = true;
    ricerche.EmptyTable();
    ricerche.Open();
    for (const PuntoFiduciale& p : punti) {
        ricerche.Append();
        tratte::TRicercaPF::ScriviPunto(ricerche, p);
        ricerche.Post();
    }
    tratte::TRicercaPF::CreaCombinazioni(s, "Database");
    gridkit::TNewTable tabella(nullptr, &s);
    tabella.DatabaseName = "Database";
    tabella.SetTableName("Tratte.db");
    tabella.ReadOnly = true;
    tratte::TRicercaPF::ImpostaRicerca(tabella, punti);
    QElapsedTimer q;
    q.start();
    tabella.Riapri();
    // The rows in view are read.
    for (int r = 0; r < std::min(tabella.RecordCount(), 30); ++r)
        (void)tabella.ValoreRiga(r, 1);
    return {Ms(t), tabella.RecordCount(), Ms(q)};
}

int Passi(sqlite3_stmt* st)
{
    int n = 0;
    while (sqlite3_step(st) == SQLITE_ROW)
        ++n;
    sqlite3_reset(st);
    return n;
}

void Esegui(sqlite3* db, const char* sql) { sqlite3_exec(db, sql, nullptr, nullptr, nullptr); }

// The same search in plain SQL: the pairs in a table, one join.
Esito CercaInSqlite(sqlite3* db, const QList<PuntoFiduciale>& punti)
{
    QElapsedTimer t;
    t.start();
    int righe = 0;
    if (punti.size() == 1) {
        const PuntoFiduciale& p = punti.front();
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT rowid FROM dati WHERE rowid > 1 AND (CodOp IS NULL OR CodOp NOT LIKE 'D%') AND "
                           "((ComunePF1 = ?1 AND SezionePF1 IS NULL AND FoglioPF1 = ?2 AND AllegatoPF1 IS NULL AND PF1 = ?3) OR "
                           "(ComunePF2 = ?1 AND SezionePF2 IS NULL AND FoglioPF2 = ?2 AND AllegatoPF2 IS NULL AND PF2 = ?3)) "
                           "ORDER BY rowid",
                           -1, &st, nullptr);
        const QByteArray comune = p.Comune.toUtf8();
        sqlite3_bind_text(st, 1, comune.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 2, p.Foglio);
        sqlite3_bind_int(st, 3, p.PF);
        righe = Passi(st);
        sqlite3_finalize(st);
        return {Ms(t), righe};
    }
    Esegui(db, "DROP TABLE IF EXISTS temp.c");
    Esegui(db, "CREATE TEMP TABLE c (Comune1 CHAR(4), Sezione1 CHAR(1), Allegato1 CHAR(1), Foglio1 INT, Fiduciale1 INT, "
               "Comune2 CHAR(4), Sezione2 CHAR(1), Allegato2 CHAR(1), Foglio2 INT, Fiduciale2 INT)");
    Esegui(db, "CREATE INDEX temp.coppia ON c (Comune1, Foglio1, Fiduciale1, Comune2, Foglio2, Fiduciale2)");
    Esegui(db, "BEGIN");
    sqlite3_stmt* ins = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO temp.c VALUES (?1, NULL, NULL, ?2, ?3, ?4, NULL, NULL, ?5, ?6)", -1, &ins, nullptr);
    for (const PuntoFiduciale& a : punti)
        for (const PuntoFiduciale& b : punti) {
            if (a == b)
                continue;
            const QByteArray ca = a.Comune.toUtf8(), cb = b.Comune.toUtf8();
            sqlite3_bind_text(ins, 1, ca.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(ins, 2, a.Foglio);
            sqlite3_bind_int(ins, 3, a.PF);
            sqlite3_bind_text(ins, 4, cb.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(ins, 5, b.Foglio);
            sqlite3_bind_int(ins, 6, b.PF);
            sqlite3_step(ins);
            sqlite3_reset(ins);
        }
    sqlite3_finalize(ins);
    Esegui(db, "COMMIT");
    sqlite3_stmt* st = nullptr;
    QStringList comuni;
    for (const PuntoFiduciale& p : punti)
        comuni << "'" + p.Comune + "'";
    const QByteArray sql = "SELECT d.rowid FROM dati d, temp.c c WHERE d.rowid > 1 AND (d.CodOp IS NULL OR d.CodOp NOT LIKE 'D%') "
                           "AND d.ComunePF1 IN (" + comuni.join(',').toUtf8() + ") "
                       "AND d.ComunePF1 = c.Comune1 AND d.SezionePF1 IS c.Sezione1 AND d.FoglioPF1 = c.Foglio1 "
                       "AND d.AllegatoPF1 IS c.Allegato1 AND d.PF1 = c.Fiduciale1 AND d.ComunePF2 = c.Comune2 "
                       "AND d.SezionePF2 IS c.Sezione2 AND d.FoglioPF2 = c.Foglio2 AND d.AllegatoPF2 IS c.Allegato2 "
                           "AND d.PF2 = c.Fiduciale2 ORDER BY d.rowid";
    sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
    righe = Passi(st);
    sqlite3_finalize(st);
    return {Ms(t), righe};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 4) {
        std::fprintf(stderr, "uso: bench-ricerca CARTELLA ARCHIVIO_COMUNI TABELLE_LAVORO\n");
        return 2;
    }
    const QString cartella = QDir(app.arguments()[1]).absolutePath();
    const QString archivio = QDir(app.arguments()[2]).absolutePath();
    const QString lavoro = QDir(app.arguments()[3]).absolutePath();
    qputenv("TRATTE_REGISTRO", (cartella + "/registro").toLocal8Bit());
    PreparaArchivioNazionale(cartella, archivio);
    const QString dati = cartella + "/Tratte/Archivi/";
    for (const QString& nome : {tratte::TabellaRicerchePF, tratte::TabellaCombinazioni}) {
        QFile::remove(dati + nome);
        QFile::copy(lavoro + "/" + nome, dati + nome);
    }
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione(finto);

    const QString comune = ComuniDelleProvince(archivio).front().codice;
    const QList<PuntoFiduciale> venti = PuntiDelFoglio(comune, 20);
    const QList<PuntoFiduciale> uno{venti.front()};

    tabelle::TSession s;
    tratte::TArchivioDati installazione(cartella + "/Tratte", nullptr, &s);
    installazione.Prepara();
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(cartella + "/base.db").constData(), &db);

    std::vector<double> programmaVenti, programmaUno, baseVenti, baseUno, queryVenti, queryUno;
    Esito ev{}, eu{}, bv{}, bu{};
    CercaNelProgramma(s, venti);
    CercaInSqlite(db, venti);
    for (int i = 0; i < Ripetizioni; ++i) {
        ev = CercaNelProgramma(s, venti);
        programmaVenti.push_back(ev.ms);
        queryVenti.push_back(ev.query);
        eu = CercaNelProgramma(s, uno);
        programmaUno.push_back(eu.ms);
        queryUno.push_back(eu.query);
        bv = CercaInSqlite(db, venti);
        baseVenti.push_back(bv.ms);
        bu = CercaInSqlite(db, uno);
        baseUno.push_back(bu.ms);
    }
    sqlite3_close(db);

    std::printf("Ricerca tratte su %d righe, mediane di %d ripetizioni\n", RigheNazionali, Ripetizioni);
    std::printf("%-44s %12s %12s\n", "misura", "programma", "SQLite");
    std::printf("%-44s %9.1f ms %9.2f ms\n", qPrintable(QStringLiteral("20 punti, 380 coppie (%1 / %2 righe)").arg(ev.righe).arg(bv.righe)),
                Mediana(programmaVenti), Mediana(baseVenti));
    std::printf("%-44s %9.1f ms %9.2f ms\n", qPrintable(QStringLiteral("un punto (%1 / %2 righe)").arg(eu.righe).arg(bu.righe)),
                Mediana(programmaUno), Mediana(baseUno));
    std::printf("di cui la query sull'archivio: 20 punti %.1f ms, un punto %.1f ms; il resto scrive l'elenco e le coppie\n",
                Mediana(queryVenti), Mediana(queryUno));
    for (const auto& m : finto.mostrati)
        std::printf("messaggio: %s\n", qPrintable(m.testo));
    return 0;
}
