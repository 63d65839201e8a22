// The tolerance check: the rule of the three zones and its texts, the
// dialog driven offscreen through its keys and zones, its opening from the
// main window on the current row, and tratte-cli tolleranza.
#include "aiuto/applicazione.h"
#include "app/configurazione.h"
#include "app/mainform.h"
#include "app/tolleranza/regolatolleranza.h"
#include "app/tolleranza/ttolleranzaform.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "registro/treginifile.h"
#include "supporto/cartella_temporanea.h"
#include "supporto_app.h"
#include "tabelle/tabella.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tratte;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

const QColor Verde(0, 128, 0);
const QColor Rosso(255, 0, 0);

EsitoControllo Controlla(const QString& misurata, const QString& archiviata, ZonaRilievo zona)
{
    const std::optional<EsitoControllo> esito = ControllaTolleranza(misurata, archiviata, zona);
    EXPECT_TRUE(esito.has_value()) << misurata.toStdString() << " / " << archiviata.toStdString();
    return esito.value_or(EsitoControllo{});
}

TEST(RegolaTolleranza, ZoneECostanti)
{
    EXPECT_EQ(Costanti(ZonaRilievo::Urbana).testo, "Urbana o di espansione urbanistica");
    EXPECT_EQ(Costanti(ZonaRilievo::ExtraurbanaPianeggiante).testo, "Extraurbana pianeggiante parzialmente ondulata");
    EXPECT_EQ(Costanti(ZonaRilievo::ExtraurbanaSfavorevole).testo, "Extraurbana con terreno sfavorevole");
    EXPECT_EQ(ZonaDaIndice(0), ZonaRilievo::Urbana);
    EXPECT_EQ(ZonaDaIndice(2), ZonaRilievo::ExtraurbanaSfavorevole);
    EXPECT_FALSE(ZonaDaIndice(-1));
    EXPECT_FALSE(ZonaDaIndice(3));
    // T = b x D + a in each zone, at 100 m.
    EXPECT_DOUBLE_EQ(TRegolaTolleranza(ZonaRilievo::Urbana).Proporzionale(100), 0.18);
    EXPECT_DOUBLE_EQ(TRegolaTolleranza(ZonaRilievo::ExtraurbanaPianeggiante).Proporzionale(100), 0.21);
    EXPECT_DOUBLE_EQ(TRegolaTolleranza(ZonaRilievo::ExtraurbanaSfavorevole).Proporzionale(100), 0.3);
}

TEST(RegolaTolleranza, ProporzionaleFinoA300FissaOltre)
{
    // Archived 100, typed 100.1, urban zone.
    EsitoControllo e = Controlla("100.1", "100", ZonaRilievo::Urbana);
    EXPECT_EQ(e.testoDifferenza, "0.0999999999999943");
    EXPECT_EQ(e.testoTolleranza, "     0.180");
    EXPECT_EQ(e.testoEsito, "IN TOLLERANZA");
    EXPECT_DOUBLE_EQ(TRegolaTolleranza(ZonaRilievo::Urbana).Proporzionale(100.1), 0.18013);

    // Archived 250, typed 250.5, flat zone: T = 0.4508.
    e = Controlla("250.5", "250", ZonaRilievo::ExtraurbanaPianeggiante);
    EXPECT_EQ(e.testoDifferenza, "0.5");
    EXPECT_EQ(e.testoTolleranza, "     0.451");
    EXPECT_EQ(e.testoEsito, "FUORI TOLLERANZA");

    // Beyond 300 m the fixed value, shown in its general text.
    EXPECT_EQ(Controlla("400", "400.69", ZonaRilievo::ExtraurbanaSfavorevole).testoEsito, "IN TOLLERANZA");
    e = Controlla("400", "400.71", ZonaRilievo::ExtraurbanaSfavorevole);
    EXPECT_EQ(e.testoTolleranza, "0.7");
    EXPECT_EQ(e.testoEsito, "FUORI TOLLERANZA");
    EXPECT_EQ(Controlla("1000", "1000", ZonaRilievo::Urbana).testoTolleranza, "0.45");
    EXPECT_EQ(Controlla("1000", "1000", ZonaRilievo::ExtraurbanaPianeggiante).testoTolleranza, "0.55");

    // The tolerance comes from the typed distance, not from the archived one.
    EXPECT_EQ(Controlla("299", "310", ZonaRilievo::Urbana).testoTolleranza, "     0.439");
    EXPECT_EQ(Controlla("310", "299", ZonaRilievo::Urbana).testoTolleranza, "0.45");

    // Just below 300 m the proportional value, rounded to three decimals.
    EXPECT_EQ(Controlla("299.99", "299.99", ZonaRilievo::Urbana).testoTolleranza, "     0.440");
}

