// The main window on a temporary installation: its set-up, the start-up
// selection and notice, the hidden commands and the command rule.
#include "aiuto/applicazione.h"
#include "app/caricamento/taggform.h"
#include "app/caricamento/tdelprvform.h"
#include "app/configurazione.h"
#include "app/mainform.h"
#include "gridkit/comandi/dbgridpopupmenu.h"
#include "app/ricerca/tformricinspf.h"
#include "app/ricerca/ttratteform.h"
#include "app/tolleranza/ttolleranzaform.h"
#include "supporto_app.h"
#include "supporto_ricerca.h"
#include "componenti/creazione.h"
#include "componenti/server.h"
#include "registro/treginifile.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "supporto/cartella_temporanea.h"
#include "tabelle/tabella.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QScopeGuard>
#include <gtest/gtest.h>

using namespace tratte;

namespace {

class MainFormTest : public ::testing::Test {
protected:
    CartellaTemporanea cartella;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    QString programma = cartella.sottocartella("Tratte");
    std::function<int()> contaPrima = TMainForm::ContaStampanti;

    MainFormTest() { QDir(programma).mkpath("Archivi"); }
    ~MainFormTest() override { TMainForm::ContaStampanti = contaPrima; }

    // Provinces loaded in PRV.DB before the window starts.
    void CaricaPrv(const QStringList& nomi)
    {
        tabelle::TSession s;
        QList<QPair<QString, QString>> province;
        for (const QString& n : nomi)
            province << qMakePair(n.left(2), n);
        prova::CaricaProvince(s, programma, province);
    }

    std::unique_ptr<TMainForm> Avvia()
    {
        auto f = std::make_unique<TMainForm>(programma);
        f->show();
        QApplication::processEvents();
        return f;
    }

