// The decorated panel without pixels: sides resolved against the
// alignment, widths of borders and bevels, the area left for children,
// child alignment, change notices and OnResize.
#include "gridkit/pannello/pannelloavanzato.h"
#include "supporto_pannello.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <climits>
#include <memory>

using namespace gridkit;

namespace {

TEST(PannelloLati, RisolviLatiPerOgniAllineamento)
{
    struct Caso {
        TAlign allineamento;
        TPanelSides align, opposto, primo, ultimo, precedente, successivo;
    };
    const TPanelSides nessuno;
    const Caso casi[] = {
        {alNone, nessuno, LatiFisici, nessuno, nessuno, nessuno, nessuno},
        {alClient, LatiFisici, nessuno, nessuno, nessuno, nessuno, nessuno},
        {alTop, psTop, psBottom, psLeft, psRight, psLeft, psRight},
        {alBottom, psBottom, psTop, psLeft, psRight, psRight, psLeft},
        {alLeft, psLeft, psRight, psTop, psBottom, psBottom, psTop},
        {alRight, psRight, psLeft, psTop, psBottom, psTop, psBottom},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(static_cast<int>(c.allineamento));
        EXPECT_EQ(RisolviLati(psAlign, c.allineamento), c.align);
        EXPECT_EQ(RisolviLati(psAlignOpposite, c.allineamento), c.opposto);
        EXPECT_EQ(RisolviLati(psNonAlignFirst, c.allineamento), c.primo);
        EXPECT_EQ(RisolviLati(psNonAlignLast, c.allineamento), c.ultimo);
        EXPECT_EQ(RisolviLati(psNonAlignPrev, c.allineamento), c.precedente);
        EXPECT_EQ(RisolviLati(psNonAlignNext, c.allineamento), c.successivo);
        // Physical sides stand for themselves and add to the relative ones.
        EXPECT_EQ(RisolviLati(psLeft | psBottom, c.allineamento), psLeft | psBottom);
        EXPECT_EQ(RisolviLati(psTop | psAlign, c.allineamento), psTop | c.align);
        EXPECT_EQ(RisolviLati({}, c.allineamento), nessuno);
    }
}

TEST(PannelloElementi, LarghezzePerStile)
{
    TPanelBorder bordo;
    const std::pair<TPanelBorderStyle, qint64> bordi[] = {{bsNone, 0}, {bsLowered, 2}, {bsRaised, 2}, {bsRound, 6}, {bsFlat, 1}};
    for (auto [stile, larghezza] : bordi) {
        bordo.SetStyle(stile);
        EXPECT_EQ(bordo.Larghezza(), larghezza) << stile;
    }

    TPanelBevel smusso;
    smusso.SetDepth(3);
    const std::pair<TPanelBevelStyle, qint64> smussi[] = {{bvNone, 0},        {bvLowered, 3},     {bvRaised, 3},
                                                          {bvGroove, 6},      {bvBump, 6},        {bvFlatHiLight, 3},
                                                          {bvFlatShadow, 3},  {bvFlatDkShadow, 3}};
    for (auto [stile, larghezza] : smussi) {
        smusso.SetStyle(stile);
        EXPECT_EQ(smusso.Larghezza(), larghezza) << stile;
    }

    // The bands count also without frames.
    smusso.SetStyle(bvNone);
    smusso.SetSpaceOuter(4);
    smusso.SetSpaceInner(5);
    EXPECT_EQ(smusso.Larghezza(), 9);

    TPanelBevel solco;
    solco.SetStyle(bvGroove);
    solco.SetDepth(2);
    EXPECT_EQ(solco.Larghezza(), 4);
    solco.SetSpaceOuter(3);
    EXPECT_EQ(solco.Larghezza(), 7);

    // Out-of-range values are brought into range.
    solco.SetDepth(0);
    EXPECT_EQ(solco.Depth(), 1);
    solco.SetDepth(-7);
    EXPECT_EQ(solco.Depth(), 1);
    solco.SetSpaceOuter(-1);
    EXPECT_EQ(solco.SpaceOuter(), 0);

    // The widest bevel does not overflow.
    solco.SetDepth(INT_MAX);
    solco.SetSpaceOuter(INT_MAX);
    solco.SetSpaceInner(INT_MAX);
    EXPECT_EQ(solco.Larghezza(), 4 * static_cast<qint64>(INT_MAX));
}

TEST(PannelloElementi, AvvisanoSoloQuandoIlValoreCambia)
{
    TPanelBevel smusso;
    QSignalSpy avvisi(&smusso, &TPanelBevel::Cambiato);
    smusso.SetStyle(bvNone);
    smusso.SetDepth(1);
    smusso.SetDepth(0);  // taken as 1: no change
    smusso.SetSpaceOuter(0);
    smusso.SetSides(LatiFisici);
    EXPECT_EQ(avvisi.count(), 0);
    smusso.SetDepth(2);
    smusso.SetSides(psAlign);
    EXPECT_EQ(avvisi.count(), 2);

    TPanelBevel altro;
    altro.SetStyle(bvBump);
    altro.SetDepth(5);
    altro.SetSpaceOuter(6);
    altro.SetSpaceInner(7);
    altro.SetSides(psNonAlignNext | psLeft);
    avvisi.clear();
    smusso.Assign(altro);
    EXPECT_EQ(avvisi.count(), 1);
    EXPECT_EQ(smusso.Style(), bvBump);
    EXPECT_EQ(smusso.Depth(), 5);
    EXPECT_EQ(smusso.SpaceOuter(), 6);
    EXPECT_EQ(smusso.SpaceInner(), 7);
    EXPECT_EQ(smusso.Sides(), psNonAlignNext | psLeft);

    // The wallpaper keeps its own copy of the bitmap.
    QPixmap immagine(4, 4);
    immagine.fill(Qt::red);
    TPanelWallpaper sfondo;
    QSignalSpy avvisiSfondo(&sfondo, &TPanelWallpaper::Cambiato);
    sfondo.SetBitmap(QPixmap());
    sfondo.SetStyle(wpTile);
    EXPECT_EQ(avvisiSfondo.count(), 0);
    sfondo.SetBitmap(immagine);
    sfondo.SetBitmap(immagine);
    EXPECT_EQ(avvisiSfondo.count(), 1);
    immagine.fill(Qt::blue);
    EXPECT_EQ(sfondo.Bitmap().toImage().pixelColor(0, 0), QColor(Qt::red));

    TPanelWallpaper copia;
    copia.SetStyle(wpCenter);
    sfondo.Assign(copia);
    EXPECT_EQ(sfondo.Style(), wpCenter);
    EXPECT_TRUE(sfondo.Bitmap().isNull());
}

TEST(PannelloAvanzato, ValoriIniziali)
{
    TAdvancedPanel pannello;
    EXPECT_EQ(pannello.size(), QSize(145, 145));
    EXPECT_EQ(pannello.Align(), alNone);
    EXPECT_TRUE(pannello.ParentColor());
    EXPECT_EQ(pannello.Border()->Style(), bsNone);
    EXPECT_EQ(pannello.Border()->Sides(), LatiFisici);
    EXPECT_EQ(pannello.BevelOuter()->Style(), bvRaised);
    EXPECT_EQ(pannello.BevelInner()->Style(), bvNone);
    for (const TPanelBevel* smusso : {pannello.BevelOuter(), pannello.BevelInner()}) {
        EXPECT_EQ(smusso->Sides(), LatiFisici);
        EXPECT_EQ(smusso->Depth(), 1);
        EXPECT_EQ(smusso->SpaceOuter(), 0);
        EXPECT_EQ(smusso->SpaceInner(), 0);
    }
    EXPECT_EQ(pannello.Wallpaper()->Style(), wpTile);
    EXPECT_TRUE(pannello.Wallpaper()->Bitmap().isNull());
    // The raised outer bevel takes one pixel all round.
    EXPECT_EQ(pannello.RettangoloUtile(), QRect(1, 1, 143, 143));
    EXPECT_EQ(pannello.contentsRect(), pannello.RettangoloUtile());

    // The published properties reach the same objects.
    EXPECT_EQ(pannello.property("Border").value<TPanelBorder*>(), pannello.Border());
    EXPECT_EQ(pannello.property("Wallpaper").value<TPanelWallpaper*>(), pannello.Wallpaper());
}

TEST(PannelloAvanzato, AreaRidottaSuiLatiRisolti)
{
    TAdvancedPanel pannello;
    pannello.resize(100, 60);
    pannello.SetAlign(alTop);
    pannello.Border()->SetStyle(bsRound);
    pannello.Border()->SetSides(psAlignOpposite);
    pannello.BevelOuter()->SetStyle(bvGroove);
    pannello.BevelOuter()->SetDepth(2);
    pannello.BevelOuter()->SetSpaceOuter(3);
    pannello.BevelOuter()->SetSides(psNonAlignFirst);
    pannello.BevelInner()->SetStyle(bvLowered);
    pannello.BevelInner()->SetSpaceInner(2);

    // Top: bottom 6 + 3, left 7 + 3, top and right 3.
    EXPECT_EQ(pannello.Margini(), QMargins(10, 3, 3, 9));
    EXPECT_EQ(pannello.RettangoloUtile(), QRect(10, 3, 87, 48));
    EXPECT_EQ(pannello.contentsRect(), pannello.RettangoloUtile());

    // The same sets mean other sides once the panel is docked elsewhere.
    pannello.SetAlign(alLeft);
    EXPECT_EQ(pannello.size(), QSize(60, 100));
    EXPECT_EQ(pannello.Margini(), QMargins(3, 10, 9, 3));
    EXPECT_EQ(pannello.contentsRect(), QRect(3, 10, 48, 87));
    pannello.setProperty("Align", alClient);
    EXPECT_EQ(pannello.Margini(), QMargins(3, 3, 3, 3));
    pannello.SetAlign(alNone);
    EXPECT_EQ(pannello.Margini(), QMargins(9, 9, 9, 9));

    // Wider than the panel: the area is empty and inside it, never inverted.
    pannello.BevelInner()->SetDepth(INT_MAX);
    const QRect area = pannello.RettangoloUtile();
    EXPECT_TRUE(area.isEmpty());
    EXPECT_GE(area.width(), 0);
    EXPECT_GE(area.height(), 0);
    EXPECT_TRUE(pannello.rect().adjusted(0, 0, 1, 1).contains(area.topLeft()));
    EXPECT_EQ(pannello.Margini().left(), QWIDGETSIZE_MAX);
}

class FigliTest : public ::testing::Test {
protected:
    TAdvancedPanel pannello;

