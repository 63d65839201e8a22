// The report engine through its binding and component: report files read
// or refused, PDFs rendered and read back, the groups, pages and copies,
// the preview drawing only the page shown, and the binding's failures
// (missing library, missing function, older engine, Cancel).
#include "app/stampa/torvo.h"
#include "app/stampa/zrdynamic.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "supporto/cartella_temporanea.h"
#include "supporto_stampa.h"
#include "tabelle/dataset.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSpinBox>
#include <QWidget>
#include <cstring>

using namespace tratte;

namespace {

class OrvoTest : public ::testing::Test {
protected:
    CartellaTemporanea cartella;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    tabelle::TSession sessione;
    QString rapporto = cartella.file("Prova.rpt");
    QString pdf = cartella.file("uscita.pdf");

    void Prepara(int righe, const QString& testo = prova::RapportoProva())
    {
        prova::CreaTabellaProva(sessione, cartella.percorso(), righe);
        prova::Scrivi(rapporto, testo);
    }

    // A component on the engine of `cartellaMotore`, printing to the PDF.
    std::unique_ptr<TOrvo> Motore(const QString& cartellaMotore = QStringLiteral(ORVO_CARTELLA))
    {
        auto o = std::make_unique<TOrvo>();
        o->OrvoPath = cartellaMotore;
        o->Apri();
        o->SetReportName(rapporto);
        o->Printer.Device = "PDF";
        std::strcpy(o->Printer.Mode.outputFileName, pdf.toUtf8().constData());
        o->Output = TOrvo::TOutput::toPrinter;
        o->ProgressDialog = false;
        return o;
    }