    QStringList Testi() const
    {
        QStringList t;
        for (const auto& m : finto.mostrati)
            t << m.titolo + ": " + m.testo;
        return t;
    }
};

TEST_F(MainFormTest, ControlliMenuEBarraDiStato)
{
    registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    auto f = Avvia();
    EXPECT_EQ(f->windowTitle(), "Tratte Punti Fiduciali");
    EXPECT_EQ(f->property("helpContext").toInt(), 1);
    EXPECT_EQ(f->TopPanel->height(), 57);
    EXPECT_EQ(f->ProvinceCB->width(), 145);
    EXPECT_EQ(f->ComuniCB->width(), 202);
    EXPECT_EQ(f->EsciBt->text(), "Esci");
    EXPECT_EQ(f->EsciBt->toolTip(), "Uscita");
    EXPECT_EQ(f->EsciBt->statusTip(), "Esce da TrattePF");
    EXPECT_EQ(f->UpdateBt->toolTip(), f->UpdateBt->statusTip());
    EXPECT_EQ(f->Label2->text(), "Comune o Sezione");
    EXPECT_EQ(f->Pannello(0), "Comune");
    EXPECT_EQ(f->Pannello(2), "Tot. Tratte");
    EXPECT_EQ(f->PannelliStato[1]->width(), 220);

    EXPECT_EQ(f->F2->text(), "Stam&pa...");
    EXPECT_EQ(f->F2->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F12));
    EXPECT_EQ(f->MExit->shortcut(), QKeySequence(Qt::ALT | Qt::Key_F4));
    EXPECT_EQ(f->GuidaMenu->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(f->Eliminaprovincia1->property("helpContext").toInt(), 29);
    EXPECT_EQ(f->GuidaMenu->statusTip(), "Lancia la guida di TrattePF");

    // Survey-book search and Pregeo path are never offered.
    EXPECT_FALSE(f->RicercaLibrettiAction->isVisible());
    EXPECT_FALSE(f->PercorsoPregeoAction->isVisible());
    EXPECT_FALSE(f->RicercaLibrettiBT->isVisible());
    EXPECT_FALSE(f->RicercaLibretti->isVisible());
    EXPECT_FALSE(f->PercorsoPregeo1->isVisible());
    EXPECT_FALSE(f->StrumentiMenu->menuAction()->isVisible());
    EXPECT_FALSE(f->CrmPanel->isVisible());

    // The hint of what the pointer is over goes to panel 4.
    QStatusTipEvent suggerimento("Esce da TrattePF");
    QApplication::sendEvent(f->EsciBt, &suggerimento);
    EXPECT_EQ(f->Pannello(4), "Esce da TrattePF");
    // Only the box of the directory component, which is not there yet.
    ASSERT_EQ(finto.mostrati.size(), 1) << Testi().join('\n').toStdString();
    EXPECT_TRUE(finto.mostrati[0].testo.contains("{F6CC86A0-E389-11D3-B19A-444553540000}"));
}

// Commands whose work is not built yet stay disabled in every state.
TEST_F(MainFormTest, IComandiNonCostruitiRestanoDisabilitati)
{
    // A command named in the list stays disabled in a state that would
    // enable it.
    const QStringList nonCostruiti = TMainForm::NonCostruiti;
    TMainForm::NonCostruiti = QStringList{"StampaBt", "F2"};
    const auto ripristina = qScopeGuard([&] { TMainForm::NonCostruiti = nonCostruiti; });
    registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    auto f = Avvia();
    f->Table.Riapri();
    f->AggiornaComandi();
    EXPECT_TRUE(f->RicercaBt->isEnabled());
    EXPECT_FALSE(f->StampaBt->isEnabled());
    EXPECT_FALSE(f->F2->isEnabled());
    // Today every command of the window is built.
    EXPECT_TRUE(nonCostruiti.isEmpty()) << nonCostruiti.join(' ').toStdString();
}

// "Visualizza" holds the archive grid's commands, as its right click does,
// and they work on the archive view.
TEST_F(MainFormTest, VisualizzaMostraIComandiDellaGriglia)
{
    registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    auto f = Avvia();
    f->Table.Riapri();
    f->AggiornaComandi();
    f->AggiornaComandi(); // merged again, not twice
    ASSERT_TRUE(f->VisMenu->isEnabled());
    emit f->VisMenu->aboutToShow();
    QStringList menu, popup;
    for (QAction* a : f->VisMenu->actions())
        if (a->isVisible())
            menu << (a->isSeparator() ? "-" : a->text());
    f->NewDBGrid1->PopupMenu().Aggiorna();
    for (QAction* a : f->NewDBGrid1->PopupMenu().actions())
        if (a->isVisible())
            popup << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(menu, popup);
    EXPECT_EQ(menu, QStringList({"Ordinamento &crescente", "Ordinamento &decrescente", "Ordinamento &originale", "-",
                                 "&Adatta", "-", "&Visualizza campi", "T&rova"}));

    // A picture of the open menu, for a look by eye.
    f->show();
    f->VisMenu->popup(f->mapToGlobal(QPoint(40, 20)));
    QApplication::processEvents();
    f->VisMenu->grab().save(QStringLiteral(TABELLE_LAVORO "/../menu_visualizza.png"));
    f->VisMenu->hide();

    // Sort by a column from the menu, then back to the archive's order.
    QAction* crescente = f->VisMenu->actions().value(0);
    ASSERT_NE(crescente, nullptr);
    ASSERT_NE(crescente->menu(), nullptr);
    ASSERT_FALSE(crescente->menu()->actions().isEmpty());
    QAction* colonna = crescente->menu()->actions().constFirst();
    colonna->trigger();
    EXPECT_EQ(f->NewDBGrid1->CampoOrdine, f->NewDBGrid1->Columns()[0].FieldName());
    for (QAction* a : f->VisMenu->actions())
        if (a->text() == "Ordinamento &originale")
            a->trigger();
    EXPECT_EQ(f->NewDBGrid1->CampoOrdine, "ID_001_TABLE");

    // Find and the column chooser open their windows.
    for (QAction* a : f->VisMenu->actions())
        if (a->text() == "T&rova" || a->text() == "&Visualizza campi")
            a->trigger();
    EXPECT_TRUE(finto.finestreMostrate.contains("TrovaInNDBGForm"));
    EXPECT_TRUE(finto.finestreMostrate.contains("ColonneForm"));
}

// The rule of the commands, as it stands once every command is built.
TEST_F(MainFormTest, ComandiSecondoLoStato)
{
    const QStringList nonCostruiti = TMainForm::NonCostruiti;
    TMainForm::NonCostruiti.clear();
    const auto ripristina = qScopeGuard([&] { TMainForm::NonCostruiti = nonCostruiti; });
    registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    auto f = Avvia();
    // Table closed.
    EXPECT_FALSE(f->StampaBt->isEnabled());
    EXPECT_FALSE(f->F2->isEnabled());
    EXPECT_FALSE(f->RicercaBt->isEnabled());
    EXPECT_FALSE(f->DistanzeBT->isEnabled());
    EXPECT_FALSE(f->RimuoviBT->isEnabled());
    EXPECT_TRUE(f->UpdateBt->isEnabled());
    EXPECT_FALSE(f->RicercaMenu->isEnabled());
    EXPECT_FALSE(f->VisMenu->isEnabled());
    EXPECT_TRUE(f->EsciBt->isEnabled());
    EXPECT_TRUE(f->AiutoBt->isEnabled());

    // Table open.
    f->Table.Riapri();
    f->AggiornaComandi();
    EXPECT_TRUE(f->StampaBt->isEnabled());
    EXPECT_TRUE(f->F2->isEnabled());
    EXPECT_TRUE(f->RicercaBt->isEnabled());
    EXPECT_TRUE(f->RimuoviBT->isEnabled());
    EXPECT_TRUE(f->RicercaMenu->isEnabled());
    EXPECT_TRUE(f->VisMenu->isEnabled());

    // Survey-book results shown (their table not open).
    f->CrmPanel->show();
    f->AggiornaComandi();
    EXPECT_FALSE(f->StampaBt->isEnabled());
    EXPECT_FALSE(f->RicercaBt->isEnabled());
    EXPECT_FALSE(f->DistanzeBT->isEnabled());
    EXPECT_FALSE(f->UpdateBt->isEnabled());
    EXPECT_TRUE(f->RimuoviBT->isEnabled());
    EXPECT_FALSE(f->R1->isEnabled());
    EXPECT_FALSE(f->Tolleranza->isEnabled());
    EXPECT_FALSE(f->VisMenu->isEnabled());
    f->CrmPanel->hide();

    // No printer at all: printing stays off, the rest works.
    TMainForm::ContaStampanti = [] { return 0; };
    auto senza = Avvia();
    senza->Table.Riapri();
    senza->AggiornaComandi();
    EXPECT_FALSE(senza->StampaBt->isEnabled());
    EXPECT_FALSE(senza->F2->isEnabled());
    EXPECT_TRUE(senza->RicercaBt->isEnabled());
}

TEST_F(MainFormTest, PrimaPartenzaCreaLeTabelleEMostraLAvviso)
{
    auto f = Avvia();
    EXPECT_TRUE(QFile::exists(programma + "/Archivi/PRV.DB"));
    EXPECT_TRUE(f->Database.Connected());
    EXPECT_EQ(f->ProvinceCB->count(), 0);
    EXPECT_TRUE(f->ProvinceCB->currentText().isEmpty());
    // The directory component is not there: one error box, then the notice.
    ASSERT_EQ(finto.mostrati.size(), 1) << Testi().join('\n').toStdString();
    EXPECT_EQ(finto.mostrati[0].titolo, "Errore");
    EXPECT_EQ(finto.finestreMostrate, QStringList{"AvvisoForm"});
}

TEST_F(MainFormTest, SelezioneDiAvvio)
{
    CaricaPrv({"ROMA", "MILANO"});
    registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    ScriviValoriIniziali({"milano", "", ""});
    {
        auto f = Avvia();
        EXPECT_EQ(f->ProvinceCB->count(), 3);
        EXPECT_EQ(f->ProvinceCB->itemText(0), "Tutte le province");
        EXPECT_EQ(f->ProvinceCB->currentText(), "MILANO");
    }
    ScriviValoriIniziali({"FIRENZE", "FIRENZE", ""}); // no longer loaded
    {
        auto f = Avvia();
        EXPECT_NE(f->ProvinceCB->currentText(), "FIRENZE");
    }
    ScriviValoriIniziali({"", "", ""});
    auto f = Avvia();
    EXPECT_EQ(f->ProvinceCB->count(), 3);
    // VisualizzaFinestra "0" suppresses the notice.
    EXPECT_FALSE(finto.finestreMostrate.contains("AvvisoForm"));
}

TEST_F(MainFormTest, SchermataDellaFinestra)
{
    registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    auto f = Avvia();
    f->resize(1000, 600);
    QApplication::processEvents();
    // Some rows to show.
    {
        tabelle::TTable t(nullptr, &f->Archivio.sessione());
        t.DatabaseName = "Database";
        t.TableName = "Tratte.db";
        t.Open();
        for (int i = 0; i < 30; ++i) {
            t.Append();
            t.FieldByName("ComunePF1")->SetAsString("H501");
            t.FieldByName("FoglioPF1")->SetAsInteger(12);
            t.FieldByName("PF1")->SetAsInteger(i + 1);
            t.FieldByName("ComunePF2")->SetAsString("H501");
            t.FieldByName("FoglioPF2")->SetAsInteger(12);
            t.FieldByName("PF2")->SetAsInteger(i + 2);
            t.FieldByName("Protocollo")->SetAsString(QString("RM0%1").arg(100000 + i));
            t.FieldByName("Distanza")->SetAsFloat(120.5 + i * 7.25);
            t.FieldByName("ScartoQMedio")->SetAsFloat(0.015);
            t.Post();
        }
    }
    f->Table.Riapri();
    QApplication::processEvents();
    const QImage immagine = f->grab().toImage();
    ASSERT_FALSE(immagine.isNull());
    EXPECT_TRUE(immagine.save(QDir::current().filePath("finestra-principale.png")));
}

TEST_F(MainFormTest, GrigliaEBarraDelleTratte)
{
    registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    {
        auto f = Avvia();
        EXPECT_EQ(f->NewDBGrid1->RegPathName, "software\\quintor\\orbis77\\grigliatratte");
        EXPECT_EQ(f->NewDBGrid1->RegKey, "impostazioni");
        EXPECT_TRUE(f->NewDBGrid1->TitleHint);
        EXPECT_TRUE(f->NewDBGrid1->ReadOnly());
        ASSERT_EQ(f->NewDBGrid1->Columns().Count(), 13);
        EXPECT_EQ(f->NewDBGrid1->Columns()[10].FieldName(), "Protocollo");
        EXPECT_EQ(f->NewDBGrid1->CampiVisibili().size(), 15);
        EXPECT_FALSE(f->RecordBrowser1->VisInsertButton());
        EXPECT_EQ(f->RecordBrowser1->height(), f->RecordBrowser1->EditHeight() + 6);

        {
            tabelle::TTable t(nullptr, &f->Archivio.sessione());
            t.DatabaseName = "Database";
            t.TableName = "Tratte.db";
            t.Open();
            for (int i = 0; i < 3; ++i) {
                t.Append();
                t.FieldByName("ComunePF1")->SetAsString("H501");
                t.FieldByName("Distanza")->SetAsFloat(12.5 * (i + 1));
                t.Post();
            }
        }
        f->Table.Riapri();
        EXPECT_EQ(f->Pannello(3), "3");
        EXPECT_EQ(f->Table.FieldByName("SezionePF1")->DisplayLabel, "Sez. PF1");
        EXPECT_EQ(f->Table.FieldByName("FoglioPF2")->DisplayWidth, 5);
        EXPECT_EQ(f->Table.FieldByName("Distanza")->DisplayFormat, "#########.000");
        EXPECT_FALSE(f->Table.FieldByName("CodOp")->Visible);
        EXPECT_EQ(f->NewDBGrid1->model()->rowCount(), 3);
        EXPECT_EQ(f->NewDBGrid1->model()->index(0, 11).data().toString(), "12.500");
        f->Table.Close();
        EXPECT_EQ(f->Pannello(3), "");

        // Moving a column is a change: closing asks, Yes saves it.
        f->Table.Riapri();
        f->NewDBGrid1->Columns().Move(0, 1);
        f->NewDBGrid1->SegnaLayoutCambiato();
        finto.Rispondi(messaggi::mrYes);
        f->close();
        ASSERT_FALSE(finto.mostrati.isEmpty());
        EXPECT_EQ(finto.mostrati.last().testo, "Salvare le modifiche sulla lista?");
        EXPECT_EQ(finto.mostrati.last().titolo, "ATTENZIONE");
    }
    EXPECT_FALSE(registro::TRegIniFile("Software\\Quintor\\ORBIS77\\GrigliaTratte")
                     .ReadString("impostazioni", "HEX1", "")
                     .isEmpty());
    // The next start reads it back: the moved column stays moved.
    auto f = Avvia();
    EXPECT_EQ(f->NewDBGrid1->Columns()[0].FieldName(), "SezionePF1");
}

} // namespace

