// Printing from the main window, offscreen, on a temporary installation
// with Rome loaded: the print dialog scripted through the message service,
// the PDF printer of the set-up, the PDFs read back; the preview window;
// and tratte-cli stampa on the same installation.
#include "app/configurazione.h"
#include "app/libretto/tzrtrattelbp.h"
#include "app/mainform.h"
#include "app/ricerca/ricercapf.h"
#include "app/stampa/stampatratte.h"
#include "app/stampa/tanteprimaform.h"
#include "app/stampa/zrdynamic.h"
#include "gridkit/griglia/newdbgrid.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "messaggi/servizio_qt.h"
#include "registro/treginifile.h"
#include "supporto/cartella_temporanea.h"
#include "supporto_app.h"
#include "supporto_ricerca.h"
#include "supporto_stampa.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>

using namespace tratte;

namespace {

const PuntoFiduciale A{"H501", "", 10, "", 1};
const PuntoFiduciale B{"H501", "", 10, "", 2};
const PuntoFiduciale C{"H501", "", 11, "", 3};
// Of a comune whose code comes first: its row is the archive's fourth, in
// the view of a search for A but not in Rome's (its first point is elsewhere).
const PuntoFiduciale D{"A001", "", 1, "", 4};

// What the print dialog was preset with.
struct Preimpostato {
    bool stampante = false, tutte = false;
};

class StampaFinestreTest : public ::testing::Test {
protected:
    CartellaTemporanea cartella;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    QString programma = cartella.sottocartella("Tratte");
    QString pdf = cartella.file("stampa.pdf");
    std::unique_ptr<TMainForm> f;
    std::function<int()> contaPrima = TMainForm::ContaStampanti;
    QList<Preimpostato> preimpostati;

    StampaFinestreTest()
    {
        prova::CopiaTabelleLavoro(programma);
        for (const char* rapporto : {"ReportTratte.rpt", "TratteLbp.rpt"})
            EXPECT_TRUE(QFile::copy(QStringLiteral(TABELLE_LAVORO "/") + rapporto, programma + "/Archivi/" + rapporto));
        prova::RegistraDirectory();
        EXPECT_EQ(componenti::RegistraServer(QStringLiteral(LIBRERIA_ZRWINSTAMPA)), componenti::S_OK);
        registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    }

    ~StampaFinestreTest() override
    {
        f.reset();
        TMainForm::ContaStampanti = contaPrima;
    }

    // Rome with the distances given (by default A-B 100, C-A 101, B-C 102,
    // D-A 103 and 200 more rows of other points), its view shown.
    void Avvia(QList<prova::TrattaProva> tratte = {})
    {
        if (tratte.isEmpty()) {
            tratte = {{A, B, 100}, {C, A, 101}, {B, C, 102}, {D, A, 103}};
            for (int i = 0; i < 200; ++i)
                tratte.append({{"H501", "", 20 + i % 5, "", i}, {"H501", "", 20 + i % 5, "", i + 1}, 200.0 + i});
        }
        {
            tabelle::TSession s;
            prova::CaricaProvince(s, programma, {{"RM", "ROMA"}});
            prova::ScriviTratte(programma, tratte);
        }
        f = std::make_unique<TMainForm>(programma);
        f->show();
        QApplication::processEvents();
        f->ProvinceCB->setCurrentText("ROMA");
        f->ProvinceCBChange();
        f->ComuniCB->setEditText("ROMA");
        f->ComuniCBChange();
        // The set-up's printer: the built-in PDF printer, into the test's file.
        f->PrinterSetupDialog1->printer()->setOutputFormat(QPrinter::PdfFormat);
        f->PrinterSetupDialog1->printer()->setOutputFileName(pdf);
    }