    QStringList Testi() const
    {
        QStringList t;
        for (const auto& m : finto.mostrati)
            t << m.titolo + ": " + m.testo;
        return t;
    }
};

TEST_F(OrvoTest, StampaInPdfPagineTestiEVuoti)
{
    Prepara(120);
    auto orvo = Motore();
    ASSERT_TRUE(orvo->Aperto()) << Testi().join('\n').toStdString();
    EXPECT_EQ(orvo->VersioneFileMaggiore(), 7);
    EXPECT_EQ(orvo->VersioneMotore(), 7 << 8);
    orvo->WindowTitle = "Titolo dato dal programma";
    orvo->Esegui();
    // A4 with 10 mm margins and 5 mm rows: 50 rows a page.
    EXPECT_EQ(prova::PaginePdf(pdf), 3);
    const QString primo = prova::TestoPdf(pdf, 1, 1);
    EXPECT_TRUE(primo.contains("Prove di stampa"));
    EXPECT_TRUE(primo.contains("Titolo dato dal programma"));
    EXPECT_TRUE(primo.contains("Data di stampa: " + QDate::currentDate().toString("dd/MM/yyyy")));
    EXPECT_TRUE(primo.contains("Nome della riga"));
    EXPECT_TRUE(primo.contains("Pagina 1 di 3"));
    EXPECT_TRUE(QRegularExpression("RIGA 1\\s+1\\s+1\\.500").match(primo).hasMatch()) << primo.toStdString();
    // The seventh row's value is empty: nothing is printed for it.
    EXPECT_TRUE(QRegularExpression("RIGA 7\\s+7\\s*\\n").match(primo).hasMatch());
    EXPECT_TRUE(primo.contains("RIGA 50"));
    EXPECT_FALSE(primo.contains("RIGA 51"));
    const QString ultimo = prova::TestoPdf(pdf, 3, 3);
    EXPECT_TRUE(ultimo.contains("RIGA 120"));
    EXPECT_TRUE(ultimo.contains("Pagina 3 di 3"));
    EXPECT_TRUE(finto.mostrati.isEmpty()) << Testi().join('\n').toStdString();
}

TEST_F(OrvoTest, TabellaVuotaDaUnaPaginaConLeIntestazioni)
{
    Prepara(0);
    auto orvo = Motore();
    orvo->Esegui();
    EXPECT_EQ(prova::PaginePdf(pdf), 1);
    const QString testo = prova::TestoPdf(pdf);
    EXPECT_TRUE(testo.contains("Nome della riga"));
    EXPECT_TRUE(testo.contains("Pagina 1 di 1"));
    EXPECT_FALSE(testo.contains("RIGA"));
}

TEST_F(OrvoTest, GruppiPagineECopie)
{
    Prepara(120);
    auto orvo = Motore();
    orvo->RecuperaOpzioniGruppi();
    ASSERT_EQ(orvo->GroupOptions.size(), 1);
    EXPECT_EQ(orvo->GroupOptions[0].Field, "{StampaProva.Numero}");
    EXPECT_FALSE(orvo->GroupOptions[0].Descending);
    EXPECT_EQ(orvo->GruppoCorrente, 0);
    // The first group, descending: the last rows come first.
    orvo->GroupOptions[0] = {"{StampaProva.Valore}", true};
    orvo->StartPage = orvo->StopPage = 3;
    orvo->Esegui();
    EXPECT_EQ(prova::PaginePdf(pdf), 1);
    const QString terza = prova::TestoPdf(pdf);
    EXPECT_TRUE(terza.contains("Pagina 3 di 3"));
    // Descending by value: the empty values (every seventh row) come last.
    EXPECT_TRUE(terza.contains("RIGA 119"));
    EXPECT_TRUE(terza.contains("RIGA 7 "));
    EXPECT_FALSE(terza.contains("RIGA 120"));

    // Two copies of pages 1 to 2 in the PDF.
    orvo->StartPage = 1;
    orvo->StopPage = 2;
    orvo->Copies = 2;
    orvo->Esegui();
    EXPECT_EQ(prova::PaginePdf(pdf), 4);
    EXPECT_TRUE(prova::TestoPdf(pdf, 3, 3).contains("Pagina 1 di 3"));
    EXPECT_TRUE(prova::TestoPdf(pdf, 1, 1).contains("RIGA 120"));

    // A range the engine refuses is an engine error, with its code.
    orvo->Copies = 1;
    orvo->StartPage = 4;
    orvo->StopPage = 3;
    try {
        orvo->Esegui();
        FAIL() << "intervallo accettato";
    } catch (const EOrvoErrore& e) {
        EXPECT_EQ(e.numero(), PE_ERR_BADPAGERANGE);
    }
}

TEST_F(OrvoTest, RapportiRifiutati)
{
    Prepara(3, prova::RapportoProva().replace("allineamento = destra", "allineamento = obliquo"));
    auto orvo = Motore();
    try {
        orvo->Esegui();
        FAIL() << "rapporto accettato";
    } catch (const EOrvoErrore& e) {
        EXPECT_EQ(e.numero(), PE_ERR_BADFILEFORMAT);
        EXPECT_TRUE(e.messaggio().contains("riga 23")) << e.messaggio().toStdString();
        EXPECT_TRUE(e.messaggio().contains("obliquo"));
    }
    // A field the table lacks; a table the password does not open.
    prova::Scrivi(rapporto, prova::RapportoProva().replace("campo = Valore", "campo = Assente"));
    orvo->CloseJob();
    EXPECT_THROW(orvo->Esegui(), EOrvoErrore);
    prova::Scrivi(rapporto, prova::RapportoProva().replace("password = tulp41", "password = altra"));
    orvo->CloseJob();
    try {
        orvo->Esegui();
        FAIL();
    } catch (const EOrvoErrore& e) {
        EXPECT_EQ(e.numero(), PE_ERR_DATABASE);
    }
    // A missing report file.
    orvo->SetReportName(cartella.file("Manca.rpt"));
    try {
        orvo->Esegui();
        FAIL();
    } catch (const EOrvoErrore& e) {
        EXPECT_EQ(e.numero(), PE_ERR_BADFILENAME);
        EXPECT_TRUE(e.messaggio().contains("Manca.rpt"));
    }
}

TEST_F(OrvoTest, AnteprimaDisegnaSoloLaPaginaMostrata)
{
    Prepara(2000);
    auto orvo = Motore();
    QWidget genitore;
    genitore.resize(800, 600);
    genitore.show();
    orvo->Output = TOrvo::TOutput::toWindow;
    orvo->WindowParent = &genitore;
    orvo->WindowTitle = "Anteprima di prova";
    orvo->WindowSystemMenu = orvo->WindowBorder = false;
    orvo->Esegui();
    QWidget* finestra = orvo->ReportWindowHandle();
    ASSERT_NE(finestra, nullptr);
    EXPECT_EQ(finestra->parentWidget(), &genitore);
    finestra->setGeometry(0, 0, 800, 600);
    QApplication::processEvents();
    auto* vista = finestra->findChild<QWidget*>("VistaPagina");
    ASSERT_NE(vista, nullptr);
    vista->repaint();
    auto* numero = finestra->findChild<QSpinBox*>("NumeroPagina");
    ASSERT_NE(numero, nullptr);
    EXPECT_EQ(numero->maximum(), 40);
    numero->setValue(37);
    vista->repaint();
    EXPECT_EQ(numero->value(), 37);
    // The pages shown, not the 40 of the report, were drawn.
    const int disegnate = vista->property("pagineDisegnate").toInt();
    EXPECT_GE(disegnate, 2);
    EXPECT_LE(disegnate, 6);
    // Closing the window and the job: no window is left.
    orvo->CloseWindow();
    EXPECT_EQ(orvo->ReportWindowHandle(), nullptr);
    EXPECT_TRUE(genitore.findChildren<QWidget*>("AnteprimaOrvo").isEmpty());
    orvo->CloseJob();
    EXPECT_EQ(orvo->Job(), 0);
    // Executing again opens the job again.
    orvo->Esegui();
    EXPECT_GT(orvo->Job(), 0);
    EXPECT_NE(orvo->ReportWindowHandle(), nullptr);
}

TEST_F(OrvoTest, LibreriaMancanteEPoiNonCaricata)
{
    Prepara(3);
    // Cancel at the load error abandons the operation, silently.
    finto.Rispondi(messaggi::mrCancel);
    EXPECT_THROW(Motore(cartella.percorso()), tabelle::EAbort);
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati[0].titolo, "Print Engine Error");
    EXPECT_EQ(finto.mostrati[0].icona, messaggi::Icona::Errore);
    EXPECT_EQ(finto.mostrati[0].pulsanti, messaggi::Pulsanti::OkAnnulla);
    EXPECT_TRUE(finto.mostrati[0].testo.startsWith("Error loading library: liborvo32.so\nWindows Error Number: "));
    EXPECT_TRUE(finto.mostrati[0].testo.contains(cartella.percorso() + "/liborvo32.so"));
    EXPECT_TRUE(finto.mostrati[0].testo.endsWith("\nContinue anyway?"));