TEST(RegolaTolleranza, Esattamente300Metri)
{
    // At 300 m the fixed value is shown, the verdict compares with T:
    // 0.44, 0.53 and 0.7.
    struct Caso {
        ZonaRilievo zona;
        const char* mostrata;
        const char* dentro;
        const char* fuori; // out on T (and, in the first two zones, within F)
    };
    const Caso casi[] = {{ZonaRilievo::Urbana, "0.45", "300.43", "300.445"},
                         {ZonaRilievo::ExtraurbanaPianeggiante, "0.55", "300.52", "300.54"},
                         {ZonaRilievo::ExtraurbanaSfavorevole, "0.7", "300.69", "300.71"}};
    for (const Caso& c : casi) {
        SCOPED_TRACE(int(c.zona));
        EsitoControllo e = Controlla("300", c.dentro, c.zona);
        EXPECT_EQ(e.testoTolleranza, c.mostrata);
        EXPECT_EQ(e.testoEsito, "IN TOLLERANZA");
        e = Controlla("300", c.fuori, c.zona);
        EXPECT_EQ(e.testoTolleranza, c.mostrata);
        EXPECT_EQ(e.testoEsito, "FUORI TOLLERANZA");
    }
    // The same difference a millimetre beyond 300 m is judged on F.
    EXPECT_EQ(Controlla("300.001", "300.446", ZonaRilievo::Urbana).testoEsito, "IN TOLLERANZA");
    EXPECT_EQ(Controlla("300.001", "300.541", ZonaRilievo::ExtraurbanaPianeggiante).testoEsito, "IN TOLLERANZA");
}

TEST(RegolaTolleranza, DifferenzaUgualeEFuori)
{
    // Constants exact in binary: T = 0.25 x 2 + 0.5 = 1 and F = 1.
    const TRegolaTolleranza regola(1.0, 0.25, 0.5);
    EXPECT_FALSE(regola.InTolleranza(2, 1.0));
    EXPECT_TRUE(regola.InTolleranza(2, 0.999));
    EXPECT_FALSE(regola.InTolleranza(500, 1.0));
    EXPECT_TRUE(regola.InTolleranza(500, 0.9375));
    // The verdict follows the difference as it is computed and shown:
    // 300.7 - 300 is 0.699999999999989, below 0.7.
    const EsitoControllo e = Controlla("300.7", "300", ZonaRilievo::ExtraurbanaSfavorevole);
    EXPECT_EQ(e.testoDifferenza, "0.699999999999989");
    EXPECT_EQ(e.testoEsito, "IN TOLLERANZA");
    // The absolute difference, either way round.
    EXPECT_EQ(Controlla("99.9", "100", ZonaRilievo::Urbana).testoDifferenza, "0.0999999999999943");
}

