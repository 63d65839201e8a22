// Speed of the directory's lookup on the delivered comuni archive:
// CercaComune by code, by exact name and by a name written without its
// accent (FORLI for FORLÌ) through the component interface, against the
// same lookup as one prepared SQLite statement on a plain copy of the
// table, in the same run.
//
//   bench-comuni CARTELLA_ARCHIVIO LIBRERIA_BORGAL
#include "componenti/creazione.h"
#include "componenti/server.h"
#include "directory/interfacce.h"
#include "directory/nomericerca.h"
#include "directory/servizioospite.h"
#include "registro/treginifile.h"
#include "tabelle/protezione.h"
#include "tabelle/sessione.h"

#include "gridkit/comune/avviografico.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlcipher/sqlite3.h>
#include <vector>

namespace {

constexpr int Chiamate = 2000;

// Median time of one call, in microseconds, over Chiamate calls after a warm-up.
double Mediana(const std::function<void(int)>& chiamata)
{
    for (int i = 0; i < 200; ++i)
        chiamata(i);
    std::vector<double> tempi;
    for (int i = 0; i < Chiamate; ++i) {
        QElapsedTimer t;
        t.start();
        chiamata(i);
        tempi.push_back(double(t.nsecsElapsed()) / 1000.0);
    }
    std::sort(tempi.begin(), tempi.end());
    return tempi[tempi.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gridkit::AvvioGrafico grafica;
    if (app.arguments().size() != 3) {
        std::fprintf(stderr, "uso: bench-comuni CARTELLA_ARCHIVIO LIBRERIA_BORGAL\n");
        return 2;
    }
    const QString archivio = app.arguments()[1];
    QTemporaryDir lavoro;
    qputenv("TRATTE_REGISTRO", lavoro.filePath("registro").toLocal8Bit());
    registro::TRegIniFile chiave("\\Software\\QUINTOR\\COMMON\\BORGAL\\");
    chiave.WriteString("Archivi", "FileNameArchivioComuni", archivio + "/KWArchivioComuni.db");
    chiave.WriteString("Archivi", "FileNameArchivioStatiEsteri", archivio + "/KWEsteri.db");
    if (componenti::RegistraServer(app.arguments()[2]) != componenti::S_OK)
        return 1;
    borgal::PubblicazioneServizioMessaggi servizio;
    auto directory = componenti::CreateComObject<borgal::IBorgal>(borgal::CLSID_Borgal, borgal::IID_IBorgal);

    // The same rows in plain SQLite, for the baseline.
    const QString copia = lavoro.filePath("KWArchivioComuni.db");
    QFile::copy(archivio + "/KWArchivioComuni.db", copia);
    {
        tabelle::TSession s;
        s.AddPassword("tulp41");
        tabelle::ImpostaPasswordTabella(s, copia, QString());
    }
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(copia).constData(), &db);
    QStringList codici, nomi;
    {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT CodiceFiscale, NomeComune FROM dati WHERE ID_001_TABLE > 1", -1, &st, nullptr);
        while (sqlite3_step(st) == SQLITE_ROW) {
            codici << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            nomi << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        }
        sqlite3_finalize(st);
    }
    // The names whose search form differs from the spelling, in that form.
    QStringList senzaAccento;
    for (const QString& nome : std::as_const(nomi))
        if (borgal::NomeRicerca(nome) != nome)
            senzaAccento << borgal::NomeRicerca(nome);
    auto base = [db](const char* colonna) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, QByteArray("SELECT * FROM dati WHERE ") + colonna + " = ?1 LIMIT 1", -1, &st, nullptr);
        return st;
    };
    sqlite3_stmt* perCodice = base("CodiceFiscale");
    sqlite3_stmt* perNome = base("NomeComune");
    sqlite3_stmt* perForma = base("NomeRicerca");
    auto cerca = [](sqlite3_stmt* st, const QString& valore) {
        const QByteArray v = valore.toUtf8();
        sqlite3_bind_text(st, 1, v.constData(), int(v.size()), SQLITE_TRANSIENT);
        int colonne = 0;
        if (sqlite3_step(st) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                colonne += sqlite3_column_bytes(st, c);
        sqlite3_reset(st);
        return colonne;
    };

    const int n = int(codici.size());
    QStringList dati;
    int trovati = 0;
    const double codiceComponente = Mediana([&](int i) { trovati += directory->CercaComune(true, false, codici[(i * 7919) % n], dati); });
    const double nomeComponente = Mediana([&](int i) { trovati += directory->CercaComune(true, false, nomi[(i * 7919) % n], dati); });
    const double codiceBase = Mediana([&](int i) { cerca(perCodice, codici[(i * 7919) % n]); });
    const double nomeBase = Mediana([&](int i) { cerca(perNome, nomi[(i * 7919) % n]); });
    const int m = int(senzaAccento.size());
    const double formaComponente =
        Mediana([&](int i) { trovati += directory->CercaComune(true, false, senzaAccento[(i * 7919) % m], dati); });
    // The baseline knows where to look: the search form at once.
    const double formaBase = Mediana([&](int i) { cerca(perForma, senzaAccento[(i * 7919) % m]); });
    sqlite3_finalize(perCodice);
    sqlite3_finalize(perNome);
    sqlite3_finalize(perForma);
    sqlite3_close(db);
    directory.Reset();

    std::printf("CercaComune sull'archivio consegnato (%d comuni), mediana di %d chiamate a caldo\n", n, Chiamate);
    std::printf("%-30s %14s %14s %9s\n", "ricerca", "componente", "SQLite", "rapporto");
    std::printf("%-30s %11.1f us %11.1f us %8.2fx\n", "per codice (CodiceFiscale)", codiceComponente, codiceBase, codiceComponente / codiceBase);
    std::printf("%-30s %11.1f us %11.1f us %8.2fx\n", "per nome esatto (NomeComune)", nomeComponente, nomeBase, nomeComponente / nomeBase);
    std::printf("%-30s %11.1f us %11.1f us %8.2fx\n", "per nome senza accento", formaComponente, formaBase, formaComponente / formaBase);
    if (trovati != 3 * (Chiamate + 200)) {
        std::fprintf(stderr, "ricerche non riuscite: %d\n", 3 * (Chiamate + 200) - trovati);
        return 1;
    }
    return 0;
}
