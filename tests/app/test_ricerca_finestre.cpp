// The point-list window, the point-entry dialog and the search commands of
// the main window, offscreen, on a temporary installation with Rome loaded.
#include "app/configurazione.h"
#include "app/mainform.h"
#include "app/ricerca/ricercapf.h"
#include "app/ricerca/tformricinspf.h"
#include "app/ricerca/ttratteform.h"
#include "gridkit/browser/navigatore.h"
#include "gridkit/griglia/newdbgrid.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "registro/treginifile.h"
#include "scritturaarchivio.h"
#include "supporto/cartella_temporanea.h"
#include "supporto_app.h"
#include "supporto_ricerca.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tratte;

namespace {

const PuntoFiduciale A{"H501", "", 10, "", 1};
const PuntoFiduciale B{"H501", "", 10, "", 2};
const PuntoFiduciale C{"H501", "", 11, "", 3};
const PuntoFiduciale X{"H501", "", 99, "", 9};

class RicercaFinestreTest : public ::testing::Test {
protected:
    CartellaTemporanea cartella;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    QString programma = cartella.sottocartella("Tratte");
    std::unique_ptr<TMainForm> f;
    std::unique_ptr<TTratteForm> lista;
    std::unique_ptr<TFormRicInsPF> voce;

    RicercaFinestreTest()
    {
        prova::CopiaTabelleLavoro(programma);
        prova::RegistraDirectory();
        registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    }

    ~RicercaFinestreTest() override
    {
        voce.reset();
        lista.reset();
        f.reset();
    }

    void Avvia()
    {
        {
            tabelle::TSession s;
            prova::CaricaProvince(s, programma, {{"RM", "ROMA"}});
            prova::ScriviTratte(programma, {{A, B, 100}, {C, A, 101}, {B, X, 102}, {X, A, 103}});
        }
        f = std::make_unique<TMainForm>(programma);
        f->show();
        QApplication::processEvents();
        lista = std::make_unique<TTratteForm>(*f);
        voce = std::make_unique<TFormRicInsPF>(*f);
        MostraComune("ROMA");
    }

    void MostraComune(const QString& comune)
    {
        f->ProvinceCB->setCurrentText("ROMA");
        f->ProvinceCBChange();
        f->ComuniCB->setEditText(comune);
        f->ComuniCBChange();
    }

    static void Scrivi(QLineEdit* e, const QString& testo)
    {
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, testo);
    }

    // The entry dialog's pending row.
    QString Pendente(const char* campo) const { return voce->Tabella()->FieldByName(campo)->AsString(); }

    void Elenco(const QList<PuntoFiduciale>& punti)
    {
        lista->Table1.EmptyTable();
        for (const PuntoFiduciale& p : punti) {
            lista->Table1.Append();
            TRicercaPF::ScriviPunto(lista->Table1, p);
            lista->Table1.Post();
        }
    }

    QStringList Testi()
    {
        QStringList t;
        for (const auto& m : finto.mostrati)
            t << m.titolo + ": " + m.testo;
        finto.mostrati.clear();
        return t;
    }
};

