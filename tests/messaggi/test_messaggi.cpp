#include "gridkit/comune/avviografico.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "messaggi/servizio_qt.h"
#include "messaggi/servizio_testo.h"
#include "tabelle/errore.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace messaggi;

TEST(Messaggi, IlFintoRispondeComeScrittoPoiColPredefinito)
{
    ServizioMessaggiFinto finto;
    SostituzioneServizio sostituzione(finto);
    finto.Rispondi(mrNo);
    finto.Rispondi(mrCancel);
    EXPECT_EQ(MessageBox(nullptr, "Primo?", "Richiesta", Pulsanti::SiNoAnnulla, Icona::Domanda), mrNo);
    EXPECT_EQ(MessageBox(nullptr, "Secondo?", "Richiesta", Pulsanti::SiNoAnnulla, Icona::Domanda), mrCancel);

    // Queue empty: the default button answers; an index out of range means the first button.
    EXPECT_EQ(MessageBox(nullptr, "t", "c", Pulsanti::SiNo, Icona::Domanda, 1), mrNo);
    EXPECT_EQ(MessageBox(nullptr, "t", "c", Pulsanti::InterrompiRiprovaIgnora, Icona::Errore, 2), mrIgnore);
    EXPECT_EQ(MessageBox(nullptr, "t", "c", Pulsanti::RiprovaAnnulla, Icona::Avviso), mrRetry);
    EXPECT_EQ(MessageBox(nullptr, "t", "c", Pulsanti::OkAnnulla, Icona::Avviso, 5), mrOk);
    EXPECT_EQ(MessageBox(nullptr, "t", "c", Pulsanti::SiNoAnnulla, Icona::Avviso, -1), mrYes);

    ASSERT_EQ(finto.mostrati.size(), 7);
    const Messaggio& primo = finto.mostrati.first();
    EXPECT_EQ(primo.testo, "Primo?");
    EXPECT_EQ(primo.titolo, "Richiesta");
    EXPECT_EQ(primo.pulsanti, Pulsanti::SiNoAnnulla);
    EXPECT_EQ(primo.icona, Icona::Domanda);
    EXPECT_EQ(finto.mostrati[2].predefinito, 1);
}

TEST(Messaggi, FinestreModaliScritte)
{
    ServizioMessaggiFinto finto;
    SostituzioneServizio sostituzione(finto);

    QDialog finestra;
    finestra.setObjectName("TPercorsiForm");
    auto* campo = new QLineEdit(&finestra);
    campo->setObjectName("PercorsoEdit");
    QDialog senzaNome;
    senzaNome.setWindowTitle("Preferenze");

    finto.ScriviModale([](QDialog& d) {
        d.findChild<QLineEdit*>("PercorsoEdit")->setText("/media/pregeo");
        d.done(mrOk);
        return d.result();
    });
    finto.ScriviModale([](QDialog&) { return int(mrAbort); });
    EXPECT_EQ(MostraModale(finestra), mrOk);
    EXPECT_EQ(campo->text(), "/media/pregeo");
    EXPECT_EQ(MostraModale(senzaNome), mrAbort);
    EXPECT_EQ(senzaNome.result(), mrAbort);
    EXPECT_EQ(MostraModale(finestra), mrCancel); // no script left
    EXPECT_EQ(finestra.result(), mrCancel);
    EXPECT_EQ(finto.finestreMostrate, (QStringList{"TPercorsiForm", "Preferenze", "TPercorsiForm"}));
    EXPECT_FALSE(finestra.isVisible());
}

TEST(Messaggi, SostituzioniAnnidateEServizioReale)
{
    ServizioMessaggi& reale = Servizio();
    EXPECT_NE(dynamic_cast<ServizioMessaggiQt*>(&reale), nullptr);
    ServizioMessaggiFinto esterno, interno;
    {
        SostituzioneServizio a(esterno);
        {
            SostituzioneServizio b(interno);
            ShowMessage("dentro");
        }
        ShowMessage("fuori");
    }
    EXPECT_EQ(&Servizio(), &reale);
    ASSERT_EQ(interno.mostrati.size(), 1);
    ASSERT_EQ(esterno.mostrati.size(), 1);
    EXPECT_EQ(esterno.mostrati[0].testo, "fuori");

    ImpostaServizio(&esterno);
    EXPECT_EQ(&Servizio(), &esterno);
    ImpostaServizio(nullptr);
    EXPECT_EQ(&Servizio(), &reale);
}