TEST(RegolaTolleranza, TestoGeneraleDeiNumeri)
{
    EXPECT_EQ(TestoGenerale(0), "0");
    EXPECT_EQ(TestoGenerale(0.5), "0.5");
    EXPECT_EQ(TestoGenerale(0.1 + 0.2), "0.3");
    EXPECT_EQ(TestoGenerale(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(TestoGenerale(2.0 / 3), "0.666666666666667");
    EXPECT_EQ(TestoGenerale(123.456), "123.456");
    EXPECT_EQ(TestoGenerale(-2.5), "-2.5");
    // Fixed down to 0.0001, scientific below it.
    EXPECT_EQ(TestoGenerale(0.0001), "0.0001");
    EXPECT_EQ(TestoGenerale(0.00012), "0.00012");
    EXPECT_EQ(TestoGenerale(0.00001), "1E-5");
    EXPECT_EQ(TestoGenerale(0.0000442615029219009), "4.42615029219009E-5");
    EXPECT_EQ(TestoGenerale(-2.5e-7), "-2.5E-7");
    EXPECT_EQ(TestoGenerale(1e-300), "1E-300");
    // Fixed up to 15 integer digits, scientific from 16 on.
    EXPECT_EQ(TestoGenerale(100000000000000.0), "100000000000000");
    EXPECT_EQ(TestoGenerale(1e15), "1E15");
    EXPECT_EQ(TestoGenerale(1234567890123456.0), "1.23456789012346E15");
    EXPECT_EQ(TestoGenerale(1e100), "1E100");
    EXPECT_EQ(TestoGenerale(999999999999999.9), "1E15");
    // Small differences between close distances.
    EXPECT_EQ(Controlla("100.00001", "100", ZonaRilievo::Urbana).testoDifferenza, "1.00000000031741E-5");
    EXPECT_EQ(Controlla("0.00005", "0", ZonaRilievo::Urbana).testoDifferenza, "5E-5");
    EXPECT_EQ(Controlla("100", "100", ZonaRilievo::Urbana).testoDifferenza, "0");
}

TEST(RegolaTolleranza, LetturaDeiNumeri)
{
    EXPECT_EQ(LeggiNumero("12.5"), 12.5);
    EXPECT_EQ(LeggiNumero("5."), 5.0);
    EXPECT_EQ(LeggiNumero(".5"), 0.5);
    EXPECT_EQ(LeggiNumero("  7 "), 7.0);
    EXPECT_EQ(LeggiNumero("+2"), 2.0);
    EXPECT_EQ(LeggiNumero("-2"), -2.0);
    EXPECT_EQ(LeggiNumero("1E3"), 1000.0);
    EXPECT_EQ(LeggiNumero("2.5E-7"), 2.5e-7);
    for (const char* non : {"", " ", ".", "-", "1.2.3", "1,5", "abc", "12a", "1e", "1e999", "inf", "nan", "0x10"})
        EXPECT_FALSE(LeggiNumero(non)) << non;
    // The user's locale does not change the separator.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    EXPECT_EQ(LeggiNumero("1.5"), 1.5);
    EXPECT_FALSE(LeggiNumero("1,5"));
    EXPECT_EQ(TestoGenerale(1.5), "1.5");
    EXPECT_EQ(Controlla("100.1", "100", ZonaRilievo::Urbana).testoTolleranza, "     0.180");
    QLocale::setDefault(QLocale::c());
    // Either text not a number: no result.
    EXPECT_FALSE(ControllaTolleranza(".", "100", ZonaRilievo::Urbana));
    EXPECT_FALSE(ControllaTolleranza("100", "", ZonaRilievo::Urbana));
}

// The dialog on its own, shown offscreen.
class TolleranzaFormTest : public ::testing::Test {
protected:
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};

    static void Mostra(TTolleranzaForm& f)
    {
        f.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    }

    static void Zona(TTolleranzaForm& f, int indice)
    {
        f.RadioGroup1->findChild<QRadioButton*>(QStringLiteral("RadioGroup1Voce%1").arg(indice))->click();
    }

    static QColor Colore(const TTolleranzaForm& f) { return f.RisPanel->palette().color(QPalette::Window); }

    static QStringList Mostrato(const TTolleranzaForm& f)
    {
        return {f.DifferenzaEdit->text(), f.TolleranzaEdit->text(), f.RisPanel->text()};
    }

    int Avvisi() const
    {
        int n = 0;
        for (const auto& m : finto.mostrati)
            n += m.testo == "Inserire la distanza rilevata";
        return n;
    }
};

TEST_F(TolleranzaFormTest, AperturaEControlli)
{
    TTolleranzaForm f("100");
    f.DistanzaEdit->setText("55"); // what a previous use would leave
    Mostra(f);
    EXPECT_EQ(f.windowTitle(), "Controllo della tolleranza");
    EXPECT_EQ(f.property("helpContext").toInt(), 26);
    EXPECT_EQ(f.TrattaEdit->text(), "100");
    EXPECT_TRUE(f.TrattaEdit->isReadOnly());
    EXPECT_EQ(f.TrattaEdit->palette().color(QPalette::Base), QColor(0, 255, 255));
    EXPECT_FALSE(f.TrattaEdit->focusPolicy() & Qt::TabFocus);
    EXPECT_TRUE(f.DifferenzaEdit->isReadOnly());
    EXPECT_FALSE(f.DifferenzaEdit->hasFrame());
    EXPECT_TRUE(f.TolleranzaEdit->isReadOnly());
    EXPECT_FALSE(f.DistanzaEdit->isReadOnly());
    EXPECT_EQ(f.DistanzaEdit->text(), "");
    EXPECT_EQ(Mostrato(f), QStringList({"", "", ""}));
    EXPECT_EQ(Colore(f), QColor(Qt::white));
    EXPECT_EQ(f.RisPanel->font().pixelSize(), 13);
    EXPECT_TRUE(f.RisPanel->font().bold());
    EXPECT_EQ(f.RadioGroup1->title(), "Zona del rilievo");
    EXPECT_EQ(f.ItemIndex(), 1);
    EXPECT_EQ(f.AnnullaBitBtn->text(), "Chiudi");
    EXPECT_EQ(f.AiutoBitBtn->text(), "Aiuto");
    EXPECT_EQ(QApplication::focusWidget(), f.DistanzaEdit);
    // Clearing and selecting at opening run no handler: no message.
    EXPECT_TRUE(finto.mostrati.isEmpty());

    int contesto = 0;
    aiuto::ImpostaGestoreAiuto([&](int comando, quintptr dati, bool&) {
        if (comando == aiuto::HELP_CONTEXT)
            contesto = int(dati);
        return true;
    });
    f.AiutoBitBtn->click();
    aiuto::ImpostaGestoreAiuto({});
    EXPECT_EQ(contesto, 26);
    f.AnnullaBitBtn->click();
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), messaggi::mrCancel);
}