    QWidget* Figlio(TAlign allineamento, QRect geometria)
    {
        auto* figlio = new QWidget(&pannello);
        figlio->setGeometry(geometria);
        ImpostaAllineamento(figlio, allineamento);
        return figlio;
    }

    void SetUp() override
    {
        pannello.resize(200, 150);
        pannello.Border()->SetStyle(bsRaised);  // with the outer bevel: 3 all round
    }
};

TEST_F(FigliTest, OgniAllineamentoNellAreaRidotta)
{
    QWidget* alto2 = Figlio(alTop, QRect(0, 50, 10, 10));
    QWidget* alto1 = Figlio(alTop, QRect(0, 0, 10, 20));
    QWidget* basso = Figlio(alBottom, QRect(0, 0, 10, 15));
    QWidget* sinistra = Figlio(alLeft, QRect(0, 0, 30, 10));
    QWidget* destra = Figlio(alRight, QRect(0, 0, 25, 10));
    QWidget* cliente = Figlio(alClient, QRect(0, 0, 1, 1));
    QWidget* libero = Figlio(alNone, QRect(50, 50, 5, 5));
    auto* nascosto = new QWidget(&pannello);
    nascosto->hide();
    nascosto->setGeometry(0, 0, 10, 33);
    ImpostaAllineamento(nascosto, alTop);

    // Area (3, 3) - (197, 147): tops in the order of their position.
    EXPECT_EQ(alto1->geometry(), QRect(3, 3, 194, 20));
    EXPECT_EQ(alto2->geometry(), QRect(3, 23, 194, 10));
    EXPECT_EQ(basso->geometry(), QRect(3, 132, 194, 15));
    EXPECT_EQ(sinistra->geometry(), QRect(3, 33, 30, 99));
    EXPECT_EQ(destra->geometry(), QRect(172, 33, 25, 99));
    EXPECT_EQ(cliente->geometry(), QRect(33, 33, 139, 99));
    EXPECT_EQ(libero->geometry(), QRect(50, 50, 5, 5));

    // A change of an element moves the children with the area.
    pannello.Border()->SetStyle(bsNone);
    EXPECT_EQ(alto1->geometry(), QRect(1, 1, 198, 20));
    EXPECT_EQ(cliente->geometry(), QRect(31, 31, 143, 103));

    // Showing, hiding, resizing and re-aligning a child lay the others out again.
    pannello.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pannello));
    pannello.resize(300, 150);
    EXPECT_EQ(destra->geometry(), QRect(274, 31, 25, 103));
    nascosto->show();
    EXPECT_EQ(alto2->geometry().top(), 54);
    // The child shown last sits first: it was placed nearest the top.
    EXPECT_EQ(nascosto->geometry(), QRect(1, 1, 298, 33));
    alto1->resize(alto1->width(), 40);
    EXPECT_EQ(alto2->geometry().top(), 74);
    EXPECT_EQ(sinistra->geometry().top(), 84);
    ImpostaAllineamento(basso, alNone);
    EXPECT_EQ(sinistra->geometry().bottom(), 148);
    EXPECT_EQ(basso->geometry(), QRect(1, 134, 298, 15));
    nascosto->hide();
    EXPECT_EQ(alto2->geometry().top(), 41);
}