// The process's own service and wait cursor: the text ones until a program
// with windows sets the Qt ones up, and what was there before comes back.
TEST(Messaggi, ServizioDelProcessoECursoreDAttesa)
{
    ServizioMessaggi& reale = Servizio(); // set up by the tests' main
    ASSERT_NE(dynamic_cast<ServizioMessaggiQt*>(&reale), nullptr);
    {
        gridkit::AvvioGrafico altro;
        EXPECT_NE(&Servizio(), &reale);
        EXPECT_NE(dynamic_cast<ServizioMessaggiQt*>(&Servizio()), nullptr);
        {
            gridkit::CursoreAttesa attesa(Qt::BusyCursor);
            ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
        }
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(&Servizio(), &reale);

    // Without them: a box is a line on standard error, answered with its
    // default button, and a wait cursor shows nothing.
    ServizioMessaggi* prima = ImpostaServizioPredefinito(nullptr);
    gridkit::SchermoCursore* schermo = gridkit::ImpostaSchermoCursore(nullptr);
    EXPECT_EQ(prima, &reale);
    EXPECT_NE(dynamic_cast<ServizioMessaggiTesto*>(&Servizio()), nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox(nullptr, "Sostituire la provincia?", "Conferma", Pulsanti::SiNo, Icona::Domanda, 1), mrNo);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Sostituire la provincia?\n");
    {
        gridkit::CursoreAttesa attesa;
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    QDialog finestra;
    EXPECT_EQ(MostraModale(finestra), mrCancel);
    EXPECT_FALSE(finestra.isVisible());
    gridkit::ImpostaSchermoCursore(schermo);
    ImpostaServizioPredefinito(prima);
    EXPECT_EQ(&Servizio(), &reale);
}

TEST(Messaggi, ShowMessageEMostraErrore)
{
    ServizioMessaggiFinto finto;
    SostituzioneServizio sostituzione(finto);
    QGuiApplication::setApplicationDisplayName("Tratte");
    ShowMessage("Archivio aggiornato");
    MostraErrore(tabelle::EDBEngineError("Tabella «Città.db» non trovata"));
    MostraErrore(std::runtime_error("disco pieno"));

    ASSERT_EQ(finto.mostrati.size(), 3);
    EXPECT_EQ(finto.mostrati[0].titolo, "Tratte");
    EXPECT_EQ(finto.mostrati[0].pulsanti, Pulsanti::Ok);
    EXPECT_EQ(finto.mostrati[1].testo, "Tabella «Città.db» non trovata");
    EXPECT_EQ(finto.mostrati[1].titolo, "Errore");
    EXPECT_EQ(finto.mostrati[1].icona, Icona::Errore);
    EXPECT_EQ(finto.mostrati[1].pulsanti, Pulsanti::Ok);
    EXPECT_EQ(finto.mostrati[2].testo, "disco pieno");
}

namespace {

// Acts on the first message box that shows up, from inside its event loop.
void QuandoAppare(std::function<void(QMessageBox&)> azione)
{
    auto* controllo = new QTimer(qApp);
    QObject::connect(controllo, &QTimer::timeout, [controllo, azione] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                controllo->stop();
                controllo->deleteLater();
                azione(*box);
                return;
            }
    });
    controllo->start(10);
}

} // namespace

TEST(Messaggi, IlServizioRealeMappaIPulsanti)
{
    ServizioMessaggiQt reale;
    QStringList testi;
    QString titolo;
    QuandoAppare([&](QMessageBox& box) {
        for (QAbstractButton* b : box.buttons())
            testi.append(b->text());
        titolo = box.windowTitle();
        box.defaultButton()->click();
    });
    EXPECT_EQ(reale.mostra({"Salvare <le> modifiche?", "Richiesta", Pulsanti::SiNoAnnulla, Icona::Domanda, 1}, nullptr),
              mrNo);
    testi.sort();
    EXPECT_EQ(testi, (QStringList{"Annulla", "No", "Sì"}));
    EXPECT_EQ(titolo, "Richiesta");

    QuandoAppare([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(reale.mostra({"Riprovare?", "Errore", Pulsanti::RiprovaAnnulla, Icona::Errore, 0}, nullptr), mrCancel);
    QuandoAppare([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    EXPECT_EQ(reale.mostra({"Continuare?", "Avviso", Pulsanti::SiNo, Icona::Avviso, 0}, nullptr), mrNo);
}

// A window that closes itself on losing the activation, as the splash does,
// never carries a box: the box goes over its parent window, or stands alone.
TEST(Messaggi, NessunBoxSopraUnaFinestraTransitoria)
{
    QWidget principale;
    auto* campo = new QWidget(&principale);
    QWidget transitoria(&principale, Qt::Window);
    transitoria.setProperty(ProprietaFinestraTransitoria, true);
    auto* figlio = new QWidget(&transitoria);
    EXPECT_EQ(GenitoreDelMessaggio(campo), campo);
    EXPECT_EQ(GenitoreDelMessaggio(figlio), &principale);

    QPointer<QWidget> guardia(new QWidget);
    guardia->setProperty(ProprietaFinestraTransitoria, true);
    guardia->setAttribute(Qt::WA_DeleteOnClose);
    guardia->show();
    guardia->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == guardia; }));
    EXPECT_EQ(GenitoreDelMessaggio(nullptr), nullptr);
    // The box takes the activation; the window closes on that; the box stays.
    QObject::connect(qApp, &QApplication::focusChanged, guardia, [&] {
        if (guardia && !guardia->isActiveWindow())
            guardia->close();
    });
    bool rimasto = false;
    QuandoAppare([&](QMessageBox& box) {
        QTest::qWait(100);
        rimasto = !guardia && box.isVisible();
        box.defaultButton()->click();
    });
    ServizioMessaggiQt reale;
    EXPECT_EQ(reale.mostra({"Errore di avvio", "Errore", Pulsanti::Ok, Icona::Errore, 0}, nullptr), mrOk);
    EXPECT_TRUE(rimasto);
}
