// Speed of the survey-book search: a book of 200 points and 1,000
// distances whose points have 2,000 archived distances among them, on the
// 5,000,000-row archive of bench-lettura (5 provinces of 1,000,000 rows,
// made by its code when the folder does not hold it yet). Timed: the whole
// processing, from reading the book to the results shown in the results
// control, and each phase of it; apart, the reset before the book list.
//
//   bench-libretto CARTELLA ARCHIVIO_COMUNI LIBRERIA_BORGAL TRATTE_CLI TABELLE_LAVORO CSV LIBRERIA_PREGEO
#include "archivio_province.h"
#include "generatore_libretti.h"
#include "sintetico.h"

#include "app/archiviodati.h"
#include "app/configurazione.h"
#include "app/libretto/elaborazionelibretto.h"
#include "app/libretto/tzrelencolbp.h"
#include "app/libretto/tzrtrattelbp.h"
#include "componenti/creazione.h"
#include "componenti/server.h"
#include "directory/interfacce.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "registro/treginifile.h"

#include "gridkit/comune/avviografico.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cstdio>
#include <random>

using namespace banco;

namespace {

constexpr int Punti = 200, DistanzeLibro = 1000, Archiviate = 2000, Volte = 5;

struct Riga {
    int a, b;
    double distanza;
};

// The book: of the comune with the most rows, the points with the most
// archived distances among them until they have 2,000, the rest of the 200
// from points of its other sheets with none among them.
QByteArray Libretto(const QString& base, int& archiviate)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(QFile::encodeName(base).constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT ComunePF1 FROM dati WHERE ID_001_TABLE > 1 GROUP BY ComunePF1 ORDER BY count(*) DESC LIMIT 2", -1, &st,
                       nullptr);
    sqlite3_step(st);
    const QString comune = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_step(st);
    const QString secondo = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    // Points of the second comune: no archived distance joins them to the first's.
    QList<QPair<int, int>> altri;
    sqlite3_prepare_v2(db, "SELECT DISTINCT FoglioPF1, PF1 FROM dati WHERE ComunePF1 = ?1 AND SezionePF1 IS NULL AND AllegatoPF1 IS NULL LIMIT 20000",
                       -1, &st, nullptr);
    const QByteArray s2 = secondo.toUtf8();
    sqlite3_bind_text(st, 1, s2.constData(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(st) == SQLITE_ROW)
        altri.append({sqlite3_column_int(st, 0), sqlite3_column_int(st, 1)});
    sqlite3_finalize(st);
    QSet<QPair<QPair<int, int>, QPair<int, int>>> legati;
    sqlite3_prepare_v2(db, "SELECT FoglioPF1, PF1, FoglioPF2, PF2 FROM dati WHERE ComunePF1 = ?1 AND ComunePF2 = ?1", -1, &st, nullptr);
    sqlite3_bind_text(st, 1, s2.constData(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(st) == SQLITE_ROW) {
        const QPair<int, int> x{sqlite3_column_int(st, 0), sqlite3_column_int(st, 1)}, y{sqlite3_column_int(st, 2), sqlite3_column_int(st, 3)};
        legati.insert({x, y});
        legati.insert({y, x});
    }
    sqlite3_finalize(st);
    sqlite3_prepare_v2(db,
                       "SELECT FoglioPF1, PF1, FoglioPF2, PF2, Distanza FROM dati WHERE ComunePF1 = ?1 AND ComunePF2 = ?1 "
                       "AND SezionePF1 IS NULL AND SezionePF2 IS NULL AND AllegatoPF1 IS NULL AND AllegatoPF2 IS NULL",
                       -1, &st, nullptr);
    const QByteArray c = comune.toUtf8();
    sqlite3_bind_text(st, 1, c.constData(), -1, SQLITE_TRANSIENT);
    QHash<QPair<int, int>, int> indice;
    QList<QPair<int, int>> chiavi;
    QList<Riga> righe;
    auto punto = [&](int foglio, int pf) {
        const auto k = qMakePair(foglio, pf);
        auto i = indice.constFind(k);
        if (i != indice.constEnd())
            return *i;
        chiavi << k;
        return *indice.insert(k, int(chiavi.size()) - 1);
    };
    while (sqlite3_step(st) == SQLITE_ROW)
        righe.append({punto(sqlite3_column_int(st, 0), sqlite3_column_int(st, 1)), punto(sqlite3_column_int(st, 2), sqlite3_column_int(st, 3)),
                      sqlite3_column_double(st, 4)});
    sqlite3_finalize(st);
    sqlite3_close(db);

    QList<QList<int>> vicini(chiavi.size());
    for (int r = 0; r < righe.size(); ++r) {
        vicini[righe[r].a] << r;
        vicini[righe[r].b] << r;
    }
    // Greedy: the point that brings the most distances into the set.
    QSet<int> scelti;
    QList<int> ordine;
    QList<int> guadagno(chiavi.size(), 0);
    int primo = 0;
    for (int p = 0; p < vicini.size(); ++p)
        if (vicini[p].size() > vicini[primo].size())
            primo = p;
    archiviate = 0;
    QList<Riga> trovate;
    auto aggiungi = [&](int p) {
        scelti.insert(p);
        ordine << p;
        for (int r : std::as_const(vicini[p])) {
            const int altro = righe[r].a == p ? righe[r].b : righe[r].a;
            if (scelti.contains(altro) && altro != p) {
                ++archiviate;
                trovate << righe[r];
            } else {
                ++guadagno[altro];
            }
        }
    };
    aggiungi(primo);
    while (archiviate < Archiviate && ordine.size() < Punti) {
        int migliore = -1;
        for (int p : std::as_const(ordine))
            for (int r : std::as_const(vicini[p])) {
                const int altro = righe[r].a == p ? righe[r].b : righe[r].a;
                if (!scelti.contains(altro) && (migliore < 0 || guadagno[altro] > guadagno[migliore]))
                    migliore = altro;
            }
        if (migliore < 0)
            break;
        aggiungi(migliore);
    }
    QList<PuntoDis> puntiLibro;
    QHash<int, int> posizione;
    for (int p : std::as_const(ordine)) {
        posizione.insert(p, int(puntiLibro.size()));
        puntiLibro.append({comune, QString(), QString(), chiavi[p].first, chiavi[p].second});
    }
    // The rest of the 200, with no archived distance among them.
    QList<QPair<int, int>> presi;
    for (qsizetype k = 0; k < altri.size() && puntiLibro.size() < Punti; ++k) {
        bool legato = false;
        for (const auto& q : std::as_const(presi))
            legato = legato || legati.contains({q, altri[k]});
        if (legato)
            continue;
        presi << altri[k];
        puntiLibro.append({secondo, QString(), QString(), altri[k].first, altri[k].second});
    }
    // The distances: the archived pairs measured again, then other pairs.
    std::mt19937 caso(7);
    QList<DistanzaBook> distanze;
    QSet<QPair<int, int>> coppie;
    for (const Riga& r : std::as_const(trovate)) {
        const int i = posizione.value(r.a), j = posizione.value(r.b);
        if (distanze.size() >= DistanzeLibro || coppie.contains({i, j}) || coppie.contains({j, i}))
            continue;
        coppie.insert({i, j});
        distanze.append({i, j, r.distanza + (caso() % 100) / 100.0, 0.01});
    }
    const int n = int(puntiLibro.size());
    for (int i = 0; distanze.size() < DistanzeLibro && i < n; ++i)
        for (int j = i + 1; distanze.size() < DistanzeLibro && j < n; ++j)
            if (!coppie.contains({i, j}) && !coppie.contains({j, i})) {
                coppie.insert({i, j});
                distanze.append({i, j, 50.0 + (caso() % 100000) / 100.0, 0.01});
            }
    std::printf("Libretto: %d punti (%d del comune %s, con %d tratte archiviate tra loro, e %d di %s), %d distanze\n",
                int(puntiLibro.size()), int(ordine.size()), qPrintable(comune), archiviate, int(puntiLibro.size() - ordine.size()),
                qPrintable(secondo), int(distanze.size()));
    return TestoLibretto("Libretto del banco di prova", true, puntiLibro, distanze);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gridkit::AvvioGrafico grafica;
    const QStringList arg = app.arguments();
    if (arg.size() < 8) {
        std::fprintf(stderr, "uso: bench-libretto CARTELLA ARCHIVIO_COMUNI LIBRERIA_BORGAL TRATTE_CLI TABELLE_LAVORO CSV LIBRERIA_PREGEO\n");
        return 2;
    }
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione(finto);
    Ambiente a{QDir(arg[1]).absolutePath(), QDir(arg[2]).absolutePath(), arg[3], arg[4], QDir(arg[5]).absolutePath(), arg[6]};
    QDir().mkpath(a.cartella);
    qputenv("XDG_RUNTIME_DIR", a.cartella.toLocal8Bit());
    Registro(a);
    const QString programma = Prepara(a, Sigle5, true);
    componenti::RegistraServer(arg[7]);
    registro::TRegIniFile(QStringLiteral("SOFTWARE\\QUINTOR\\ORBIS77")).WriteString("Tratte", "PathArchivi", programma);
    const QString pregeo = a.cartella + "/Pregeo";
    QDir().mkpath(pregeo);
    int archiviate = 0;
    {
        QFile f(pregeo + "/Banco.out");
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(Libretto(a.cartella + "/base.db", archiviate));
    }

    tratte::TArchivioDati archivio(programma);
    archivio.Prepara();
    QWidget finestra;
    finestra.resize(1000, 700);
    tratte::TZRTratteLbp crm(&finestra);
    crm.resize(1000, 700);
    gridkit::TNewTable tabellaPerRicerca;
    tabellaPerRicerca.DatabaseName = archivio.CartellaDati();
    tabellaPerRicerca.SetTableName("Tratte.db");
    tabellaPerRicerca.ReadOnly = true;
    tabellaPerRicerca.CachedUpdates = true;
    tabellaPerRicerca.NotAppend = true;
    crm.SetTabellaTratte(&tabellaPerRicerca);
    finestra.show();
    auto directory = componenti::CreateComObject<borgal::IBorgal>(borgal::CLSID_Borgal, borgal::IID_IBorgal);
    QStringList valori;
    auto risolvi = [&](const QString& testo, tratte::DatiComune& v) { return tratte::RisolviConDirectory(*directory.Get(), valori, testo, v); };

    std::vector<double> azzeramenti, totali, preliminari, lettura, ricerca, scrittura, vista;
    int righe = 0;
    for (int volta = 0; volta <= Volte; ++volta) {
        QElapsedTimer t;
        t.start();
        tratte::TElaborazioneLibretto::AzzeraRisultati(crm.TabellaRisultati(), tabellaPerRicerca);
        const double azzera = Ms(t);
        tratte::TElaborazioneLibretto e(crm.TabellaRisultati(), tabellaPerRicerca, risolvi);
        double fasi[3] = {0, 0, 0};
        int fase = -1;
        QElapsedTimer tf;
        double prima = 0;
        e.Fase = [&](const QString& testo) {
            if (fase >= 0)
                fasi[fase] = Ms(tf);
            else
                prima = Ms(t);
            fase = testo == tratte::FaseLettura ? 0 : testo == tratte::FaseRicerca ? 1 : 2;
            tf.start();
        };
        t.start();
        const int esito = e.ElaboraLibretto(pregeo + "/Banco");
        fasi[2] = Ms(tf);
        QElapsedTimer tv;
        tv.start();
        tratte::TZRElencoLbp::TitoliRisultati(crm.Griglia(), true);
        crm.Griglia().viewport()->repaint();
        QApplication::processEvents();
        const double mostra = Ms(tv);
        const double totale = Ms(t);
        e.SvuotaPunti();
        if (esito != 1) {
            std::fprintf(stderr, "ricerca non riuscita: esito %d %s\n", e.Esito, qPrintable(e.ErroreLibretto));
            return 1;
        }
        righe = crm.TabellaRisultati().RecordCount();
        if (volta == 0)
            continue; // warm-up
        azzeramenti.push_back(azzera);
        totali.push_back(totale);
        preliminari.push_back(prima);
        lettura.push_back(fasi[0]);
        ricerca.push_back(fasi[1]);
        scrittura.push_back(fasi[2]);
        vista.push_back(mostra);
    }
    std::printf("Ricerca su libretto, archivio di 5.000.000 di righe, %d righe di risultato (mediana di %d):\n", righe, Volte);
    std::printf("  dalla lettura del libretto ai risultati mostrati %9.1f ms  (obiettivo: sotto 2000 ms)\n", Mediana(totali));
    std::printf("    componente e province caricate                 %9.1f ms\n", Mediana(preliminari));
    std::printf("    lettura del libretto, punti e coppie           %9.1f ms\n", Mediana(lettura));
    std::printf("    ricerca delle tratte                           %9.1f ms\n", Mediana(ricerca));
    std::printf("    scrittura dei risultati                        %9.1f ms\n", Mediana(scrittura));
    std::printf("    risultati mostrati nella griglia               %9.1f ms\n", Mediana(vista));
    std::printf("  a parte: risultati svuotati e archivio riaperto  %9.1f ms\n", Mediana(azzeramenti));
    return 0;
}