TEST_F(TolleranzaFormTest, TastiAmmessi)
{
    TTolleranzaForm f("100");
    Mostra(f);
    // Letters, signs and a second point are discarded.
    QTest::keyClicks(f.DistanzaEdit, "1a0-0.,1.5 e");
    EXPECT_EQ(f.DistanzaEdit->text(), "100.15");
    QTest::keyClick(f.DistanzaEdit, Qt::Key_Backspace);
    EXPECT_EQ(f.DistanzaEdit->text(), "100.1");
    // With the point deleted a new one passes.
    QTest::keyClick(f.DistanzaEdit, Qt::Key_Left);
    QTest::keyClick(f.DistanzaEdit, Qt::Key_Backspace);
    EXPECT_EQ(f.DistanzaEdit->text(), "1001");
    QTest::keyClick(f.DistanzaEdit, Qt::Key_End);
    QTest::keyClicks(f.DistanzaEdit, ".");
    EXPECT_EQ(f.DistanzaEdit->text(), "1001.");

    // The handler on its own.
    QChar tasto('x');
    f.DistanzaEditKeyPress(tasto);
    EXPECT_TRUE(tasto.isNull());
    tasto = QChar('.');
    f.DistanzaEditKeyPress(tasto);
    EXPECT_TRUE(tasto.isNull());
    tasto = QChar('\b');
    f.DistanzaEditKeyPress(tasto);
    EXPECT_EQ(tasto, QChar('\b'));
    tasto = QChar('7');
    f.DistanzaEditKeyPress(tasto);
    EXPECT_EQ(tasto, QChar('7'));

    // Shortcuts and Escape keep their meaning in the field.
    QTest::keyClick(f.DistanzaEdit, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(f.DistanzaEdit->selectedText(), "1001.");
    QTest::keyClick(f.DistanzaEdit, Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), messaggi::mrCancel);
}

TEST_F(TolleranzaFormTest, CalcoloAOgniTastoEZona)
{
    TTolleranzaForm f("100");
    Mostra(f);
    // A zone chosen before any distance asks for it.
    Zona(f, 0);
    EXPECT_EQ(f.ItemIndex(), 0);
    EXPECT_EQ(Avvisi(), 1);
    EXPECT_EQ(QApplication::focusWidget(), f.DistanzaEdit);

    QTest::keyClicks(f.DistanzaEdit, "1");
    EXPECT_EQ(Mostrato(f), QStringList({"99", "     0.051", "FUORI TOLLERANZA"}));
    EXPECT_EQ(Colore(f), Rosso);
    QTest::keyClicks(f.DistanzaEdit, "00.1");
    EXPECT_EQ(Mostrato(f), QStringList({"0.0999999999999943", "     0.180", "IN TOLLERANZA"}));
    EXPECT_EQ(Colore(f), Verde);
    EXPECT_DOUBLE_EQ(f.Differenza, 100.1 - 100);

    // Another zone recomputes at once on the same distance.
    Zona(f, 2);
    EXPECT_EQ(Mostrato(f), QStringList({"0.0999999999999943", "     0.300", "IN TOLLERANZA"}));
    f.DistanzaEdit->selectAll();
    QTest::keyClicks(f.DistanzaEdit, "250.5");
    f.TrattaEdit->setText("250");
    f.SetItemIndex(1);
    EXPECT_EQ(Mostrato(f), QStringList({"0.5", "     0.451", "FUORI TOLLERANZA"}));
    EXPECT_EQ(Colore(f), Rosso);
    f.SetItemIndex(2);
    EXPECT_EQ(Mostrato(f), QStringList({"0.5", "     0.601", "IN TOLLERANZA"}));
    EXPECT_EQ(Colore(f), Verde);

    // Exactly 300 m in the urban zone: 0.45 shown, judged on 0.44.
    f.SetItemIndex(0);
    f.TrattaEdit->setText("300.445");
    f.DistanzaEdit->selectAll();
    QTest::keyClicks(f.DistanzaEdit, "300");
    EXPECT_EQ(Mostrato(f), QStringList({"0.444999999999993", "0.45", "FUORI TOLLERANZA"}));
    EXPECT_EQ(Avvisi(), 1);
}

