// The archive dialog and its editors: the dialog as MostraArchivio shows
// it through libborgal.so (pages, the name returned, the cursor), and the
// forms on their own over a small archive: search as you type, the
// editors' checks and saving, deletion, and the records seen at once by
// the lookups; rows the grid deletes are gone for the lookups.
#include "supporto_borgal.h"

#include "directory/archiviocomuni.h"
#include "directory/archiviocomunimodins.h"
#include "directory/archiviostatimodins.h"
#include "directory/hjgenericnumedit.h"
#include "gridkit/browser/recordbrowser.h"
#include "gridkit/griglia/newdbgrid.h"
#include "registro/treginifile.h"
#include "tabelle/campo.h"
#include "tabelle/query.h"
#include "tabelle/sessione.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QStatusTipEvent>
#include <QWheelEvent>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

using namespace borgal;

namespace {

class Archivio : public ComponenteBorgal {
protected:
    void SetUp() override
    {
        ComponenteBorgal::SetUp();
        tabelle::Session().AddPassword("tulp41");
        cartellaDati = cartella.sottocartella("ArchivioComuni");
        ASSERT_TRUE(QFile::copy(QStringLiteral(ARCHIVIO_CONSEGNATO) + "/KWProvince.db", cartellaDati + "/KWProvince.db"));
        registro::TRegIniFile("\\Software\\QUINTOR\\COMMON\\BORGAL\\")
            .WriteString("Archivi", "FileNameArchivioProvince", cartellaDati + "/KWProvince.db");
    }
    void TearDown() override
    {
        form.reset();
        borgal.Reset();
        ComponenteBorgal::TearDown();
    }
    void Prepara(QList<ComuneProva> comuni = ComuniProva())
    {
        comuniPath = CreaArchivioComuni(cartellaDati, comuni);
        statiPath = CreaArchivioStati(cartellaDati, StatiProva());
        ImpostaArchivi(comuniPath, statiPath);
        borgal = Crea();
        form = std::make_unique<TArchivioComuni_Form>();
        ASSERT_TRUE(form->ApriArchivioComuni(comuniPath));
        ASSERT_TRUE(form->ApriArchivioStati(statiPath));
        form->show();
    }
    QStringList Testi() const
    {
        QStringList t;
        for (const auto& m : finto.mostrati)
            t << m.testo;
        return t;
    }
    QString Corrente(const gridkit::TNewTable& t, const char* campo) const { return t.FieldByName(campo)->AsString(); }
    // The lookup of the program, through the component.
    QString Cerca(bool comuni, bool stati, const QString& testo, const QString& colonna)
    {
        QStringList dati;
        borgal->CercaComune(comuni, stati, testo, dati);
        for (const QString& riga : std::as_const(dati))
            if (riga.startsWith(colonna + '='))
                return riga.mid(colonna.size() + 1);
        return dati.isEmpty() ? QStringLiteral("<nessuno>") : QString();
    }
    // Runs `copione` on the next editor shown; its result is the editor's.
    template <typename Editor>
    void SuEditor(std::function<void(Editor&)> copione)
    {
        finto.ScriviModale([copione](QDialog& d) {
            auto& e = static_cast<Editor&>(d);
            e.show();
            e.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&e));
            copione(e);
            return e.result();
        });
    }
    static void Scrivi(QLineEdit* e, const QString& testo)
    {
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, testo);
    }

    QString cartellaDati, comuniPath, statiPath;
    componenti::ComPtr<IBorgal> borgal;
    std::unique_ptr<TArchivioComuni_Form> form;
};

