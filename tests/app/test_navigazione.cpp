// Province and comune navigation of the main window, on a temporary
// installation with two provinces and the delivered directory archive.
#include "app/configurazione.h"
#include "app/finestre/tattendereform.h"
#include "app/mainform.h"
#include "supporto_app.h"
#include "scritturaarchivio.h"
#include "componenti/server.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "registro/treginifile.h"
#include "supporto/cartella_temporanea.h"
#include "tabelle/query.h"
#include "tabelle/sorgente.h"
#include "tabelle/tabella.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tratte;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& s, std::ostream* os) { *os << '[' << s.join(", ").toStdString() << ']'; }

namespace {

struct Tratta {
    const char* comune;
    const char* sezione; // nullptr: never written
    const char* provincia;
};

class NavigazioneTest : public ::testing::Test {
protected:
    CartellaTemporanea cartella;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    QString programma = cartella.sottocartella("Tratte");

    NavigazioneTest()
    {
        QDir(programma).mkpath("Archivi");
        prova::RegistraDirectory();
        registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    }

    // Provinces (code, name) in PRV.DB and rows in Tratte.db.
    void Carica(const QList<QPair<QString, QString>>& province, const QList<Tratta>& tratte)
    {
        tabelle::TSession s;
        prova::CaricaProvince(s, programma, province);
        tabelle::TTable t(nullptr, &s);
        t.DatabaseName = programma + "/Archivi";
        t.TableName = "Tratte.db";
        t.Open();
        int pf = 0;
        for (const Tratta& r : tratte) {
            t.Append();
            t.FieldByName("ComunePF1")->SetAsString(r.comune);
            if (r.sezione)
                t.FieldByName("SezionePF1")->SetAsString(r.sezione);
            t.FieldByName("PF1")->SetAsInteger(++pf);
            t.FieldByName("ComunePF2")->SetAsString(r.comune);
            t.FieldByName("Provincia")->SetAsString(r.provincia);
            t.FieldByName("Distanza")->SetAsFloat(100.0 + pf);
            t.Post();
        }
    }

    // Latina and La Spezia: their comuni codes share the prefix "E4".
    void DueProvince()
    {
        Carica({{"LT", "LATINA"}, {"SP", "LA SPEZIA"}},
               {{"E472", "", "LT"}, {"E472", nullptr, "LT"}, {"C740", "", "LT"}, {"A341", "A", "LT"}, {"E463", "", "SP"}});
    }

    std::unique_ptr<TMainForm> Avvia()
    {
        auto f = std::make_unique<TMainForm>(programma);
        f->show();
        QApplication::processEvents();
        return f;
    }

