// Speed of the archive grid on 1,000,000 rows shown unfiltered: the main
// window's enhanced grid over the encrypted Tratte.db, against a plain
// QTableView over a model that holds every row in memory.
//
//   bench-griglia [CARTELLA]   data as bench-tabelle builds them (shared);
//                              each side is measured in a fresh process.
#include "sintetico.h"

#include "app/archiviodati.h"
#include "gridkit/griglia/newdbgrid.h"
#include "gridkit/tabella/newtable.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"

#include <QAbstractTableModel>
#include "gridkit/comune/avviografico.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <numeric>
#include <sqlcipher/sqlite3.h>

using namespace banco;

namespace {

constexpr int Larghezza = 1000;
constexpr int Altezza = 700;

double Millisecondi(QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

// Paints the view as the screen would.
void Disegna(QWidget& w)
{
    QApplication::processEvents();
    (void)w.grab();
}

struct Figure {
    double primaSchermata = 0, ultimaEPrima = 0, ordinamento = 0;
    long memoriaKb = 0;
};

void Stampa(const Figure& f)
{
    std::printf("%.3f %.3f %.3f %ld\n", f.primaSchermata, f.ultimaEPrima, f.ordinamento, f.memoriaKb);
}

// The program's own grid over the encrypted archive.
Figure Motore(const QString& cartella)
{
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione(finto);
    tratte::TArchivioDati archivio(cartella + "/Tratte");
    archivio.Prepara();
    gridkit::TNewTable tabella;
    tabella.DatabaseName = "Database";
    tabella.SetTableName("Tratte.db");
    tabella.ReadOnly = true;
    tabelle::TDataSource sorgente;
    sorgente.SetDataSet(&tabella);
    gridkit::TNewDBGrid griglia;
    griglia.resize(Larghezza, Altezza);
    griglia.SetReadOnly(true);
    for (const char* campo : {"ComunePF1", "SezionePF1", "FoglioPF1", "AllegatoPF1", "PF1", "ComunePF2", "SezionePF2",
                              "FoglioPF2", "AllegatoPF2", "PF2", "Protocollo", "Distanza", "ScartoQMedio"})
        griglia.Columns().Add().SetFieldName(campo);
    griglia.SetDataSource(&sorgente);
    griglia.show();

    Figure f;
    f.primaSchermata = Misura([&] {
        tabella.Riapri();
        Disegna(griglia);
    });
    f.ultimaEPrima = Misura([&] {
        tabella.Last();
        Disegna(griglia);
        tabella.First();
        Disegna(griglia);
    });
    // The sort by a title click on Distanza, from a row in the middle.
    std::vector<double> tempi;
    for (int i = 0; i < 3; ++i) {
        tabella.SetRecNo(500000 + i);
        const qint64 id = tabella.FieldByName("ID_001_TABLE")->AsInteger();
        QElapsedTimer t;
        t.start();
        griglia.OrdinaColonna(griglia.Columns()[griglia.Columns().IndiceDi("Distanza")]);
        Disegna(griglia);
        tempi.push_back(Millisecondi(t));
        if (tabella.FieldByName("ID_001_TABLE")->AsInteger() != id) {
            std::fprintf(stderr, "dopo l'ordinamento la riga corrente non è la stessa\n");
            std::exit(1);
        }
    }
    f.ordinamento = Mediana(tempi);
    f.memoriaKb = MemoriaResidenteKb("VmHWM:");
    return f;
}

// Every row in memory, as a plain model would hold it.
struct Riga {
    QString comune1, sezione1, allegato1, comune2, sezione2, allegato2, protocollo;
    int foglio1, pf1, foglio2, pf2;
    double distanza, scarto;
};

class ModelloInMemoria : public QAbstractTableModel {
public:
    std::vector<Riga> righe;
    std::vector<int> ordine;
    int rowCount(const QModelIndex& = QModelIndex()) const override { return int(ordine.size()); }
    int columnCount(const QModelIndex& = QModelIndex()) const override { return 13; }
    QVariant data(const QModelIndex& i, int ruolo) const override
    {
        if (ruolo != Qt::DisplayRole)
            return QVariant();
        const Riga& r = righe[size_t(ordine[size_t(i.row())])];
        switch (i.column()) {
        case 0: return r.comune1;
        case 1: return r.sezione1;
        case 2: return r.foglio1;
        case 3: return r.allegato1;
        case 4: return r.pf1;
        case 5: return r.comune2;
        case 6: return r.sezione2;
        case 7: return r.foglio2;
        case 8: return r.allegato2;
        case 9: return r.pf2;
        case 10: return r.protocollo;
        case 11: return QString::number(r.distanza, 'f', 3);
        default: return QString::number(r.scarto, 'f', 3);
        }
    }
    void Carica(const QString& file)
    {
        beginResetModel();
        righe.clear();
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(file).constData(), &db);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "SELECT ComunePF1, SezionePF1, FoglioPF1, AllegatoPF1, PF1, ComunePF2, SezionePF2, FoglioPF2,"
                               " AllegatoPF2, PF2, Protocollo, Distanza, ScartoQMedio FROM dati WHERE ID_001_TABLE > 1"
                               " ORDER BY ID_001_TABLE", -1, &st, nullptr);
        auto testo = [st](int c) { return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, c))); };
        while (sqlite3_step(st) == SQLITE_ROW)
            righe.push_back({testo(0), testo(1), testo(3), testo(5), testo(6), testo(8), testo(10), sqlite3_column_int(st, 2),
                             sqlite3_column_int(st, 4), sqlite3_column_int(st, 7), sqlite3_column_int(st, 9),
                             sqlite3_column_double(st, 11), sqlite3_column_double(st, 12)});
        sqlite3_finalize(st);
        sqlite3_close(db);
        ordine.resize(righe.size());
        std::iota(ordine.begin(), ordine.end(), 0);
        endResetModel();
    }
    void OrdinaPerDistanza(bool discendente)
    {
        beginResetModel();
        std::stable_sort(ordine.begin(), ordine.end(), [&](int a, int b) {
            return discendente ? righe[size_t(a)].distanza > righe[size_t(b)].distanza : righe[size_t(a)].distanza < righe[size_t(b)].distanza;
        });
        endResetModel();
    }
};