// The dialog as the point entry gets it: OK gives the current name, the
// cursor is the default one while the user chooses and after.
TEST_F(Archivio, MostraArchivioDalComponente)
{
    ArchivioStandard();
    borgal = Crea();
    bool visto = false;
    finto.ScriviModale([&](QDialog& d) {
        visto = true;
        EXPECT_EQ(d.windowTitle(), "Archivio Comuni");
        EXPECT_EQ(d.size(), QSize(576, 355));
        EXPECT_EQ(d.pos(), QPoint(0, 0));
        d.show();
        auto* pagine = d.findChild<QTabWidget*>("OvcNotebook1");
        EXPECT_EQ(pagine->currentIndex(), 1);
        EXPECT_EQ(pagine->tabText(0), "Stati Esteri");
        EXPECT_EQ(pagine->tabText(1), "Comuni Italiani");
        EXPECT_TRUE(pagine->isTabEnabled(1));
        EXPECT_FALSE(pagine->isTabEnabled(0));
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        auto* testo = d.findChild<QLineEdit*>("TestoComuni_HJGenericEdit");
        Scrivi(testo, "castrov");
        EXPECT_EQ(testo->text(), "CASTROV");
        auto* griglia = d.findChild<QTableView*>("ArchivioComuni_NewDBGrid");
        EXPECT_EQ(griglia->model()->index(griglia->currentIndex().row(), 0).data().toString(), "CASTROVILLARI");
        d.findChild<QWidget*>("ComuniItaliani_Page")->findChild<QPushButton*>("Ok_Button")->click();
        return d.result();
    });
    EXPECT_EQ(borgal->MostraArchivio(true, false), "CASTROVILLARI");
    EXPECT_TRUE(visto);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    // Cancelled: nothing.
    finto.ScriviModale([](QDialog&) { return int(messaggi::mrCancel); });
    EXPECT_EQ(borgal->MostraArchivio(true, true), "");
    // The states page, current when there are no comuni: its name.
    finto.ScriviModale([](QDialog& d) {
        EXPECT_EQ(d.findChild<QTabWidget*>("OvcNotebook1")->currentIndex(), 0);
        return int(messaggi::mrOk);
    });
    EXPECT_EQ(borgal->MostraArchivio(false, true), "FRANCIA");
    // Neither page: both disabled, "Stati Esteri" current, nothing chosen.
    finto.ScriviModale([](QDialog& d) {
        auto* pagine = d.findChild<QTabWidget*>("OvcNotebook1");
        EXPECT_EQ(pagine->currentIndex(), 0);
        EXPECT_FALSE(pagine->isTabEnabled(0));
        EXPECT_FALSE(pagine->isTabEnabled(1));
        return int(messaggi::mrOk);
    });
    EXPECT_EQ(borgal->MostraArchivio(false, false), "");
    EXPECT_EQ(finto.finestreMostrate.size(), 4);
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

TEST_F(Archivio, RicercaMentreSiScrive)
{
    Prepara();
    gridkit::TNewTable& t = form->ArchivioComuni_NewTable;
    // The first field, applied on showing: the name, sorted by it.
    EXPECT_EQ(form->CampoComuni_ComboBox->currentText(), "Nome comune");
    EXPECT_EQ(form->TestoComuni_HJGenericEdit->width(), 286);
    EXPECT_EQ(form->TestoComuni_HJGenericEdit->MaxLength(), 40);
    EXPECT_EQ(Corrente(t, "NomeComune"), "ACI SANT'ANTONIO");
    Scrivi(form->TestoComuni_HJGenericEdit, "CASTRO");
    EXPECT_EQ(Corrente(t, "NomeComune"), "CASTRO");
    // A prefix that matches nothing keeps the current row.
    Scrivi(form->TestoComuni_HJGenericEdit, "MIL");
    QTest::keyClicks(form->TestoComuni_HJGenericEdit, "X");
    EXPECT_EQ(Corrente(t, "NomeComune"), "MILANO");
    // Another field: its edit size and the grid's sort.
    form->CampoComuni_ComboBox->setCurrentIndex(6);
    form->CampoComuni_ComboBoxChange();
    EXPECT_EQ(form->TestoComuni_HJGenericEdit->text(), "");
    EXPECT_EQ(form->TestoComuni_HJGenericEdit->width(), 41);
    EXPECT_EQ(form->TestoComuni_HJGenericEdit->MaxLength(), 5);
    EXPECT_EQ(form->ArchivioComuni_NewDBGrid->CampoOrdine, "CodiceCatastale");
    Scrivi(form->TestoComuni_HJGenericEdit, "f205");
    EXPECT_EQ(Corrente(t, "NomeComune"), "MILANO");
    form->CampoComuni_ComboBox->setCurrentIndex(2);
    form->CampoComuni_ComboBoxChange();
    EXPECT_EQ(form->TestoComuni_HJGenericEdit->MaxLength(), 20); // the region: 20, not 25
    // The states page.
    EXPECT_EQ(form->CampoStati_ComboBox->count(), 3);
    Scrivi(form->TestoStati_HJGenericEdit, "GER");
    EXPECT_EQ(Corrente(form->ArchivioStati_NewTable, "NomeStato"), "GERMANIA");
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

TEST_F(Archivio, ModificaComuneControlloDuplicatiEVistaSubito)
{
    Prepara();
    Scrivi(form->TestoComuni_HJGenericEdit, "ROMA");
    // Its own code kept: saved; the lookup sees it at once.
    SuEditor<TArchivioComuniModIns_Form>([](TArchivioComuniModIns_Form& e) {
        EXPECT_EQ(e.windowTitle(), "Modifica Comune");
        EXPECT_EQ(e.size(), QSize(363, 261));
        EXPECT_EQ(e.NomeComune_HJGenericEdit->text(), "ROMA");
        EXPECT_EQ(e.Regioni_ComboBox->currentText(), "LAZIO");
        EXPECT_EQ(e.Province_ComboBox->currentText(), "RM");
        EXPECT_EQ(e.Province_ComboBox->count(), 6); // the empty entry and LAZIO's five
        EXPECT_EQ(e.CAP_HJGenericNumEdit->text(), "00100");
        EXPECT_TRUE(e.NomeComune_HJGenericEdit->hasFocus());
        Scrivi(e.CAP_HJGenericNumEdit, "00118x");
        e.Ok_BitBtn->click();
    });
    form->ModificaComune_Button->click();
    EXPECT_TRUE(finto.mostrati.isEmpty());
    EXPECT_EQ(Corrente(form->ArchivioComuni_NewTable, "NomeComune"), "ROMA");
    EXPECT_EQ(Corrente(form->ArchivioComuni_NewTable, "CAP"), "00118");
    EXPECT_EQ(Cerca(true, false, "ROMA", "CAP"), "00118");

    // Another comune's code: refused, the editor stays open.
    SuEditor<TArchivioComuniModIns_Form>([this](TArchivioComuniModIns_Form& e) {
        Scrivi(e.CodiceCatastale_HJGenericEdit, "c337");
        e.Ok_BitBtn->click();
        EXPECT_EQ(e.result(), 0);
        EXPECT_TRUE(e.isVisible());
        EXPECT_EQ(Testi(), QStringList{QString::fromUtf8("Codice catastale già presente!")});
        EXPECT_EQ(finto.mostrati.value(0).titolo, "Errore");
        EXPECT_EQ(finto.mostrati.value(0).icona, messaggi::Icona::Errore);
        e.Annulla_BitBtn->click();
    });
    form->ModificaComune_Button->click();
    EXPECT_EQ(Cerca(true, false, "ROMA", "CodiceCatastale"), "H501");
}

TEST_F(Archivio, AggiuntaSoloNomeECodiceFiscaleObbligatori)
{
    Prepara();
    const int prima = form->ArchivioComuni_NewTable.RecordCount();
    SuEditor<TArchivioComuniModIns_Form>([this](TArchivioComuniModIns_Form& e) {
        EXPECT_EQ(e.windowTitle(), "Aggiunta Comune");
        EXPECT_EQ(e.Regioni_ComboBox->currentIndex(), -1);
        EXPECT_EQ(e.Regioni_ComboBox->itemText(0), "");
        EXPECT_EQ(e.Regioni_ComboBox->findText("LAZIO") > 0, true);
        EXPECT_GT(e.Province_ComboBox->count(), 100); // every province without a region
        e.Ok_BitBtn->click();
        EXPECT_EQ(Testi(), QStringList{QString::fromUtf8("Il campo \"Nome comune\" è obbligatorio!")});
        EXPECT_TRUE(e.NomeComune_HJGenericEdit->hasFocus());
        Scrivi(e.NomeComune_HJGenericEdit, "nuovo comune");
        e.Ok_BitBtn->click();
        EXPECT_EQ(Testi().value(1), QString::fromUtf8("Il campo \"Codice fiscale è obbligatorio!"));
        Scrivi(e.CodiceFiscale_HJGenericEdit, "Z123");
        e.Regioni_ComboBox->setCurrentIndex(e.Regioni_ComboBox->findText("LAZIO"));
        EXPECT_EQ(e.Province_ComboBox->count(), 6);
        e.Province_ComboBox->setCurrentIndex(e.Province_ComboBox->findText("VT"));
        e.Ok_BitBtn->click();
    });
    // The browser's insert button runs Aggiungi.
    form->ArchivioComuni_RecordBrowser->InserisciBt->click();
    EXPECT_EQ(finto.mostrati.size(), 2);
    EXPECT_EQ(form->ArchivioComuni_NewTable.RecordCount(), prima + 1);
    EXPECT_EQ(Corrente(form->ArchivioComuni_NewTable, "NomeComune"), "NUOVO COMUNE");
    EXPECT_EQ(Cerca(true, false, "Z123", "NomeComune"), "NUOVO COMUNE");
    EXPECT_EQ(Cerca(true, false, "NUOVO COMUNE", "Provincia"), "VT");
    EXPECT_EQ(Cerca(true, false, "NUOVO COMUNE", "CAP"), ""); // empty: no line
}

TEST_F(Archivio, RegioneNonPiuPresenteSalvaRegioneVuota)
{
    QList<ComuneProva> comuni = ComuniProva();
    comuni.prepend({"XX", "ATLANTIDE", "MARE NOSTRUM", "", "", "X001", "X001"});
    Prepara(comuni);
    Scrivi(form->TestoComuni_HJGenericEdit, "ATLANTIDE");
    SuEditor<TArchivioComuniModIns_Form>([](TArchivioComuniModIns_Form& e) {
        EXPECT_EQ(e.NomeComune_HJGenericEdit->text(), "ATLANTIDE");
        EXPECT_EQ(e.Regioni_ComboBox->currentIndex(), -1);
        EXPECT_EQ(e.Province_ComboBox->currentIndex(), -1);
        e.Ok_BitBtn->click();
    });
    form->ModificaComune_Button->click();
    EXPECT_TRUE(finto.mostrati.isEmpty());
    EXPECT_EQ(Cerca(true, false, "X001", "NomeComune"), "ATLANTIDE");
    EXPECT_EQ(Cerca(true, false, "X001", "Regione"), "");
}

TEST_F(Archivio, SpazioEDoppioClicAprononoLEditor)
{
    Prepara();
    form->OvcNotebook1->setCurrentIndex(TArchivioComuni_Form::PaginaStati);
    Scrivi(form->TestoStati_HJGenericEdit, "GER");
    QTableView* griglia = form->ArchivioStati_NewDBGrid;
    SuEditor<TArchivioStatiModIns_Form>([](TArchivioStatiModIns_Form& e) {
        EXPECT_EQ(e.windowTitle(), "Modifica Comune");
        EXPECT_EQ(e.size(), QSize(363, 214));
        EXPECT_EQ(e.NomeStato_HJGenericEdit->text(), "GERMANIA");
        e.Annulla_BitBtn->click();
    });
    griglia->setFocus();
    QTest::keyClick(griglia, Qt::Key_Space);
    ASSERT_EQ(finto.finestreMostrate, QStringList{"ArchivioStatiModIns_Form"});
    SuEditor<TArchivioStatiModIns_Form>([](TArchivioStatiModIns_Form& e) {
        EXPECT_EQ(e.NomeStato_HJGenericEdit->text(), "FRANCIA");
        // A state's code taken by another state.
        Scrivi(e.CodiceCatastale_HJGenericEdit, "Z112");
        e.Ok_BitBtn->click();
        e.Annulla_BitBtn->click();
    });
    const QRect prima = griglia->visualRect(griglia->model()->index(0, 0));
    QTest::mouseDClick(griglia->viewport(), Qt::LeftButton, {}, prima.center());
    EXPECT_EQ(finto.finestreMostrate.size(), 2);
    EXPECT_EQ(Testi(), QStringList{QString::fromUtf8("Comune già presente!")});
    EXPECT_EQ(Cerca(false, true, "FRANCIA", "CodiceCatastale"), "Z110");
}

TEST_F(Archivio, CancellaChiedeEDaNoNonCambiaNulla)
{
    Prepara();
    gridkit::TNewTable& t = form->ArchivioComuni_NewTable;
    Scrivi(form->TestoComuni_HJGenericEdit, "ORIA");
    const int righe = t.RecordCount();
    finto.Rispondi(messaggi::mrNo);
    form->CancellaComune_Button->click();
    ASSERT_EQ(Testi(), QStringList{"Cancellare il record corrente?"});
    EXPECT_EQ(finto.mostrati[0].titolo, "Attenzione");
    EXPECT_EQ(finto.mostrati[0].icona, messaggi::Icona::Avviso);
    EXPECT_EQ(finto.mostrati[0].pulsanti, messaggi::Pulsanti::SiNo);
    EXPECT_EQ(t.RecordCount(), righe);
    EXPECT_EQ(Corrente(t, "NomeComune"), "ORIA");
    finto.Rispondi(messaggi::mrYes);
    form->CancellaComune_Button->click();
    EXPECT_EQ(t.RecordCount(), righe - 1);
    EXPECT_EQ(Cerca(true, false, "ORIA", "NomeComune"), "<nessuno>");
    // Removed from the file, not marked.
    tabelle::TQuery q(nullptr, &tabelle::Session());
    q.SQL << QStringLiteral("SELECT * FROM \"%1\" WHERE NomeComune = 'ORIA'").arg(comuniPath);
    q.Open();
    EXPECT_EQ(q.RecordCount(), 0);
}

// "Elimina" of the states grid marks the row deleted: the lookups by code
// and by name, the prefix test and the candidates pass over it.
TEST_F(Archivio, StatoEliminatoDallaGrigliaNonSiTrovaPiu)
{
    Prepara();
    form->OvcNotebook1->setCurrentIndex(TArchivioComuni_Form::PaginaStati);
    Scrivi(form->TestoStati_HJGenericEdit, "FRANCIA");
    finto.Rispondi(messaggi::mrYes);
    form->ArchivioStati_NewDBGrid->Elimina();
    EXPECT_EQ(Testi(), QStringList{"Cancellare il dato?"});
    finto.mostrati.clear();
    EXPECT_EQ(form->ArchivioStati_NewTable.RecordCount(), 2);
    tabelle::TQuery q(nullptr, &tabelle::Session());
    q.SQL << QStringLiteral("SELECT CodOp FROM \"%1\" WHERE NomeStato = 'FRANCIA'").arg(statiPath);
    q.Open();
    ASSERT_EQ(q.RecordCount(), 1);
    EXPECT_TRUE(q.FieldByName("CodOp")->AsString().startsWith('D'));
    for (const QString testo : {"FRANCIA", "Z110", "FRANC*"})
        EXPECT_EQ(Cerca(false, true, testo, "NomeStato"), "<nessuno>") << testo.toStdString();
    EXPECT_FALSE(borgal->EsisteComune(false, true, "FRANCIA"));
    EXPECT_FALSE(borgal->EsisteComune(false, true, "FRAN*"));
    EXPECT_FALSE(borgal->EsisteComune(false, true, "Z110"));
    // Candidates: FRANC* starts one comune only, so no question is asked.
    EXPECT_EQ(Cerca(true, true, "FRANC*", "NomeComune"), "FRANCAVILLA FONTANA");
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());
    // Its code is free again for a new state.
    SuEditor<TArchivioStatiModIns_Form>([](TArchivioStatiModIns_Form& e) {
        Scrivi(e.NomeStato_HJGenericEdit, "FRANCIA");
        Scrivi(e.CodiceFiscale_HJGenericEdit, "Z110");
        Scrivi(e.CodiceCatastale_HJGenericEdit, "Z110");
        e.Ok_BitBtn->click();
    });
    form->AggiungiStato_Button->click();
    EXPECT_TRUE(finto.mostrati.isEmpty()) << Testi().join('|').toStdString();
    EXPECT_EQ(Cerca(false, true, "Z110", "NomeStato"), "FRANCIA");
}

// The long hint goes to the status line; the wheel moves the focus, on
// the dialog and in an editor.
TEST_F(Archivio, StatusBarERotella)
{
    Prepara();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QStatusTipEvent suggerimento("Testo da cercare nel campo scelto");
    QApplication::sendEvent(form->TestoComuni_HJGenericEdit, &suggerimento);
    EXPECT_EQ(form->StatusBar->text(), "Testo da cercare nel campo scelto");
    EXPECT_EQ(form->StatusBar->palette().color(QPalette::WindowText), QColor(Qt::blue));
    const auto rotella = [](QWidget* sotto, int passo) {
        QWheelEvent evento(QPointF(5, 5), sotto->mapToGlobal(QPointF(5, 5)), {}, {0, passo}, Qt::NoButton,
                           Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(sotto, &evento);
    };
    form->TestoComuni_HJGenericEdit->setFocus();
    rotella(form->ArchivioComuni_NewDBGrid->viewport(), -120);
    EXPECT_FALSE(form->TestoComuni_HJGenericEdit->hasFocus());
    rotella(form->ArchivioComuni_NewDBGrid->viewport(), 120);
    EXPECT_TRUE(form->TestoComuni_HJGenericEdit->hasFocus());
    SuEditor<TArchivioStatiModIns_Form>([&](TArchivioStatiModIns_Form& e) {
        e.NomeStato_HJGenericEdit->setFocus();
        rotella(e.NomeStato_HJGenericEdit, -120);
        EXPECT_EQ(e.focusWidget(), e.CodiceFiscale_HJGenericEdit);
        QApplication::sendEvent(e.Ok_BitBtn, &suggerimento);
        EXPECT_EQ(e.StatusBar->text(), "Testo da cercare nel campo scelto");
        e.Annulla_BitBtn->click();
    });
    form->AggiungiStato_Button->click();
    EXPECT_EQ(finto.finestreMostrate, QStringList{"ArchivioStatiModIns_Form"});
}

} // namespace