    // Answers the next print dialog.
    void Dialogo(bool stampante, bool tutte, int da = 0, int a = 0, int copie = 1, int esito = 1)
    {
        finto.ScriviModale([=, this](QDialog& d) {
            EXPECT_EQ(d.objectName(), "DialogoStampa");
            preimpostati.append({d.findChild<QRadioButton*>("StampanteRB")->isChecked(), d.findChild<QRadioButton*>("TutteRB")->isChecked()});
            d.findChild<QRadioButton*>(stampante ? "StampanteRB" : "AnteprimaRB")->setChecked(true);
            d.findChild<QRadioButton*>(tutte ? "TutteRB" : "IntervalloRB")->setChecked(true);
            d.findChild<QSpinBox*>("DaSE")->setValue(da);
            d.findChild<QSpinBox*>("ASE")->setValue(a);
            d.findChild<QSpinBox*>("CopieSE")->setValue(copie);
            return esito;
        });
    }

    QStringList Testi()
    {
        QStringList t;
        for (const auto& m : finto.mostrati)
            t << m.titolo + ": " + m.testo;
        finto.mostrati.clear();
        return t;
    }

    int Colonna(const QString& campo) const { return f->Table.FieldByName(campo)->Index(); }
};

TEST_F(StampaFinestreTest, LaRicercaStampaSoloLeSueRigheNellOrdineDellaGriglia)
{
    Avvia();
    ASSERT_TRUE(f->StampaBt->isEnabled());
    ASSERT_TRUE(f->F2->isEnabled());
    // A search of one point: the distances with A at either end.
    TRicercaPF::ImpostaRicercaUnPunto(f->Table, TRicercaPF::CondizioniUnPunto(A));
    f->Table.Riapri();
    ASSERT_EQ(f->Table.RecordCount(), 3);
    Dialogo(true, true);
    f->StampaBt->click();
    EXPECT_TRUE(Testi().isEmpty());
    // The print table: an exact copy of the rows shown, protected.
    {
        tabelle::TSession s;
        s.AddPassword(PasswordTabelle);
        tabelle::TTable copia(nullptr, &s);
        copia.DatabaseName = programma + "/Archivi";
        copia.TableName = "StampaTratte.db";
        copia.Open();
        EXPECT_EQ(copia.RecordCount(), 3);
        EXPECT_EQ(copia.FieldNames(), f->Table.FieldNames());
        QFile file(programma + "/Archivi/StampaTratte.db");
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_FALSE(file.read(16).startsWith("SQLite format 3"));
    }
    EXPECT_EQ(prova::PaginePdf(pdf), 1);
    const QString testo = prova::TestoPdf(pdf);
    EXPECT_TRUE(testo.contains("Stampa archivio delle tratte tra PF"));
    EXPECT_TRUE(testo.contains("Tratte Punti Fiduciali"));
    EXPECT_TRUE(testo.contains("Sez. PF1"));
    EXPECT_TRUE(testo.contains("Pagina 1 di 1"));
    EXPECT_TRUE(QRegularExpression("H501\\s+10\\s+1\\s+H501\\s+10\\s+2\\s+P1\\s+100\\.000").match(testo).hasMatch()) << testo.toStdString();
    EXPECT_TRUE(testo.contains("101.000"));
    EXPECT_FALSE(testo.contains("102.000"));
    // Unsorted, in the grid's order: P1, P2, then P4 of the comune that sorts first.
    const auto posizione = [&](const char* protocollo) { return testo.indexOf(QRegularExpression(QStringLiteral("\\b%1\\b").arg(protocollo))); };
    EXPECT_LT(posizione("P1"), posizione("P2"));
    EXPECT_LT(posizione("P2"), posizione("P4"));
    EXPECT_FALSE(testo.contains("P5 "));
    // The first page of the archive report, kept to be looked at.
    QDir().mkpath(QStringLiteral(CARTELLA_BUILD));
    prova::Strumento("pdftoppm", {"-png", "-r", "100", "-f", "1", "-l", "1", "-singlefile", pdf,
                                  QStringLiteral(CARTELLA_BUILD "/ReportTratte-pagina1")});
    EXPECT_TRUE(QFileInfo::exists(QStringLiteral(CARTELLA_BUILD "/ReportTratte-pagina1.png")));
}

TEST_F(StampaFinestreTest, LaGrigliaDiscendentePerDistanzaDaIlPrimoGruppo)
{
    Avvia();
    gridkit::TNewDBGrid& griglia = *f->NewDBGrid1;
    gridkit::TColumn& distanza = griglia.Columns()[griglia.Columns().IndiceDi("Distanza")];
    griglia.OrdinaColonna(distanza);
    griglia.OrdinaColonna(distanza);
    ASSERT_EQ(griglia.Ordinamento, gridkit::TOrdine::Down);
    ASSERT_EQ(griglia.CampoOrdine, "Distanza");
    Dialogo(true, true);
    f->StampaBtClick();
    EXPECT_TRUE(Testi().isEmpty());
    ASSERT_FALSE(f->TratteOrvo.GroupOptions.isEmpty());
    EXPECT_EQ(f->TratteOrvo.GroupOptions[0].Field, "{StampaTratte.Distanza}");
    EXPECT_TRUE(f->TratteOrvo.GroupOptions[0].Descending);
    const QString testo = prova::TestoPdf(pdf);
    QList<double> distanze;
    for (const QRegularExpressionMatch& m : QRegularExpression("P\\d+\\s+(\\d+\\.\\d{3})").globalMatch(testo))
        distanze << m.captured(1).toDouble();
    ASSERT_EQ(distanze.size(), 203);
    EXPECT_EQ(distanze.first(), 399.0);
    EXPECT_EQ(distanze.last(), 100.0);
    EXPECT_TRUE(std::is_sorted(distanze.rbegin(), distanze.rend()));
}

TEST_F(StampaFinestreTest, IntervalliDiPagineCopieEScelteTenute)
{
    Avvia();
    // 203 rows of the comune, 55 a page: 4 pages. Pages 3 to 3: page 3 alone.
    Dialogo(true, false, 3, 3);
    f->StampaBtClick();
    EXPECT_TRUE(Testi().isEmpty());
    EXPECT_EQ(prova::PaginePdf(pdf), 1);
    EXPECT_TRUE(prova::TestoPdf(pdf).contains("Pagina 3 di 4"));
    // 4 to 3: the message, nothing printed.
    QFile::remove(pdf);
    Dialogo(true, false, 4, 3);
    f->StampaBtClick();
    EXPECT_EQ(Testi(), QStringList{"Errore: Intervallo di pagine errato"});
    EXPECT_FALSE(QFileInfo::exists(pdf));
    // Two copies of all pages; the range choice was offered again.
    Dialogo(true, true, 0, 0, 2);
    f->StampaBtClick();
    EXPECT_EQ(prova::PaginePdf(pdf), 8);
    ASSERT_EQ(preimpostati.size(), 3);
    EXPECT_TRUE(preimpostati[0].stampante && preimpostati[0].tutte);
    EXPECT_TRUE(preimpostati[1].stampante);
    EXPECT_FALSE(preimpostati[1].tutte);
    EXPECT_TRUE(preimpostati[2].stampante && !preimpostati[2].tutte);
    EXPECT_TRUE(f->SuStampante && f->TutteLePagine);
    // Cancelled: nothing printed, the choices as they were.
    QFile::remove(pdf);
    Dialogo(false, false, 1, 1, 1, messaggi::mrCancel);
    f->StampaBtClick();
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_TRUE(f->SuStampante && f->TutteLePagine);
    EXPECT_TRUE(Testi().isEmpty());
}

TEST_F(StampaFinestreTest, AnteprimaChiusaChiudeIlLavoroERiaperta)
{
    Avvia();
    TAnteprimaForm anteprima(*f);
    ASSERT_EQ(f->AnteprimaForm, &anteprima);
    for (int volta = 0; volta < 2; ++volta) {
        Dialogo(false, true);
        QString didascalia;
        QWidget* finestra = nullptr;
        int pagine = 0;
        finto.ScriviModale([&](QDialog& d) {
            EXPECT_EQ(&d, &anteprima);
            d.show();
            QApplication::processEvents();
            didascalia = d.windowTitle();
            finestra = f->TratteOrvo.ReportWindowHandle();
            if (finestra) {
                EXPECT_EQ(finestra->parentWidget(), &d);
                EXPECT_EQ(finestra->geometry(), QRect(0, 0, d.width(), d.height() - anteprima.BottomPanel->height()));
                pagine = finestra->findChild<QSpinBox*>("NumeroPagina")->maximum();
            }
            EXPECT_TRUE(d.isMaximized());
            anteprima.ChiudiBt->click();
            return d.result();
        });
        f->StampaBtClick();
        EXPECT_TRUE(Testi().isEmpty());
        EXPECT_EQ(didascalia, "Anteprima di stampa: Stampa archivio delle tratte tra PF");
        EXPECT_NE(finestra, nullptr);
        EXPECT_EQ(pagine, 4);
        // Closed: no report window, no job; the next preview opens it again.
        EXPECT_EQ(f->TratteOrvo.ReportWindowHandle(), nullptr);
        EXPECT_EQ(f->TratteOrvo.Job(), 0);
        EXPECT_EQ(anteprima.windowTitle(), "Anteprima di stampa");
    }
    EXPECT_FALSE(f->SuStampante);
}

// The same with the real service: the dialogs run their own event loops,
// the preview is maximised by its posted message and its report window
// follows its size.
TEST_F(StampaFinestreTest, AnteprimaConIlServizioReale)
{
    Avvia();
    TAnteprimaForm anteprima(*f);
    messaggi::ServizioMessaggiQt reale;
    messaggi::SostituzioneServizio sostituzioneReale(reale);
    bool massimizzata = false, figlia = false, dimensionata = false;
    QString inatteso;
    QTimer timer;
    int attese = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++attese;
        QWidget* modale = QApplication::activeModalWidget();
        if (!modale)
            return;
        if (auto* box = qobject_cast<QMessageBox*>(modale)) {
            // A box nobody expects would wait for ever: noted and closed.
            inatteso = box->text();
            box->reject();
        } else if (modale->objectName() == "DialogoStampa") {
            modale->findChild<QRadioButton*>("AnteprimaRB")->setChecked(true);
            modale->findChild<QPushButton*>("OKBt")->click();
        } else if (modale == &anteprima && (anteprima.isMaximized() || attese > 50)) {
            massimizzata = anteprima.isMaximized();
            QWidget* finestra = f->TratteOrvo.ReportWindowHandle();
            figlia = finestra && finestra->parentWidget() == &anteprima;
            dimensionata = finestra && finestra->geometry() == QRect(0, 0, anteprima.width(), anteprima.height() - anteprima.BottomPanel->height());
            anteprima.ChiudiBt->click();
        }
    });
    timer.start(20);
    f->StampaBtClick();
    timer.stop();
    EXPECT_TRUE(inatteso.isEmpty()) << inatteso.toStdString();
    EXPECT_TRUE(massimizzata);
    EXPECT_TRUE(figlia);
    EXPECT_TRUE(dimensionata);
    EXPECT_EQ(f->TratteOrvo.Job(), 0);
    EXPECT_EQ(f->TratteOrvo.ReportWindowHandle(), nullptr);
    EXPECT_FALSE(anteprima.isVisible());
    EXPECT_FALSE(f->SuStampante);
}