TEST_F(TolleranzaFormTest, FallimentiSilenziosiEDistanzaVuota)
{
    TTolleranzaForm f("100");
    Mostra(f);
    // A lone point is not a number: nothing changes, no message.
    QTest::keyClicks(f.DistanzaEdit, ".");
    EXPECT_EQ(Mostrato(f), QStringList({"", "", ""}));
    QTest::keyClicks(f.DistanzaEdit, "5");
    EXPECT_EQ(Mostrato(f), QStringList({"99.5", "     0.051", "FUORI TOLLERANZA"}));
    EXPECT_TRUE(finto.mostrati.isEmpty());

    // Deleting the last character asks for the distance and keeps the rest.
    QTest::keyClick(f.DistanzaEdit, Qt::Key_Backspace);
    EXPECT_EQ(f.DistanzaEdit->text(), ".");
    EXPECT_EQ(Mostrato(f), QStringList({"99.5", "     0.051", "FUORI TOLLERANZA"}));
    QTest::keyClick(f.DistanzaEdit, Qt::Key_Backspace);
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati[0].testo, "Inserire la distanza rilevata");
    EXPECT_EQ(finto.mostrati[0].pulsanti, messaggi::Pulsanti::Ok);
    EXPECT_EQ(Mostrato(f), QStringList({"99.5", "     0.051", "FUORI TOLLERANZA"}));
    EXPECT_EQ(QApplication::focusWidget(), f.DistanzaEdit);

    // No archived distance (a null field): typing shows nothing, silently.
    TTolleranzaForm vuota("");
    Mostra(vuota);
    QTest::keyClicks(vuota.DistanzaEdit, "120.3");
    vuota.SetItemIndex(2);
    EXPECT_EQ(Mostrato(vuota), QStringList({"", "", ""}));
    EXPECT_EQ(finto.mostrati.size(), 1);

    // The steps on their own throw on a text that is not a number.
    EXPECT_ANY_THROW(f.CalcolaDifferenza("12", ""));
    EXPECT_ANY_THROW(f.VerificaTolleranza(".", 0.45, 0.0013, 0.05));
}

TEST_F(TolleranzaFormTest, StessiTestiDellaRegola)
{
    // What the dialog shows is what tratte-cli prints for the same input.
    TTolleranzaForm f("");
    Mostra(f);
    const char* archiviate[] = {"100", "250", "299.999", "300", "300.46", "1234.567", "0.001"};
    const char* misurate[] = {"100.1", "250.5", "300", "300.001", "99.87", "1234.5", "0.00105"};
    for (int zona = 0; zona < 3; ++zona)
        for (const char* a : archiviate)
            for (const char* m : misurate) {
                f.TrattaEdit->setText(a);
                f.SetItemIndex(zona);
                f.DistanzaEdit->setText(m);
                const EsitoControllo e = Controlla(m, a, *ZonaDaIndice(zona));
                EXPECT_EQ(Mostrato(f), QStringList({e.testoDifferenza, e.testoTolleranza, e.testoEsito}))
                    << zona << ' ' << a << ' ' << m;
                EXPECT_EQ(Colore(f), e.inTolleranza ? Verde : Rosso);
                f.DistanzaEdit->setText("1"); // a change for the next round
            }
}

