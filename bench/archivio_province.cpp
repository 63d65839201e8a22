#include "archivio_province.h"

#include "generatore_dis.h"

#include "app/archiviodati.h"
#include "app/caricamento/caricamento.h"
#include "app/ricerca/ricercapf.h"
#include "componenti/server.h"
#include "registro/treginifile.h"
#include "tabelle/protezione.h"

#include <QDir>
#include <QFile>
#include <cstdio>
#include <cstdlib>

namespace banco {

void Esegui(sqlite3* db, const QString& sql)
{
    char* errore = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &errore) != SQLITE_OK) {
        std::fprintf(stderr, "sqlite: %s\n", errore);
        sqlite3_free(errore);
        std::exit(1);
    }
}

void Registro(const Ambiente& a)
{
    qputenv("TRATTE_REGISTRO", (a.cartella + "/registro").toLocal8Bit());
    componenti::RegistraServer(a.borgal);
    registro::TRegIniFile chiave("\\Software\\QUINTOR\\COMMON\\BORGAL\\");
    chiave.WriteString("Archivi", "FileNameArchivioComuni", a.archivioComuni + "/KWArchivioComuni.db");
    chiave.WriteString("Archivi", "FileNameArchivioStatiEsteri", a.archivioComuni + "/KWEsteri.db");
    chiave.WriteString("Archivi", "FileNameArchivioProvince", a.archivioComuni + "/KWProvince.db");
}

// Loads one province's generated series; milliseconds.
double CaricaProvincia(const Ambiente& a, const QString& programma, const QString& sigla, quint32 seme)
{
    SerieDis serie;
    serie.sigla = sigla;
    serie.mese = 11;
    serie.anno = 26;
    serie.file = 10;
    serie.righe = RighePerProvincia;
    serie.comuni = ComuniDellaProvincia(a.csv, sigla);
    serie.seme = seme;
    // Rome holds a seventh of its province's distances: its view is the
    // large comune view the engine must read at SQLite's pace.
    if (sigla == "RM") {
        serie.capoluogo = "H501";
        serie.capoluogoPerMille = 143;
    }
    const QString dir = a.cartella + "/serie-" + sigla;
    if (!QFile::exists(dir + "/" + NomeFileDis(serie, serie.file)))
        GeneraSerie(dir, serie);
    tabelle::TSession s;
    tratte::TArchivioDati archivio(programma, nullptr, &s);
    archivio.Prepara();
    archivio.CartellaArchivioComuni = a.archivioComuni + "/";
    tratte::TCaricamentoProvincia::Interfaccia i;
    i.ConfermaSostituzione = [](const QString&) { return true; };
    tratte::TCaricamentoProvincia caricamento(archivio, i);
    QElapsedTimer t;
    t.start();
    if (caricamento.CaricaDaCartella(dir) != tratte::TCaricamentoProvincia::Esito::Completato) {
        std::fprintf(stderr, "caricamento di %s non completato\n", qPrintable(sigla));
        std::exit(1);
    }
    return Ms(t);
}

double EliminaProvincia(const QString& programma, const QString& sigla)
{
    tabelle::TSession s;
    tratte::TArchivioDati archivio(programma, nullptr, &s);
    archivio.Prepara();
    tratte::TCaricamentoProvincia caricamento(archivio, {});
    QElapsedTimer t;
    t.start();
    caricamento.EliminaProvincia(sigla);
    return Ms(t);
}

// An archive of the provinces, loaded by the program; a plain copy with
// the baseline's indexes in `cartella`/base.db.
QString Prepara(const Ambiente& a, const QStringList& sigle, bool copiaInChiaro)
{
    const QString programma = a.cartella + "/Tratte";
    if (QFile::exists(a.cartella + "/pronto"))
        return programma;
    QDir(programma).removeRecursively();
    QDir().mkpath(programma + "/Archivi");
    for (const QString& nome : {tratte::TabellaRicerchePF, tratte::TabellaCombinazioni})
        QFile::copy(a.lavoro + "/" + nome, programma + "/Archivi/" + nome);
    std::printf("Preparazione di %lld righe (%d province caricate dal programma) in %s ...\n",
                qint64(sigle.size()) * RighePerProvincia, int(sigle.size()), qPrintable(a.cartella));
    std::fflush(stdout);
    for (int i = 0; i < sigle.size(); ++i)
        CaricaProvincia(a, programma, sigle[i], quint32(i + 1));
    if (copiaInChiaro) {
        QFile::remove(a.cartella + "/base.db");
        QFile::copy(programma + "/Archivi/Tratte.db", a.cartella + "/base.db");
        tabelle::TSession s;
        s.AddPassword(tratte::PasswordTabelle);
        tabelle::ImpostaPasswordTabella(s, a.cartella + "/base.db", QString());
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(a.cartella + "/base.db").constData(), &db);
        for (const char* sql : {"DROP INDEX IF EXISTS IDxPuntoPF1", "DROP INDEX IF EXISTS IDxPuntoPF2", "DROP INDEX IF EXISTS IDxElenco",
                                "CREATE INDEX pf1 ON dati (ComunePF1, FoglioPF1, PF1)", "CREATE INDEX pf2 ON dati (ComunePF2, FoglioPF2, PF2)",
                                "ANALYZE", "VACUUM"})
            Esegui(db, sql);
        sqlite3_close(db);
    }
    QFile pronto(a.cartella + "/pronto");
    pronto.open(QIODevice::WriteOnly);
    return programma;
}

} // namespace banco