    static void Scegli(QComboBox* c, const QString& voce)
    {
        const int i = c->findText(voce, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        ASSERT_GE(i, 0) << voce.toStdString();
        c->setCurrentIndex(i);
    }

    // Keys go where the window system sends them: to the widget that holds
    // the focus when the box has it (the end of its focus proxies), not
    // to the box's edit field.
    static QWidget* Fuoco(QComboBox* c)
    {
        QWidget* w = c;
        while (w->focusProxy())
            w = w->focusProxy();
        return w;
    }

    static void Digita(QComboBox* c, const QString& testo)
    {
        for (QChar ch : testo) {
            const int tasto = ch == ' ' ? Qt::Key_Space : int(ch.toUpper().unicode());
            QKeyEvent e(QEvent::KeyPress, tasto, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(Fuoco(c), &e);
        }
    }

    static void Invio(QComboBox* c)
    {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
        QApplication::sendEvent(Fuoco(c), &e);
    }

    static QStringList Voci(const QComboBox* c)
    {
        QStringList v;
        for (int i = 0; i < c->count(); ++i)
            v << c->itemText(i);
        return v;
    }

    static QStringList ComuniMostrati(TMainForm& f)
    {
        QStringList v;
        for (int r = 0; r < f.Table.RecordCount(); ++r)
            v << f.Table.ValoreRiga(r, f.Table.FieldByName("ComunePF1")->Index()).toString();
        v.sort();
        return v;
    }
};

TEST_F(NavigazioneTest, SenzaProvinceCaricate)
{
    Carica({}, {});
    auto f = Avvia();
    EXPECT_EQ(f->ProvinceCB->count(), 0);
    EXPECT_EQ(f->ComuniCB->count(), 0);
    EXPECT_FALSE(f->Table.TDataSet::Active());
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

TEST_F(NavigazioneTest, ElenchiDelleProvinceEDeiComuni)
{
    DueProvince();
    auto f = Avvia();
    EXPECT_EQ(Voci(f->ProvinceCB).value(0), "Tutte le province");
    EXPECT_EQ(f->ProvinceCB->count(), 3);
    // Loading again adds nothing.
    f->CaricaProvince();
    EXPECT_EQ(f->ProvinceCB->count(), 3);

    Scegli(f->ProvinceCB, "LATINA");
    QStringList comuni = Voci(f->ComuniCB);
    EXPECT_EQ(comuni.value(0), "Tutti i Comuni");
    EXPECT_EQ(comuni.size(), 34);
    EXPECT_TRUE(comuni.contains("CISTERNA DI LATINA"));
    EXPECT_FALSE(comuni.contains("LA SPEZIA"));
    EXPECT_TRUE(f->ComuniCB->currentText().isEmpty());
    EXPECT_EQ(f->Provincia, "LT");
    EXPECT_FALSE(f->Table.TDataSet::Active());
    EXPECT_FALSE(f->RicercaBt->isEnabled());

    Scegli(f->ProvinceCB, "Tutte le province");
    comuni = Voci(f->ComuniCB);
    EXPECT_EQ(comuni.value(0), "Tutti i Comuni");
    EXPECT_TRUE(comuni.contains("CISTERNA DI LATINA"));
    EXPECT_TRUE(comuni.contains("LA SPEZIA"));
    EXPECT_EQ(comuni.removeDuplicates(), 0);

    // Typed letters become upper case: the words of the first entry are
    // a province of that name, which the directory does not know.
    f->ProvinceCB->setEditText(QString());
    Digita(f->ProvinceCB, "tutte le province");
    EXPECT_EQ(f->ProvinceCB->currentText(), "TUTTE LE PROVINCE");
    EXPECT_EQ(Voci(f->ComuniCB), QStringList{"Tutti i Comuni"});
    // A name typed letter by letter fills the list once it is complete.
    f->ProvinceCB->setEditText(QString());
    Digita(f->ProvinceCB, "la spezi");
    EXPECT_EQ(Voci(f->ComuniCB), QStringList{"Tutti i Comuni"});
    Digita(f->ProvinceCB, "a");
    EXPECT_TRUE(Voci(f->ComuniCB).contains("LERICI"));
    for (const auto& m : finto.mostrati)
        ADD_FAILURE() << m.titolo.toStdString() << ": " << m.testo.toStdString();
}

// A comune the archive dialog's grid deleted (CodOp "D...") is in no list.
TEST_F(NavigazioneTest, ComuniEliminatiNonCompaiono)
{
    const QString archivio = cartella.sottocartella("ArchivioComuni");
    for (const QString& nome : QDir(ARCHIVIO_COMUNI).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(QString(ARCHIVIO_COMUNI) + '/' + nome, archivio + '/' + nome));
    prova::PuntaArchivioComuni(archivio);
    {
        tabelle::TSession s;
        UsaPasswordTabelle(s);
        tabelle::TQuery q(nullptr, &s);
        q.SQL << QStringLiteral("Update \"%1/KWArchivioComuni.db\" Set CodOp = 'D' Where NomeComune = 'SABAUDIA'")
                     .arg(archivio);
        q.ExecSQL();
    }
    DueProvince();
    auto f = Avvia();
    Scegli(f->ProvinceCB, "LATINA");
    QStringList comuni = Voci(f->ComuniCB);
    EXPECT_EQ(comuni.size(), 33);
    EXPECT_FALSE(comuni.contains("SABAUDIA"));
    EXPECT_TRUE(comuni.contains("LATINA"));
    Scegli(f->ProvinceCB, "Tutte le province");
    comuni = Voci(f->ComuniCB);
    EXPECT_FALSE(comuni.contains("SABAUDIA"));
    EXPECT_TRUE(comuni.contains("LA SPEZIA"));
    for (const auto& m : finto.mostrati)
        ADD_FAILURE() << m.titolo.toStdString() << ": " << m.testo.toStdString();
}

TEST_F(NavigazioneTest, ComuniPassatiAUnaNuovaProvincia)
{
    Carica({{"AP", "ASCOLI PICENO"}}, {});
    auto f = Avvia();
    Scegli(f->ProvinceCB, "ASCOLI PICENO");
    const QStringList comuni = Voci(f->ComuniCB);
    // The moved comuni follow the province's own, in the archive's order.
    const int fermo = int(comuni.indexOf("FERMO"));
    ASSERT_GT(fermo, 0);
    EXPECT_EQ(comuni.indexOf("ALTIDONA"), fermo - 5);
    EXPECT_EQ(comuni.size(), 1 + (comuni.indexOf("ALTIDONA") - 1) + 40);
    EXPECT_LT(comuni.indexOf("ASCOLI PICENO"), comuni.indexOf("ALTIDONA"));
}

TEST_F(NavigazioneTest, FiltriEPannelli)
{
    DueProvince();
    auto f = Avvia();
    // Everything.
    Scegli(f->ProvinceCB, "Tutte le province");
    f->ComuniCB->setEditText("Tutti i Comuni");
    f->ComuniCBChange();
    EXPECT_EQ(f->Table.RecordCount(), 5);
    EXPECT_EQ(f->Pannello(1), "Tutti i Comuni");
    EXPECT_EQ(f->Pannello(3), "5");
    EXPECT_TRUE(f->RicercaBt->isEnabled());
    // Scrolling shows the current row's comune.
    f->Table.SetRecNo(5);
    EXPECT_EQ(f->Pannello(1), "LA SPEZIA");

    // A single province closes the table and keeps the panels.
    Scegli(f->ProvinceCB, "LATINA");
    EXPECT_FALSE(f->Table.TDataSet::Active());
    EXPECT_EQ(f->Pannello(1), "LA SPEZIA");
    EXPECT_EQ(f->Pannello(3), "5");
    EXPECT_FALSE(f->RicercaBt->isEnabled());

    // First letters and Enter: completed, filtered on the comune without section.
    Digita(f->ComuniCB, "ci");
    // Typing opens the list; what is typed there still reaches the text.
    EXPECT_TRUE(f->ComuniCB->view()->isVisible());
    QKeyEvent s(QEvent::KeyPress, Qt::Key_S, Qt::NoModifier, "s");
    QApplication::sendEvent(f->ComuniCB->view(), &s);
    EXPECT_EQ(f->ComuniCB->currentText(), "CIS");
    Invio(f->ComuniCB);
    EXPECT_EQ(f->ComuniCB->currentText(), "CISTERNA DI LATINA");
    EXPECT_FALSE(f->ComuniCB->view()->isVisible());
    // The wait window went with the filtering.
    EXPECT_TRUE(f->findChildren<TAttendereForm*>().isEmpty());
    EXPECT_EQ(ComuniMostrati(*f), QStringList{"C740"});
    EXPECT_EQ(f->Pannello(1), "CISTERNA DI LATINA");
    EXPECT_EQ(f->Pannello(3), "1");
    EXPECT_TRUE(f->RicercaBt->isEnabled());

    // Rows stored with and without a blank section.
    f->ComuniCB->setEditText("latina");
    f->ComuniCBChange();
    EXPECT_EQ(f->ComuniCB->currentText(), "LATINA");
    EXPECT_EQ(ComuniMostrati(*f), (QStringList{"E472", "E472"}));
    EXPECT_EQ(f->Pannello(3), "2");

    // Only rows of section "A": found by the second attempt.
    f->ComuniCB->setEditText("APRILIA");
    f->ComuniCBChange();
    EXPECT_EQ(ComuniMostrati(*f), QStringList{"A341"});
    EXPECT_EQ(f->Pannello(1), "APRILIA");

    // Picking an item from the list does not filter; Enter does.
    Scegli(f->ComuniCB, "LATINA");
    EXPECT_EQ(ComuniMostrati(*f), QStringList{"A341"});

    // Text that is not an item: nothing changes.
    f->ComuniCB->setEditText("NESSUNO");
    f->ComuniCBChange();
    EXPECT_EQ(ComuniMostrati(*f), QStringList{"A341"});

    // An item with no rows: empty grid, panel 3 at 0.
    f->ComuniCB->setEditText("SPERLONGA");
    f->ComuniCBChange();
    EXPECT_EQ(f->Table.RecordCount(), 0);
    EXPECT_EQ(f->Pannello(3), "0");

    // Choosing all provinces empties the panels.
    Scegli(f->ProvinceCB, "Tutte le province");
    EXPECT_FALSE(f->Table.TDataSet::Active());
    EXPECT_EQ(f->Pannello(1), "");
    EXPECT_EQ(f->Pannello(3), "");
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

TEST_F(NavigazioneTest, VistaDellaProvinciaSulCodiceDiProvincia)
{
    DueProvince();
    auto f = Avvia();
    // LATINA is E472, LA SPEZIA E463: the province's rows are those that
    // carry its code, whatever their comune code.
    Scegli(f->ProvinceCB, "LATINA");
    f->ComuniCB->setEditText("Tutti i Comuni");
    f->ComuniCBChange();
    EXPECT_EQ(ComuniMostrati(*f), (QStringList{"A341", "C740", "E472", "E472"}));
    EXPECT_EQ(f->Pannello(3), "4");
    EXPECT_FALSE(f->Pannello(1).isEmpty());

    // The same through Enter, with the words in another case.
    Scegli(f->ProvinceCB, "LA SPEZIA");
    Digita(f->ComuniCB, "tutti");
    EXPECT_EQ(f->ComuniCB->currentText(), "TUTTI");
    Invio(f->ComuniCB);
    EXPECT_EQ(f->ComuniCB->currentText(), "Tutti i Comuni");
    EXPECT_EQ(ComuniMostrati(*f), QStringList{"E463"});
    EXPECT_EQ(f->Pannello(1), "LA SPEZIA");
    EXPECT_EQ(f->Pannello(3), "1");
}

TEST_F(NavigazioneTest, VistaDiUnaProvinciaSconosciutaAllaDirectory)
{
    // Registered under its code, which the directory does not know: the
    // whole-province view still shows its rows, by the code PRV.DB holds.
    Carica({{"LT", "LATINA"}, {"QQ", "QQ"}}, {{"E472", "", "LT"}, {"Q001", "", "QQ"}, {"Q002", "", "QQ"}});
    auto f = Avvia();
    Scegli(f->ProvinceCB, "QQ");
    EXPECT_EQ(Voci(f->ComuniCB), QStringList{"Tutti i Comuni"});
    f->ComuniCB->setEditText("Tutti i Comuni");
    f->ComuniCBChange();
    EXPECT_EQ(ComuniMostrati(*f), (QStringList{"Q001", "Q002"}));
    EXPECT_EQ(f->Pannello(3), "2");
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

// Counts the openings of a dataset.
class Aperture : public tabelle::TDataLink {
public:
    void ActiveChanged() override { numero += Active() ? 1 : 0; }
    int numero = 0;
};

TEST_F(NavigazioneTest, LaProvinciaInizialeCostruisceLElencoUnaVolta)
{
    DueProvince();
    ScriviValoriIniziali({"latina", "", ""});
    TMainForm f(programma);
    tabelle::TDataSource sorgente;
    sorgente.SetDataSet(&f.Query1);
    Aperture aperture;
    aperture.SetDataSource(&sorgente);
    f.show();
    QApplication::processEvents();
    EXPECT_EQ(f.ProvinceCB->currentText(), "LATINA");
    EXPECT_EQ(Voci(f.ComuniCB).size(), 34);
    // The comune list of the province is built once.
    EXPECT_EQ(aperture.numero, 1);
    aperture.SetDataSource(nullptr);
}

TEST_F(NavigazioneTest, RipristinoDelComuneRicordato)
{
    DueProvince();
    auto f = Avvia();
    Scegli(f->ProvinceCB, "LATINA");
    f->UltimoComune = "CISTERNA DI LATINA";
    // The province's change empties the list; the filter puts the name back.
    f->ProvinceCBChange();
    EXPECT_TRUE(f->ComuniCB->currentText().isEmpty());
    f->ComuniCBChange();
    EXPECT_EQ(f->ComuniCB->currentText(), "CISTERNA DI LATINA");
    EXPECT_EQ(ComuniMostrati(*f), QStringList{"C740"});
}

TEST_F(NavigazioneTest, ErroriDelMotoreNellaFinestraDiErrore)
{
    DueProvince();
    auto f = Avvia();
    Scegli(f->ProvinceCB, "LATINA");
    f->Table.DatabaseName = cartella.sottocartella("vuota");
    Digita(f->ComuniCB, "cis");
    Invio(f->ComuniCB);
    ASSERT_FALSE(finto.mostrati.isEmpty());
    EXPECT_EQ(finto.mostrati.last().titolo, "Errore");
    EXPECT_TRUE(finto.mostrati.last().testo.contains("Tratte.db"));
    EXPECT_TRUE(f->findChildren<TAttendereForm*>().isEmpty());
    EXPECT_FALSE(f->Table.TDataSet::Active());
    EXPECT_FALSE(f->Table.ControlsDisabled());

    const auto prima = finto.mostrati.size();
    f->CaricaOldComuniQuery.DatabaseName = cartella.sottocartella("vuota");
    Scegli(f->ProvinceCB, "LA SPEZIA");
    ASSERT_EQ(finto.mostrati.size(), prima + 1);
    EXPECT_TRUE(finto.mostrati.last().testo.contains("ZRNuoveProvince.db"));
}

// tratte-cli shows the same rows as the window.
TEST_F(NavigazioneTest, RigheDaRigaDiComando)
{
    DueProvince();
    auto esegui = [&](const QStringList& argomenti, int atteso) {
        QProcess p;
        p.start(QStringLiteral(TRATTE_CLI), QStringList{"--programma", programma, "tratte"} + argomenti);
        p.waitForFinished(60000);
        EXPECT_EQ(p.exitCode(), atteso) << p.readAllStandardError().toStdString();
        return QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    };
    QStringList righe = esegui({"--provincia", "LATINA", "--comune", "Tutti i Comuni"}, 0);
    ASSERT_EQ(righe.size(), 5);
    EXPECT_EQ(righe[0], "ComunePF1\tSezionePF1\tFoglioPF1\tAllegatoPF1\tPF1\tComunePF2\tSezionePF2\tFoglioPF2\t"
                        "AllegatoPF2\tPF2\tProtocollo\tDistanza\tScartoQMedio");
    QStringList comuni;
    for (const QString& r : righe.mid(1))
        comuni << r.section('\t', 0, 0);
    comuni.sort();
    EXPECT_EQ(comuni, (QStringList{"A341", "C740", "E472", "E472"}));
    // Null as empty text, the measures with three decimals.
    EXPECT_EQ(righe[1].split('\t').size(), 13);
    EXPECT_EQ(righe[1].section('\t', 11, 12), "101.000\t");

    // First letters, as Enter completes them; everything by default.
    righe = esegui({"--provincia", "LATINA", "--comune", "cis"}, 0);
    ASSERT_EQ(righe.size(), 2);
    EXPECT_TRUE(righe[1].startsWith("C740\t"));
    EXPECT_EQ(esegui({}, 0).size(), 6);

    // Bad input: a clear error, nothing shown.
    EXPECT_TRUE(esegui({"--provincia", "ROMA"}, 1).isEmpty());
    EXPECT_TRUE(esegui({"--provincia", "LATINA", "--comune", "LERICI"}, 1).isEmpty());
    EXPECT_TRUE(esegui({"--comune"}, 2).isEmpty());
}

} // namespace

namespace {

// A comune divided into cadastral sections: "MILANO/A" is the section
// record F205A of the comune F205.
TEST_F(NavigazioneTest, NomeConSezioneFiltraSullaLetteraDelCodice)
{
    const QString archivio = cartella.sottocartella("ArchivioSezioni");
    archiviocomuni::TDatiArchivio dati;
    dati.comuni = {{"MI", "MILANO", "LOMBARDIA", "20121", "", "F205", "F205"},
                   {"MI", "MILANO/A", "LOMBARDIA", "20121", "", "F205", "F205A"},
                   {"MI", "MILANO/B", "LOMBARDIA", "20121", "", "F205", "F205B"}};
    dati.stati = {{"FRANCIA", "Z110", "Z110"}};
    dati.province = {{"MI", "MILANO", "", "LOMBARDIA"}};
    archiviocomuni::ScriviArchivioComuni(dati, archivio);
    prova::PuntaArchivioComuni(archivio);
    Carica({{"MI", "MILANO"}}, {{"F205", "A", "MI"}, {"F205", "A", "MI"}, {"F205", "B", "MI"}, {"F205", "", "MI"}});

    auto f = Avvia();
    Scegli(f->ProvinceCB, "MILANO");
    EXPECT_TRUE(Voci(f->ComuniCB).contains("MILANO/A"));
    f->ComuniCB->setEditText(QString());
    Digita(f->ComuniCB, "MILANO/A");
    Invio(f->ComuniCB);
    // The section letter is the fifth character of the section's code.
    ASSERT_EQ(f->Table.RecordCount(), 2);
    for (int r = 0; r < 2; ++r)
        EXPECT_EQ(f->Table.ValoreRiga(r, f->Table.FieldByName("SezionePF1")->Index()).toString(), "A");
    EXPECT_EQ(f->Pannello(3), "2");
    // The comune itself: only its rows without a section.
    f->ComuniCB->setEditText(QString());
    Digita(f->ComuniCB, "MILANO");
    Invio(f->ComuniCB);
    EXPECT_EQ(f->Table.RecordCount(), 1);
    for (const auto& m : finto.mostrati)
        ADD_FAILURE() << m.titolo.toStdString() << ": " << m.testo.toStdString();
}

} // namespace
