// The preferences, the Pregeo path, the start-up notice and the
// instructions after an update, on a temporary installation with the
// directory component registered. Every window is also rendered into the
// test's folder.
#include "aiuto/applicazione.h"
#include "app/caricamento/taggform.h"
#include "app/configurazione.h"
#include "app/mainform.h"
#include "app/preferenze/tavvisoform.h"
#include "app/preferenze/tistruzioniform.h"
#include "app/preferenze/tpercorsiform.h"
#include "app/preferenze/tprefform.h"
#include "gridkit/pannello/pannelloavanzato.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "registro/treginifile.h"
#include "registro/tregistry.h"
#include "supporto/cartella_temporanea.h"
#include "supporto_app.h"
#include "supporto_ricerca.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tratte;

namespace {

// The value as stored, or "<manca>" when the value is not there.
QString Valore(const QString& sezione, const QString& nome)
{
    registro::TRegistry r;
    if (!r.OpenKeyReadOnly("\\" + ChiaveProgramma + (sezione.isEmpty() ? QString() : "\\" + sezione)) || !r.ValueExists(nome))
        return QStringLiteral("<manca>");
    return r.ReadString(nome);
}

QString Iniziale(const char* nome) { return Valore(SezioneValoriIniziali, nome); }

QStringList Voci(const QComboBox* c)
{
    QStringList voci;
    for (int i = 0; i < c->count(); ++i)
        voci << c->itemText(i);
    return voci;
}

// The window rendered into the test's folder; a blank picture fails.
void Rendi(QWidget& finestra, const QString& nome)
{
    finestra.show();
    QApplication::processEvents();
    const QImage immagine = finestra.grab().toImage();
    ASSERT_FALSE(immagine.isNull());
    QSet<QRgb> colori;
    for (int y = 0; y < immagine.height(); y += 3)
        for (int x = 0; x < immagine.width(); x += 3)
            colori.insert(immagine.pixel(x, y));
    EXPECT_GT(colori.size(), 8) << nome.toStdString();
    EXPECT_TRUE(immagine.save(QDir::current().filePath(nome + ".png"))) << nome.toStdString();
}

QColor Colore(const QWidget* w, QPalette::ColorRole ruolo) { return w->palette().color(ruolo); }

class PreferenzeTest : public ::testing::Test {
protected:
    CartellaTemporanea cartella;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    QString programma = cartella.sottocartella("Tratte");
    std::unique_ptr<TMainForm> f;

    PreferenzeTest()
    {
        QDir(programma).mkpath("Archivi");
        prova::RegistraDirectory();
        registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
        tabelle::TSession s;
        prova::CaricaProvince(s, programma, {{"RM", "ROMA"}, {"MI", "MILANO"}});
    }

    void Avvia()
    {
        f = std::make_unique<TMainForm>(programma);
        f->show();
        QApplication::processEvents();
    }

    std::unique_ptr<TPrefForm> Preferenze()
    {
        if (!f)
            Avvia();
        return std::make_unique<TPrefForm>(*f);
    }