TEST_F(StampaFinestreTest, RisultatiDelLibrettoConLaLoroTabellaEIlLoroRapporto)
{
    Avvia();
    // The survey-book results, shown over a filtered archive.
    tabelle::TTable risultati;
    risultati.DatabaseName = programma + "/Archivi";
    risultati.TableName = "TratteLibretto.db";
    risultati.Open();
    risultati.Append();
    risultati.FieldByName("CoppiaPF")->SetAsString("H501/10/1 - H501/10/2");
    risultati.FieldByName("Urbane")->SetAsString("IN TOLLERANZA");
    risultati.FieldByName("TrattaAttuale")->SetAsFloat(100.02);
    risultati.FieldByName("TrattaInArchivio")->SetAsFloat(100);
    risultati.Post();
    TRicercaPF::ImpostaRicercaUnPunto(f->Table, TRicercaPF::CondizioniUnPunto(A));
    f->Table.Riapri();
    f->CrmPanel->show();
    f->AggiornaComandi();
    EXPECT_FALSE(f->StampaBt->isEnabled());
    // The results control's table opened on them.
    f->crm->TabellaRisultati().DatabaseName = programma + "/Archivi";
    f->crm->TabellaRisultati().Riapri();
    f->AggiornaComandi();
    EXPECT_TRUE(f->StampaBt->isEnabled());
    Dialogo(true, true);
    f->StampaBtClick();
    EXPECT_TRUE(Testi().isEmpty());
    EXPECT_TRUE(f->TratteOrvo.ReportName().endsWith("/Archivi/TratteLbp.rpt"));
    EXPECT_TRUE(QFileInfo::exists(programma + "/Archivi/StampaTratteLbp.db"));
    const QString testo = prova::TestoPdf(pdf);
    EXPECT_TRUE(testo.contains("Coppia PF"));
    EXPECT_TRUE(testo.contains("Tratta In Archivio"));
    EXPECT_TRUE(QRegularExpression("H501/10/1 - H501/10/2\\s+IN TOLLERANZA\\s+100\\.020\\s+100\\.000").match(testo).hasMatch())
        << testo.toStdString();
    EXPECT_FALSE(testo.contains("P1"));
    f->CrmPanel->hide();
}

