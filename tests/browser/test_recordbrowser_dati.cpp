// The record browser on its data: numbers that follow the dataset, the
// navigators, the insert button, changes of data source and a dataset of
// a million rows.
#include "gridkit/browser/navigatore.h"
#include "gridkit/tabella/newtable.h"
#include "gridkit/browser/recordbrowser.h"
#include "supporto_browser.h"
#include "tabelle/sorgente.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

using namespace gridkit;
using namespace tabelle;

namespace {

using RecordBrowserDatiTest = prova::BrowserTest;

TEST_F(RecordBrowserDatiTest, NumeriSeguonoSpostamentiEModifiche)
{
    auto t = Tabella(3);
    TDataSource sorgente;
    sorgente.SetDataSet(t.get());
    TRecordBrowser b;
    b.SetDataSource(&sorgente);
    EXPECT_EQ(b.DataSource(), &sorgente);
    EXPECT_EQ(b.IndietroNav->DataSource(), &sorgente);
    EXPECT_EQ(b.AvantiNav->DataSource(), &sorgente);

    t->Next();
    EXPECT_EQ(b.NumeroEdit->text(), "2");
    t->Last();
    EXPECT_EQ(b.NumeroEdit->text(), "3");
    t->SetRecNo(1);
    EXPECT_EQ(b.NumeroEdit->text(), "1");

    // A row appended elsewhere: no number while it is new, then its own.
    t->Append();
    EXPECT_EQ(b.NumeroEdit->text(), "");
    EXPECT_EQ(b.TotaleLabel->text(), " di 3");
    t->FieldByName("Nome")->SetAsString("R4");
    t->Post();
    EXPECT_EQ(b.TotaleLabel->text(), " di 4");
    EXPECT_EQ(b.NumeroEdit->text(), "4");
    t->Edit();
    t->FieldByName("Valore")->SetAsInteger(40);
    t->Post();
    EXPECT_EQ(b.NumeroEdit->text(), "4");
    t->First();
    t->Delete();
    EXPECT_EQ(b.TotaleLabel->text(), " di 3");
    EXPECT_EQ(b.NumeroEdit->text(), "1");

    // While controls are disabled nothing changes; then it catches up.
    t->DisableControls();
    t->Last();
    EXPECT_EQ(b.NumeroEdit->text(), "1");
    t->EnableControls();
    EXPECT_EQ(b.NumeroEdit->text(), "3");

    // The navigators of the browser move the dataset, and it follows.
    EXPECT_FALSE(b.AvantiNav->Bottone(nbNext)->isEnabled());
    b.IndietroNav->Bottone(nbFirst)->click();
    EXPECT_EQ(t->RecNo(), 1);
    EXPECT_EQ(b.NumeroEdit->text(), "1");
    EXPECT_FALSE(b.IndietroNav->Bottone(nbPrior)->isEnabled());
    QCoreApplication::processEvents();
    b.AvantiNav->Bottone(nbNext)->click();
    EXPECT_EQ(b.NumeroEdit->text(), "2");
    EXPECT_TRUE(b.IndietroNav->Bottone(nbPrior)->isEnabled());
    b.AvantiNav->Bottone(nbLast)->click();
    EXPECT_EQ(b.NumeroEdit->text(), "3");
    EXPECT_FALSE(b.AvantiNav->Bottone(nbLast)->isEnabled());
    QCoreApplication::processEvents();
    EXPECT_TRUE(b.IndietroNav->Bottone(nbFirst)->isEnabled());
}

TEST_F(RecordBrowserDatiTest, CambioEFineDellaSorgente)
{
    auto tre = Tabella(3, "Tre.db");
    auto cinque = Tabella(5, "Cinque.db");
    TRecordBrowser b;
    {
        TDataSource sorgente;
        sorgente.SetDataSet(tre.get());
        b.SetDataSource(&sorgente);
        EXPECT_EQ(b.TotaleLabel->text(), " di 3");
        sorgente.SetDataSet(cinque.get());
        EXPECT_EQ(b.TotaleLabel->text(), " di 5");
        b.SetDataSource(nullptr);
        EXPECT_EQ(b.TotaleLabel->text(), " di 0");
        EXPECT_EQ(b.NumeroEdit->text(), "");
        // The navigators no longer move a dataset the browser left.
        EXPECT_EQ(b.AvantiNav->DataSource(), nullptr);
        b.SetDataSource(&sorgente);
        EXPECT_EQ(b.NumeroEdit->text(), "1");
    }
    // The source was freed: the browser follows none and stays usable.
    EXPECT_EQ(b.DataSource(), nullptr);
    EXPECT_EQ(b.IndietroNav->DataSource(), nullptr);
    EXPECT_EQ(b.TotaleLabel->text(), " di 0");
    cinque->Last();
    prova::Digita(b, "2");
    b.InserisciBtClick();
    EXPECT_EQ(cinque->RecNo(), 5);

    // A browser freed before its source leaves it cleanly.
    TDataSource sorgente;
    sorgente.SetDataSet(tre.get());
    {
        TRecordBrowser breve;
        breve.SetDataSource(&sorgente);
    }
    tre->Next();
    tre->Close();
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

TEST_F(RecordBrowserDatiTest, InserimentoAccodaESvuotaLaCasella)
{
    auto t = Tabella(3);
    TDataSource sorgente;
    sorgente.SetDataSet(t.get());
    TRecordBrowser b;
    b.SetDataSource(&sorgente);
    b.InserisciBt->click();
    EXPECT_EQ(t->State(), TDataSetState::dsInsert);
    EXPECT_EQ(b.NumeroEdit->text(), "");
    EXPECT_FALSE(b.NumeroEdit->isModified());
    t->FieldByName("Nome")->SetAsString("Nuovo");
    t->Post();
    EXPECT_EQ(b.TotaleLabel->text(), " di 4");
    EXPECT_EQ(b.NumeroEdit->text(), "4");
    EXPECT_EQ(t->FieldByName("Nome")->AsString(), "Nuovo");
    EXPECT_TRUE(b.InserisciBt->isEnabled());

    // A pending row that cannot be written: the user sees why, the row
    // and the button stay.
    t->FieldByName("Nome")->Required = true;
    t->Append();
    t->FieldByName("Valore")->SetAsInteger(5);
    b.InserisciBt->click();
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati[0].titolo, "Errore");
    EXPECT_EQ(t->State(), TDataSetState::dsInsert);
    EXPECT_EQ(t->FieldByName("Valore")->AsInteger(), 5);
    EXPECT_TRUE(b.InserisciBt->isEnabled());
    t->Cancel();
    EXPECT_EQ(b.TotaleLabel->text(), " di 4");

    // Closed: the button does nothing.
    t->Close();
    b.InserisciBt->click();
    EXPECT_EQ(t->State(), TDataSetState::dsInactive);
    EXPECT_TRUE(b.InserisciBt->isEnabled());
}

TEST_F(RecordBrowserDatiTest, InserimentoRifiutatoDisabilitaIlBottoneSenzaMessaggi)
{
    TNewTable t(nullptr, &sessione);
    t.DatabaseName = cartella.percorso();
    t.SetTableName("Archivio.db");
    t.SvuotaCampiSistema();
    t.SvuotaCampiUtente();
    t.CreaTabella({"Nome,20"});
    t.Riapri();
    ASSERT_TRUE(finto.mostrati.isEmpty()) << Testi().join('|').toStdString();
    t.NotAppend = true;
    TDataSource sorgente;
    sorgente.SetDataSet(&t);
    TRecordBrowser b;
    b.SetDataSource(&sorgente);
    EXPECT_EQ(b.NumeroEdit->text(), "0");

    b.InserisciBt->click();
    EXPECT_FALSE(b.InserisciBt->isEnabled());
    EXPECT_EQ(t.State(), TDataSetState::dsBrowse);
    EXPECT_TRUE(finto.mostrati.isEmpty()) << Testi().join('|').toStdString();
    EXPECT_EQ(b.NumeroEdit->text(), "0");

    // Disabled for good: a table that takes rows again does not bring it back.
    t.NotAppend = false;
    t.Riapri();
    b.setEnabled(false);
    b.setEnabled(true);
    EXPECT_FALSE(b.InserisciBt->isEnabled());

    // A read-only table refuses with an engine error: the same.
    auto sola = Tabella(2, "Sola.db");
    sola->Close();
    sola->ReadOnly = true;
    sola->Open();
    TDataSource altra;
    altra.SetDataSet(sola.get());
    TRecordBrowser b2;
    b2.SetDataSource(&altra);
    b2.InserisciBtClick();
    EXPECT_FALSE(b2.InserisciBt->isEnabled());
    EXPECT_EQ(sola->State(), TDataSetState::dsBrowse);
    EXPECT_EQ(b2.TotaleLabel->text(), " di 2");
    EXPECT_TRUE(finto.mostrati.isEmpty()) << Testi().join('|').toStdString();
}

TEST_F(RecordBrowserDatiTest, UnMilioneDiRigheSenzaPercorrerle)
{
    prova::DatasetGrande d(sessione, 1000000);
    d.Open();
    TDataSource sorgente;
    sorgente.SetDataSet(&d);
    TRecordBrowser b;
    b.SetDataSource(&sorgente);
    EXPECT_EQ(b.TotaleLabel->text(), " di 1000000");
    EXPECT_EQ(b.NumeroEdit->text(), "1");

    // To the first row, then one move: never row by row.
    prova::Digita(b, "999999");
    EXPECT_EQ(d.RecNo(), 999999);
    EXPECT_EQ(b.NumeroEdit->text(), "999999");
    EXPECT_LE(d.spostamenti, 2);

    d.spostamenti = 0;
    prova::Digita(b, "4000000000");
    EXPECT_EQ(d.RecNo(), 1000000);
    EXPECT_LE(d.spostamenti, 2);

    d.spostamenti = 0;
    b.IndietroNav->Bottone(nbFirst)->click();
    QCoreApplication::processEvents();
    b.AvantiNav->Bottone(nbLast)->click();
    EXPECT_EQ(b.NumeroEdit->text(), "1000000");
    EXPECT_EQ(d.spostamenti, 2);
    EXPECT_FALSE(b.AvantiNav->Bottone(nbNext)->isEnabled());
}

} // namespace