// The dialog opened by the main window.
class ApriTolleranzaTest : public ::testing::Test {
protected:
    CartellaTemporanea cartella;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    QString programma = cartella.sottocartella("Tratte");

    ApriTolleranzaTest()
    {
        QDir(programma).mkpath("Archivi");
        registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
        tabelle::TSession s;
        prova::CaricaProvince(s, programma, {{"LT", "LATINA"}});
        tabelle::TTable t(nullptr, &s);
        t.DatabaseName = programma + "/Archivi";
        t.TableName = "Tratte.db";
        t.Open();
        const double distanze[] = {120.25, 87.5};
        for (int pf = 1; pf <= 2; ++pf) {
            t.Append();
            t.FieldByName("ComunePF1")->SetAsString("E472");
            t.FieldByName("PF1")->SetAsInteger(pf);
            t.FieldByName("ComunePF2")->SetAsString("E472");
            t.FieldByName("PF2")->SetAsInteger(pf + 10);
            t.FieldByName("Provincia")->SetAsString("LT");
            t.FieldByName("Distanza")->SetAsFloat(distanze[pf - 1]);
            t.Post();
        }
        // The third row has no distance.
        t.Append();
        t.FieldByName("ComunePF1")->SetAsString("E472");
        t.FieldByName("PF1")->SetAsInteger(3);
        t.FieldByName("Provincia")->SetAsString("LT");
        t.Post();
    }

    std::unique_ptr<TMainForm> Avvia()
    {
        auto f = std::make_unique<TMainForm>(programma);
        f->show();
        QApplication::processEvents();
        finto.mostrati.clear(); // the box of the directory component, not registered here
        return f;
    }

    // Scripts the next dialog: shows it, remembers the archived distance and
    // the result of typing `misurata`, closes it with Chiudi.
    void Copione(QString& tratta, QString& esito, const QString& misurata = "120")
    {
        finto.ScriviModale([&tratta, &esito, misurata](QDialog& d) {
            auto& f = dynamic_cast<TTolleranzaForm&>(d);
            f.show();
            tratta = f.TrattaEdit->text();
            QTest::keyClicks(f.DistanzaEdit, misurata);
            esito = f.RisPanel->text();
            f.AnnullaBitBtn->click();
            return f.result();
        });
    }
};