TEST_F(StampaFinestreTest, SenzaStampantiEImpostazione)
{
    TMainForm::ContaStampanti = [] { return 0; };
    Avvia();
    EXPECT_FALSE(f->StampaBt->isEnabled());
    EXPECT_FALSE(f->F2->isEnabled());
    EXPECT_TRUE(f->F1->isEnabled());
    f->StampaBtClick();
    f->F1->trigger();
    EXPECT_EQ(Testi(), (QStringList{QApplication::applicationDisplayName() + ": Nel computer non risulta installata alcuna stampante.",
                                    QApplication::applicationDisplayName() + ": Nel computer non risulta installata alcuna stampante."}));
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());
    // With a printer, the set-up dialog; the print dialog's button opens it too.
    f->NumeroStampanti = 1;
    f->F1Click();
    EXPECT_EQ(finto.finestreMostrate, QStringList{"PrinterSetupDialog1"});
    finto.ScriviModale([](QDialog& d) {
        auto* imposta = d.findChild<QPushButton*>("ImpostaBt");
        EXPECT_TRUE(imposta && imposta->isEnabled());
        if (imposta)
            imposta->click();
        return int(messaggi::mrCancel);
    });
    f->StampaBtClick();
    EXPECT_EQ(finto.finestreMostrate, (QStringList{"PrinterSetupDialog1", "DialogoStampa", "PrinterSetupDialog1"}));
    EXPECT_TRUE(Testi().isEmpty());
}