namespace {

TEST_F(MainFormTest, ComponenteDellaDirectoryCreatoERilasciato)
{
    prova::RegistraDirectory();
    registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    {
        auto f = Avvia();
        EXPECT_TRUE(finto.mostrati.isEmpty()) << Testi().join('\n').toStdString();
        ASSERT_TRUE(f->ComuniIntf);
        EXPECT_EQ(f->CartellaArchivioComuni, QStringLiteral(ARCHIVIO_COMUNI) + "/");
        EXPECT_TRUE(f->RisolviComune("ROMA"));
        EXPECT_EQ(f->CodiceFiscale, "H501");
        EXPECT_EQ(f->Provincia, "RM");
        EXPECT_EQ(f->NomeComune, "ROMA");
        EXPECT_EQ(f->ValoriComune.value(0), "TipoDati=COMUNE");
        // A code, and a name with an apostrophe.
        QString catastale, fiscale, provincia, nome;
        EXPECT_TRUE(f->RisolviComune("F205", catastale, fiscale, provincia, nome));
        EXPECT_EQ(nome, "MILANO");
        EXPECT_TRUE(f->RisolviComune("ACI SANT'ANTONIO", catastale, fiscale, provincia, nome));
        EXPECT_EQ(provincia, "CT");
        EXPECT_FALSE(f->RisolviComune("NESSUNCOMUNE", catastale, fiscale, provincia, nome));
        EXPECT_TRUE(nome.isEmpty());
    }
    // The window gave its reference back: the library may go.
    componenti::CoFreeUnusedLibraries();
    EXPECT_EQ(componenti::LibrerieCaricate(), 0);
}

} // namespace