TEST_F(ApriTolleranzaTest, ConTabellaChiusaNessunaFinestra)
{
    auto f = Avvia();
    ASSERT_FALSE(f->Table.Active());
    f->ApriTolleranza();
    f->DistanzeBTClick();
    f->TolleranzaClick();
    f->NewDBGrid1DblClick();
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

TEST_F(ApriTolleranzaTest, SullaDistanzaDellaRigaCorrente)
{
    auto f = Avvia();
    f->Table.Riapri();
    f->AggiornaComandi();
    ASSERT_TRUE(f->Table.Active());
    ASSERT_EQ(f->Table.RecordCount(), 3);

    // Each row through another entry: the button, the menu item, a double
    // click on the grid.
    const std::function<void()> entrate[] = {[&] { f->DistanzeBT->click(); }, [&] { f->Tolleranza->trigger(); },
                                             [&] { f->NewDBGrid1DblClick(); }};
    QStringList tratte;
    for (int r = 1; r <= 3; ++r) {
        QString tratta, esito;
        Copione(tratta, esito, "87.6");
        f->Table.SetRecNo(r);
        const QString distanza = f->Table.FieldByName("Distanza")->AsString();
        entrate[r - 1]();
        ASSERT_EQ(finto.finestreMostrate.size(), r);
        EXPECT_EQ(finto.finestreMostrate.last(), "TolleranzaForm");
        EXPECT_EQ(tratta, distanza);
        EXPECT_EQ(esito, distanza == "87.5" ? "IN TOLLERANZA" : distanza.isEmpty() ? "" : "FUORI TOLLERANZA");
        tratte << tratta;
    }
    tratte.sort();
    EXPECT_EQ(tratte, QStringList({"", "120.25", "87.5"}));
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

// tratte-cli tolleranza.
struct Esito {
    int codice;
    QString uscita;
    QString errori;
};

Esito Cli(const QStringList& argomenti)
{
    QProcess p;
    p.start(QStringLiteral(TRATTE_CLI), QStringList{"tolleranza"} + argomenti);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

TEST(TratteCliTolleranza, TreRigheComeNelControllo)
{
    Esito e = Cli({"100", "100.1", "0"});
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_EQ(e.uscita, "Differenza=0.0999999999999943\nTolleranza=     0.180\nEsito=IN TOLLERANZA\n");
    e = Cli({"250", "250.5", "1"});
    EXPECT_EQ(e.uscita, "Differenza=0.5\nTolleranza=     0.451\nEsito=FUORI TOLLERANZA\n");
    e = Cli({"300.445", "300", "0"});
    EXPECT_EQ(e.uscita, "Differenza=0.444999999999993\nTolleranza=0.45\nEsito=FUORI TOLLERANZA\n");
    e = Cli({"400.69", "400", "2"});
    EXPECT_EQ(e.uscita, "Differenza=0.689999999999998\nTolleranza=0.7\nEsito=IN TOLLERANZA\n");
    e = Cli({"100", "100.00001", "2"});
    EXPECT_EQ(e.uscita, "Differenza=1.00000000031741E-5\nTolleranza=     0.300\nEsito=IN TOLLERANZA\n");
}

TEST(TratteCliTolleranza, ArgomentiErrati)
{
    for (const QStringList& argomenti : {QStringList{"100", "."}, QStringList{"100", "1,5", "0"},
                                         QStringList{"", "100", "0"}, QStringList{"100", "abc", "1"}}) {
        const Esito e = Cli(argomenti);
        EXPECT_EQ(e.codice, 2) << argomenti.join(' ').toStdString();
        EXPECT_FALSE(e.errori.isEmpty());
        EXPECT_TRUE(e.uscita.isEmpty());
    }
    Esito e = Cli({"100", "abc", "1"});
    EXPECT_TRUE(e.errori.contains("'abc'")) << e.errori.toStdString();
    e = Cli({"100", "", "1"});
    EXPECT_EQ(e.codice, 2);
    EXPECT_TRUE(e.errori.contains("Inserire la distanza rilevata"));
    for (const char* zona : {"3", "-1", "x", "1.0"}) {
        e = Cli({"100", "100.1", zona});
        EXPECT_EQ(e.codice, 2) << zona;
        EXPECT_TRUE(e.errori.contains("Zona")) << e.errori.toStdString();
    }
}

TEST(TratteCliTolleranza, DistanzeCheIlControlloNonPrende)
{
    // Negative, with an exponent or a sign, too long to be a distance of the
    // archive, or not finite, measured or archived: a message, exit 2,
    // nothing on standard output.
    const QList<std::pair<QStringList, QString>> casi = {
        {{"100", "-5", "0"}, "La distanza non può essere negativa: -5\n"},
        {{"-100.5", "100", "1"}, "La distanza non può essere negativa: -100.5\n"},
        {{"1e308", "-1e308", "0"}, "'1e308': la distanza si scrive con sole cifre e al più un punto decimale\n"},
        {{"100", "1E2", "0"}, "'1E2': la distanza si scrive con sole cifre e al più un punto decimale\n"},
        {{"100", "+100", "0"}, "'+100': la distanza si scrive con sole cifre e al più un punto decimale\n"},
        {{"100", "1234567890123", "0"}, "'1234567890123': la distanza ha più di 12 caratteri\n"},
        {{"100", QString(400, '9'), "0"}, QString("'%1': la distanza ha più di 12 caratteri\n").arg(QString(400, '9'))},
        {{"inf", "100", "0"}, "'inf' non è un valore numerico valido\n"},
        {{"100", "nan", "0"}, "'nan' non è un valore numerico valido\n"},
    };
    for (const auto& [argomenti, messaggio] : casi) {
        const Esito e = Cli(argomenti);
        EXPECT_EQ(e.codice, 2) << argomenti.join(' ').toStdString();
        EXPECT_EQ(e.errori, messaggio) << argomenti.join(' ').toStdString();
        EXPECT_TRUE(e.uscita.isEmpty()) << e.uscita.toStdString();
    }
    // The longest distance taken, and a zero one.
    Esito e = Cli({"99999999.999", "99999999.5", "2"});
    EXPECT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_EQ(e.uscita, "Differenza=0.498999997973442\nTolleranza=0.7\nEsito=IN TOLLERANZA\n");
    e = Cli({"0", "0.", "0"});
    EXPECT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_EQ(e.uscita, "Differenza=0\nTolleranza=     0.050\nEsito=IN TOLLERANZA\n");
}

} // namespace