    QStringList Testi() const
    {
        QStringList t;
        for (const auto& m : finto.mostrati)
            t << m.titolo + ": " + m.testo;
        return t;
    }
};

TEST_F(PreferenzeTest, FinestraDellePreferenze)
{
    registro::TRegIniFile(ChiaveProgramma).WriteString(SezioneValoriIniziali, "IntestazioneStampe", "Studio Bianchi");
    Avvia();
    auto p = Preferenze();
    EXPECT_EQ(p->windowTitle(), "Preferenze");
    EXPECT_EQ(p->size(), QSize(404, 174));
    EXPECT_EQ(p->property("helpContext").toInt(), 13);
    EXPECT_FALSE(p->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(p->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(p->Label1->text(), "Provincia Iniziale");
    EXPECT_EQ(p->Label2->text(), "Comune Iniziale");
    EXPECT_EQ(p->ResetProvinciaBT->toolTip(), "Reset provincia");
    EXPECT_EQ(p->ResetProvinciaBT->statusTip(), "Cancella preferenze");
    EXPECT_EQ(p->IntestazioneEdit->maxLength(), 40);
    EXPECT_EQ(p->IntestazioneEdit->text(), "Studio Bianchi");
    // The main window's lists, nothing selected.
    EXPECT_EQ(Voci(p->ProvCombo), Voci(f->ProvinceCB));
    EXPECT_EQ(Voci(p->ProvCombo), (QStringList{"Tutte le province", "MILANO", "ROMA"}));
    EXPECT_EQ(p->ProvCombo->currentIndex(), -1);
    // The header is kept but not shown.
    Rendi(*p, "finestra-preferenze-vuota");
    EXPECT_FALSE(p->Label3->isVisible());
    EXPECT_FALSE(p->IntestazioneEdit->isVisible());

    // Aiuto and F1: topic 13.
    QList<int> aperti;
    aiuto::ImpostaGestoreAiuto([&](int comando, quintptr dati, bool&) {
        aperti << (comando == aiuto::HELP_CONTEXT ? int(dati) : -1);
        return true;
    });
    const auto ripristina = qScopeGuard([] { aiuto::ImpostaGestoreAiuto({}); });
    p->AiutoBt->click();
    EXPECT_EQ(aperti, QList<int>{13});
}

// No stored province: both values written empty at once, the header kept,
// even when the dialog is then cancelled.
TEST_F(PreferenzeTest, SenzaProvinciaMemorizzataScriveSubitoValoriVuoti)
{
    registro::TRegIniFile(ChiaveProgramma).WriteString(SezioneValoriIniziali, "IntestazioneStampe", "Studio Bianchi");
    registro::TRegIniFile(ChiaveProgramma).WriteString(SezioneValoriIniziali, "InitCom", "FIUMICINO");
    ASSERT_EQ(Iniziale("InitProv"), "<manca>");
    Avvia();
    f->AggiornaComandi();
    EXPECT_TRUE(f->F3->isEnabled());
    finto.ScriviModale([&](QDialog& d) {
        // Written before the window is even shown.
        EXPECT_EQ(Iniziale("InitProv"), "");
        EXPECT_EQ(Iniziale("InitCom"), "");
        dynamic_cast<TPrefForm&>(d).AnnullaBt->click();
        return d.result();
    });
    f->F3->trigger();
    EXPECT_EQ(finto.finestreMostrate, QStringList{"PrefForm"});
    EXPECT_EQ(Iniziale("InitProv"), "");
    EXPECT_EQ(Iniziale("InitCom"), "");
    EXPECT_EQ(Iniziale("IntestazioneStampe"), "Studio Bianchi");
    EXPECT_TRUE(finto.mostrati.isEmpty()) << Testi().join('\n').toStdString();
}

TEST_F(PreferenzeTest, ProvinciaEComuneMemorizzatiSonoSceltiSenzaRiguardoAlleMaiuscole)
{
    ScriviValoriIniziali({"roma", "fiumicino", "Intestazione"});
    auto p = Preferenze();
    EXPECT_EQ(p->ProvCombo->currentText(), "ROMA");
    EXPECT_EQ(TPrefForm::VoceScelta(p->ProvCombo), "ROMA");
    // The comuni of the province, from the directory's archive.
    EXPECT_EQ(p->Provincia, "RM");
    const QStringList comuni = Voci(p->ComCombo);
    EXPECT_EQ(comuni.value(0), "Tutti i Comuni");
    EXPECT_TRUE(comuni.contains("FIUMICINO"));
    EXPECT_TRUE(comuni.contains("ROMA"));
    EXPECT_FALSE(comuni.contains("MILANO"));
    EXPECT_EQ(TPrefForm::VoceScelta(p->ComCombo), "FIUMICINO");
    Rendi(*p, "finestra-preferenze");
    // OK stores the items as the lists spell them.
    p->OkBT->click();
    EXPECT_EQ(p->result(), messaggi::mrOk);
    EXPECT_EQ(Iniziale("InitProv"), "ROMA");
    EXPECT_EQ(Iniziale("InitCom"), "FIUMICINO");
    EXPECT_EQ(Iniziale("IntestazioneStampe"), "Intestazione");

    // Choosing another province: its comuni, and those that moved from it
    // to a new province after them; the comune chosen before is gone.
    auto q = Preferenze();
    q->ProvCombo->setCurrentIndex(q->ProvCombo->findText("MILANO"));
    const QStringList milano = Voci(q->ComCombo);
    EXPECT_EQ(milano.value(0), "Tutti i Comuni");
    EXPECT_TRUE(milano.contains("MILANO"));
    EXPECT_FALSE(milano.contains("FIUMICINO"));
    EXPECT_GT(milano.indexOf("AGRATE BRIANZA"), milano.indexOf("MILANO"));
    EXPECT_EQ(TPrefForm::VoceScelta(q->ComCombo), "");
    q->OkBT->click();
    EXPECT_EQ(Iniziale("InitProv"), "MILANO");
    EXPECT_EQ(Iniziale("InitCom"), "");
}

TEST_F(PreferenzeTest, TutteLeProvinceConLaPMaiuscolaNonSelezionaNulla)
{
    ScriviValoriIniziali({"Tutte le Province", "Tutti i Comuni", ""});
    {
        auto p = Preferenze();
        EXPECT_EQ(p->ProvCombo->currentIndex(), -1);
        EXPECT_EQ(p->ProvCombo->currentText(), "");
        // The main window took it for its first item, without regard to
        // case: the comune is chosen in the list copied from it.
        EXPECT_EQ(f->ProvinceCB->currentText(), "Tutte le province");
        EXPECT_EQ(Voci(p->ComCombo), Voci(f->ComuniCB));
        EXPECT_EQ(TPrefForm::VoceScelta(p->ComCombo), "Tutti i Comuni");
        p->OkBT->click();
        EXPECT_EQ(Iniziale("InitProv"), "");
        EXPECT_EQ(Iniziale("InitCom"), "Tutti i Comuni");
    }
    f.reset();
    // Another spelling matches the item, without regard to case.
    ScriviValoriIniziali({"TUTTE LE PROVINCE", "Tutti i Comuni", ""});
    auto p = Preferenze();
    EXPECT_EQ(TPrefForm::VoceScelta(p->ProvCombo), "Tutte le province");
    // The directory knows no comune of that name: only "Tutti i Comuni".
    EXPECT_EQ(Voci(p->ComCombo), QStringList{"Tutti i Comuni"});
    EXPECT_EQ(TPrefForm::VoceScelta(p->ComCombo), "Tutti i Comuni");
    p->OkBT->click();
    EXPECT_EQ(Iniziale("InitProv"), "Tutte le province");
    EXPECT_EQ(Iniziale("InitCom"), "Tutti i Comuni");
}

TEST_F(PreferenzeTest, UnComuneCheNonENellaListaEMemorizzatoVuoto)
{
    ScriviValoriIniziali({"ROMA", "MILANO", ""});
    auto p = Preferenze();
    EXPECT_EQ(TPrefForm::VoceScelta(p->ProvCombo), "ROMA");
    EXPECT_EQ(p->ComCombo->currentIndex(), -1);
    EXPECT_EQ(p->ComCombo->currentText(), "");
    p->OkBTClick();
    EXPECT_EQ(Iniziale("InitProv"), "ROMA");
    EXPECT_EQ(Iniziale("InitCom"), "");
}

TEST_F(PreferenzeTest, ResetPoiOkCancellaResetPoiAnnullaNo)
{
    ScriviValoriIniziali({"ROMA", "FIUMICINO", "Testa"});
    {
        auto p = Preferenze();
        p->ResetProvinciaBT->click();
        EXPECT_EQ(p->ProvCombo->currentText(), "");
        EXPECT_EQ(p->ComCombo->currentText(), "");
        // Nothing written until OK; the comune list stays.
        EXPECT_EQ(Iniziale("InitProv"), "ROMA");
        EXPECT_TRUE(Voci(p->ComCombo).contains("FIUMICINO"));
        p->AnnullaBt->click();
        EXPECT_EQ(p->result(), messaggi::mrCancel);
    }
    EXPECT_EQ(Iniziale("InitProv"), "ROMA");
    EXPECT_EQ(Iniziale("InitCom"), "FIUMICINO");
    {
        // Escape is "Annulla" too.
        auto p = Preferenze();
        p->ResetProvinciaBT->click();
        p->show();
        QTest::keyClick(p.get(), Qt::Key_Escape);
        EXPECT_EQ(p->result(), messaggi::mrCancel);
        EXPECT_EQ(Iniziale("InitProv"), "ROMA");
    }
    auto p = Preferenze();
    p->ResetProvinciaBT->click();
    p->OkBT->click();
    EXPECT_EQ(Iniziale("InitProv"), "");
    EXPECT_EQ(Iniziale("InitCom"), "");
    EXPECT_EQ(Iniziale("IntestazioneStampe"), "Testa");
}

// Letters typed become upper case; typed text is not a choice.
TEST_F(PreferenzeTest, TestoScrittoMaiuscoloENonMemorizzato)
{
    ScriviValoriIniziali({"ROMA", "", ""});
    auto p = Preferenze();
    p->show();
    QApplication::processEvents();
    p->ComCombo->setFocus();
    QTest::keyClicks(p->ComCombo, "fiumi");
    EXPECT_EQ(p->ComCombo->currentText(), "FIUMI");
    // Typed into the edit field as well.
    QTest::keyClicks(p->ComCombo->lineEdit(), "cino");
    EXPECT_EQ(p->ComCombo->currentText(), "FIUMICINO");
    EXPECT_EQ(TPrefForm::VoceScelta(p->ComCombo), "");

    // Typing a province's name looks it up at every change.
    p->ResetProvinciaBT->click();
    p->ProvCombo->setFocus();
    QTest::keyClicks(p->ProvCombo, "milano");
    EXPECT_EQ(p->ProvCombo->currentText(), "MILANO");
    EXPECT_TRUE(Voci(p->ComCombo).contains("AGRATE BRIANZA"));
    EXPECT_EQ(TPrefForm::VoceScelta(p->ProvCombo), "");
    // Digits and other keys are left as they are.
    QChar tasto('7');
    p->ProvComboKeyPress(tasto);
    EXPECT_EQ(tasto, QChar('7'));
    tasto = QChar(0xE0); // à
    p->ComComboKeyPress(tasto);
    EXPECT_EQ(tasto, QChar(0xE0));
    p->OkBT->click();
    EXPECT_EQ(Iniziale("InitProv"), "");
    EXPECT_EQ(Iniziale("InitCom"), "");
}

// A stored province and comune show that comune's rows at start; with
// VisualizzaFinestra "0", no notice.
TEST_F(PreferenzeTest, AvvioConProvinciaEComuneMemorizzati)
{
    prova::ScriviTratte(programma, {{{"H501", "", 10, "", 1}, {"H501", "", 10, "", 2}, 100},
                                    {{"H501", "", 10, "", 2}, {"H501", "", 11, "", 3}, 101},
                                    {{"D612", "", 1, "", 1}, {"D612", "", 1, "", 2}, 50}});
    ScriviValoriIniziali({"ROMA", "ROMA", ""});
    Avvia();
    EXPECT_EQ(f->ProvinceCB->currentText(), "ROMA");
    EXPECT_EQ(f->ComuniCB->currentText(), "ROMA");
    ASSERT_TRUE(f->Table.TDataSet::Active());
    EXPECT_EQ(f->Table.RecordCount(), 2);
    EXPECT_EQ(f->Pannello(1), "ROMA");
    EXPECT_EQ(f->Pannello(3), "2");
    EXPECT_TRUE(finto.finestreMostrate.isEmpty()) << finto.finestreMostrate.join(',').toStdString();
    EXPECT_TRUE(finto.mostrati.isEmpty()) << Testi().join('\n').toStdString();
}

TEST_F(PreferenzeTest, AvvisoDiAvvio)
{
    registro::TRegIniFile(ChiaveProgramma).DeleteKey("", "VisualizzaFinestra");
    finto.ScriviModale([&](QDialog& d) {
        auto& avviso = dynamic_cast<TAvvisoForm&>(d);
        // Every click writes; the last one counts.
        avviso.VisualizzaCB->click();
        EXPECT_EQ(Valore("", "VisualizzaFinestra"), "0");
        avviso.VisualizzaCB->click();
        EXPECT_EQ(Valore("", "VisualizzaFinestra"), "1");
        avviso.VisualizzaCB->click();
        avviso.OKBt->click();
        return d.result();
    });
    Avvia();
    EXPECT_EQ(finto.finestreMostrate, QStringList{"AvvisoForm"});
    EXPECT_EQ(Valore("", "VisualizzaFinestra"), "0");
    EXPECT_FALSE(VisualizzaAvviso());
    // The next start shows it no more.
    f.reset();
    finto.finestreMostrate.clear();
    Avvia();
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());
}

// F1 in the notice opens the main window's topic, which leads to the
// step-by-step pages.
TEST_F(PreferenzeTest, F1NellAvvisoApreLaGuidaPrincipale)
{
    Avvia();
    QList<int> aperti;
    aiuto::ImpostaGestoreAiuto([&](int, quintptr dati, bool&) {
        aperti << int(dati);
        return true;
    });
    const auto ripristina = qScopeGuard([] { aiuto::ImpostaGestoreAiuto({}); });
    TAvvisoForm avviso(f.get());
    avviso.show();
    avviso.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &avviso; }));
    QTest::keyClick(avviso.OKBt, Qt::Key_F1);
    EXPECT_EQ(aperti, QList<int>{1});
}

