// The data-aware grid: rows, values and titles of the model, default and
// explicit columns, the current row followed both ways, opening, closing
// and the data source going away.
#include "gridkit/griglia/griglia.h"
#include "gridkit/griglia/grigliamodello.h"
#include "gridkit/griglia/grigliatitoli.h"
#include "supporto_griglia.h"
#include "tabelle/campo.h"

#include "tabelle/tabella.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

using namespace gridkit;

namespace {

class ModelloTest : public ProvaGriglia {
protected:
    void SetUp() override
    {
        CreaTratte(60);
        tabella = ApriTratte();
        for (const char* nome : {"ID_001_TABLE", "SysField", "Info", "CodOp"})
            tabella->FieldByName(nome)->Visible = false;
        tabella->FieldByName("ComunePF1")->DisplayLabel = "Comune PF1";
        tabella->FieldByName("PF1")->DisplayWidth = 4;
        tabella->FieldByName("Distanza")->DisplayFormat = "#########.000";
        sorgente.SetDataSet(tabella.get());
    }

    QStringList Titoli(const TDBGrid& g) const
    {
        QStringList t;
        for (int c = 0; c < g.Modello().columnCount(); ++c)
            t << g.Modello().headerData(c, Qt::Horizontal).toString();
        return t;
    }

    std::unique_ptr<TNewTable> tabella;
    tabelle::TDataSource sorgente;
};

TEST_F(ModelloTest, RigheValoriTitoliECampiNascosti)
{
    TDBGrid griglia;
    griglia.SetDataSource(&sorgente);
    const ModelloGriglia& m = griglia.Modello();

    EXPECT_EQ(m.rowCount(), 60);
    EXPECT_EQ(Titoli(griglia), QStringList({"Comune PF1", "PF1", "Distanza", "Flag", "Protocollo"}));
    EXPECT_EQ(griglia.Columns().State(), TDBGridColumnsState::csDefault);
    EXPECT_EQ(m.data(m.index(0, 0)).toString(), "C060");
    EXPECT_EQ(m.data(m.index(59, 0)).toString(), "C001");
    EXPECT_EQ(m.data(m.index(2, 1)).toString(), "3");
    EXPECT_EQ(m.data(m.index(2, 2)).toString(), "12.500");
    EXPECT_EQ(m.data(m.index(0, 3)).toString(), "");
    EXPECT_EQ(m.data(m.index(1, 3)).toString(), "True");
    EXPECT_EQ(m.data(m.index(2, 3)).toString(), "False");
    EXPECT_FALSE(m.data(m.index(0, 3), ModelloGriglia::RuoloBooleano).isValid());
    EXPECT_TRUE(m.data(m.index(1, 3), ModelloGriglia::RuoloBooleano).toBool());
    EXPECT_EQ(m.data(m.index(0, 2), Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(m.data(m.index(0, 0), Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft | Qt::AlignVCenter));
    // Reading any row leaves the dataset where it was.
    EXPECT_EQ(tabella->RecNo(), 1);
    EXPECT_FALSE(m.data(m.index(60, 0)).isValid());

    // Widths from DisplayWidth (characters of "0"), never narrower than the title.
    const int zero = griglia.fontMetrics().horizontalAdvance('0');
    EXPECT_EQ(griglia.Columns()[1].Width(), std::max(4 * zero + 4, griglia.fontMetrics().horizontalAdvance("PF1") + 4));
    EXPECT_EQ(griglia.columnWidth(4), griglia.Columns()[4].Width());
    EXPECT_EQ(griglia.Columns()[4].Width(), std::max(13 * zero + 4, griglia.fontMetrics().horizontalAdvance("Protocollo") + 4));
}

TEST_F(ModelloTest, ColonneEsplicite)
{
    TDBGrid griglia;
    TColumn& distanza = griglia.Columns().Add();
    distanza.SetFieldName("Distanza");
    TColumn& comune = griglia.Columns().Add();
    comune.SetFieldName("comunepf1");
    comune.SetTitleCaption("Comune");
    comune.SetWidth(90);
    TColumn& mancante = griglia.Columns().Add();
    mancante.SetFieldName("NonCEsiste");
    griglia.SetDataSource(&sorgente);

    const ModelloGriglia& m = griglia.Modello();
    EXPECT_EQ(griglia.Columns().State(), TDBGridColumnsState::csCustomized);
    EXPECT_EQ(Titoli(griglia), QStringList({"Distanza", "Comune", "NonCEsiste"}));
    EXPECT_EQ(m.data(m.index(0, 0)).toString(), "10.500");
    EXPECT_EQ(m.data(m.index(0, 1)).toString(), "C060");
    EXPECT_EQ(m.data(m.index(0, 2)).toString(), "");
    EXPECT_EQ(griglia.columnWidth(1), 90);

    // Hiding a column hides its section; the explicit columns outlive a reopen.
    griglia.Columns()[0].SetVisible(false);
    EXPECT_TRUE(griglia.isColumnHidden(0));
    tabella->Close();
    EXPECT_EQ(m.rowCount(), 0);
    tabella->Riapri();
    EXPECT_EQ(m.rowCount(), 60);
    EXPECT_EQ(m.columnCount(), 3);
    EXPECT_TRUE(griglia.isColumnHidden(0));
    EXPECT_EQ(griglia.columnWidth(1), 90);

    // Back to the default columns: one per visible field again.
    griglia.Columns().SetState(TDBGridColumnsState::csDefault);
    EXPECT_EQ(Titoli(griglia), QStringList({"Comune PF1", "PF1", "Distanza", "Flag", "Protocollo"}));
    EXPECT_FALSE(griglia.isColumnHidden(0));
}

TEST_F(ModelloTest, LaRigaCorrenteSegueIlDataSetEViceversa)
{
    TDBGrid griglia;
    griglia.SetDataSource(&sorgente);
    Mostra(griglia, 500, 200);
    EXPECT_EQ(griglia.currentIndex().row(), 0);

    // The dataset moves: the grid follows and shows the row.
    tabella->SetRecNo(45);
    EXPECT_EQ(griglia.currentIndex().row(), 44);
    EXPECT_TRUE(griglia.viewport()->rect().intersects(griglia.visualRect(griglia.currentIndex())));
    tabella->First();
    EXPECT_EQ(griglia.currentIndex().row(), 0);

    // A click on a row moves the dataset there.
    const QRect cella = griglia.visualRect(griglia.Modello().index(3, 1));
    QTest::mouseClick(griglia.viewport(), Qt::LeftButton, {}, cella.center());
    EXPECT_EQ(tabella->RecNo(), 4);
    EXPECT_EQ(tabella->FieldByName("PF1")->AsInteger(), 4);
    // So does the keyboard.
    QTest::keyClick(&griglia, Qt::Key_Down);
    EXPECT_EQ(tabella->RecNo(), 5);
    QTest::keyClick(&griglia, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(tabella->RecNo(), 60);
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();
}

TEST_F(ModelloTest, ApriChiudiESorgenteCheScompare)
{
    TDBGrid griglia;
    griglia.SetDataSource(&sorgente);
    tabella->Close();
    EXPECT_EQ(griglia.Modello().rowCount(), 0);
    EXPECT_EQ(griglia.Columns().Count(), 0);
    tabella->Riapri();
    EXPECT_EQ(griglia.Modello().rowCount(), 60);
    EXPECT_EQ(griglia.Columns().Count(), 5);

    // A refresh after rows went away elsewhere: the model follows the count.
    {
        tabelle::TTable piana(nullptr, &sessione);
        piana.DatabaseName = cartella.percorso();
        piana.TableName = "Tratte.db";
        piana.Open();
        piana.Last();
        piana.Delete();
    }
    tabella->Refresh();
    EXPECT_EQ(griglia.Modello().rowCount(), 59);

    // The data source, then another grid's dataset, going away.
    {
        tabelle::TDataSource breve;
        breve.SetDataSet(tabella.get());
        TDBGrid altra;
        altra.SetDataSource(&breve);
        EXPECT_EQ(altra.Modello().rowCount(), 59);
        breve.SetDataSet(nullptr);
        EXPECT_EQ(altra.Modello().rowCount(), 0);
    }
    tabella.reset();
    EXPECT_EQ(griglia.Modello().rowCount(), 0);
    EXPECT_EQ(griglia.Modello().data(griglia.Modello().index(0, 0)).toString(), "");
}

TEST_F(ModelloTest, SpostareUnaColonnaConIlMouseCambiaLeColonne)
{
    TDBGrid griglia;
    griglia.SetDataSource(&sorgente);
    Mostra(griglia, 700, 200);
    griglia.Columns()[2].SetWidth(77);
    // Drag the title of "Comune PF1" onto the third title.
    TTitoliGriglia& t = griglia.Titoli();
    const QPoint da(t.sectionViewportPosition(0) + 10, t.height() / 2);
    const QPoint a(t.sectionViewportPosition(2) + t.sectionSize(2) - 5, t.height() / 2);
    QTest::mousePress(t.viewport(), Qt::LeftButton, {}, da);
    QMouseEvent muovi(QEvent::MouseMove, a, t.viewport()->mapToGlobal(a), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(t.viewport(), &muovi);
    QTest::mouseRelease(t.viewport(), Qt::LeftButton, {}, a);

    EXPECT_EQ(Titoli(griglia), QStringList({"PF1", "Distanza", "Comune PF1", "Flag", "Protocollo"}));
    EXPECT_EQ(griglia.Columns().State(), TDBGridColumnsState::csCustomized);
    // The view keeps its visual order equal to the columns'.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(t.visualIndex(i), i);
    EXPECT_EQ(griglia.columnWidth(1), 77);
    EXPECT_EQ(griglia.Modello().data(griglia.Modello().index(0, 2)).toString(), "C060");
}

TEST_F(ModelloTest, SelezionaTuttoSoloConSelezioneMultipla)
{
    TDBGrid griglia;
    griglia.SetDataSource(&sorgente);
    Mostra(griglia);
    tabella->SetRecNo(7);
    griglia.selectAll();
    EXPECT_EQ(griglia.selectionModel()->selectedRows().size(), 0);

    griglia.SetOptions(griglia.Options().con(TDBGridOption::dgMultiSelect));
    auto* angolo = griglia.findChild<QAbstractButton*>();
    ASSERT_NE(angolo, nullptr);
    QTest::mouseClick(angolo, Qt::LeftButton);
    EXPECT_EQ(griglia.selectionModel()->selectedRows().size(), 60);
    EXPECT_EQ(tabella->RecNo(), 7);
    EXPECT_EQ(griglia.currentIndex().row(), 6);
}

} // namespace