    // OK: the program runs on, and every later call says the library is not loaded.
    finto.mostrati.clear();
    auto orvo = Motore(cartella.percorso() + "  ");
    EXPECT_FALSE(orvo->Aperto());
    EXPECT_EQ(zr::Binding().ultimoErrore.left(22), "Error loading library:");
    EXPECT_EQ(zr::PEGetNGroups(1), -1);
    EXPECT_EQ(zr::Binding().ultimoErrore, "ORVO32.DLL is not loaded");
    EXPECT_EQ(zr::PEOpenPrintJob("x"), 0);
    EXPECT_EQ(finto.mostrati.last().testo, "ORVO32.DLL is not loaded\nContinue anyway?");
    EXPECT_FALSE(zr::PEUnloadOrvoDll());
    // Non-interactive: the text is kept, no box.
    finto.mostrati.clear();
    zr::Binding().interattivo = false;
    EXPECT_EQ(zr::PEGetVersion(PE_GV_DLL), 0);
    EXPECT_EQ(zr::Binding().ultimoErrore, "ORVO32.DLL is not loaded");
    EXPECT_TRUE(finto.mostrati.isEmpty());
    zr::Binding().interattivo = true;
    // The component's calls too; it reports the binding's failure as 101.
    try {
        orvo->RecuperaOpzioniGruppi();
        FAIL();
    } catch (const EOrvoErrore& e) {
        EXPECT_EQ(e.messaggio(), "101:ORVO32.DLL is not loaded");
    }
    EXPECT_EQ(finto.mostrati.last().testo, "ORVO32.DLL is not loaded\nContinue anyway?");
}

