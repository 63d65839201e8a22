#include "aiuto/applicazione.h"
#include "gridkit/comandi/colonneform.h"
#include "gridkit/comandi/dbgridpopupmenu.h"
#include "gridkit/modifica/undotable.h"
#include "supporto_comandi.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QApplication>
#include <QTest>

using namespace gridkit;
using O = TOptionMenu;

namespace {

QList<int> Visibili(const QList<QAction*>& voci)
{
    QList<int> v;
    for (int i = 0; i < voci.size(); ++i) {
        if (voci[i]->isVisible())
            v << i;
        else
            EXPECT_FALSE(voci[i]->isEnabled()) << "item " << i;
    }
    return v;
}

QStringList VociMostrate(const QMenu& menu)
{
    QStringList t;
    for (QAction* a : menu.actions())
        if (a->isVisible())
            t << a->text();
    return t;
}

int Voci(TNewDBGrid& g) { return g.Giornale() ? g.Giornale()->RecordCount() : 0; }

} // namespace

TEST_F(ProvaComandi, MenuDaOptionMenuESottomenuDiColonne)
{
    TDBGridPopupMenu& menu = griglia->PopupMenu();
    const QList<QAction*> voci = menu.actions();
    ASSERT_EQ(voci.size(), 17);
    QStringList didascalie;
    for (QAction* a : voci)
        didascalie << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(didascalie, TDBGridPopupMenu::Didascalie());
    EXPECT_EQ(voci[7]->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(voci[16]->shortcut(), QKeySequence("Ctrl+T"));

    griglia->OptionMenu = {O::opm_OrdCrescente, O::opm_OrdDecrescente, O::opm_OrdOriginale, O::opm_Adatta,
                           O::opm_VisCampi, O::opm_Trova};
    griglia->HelpContextOptionMenu().Sethc_Trova(4242);
    menu.Aggiorna();
    EXPECT_EQ(Visibili(voci), QList<int>({0, 1, 2, 3, 4, 5, 12, 16}));
    EXPECT_EQ(voci[16]->property("helpContext").toInt(), 4242);
    // The memo column is never offered.
    EXPECT_EQ(VociMostrate(*voci[0]->menu()), QStringList({"ID_001_TABLE", "Nome", "Valore", "Flag"}));
    EXPECT_EQ(VociMostrate(*voci[4]->menu()), QStringList({"ID_001_TABLE", "Nome", "Valore", "Flag"}));

    // Paste and undo follow the clipboard and the journal.
    griglia->OptionMenu = TutteLeOpzioniMenu;
    menu.Aggiorna();
    EXPECT_EQ(Visibili(voci).size(), 17);
    EXPECT_FALSE(voci[8]->isEnabled());
    EXPECT_FALSE(voci[14]->isEnabled());
    griglia->RegistraOrdinamento();
    menu.Aggiorna();
    EXPECT_TRUE(voci[14]->isEnabled());
}

TEST_F(ProvaComandi, OrdinamentoDalMenu)
{
    TDBGridPopupMenu& menu = griglia->PopupMenu();
    menu.Aggiorna();
    QMenu* crescente = menu.actions()[0]->menu();
    crescente->actions()[1]->trigger(); // Nome ascending
    EXPECT_EQ(griglia->CampoOrdine, "Nome");
    EXPECT_EQ(griglia->Ordinamento, TOrdine::Up);
    tabella->First();
    EXPECT_EQ(Nome(), "Bianchi");
    const int dopoPrimo = Voci(*griglia);
    EXPECT_EQ(dopoPrimo, 1);
    // The same sort again: nothing, no journal entry.
    menu.Aggiorna();
    menu.actions()[0]->menu()->actions()[1]->trigger();
    EXPECT_EQ(Voci(*griglia), dopoPrimo);
    // Descending, then the insertion order.
    menu.actions()[1]->menu()->actions()[1]->trigger();
    tabella->First();
    EXPECT_EQ(Nome(), "Verdi");
    menu.actions()[2]->trigger();
    EXPECT_EQ(griglia->CampoOrdine, "ID_001_TABLE");
    tabella->First();
    EXPECT_EQ(Nome(), "Rossini");
    EXPECT_EQ(Voci(*griglia), 3);
    menu.actions()[2]->trigger();
    EXPECT_EQ(Voci(*griglia), 3);
    EXPECT_TRUE(Testi().isEmpty());
}

TEST_F(ProvaComandi, UnioneNelMenuDellOspite)
{
    QMenu ospite;
    QAction* mio = ospite.addAction("Mio");
    ospite.addSeparator();
    griglia->OptionMenu = {O::opm_OrdCrescente, O::opm_Trova, O::opm_Annulla};
    EXPECT_EQ(griglia->InserisciInMenu(&ospite), &ospite);
    griglia->InserisciInMenu(&ospite);
    // Earlier merged items and separators go; the host's own item stays.
    const QList<QAction*> voci = ospite.actions();
    ASSERT_EQ(voci.size(), 1 + 1 + 17);
    EXPECT_EQ(voci[0], mio);
    EXPECT_TRUE(voci[1]->isSeparator());
    EXPECT_EQ(Visibili(voci.mid(2)), QList<int>({0, 3, 13, 14, 16}));
    EXPECT_FALSE(voci[2 + 14]->isEnabled());
    // Opening the host's menu refreshes the undo item.
    griglia->RegistraOrdinamento();
    emit ospite.aboutToShow();
    EXPECT_TRUE(voci[2 + 14]->isEnabled());
    // The merged find runs the grid's find.
    voci[2 + 16]->trigger();
    EXPECT_EQ(finto.finestreMostrate, QStringList{"TrovaInNDBGForm"});
}

TEST_F(ProvaComandi, SceltaColonne)
{
    griglia->SetCampiVisibili({"Valore", "Nome"});
    // Everything but one column removed: the last one cannot go.
    finto.ScriviModale([](QDialog& d) {
        auto& f = dynamic_cast<TColonneForm&>(d);
        f.FormActivate();
        EXPECT_EQ(TColonneForm::Elementi(*f.ColVisListBox), QStringList({"ID_001_TABLE", "Nome", "Valore", "Flag", "Note"}));
        EXPECT_TRUE(TColonneForm::Elementi(*f.ColDispListBox).isEmpty());
        f.ColVisListBox->setCurrentRow(0);
        for (int i = 0; i < 6; ++i)
            f.RimuoviBitBtnClick();
        EXPECT_EQ(TColonneForm::Elementi(*f.ColVisListBox), QStringList{"Note"});
        EXPECT_FALSE(f.RimuoviBitBtn->isEnabled());
        f.ColDispListBoxDragDrop(f.ColVisListBox, f.ColDispListBox, -1);
        EXPECT_EQ(f.ColVisListBox->count(), 1);
        // Back in, after the selection; then up.
        EXPECT_EQ(TColonneForm::Elementi(*f.ColDispListBox), QStringList({"ID_001_TABLE", "Nome", "Valore", "Flag"}));
        f.ColDispListBox->setCurrentRow(1); // Nome
        f.AggiungiBitBtnClick();
        EXPECT_EQ(TColonneForm::Elementi(*f.ColVisListBox), QStringList({"Note", "Nome"}));
        f.SpostaSuBitBtnClick();
        EXPECT_EQ(TColonneForm::Elementi(*f.ColVisListBox), QStringList({"Nome", "Note"}));
        EXPECT_EQ(f.ColVisListBox->currentRow(), 0);
        EXPECT_FALSE(f.SpostaSuBitBtn->isEnabled());
        f.OkBitBtnClick();
        return f.result();
    });
    int cambi = 0;
    griglia->OnChangeVisField = [&](QObject*) { ++cambi; };
    griglia->ScegliColonne();
    QStringList colonne;
    for (int i = 0; i < griglia->Columns().Count(); ++i)
        colonne << griglia->Columns()[i].FieldName();
    EXPECT_EQ(colonne, QStringList({"Nome", "Note"}));
    EXPECT_TRUE(griglia->LayoutCambiato());
    EXPECT_EQ(cambi, 1);

    // "Tabella originale" then OK: exactly CampiVisibili; "Annulla" changes nothing.
    finto.ScriviModale([](QDialog& d) {
        auto& f = dynamic_cast<TColonneForm&>(d);
        f.FormActivate();
        f.InizialeBitBtnClick();
        EXPECT_TRUE(TColonneForm::Elementi(*f.ColDispListBox).isEmpty());
        f.OkBitBtnClick();
        return f.result();
    });
    griglia->ScegliColonne();
    colonne.clear();
    for (int i = 0; i < griglia->Columns().Count(); ++i)
        colonne << griglia->Columns()[i].FieldName();
    EXPECT_EQ(colonne, QStringList({"Valore", "Nome"}));
    finto.ScriviModale([](QDialog& d) {
        auto& f = dynamic_cast<TColonneForm&>(d);
        f.FormActivate();
        f.ColVisListBox->setCurrentRow(0);
        f.RimuoviBitBtnClick();
        f.AnnullaBitBtn->click();
        return f.result();
    });
    griglia->ScegliColonne();
    EXPECT_EQ(griglia->Columns().Count(), 2);
    EXPECT_EQ(cambi, 3);
}

TEST(ColonneForm, ReimpostaETrascinamento)
{
    QStringList visibili{"A", "B", "C"};
    const QStringList disponibili{"X", "Y"};
    TColonneForm f(&visibili, &disponibili, {});
    f.FormActivate(); // the first activation fills the lists
    EXPECT_EQ(TColonneForm::Elementi(*f.ColDispListBox), disponibili);
    // A drop from the available list goes before the item under the pointer.
    f.ColDispListBox->setCurrentRow(1);
    f.ColDispListBoxDragDrop(f.ColDispListBox, f.ColVisListBox, 1);
    EXPECT_EQ(TColonneForm::Elementi(*f.ColVisListBox), QStringList({"A", "Y", "B", "C"}));
    EXPECT_EQ(f.ColDispListBox->currentRow(), 0);
    // Within the visible list: moved to the item dropped on.
    f.ColVisListBox->setCurrentRow(0);
    f.ColDispListBoxDragDrop(f.ColVisListBox, f.ColVisListBox, 3);
    EXPECT_EQ(TColonneForm::Elementi(*f.ColVisListBox), QStringList({"Y", "B", "C", "A"}));
    // Within the available list: nothing.
    f.ColDispListBoxDragDrop(f.ColDispListBox, f.ColDispListBox, 0);
    EXPECT_EQ(TColonneForm::Elementi(*f.ColDispListBox), QStringList{"X"});
    EXPECT_TRUE(f.ReimpostaBitBtn->isEnabled());
    f.ReimpostaBitBtnClick();
    EXPECT_EQ(TColonneForm::Elementi(*f.ColVisListBox), visibili);
    f.AnnullaBitBtn->click();
    EXPECT_EQ(visibili, QStringList({"A", "B", "C"}));
    EXPECT_FALSE(TColonneForm(nullptr, &disponibili, {}).ReimpostaBitBtn->isEnabled());
}

TEST_F(ProvaComandi, ScorciatoieSoloPerIComandiAccesi)
{
    griglia->activateWindow();
    griglia->setFocus();
    QApplication::processEvents();
    griglia->OptionMenu = {O::opm_OrdCrescente};
    griglia->PopupMenu().AbilitaScorciatoie();
    QTest::keyClick(griglia.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());
    griglia->OptionMenu = {O::opm_Trova};
    griglia->PopupMenu().AbilitaScorciatoie();
    QTest::keyClick(griglia.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(finto.finestreMostrate, QStringList{"TrovaInNDBGForm"});
}

TEST_F(ProvaComandi, F1SuUnaVoceApreIlSuoArgomento)
{
    QList<quintptr> chiesti;
    aiuto::ImpostaGestoreAiuto([&](int comando, quintptr dati, bool&) {
        if (comando == aiuto::HELP_CONTEXT)
            chiesti << dati;
        return true;
    });
    TDBGridPopupMenu& menu = griglia->PopupMenu();
    menu.Aggiorna();
    menu.setActiveAction(menu.actions()[TDBGridPopupMenu::VoceTrova]);
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&menu, &f1);
    aiuto::ImpostaGestoreAiuto({});
    EXPECT_EQ(chiesti, QList<quintptr>{50000});
}
