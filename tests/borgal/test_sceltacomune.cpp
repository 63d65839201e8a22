// The suggestion dialog on its own: what it shows, OK only with a
// selection (button, Enter, double click), Annulla and Esc, the status line
// with the long hint, and the mouse wheel that moves the focus.
#include "directory/sceltacomune.h"
#include "gridkit/pannello/pannelloavanzato.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

using namespace borgal;

namespace {

class SceltaComune : public ::testing::Test {
protected:
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};

    // Runs `copione` on the dialog shown (offscreen) by ElencoSuggerimenti;
    // the dialog's result is what the user's actions made it.
    QString Esegui(const QStringList& candidati, std::function<void(TSceltaComune_Form&)> copione)
    {
        finto.ScriviModale([copione](QDialog& d) {
            auto& form = static_cast<TSceltaComune_Form&>(d);
            form.show();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
            copione(form);
            return form.result();
        });
        return ElencoSuggerimenti("Scelta", "Per \"CAST\" cosa intendevi?", candidati);
    }
};

void Invio(QWidget* w, Qt::Key tasto) { QTest::keyClick(w, tasto); }

bool Rotella(QWidget* w, int passo)
{
    QWheelEvent rotella(QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, passo), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &rotella);
    return rotella.isAccepted();
}

} // namespace

TEST_F(SceltaComune, SenzaCandidatiNessunaFinestra)
{
    EXPECT_EQ(ElencoSuggerimenti("Scelta", "Cosa?", {}), QString());
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());
    EXPECT_EQ(TSceltaComune_Form::Attiva(), nullptr);
}

TEST_F(SceltaComune, MostraDomandaEElencoSenzaSelezione)
{
    bool controllato = false;
    Esegui({"CASTRO", "CASTRO", "CASTROVILLARI"}, [&](TSceltaComune_Form& f) {
        EXPECT_EQ(TSceltaComune_Form::Attiva(), &f);
        EXPECT_EQ(f.windowTitle(), "Scelta");
        EXPECT_EQ(f.size(), QSize(364, 295));
        EXPECT_EQ(f.findChild<QLabel*>("Frase_Label")->text(), "Per \"CAST\" cosa intendevi?");
        auto* elenco = f.findChild<QListWidget*>("ElencoComuni_TextListBox");
        ASSERT_EQ(elenco->count(), 3);
        EXPECT_EQ(elenco->item(0)->text(), "CASTRO");
        EXPECT_EQ(elenco->item(1)->text(), "CASTRO");
        EXPECT_EQ(elenco->item(2)->text(), "CASTROVILLARI");
        EXPECT_TRUE(elenco->selectedItems().isEmpty());
        EXPECT_EQ(elenco->palette().color(QPalette::Base), QColor(0, 255, 255));
        EXPECT_EQ((elenco->height() - 2 * elenco->frameWidth()) % 13, 0); // whole items only
        EXPECT_EQ(f.findChild<QLabel*>("StatusBar")->height(), 17);
        EXPECT_EQ(f.findChild<gridkit::TAdvancedPanel*>("AdvancedPanel2")->height(), 50);
        EXPECT_NE(f.findChild<gridkit::TAdvancedPanel*>("AdvancedPanel1"), nullptr);
        EXPECT_NE(f.findChild<QWidget*>("Panel"), nullptr);
        EXPECT_TRUE(f.findChild<QPushButton*>("Ok_BitBtn")->isDefault());
        EXPECT_EQ(f.findChild<QPushButton*>("Annulla_BitBtn")->text(), "Annulla");
        controllato = true;
        f.findChild<QPushButton*>("Annulla_BitBtn")->click();
    });
    EXPECT_TRUE(controllato);
    EXPECT_EQ(finto.finestreMostrate, QStringList{"SceltaComune_Form"});
    EXPECT_EQ(TSceltaComune_Form::Attiva(), nullptr);
}