TEST_F(RicercaFinestreTest, AltroPreparaIlPuntoSuccessivoDelloStessoFoglio)
{
    Avvia();
    EXPECT_EQ(f->TratteForm, lista.get());
    EXPECT_EQ(f->FormRicInsPF, voce.get());
    EXPECT_EQ(lista->windowTitle(), "Elenco ricerca tratte tra Punti Fiduciali");
    EXPECT_EQ(lista->property("helpContext").toInt(), 17);
    EXPECT_EQ(voce->windowTitle(), "Punto Fiduciale da inserire in ricerca");
    EXPECT_EQ(voce->property("helpContext").toInt(), 31);
    EXPECT_EQ(voce->AggiungiBT->text(), "Altro");
    EXPECT_TRUE(voce->AggiungiBT->isDefault());
    EXPECT_EQ(lista->Table1.RecordCount(), 0);
    EXPECT_FALSE(lista->OKBt->isEnabled());
    EXPECT_FALSE(lista->DelBT->isEnabled());
    EXPECT_FALSE(lista->DBNavigator1->isEnabled());
    EXPECT_TRUE(lista->AggiungiBT->isEnabled());

    finto.ScriviModale([&](QDialog&) {
        // The main window's comune is offered; leaving the box finds its code.
        EXPECT_EQ(voce->EditCB->currentText(), "ROMA");
        voce->EditCBExit();
        EXPECT_EQ(voce->PanelComune->text(), "H501");
        EXPECT_TRUE(voce->Tabella()->FieldByName("Sezione")->IsNull());
        Scrivi(voce->EditFoglio, "10");
        Scrivi(voce->EditAllegato, "0");
        Scrivi(voce->EditPF, "1");
        voce->AggiungiBTClick();
        // Attachment "0": the next point has none; same sheet, same comune.
        EXPECT_EQ(lista->Table1.RecordCount(), 1);
        EXPECT_EQ(Pendente("Foglio"), "10");
        EXPECT_TRUE(voce->Tabella()->FieldByName("Allegato")->IsNull());
        EXPECT_TRUE(voce->Tabella()->FieldByName("PF")->IsNull());
        EXPECT_EQ(voce->EditFoglio->text(), "10");
        EXPECT_EQ(voce->EditCB->currentText(), "ROMA");
        EXPECT_TRUE(lista->OKBt->isEnabled());
        Scrivi(voce->EditAllegato, "a");
        Scrivi(voce->EditPF, "2");
        voce->AggiungiBTClick();
        // Attachment "A" carries over.
        EXPECT_EQ(Pendente("Allegato"), "A");
        EXPECT_EQ(voce->EditAllegato->text(), "A");
        Scrivi(voce->EditPF, "2");
        voce->AggiungiBTClick();
        EXPECT_TRUE(voce->Duplicato);
        EXPECT_EQ(Testi(), QStringList{"Avviso: Dato già inserito!"});
        Scrivi(voce->EditPF, "3");
        voce->OKBTClick();
        return voce->result();
    });
    finto.ScriviModale([&](QDialog& d) { return d.result(); });
    lista->AggiungiBTClick();
    EXPECT_EQ(TRicercaPF::Punti(lista->Table1),
              (QList<PuntoFiduciale>{{"H501", "", 10, "0", 1}, {"H501", "", 10, "A", 2}, {"H501", "", 10, "A", 3}}));
    EXPECT_EQ(lista->Table1.State(), tabelle::TDataSetState::dsBrowse);
    EXPECT_TRUE(lista->OKBt->isEnabled());
    EXPECT_TRUE(lista->DelBT->isEnabled());
    EXPECT_EQ(lista->ModelloDBGrid1->rowCount(), 3);
    EXPECT_EQ(lista->ModelloDBGrid1->index(0, 0).data().toString(), "ROMA");
    EXPECT_EQ(lista->ModelloDBGrid1->index(1, 4).data().toString(), "A");
    EXPECT_EQ(lista->ModelloDBGrid1->headerData(0, Qt::Horizontal).toString(), "Nome Comune");
    EXPECT_EQ(lista->DBGrid1->columnWidth(0), 196);
    EXPECT_TRUE(Testi().isEmpty());
}

