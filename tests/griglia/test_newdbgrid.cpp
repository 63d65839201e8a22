// The enhanced grid: defaults, sorting by title, boolean cells, the
// visible-fields list, system columns, the title hint, fitting a column and
// drag and drop.
#include "gridkit/griglia/grigliamodello.h"
#include "gridkit/griglia/grigliatitoli.h"
#include "gridkit/griglia/newdbgrid.h"
#include "gridkit/griglia/newdbgridimmagini.h"
#include "gridkit/griglia/newdbgridsuggerimento.h"
#include "gridkit/modifica/undotable.h"
#include "gridkit/modifica/vociundo.h"
#include "supporto_griglia.h"
#include "tabelle/campo.h"
#include "tabelle/errore.h"
#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace gridkit;

namespace {

class NewDBGridTest : public ProvaGriglia {
protected:
    void Collega(int righe, bool soloLettura = true)
    {
        CreaTratte(righe);
        tabella = ApriTratte(soloLettura);
        sorgente.SetDataSet(tabella.get());
        griglia = std::make_unique<TNewDBGrid>();
        griglia->SetDataSource(&sorgente);
    }

    QStringList Campi() const
    {
        QStringList c;
        for (int i = 0; i < griglia->Columns().Count(); ++i)
            c << griglia->Columns()[i].FieldName();
        return c;
    }

    void ClicTitolo(int colonna)
    {
        TTitoliGriglia& t = griglia->Titoli();
        QTest::mouseClick(t.viewport(), Qt::LeftButton, {}, QPoint(t.sectionViewportPosition(colonna) + t.sectionSize(colonna) / 2, t.height() / 2));
    }