TEST_F(SceltaComune, OkSoloConUnaSelezione)
{
    // OK and Enter with nothing selected leave the question open; Enter with
    // a selection confirms it.
    EXPECT_EQ(Esegui({"CASTRO", "CASTROVILLARI"},
                     [](TSceltaComune_Form& f) {
                         auto* elenco = f.findChild<QListWidget*>("ElencoComuni_TextListBox");
                         f.findChild<QPushButton*>("Ok_BitBtn")->click();
                         Invio(elenco, Qt::Key_Return);
                         EXPECT_TRUE(f.isVisible());
                         EXPECT_EQ(f.result(), 0);
                         elenco->item(1)->setSelected(true);
                         Invio(elenco, Qt::Key_Return);
                         EXPECT_FALSE(f.isVisible());
                         EXPECT_EQ(f.result(), messaggi::mrOk);
                     }),
              "CASTROVILLARI");

    // A double click on an item chooses it at once; of two equal names
    // either one is that name.
    EXPECT_EQ(Esegui({"ROMA", "CASTRO", "CASTRO"},
                     [](TSceltaComune_Form& f) {
                         auto* elenco = f.findChild<QListWidget*>("ElencoComuni_TextListBox");
                         const QPoint punto = elenco->visualItemRect(elenco->item(2)).center();
                         QTest::mouseClick(elenco->viewport(), Qt::LeftButton, {}, punto);
                         QTest::mouseDClick(elenco->viewport(), Qt::LeftButton, {}, punto);
                         EXPECT_EQ(f.result(), messaggi::mrOk);
                     }),
              "CASTRO");
}

TEST_F(SceltaComune, AnnullaEdEscRestituisconoVuoto)
{
    const auto selezionaPoi = [](std::function<void(TSceltaComune_Form&)> azione) {
        return [azione](TSceltaComune_Form& f) {
            f.findChild<QListWidget*>("ElencoComuni_TextListBox")->item(0)->setSelected(true);
            azione(f);
            EXPECT_EQ(f.result(), messaggi::mrCancel);
        };
    };
    EXPECT_EQ(Esegui({"ROMA", "ROMANO"},
                     selezionaPoi([](TSceltaComune_Form& f) { f.findChild<QPushButton*>("Annulla_BitBtn")->click(); })),
              "");
    EXPECT_EQ(Esegui({"ROMA", "ROMANO"}, selezionaPoi([](TSceltaComune_Form& f) {
                         Invio(f.findChild<QListWidget*>("ElencoComuni_TextListBox"), Qt::Key_Escape);
                     })),
              "");
}

TEST_F(SceltaComune, LaRigaDiStatoMostraIlSuggerimentoLungo)
{
    TSceltaComune_Form f;
    auto* stato = f.findChild<QLabel*>("StatusBar");
    auto* ok = f.findChild<QPushButton*>("Ok_BitBtn");
    auto* annulla = f.findChild<QPushButton*>("Annulla_BitBtn");
    // What Qt sends when the mouse enters a control, and leaves it.
    QStatusTipEvent sopraOk(ok->statusTip());
    QApplication::sendEvent(ok, &sopraOk);
    EXPECT_EQ(stato->text(), "Conferma i dati ed esce");
    QStatusTipEvent sopraAnnulla(annulla->statusTip());
    QApplication::sendEvent(annulla, &sopraAnnulla);
    EXPECT_EQ(stato->text(), "Annulla le modifiche ed esce");
    QStatusTipEvent fuori{QString()};
    QApplication::sendEvent(annulla, &fuori);
    EXPECT_EQ(stato->text(), "");
    QStatusTipEvent doppio("Breve|Spiegazione lunga");
    QApplication::sendEvent(ok, &doppio);
    EXPECT_EQ(stato->text(), "Spiegazione lunga");
}

TEST_F(SceltaComune, LaRotellaSpostaIlFuoco)
{
    TSceltaComune_Form f;
    QStringList molti;
    for (int i = 0; i < 60; ++i)
        molti << QString("COMUNE %1").arg(i);
    f.Imposta("Scelta", "Domanda", molti);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    auto* elenco = f.findChild<QListWidget*>("ElencoComuni_TextListBox");
    auto* ok = f.findChild<QPushButton*>("Ok_BitBtn");
    auto* annulla = f.findChild<QPushButton*>("Annulla_BitBtn");
    elenco->setFocus();
    ASSERT_EQ(f.focusWidget(), elenco);

    EXPECT_TRUE(Rotella(elenco->viewport(), -120));
    EXPECT_EQ(f.focusWidget(), ok);
    EXPECT_EQ(elenco->verticalScrollBar()->value(), 0); // no scrolling
    EXPECT_TRUE(Rotella(ok, -120));
    EXPECT_EQ(f.focusWidget(), annulla);
    EXPECT_TRUE(Rotella(elenco->viewport(), 120));
    EXPECT_EQ(f.focusWidget(), ok);
    EXPECT_TRUE(Rotella(elenco->viewport(), 120));
    EXPECT_EQ(f.focusWidget(), elenco);

    // No control has the focus: the list scrolls as usual.
    elenco->clearFocus();
    ASSERT_EQ(f.focusWidget(), nullptr);
    Rotella(elenco->viewport(), -120);
    EXPECT_EQ(f.focusWidget(), nullptr);
    EXPECT_GT(elenco->verticalScrollBar()->value(), 0);
}
