// The survey-book search from the main window, offscreen: the results
// control crm in CrmPanel, the book-list dialog scripted through the
// message service, the warnings, the colours and titles of the grid.
#include "app/libretto/tattenderelbpform.h"
#include "app/libretto/tzrelencolbp.h"
#include "app/libretto/tzrtrattelbp.h"
#include "app/mainform.h"
#include "gridkit/browser/recordbrowser.h"
#include "gridkit/griglia/grigliamodello.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "supporto_libretto.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tratte;

namespace {

const PuntoFiduciale A{"H501", "", 5, "", 1};
const PuntoFiduciale B{"H501", "", 5, "", 2};
const PuntoFiduciale C{"H501", "", 5, "", 3};
const QByteArray Testa = "LIBRETTO;1\nELABORATO;SI\n";

class FinestreLibrettoTest : public ::testing::Test {
protected:
    prova::InstallazioneLibretto inst;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    std::unique_ptr<TMainForm> f;

    ~FinestreLibrettoTest() override { f.reset(); }

    void Avvia()
    {
        inst.Carica({{"RM", "ROMA"}}, {{A, B, 100}, {C, A, 200}, {B, C, 150}});
        f = std::make_unique<TMainForm>(inst.programma);
        f->show();
        QApplication::processEvents();
    }

    QStringList Testi() const
    {
        QStringList t;
        for (const auto& m : finto.mostrati)
            t << m.testo;
        return t;
    }

