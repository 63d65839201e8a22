// Speed of loading and deleting a province on a national-size archive:
// a folder series of 1,000,000 lines loaded into an archive that already
// holds 4,000,000 rows of other provinces, through the program's own
// procedure, against a plain bulk insert of the same rows into the same
// encrypted table with the same indexes, in the same run; and the
// deletion of that province from the 5,000,000 rows.
//
//   bench-caricamento CARTELLA
//
// Every measurement runs in a process of its own, on a fresh copy of the
// prepared archive, so that its peak memory is its own.
#include "app/archiviodati.h"
#include "app/caricamento/caricamento.h"
#include "app/caricamento/filedis.h"
#include "generatore_dis.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "sintetico.h"
#include "tabelle/chiave.h"
#include "tabelle/connessione.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <cstdio>
#include <sqlcipher/sqlite3.h>
#include <vector>

namespace {

constexpr qint64 RigheSerie = 1000000;
const QStringList AltreProvince = {"MI", "TO", "NA", "PA"};

QString Csv() { return QStringLiteral(CARTELLA_CSV); }

banco::SerieDis Serie(const QString& sigla, quint32 seme)
{
    banco::SerieDis s;
    s.sigla = sigla;
    s.file = 10;
    s.righe = RigheSerie;
    s.comuni = banco::ComuniDellaProvincia(Csv(), sigla);
    s.seme = seme;
    return s;
}

void Copia(const QString& da, const QString& a)
{
    QDir(a).removeRecursively();
    QDir().mkpath(a);
    for (const QString& f : QDir(da).entryList(QDir::Files))
        if (!QFile::copy(da + "/" + f, a + "/" + f)) {
            std::fprintf(stderr, "Copia di %s non riuscita\n", qPrintable(f));
            std::exit(1);
        }
}

// The archive of 4,000,000 rows and the series to load, made once.
void Prepara(const QString& cartella)
{
    if (QFile::exists(cartella + "/pronto"))
        return;
    QDir(cartella).removeRecursively();
    QDir().mkpath(cartella + "/modello/Archivi");
    std::printf("Preparazione di %lld righe in %s ...\n", RigheSerie * AltreProvince.size(), qPrintable(cartella));
    std::fflush(stdout);
    tabelle::TSession s;
    tratte::TArchivioDati archivio(cartella + "/modello", nullptr, &s);
    archivio.Prepara();
    quint32 seme = 10;
    for (const QString& sigla : AltreProvince) {
        const QString serie = cartella + "/serie-" + sigla;
        banco::GeneraSerie(serie, Serie(sigla, seme++));
        tratte::TCaricamentoProvincia c(archivio, {});
        if (c.CaricaDaCartella(serie) != tratte::TCaricamentoProvincia::Esito::Completato)
            std::exit(1);
        QDir(serie).removeRecursively();
    }
    banco::GeneraSerie(cartella + "/serie-RM", Serie("RM", 1));
    QFile(cartella + "/pronto").open(QIODevice::WriteOnly);
}

// ---------------------------------------------------------------- measurements (child processes)

int MisuraCaricamento(const QString& programma, const QString& serie)
{
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione(finto);
    tabelle::TSession s;
    tratte::TArchivioDati archivio(programma, nullptr, &s);
    archivio.Prepara();
    QElapsedTimer t;
    t.start();
    tratte::TCaricamentoProvincia c(archivio, {});
    if (c.CaricaDaCartella(serie) != tratte::TCaricamentoProvincia::Esito::Completato || c.RigheCaricate != RigheSerie)
        return 1;
    std::printf("%.1f %ld\n", t.nsecsElapsed() / 1e6, banco::MemoriaResidenteKb("VmHWM:"));
    return 0;
}

int MisuraEliminazione(const QString& programma)
{
    tabelle::TSession s;
    tratte::TArchivioDati archivio(programma, nullptr, &s);
    archivio.Prepara();
    QElapsedTimer t;
    t.start();
    tratte::TCaricamentoProvincia(archivio, {}).EliminaProvincia("RM");
    std::printf("%.1f %ld\n", t.nsecsElapsed() / 1e6, banco::MemoriaResidenteKb("VmHWM:"));
    return 0;
}

void Esegui(sqlite3* db, const char* sql)
{
    char* errore = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &errore) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, errore);
        std::exit(1);
    }
}

