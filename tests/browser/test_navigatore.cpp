// The data navigator: buttons enabled as the dataset's position allows,
// clicks that move the dataset, visible buttons and hints.
#include "gridkit/browser/navigatore.h"
#include "supporto_browser.h"
#include "tabelle/sorgente.h"

#include <QCoreApplication>
#include <QSignalSpy>
#include <QToolButton>

using namespace gridkit;
using namespace tabelle;

namespace {

class NavigatoreTest : public prova::BrowserTest {
protected:
    // "1100" = first and prior enabled, next and last not.
    static QString Abilitati(const TDBNavigator& n)
    {
        QString s;
        for (int i = 0; i < NumeroBottoniNavigatore; ++i)
            s += n.Bottone(TNavigateBtn(i))->isEnabled() ? '1' : '0';
        return s;
    }
};

TEST_F(NavigatoreTest, BottoniSeguonoBofEofEMuovonoIlDataset)
{
    auto t = Tabella(3);
    TDataSource sorgente;
    TDBNavigator nav;
    EXPECT_EQ(Abilitati(nav), "0000");
    nav.SetDataSource(&sorgente);
    EXPECT_EQ(Abilitati(nav), "0000"); // a source without a dataset
    sorgente.SetDataSet(t.get());
    EXPECT_EQ(Abilitati(nav), "0011"); // just opened: at Bof
    QSignalSpy clic(&nav, &TDBNavigator::Click);

    nav.Bottone(nbNext)->click();
    EXPECT_EQ(t->RecNo(), 2);
    EXPECT_EQ(Abilitati(nav), "1111");
    nav.Bottone(nbLast)->click();
    EXPECT_EQ(t->RecNo(), 3);
    EXPECT_EQ(Abilitati(nav), "1100");
    nav.Bottone(nbPrior)->click();
    EXPECT_EQ(t->RecNo(), 2);
    nav.Bottone(nbFirst)->click();
    EXPECT_EQ(t->RecNo(), 1);
    EXPECT_EQ(Abilitati(nav), "0011");
    ASSERT_EQ(clic.count(), 4);
    EXPECT_EQ(clic.at(0).at(0).value<TNavigateBtn>(), nbNext);

    // Moves made elsewhere are followed at once.
    t->Last();
    EXPECT_EQ(Abilitati(nav), "1100");
    t->SetRecNo(2);
    EXPECT_EQ(Abilitati(nav), "1111");
    t->Close();
    EXPECT_EQ(Abilitati(nav), "0000");
    t->Open();
    EXPECT_EQ(Abilitati(nav), "0011");
    // A source freed first leaves the navigator with none.
    {
        TDataSource altra;
        altra.SetDataSet(t.get());
        nav.SetDataSource(&altra);
    }
    EXPECT_EQ(nav.DataSource(), nullptr);
    EXPECT_EQ(Abilitati(nav), "0000");
    nav.BtnClick(nbNext); // nothing to move, nothing breaks
    EXPECT_EQ(t->RecNo(), 1);
}

TEST_F(NavigatoreTest, DatasetVuotoOUnaRiga)
{
    auto vuota = Tabella(0, "Vuota.db");
    auto una = Tabella(1, "Una.db");
    TDataSource sorgente;
    sorgente.SetDataSet(vuota.get());
    TDBNavigator nav;
    nav.SetDataSource(&sorgente);
    EXPECT_EQ(Abilitati(nav), "0000");
    sorgente.SetDataSet(una.get());
    EXPECT_EQ(Abilitati(nav), "0011");
    nav.BtnClick(nbNext);
    EXPECT_EQ(una->RecNo(), 1);
    EXPECT_EQ(Abilitati(nav), "1100");
}

TEST_F(NavigatoreTest, ErroreDelDatasetVaAllaFinestraDErrore)
{
    auto t = Tabella(3);
    t->FieldByName("Nome")->Required = true;
    TDataSource sorgente;
    sorgente.SetDataSet(t.get());
    TDBNavigator nav;
    nav.SetDataSource(&sorgente);
    // A new row that cannot be written: the move stops, the row stays.
    t->Append();
    t->FieldByName("Valore")->SetAsInteger(9);
    nav.BtnClick(nbFirst);
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati[0].titolo, "Errore");
    EXPECT_TRUE(finto.mostrati[0].testo.contains("Nome")) << finto.mostrati[0].testo.toStdString();
    EXPECT_EQ(t->State(), TDataSetState::dsInsert);
    EXPECT_EQ(t->FieldByName("Valore")->AsInteger(), 9);
}

TEST_F(NavigatoreTest, BottoniVisibiliSuggerimentiEGlifi)
{
    TDBNavigator nav;
    nav.resize(96, 20);
    for (int i = 0; i < NumeroBottoniNavigatore; ++i) {
        EXPECT_FALSE(nav.Bottone(TNavigateBtn(i))->icon().isNull());
        EXPECT_EQ(nav.Bottone(TNavigateBtn(i))->focusPolicy(), Qt::NoFocus);
    }
    EXPECT_EQ(nav.Bottone(nbFirst)->toolTip(), "Primo record");
    EXPECT_EQ(nav.Bottone(nbLast)->toolTip(), "Ultimo record");

    nav.SetVisibleButtons({nbNext, nbLast});
    nav.resize(48, 18);
    nav.show();
    EXPECT_TRUE(nav.Bottone(nbFirst)->isHidden());
    EXPECT_TRUE(nav.Bottone(nbPrior)->isHidden());
    EXPECT_FALSE(nav.Bottone(nbNext)->isHidden());
    // The visible buttons share the width.
    EXPECT_EQ(nav.Bottone(nbNext)->geometry(), QRect(0, 0, 24, 18));
    EXPECT_EQ(nav.Bottone(nbLast)->geometry(), QRect(24, 0, 24, 18));

    nav.SetHints({QString(), QString(), "Avanti"});
    EXPECT_EQ(nav.Bottone(nbNext)->toolTip(), "Avanti");
    EXPECT_EQ(nav.Bottone(nbLast)->toolTip(), "Ultimo record");
    nav.SetShowHint(false);
    EXPECT_TRUE(nav.Bottone(nbNext)->toolTip().isEmpty());
    EXPECT_EQ(nav.Hint(nbNext), "Avanti");
}

} // namespace