TEST(TAvvisoForm, TestiColoriECaratteri)
{
    CartellaTemporanea cartella;
    TAvvisoForm avviso;
    EXPECT_EQ(avviso.windowTitle(), "Informazione");
    EXPECT_EQ(avviso.size(), QSize(514, 230));
    EXPECT_TRUE(avviso.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(avviso.windowFlags() & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint));
    EXPECT_EQ(avviso.IntestazionePanel->text(), "SUGGERIMENTI");
    EXPECT_EQ(Colore(avviso.IntestazionePanel, QPalette::Window), QColor(0, 128, 0));
    EXPECT_EQ(Colore(avviso.IntestazionePanel, QPalette::WindowText), QColor(255, 0, 0));
    const QFont intestazione = avviso.IntestazionePanel->font();
    EXPECT_EQ(intestazione.families().value(0), "Arial Black");
    EXPECT_TRUE(intestazione.bold());
    EXPECT_TRUE(intestazione.italic());
    // The texts line by line: the fifth line has 35 blanks before FILE.
    const QStringList righe = avviso.Label1->text().split('\n');
    ASSERT_EQ(righe.size(), 5);
    EXPECT_EQ(righe[0], QStringLiteral("Per una maggiore comodità, in avvio di una sessione di lavoro è possibile"));
    EXPECT_EQ(righe[2], "per provincia e comune iniziali. ");
    EXPECT_EQ(righe[3], "Per ottenere ciò, richiamare la finestra relativa dal menu ");
    EXPECT_EQ(righe[4], QString(35, ' ') + "FILE -> PREFERENZE");
    EXPECT_EQ(avviso.Label2->text().split('\n'),
              (QStringList{"Nell'aiuto in linea, attivabile con il tasto F1, sono presenti delle ANIMAZIONI",
                           "che dimostrano l'uso delle operazioni di SCELTA DELLE PREFERENZE,",
                           "INSERIMENTO DEI DATI PER LA RICERCA e CALCOLO DELLA TOLLERANZA"}));
    for (QLabel* l : {avviso.Label1, avviso.Label2}) {
        EXPECT_EQ(Colore(l, QPalette::WindowText), QColor(0, 128, 0));
        EXPECT_TRUE(l->font().bold());
    }
    for (QFrame* p : {avviso.Panel1, avviso.Panel2}) {
        EXPECT_EQ(Colore(p, QPalette::Window), Qt::white);
        auto* icona = p->findChild<QLabel*>(p->objectName() + "Icona");
        ASSERT_NE(icona, nullptr);
        EXPECT_FALSE(icona->pixmap().isNull());
    }
    EXPECT_EQ(avviso.VisualizzaCB->text(), "Non ripetere questo messaggio in futuro");
    EXPECT_EQ(Colore(avviso.VisualizzaCB, QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(avviso.VisualizzaCB->font().bold());
    // Every line shows whole.
    Rendi(avviso, "finestra-avviso");
    for (QLabel* l : {avviso.Label1, avviso.Label2})
        EXPECT_LE(l->sizeHint().width(), l->width()) << l->objectName().toStdString();
    QTest::keyClick(&avviso, Qt::Key_Escape);
    EXPECT_EQ(avviso.result(), messaggi::mrCancel);
}

TEST_F(PreferenzeTest, IstruzioniDopoLAggiornamento)
{
    Avvia();
    TIstruzioniForm istruzioni(f.get());
    EXPECT_EQ(istruzioni.windowTitle(), "Avviso");
    EXPECT_EQ(istruzioni.size(), QSize(453, 154));
    EXPECT_TRUE(istruzioni.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(istruzioni.property("helpContext").toInt(), 4);
    EXPECT_EQ(istruzioni.IntestazionePanel->text(), "IMPORTANTE");
    EXPECT_EQ(Colore(istruzioni.IntestazionePanel, QPalette::Window), QColor(0, 128, 0));
    EXPECT_EQ(Colore(istruzioni.IntestazionePanel, QPalette::WindowText), Qt::white);
    EXPECT_EQ(istruzioni.Label1->text().split('\n'),
              (QStringList{"Per visualizzare i dati caricati ", "occorre selezionare una provincia ed un comune ",
                           "dalle apposite liste, presenti nella finestra principale,"}));
    EXPECT_EQ(istruzioni.Label1->font().families().value(0), "Arial");
    EXPECT_EQ(Colore(istruzioni.Label1, QPalette::WindowText), QColor(0, 128, 0));
    EXPECT_EQ(istruzioni.Label2->text(), "e confermare la scelta con il tasto INVIO (ENTER)");
    EXPECT_EQ(Colore(istruzioni.Label2, QPalette::WindowText), QColor(255, 0, 0));
    Rendi(istruzioni, "finestra-istruzioni");
    for (QLabel* l : {istruzioni.Label1, istruzioni.Label2})
        EXPECT_LE(l->sizeHint().width(), l->width()) << l->objectName().toStdString();

    // F1 opens topic 4; OK closes.
    QList<int> aperti;
    aiuto::ImpostaGestoreAiuto([&](int, quintptr dati, bool&) {
        aperti << int(dati);
        return true;
    });
    const auto ripristina = qScopeGuard([] { aiuto::ImpostaGestoreAiuto({}); });
    istruzioni.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &istruzioni; }));
    QTest::keyClick(&istruzioni, Qt::Key_F1);
    EXPECT_EQ(aperti, QList<int>{4});
    istruzioni.OKBt->click();
    EXPECT_EQ(istruzioni.result(), messaggi::mrOk);

    // Shown after a completed update only (result 6).
    TAggForm aggiornamento(*f);
    finto.ScriviModale([](QDialog&) { return int(messaggi::mrAbort); });
    f->UpdateBtClick();
    EXPECT_EQ(finto.finestreMostrate, QStringList{"AggForm"});
    finto.ScriviModale([](QDialog&) { return 6; });
    f->UpdateBtClick();
    EXPECT_EQ(finto.finestreMostrate, (QStringList{"AggForm", "AggForm", "IstruzioniForm"}));
}