namespace {

// The real message service: a box shown while the splash is up is still
// there once the splash has gone, until it is answered.
TEST(AvvioConIlServizioReale, UnErroreDiAvvioRestaFinoAllaRisposta)
{
    CartellaTemporanea cartella;
    const QString programma = cartella.sottocartella("Tratte");
    QDir(programma).mkpath("Archivi");
    registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    // The directory is not registered: "Classe non registrata".
    auto splashVisibile = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "StartForm" && w->isVisible())
                return true;
        return false;
    };
    QString testo;
    bool splashSparitoConIlBox = false;
    int giri = 0, senzaSplash = 0;
    QTimer controllo;
    controllo.setInterval(20);
    QObject::connect(&controllo, &QTimer::timeout, [&] {
        ++giri;
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        senzaSplash = splashVisibile() ? 0 : senzaSplash + 1;
        // The box has outlived the splash for a while; or time is up.
        if (senzaSplash >= 10 || giri > 250) {
            splashSparitoConIlBox = senzaSplash >= 10 && box->isVisible();
            testo = box->text();
            box->buttons().first()->click();
        }
    });
    controllo.start();
    {
        TMainForm f(programma);
        controllo.stop();
        EXPECT_TRUE(splashSparitoConIlBox);
        EXPECT_TRUE(testo.contains("{F6CC86A0-E389-11D3-B19A-444553540000}")) << testo.toStdString();
        EXPECT_FALSE(splashVisibile());
    }
}