TEST_F(RicercaFinestreTest, MessaggiDelPuntoEAnnulla)
{
    Avvia();
    finto.ScriviModale([&](QDialog&) {
        voce->EditCB->setEditText("XXXX");
        voce->EditCBExit();
        EXPECT_EQ(Testi(), QStringList{"Avviso: Comune inesistente"});
        EXPECT_TRUE(voce->PanelComune->text().isEmpty());
        // Nothing typed.
        voce->EditCB->setEditText(QString());
        voce->EditCBExit();
        voce->OKBTClick();
        EXPECT_EQ(Testi(), QStringList{QCoreApplication::applicationName() + ": Inserire il codice o il nome del comune"});
        // A code: the panel shows the name.
        voce->EditCB->setEditText("H501");
        voce->EditCBExit();
        EXPECT_EQ(voce->PanelComune->text(), "ROMA");
        voce->OKBTClick();
        EXPECT_EQ(Testi(), QStringList{QCoreApplication::applicationName() + ": Inserire il foglio"});
        Scrivi(voce->EditFoglio, "5");
        voce->OKBTClick();
        EXPECT_EQ(Testi(), QStringList{QCoreApplication::applicationName() + ": Inserire il Punto Fiduciale"});
        // Letters never reach the number fields.
        Scrivi(voce->EditPF, "x");
        EXPECT_TRUE(voce->EditPF->text().isEmpty());
        // A comune of a province not loaded: "Altro" refuses it.
        voce->EditCB->setEditText("MILANO");
        voce->EditCBExit();
        EXPECT_EQ(voce->PanelComune->text(), "F205");
        Scrivi(voce->EditPF, "4");
        voce->AggiungiBTClick();
        EXPECT_EQ(Testi(), QStringList{"Avviso: Comune non appartenente alle province caricate in memoria"});
        EXPECT_EQ(lista->Table1.RecordCount(), 0);
        voce->AnnullaBTClick();
        return voce->result();
    });
    lista->AggiungiBTClick();
    EXPECT_EQ(voce->result(), messaggi::mrCancel);
    EXPECT_EQ(lista->Table1.State(), tabelle::TDataSetState::dsBrowse);
    EXPECT_EQ(lista->Table1.RecordCount(), 0);
    EXPECT_FALSE(lista->OKBt->isEnabled());

    // A name typed and confirmed at once is still looked up: no name is
    // stored as a code.
    finto.ScriviModale([&](QDialog&) {
        voce->EditCB->setEditText("ROMA");
        voce->PanelComune->clear();
        Scrivi(voce->EditFoglio, "7");
        Scrivi(voce->EditPF, "8");
        voce->OKBTClick();
        return voce->result();
    });
    lista->AggiungiBTClick();
    EXPECT_EQ(TRicercaPF::Punti(lista->Table1), (QList<PuntoFiduciale>{{"H501", "", 7, "", 8}}));
    // The window closed another way: the pending row goes.
    finto.ScriviModale([&](QDialog&) { return int(messaggi::mrCancel); });
    lista->AggiungiBTClick();
    EXPECT_EQ(lista->Table1.State(), tabelle::TDataSetState::dsBrowse);
    EXPECT_EQ(lista->Table1.RecordCount(), 1);
    EXPECT_TRUE(Testi().isEmpty());
}