TEST_F(StampaFinestreTest, ErroriDelMotoreInUnaFinestra)
{
    Avvia();
    QFile::remove(programma + "/Archivi/ReportTratte.rpt");
    Dialogo(true, true);
    f->StampaBtClick();
    const QStringList testi = Testi();
    ASSERT_EQ(testi.size(), 1);
    EXPECT_TRUE(testi[0].startsWith("Errore: 503:File del rapporto non trovato")) << testi[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(pdf));

    // The library gone: the binding's box; Cancel abandons the print without a further message.
    QFile::copy(QStringLiteral(TABELLE_LAVORO "/ReportTratte.rpt"), programma + "/Archivi/ReportTratte.rpt");
    f->TratteOrvo.CloseJob();
    ASSERT_TRUE(zr::PEUnloadOrvoDll());
    Dialogo(true, true);
    finto.Rispondi(messaggi::mrCancel);
    f->StampaBtClick();
    EXPECT_EQ(Testi(), QStringList{"Print Engine Error: ORVO32.DLL is not loaded\nContinue anyway?"});
    EXPECT_FALSE(QFileInfo::exists(pdf));
    // OK: the component's own report follows.
    Dialogo(true, true);
    f->StampaBtClick();
    EXPECT_EQ(Testi(), (QStringList{"Print Engine Error: ORVO32.DLL is not loaded\nContinue anyway?", "Errore: 101:ORVO32.DLL is not loaded"}));
}