// A registry folder that cannot be created: one clear message, the
// defaults, and every window on the program's own folders.
TEST_F(MainFormTest, RegistroNonScrivibile)
{
    prova::CopiaTabelleLavoro(programma);
    QFile file(cartella.file("file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("TRATTE_REGISTRO", cartella.file("file/registro").toLocal8Bit());
    // Started from another folder, which holds no tables.
    const QString corrente = QDir::currentPath();
    QDir::setCurrent(cartella.sottocartella("altrove"));
    {
        auto f = Avvia();
        TTratteForm lista(*f);
        TFormRicInsPF voce(*f);
        TAggForm aggiornamento(*f);
        TDelPrvForm eliminazione(*f);
        QApplication::processEvents();
        EXPECT_TRUE(f->Database.Connected());
        EXPECT_TRUE(lista.Table1.Active());
        EXPECT_TRUE(QFileInfo(lista.Table1.Percorso()).absolutePath().startsWith(programma));
        QStringList registro, altri;
        for (const auto& m : finto.mostrati)
            (m.testo.contains("file/registro") ? registro : altri) << m.titolo + ": " + m.testo;
        ASSERT_EQ(registro.size(), 1) << Testi().join('\n').toStdString();
        EXPECT_TRUE(registro[0].startsWith("Avviso: ")) << registro[0].toStdString();
        EXPECT_TRUE(registro[0].contains("si usano i valori predefiniti")) << registro[0].toStdString();
        // Nothing registered: the directory's class is missing; the notice
        // shows, as by default.
        ASSERT_EQ(altri.size(), 1) << altri.join('\n').toStdString();
        EXPECT_TRUE(altri[0].contains("{F6CC86A0-E389-11D3-B19A-444553540000}"));
        EXPECT_EQ(finto.finestreMostrate, QStringList{"AvvisoForm"});
    }
    QDir::setCurrent(corrente);
}

// F1 and the "Aiuto" button of every dialog with a help context open its topic.
TEST_F(MainFormTest, AiutoEF1InOgniFinestra)
{
    prova::CopiaTabelleLavoro(programma);
    registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    auto f = Avvia();
    TTratteForm lista(*f);
    TFormRicInsPF voce(*f);
    TAggForm aggiornamento(*f);
    TDelPrvForm eliminazione(*f);
    TTolleranzaForm tolleranza("100", f.get());
    QList<int> aperti;
    aiuto::ImpostaGestoreAiuto([&](int comando, quintptr dati, bool&) {
        if (comando == aiuto::HELP_CONTEXT)
            aperti << int(dati);
        return true;
    });
    const QList<std::tuple<QDialog*, QAbstractButton*, int>> finestre{
        {&aggiornamento, aggiornamento.HelpBT, 10}, {&eliminazione, eliminazione.AiutoBT, 29}, {&lista, lista.AiutoBT, 17},
        {&voce, voce.AiutoBT, 31}, {&tolleranza, tolleranza.AiutoBitBtn, 26}};
    for (const auto& [finestra, pulsante, contesto] : finestre) {
        aperti.clear();
        finestra->show();
        finestra->activateWindow();
        // A dialog counts as active with its main window: wait for its own activation.
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == finestra; }))
            << finestra->objectName().toStdString();
        QWidget* fuoco = finestra->focusWidget() ? finestra->focusWidget() : finestra;
        QTest::keyClick(fuoco, Qt::Key_F1);
        pulsante->click();
        EXPECT_EQ(aperti, (QList<int>{contesto, contesto})) << finestra->objectName().toStdString();
        finestra->hide();
    }
    aiuto::ImpostaGestoreAiuto({});
}

} // namespace