TEST_F(FigliTest, FigliTroppoGrandiNonRovescianoLArea)
{
    QWidget* alto = Figlio(alTop, QRect(0, 0, 10, 500));
    QWidget* sinistra = Figlio(alLeft, QRect(0, 0, 40, 10));
    QWidget* cliente = Figlio(alClient, QRect(0, 0, 1, 1));
    EXPECT_EQ(alto->geometry(), QRect(3, 3, 194, 500));
    // Nothing is left below it: the others get no height, not a negative one.
    EXPECT_EQ(sinistra->geometry(), QRect(3, 147, 40, 0));
    EXPECT_EQ(cliente->geometry().height(), 0);
    EXPECT_GE(cliente->geometry().width(), 0);
}

TEST_F(FigliTest, FiglioAggiuntoDopoLaCostruzione)
{
    // Aligned before it has a parent: laid out when it joins the panel,
    // and taken out of the layout when it leaves.
    auto figlio = std::make_unique<QWidget>();
    figlio->resize(10, 12);
    ImpostaAllineamento(figlio.get(), alBottom);
    figlio->setParent(&pannello);
    EXPECT_EQ(figlio->geometry(), QRect(3, 135, 194, 12));

    QWidget* cliente = Figlio(alClient, QRect());
    EXPECT_EQ(cliente->geometry(), QRect(3, 3, 194, 132));
    QCoreApplication::processEvents();
    figlio->setParent(nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(cliente->geometry(), QRect(3, 3, 194, 144));
}

TEST_F(FigliTest, PannelloAllineatoDentroUnAltro)
{
    auto* interno = new TAdvancedPanel(&pannello);
    interno->resize(50, 30);
    interno->Border()->SetStyle(bsFlat);
    interno->Border()->SetSides(psAlignOpposite);
    interno->BevelOuter()->SetStyle(bvNone);
    interno->SetAlign(alTop);
    EXPECT_EQ(interno->geometry(), QRect(3, 3, 194, 30));
    EXPECT_EQ(interno->Margini(), QMargins(0, 0, 0, 1));

    // From a horizontal edge to a vertical one its thickness goes along.
    interno->SetAlign(alRight);
    EXPECT_EQ(interno->geometry(), QRect(167, 3, 30, 144));
    EXPECT_EQ(interno->Margini(), QMargins(1, 0, 0, 0));

    // Its own children follow its area.
    auto* nipote = new QWidget(interno);
    ImpostaAllineamento(nipote, alClient);
    EXPECT_EQ(nipote->geometry(), QRect(1, 0, 29, 144));

    interno->SetAlign(alNone);
    EXPECT_EQ(interno->geometry(), QRect(167, 3, 30, 144));
}

TEST(PannelloAvanzato, OnResizeDopoIlCaricamento)
{
    QWidget finestra;
    finestra.resize(400, 400);
    auto& pannello = *new TAdvancedPanel(&finestra);  // owned by finestra
    finestra.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finestra));
    QSignalSpy ridimensionato(&pannello, &TAdvancedPanel::OnResize);

    pannello.IniziaCaricamento();
    pannello.resize(100, 100);
    pannello.move(pannello.pos() + QPoint(5, 5));
    EXPECT_EQ(ridimensionato.count(), 0);
    pannello.Loaded();

    pannello.resize(120, 100);
    EXPECT_EQ(ridimensionato.count(), 1);
    pannello.move(pannello.pos() + QPoint(5, 0));
    EXPECT_EQ(ridimensionato.count(), 2);
    pannello.resize(120, 100);
    EXPECT_EQ(ridimensionato.count(), 2);
}

TEST(PannelloAvanzato, ColoreDalGenitore)
{
    TAdvancedPanel esterno;
    esterno.setPalette(prova_pannello::PaletteProva());
    EXPECT_EQ(esterno.Color(), prova_pannello::Finestra);

    auto* interno = new TAdvancedPanel(&esterno);
    esterno.SetColor(Qt::red);
    EXPECT_FALSE(esterno.ParentColor());
    EXPECT_EQ(interno->Color(), QColor(Qt::red));
    esterno.SetColor(Qt::green);
    EXPECT_EQ(interno->Color(), QColor(Qt::green));

    interno->SetColor(Qt::blue);
    EXPECT_FALSE(interno->ParentColor());
    esterno.SetColor(Qt::red);
    EXPECT_EQ(interno->Color(), QColor(Qt::blue));
    interno->SetParentColor(true);
    EXPECT_EQ(interno->Color(), QColor(Qt::red));
    // Leaving the parent's colour keeps the one shown.
    interno->SetParentColor(false);
    esterno.SetColor(Qt::green);
    EXPECT_EQ(interno->Color(), QColor(Qt::red));
    EXPECT_EQ(interno->property("Color").value<QColor>(), QColor(Qt::red));
}

} // namespace