// The baseline: a plain QTableView over every row loaded in memory.
Figure Base(const QString& cartella)
{
    ModelloInMemoria modello;
    QTableView vista;
    vista.resize(Larghezza, Altezza);
    vista.setModel(&modello);
    vista.show();
    Figure f;
    f.primaSchermata = Misura([&] {
        modello.Carica(cartella + "/base.db");
        vista.setCurrentIndex(modello.index(0, 0));
        Disegna(vista);
    });
    f.ultimaEPrima = Misura([&] {
        vista.setCurrentIndex(modello.index(modello.rowCount() - 1, 0));
        Disegna(vista);
        vista.setCurrentIndex(modello.index(0, 0));
        Disegna(vista);
    });
    std::vector<double> tempi;
    bool discendente = false;
    for (int i = 0; i < 3; ++i) {
        const int corrente = modello.ordine[size_t(500000 + i)];
        QElapsedTimer t;
        t.start();
        modello.OrdinaPerDistanza(discendente);
        discendente = !discendente;
        const auto dove = std::find(modello.ordine.begin(), modello.ordine.end(), corrente);
        vista.setCurrentIndex(modello.index(int(dove - modello.ordine.begin()), 0));
        vista.scrollTo(vista.currentIndex());
        Disegna(vista);
        tempi.push_back(Millisecondi(t));
    }
    f.ordinamento = Mediana(tempi);
    f.memoriaKb = MemoriaResidenteKb("VmHWM:");
    return f;
}

Figure Leggi(const QByteArray& uscita)
{
    Figure f;
    const QList<QByteArray> v = uscita.trimmed().split(' ');
    if (v.size() == 4) {
        f.primaSchermata = v[0].toDouble();
        f.ultimaEPrima = v[1].toDouble();
        f.ordinamento = v[2].toDouble();
        f.memoriaKb = v[3].toLong();
    }
    return f;
}

Figure Figlio(const QString& programma, const QString& modo, const QString& cartella)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(programma, {modo, cartella});
    p.waitForFinished(-1);
    if (p.exitCode() != 0)
        std::exit(1);
    return Leggi(p.readAllStandardOutput());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gridkit::AvvioGrafico grafica;
    const QStringList argomenti = app.arguments().mid(1);
    if (argomenti.value(0) == "--motore" || argomenti.value(0) == "--base") {
        qputenv("TRATTE_REGISTRO", (argomenti.value(1) + "/registro").toLocal8Bit());
        Stampa(argomenti.value(0) == "--motore" ? Motore(argomenti.value(1)) : Base(argomenti.value(1)));
        return 0;
    }
    const QString cartella = QDir(argomenti.value(0, "bench-dati")).absolutePath();
    qputenv("TRATTE_REGISTRO", (cartella + "/registro").toLocal8Bit());
    PreparaDati(cartella);
    const Figure m = Figlio(app.applicationFilePath(), "--motore", cartella);
    const Figure b = Figlio(app.applicationFilePath(), "--base", cartella);
    std::printf("Griglia dell'archivio su %d righe non filtrate (finestra %dx%d), mediane\n", Righe, Larghezza, Altezza);
    std::printf("%-44s %12s %14s %8s\n", "misura", "griglia", "QTableView", "rapporto");
    auto riga = [](const char* nome, double a, double c) { std::printf("%-44s %9.1f ms %11.1f ms %7.2fx\n", nome, a, c, a / c); };
    riga("prima schermata dopo l'apertura", m.primaSchermata, b.primaSchermata);
    riga("ultima riga e ritorno, ridisegnate", m.ultimaEPrima, b.ultimaEPrima);
    riga("ordinamento su Distanza, stessa riga", m.ordinamento, b.ordinamento);
    std::printf("%-44s %9.1f MB %11.1f MB %7.2fx\n", "memoria residente (picco)", m.memoriaKb / 1024.0, b.memoriaKb / 1024.0,
                double(m.memoriaKb) / double(b.memoriaKb));
    return 0;
}