    void MuoviSuTitolo(int colonna) { MuoviSuTitolo(*griglia, colonna); }
    static void MuoviSuTitolo(TNewDBGrid& g, int colonna)
    {
        TTitoliGriglia& t = g.Titoli();
        const QPoint p(t.sectionViewportPosition(colonna) + t.sectionSize(colonna) / 2, t.height() / 2);
        QMouseEvent e(QEvent::MouseMove, p, t.viewport()->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(t.viewport(), &e);
    }

    void MuoviSuCelle() { MuoviSuCelle(*griglia); }
    static void MuoviSuCelle(TNewDBGrid& g)
    {
        const QPoint p(20, 20);
        QMouseEvent e(QEvent::MouseMove, p, g.viewport()->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(g.viewport(), &e);
    }

    qint64 Pf() const { return tabella->FieldByName("PF1")->AsInteger(); }

    // The sort entries of the grid's undo journal, oldest first.
    QList<QPair<QString, QString>> Ordinamenti() const
    {
        QList<QPair<QString, QString>> voci;
        TUndoTable* giornale = griglia->Giornale();
        for (int r = 0; giornale && r < giornale->RecordCount(); ++r)
            if (giornale->ValoreRiga(r, 1).toInt() == undo_Ordine)
                voci << *LeggiOrdine(giornale->ValoreRiga(r, 4).toByteArray());
        return voci;
    }

    std::unique_ptr<TNewTable> tabella;
    tabelle::TDataSource sorgente;
    std::unique_ptr<TNewDBGrid> griglia;
};

TEST(NewDBGridProprieta, ValoriPredefiniti)
{
    TNewDBGrid g;
    EXPECT_TRUE(g.RegPathName.isEmpty() && g.RegKey.isEmpty() && g.IniFileName.isEmpty() && g.IniKey.isEmpty());
    EXPECT_FALSE(g.LeggiInAvvio || g.SalvaInUscita || g.ConfermaSalvaUscita || g.TitleHint);
    EXPECT_TRUE(g.CampoOrdine.isEmpty());
    EXPECT_EQ(g.Ordinamento, TOrdine::Up);
    EXPECT_TRUE(g.CampiVisibili().isEmpty());
    for (int o = 0; o <= int(TOptionMenu::opm_Trova); ++o)
        EXPECT_TRUE(g.OptionMenu.contiene(TOptionMenu(o))) << o;
    EXPECT_EQ(g.HelpContextTrova, 50000);
    const THelpContextOptionMenu& h = g.HelpContextOptionMenu();
    EXPECT_EQ(QList<int>({h.hc_OrdCrescente(), h.hc_OrdDeCrescente(), h.hc_OrdOriginale(), h.hc_Adatta(), h.hc_Taglia(),
                          h.hc_Copia(), h.hc_Incolla(), h.hc_Elimina(), h.hc_VisCampi(), h.hc_Annulla(), h.hc_Trova()}),
              QList<int>({50001, 50002, 50003, 50004, 50005, 50005, 50005, 50006, 50009, 50010, 50000}));
    EXPECT_FALSE(g.IsUndo());
    EXPECT_FALSE(g.IsIncolla());
    EXPECT_EQ(QLocale().decimalPoint(), ".");

    // The pictures, by name and size.
    EXPECT_EQ(g.Immagine("Up").size(), QSize(17, 14));
    EXPECT_EQ(g.Immagine("Down").size(), QSize(17, 14));
    EXPECT_EQ(g.Immagine("Vero").size(), QSize(11, 11));
    EXPECT_EQ(g.Immagine("Falso").size(), QSize(11, 11));
    EXPECT_NE(ImmagineGriglia("Up"), ImmagineGriglia("Down"));
    EXPECT_NE(ImmagineGriglia("Vero"), ImmagineGriglia("Falso"));
    EXPECT_TRUE(ImmagineGriglia("Altro").isNull());
}

TEST_F(NewDBGridTest, ColonneDiSistemaTolteECampiVisibiliRiempitiUnaVolta)
{
    Collega(5);
    EXPECT_EQ(Campi(), QStringList({"ID_001_TABLE", "ComunePF1", "PF1", "Distanza", "Flag", "Protocollo"}));
    EXPECT_EQ(griglia->CampiVisibili(), Campi());
    // Also from explicit columns.
    TNewDBGrid esplicita;
    for (const char* c : {"CodOp", "PF1", "SysField"})
        esplicita.Columns().Add().SetFieldName(c);
    esplicita.Columns()[1].SetVisible(false);
    esplicita.SetDataSource(&sorgente);
    EXPECT_EQ(esplicita.Columns().Count(), 1);
    EXPECT_EQ(esplicita.Columns()[0].FieldName(), "PF1");
    // The only column is hidden: the list is filled, empty, once.
    EXPECT_TRUE(esplicita.CampiVisibili().isEmpty());

    // Later layouts leave the list as it was.
    griglia->Titoli().moveSection(1, 3);
    griglia->Columns()[0].SetVisible(false);
    tabella->Close();
    tabella->Riapri();
    EXPECT_EQ(griglia->CampiVisibili(), QStringList({"ID_001_TABLE", "ComunePF1", "PF1", "Distanza", "Flag", "Protocollo"}));
    // A list given before linking is kept.
    TNewDBGrid data;
    data.SetCampiVisibili({"PF1"});
    data.SetDataSource(&sorgente);
    EXPECT_EQ(data.CampiVisibili(), QStringList{"PF1"});
    // The dataset keeps cached updates for the grid.
    EXPECT_TRUE(tabella->CachedUpdates);
}

TEST_F(NewDBGridTest, OrdinaPerTitoloETornaAllaStessaRiga)
{
    Collega(20);
    Mostra(*griglia, 800, 300);
    bool attesaVista = false;
    tabella->BeforeOpen = [&](tabelle::TDataSet&) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "AttendereFormPerGetList" && w->isVisible()
                && w->findChild<QLabel*>("Label1")->text() == "Attendere...ordinamento dati in corso")
                attesaVista = true;
    };
    auto attese = [] {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += w->objectName() == "AttendereFormPerGetList";
        return n;
    };