// "..." shows the archive of the comuni; the name chosen goes into the box
// and is looked up as if typed: the panel shows its code.
TEST_F(RicercaFinestreTest, ArchivioSBPortaIlComuneScelto)
{
    Avvia();
    EXPECT_TRUE(voce->ArchivioSB->isEnabled());
    finto.ScriviModale([&](QDialog& d) {
        d.show();
        finto.ScriviModale([&](QDialog& archivio) {
            archivio.show();
            auto* pagine = archivio.findChild<QTabWidget*>("OvcNotebook1");
            EXPECT_EQ(pagine->currentIndex(), 1);
            EXPECT_FALSE(pagine->isTabEnabled(0));
            Scrivi(archivio.findChild<QLineEdit*>("TestoComuni_HJGenericEdit"), "frascati");
            archivio.findChild<QWidget*>("ComuniItaliani_Page")->findChild<QPushButton*>("Ok_Button")->click();
            return archivio.result();
        });
        voce->ArchivioSB->click();
        EXPECT_EQ(voce->EditCB->currentText(), "FRASCATI");
        EXPECT_EQ(voce->PanelComune->text(), "D773");
        // Cancelled: the box keeps what it shows.
        finto.ScriviModale([](QDialog&) { return int(messaggi::mrCancel); });
        voce->ArchivioSB->click();
        EXPECT_EQ(voce->EditCB->currentText(), "FRASCATI");
        voce->AnnullaBTClick();
        d.hide();
        return d.result();
    });
    lista->AggiungiBTClick();
    EXPECT_EQ(finto.finestreMostrate.size(), 3);
    EXPECT_TRUE(Testi().isEmpty());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Enter fires "Altro" with the focus still in the comune box: what the box
// shows is looked up, checked and stored, never the comune looked up before.
TEST_F(RicercaFinestreTest, SiRegistraIlComuneCheLaCasellaMostra)
{
    Avvia();
    // Keys go to the box, as the window system gives them: the box holds
    // the focus for its edit field.
    auto invio = [&] { QTest::keyClick(voce->EditCB, Qt::Key_Return); };
    auto digitaComune = [&](const QString& testo) {
        voce->EditCB->lineEdit()->selectAll();
        QTest::keyClick(voce->EditCB, Qt::Key_Backspace);
        QTest::keyClicks(voce->EditCB, testo);
    };
    finto.ScriviModale([&](QDialog& d) {
        d.show();
        voce->EditCB->setFocus();
        EXPECT_EQ(voce->EditCB->currentText(), "ROMA");
        Scrivi(voce->EditFoglio, "10");
        Scrivi(voce->EditPF, "1");
        voce->EditCB->setFocus();
        invio();
        EXPECT_EQ(lista->Table1.RecordCount(), 1);
        // The next point in another comune of the province, Enter at once.
        Scrivi(voce->EditPF, "1");
        voce->EditCB->setFocus();
        digitaComune("frascati");
        EXPECT_EQ(voce->PanelComune->text(), "H501");
        invio();
        EXPECT_EQ(voce->PanelComune->text(), "D773");
        EXPECT_EQ(lista->Table1.RecordCount(), 2);
        // A comune unknown to the archive: nothing stored.
        Scrivi(voce->EditPF, "2");
        voce->EditCB->setFocus();
        digitaComune("nessuno");
        invio();
        EXPECT_EQ(Testi(), QStringList{"Avviso: Comune inesistente"});
        EXPECT_EQ(lista->Table1.RecordCount(), 2);
        // A text set without typing (as the "..." button sets it) is looked up too.
        voce->EditCB->setEditText("ROMA");
        voce->OKBTClick();
        d.hide();
        return d.result();
    });
    lista->AggiungiBTClick();
    EXPECT_EQ(TRicercaPF::Punti(lista->Table1),
              (QList<PuntoFiduciale>{{"D773", "", 10, "", 1}, {"H501", "", 10, "", 1}, {"H501", "", 10, "", 2}}));
    EXPECT_TRUE(Testi().isEmpty());

    // Editing a listed point: its comune retyped as one of a province not
    // loaded is refused by "Altro", and the point keeps its comune.
    lista->Table1.First();
    finto.ScriviModale([&](QDialog& d) {
        d.show();
        EXPECT_EQ(voce->EditCB->currentText(), "FRASCATI");
        EXPECT_EQ(voce->PanelComune->text(), "D773");
        voce->EditCB->setFocus();
        digitaComune("milano");
        invio();
        EXPECT_EQ(Testi(), QStringList{"Avviso: Comune non appartenente alle province caricate in memoria"});
        EXPECT_EQ(voce->PanelComune->text(), "F205");
        d.hide();
        return int(messaggi::mrCancel);
    });
    lista->DBGrid1DblClick();
    EXPECT_EQ(TRicercaPF::Punti(lista->Table1).value(0), (PuntoFiduciale{"D773", "", 10, "", 1}));
    EXPECT_TRUE(Testi().isEmpty());
}

TEST_F(RicercaFinestreTest, LaSezioneVieneDalCodiceCatastale)
{
    const QString archivio = cartella.sottocartella("ArchivioSezioni");
    archiviocomuni::TDatiArchivio dati;
    dati.comuni = {{"MI", "MILANO", "LOMBARDIA", "20121", "", "F205", "F205"},
                   {"MI", "MILANO/A", "LOMBARDIA", "20121", "", "F205", "F205A"},
                   {"MI", "MILANO/B", "LOMBARDIA", "20121", "", "F205", "F205B"},
                   {"RM", "ROMA", "LAZIO", "00100", "", "H501", "H501"}};
    dati.stati = {{"FRANCIA", "Z110", "Z110"}};
    dati.province = {{"MI", "MILANO", "", "LOMBARDIA"}, {"RM", "ROMA", "", "LAZIO"}};
    archiviocomuni::ScriviArchivioComuni(dati, archivio);
    prova::PuntaArchivioComuni(archivio);
    Avvia();
    finto.ScriviModale([&](QDialog&) {
        voce->EditCB->setEditText("MILANO/A");
        voce->EditCBExit();
        EXPECT_EQ(voce->PanelComune->text(), "F205");
        EXPECT_EQ(Pendente("Sezione"), "A");
        EXPECT_EQ(voce->EditSezione->text(), "A");
        voce->EditCB->setEditText("MILANO");
        voce->EditCBExit();
        EXPECT_TRUE(voce->Tabella()->FieldByName("Sezione")->IsNull());
        voce->EditCB->setEditText("MILANO/B");
        voce->EditCBExit();
        Scrivi(voce->EditFoglio, "3");
        Scrivi(voce->EditPF, "9");
        voce->OKBTClick();
        return voce->result();
    });
    lista->AggiungiBTClick();
    EXPECT_EQ(TRicercaPF::Punti(lista->Table1), (QList<PuntoFiduciale>{{"F205", "B", 3, "", 9}}));
    // The list shows the section's name.
    EXPECT_EQ(lista->ModelloDBGrid1->index(0, 0).data().toString(), "MILANO/B");
    EXPECT_TRUE(Testi().isEmpty());
}

TEST_F(RicercaFinestreTest, ModificaAzzeramentoERiavvio)
{
    Avvia();
    Elenco({A, B});
    lista->AggiornaPulsanti();
    lista->Table1.First();
    finto.ScriviModale([&](QDialog&) {
        EXPECT_EQ(voce->EditCB->currentText(), "ROMA");
        EXPECT_EQ(voce->PanelComune->text(), "H501");
        EXPECT_EQ(voce->EditPF->text(), "1");
        // Confirming the row unchanged is no duplicate of itself.
        voce->OKBTClick();
        EXPECT_TRUE(Testi().isEmpty());
        return voce->result();
    });
    lista->DBGrid1DblClick();
    lista->Table1.First();
    finto.ScriviModale([&](QDialog&) {
        Scrivi(voce->EditPF, "5");
        voce->OKBTClick();
        return voce->result();
    });
    lista->DBGrid1DblClick();
    EXPECT_EQ(TRicercaPF::Punti(lista->Table1), (QList<PuntoFiduciale>{B, {"H501", "", 10, "", 5}}));

    finto.Rispondi(messaggi::mrNo);
    lista->DelBTClick();
    EXPECT_EQ(Testi(), QStringList{"AVVISO: I dati stanno per essere cancellati. Continuo?"});
    EXPECT_EQ(lista->Table1.RecordCount(), 2);
    finto.Rispondi(messaggi::mrYes);
    lista->DelBTClick();
    EXPECT_EQ(Testi().size(), 1);
    EXPECT_EQ(lista->Table1.RecordCount(), 0);
    EXPECT_FALSE(lista->OKBt->isEnabled());
    EXPECT_FALSE(lista->DelBT->isEnabled());
    // With nothing to clear, nothing is asked.
    lista->DelBTClick();
    EXPECT_TRUE(Testi().isEmpty());

    // A new start finds the list empty.
    Elenco({A, B, C});
    lista.reset();
    lista = std::make_unique<TTratteForm>(*f);
    EXPECT_EQ(lista->Table1.RecordCount(), 0);
    EXPECT_TRUE(Testi().isEmpty());
}

TEST_F(RicercaFinestreTest, RicercaERimozioneDallaFinestraPrincipale)
{
    Avvia();
    ASSERT_EQ(f->Table.RecordCount(), 4);
    // Three points: the distances among them, C-A included.
    finto.ScriviModale([&](QDialog&) {
        Elenco({A, B, C});
        lista->OKBtClick();
        return lista->result();
    });
    f->RicercaBt->click();
    EXPECT_EQ(lista->NumeroPF, 3);
    EXPECT_EQ(f->Table.TabelleAggiuntive, TermineCombinazioni);
    ASSERT_EQ(f->Table.RecordCount(), 2);
    EXPECT_EQ(f->Pannello(3), "2");
    QStringList protocolli;
    for (int r = 0; r < 2; ++r)
        protocolli << f->Table.ValoreRiga(r, f->Table.FieldByName("Protocollo")->Index()).toString();
    EXPECT_EQ(protocolli, (QStringList{"P1", "P2"}));
    EXPECT_TRUE(f->RimuoviBT->isEnabled());

    // One point, through the menu: at either end, no pair table.
    finto.ScriviModale([&](QDialog&) {
        Elenco({A});
        lista->OKBtClick();
        return lista->result();
    });
    f->R1->trigger();
    EXPECT_TRUE(f->Table.TabelleAggiuntive.isEmpty());
    EXPECT_EQ(f->Table.Condizioni, TRicercaPF::CondizioniUnPunto(A));
    EXPECT_TRUE(lista->CondizioniPF.isEmpty());
    EXPECT_EQ(f->Table.RecordCount(), 3);
    EXPECT_EQ(f->Pannello(3), "3");

    // "Rimuovi": the comune's view again.
    f->RimuoviBT->click();
    EXPECT_TRUE(f->Table.Condizioni.isEmpty());
    EXPECT_TRUE(f->Table.TabelleAggiuntive.isEmpty());
    EXPECT_EQ(f->ComuniCB->currentText(), "ROMA");
    EXPECT_EQ(f->Table.RecordCount(), 4);
    EXPECT_EQ(f->Pannello(3), "4");
    EXPECT_TRUE(Testi().isEmpty());

    // Nothing found: the message, then the normal view.
    finto.ScriviModale([&](QDialog&) {
        Elenco({{"Z999", "", 1, "", 1}, {"Z999", "", 1, "", 2}});
        lista->OKBtClick();
        return lista->result();
    });
    f->TratteBTClick();
    EXPECT_EQ(Testi(), QStringList{"Avviso: Nessuna corrispondenza trovata"});
    EXPECT_EQ(f->Table.RecordCount(), 4);
    EXPECT_TRUE(f->Table.TabelleAggiuntive.isEmpty());

    // Cancelling the list over an empty view says so too.
    MostraComune("FRASCATI");
    ASSERT_EQ(f->Table.RecordCount(), 0);
    finto.ScriviModale([&](QDialog&) {
        lista->AnnullaBTClick();
        return lista->result();
    });
    f->TratteBTClick();
    EXPECT_EQ(Testi(), QStringList{"Avviso: Nessuna corrispondenza trovata"});
    EXPECT_EQ(f->ComuniCB->currentText(), "FRASCATI");
    // Cancelling over rows changes nothing.
    MostraComune("ROMA");
    finto.ScriviModale([&](QDialog&) { return int(messaggi::mrCancel); });
    f->TratteBTClick();
    EXPECT_EQ(f->Table.RecordCount(), 4);
    EXPECT_TRUE(Testi().isEmpty());
}

TEST_F(RicercaFinestreTest, DopoRicercaERimozioneLaFrecciaDiceLOrdineDelleRighe)
{
    Avvia();
    gridkit::TNewDBGrid& griglia = *f->NewDBGrid1;
    gridkit::TColumn& distanza = griglia.Columns()[griglia.Columns().IndiceDi("Distanza")];
    auto primaDistanza = [&] { return f->Table.ValoreRiga(0, f->Table.FieldByName("Distanza")->Index()).toDouble(); };
    griglia.OrdinaColonna(distanza);
    griglia.OrdinaColonna(distanza);
    ASSERT_EQ(griglia.Ordinamento, gridkit::TOrdine::Down);
    ASSERT_EQ(primaDistanza(), 103);

    // The search shows its rows in the archive's order: no arrow.
    finto.ScriviModale([&](QDialog&) {
        Elenco({A});
        lista->OKBtClick();
        return lista->result();
    });
    f->TratteBTClick();
    ASSERT_EQ(f->Table.RecordCount(), 3);
    EXPECT_EQ(primaDistanza(), 100);
    EXPECT_TRUE(griglia.CampoOrdine.isEmpty());

    // Sorted again, then "Rimuovi": the normal view, in the archive's order, no arrow.
    griglia.OrdinaColonna(distanza);
    griglia.OrdinaColonna(distanza);
    ASSERT_EQ(primaDistanza(), 103);
    f->RimuoviBT->click();
    EXPECT_EQ(f->Table.RecordCount(), 4);
    EXPECT_TRUE(f->Table.CampiOrdine.isEmpty());
    EXPECT_TRUE(griglia.CampoOrdine.isEmpty());
    EXPECT_EQ(primaDistanza(), 100);
    EXPECT_TRUE(Testi().isEmpty());
}

TEST_F(RicercaFinestreTest, SenzaLeTabelleDiLavoroUnMessaggioChiaro)
{
    QFile::remove(programma + "/Archivi/" + TabellaRicerchePF);
    Avvia();
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati.front().titolo, "Errore");
    EXPECT_TRUE(finto.mostrati.front().testo.contains("RicerchePF.db")) << finto.mostrati.front().testo.toStdString();
    finto.mostrati.clear();
    EXPECT_FALSE(lista->AggiungiBT->isEnabled());
    EXPECT_FALSE(lista->OKBt->isEnabled());
    // The list opens empty and can only be closed; the view stays.
    finto.ScriviModale([&](QDialog&) {
        lista->AggiungiBTClick();
        lista->OKBtClick();
        return lista->result();
    });
    f->TratteBTClick();
    EXPECT_EQ(lista->NumeroPF, 0);
    EXPECT_EQ(f->Table.RecordCount(), 4);
    EXPECT_TRUE(Testi().isEmpty());
}

} // namespace