    // The dialog scripted: the books listed, then OK (or nothing).
    void ScegliLibretto(QStringList* elencati, bool ok = true)
    {
        finto.ScriviModale([elencati, ok](QDialog& d) {
            auto& elenco = dynamic_cast<TZRElencoLbp&>(d);
            elenco.FormShow();
            if (elencati)
                for (int i = 0; i < elenco.ElencoLibrettiListBox->count(); ++i)
                    *elencati << elenco.ElencoLibrettiListBox->item(i)->text();
            if (!ok || !elenco.OKBt->isEnabled())
                return int(messaggi::mrCancel);
            elenco.OKBtClick();
            return elenco.result();
        });
    }
};

TEST_F(FinestreLibrettoTest, IlControlloNelPannelloConLeSueImpostazioni)
{
    Avvia();
    ASSERT_NE(f->crm, nullptr);
    EXPECT_EQ(f->crm->parentWidget(), f->CrmPanel);
    EXPECT_FALSE(f->CrmPanel->isVisible());
    EXPECT_EQ(f->crm->GetTabellaTratte(), &f->TabellaPerRicerca);
    ASSERT_NE(f->crm->Browser(), nullptr);
    EXPECT_FALSE(f->crm->Browser()->VisInsertButton());
    EXPECT_EQ(f->crm->Griglia().DataSource(), f->crm->Browser()->DataSource());
    EXPECT_FALSE(f->crm->GetGridShowHint());
    EXPECT_FALSE(f->crm->GetTableRequestLive());
    EXPECT_EQ(f->crm->GetGridFont().pixelSize(), 11);
    EXPECT_FALSE(f->crm->GetGridOptionMenu().contiene(gridkit::TOptionMenu::opm_Elimina));
    EXPECT_TRUE(f->crm->GetGridOptionMenu().contiene(gridkit::TOptionMenu::opm_Trova));
    EXPECT_EQ(f->crm->Griglia().RegPathName, "software\\quintor\\orbis77\\GrigliaTratteLibretto");
    EXPECT_TRUE(f->crm->TabellaRisultati().ReadOnly);
    EXPECT_EQ(f->crm->TabellaRisultati().DatabaseName, inst.programma + "/Archivi");
    // Properties of the browser set before it exists reach it when it is made.
    TZRTratteLbp senzaGenitore;
    senzaGenitore.SetRBHint("Navigazione");
    EXPECT_EQ(senzaGenitore.Browser(), nullptr);
    QWidget genitore;
    senzaGenitore.setParent(&genitore);
    ASSERT_NE(senzaGenitore.Browser(), nullptr);
    EXPECT_EQ(senzaGenitore.Browser()->toolTip(), "Navigazione");
    senzaGenitore.setParent(nullptr);

    // Exit asks whether to keep the changed layout of the results grid.
    f->crm->Griglia().SegnaLayoutCambiato();
    finto.Rispondi(messaggi::mrNo);
    f->EsciBtClick();
    ASSERT_FALSE(finto.mostrati.isEmpty());
    EXPECT_EQ(finto.mostrati[0].testo, "Salvare le modifiche sulla lista?");
    EXPECT_FALSE(f->isVisible());
}

TEST_F(FinestreLibrettoTest, RisultatiMostratiEPoiRimossi)
{
    inst.Libretto("Prova", Testa + "PF;H501;5;0;1\nPF;H501;5;0;2\nPF;H501;5;0;3\nDIST;1;2;100.01;0.01\nDIST;3;1;201;0.01\n");
    inst.Libretto("NonElaborato", "LIBRETTO;1\nELABORATO;NO\n");
    Avvia();
    QStringList elencati;
    ScegliLibretto(&elencati);
    f->RicercaLibrettiActionExecute();
    EXPECT_EQ(elencati, QStringList{"Prova"});
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join('|').toStdString();
    EXPECT_TRUE(f->CrmPanel->isVisible());
    gridkit::TNewDBGrid& g = f->crm->Griglia();
    EXPECT_EQ(f->crm->TabellaRisultati().RecordCount(), 3);
    // The titles of the results and the system columns hidden.
    auto colonna = [&](const char* campo) -> gridkit::TColumn& { return g.Columns()[g.Columns().IndiceDi(campo)]; };
    auto sistemaNascosto = [&] {
        for (const char* campo : {"ID_001_TABLE", "SysField", "Info", "CodOp"}) {
            const int i = g.Columns().IndiceDi(campo);
            if (i >= 0 && g.Columns()[i].Visible())
                return false;
        }
        return true;
    };
    EXPECT_TRUE(sistemaNascosto());
    EXPECT_EQ(colonna("TrattaAttuale").TitleCaption(), "Tratta Attuale");
    EXPECT_EQ(colonna("ScartoQMedio").TitleCaption(), "SQM");
    EXPECT_EQ(colonna("FlagUfficio").TitleCaption(), "Flag Ufficio");
    EXPECT_EQ(colonna("CoppiaPF").TitleCaption(), "Coppia PF");
    // The commands of the panel: printing, Visualizza with the grid's items.
    EXPECT_TRUE(f->StampaBt->isEnabled());
    EXPECT_FALSE(f->RicercaBt->isEnabled());
    EXPECT_TRUE(f->RimuoviBT->isEnabled());
    EXPECT_TRUE(f->VisMenu->isEnabled());
    EXPECT_FALSE(f->VisMenu->actions().isEmpty());

    // The colours: Differenza blue, a verdict out of tolerance red.
    const int riga = 1; // C-A: 1 m off, out in every zone
    auto colore = [&](const char* campo, int r) {
        QStyleOptionViewItem o;
        o.palette = g.palette();
        g.PreparaCella(o, g.Modello().index(r, g.Columns().IndiceDi(campo)));
        return o.palette.color(QPalette::Text);
    };
    EXPECT_EQ(g.Modello().Testo(0, g.Columns().IndiceDi("Urbane")), "IN TOLLERANZA 0.180");
    EXPECT_EQ(colore("Differenza", 0), QColor(0, 0, 255));
    EXPECT_EQ(colore("Urbane", 0), g.palette().color(QPalette::Text));
    EXPECT_EQ(colore("Sfavorevoli", riga), QColor(255, 0, 0));
    EXPECT_EQ(colore("Urbane", riga), QColor(255, 0, 0));
    EXPECT_EQ(colore("CoppiaPF", riga), g.palette().color(QPalette::Text));

    // A sort by title keeps the system columns hidden and the titles.
    g.OnTitleClick(colonna("TrattaInArchivio"));
    EXPECT_EQ(g.CampoOrdine, "TrattaInArchivio");
    EXPECT_TRUE(sistemaNascosto());
    EXPECT_EQ(colonna("TrattaInArchivio").TitleCaption(), "Tratta In Archivio");
    EXPECT_DOUBLE_EQ(f->crm->TabellaRisultati().ValoreRiga(0, f->crm->TabellaRisultati().FieldByName("TrattaInArchivio")->Index()).toDouble(),
                     100);

    f->RimuoviBTClick();
    EXPECT_FALSE(f->CrmPanel->isVisible());
    EXPECT_TRUE(f->RicercaBt->isEnabled() == f->Table.Active());
}

TEST_F(FinestreLibrettoTest, NessunaCorrispondenzaEAvvisi)
{
    inst.Libretto("Lontano", Testa + "PF;A859;3;0;1\nPF;A859;3;0;2\n");
    Avvia();
    ScegliLibretto(nullptr);
    f->RicercaLibrettiActionExecute();
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati[0].testo, TestoNessunaCorrispondenza);
    EXPECT_EQ(finto.mostrati[0].titolo, "ATTENZIONE");
    EXPECT_FALSE(f->CrmPanel->isVisible());
    finto.mostrati.clear();