// tratte-cli stampa on the same installation.
class StampaCliTest : public StampaFinestreTest {
protected:
    int Esegui(const QStringList& argomenti, QString* uscita = nullptr, QString* errori = nullptr)
    {
        QProcess p;
        p.start(QStringLiteral(TRATTE_CLI), QStringList{"--programma", programma, "stampa", "--pdf", pdf} + argomenti);
        EXPECT_TRUE(p.waitForFinished(60000));
        if (uscita)
            *uscita = QString::fromUtf8(p.readAllStandardOutput());
        if (errori)
            *errori = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    }
};

TEST_F(StampaCliTest, VistaRicercaOrdineEPagine)
{
    {
        tabelle::TSession s;
        prova::CaricaProvince(s, programma, {{"RM", "ROMA"}});
        QList<prova::TrattaProva> tratte{{A, B, 100}, {C, A, 101}, {B, C, 102}};
        for (int i = 0; i < 200; ++i)
            tratte.append({{"H501", "", 20, "", i}, {"H501", "", 20, "", i + 1}, 200.0 + i});
        prova::ScriviTratte(programma, tratte);
    }
    QString uscita, errori;
    ASSERT_EQ(Esegui({"--provincia", "ROMA", "--comune", "ROMA"}, &uscita, &errori), 0) << errori.toStdString();
    EXPECT_EQ(uscita, "4\n");
    EXPECT_EQ(prova::PaginePdf(pdf), 4);
    // The points' search, sorted descending by distance.
    ASSERT_EQ(Esegui({"--punto", "H501,,10,,1", "--punto", "H501,,11,,3", "--punto", "H501,,10,,2", "--ordina", "Distanza",
                      "--discendente"},
                     &uscita, &errori),
              0)
        << errori.toStdString();
    EXPECT_EQ(uscita, "1\n");
    const QString testo = prova::TestoPdf(pdf);
    EXPECT_LT(testo.indexOf("102.000"), testo.indexOf("101.000"));
    EXPECT_LT(testo.indexOf("101.000"), testo.indexOf("100.000"));
    EXPECT_FALSE(testo.contains("200.000"));
    // Pages 2 to 3, in two copies.
    ASSERT_EQ(Esegui({"--pagine", "2-3", "--copie", "2"}, &uscita), 0);
    EXPECT_EQ(uscita, "4\n");
    EXPECT_TRUE(prova::TestoPdf(pdf, 1, 1).contains("Pagina 2 di 4"));
    // A bad range: the message and 2, nothing written.
    QFile::remove(pdf);
    EXPECT_EQ(Esegui({"--pagine", "4-3"}, &uscita, &errori), 2);
    EXPECT_EQ(errori, "Intervallo di pagine errato\n");
    EXPECT_FALSE(QFileInfo::exists(pdf));
    EXPECT_EQ(Esegui({"--pagine", "tre"}, &uscita, &errori), 2);
    EXPECT_EQ(Esegui({"--copie", "0"}, &uscita, &errori), 2);
    EXPECT_EQ(Esegui({"--ordina", "Nessuno"}, &uscita, &errori), 2);
    EXPECT_TRUE(errori.contains("Nessuno"));
    // An empty view: one page of headers.
    ASSERT_EQ(Esegui({"--punto", "Z999,,1,,1"}, &uscita, &errori), 0) << errori.toStdString();
    EXPECT_EQ(uscita, "1\n");
    const QString vuoto = prova::TestoPdf(pdf);
    EXPECT_TRUE(vuoto.contains("ScartoQMedio"));
    EXPECT_FALSE(vuoto.contains("H501"));
}

} // namespace
