#include "aiuto/applicazione.h"
#include "aiuto/contesto.h"
#include "aiuto/htmlhelp.h"
#include "aiuto/tastof1.h"

#include <QDialog>
#include <QLineEdit>
#include <QShortcut>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace aiuto;

namespace {

struct Chiamata {
    QWidget* finestra;
    QString file;
    int comando;
    quintptr dati;
};

class VisualizzatoreRegistra : public VisualizzatoreAiuto {
public:
    bool Mostra(QWidget* finestra, const QString& file, int comando, quintptr dati) override
    {
        chiamate.append({finestra, file, comando, dati});
        return risposta;
    }
    QList<Chiamata> chiamate;
    bool risposta = true;
};

// Every test starts from an application without help handler, file and main window.
class Aiuto : public ::testing::Test {
protected:
    void SetUp() override { Azzera(); }
    void TearDown() override { Azzera(); }
    static void Azzera()
    {
        ImpostaGestoreAiuto({});
        ImpostaHelpFile(QString());
        ImpostaFinestraPrincipale(nullptr);
    }
};

} // namespace

TEST_F(Aiuto, IlGestoreVieneInstallatoERipristinato)
{
    EXPECT_FALSE(HelpContext(1)); // no handler

    int chiamatePrecedente = 0;
    ImpostaGestoreAiuto([&](int, quintptr, bool&) {
        ++chiamatePrecedente;
        return true;
    });
    VisualizzatoreRegistra esterno, interno;
    {
        TVTRHtmlHelp aiuto(esterno);
        EXPECT_TRUE(HelpContext(1));
        {
            TVTRHtmlHelp annidato(interno);
            HelpContext(2);
        }
        HelpContext(3); // back to the outer wrapper
    }
    ASSERT_EQ(esterno.chiamate.size(), 2);
    EXPECT_EQ(esterno.chiamate[0].dati, 1u);
    EXPECT_EQ(esterno.chiamate[1].dati, 3u);
    ASSERT_EQ(interno.chiamate.size(), 1);
    EXPECT_EQ(interno.chiamate[0].dati, 2u);

    EXPECT_EQ(chiamatePrecedente, 0);
    EXPECT_TRUE(HelpContext(4));
    EXPECT_EQ(chiamatePrecedente, 1);
}

TEST_F(Aiuto, IComandiArrivanoAlVisualizzatore)
{
    QWidget principale;
    ImpostaFinestraPrincipale(&principale);
    ImpostaHelpFile("/opt/Tratte/Tratte.hlp");
    VisualizzatoreRegistra visualizzatore;
    TVTRHtmlHelp aiuto(visualizzatore);

    EXPECT_TRUE(HelpContext(17));
    EXPECT_TRUE(HelpCommand(HELP_CONTENTS, 0));
    ASSERT_EQ(visualizzatore.chiamate.size(), 2);
    const Chiamata& contesto = visualizzatore.chiamate[0];
    EXPECT_EQ(contesto.finestra, &principale);
    EXPECT_EQ(contesto.file, "/opt/Tratte/Tratte.hlp");
    EXPECT_EQ(contesto.comando, HH_HELP_CONTEXT);
    EXPECT_EQ(contesto.dati, 17u);
    EXPECT_EQ(visualizzatore.chiamate[1].comando, HH_DISPLAY_INDEX);
    EXPECT_EQ(visualizzatore.chiamate[1].dati, 0u);

    // The viewer's answer is the result, and is kept as the last one.
    visualizzatore.risposta = false;
    EXPECT_FALSE(HelpContext(99));
    EXPECT_FALSE(aiuto.UltimoRisultato());
    visualizzatore.risposta = true;
    EXPECT_TRUE(HelpContext(1));
    EXPECT_TRUE(aiuto.UltimoRisultato());

    // Other commands (HELP_QUIT, HELP_KEY) are not served and reach no viewer.
    const qsizetype prima = visualizzatore.chiamate.size();
    EXPECT_FALSE(HelpCommand(2, 0));
    EXPECT_FALSE(HelpCommand(0x101, 0));
    EXPECT_EQ(visualizzatore.chiamate.size(), prima);

    // The application's own help engine is never asked for.
    for (int comando : {HELP_CONTEXT, HELP_CONTENTS, 2}) {
        bool chiamaAiuto = true;
        aiuto.GestisciAiuto(comando, 1, chiamaAiuto);
        EXPECT_FALSE(chiamaAiuto) << comando;
    }
}

