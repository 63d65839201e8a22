#include "sintetico.h"

#include "app/archiviodati.h"
#include "tabelle/protezione.h"
#include "tabelle/query.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <sqlcipher/sqlite3.h>

namespace banco {
namespace {

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

} // namespace

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

void PreparaDati(const QString& cartella)
{
    const QString programma = cartella + "/Tratte";
    if (QFile::exists(cartella + "/pronto"))
        return;
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

const QStringList SigleNazionali = {"RM", "MI", "TO", "NA", "PA", "BA", "FI", "BO", "VE", "GE"};

// The comuni of the ten provinces, from the delivered archive.
QList<ComuneSintetico> ComuniDelleProvince(const QString& archivio)
{
    tabelle::TSession s;
    s.AddPassword(tratte::PasswordTabelle);
    tabelle::TQuery q(nullptr, &s);
    q.DatabaseName = archivio;
    q.SQL << "Select CodiceFiscale, NomeComune, Provincia from \"KWArchivioComuni.db\" Where ID_001_TABLE > 1";
    q.Open();
    QList<ComuneSintetico> comuni;
    for (q.First(); !q.Eof(); q.Next()) {
        const QString p = q.Fields(2)->AsString();
        if (SigleNazionali.contains(p))
            comuni << ComuneSintetico{q.Fields(0)->AsString(), q.Fields(1)->AsString(), p};
        if (q.RecNo() == q.RecordCount())
            break;
    }
    return comuni;
}

void PreparaArchivioNazionale(const QString& cartella, const QString& archivio)
{
    if (QFile::exists(cartella + "/pronto"))
        return;
    QDir(cartella).removeRecursively();
    const QString programma = cartella + "/Tratte";
    QDir().mkpath(programma + "/Archivi");
    std::printf("Preparazione di %d righe in %s ...\n", RigheNazionali, qPrintable(cartella));
    std::fflush(stdout);
    const QList<ComuneSintetico> comuni = ComuniDelleProvince(archivio);
    tabelle::TSession s;
    tratte::TArchivioDati dati(programma, nullptr, &s);
    dati.Prepara();
    {
        tabelle::TTable prv(nullptr, &s);
        prv.DatabaseName = "Database";
        prv.TableName = "PRV.DB";
        prv.Open();
        for (const QString& sigla : SigleNazionali) {
            for (const ComuneSintetico& c : comuni)
                if (c.provincia == sigla) {
                    prv.Append();
                    prv.FieldByName("CODEPRV")->SetAsString(sigla);
                    prv.FieldByName("DATA")->SetAsString("26/11");
                    prv.Post();
                    break;
                }
        }
    }
    // The chief towns' names, as the program lists provinces.
    {
        tabelle::TQuery nomi(nullptr, &s);
        nomi.DatabaseName = archivio;
        nomi.SQL << "Select SIGLA, PROVINCIA from \"Province.db\"";
        nomi.Open();
        tabelle::TTable prv(nullptr, &s);
        prv.DatabaseName = "Database";
        prv.TableName = "PRV.DB";
        prv.Open();
        for (nomi.First(); !nomi.Eof(); nomi.Next()) {
            if (prv.FindKey({nomi.Fields(0)->AsString()})) {
                prv.Edit();
                prv.FieldByName("PROVINCIA")->SetAsString(nomi.Fields(1)->AsString());
                prv.Post();
            }
            if (nomi.RecNo() == nomi.RecordCount())
                break;
        }
    }
    const int perComune = RigheNazionali / int(comuni.size()) + 1;
    tabelle::TTable t(nullptr, &s);
    t.DatabaseName = "Database";
    t.TableName = "Tratte.db";
    t.Open();
    dati.Database.StartTransaction();
    for (int i = 0; i < RigheNazionali; ++i) {
        const ComuneSintetico& c = comuni[i / perComune];
        t.Append();
        t.Fields(4)->SetAsString(c.codice);
        t.Fields(6)->SetAsInteger(i % 40 + 1);
        t.Fields(8)->SetAsInteger(i % 97 + 1);
        t.Fields(9)->SetAsString(c.codice);
        t.Fields(11)->SetAsInteger(i % 40 + 1);
        t.Fields(13)->SetAsInteger(i % 89 + 1);
        t.Fields(14)->SetAsString(QStringLiteral("%1%2").arg(c.provincia).arg(i, 11, 10, QChar('0')));
        t.Fields(15)->SetAsFloat(100.0 + (i % 5000) * 0.137);
        t.Fields(16)->SetAsFloat(0.012);
        t.Fields(17)->SetAsString(c.provincia);
        t.Post();
    }
    dati.Database.Commit();
    t.Close();
    // The plain copy, indexed, for the baseline.
    QFile::copy(programma + "/Archivi/Tratte.db", cartella + "/base.db");
    tabelle::ImpostaPasswordTabella(s, cartella + "/base.db", QString());
    QFile pronto(cartella + "/pronto");
    pronto.open(QIODevice::WriteOnly);
}

} // namespace banco