TEST_F(PreferenzeTest, PercorsoPregeo)
{
    Avvia();
    const auto scegliPrima = TPercorsiForm::ScegliCartella;
    const auto ripristina = qScopeGuard([&] { TPercorsiForm::ScegliCartella = scegliPrima; });
    {
        // Nothing stored: the default, exactly as given.
        TPercorsiForm percorso(f.get());
        EXPECT_EQ(percorso.windowTitle(), "Percorso Pregeo");
        EXPECT_EQ(percorso.size(), QSize(505, 113));
        EXPECT_EQ(percorso.PercorsoPregeo_DE->text(), "C:\\Pregeo\\dati");
        EXPECT_EQ(percorso.PercorsoPregeo_Label->text(), "Percorso completo di Pregeo");
        EXPECT_EQ(percorso.Panel1->frameShadow(), QFrame::Sunken);
        EXPECT_EQ(percorso.PercorsoPregeo_DE->toolTip(), "Percorso completo del programma Pregeo");
        EXPECT_EQ(percorso.OKBt->toolTip(), "Conferma i cambiamenti e chiude la finestra");
        EXPECT_EQ(percorso.AnnullaBt->toolTip(), "Ignora i cambiamenti e chiude la finestra");
        EXPECT_EQ(percorso.AiutoBt->toolTip(), "Lancia la guida relativa a questa finestra");
        for (gridkit::TAdvancedPanel* p : {percorso.AdvancedPanel1, percorso.AdvancedPanel2}) {
            EXPECT_EQ(p->BevelOuter()->Style(), gridkit::bvRaised);
            EXPECT_EQ(p->Wallpaper()->Style(), gridkit::wpTile);
            EXPECT_EQ(p->Wallpaper()->Bitmap().size(), QSize(8, 8));
        }
        Rendi(percorso, "finestra-percorso-pregeo");
        // Annulla stores nothing.
        percorso.PercorsoPregeo_DE->setText("/altrove");
        percorso.AnnullaBt->click();
        EXPECT_EQ(percorso.result(), messaggi::mrCancel);
        EXPECT_EQ(Valore(SezioneValoriIniziali, "PathPregeo752"), "<manca>");
    }
    {
        // The folder chooser, opened on the folder shown; cancelled, nothing changes.
        QString aperta;
        QString risposta = "/dati/pregeo";
        TPercorsiForm::ScegliCartella = [&](QWidget*, const QString& c) {
            aperta = c;
            return risposta;
        };
        TPercorsiForm percorso(f.get());
        percorso.SfogliaAction->trigger();
        EXPECT_EQ(aperta, "C:\\Pregeo\\dati");
        EXPECT_EQ(percorso.PercorsoPregeo_DE->text(), "/dati/pregeo");
        risposta.clear();
        percorso.SfogliaAction->trigger();
        EXPECT_EQ(percorso.PercorsoPregeo_DE->text(), "/dati/pregeo");
        percorso.OKBt->click();
        EXPECT_EQ(percorso.result(), messaggi::mrOk);
        EXPECT_EQ(LeggiPercorsoPregeo(), "/dati/pregeo");
    }
    // The hidden action opens it; an empty entry is stored as the default.
    finto.ScriviModale([](QDialog& d) {
        auto& percorso = dynamic_cast<TPercorsiForm&>(d);
        EXPECT_EQ(percorso.PercorsoPregeo_DE->text(), "/dati/pregeo");
        percorso.PercorsoPregeo_DE->clear();
        percorso.OKBt->click();
        EXPECT_EQ(percorso.PercorsoPregeo_DE->text(), "C:\\Pregeo\\dati");
        return d.result();
    });
    // No topic of its own: Aiuto opens the main window's.
    {
        QList<int> aperti;
        aiuto::ImpostaGestoreAiuto([&](int, quintptr dati, bool&) {
            aperti << int(dati);
            return true;
        });
        const auto senzaGestore = qScopeGuard([] { aiuto::ImpostaGestoreAiuto({}); });
        TPercorsiForm percorso(f.get());
        percorso.AiutoBt->click();
        EXPECT_EQ(aperti, QList<int>{1});
    }
    EXPECT_FALSE(f->PercorsoPregeoAction->isVisible());
    f->PercorsoPregeoAction->trigger();
    EXPECT_EQ(finto.finestreMostrate, QStringList{"PercorsiForm"});
    EXPECT_EQ(Valore(SezioneValoriIniziali, "PathPregeo752"), "C:\\Pregeo\\dati");
    EXPECT_TRUE(finto.mostrati.isEmpty()) << Testi().join('\n').toStdString();
}

} // namespace