TEST_F(Aiuto, UnFileVuotoSignificaIlFileDellApplicazione)
{
    ImpostaHelpFile("/opt/Tratte/Tratte.hlp");
    VisualizzatoreRegistra visualizzatore;
    TVTRHtmlHelp aiuto(visualizzatore);

    aiuto.ShowContext(26, "/altrove/Altro.hlp");
    EXPECT_EQ(aiuto.File(), "/altrove/Altro.hlp");
    aiuto.ShowIndex(QString());
    EXPECT_EQ(aiuto.File(), "/opt/Tratte/Tratte.hlp");

    // The application's file is read at each call, not when the wrapper was made.
    ImpostaHelpFile("/nuova/Tratte.hlp");
    aiuto.ShowHelp(HH_DISPLAY_TOC, 0, QString());
    aiuto.ShowContents("/chm/TratteLbp.chm");

    ASSERT_EQ(visualizzatore.chiamate.size(), 4);
    EXPECT_EQ(visualizzatore.chiamate[0].file, "/altrove/Altro.hlp");
    EXPECT_EQ(visualizzatore.chiamate[0].comando, HH_HELP_CONTEXT);
    EXPECT_EQ(visualizzatore.chiamate[0].dati, 26u);
    EXPECT_EQ(visualizzatore.chiamate[1].file, "/opt/Tratte/Tratte.hlp");
    EXPECT_EQ(visualizzatore.chiamate[1].comando, HH_DISPLAY_INDEX);
    EXPECT_EQ(visualizzatore.chiamate[1].dati, 0u);
    EXPECT_EQ(visualizzatore.chiamate[2].file, "/nuova/Tratte.hlp");
    EXPECT_EQ(visualizzatore.chiamate[3].file, "/chm/TratteLbp.chm");
    EXPECT_EQ(visualizzatore.chiamate[3].comando, HH_DISPLAY_TOC);
}

TEST_F(Aiuto, ContestoCorrenteDalControlloAllaFinestraPrincipale)
{
    QWidget principale;
    ImpostaContestoAiuto(&principale, 1);
    auto* pannelloPrincipale = new QWidget(&principale);
    ImpostaContestoAiuto(pannelloPrincipale, 40);

    QWidget form;
    ImpostaContestoAiuto(&form, 17);
    auto* pannello = new QWidget(&form);
    ImpostaContestoAiuto(pannello, 26);
    auto* senzaContesto = new QLineEdit(pannello);
    auto* conContesto = new QLineEdit(pannello);
    ImpostaContestoAiuto(conContesto, 31);
    auto* diretto = new QLineEdit(&form);

    EXPECT_EQ(ContestoCorrente(conContesto, &form, &principale), 31);
    EXPECT_EQ(ContestoCorrente(senzaContesto, &form, &principale), 26);
    EXPECT_EQ(ContestoCorrente(diretto, &form, &principale), 17);
    EXPECT_EQ(ContestoCorrente(&form, &form, &principale), 17);
    EXPECT_EQ(ContestoCorrente(nullptr, &form, &principale), 17);
    // A focused widget of another window says nothing about the active one.
    EXPECT_EQ(ContestoCorrente(pannelloPrincipale, &form, &principale), 17);

    // A form without context: the main window's.
    ImpostaContestoAiuto(&form, 0);
    EXPECT_EQ(ContestoAiuto(&form), 0);
    EXPECT_EQ(ContestoCorrente(diretto, &form, &principale), 1);
    EXPECT_EQ(ContestoCorrente(nullptr, &form, &principale), 1);
    EXPECT_EQ(ContestoCorrente(nullptr, &form, nullptr), 0);
    EXPECT_EQ(ContestoCorrente(&principale, &principale, &principale), 1);

    // No active window.
    EXPECT_EQ(ContestoCorrente(conContesto, nullptr, &principale), 0);

    // A dialog owned by a control of the main window: the walk stops at the
    // dialog and does not take the owner's context.
    QDialog dialogo(pannelloPrincipale);
    auto* campo = new QLineEdit(&dialogo);
    EXPECT_EQ(ContestoCorrente(campo, &dialogo, &principale), 1);
    ImpostaContestoAiuto(&dialogo, 13);
    EXPECT_EQ(ContestoCorrente(campo, &dialogo, &principale), 13);

    // A property of another type counts as no context.
    diretto->setProperty(ProprietaContestoAiuto, "testo");
    EXPECT_EQ(ContestoAiuto(diretto), 0);
    EXPECT_EQ(ContestoAiuto(nullptr), 0);
}