// The same rows, read beforehand, inserted by plain SQL into the same
// encrypted file with its indexes.
int MisuraBase(const QString& programma, const QString& serie)
{
    struct Riga {
        QByteArray alfa[7];
        std::optional<qint64> interi[4];
        std::optional<double> reali[2];
    };
    std::vector<Riga> righe;
    righe.reserve(RigheSerie);
    for (const QString& nome : tratte::TCaricamentoProvincia::FileDis(serie)) {
        tratte::LettoreDis lettore(serie + "/" + nome);
        QByteArrayView r;
        tratte::RigaDis c;
        while (lettore.Prossima(r)) {
            tratte::ConvertiRigaDis(r, c, nome, lettore.NumeroRiga());
            Riga x;
            const tratte::RigaDis::Testo* t[] = {&c.ComunePF1, &c.SezionePF1, &c.AllegatoPF1, &c.ComunePF2, &c.SezionePF2, &c.AllegatoPF2, &c.Protocollo};
            for (int i = 0; i < 7; ++i)
                x.alfa[i] = QByteArray(t[i]->dati, t[i]->lunghezza).trimmed();
            x.interi[0] = c.FoglioPF1, x.interi[1] = c.PF1, x.interi[2] = c.FoglioPF2, x.interi[3] = c.PF2;
            x.reali[0] = c.Distanza, x.reali[1] = c.ScartoQMedio;
            righe.push_back(std::move(x));
        }
    }
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(programma + "/Archivi/Tratte.db").constData(), &db);
    const QByteArray chiave = tabelle::ChiaveGrezza(tratte::PasswordTabelle);
    Esegui(db, ("PRAGMA key = \"" + chiave + "\"").constData());
    Esegui(db, ("PRAGMA cipher_page_size = " + QByteArray::number(tabelle::DimensionePagina)).constData());
    // The same page cache as the program's engine.
    Esegui(db, ("PRAGMA cache_size = -" + QByteArray::number(tabelle::CachePerFileKb)).constData());
    Esegui(db, "SELECT count(*) FROM sqlite_master");
    QElapsedTimer t;
    t.start();
    Esegui(db, "BEGIN");
    sqlite3_stmt* ins = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO dati (ComunePF1, SezionePF1, AllegatoPF1, ComunePF2, SezionePF2, AllegatoPF2, Protocollo,"
                           " FoglioPF1, PF1, FoglioPF2, PF2, Distanza, ScartoQMedio, Provincia) VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,'RM')",
                       -1, &ins, nullptr);
    for (const Riga& x : righe) {
        for (int i = 0; i < 7; ++i)
            x.alfa[i].isEmpty() ? sqlite3_bind_null(ins, i + 1) : sqlite3_bind_text(ins, i + 1, x.alfa[i].constData(), int(x.alfa[i].size()), SQLITE_STATIC);
        for (int i = 0; i < 4; ++i)
            x.interi[i] ? sqlite3_bind_int64(ins, 8 + i, *x.interi[i]) : sqlite3_bind_null(ins, 8 + i);
        for (int i = 0; i < 2; ++i)
            x.reali[i] ? sqlite3_bind_double(ins, 12 + i, *x.reali[i]) : sqlite3_bind_null(ins, 12 + i);
        if (sqlite3_step(ins) != SQLITE_DONE)
            return 1;
        sqlite3_reset(ins);
    }
    sqlite3_finalize(ins);
    Esegui(db, "COMMIT");
    std::printf("%.1f 0\n", t.nsecsElapsed() / 1e6);
    sqlite3_close(db);
    return 0;
}

// ---------------------------------------------------------------- parent

QPair<double, long> Figlio(const QStringList& argomenti)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), argomenti);
    p.waitForFinished(-1);
    const QList<QByteArray> parti = p.readAllStandardOutput().trimmed().split(' ');
    if (p.exitCode() != 0 || parti.size() != 2) {
        std::fprintf(stderr, "Misura non riuscita: %s\n", qPrintable(argomenti.join(' ')));
        std::exit(1);
    }
    return {parti[0].toDouble(), parti[1].toLong()};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication applicazione(argc, argv);
    const QStringList a = applicazione.arguments();
    if (a.size() < 2) {
        std::fprintf(stderr, "Uso: bench-caricamento CARTELLA\n");
        return 2;
    }
    const QString cartella = QDir(a[1]).absolutePath();
    const QString prova = cartella + "/prova";
    const QString serie = cartella + "/serie-RM";
    if (a.size() == 3 && a[2] == "--carica")
        return MisuraCaricamento(prova, serie);
    if (a.size() == 3 && a[2] == "--base")
        return MisuraBase(prova, serie);
    if (a.size() == 3 && a[2] == "--elimina")
        return MisuraEliminazione(prova);

    Prepara(cartella);
    constexpr int Volte = 3;
    std::vector<double> carico, base, elimina;
    long memoria = 0, memoriaElimina = 0;
    for (int i = 0; i < Volte; ++i) {
        Copia(cartella + "/modello/Archivi", prova + "/Archivi");
        const auto b = Figlio({a[1], "--base"});
        base.push_back(b.first);
        Copia(cartella + "/modello/Archivi", prova + "/Archivi");
        const auto c = Figlio({a[1], "--carica"});
        carico.push_back(c.first);
        memoria = qMax(memoria, c.second);
        const auto e = Figlio({a[1], "--elimina"});
        elimina.push_back(e.first);
        memoriaElimina = qMax(memoriaElimina, e.second);
    }
    QDir(prova).removeRecursively();
    const double mc = banco::Mediana(carico), mb = banco::Mediana(base);
    std::printf("Caricamento di %lld righe (10 file) su 4.000.000 righe di altre province, mediana di %d:\n", RigheSerie, Volte);
    std::printf("  procedura del programma      %8.0f ms   (picco di memoria %ld MB)\n", mc, memoria / 1024);
    std::printf("  inserimento SQL semplice     %8.0f ms   (righe già lette in memoria)\n", mb);
    std::printf("  rapporto                     %8.2f x\n", mc / mb);
    std::printf("Eliminazione della provincia (1.000.000 di 5.000.000 righe): %.0f ms (picco di memoria %ld MB)\n",
                banco::Mediana(elimina), memoriaElimina / 1024);
    return 0;
}