namespace {

// With the real message service: the notice is a modal window over the
// main window, and its check box and OK work as a user's clicks.
TEST(AvvisoConIlServizioReale, SiChiudeConOkEMemorizzaLaScelta)
{
    CartellaTemporanea cartella;
    const QString programma = cartella.sottocartella("Tratte");
    QDir(programma).mkpath("Archivi");
    prova::RegistraDirectory();
    registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "1");
    QPointer<QWidget> genitore;
    bool modale = false;
    QTimer controllo;
    controllo.setInterval(20);
    QObject::connect(&controllo, &QTimer::timeout, [&] {
        auto* avviso = qobject_cast<TAvvisoForm*>(QApplication::activeModalWidget());
        if (!avviso)
            return;
        controllo.stop();
        genitore = avviso->parentWidget();
        modale = avviso->isModal();
        QTest::mouseClick(avviso->VisualizzaCB, Qt::LeftButton, {}, QPoint(6, avviso->VisualizzaCB->height() / 2));
        avviso->OKBt->click();
    });
    controllo.start();
    TMainForm f(programma);
    f.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !controllo.isActive(); }, 5000));
    QApplication::processEvents();
    EXPECT_EQ(genitore, &f);
    EXPECT_TRUE(modale);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(Valore("", "VisualizzaFinestra"), "0");
}

} // namespace