TEST_F(Aiuto, CurrentContextSegueLaFinestraAttiva)
{
    VisualizzatoreRegistra visualizzatore;
    TVTRHtmlHelp aiuto(visualizzatore);
    QWidget principale;
    ImpostaContestoAiuto(&principale, 1);
    ImpostaFinestraPrincipale(&principale);

    QDialog dialogo;
    ImpostaContestoAiuto(&dialogo, 29);
    auto* campo = new QLineEdit(&dialogo);
    ImpostaContestoAiuto(campo, 31);
    auto* altro = new QLineEdit(&dialogo);
    auto* layout = new QVBoxLayout(&dialogo);
    layout->addWidget(campo);
    layout->addWidget(altro);
    dialogo.show();
    dialogo.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialogo))
        GTEST_SKIP() << "the platform does not activate windows";

    campo->setFocus();
    EXPECT_EQ(aiuto.CurrentContext(), 31);
    altro->setFocus();
    EXPECT_EQ(aiuto.CurrentContext(), 29);
}

TEST_F(Aiuto, IlTastoF1ApreIlContestoDelControllo)
{
    VisualizzatoreRegistra visualizzatore;
    TVTRHtmlHelp aiuto(visualizzatore);
    QWidget principale;
    ImpostaContestoAiuto(&principale, 1);
    ImpostaFinestraPrincipale(&principale);

    QDialog dialogo;
    ImpostaContestoAiuto(&dialogo, 17);
    auto* campo = new QLineEdit(&dialogo);
    ImpostaContestoAiuto(campo, 31);
    auto* altro = new QLineEdit(&dialogo);
    auto* layout = new QVBoxLayout(&dialogo);
    layout->addWidget(campo);
    layout->addWidget(altro);
    QShortcut* tasto = InstallaTastoF1(&dialogo);
    ASSERT_NE(tasto, nullptr);
    EXPECT_EQ(tasto->parent(), &dialogo);
    EXPECT_EQ(tasto->key(), QKeySequence(Qt::Key_F1));

    dialogo.show();
    dialogo.activateWindow();
    const bool attiva = QTest::qWaitForWindowActive(&dialogo);
    auto premiF1 = [&](QWidget* w) {
        w->setFocus();
        if (attiva)
            QTest::keyClick(w, Qt::Key_F1);
        else
            emit tasto->activated();
    };

    premiF1(campo);
    premiF1(altro);
    ImpostaContestoAiuto(&dialogo, 0);
    premiF1(altro);

    ASSERT_EQ(visualizzatore.chiamate.size(), 3);
    EXPECT_EQ(visualizzatore.chiamate[0].comando, HH_HELP_CONTEXT);
    EXPECT_EQ(visualizzatore.chiamate[0].dati, 31u);
    EXPECT_EQ(visualizzatore.chiamate[1].dati, 17u);
    EXPECT_EQ(visualizzatore.chiamate[2].dati, 1u);

    // The program can hand over its own rule, TVTRHtmlHelp::CurrentContext.
    QDialog secondo;
    QShortcut* proprio = InstallaTastoF1(&secondo, [] { return 70; });
    emit proprio->activated();
    ASSERT_EQ(visualizzatore.chiamate.size(), 4);
    EXPECT_EQ(visualizzatore.chiamate[3].dati, 70u);

    EXPECT_EQ(InstallaTastoF1(nullptr), nullptr);
}
