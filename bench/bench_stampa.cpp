// Speed of printing on an archive of 5,000,000 rows, through the main
// window and the report engine: the batch copy of a comune view of
// 143,000 rows into the print table; a whole print to PDF of a 10,000-row
// view and of the 143,000-row view (about 2,600 pages), in a fresh
// tratte-cli with its peak memory; the engine's preview of the large view
// (first page, then any page), against Qt's stock preview widget on the
// same pages, which draws every page before it shows one.
//
//   bench-stampa CARTELLA ARCHIVIO_COMUNI LIBRERIA_BORGAL TRATTE_CLI CARTELLA_RAPPORTI
#include "sintetico.h"

#include "app/archiviodati.h"
#include "app/configurazione.h"
#include "app/mainform.h"
#include "app/stampa/stampatratte.h"
#include "componenti/server.h"
#include "impaginazione.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "registro/treginifile.h"
#include "tabelle/tabella.h"

#include "gridkit/comune/avviografico.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRandomGenerator>
#include <QSpinBox>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char** environ;

using namespace banco;

namespace {

constexpr int RigheRoma = 143000;
constexpr int RigheFrascati = 10000;

double Ms(QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

// 5,000,000 rows: ROMA (H501) 143,000, FRASCATI (D773) 10,000, the rest
// spread over the other comuni of the ten provinces.
void PreparaArchivio(const QString& cartella, const QString& archivio)
{
    if (QFile::exists(cartella + "/pronto"))
        return;
    QDir(cartella).removeRecursively();
    const QString programma = cartella + "/Tratte";
    QDir().mkpath(programma + "/Archivi");
    std::printf("Preparazione di %d righe in %s ...\n", RigheNazionali, qPrintable(cartella));
    std::fflush(stdout);
    QList<ComuneSintetico> altri;
    for (const ComuneSintetico& c : ComuniDelleProvince(archivio))
        if (c.codice != "H501" && c.codice != "D773")
            altri << c;
    tabelle::TSession s;
    tratte::TArchivioDati dati(programma, nullptr, &s);
    dati.Prepara();
    {
        tabelle::TTable prv(nullptr, &s);
        prv.DatabaseName = "Database";
        prv.TableName = "PRV.DB";
        prv.Open();
        prv.Append();
        prv.FieldByName("CODEPRV")->SetAsString("RM");
        prv.FieldByName("PROVINCIA")->SetAsString("ROMA");
        prv.FieldByName("DATA")->SetAsString("26/11");
        prv.Post();
    }
    const int resto = RigheNazionali - RigheRoma - RigheFrascati;
    const int perComune = resto / int(altri.size()) + 1;
    tabelle::TTable t(nullptr, &s);
    t.DatabaseName = "Database";
    t.TableName = "Tratte.db";
    t.Open();
    dati.Database.StartTransaction();
    for (int i = 0; i < RigheNazionali; ++i) {
        QString codice = "H501", provincia = "RM";
        if (i >= RigheRoma + RigheFrascati) {
            const ComuneSintetico& c = altri[(i - RigheRoma - RigheFrascati) / perComune];
            codice = c.codice;
            provincia = c.provincia;
        } else if (i >= RigheRoma) {
            codice = "D773";
        }
        t.Append();
        t.Fields(4)->SetAsString(codice);
        t.Fields(6)->SetAsInteger(i % 40 + 1);
        t.Fields(8)->SetAsInteger(i % 97 + 1);
        t.Fields(9)->SetAsString(codice);
        t.Fields(11)->SetAsInteger(i % 40 + 1);
        t.Fields(13)->SetAsInteger(i % 89 + 1);
        t.Fields(14)->SetAsString(QStringLiteral("%1%2").arg(provincia).arg(i, 11, 10, QChar('0')));
        t.Fields(15)->SetAsFloat(100.0 + (i % 5000) * 0.137);
        t.Fields(16)->SetAsFloat(0.012);
        t.Fields(17)->SetAsString(provincia);
        t.Post();
    }
    dati.Database.Commit();
    t.Close();
    QFile pronto(cartella + "/pronto");
    pronto.open(QIODevice::WriteOnly);
}

struct Processo {
    double ms = 0;
    long piccoKb = 0;
    int uscita = -1;
};

// A whole process: its time and its peak resident memory.
Processo Esegui(const QString& programma, const QStringList& argomenti)
{
    std::vector<QByteArray> testi{QFile::encodeName(programma)};
    for (const QString& a : argomenti)
        testi.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& t : testi)
        argv.push_back(t.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_addopen(&azioni, 1, "/dev/null", O_WRONLY, 0);
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    Processo r;
    if (posix_spawn(&pid, argv[0], &azioni, nullptr, argv.data(), environ) != 0)
        return r;
    int stato = 0;
    rusage uso{};
    wait4(pid, &stato, 0, &uso);
    r.ms = Ms(t);
    r.piccoKb = uso.ru_maxrss;
    r.uscita = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    posix_spawn_file_actions_destroy(&azioni);
    return r;
}

void MostraComune(tratte::TMainForm& f, const QString& comune)
{
    f.ComuniCB->setCurrentText(comune);
    f.ComuniCBChange();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gridkit::AvvioGrafico grafica;
    if (app.arguments().size() != 6) {
        std::fprintf(stderr, "uso: bench-stampa CARTELLA ARCHIVIO_COMUNI LIBRERIA_BORGAL TRATTE_CLI CARTELLA_RAPPORTI\n");
        return 2;
    }
    const QString cartella = QDir(app.arguments()[1]).absolutePath();
    const QString archivio = QDir(app.arguments()[2]).absolutePath();
    const QString cli = app.arguments()[4];
    qputenv("TRATTE_REGISTRO", (cartella + "/registro").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", cartella.toLocal8Bit());
    PreparaArchivio(cartella, archivio);
    const QString programma = cartella + "/Tratte";
    for (const char* rapporto : {"ReportTratte.rpt", "TratteLbp.rpt"}) {
        QFile::remove(programma + "/Archivi/" + rapporto);
        QFile::copy(app.arguments()[5] + "/" + rapporto, programma + "/Archivi/" + rapporto);
    }
    componenti::RegistraServer(app.arguments()[3]);
    registro::TRegIniFile chiave("\\Software\\QUINTOR\\COMMON\\BORGAL\\");
    chiave.WriteString("Archivi", "FileNameArchivioComuni", archivio + "/KWArchivioComuni.db");
    chiave.WriteString("Archivi", "FileNameArchivioStatiEsteri", archivio + "/KWEsteri.db");
    tratte::ScriviVisualizzaFinestra(false);

    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione(finto);
    tratte::TMainForm finestra(programma);
    finestra.resize(1000, 700);
    finestra.show();
    QApplication::processEvents();
    finestra.ProvinceCB->setCurrentText("ROMA");
    finestra.ProvinceCBChange();
    tratte::TOrvo& orvo = finestra.TratteOrvo;
    if (!orvo.Aperto()) {
        std::fprintf(stderr, "motore di stampa non caricato\n");
        return 1;
    }
    orvo.ProgressDialog = false;
    const QString pdf = cartella + "/stampa.pdf";
    QPrinter stampante;
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(pdf);

    // The batch copy of the large view, with the protection of the copy.
    MostraComune(finestra, "ROMA");
    const int righeRoma = finestra.Table.RecordCount();
    std::vector<double> copia;
    for (int i = 0; i < 3; ++i) {
        tratte::TStampaTratte stampa(orvo, programma, finestra.Database.sessione());
        QElapsedTimer t;
        t.start();
        stampa.PreparaTabella(finestra.Table, tratte::TVistaStampa::Archivio);
        copia.push_back(Ms(t));
    }

    // Whole prints to PDF in the window's process: copy, printer, order, pages.
    auto stampaPdf = [&] {
        tratte::TStampaTratte stampa(orvo, programma, finestra.Database.sessione());
        stampa.PreparaTabella(finestra.Table, tratte::TVistaStampa::Archivio);
        stampa.ImpostaStampante(stampante);
        stampa.OrdinaReport(QString(), false);
        stampa.Stampa(1, true, 0, 0);
        return orvo.PagineStampate();
    };
    MostraComune(finestra, "FRASCATI");
    const int righeFrascati = finestra.Table.RecordCount();
    std::vector<double> piccola;
    int paginePiccola = 0;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        paginePiccola = stampaPdf();
        piccola.push_back(Ms(t));
    }
    MostraComune(finestra, "ROMA");
    QElapsedTimer t;
    t.start();
    const int pagineGrande = stampaPdf();
    const double grande = Ms(t);

    // The same in a fresh tratte-cli: its whole time and its peak memory.
    const QStringList argomenti{"--programma", programma, "stampa", "--pdf", cartella + "/cli.pdf", "--provincia", "ROMA", "--comune"};
    const Processo cliPiccola = Esegui(cli, argomenti + QStringList{"FRASCATI"});
    const Processo cliGrande = Esegui(cli, argomenti + QStringList{"ROMA"});

    // The engine's preview of the large view: the first page, then pages anywhere.
    orvo.CloseJob();
    tratte::TStampaTratte anteprima(orvo, programma, finestra.Database.sessione());
    anteprima.PreparaTabella(finestra.Table, tratte::TVistaStampa::Archivio);
    anteprima.ImpostaStampante(stampante);
    QWidget genitore;
    genitore.resize(1000, 800);
    genitore.show();
    orvo.Output = tratte::TOrvo::TOutput::toWindow;
    orvo.WindowParent = &genitore;
    t.restart();
    orvo.Esegui();
    QWidget* finestraReport = orvo.ReportWindowHandle();
    finestraReport->setGeometry(0, 0, 1000, 800);
    QWidget* vista = finestraReport->findChild<QWidget*>("VistaPagina");
    auto* numero = finestraReport->findChild<QSpinBox*>("NumeroPagina");
    (void)vista->grab();
    const double primaPagina = Ms(t);
    const int pagineAnteprima = numero->maximum();
    std::vector<double> salti;
    QRandomGenerator caso(7);
    for (int i = 0; i < 20; ++i) {
        const int pagina = 1 + int(caso.bounded(pagineAnteprima));
        t.restart();
        numero->setValue(pagina);
        (void)vista->grab();
        salti.push_back(Ms(t));
    }
    const double saltoMassimo = *std::max_element(salti.begin(), salti.end());
    orvo.CloseWindow();
    orvo.CloseJob();

    // Qt's stock preview on the same pages: every page drawn before the first is shown.
    auto stock = [&](double& ms, long& crescitaKb) {
        orvo::Rapporto rapporto = orvo::LeggiRapporto(programma + "/Archivi/ReportTratte.rpt");
        orvo::DatiRapporto dati(rapporto);
        orvo::Impaginazione pagine(rapporto, dati, tratte::TitoloStampa, QDate::currentDate());
        QPrinter p(QPrinter::HighResolution);
        p.setFullPage(true);
        p.setPageLayout(QPageLayout(QPageSize(rapporto.pagina), rapporto.orientamento, QMarginsF()));
        const long prima = MemoriaResidenteKb("VmRSS:");
        QElapsedTimer tempo;
        tempo.start();
        QPrintPreviewWidget widget(&p);
        QObject::connect(&widget, &QPrintPreviewWidget::paintRequested, [&](QPrinter* destinazione) {
            QPainter pittore(destinazione);
            const double scala = destinazione->resolution() / (25.4 * orvo::Impaginazione::Unita);
            for (int n = 1; n <= pagine.Pagine(); ++n) {
                if (n > 1)
                    destinazione->newPage();
                pittore.save();
                pittore.scale(scala, scala);
                pagine.DisegnaPagina(pittore, n);
                pittore.restore();
            }
        });
        widget.resize(1000, 800);
        widget.show();
        widget.updatePreview();
        (void)widget.grab();
        ms = Ms(tempo);
        crescitaKb = MemoriaResidenteKb("VmRSS:") - prima;
    };
    double stockPiccola = 0, stockGrande = 0;
    long memoriaStockPiccola = 0, memoriaStockGrande = 0;
    MostraComune(finestra, "FRASCATI");
    tratte::TStampaTratte(orvo, programma, finestra.Database.sessione()).PreparaTabella(finestra.Table, tratte::TVistaStampa::Archivio);
    stock(stockPiccola, memoriaStockPiccola);
    MostraComune(finestra, "ROMA");
    tratte::TStampaTratte(orvo, programma, finestra.Database.sessione()).PreparaTabella(finestra.Table, tratte::TVistaStampa::Archivio);
    stock(stockGrande, memoriaStockGrande);

    std::printf("Stampa su un archivio di %d righe, mediane\n", RigheNazionali);
    std::printf("%-62s %10.1f ms\n", qPrintable(QStringLiteral("copia nella tabella di stampa, ROMA (%1 righe)").arg(righeRoma)),
                Mediana(copia));
    std::printf("%-62s %10.1f ms\n",
                qPrintable(QStringLiteral("stampa in PDF, FRASCATI (%1 righe, %2 pagine)").arg(righeFrascati).arg(paginePiccola)),
                Mediana(piccola));
    std::printf("%-62s %10.1f ms\n",
                qPrintable(QStringLiteral("stampa in PDF, ROMA (%1 righe, %2 pagine)").arg(righeRoma).arg(pagineGrande)), grande);
    std::printf("%-62s %10.1f ms %8.1f MB di picco\n", "tratte-cli stampa, FRASCATI, processo intero", cliPiccola.ms,
                cliPiccola.piccoKb / 1024.0);
    std::printf("%-62s %10.1f ms %8.1f MB di picco\n", "tratte-cli stampa, ROMA, processo intero", cliGrande.ms,
                cliGrande.piccoKb / 1024.0);
    std::printf("%-62s %10.1f ms\n", qPrintable(QStringLiteral("anteprima di ROMA (%1 pagine): prima pagina").arg(pagineAnteprima)),
                primaPagina);
    std::printf("%-62s %10.1f ms (massimo %.1f ms)\n", "anteprima di ROMA: una pagina qualsiasi", Mediana(salti), saltoMassimo);
    std::printf("%-62s %10.1f ms %8.1f MB in piu'\n", "anteprima di Qt, FRASCATI: prima pagina", stockPiccola,
                memoriaStockPiccola / 1024.0);
    std::printf("%-62s %10.1f ms %8.1f MB in piu'\n", "anteprima di Qt, ROMA: prima pagina", stockGrande, memoriaStockGrande / 1024.0);
    if (cliPiccola.uscita != 0 || cliGrande.uscita != 0) {
        std::fprintf(stderr, "tratte-cli stampa non riuscito (%d, %d)\n", cliPiccola.uscita, cliGrande.uscita);
        return 1;
    }
    return 0;
}