    tabella->SetRecNo(5);
    ASSERT_EQ(Pf(), 5);
    ClicTitolo(1); // ComunePF1
    EXPECT_TRUE(attesaVista);
    EXPECT_EQ(attese(), 0);
    EXPECT_EQ(griglia->CampoOrdine, "ComunePF1");
    EXPECT_EQ(griglia->Ordinamento, TOrdine::Up);
    EXPECT_EQ(tabella->CampiOrdine, QStringList{"COMUNEPF1"});
    EXPECT_FALSE(tabella->Discendente);
    EXPECT_EQ(griglia->Modello().data(griglia->Modello().index(0, 1)).toString(), "C001");
    // The same row is current again, in the dataset and in the grid.
    EXPECT_EQ(Pf(), 5);
    EXPECT_EQ(tabella->RecNo(), 16);
    EXPECT_EQ(griglia->currentIndex().row(), 15);

    ClicTitolo(1);
    EXPECT_EQ(griglia->Ordinamento, TOrdine::Down);
    EXPECT_TRUE(tabella->Discendente);
    EXPECT_EQ(griglia->Modello().data(griglia->Modello().index(0, 1)).toString(), "C020");
    EXPECT_EQ(Pf(), 5);
    EXPECT_EQ(tabella->RecNo(), 5);

    ClicTitolo(2); // PF1
    EXPECT_EQ(griglia->CampoOrdine, "PF1");
    EXPECT_EQ(griglia->Ordinamento, TOrdine::Up);
    EXPECT_EQ(Pf(), 5);
    // Every sort recorded the one before it in the undo journal (an empty
    // field as one space).
    EXPECT_EQ(Ordinamenti(), (QList<QPair<QString, QString>>{{" ", "UP"}, {"ComunePF1", "UP"}, {"ComunePF1", "DOWN"}}));

    // The arrow: in the sorted title only, at its right edge, if it fits.
    const QRect titolo(100, 0, 120, 20);
    EXPECT_EQ(griglia->PosizioneFreccia(2, titolo), QPoint(100 + 120 - 17 - 2, 2));
    EXPECT_FALSE(griglia->PosizioneFreccia(1, titolo));
    EXPECT_FALSE(griglia->PosizioneFreccia(2, QRect(0, 0, 20, 20)));
    griglia->DefaultDrawing = false;
    EXPECT_FALSE(griglia->PosizioneFreccia(2, titolo));

    // A row that is gone after the sort: the first row becomes current.
    tabella->SetRecNo(3);
    {
        tabelle::TTable piana(nullptr, &sessione);
        piana.DatabaseName = cartella.percorso();
        piana.TableName = "Tratte.db";
        piana.IndexFieldNames = "ID_001_TABLE";
        piana.Open();
        ASSERT_TRUE(piana.FindKey({tabella->FieldByName("ID_001_TABLE")->AsInteger()}));
        piana.Edit();
        piana.FieldByName("CodOp")->SetAsString("D");
        piana.Post();
    }
    griglia->ApplicaOrdinamento();
    EXPECT_EQ(tabella->RecordCount(), 19);
    EXPECT_EQ(tabella->RecNo(), 1);
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();