TEST_F(OrvoTest, FunzioneMancante)
{
    Prepara(3);
    ASSERT_TRUE(zr::PELoadOrvoDll(QStringLiteral(ORVO_RIDOTTO)));
    ASSERT_TRUE(zr::PEOpenEngine());
    EXPECT_EQ(zr::PEGetVersion(PE_GV_ENGINE), 0);
    EXPECT_EQ(finto.mostrati.last().testo, "Error loading function: OrvoGetVersion\nContinue anyway?");
    EXPECT_EQ(zr::PEOpenPrintJob("x"), 0);
    EXPECT_EQ(zr::Binding().ultimoErrore, "Error loading function: PEOpenPrintJob");
    EXPECT_EQ(zr::Chiama<short>("PEGetNSortFields", short(-1), short(1)), -1);
    EXPECT_EQ(zr::Binding().ultimoErrore, "Error loading function: PEGetNSortFields");
    // A function that is there is called.
    EXPECT_TRUE(zr::PEOpenEngine());
    EXPECT_TRUE(zr::Binding().ultimoErrore.isEmpty());
    // Cancel abandons.
    finto.Rispondi(messaggi::mrCancel);
    EXPECT_THROW(zr::PEGetNGroups(1), tabelle::EAbort);
    zr::PECloseEngine();
    EXPECT_EQ(zr::Binding().handle, nullptr);
}

TEST_F(OrvoTest, MotoreVersioneSei)
{
    Prepara(60);
    auto orvo = Motore(QStringLiteral(ORVO_V6));
    ASSERT_TRUE(orvo->Aperto());
    EXPECT_EQ(orvo->VersioneFileMaggiore(), 6);
    EXPECT_EQ(zr::Binding().versioneMaggiore, 6);
    // The group options need 6: they work.
    orvo->RecuperaOpzioniGruppi();
    ASSERT_EQ(orvo->GroupOptions.size(), 1);
    orvo->Esegui();
    EXPECT_EQ(prova::PaginePdf(pdf), 2);
    // The report options need 7: refused by name, without asking the engine.
    finto.mostrati.clear();
    char opzioni[64] = {};
    EXPECT_FALSE(zr::PEGetReportOptions(orvo->Job(), opzioni));
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_TRUE(finto.mostrati[0].testo.contains("PEGetReportOptions requires VRPE 7 or higher"));
    // Any function of the engine's list, by name: the same gate.
    EXPECT_EQ(zr::Chiama<int>("PEVerifyDatabase", 0, orvo->Job()), 0);
    EXPECT_EQ(zr::Binding().ultimoErrore, "Error loading function: PEVerifyDatabase requires VRPE 7 or higher");
    EXPECT_EQ(zr::VersioneRichiesta("PEGetGroupOptions"), 6);
    EXPECT_EQ(zr::VersioneRichiesta("PEVerifyDatabase"), 7);
    EXPECT_EQ(zr::VersioneRichiesta("PEOpenEngine"), 0);
    orvo.reset();
    EXPECT_EQ(zr::Binding().handle, nullptr);
    zr::Binding().versioneMaggiore = 7;
}

TEST_F(OrvoTest, VersioneDelFile)
{
    EXPECT_EQ(VersioneFile(cartella.file("nessuno.so")), "7,0,0,0");
    prova::Scrivi(cartella.file("v.so"), QString("xx") + QChar(0) + "FileVersion=6.2.0.1" + QChar(0) + "yy");
    EXPECT_EQ(VersioneFile(cartella.file("v.so")), "6.2.0.1");
    EXPECT_EQ(VersioneFile(QStringLiteral(ORVO_CARTELLA "/liborvo32.so")), "7,0,0,0");
}

} // namespace