    // A malformed book: why, by its line, then the warning.
    inst.Libretto("Lontano", Testa + "PF;H501;5;0;1\nDIST;1;7;3;0.1\n");
    ScegliLibretto(nullptr);
    f->RicercaLibrettiActionExecute();
    ASSERT_EQ(finto.mostrati.size(), 2);
    EXPECT_EQ(finto.mostrati[0].titolo, "ERRORE");
    EXPECT_TRUE(finto.mostrati[0].testo.contains("riga 4:")) << finto.mostrati[0].testo.toStdString();
    EXPECT_EQ(finto.mostrati[1].testo, TestoNessunaCorrispondenza);
    finto.mostrati.clear();

    // Only books not processed correctly: the warning of FormShow, OK disabled.
    inst.Libretto("Lontano", "LIBRETTO;1\nELABORATO;NO\n");
    bool okAbilitato = true;
    finto.ScriviModale([&](QDialog& d) {
        auto& elenco = dynamic_cast<TZRElencoLbp&>(d);
        elenco.FormShow();
        okAbilitato = elenco.OKBt->isEnabled();
        return int(messaggi::mrCancel);
    });
    f->RicercaLibrettiActionExecute();
    EXPECT_FALSE(okAbilitato);
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati[0].titolo, "ATTENZIONE");
    EXPECT_TRUE(finto.mostrati[0].testo.startsWith("La cartella specificata nei percorsi non contiene libretti elaborati."));
    finto.mostrati.clear();

    // No "*.out" at all.
    QFile::remove(inst.pregeo + "/Lontano.out");
    f->RicercaLibrettiActionExecute();
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati[0].titolo, "ERRORE");
    EXPECT_TRUE(finto.mostrati[0].testo.startsWith("La cartella specificata non contiene libretti in formato Pregeo:"));
    EXPECT_TRUE(finto.finestreMostrate.size() == 3);
}

TEST_F(FinestreLibrettoTest, TabellaTratteEPercorsoArchivi)
{
    Avvia();
    TZRTratteLbp controllo(f.get());
    int esito = -1;
    EXPECT_EQ(controllo.RicercaLibretto(esito), messaggi::mrCancel);
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati[0].testo, "La proprietà TabellaTratte deve essere assegnata");
    EXPECT_EQ(finto.mostrati[0].titolo, "Errore");

    registro::TRegIniFile chiave(QStringLiteral("SOFTWARE\\QUINTOR\\ORBIS77"));
    chiave.WriteString("Tratte", "PathArchivi", "/dati/");
    EXPECT_EQ(TZRTratteLbp::PercorsoArchivi(), "/dati/Archivi");
    chiave.WriteString("Tratte", "PathArchivi", "/dati");
    EXPECT_EQ(TZRTratteLbp::PercorsoArchivi(), "/dati/Archivi");
    chiave.WriteString("Tratte", "PathArchivi", "C:\\Dati\\");
    EXPECT_EQ(TZRTratteLbp::PercorsoArchivi(), "C:\\Dati\\Archivi");
    // Without the value the search ends with Esito 1 and no message.
    chiave.DeleteKey("Tratte", "PathArchivi");
    EXPECT_EQ(TZRTratteLbp::PercorsoArchivi(), "");
    f->crm->Imposta();
    finto.mostrati.clear();
    EXPECT_EQ(f->crm->RicercaLibretto(esito), messaggi::mrCancel);
    EXPECT_EQ(esito, EsitoArchiviMancanti);
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

TEST_F(FinestreLibrettoTest, FinestraDiAttesaUnaAllaVolta)
{
    {
        TAttendereLbpForm prima;
        EXPECT_EQ(prima.Label1->text(), "    Attendere... Ricerca dati in corso");
        EXPECT_TRUE(finto.mostrati.isEmpty());
        TAttendereLbpForm seconda;
        ASSERT_EQ(finto.mostrati.size(), 1);
        EXPECT_EQ(finto.mostrati[0].testo, "Seconda volta");
        EXPECT_EQ(TAttendereLbpForm::Istanze(), 2);
    }
    EXPECT_EQ(TAttendereLbpForm::Istanze(), 0);
    TAttendereLbpForm ancora;
    EXPECT_EQ(finto.mostrati.size(), 1);
}

} // namespace