    // A sort that fails: the error box, no wait window left, the controls
    // enabled again, the grid empty with its closed dataset.
    tabella->BeforeOpen = [](tabelle::TDataSet&) { throw tabelle::EDBEngineError("Tabella bloccata"); };
    ClicTitolo(3);
    EXPECT_EQ(Testi(), QStringList{"Tabella bloccata"});
    EXPECT_EQ(attese(), 0);
    EXPECT_FALSE(tabella->ControlsDisabled());
    EXPECT_EQ(griglia->Modello().rowCount(), 0);
}

TEST_F(NewDBGridTest, TrascinareORidimensionareUnaColonnaNonOrdina)
{
    Collega(10);
    Mostra(*griglia, 800, 300);
    TTitoliGriglia& t = griglia->Titoli();
    // Drag "ComunePF1" onto the fourth title: the release ends the drag, no sort.
    const QPoint da(t.sectionViewportPosition(1) + 10, t.height() / 2);
    const QPoint a(t.sectionViewportPosition(3) + t.sectionSize(3) - 5, t.height() / 2);
    QTest::mousePress(t.viewport(), Qt::LeftButton, {}, da);
    QMouseEvent muovi(QEvent::MouseMove, a, t.viewport()->mapToGlobal(a), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(t.viewport(), &muovi);
    QTest::mouseRelease(t.viewport(), Qt::LeftButton, {}, a);
    ASSERT_EQ(griglia->Columns()[3].FieldName(), "ComunePF1");
    EXPECT_TRUE(griglia->LayoutCambiato());
    EXPECT_TRUE(griglia->CampoOrdine.isEmpty());
    EXPECT_TRUE(Ordinamenti().isEmpty());
    // The next click is a click.
    ClicTitolo(3);
    EXPECT_EQ(griglia->CampoOrdine, "ComunePF1");

    // Over a divider the cursor is the resize cursor: no sort.
    const QPoint divisore(t.sectionViewportPosition(2) + t.sectionSize(2) - 1, t.height() / 2);
    QMouseEvent sopra(QEvent::MouseMove, divisore, t.viewport()->mapToGlobal(divisore), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(t.viewport(), &sopra);
    ASSERT_TRUE(griglia->CursoreRidimensiona());
    griglia->OrdinaColonna(griglia->Columns()[2]);
    EXPECT_EQ(griglia->CampoOrdine, "ComunePF1");
    EXPECT_EQ(Ordinamenti().size(), 1);

    // A form's own title handler replaces the sort; the signal comes first.
    QList<int> segnali;
    QObject::connect(griglia.get(), &TDBGrid::TitoloCliccato, [&](int c) { segnali << c; });
    QString cliccata;
    griglia->OnTitleClick = [&](TColumn& c) { cliccata = c.FieldName(); };
    ClicTitolo(1);
    EXPECT_EQ(cliccata, "PF1");
    EXPECT_EQ(segnali, QList<int>{1});
    EXPECT_EQ(griglia->CampoOrdine, "ComunePF1");
}

TEST_F(NewDBGridTest, OrdinaSoloUnaTNewTableAperta)
{
    Collega(3);
    tabella->Close();
    griglia->OrdinaColonna(griglia->Columns().Add());
    EXPECT_TRUE(griglia->CampoOrdine.isEmpty());

    tabelle::TTable piana(nullptr, &sessione);
    piana.DatabaseName = cartella.percorso();
    piana.TableName = "Tratte.db";
    piana.Open();
    tabelle::TDataSource altra;
    altra.SetDataSet(&piana);
    TNewDBGrid g;
    g.SetDataSource(&altra);
    g.OrdinaColonna(g.Columns()[1]);
    EXPECT_TRUE(g.CampoOrdine.isEmpty());
    // A plain table keeps its system columns: only an enhanced table names them.
    EXPECT_GE(g.Columns().IndiceDi("CodOp"), 0);
}

TEST_F(NewDBGridTest, CelleBooleane)
{
    Collega(6, false);
    Mostra(*griglia, 800, 300);
    const int flag = griglia->Columns().IndiceDi("Flag");
    const ModelloGriglia& m = griglia->Modello();
    auto valore = [&](int riga) { return tabella->ValoreRiga(riga, tabella->FieldByName("Flag")->Index()); };
    ASSERT_TRUE(valore(0).isNull());

    // A click on a NULL box makes it true; the dataset is being edited.
    QTest::mouseClick(griglia->viewport(), Qt::LeftButton, {}, griglia->visualRect(m.index(0, flag)).center());
    EXPECT_EQ(tabella->State(), tabelle::TDataSetState::dsEdit);
    EXPECT_EQ(griglia->Operazione(), TipoOp::top_InizioModifica);
    EXPECT_TRUE(tabella->FieldByName("Flag")->AsBoolean());
    EXPECT_FALSE(griglia->CanEditShow());
    tabella->Post();
    EXPECT_EQ(griglia->Operazione(), TipoOp::top_Nessuna);
    EXPECT_TRUE(valore(0).toBool());

    // A key on a boolean cell toggles it; a click elsewhere does nothing to it.
    tabella->SetRecNo(2);
    QTest::keyClick(griglia.get(), Qt::Key_Space);
    EXPECT_FALSE(tabella->FieldByName("Flag")->AsBoolean());
    tabella->Post();
    QTest::mouseClick(griglia->viewport(), Qt::LeftButton, {}, griglia->visualRect(m.index(2, flag - 1)).center());
    EXPECT_EQ(tabella->State(), tabelle::TDataSetState::dsBrowse);
    EXPECT_FALSE(valore(2).toBool());
    // A right click neither moves nor toggles.
    QTest::mouseClick(griglia->viewport(), Qt::RightButton, {}, griglia->visualRect(m.index(1, flag)).center());
    EXPECT_EQ(tabella->RecNo(), 3);
    EXPECT_FALSE(valore(1).toBool());

    // Read-only grid, read-only field: nothing changes.
    griglia->SetReadOnly(true);
    QTest::mouseClick(griglia->viewport(), Qt::LeftButton, {}, griglia->visualRect(m.index(4, flag)).center());
    EXPECT_EQ(tabella->RecNo(), 5);
    EXPECT_EQ(tabella->State(), tabelle::TDataSetState::dsBrowse);
    EXPECT_TRUE(valore(4).toBool());
    griglia->SetReadOnly(false);
    tabella->FieldByName("Flag")->ReadOnly = true;
    QTest::keyClick(griglia.get(), Qt::Key_Space);
    EXPECT_EQ(tabella->State(), tabelle::TDataSetState::dsBrowse);
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();

    // The boxes are drawn, centred, two pixels from the top of the cell.
    tabella->First();
    QApplication::processEvents();
    const QImage schermo = griglia->viewport()->grab().toImage();
    const qreal scala = schermo.devicePixelRatio();
    for (int riga : {4, 5}) {
        const QRect r = griglia->visualRect(m.index(riga, flag));
        const QImage atteso = ImmagineGriglia(riga == 4 ? "Vero" : "Falso").convertToFormat(QImage::Format_RGB32);
        const QImage visto = schermo.copy(QRect(QPoint(r.left() + r.width() / 2 - 5, r.top() + 2) * scala, QSize(11, 11) * scala))
                                 .scaled(11, 11)
                                 .convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(visto, atteso) << riga;
    }
}

TEST_F(NewDBGridTest, BooleaniDiUnaTabellaInSolaLetturaNonCambiano)
{
    Collega(3, true);
    Mostra(*griglia);
    const int flag = griglia->Columns().IndiceDi("Flag");
    QTest::mouseClick(griglia->viewport(), Qt::LeftButton, {}, griglia->visualRect(griglia->Modello().index(0, flag)).center());
    EXPECT_EQ(tabella->RecNo(), 1);
    EXPECT_EQ(tabella->State(), tabelle::TDataSetState::dsBrowse);
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();
}

TEST_F(NewDBGridTest, SuggerimentoSuiTitoli)
{
    Collega(5);
    griglia->TitleHint = true;
    Mostra(*griglia, 800, 300);
    SuggerimentoTitolo& s = griglia->Suggerimento();
    bool sopraGriglia = true;
    s.PuntatoreSullaGriglia = [&] { return sopraGriglia; };
    ASSERT_TRUE(SuggerimentiApplicazione::Attivi());

    MuoviSuTitolo(1);
    EXPECT_TRUE(s.Finestra().isVisible());
    EXPECT_EQ(s.Finestra().text(), "Ordinamento per : ComunePF1");
    EXPECT_FALSE(SuggerimentiApplicazione::Attivi());
    EXPECT_TRUE(s.Timer().isActive());
    EXPECT_EQ(s.Timer().interval(), 500);
    TTitoliGriglia& t = griglia->Titoli();
    EXPECT_EQ(s.Finestra().pos(), t.viewport()->mapToGlobal(QPoint(t.sectionViewportPosition(1), 0)) + QPoint(0, t.height() * 3 / 2));

    // About two seconds, then hidden, and not again over the same column.
    for (int i = 0; i < 4; ++i)
        s.Scatto();
    EXPECT_TRUE(s.Finestra().isVisible());
    s.Scatto();
    EXPECT_FALSE(s.Finestra().isVisible());
    EXPECT_FALSE(s.Timer().isActive());
    EXPECT_TRUE(SuggerimentiApplicazione::Attivi());
    MuoviSuTitolo(1);
    EXPECT_FALSE(s.Finestra().isVisible());
    MuoviSuTitolo(2);
    EXPECT_TRUE(s.Finestra().isVisible());
    EXPECT_EQ(s.Finestra().text(), "Ordinamento per : PF1");

    // From title to title and out: the application's hints come back on.
    MuoviSuTitolo(3);
    EXPECT_FALSE(SuggerimentiApplicazione::Attivi());
    MuoviSuCelle();
    EXPECT_FALSE(s.Finestra().isVisible());
    EXPECT_TRUE(SuggerimentiApplicazione::Attivi());

    // The pointer leaving the grid: the column is forgotten.
    MuoviSuTitolo(3);
    sopraGriglia = false;
    s.Scatto();
    EXPECT_FALSE(s.Finestra().isVisible());
    MuoviSuTitolo(3);
    EXPECT_TRUE(s.Finestra().isVisible());
    MuoviSuCelle();

    // Hints switched off by the application stay off.
    SuggerimentiApplicazione::Imposta(false);
    MuoviSuTitolo(1);
    MuoviSuCelle();
    EXPECT_FALSE(SuggerimentiApplicazione::Attivi());
    SuggerimentiApplicazione::Imposta(true);

    // No hint without TitleHint or with the dataset closed.
    griglia->TitleHint = false;
    MuoviSuTitolo(4);
    EXPECT_FALSE(s.Finestra().isVisible());
    griglia->TitleHint = true;
    tabella->Close();
    MuoviSuTitolo(0);
    EXPECT_FALSE(s.Finestra().isVisible());
}

TEST_F(NewDBGridTest, SuggerimentiSovrappostiDiDueGriglieNonSpengonoQuelliDellApplicazione)
{
    Collega(5);
    griglia->TitleHint = true;
    Mostra(*griglia, 800, 300);
    auto seconda = std::make_unique<TNewDBGrid>();
    seconda->TitleHint = true;
    seconda->SetDataSource(&sorgente);
    Mostra(*seconda, 800, 300);
    SuggerimentoTitolo& a = griglia->Suggerimento();
    SuggerimentoTitolo& b = seconda->Suggerimento();
    a.PuntatoreSullaGriglia = b.PuntatoreSullaGriglia = [] { return true; };
    auto finisci = [](SuggerimentoTitolo& s) {
        while (s.Timer().isActive())
            s.Scatto();
    };
    ASSERT_TRUE(SuggerimentiApplicazione::Attivi());

    // The second hint comes while the first is up; both end on their timers.
    MuoviSuTitolo(*griglia, 1);
    MuoviSuTitolo(*seconda, 2);
    finisci(a);
    EXPECT_FALSE(SuggerimentiApplicazione::Attivi()); // the second is still up
    finisci(b);
    EXPECT_TRUE(SuggerimentiApplicazione::Attivi());

    // Again, the second ending when the pointer leaves its titles.
    MuoviSuTitolo(*griglia, 2);
    MuoviSuTitolo(*seconda, 3);
    finisci(a);
    MuoviSuCelle(*seconda);
    EXPECT_TRUE(SuggerimentiApplicazione::Attivi());

    // A grid that goes while its hint is up takes its hold with it.
    MuoviSuTitolo(*seconda, 1);
    EXPECT_FALSE(SuggerimentiApplicazione::Attivi());
    seconda.reset();
    EXPECT_TRUE(SuggerimentiApplicazione::Attivi());
}

TEST_F(NewDBGridTest, LaFrecciaSegueLOrdineDelleRighe)
{
    Collega(6);
    Mostra(*griglia, 800, 300);
    const QRect titolo(0, 0, 200, 20);
    ClicTitolo(1);
    ClicTitolo(1);
    ASSERT_EQ(griglia->CampoOrdine, "ComunePF1");
    ASSERT_EQ(griglia->Ordinamento, TOrdine::Down);
    ASSERT_TRUE(griglia->PosizioneFreccia(1, titolo));

    // The table run again without sort fields (as a search does): no arrow,
    // and the next click on that title sorts ascending.
    tabella->CampiOrdine.clear();
    tabella->Riapri();
    EXPECT_TRUE(griglia->CampoOrdine.isEmpty());
    EXPECT_FALSE(griglia->PosizioneFreccia(1, titolo));
    ClicTitolo(1);
    EXPECT_EQ(griglia->Ordinamento, TOrdine::Up);
    EXPECT_EQ(griglia->Modello().data(griglia->Modello().index(0, 1)).toString(), "C001");

    // Sort fields set on the table: the arrow shows them, in the field's spelling.
    tabella->CampiOrdine = QStringList{"PF1"};
    tabella->Discendente = true;
    tabella->Riapri();
    EXPECT_EQ(griglia->CampoOrdine, "PF1");
    EXPECT_EQ(griglia->Ordinamento, TOrdine::Down);
    EXPECT_TRUE(griglia->PosizioneFreccia(2, titolo));
    EXPECT_FALSE(griglia->PosizioneFreccia(1, titolo));
    // A closed table has no rows in any order.
    tabella->Close();
    EXPECT_FALSE(griglia->PosizioneFreccia(2, titolo));
}

TEST_F(NewDBGridTest, UnCampoMancanteNonSiOrdinaENonChiudeNulla)
{
    Collega(4);
    Mostra(*griglia, 800, 300);
    ClicTitolo(2); // PF1
    TColumn& anno = griglia->Columns().Add();
    anno.SetFieldName("Anno");
    const int n = griglia->Columns().Count();
    griglia->OrdinaColonna(anno);
    EXPECT_EQ(Testi(), QStringList{"Impossibile ordinare: il campo \"Anno\" non è nella tabella."});
    EXPECT_TRUE(tabella->TDataSet::Active());
    EXPECT_EQ(griglia->Modello().rowCount(), 4);
    EXPECT_EQ(griglia->CampoOrdine, "PF1");
    EXPECT_EQ(tabella->CampiOrdine, QStringList{"PF1"});
    EXPECT_EQ(Ordinamenti().size(), 1);
    EXPECT_EQ(griglia->Columns().Count(), n);
    // The same from a form that sets CampoOrdine itself.
    griglia->CampoOrdine = "Anno";
    griglia->ApplicaOrdinamento();
    EXPECT_EQ(Testi().size(), 2);
    EXPECT_TRUE(tabella->TDataSet::Active());
    tabella->Riapri();
    EXPECT_EQ(tabella->RecordCount(), 4);
    EXPECT_EQ(griglia->CampoOrdine, "PF1");
}

TEST_F(NewDBGridTest, UnTastoNonSpostaLaRigaCorrente)
{
    Collega(12);
    Mostra(*griglia, 800, 300);
    griglia->setFocus();
    griglia->SetSelectedIndex(griglia->Columns().IndiceDi("ComunePF1"));
    ASSERT_EQ(tabella->RecNo(), 1);
    // Rows "C012", "C011", ...: a search as you type would go to "C011" and on.
    QTest::keyClicks(griglia.get(), "C01");
    QTest::keyClick(griglia.get(), Qt::Key_0);
    EXPECT_EQ(tabella->RecNo(), 1);
    EXPECT_EQ(griglia->currentIndex().row(), 0);
    // The arrow keys still move.
    QTest::keyClick(griglia.get(), Qt::Key_Down);
    EXPECT_EQ(tabella->RecNo(), 2);
}

TEST_F(NewDBGridTest, AdattaColonnaConIlDoppioClicSulDivisore)
{
    Collega(8);
    Mostra(*griglia, 800, 300);
    const int col = griglia->Columns().IndiceDi("Protocollo");
    griglia->Columns()[col].SetWidth(20);
    int attesa = 0;
    for (int r = 0; r < 8; ++r)
        attesa = std::max(attesa, griglia->fontMetrics().horizontalAdvance(griglia->Modello().Testo(r, col) + "A"));
    TTitoliGriglia& t = griglia->Titoli();
    const QPoint divisore(t.sectionViewportPosition(col) + t.sectionSize(col) - 1, t.height() / 2);
    QTest::mouseDClick(t.viewport(), Qt::LeftButton, {}, divisore);
    EXPECT_EQ(griglia->Columns()[col].Width(), attesa);
    EXPECT_EQ(griglia->columnWidth(col), attesa);
    EXPECT_FALSE(griglia->LayoutCambiato());
    EXPECT_TRUE(griglia->CampoOrdine.isEmpty());
    EXPECT_EQ(tabella->RecNo(), 1);

    // Nothing to fit in an empty dataset.
    tabelle::TQuery vuota(nullptr, &sessione);
    vuota.DatabaseName = cartella.percorso();
    vuota.SQL << "Select * From \"Tratte.db\" Where PF1 > 1000";
    vuota.Open();
    sorgente.SetDataSet(&vuota);
    const int pf = griglia->Columns().IndiceDi("PF1");
    const int prima = griglia->Columns()[pf].Width();
    griglia->AdattaColonna(pf);
    EXPECT_EQ(griglia->Columns()[pf].Width(), prima);
}

class Etichetta : public QWidget, public ITestoTrascinato {
public:
    QString Testo() const override { return "Tratta 12"; }
    bool Disponibile() const override { return true; }
};

TEST_F(NewDBGridTest, TrascinaERilascia)
{
    Collega(2);
    Etichetta etichetta;
    QWidget qualsiasi;
    TNewDBGrid altra;
    EXPECT_TRUE(griglia->DragOver(&etichetta));
    EXPECT_TRUE(griglia->DragOver(&altra));
    EXPECT_FALSE(griglia->DragOver(&qualsiasi));
    EXPECT_FALSE(griglia->DragOver(nullptr));
    EXPECT_EQ(TestoTrascinatoDi(&altra), static_cast<ITestoTrascinato*>(&altra));
    EXPECT_EQ(altra.Testo(), "");
    EXPECT_TRUE(altra.Disponibile());

    griglia->DragDrop(&etichetta);
    EXPECT_EQ(griglia->windowTitle(), "Tratta 12");
    EXPECT_TRUE(finto.mostrati.isEmpty());
    griglia->DragDrop(&qualsiasi);
    EXPECT_EQ(Testi(), QStringList{"L'oggetto non implementa l'interfaccia!!!"});
    EXPECT_EQ(griglia->windowTitle(), "Tratta 12");
    griglia->DragDrop(&altra);
    EXPECT_EQ(griglia->windowTitle(), "");
}

} // namespace
