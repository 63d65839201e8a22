// The decorated panel painted into an image: the frames of every border
// and bevel style, sides relative to the alignment, the four wallpaper
// styles, the parent's colour, and repainting after each change.
#include "gridkit/pannello/pannelloavanzato.h"
#include "supporto_pannello.h"

#include <QElapsedTimer>
#include <QPainter>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <vector>

using namespace gridkit;
using namespace prova_pannello;

namespace {

using Colori = std::vector<QColor>;

// Checks the pixels from each edge inwards, halfway along it: prime on the
// left and top edges, seconde on the right and bottom ones, then the
// panel's colour. Also the corners of the outermost frame.
void ControllaCornici(const QImage& immagine, const Colori& prime, const Colori& seconde)
{
    ASSERT_EQ(prime.size(), seconde.size());
    const int w = immagine.width(), h = immagine.height();
    const int n = static_cast<int>(prime.size());
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Pixel(immagine, i, h / 2), prime[i]);
        EXPECT_EQ(Pixel(immagine, w / 2, i), prime[i]);
        EXPECT_EQ(Pixel(immagine, w - 1 - i, h / 2), seconde[i]);
        EXPECT_EQ(Pixel(immagine, w / 2, h - 1 - i), seconde[i]);
    }
    EXPECT_EQ(Pixel(immagine, n, h / 2), Finestra);
    EXPECT_EQ(Pixel(immagine, w - 1 - n, h / 2), Finestra);
    EXPECT_EQ(Pixel(immagine, w / 2, n), Finestra);
    EXPECT_EQ(Pixel(immagine, w / 2, h - 1 - n), Finestra);
    if (n > 0) {
        EXPECT_EQ(Pixel(immagine, 0, 0), prime[0]);
        EXPECT_EQ(Pixel(immagine, w - 1, 0), seconde[0]);
        EXPECT_EQ(Pixel(immagine, 0, h - 1), seconde[0]);
        EXPECT_EQ(Pixel(immagine, w - 1, h - 1), seconde[0]);
    }
}

// Every pixel has one of the given colours (and so none was left unpainted).
bool SoloColori(const QImage& immagine, const QRect& area, const Colori& ammessi)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (std::find(ammessi.begin(), ammessi.end(), Pixel(immagine, x, y)) == ammessi.end())
                return false;
    return true;
}

// An image where every pixel has its own colour.
QPixmap Quadretti(int larghezza, int altezza)
{
    QImage immagine(larghezza, altezza, QImage::Format_RGB32);
    for (int y = 0; y < altezza; ++y)
        for (int x = 0; x < larghezza; ++x)
            immagine.setPixelColor(x, y, QColor(x * 5, y * 5, 77));
    return QPixmap::fromImage(immagine);
}

TEST(DisegnoPannello, OgniStileDelBordo)
{
    struct Caso {
        TPanelBorderStyle stile;
        Colori prime, seconde;
    };
    const Caso casi[] = {
        {bsNone, {}, {}},
        {bsLowered, {Ombra, OmbraScura}, {Evidenza, Luce3D}},
        {bsRaised, {Luce3D, Evidenza}, {OmbraScura, Ombra}},
        {bsRound,
         {Evidenza, Luce3D, Faccia, Faccia, Ombra, OmbraScura},
         {OmbraScura, Ombra, Faccia, Faccia, Evidenza, Luce3D}},
        {bsFlat, {OmbraScura}, {OmbraScura}},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.stile);
        TAdvancedPanel pannello;
        PreparaPannello(pannello, QSize(40, 30));
        pannello.Border()->SetStyle(c.stile);
        const QImage immagine = Disegna(pannello);
        ControllaCornici(immagine, c.prime, c.seconde);
        EXPECT_FALSE(SoloColori(immagine, immagine.rect(), {Sentinella}));
    }
}

TEST(DisegnoPannello, OgniStileDelloSmussoConLeBande)
{
    struct Caso {
        TPanelBevelStyle stile;
        Colori prime, seconde;  // Depth 2
    };
    const Caso casi[] = {
        {bvNone, {}, {}},
        {bvLowered, {Ombra, Ombra}, {Evidenza, Evidenza}},
        {bvRaised, {Evidenza, Evidenza}, {Ombra, Ombra}},
        {bvGroove, {Ombra, Ombra, Evidenza, Evidenza}, {Evidenza, Evidenza, Ombra, Ombra}},
        {bvBump, {Evidenza, Evidenza, Ombra, Ombra}, {Ombra, Ombra, Evidenza, Evidenza}},
        {bvFlatHiLight, {Evidenza, Evidenza}, {Evidenza, Evidenza}},
        {bvFlatShadow, {Ombra, Ombra}, {Ombra, Ombra}},
        {bvFlatDkShadow, {OmbraScura, OmbraScura}, {OmbraScura, OmbraScura}},
    };
    for (const Caso& c : casi) {
        SCOPED_TRACE(c.stile);
        TAdvancedPanel pannello;
        PreparaPannello(pannello, QSize(40, 30));
        // On the inner bevel, inside a flat border and an empty outer bevel.
        pannello.Border()->SetStyle(bsFlat);
        pannello.BevelOuter()->SetSpaceInner(1);
        pannello.BevelInner()->SetStyle(c.stile);
        pannello.BevelInner()->SetDepth(2);
        pannello.BevelInner()->SetSpaceOuter(1);
        pannello.BevelInner()->SetSpaceInner(2);
        Colori prime{OmbraScura, Faccia, Faccia}, seconde{OmbraScura, Faccia, Faccia};
        prime.insert(prime.end(), c.prime.begin(), c.prime.end());
        seconde.insert(seconde.end(), c.seconde.begin(), c.seconde.end());
        for (int i = 0; i < 2; ++i) {
            prime.push_back(Faccia);
            seconde.push_back(Faccia);
        }
        ControllaCornici(Disegna(pannello), prime, seconde);
    }
}

TEST(DisegnoPannello, LatiRelativiAllAllineamento)
{
    // Docked to the top: a single dark line along the bottom edge only.
    TAdvancedPanel alto;
    PreparaPannello(alto, QSize(30, 20));
    alto.SetAlign(alTop);
    alto.Border()->SetSides(psAlignOpposite);
    alto.Border()->SetStyle(bsFlat);
    QImage immagine = Disegna(alto);
    EXPECT_TRUE(SoloColori(immagine, QRect(0, 19, 30, 1), {OmbraScura}));
    EXPECT_TRUE(SoloColori(immagine, QRect(0, 0, 30, 19), {Finestra}));

    // Docked to the left with the raised outer bevel on its inner edge
    // and the next side (its top).
    alto.SetAlign(alLeft);
    alto.resize(30, 20);
    alto.Border()->SetStyle(bsNone);
    alto.BevelOuter()->SetStyle(bvRaised);
    alto.BevelOuter()->SetSides(psAlignOpposite | psNonAlignNext);
    immagine = Disegna(alto);
    EXPECT_TRUE(SoloColori(immagine, QRect(0, 0, 29, 1), {Evidenza}));
    EXPECT_TRUE(SoloColori(immagine, QRect(29, 0, 1, 20), {Ombra}));
    EXPECT_TRUE(SoloColori(immagine, QRect(0, 1, 29, 19), {Finestra}));

    // Filling its parent, the opposite side is no side at all.
    TAdvancedPanel cliente;
    PreparaPannello(cliente, QSize(30, 20));
    cliente.SetAlign(alClient);
    cliente.Border()->SetSides(psAlignOpposite);
    cliente.Border()->SetStyle(bsRound);
    cliente.BevelInner()->SetSides(psAlignOpposite);
    cliente.BevelInner()->SetStyle(bvGroove);
    cliente.BevelInner()->SetSpaceOuter(3);
    immagine = Disegna(cliente);
    EXPECT_TRUE(SoloColori(immagine, immagine.rect(), {Finestra}));
    EXPECT_EQ(cliente.RettangoloUtile(), cliente.rect());
}

class SfondoTest : public ::testing::Test {
protected:
    TAdvancedPanel pannello;
    // Inside the flat border.
    const QRect area{1, 1, 28, 25};

    void SetUp() override
    {
        PreparaPannello(pannello, QSize(30, 27));
        pannello.Border()->SetStyle(bsFlat);
    }

    // The pixels of area against bitmap placed at origine (relative to
    // area), the panel's colour where the bitmap does not reach.
    void ControllaPosato(const QImage& immagine, const QImage& bitmap, QPoint origine)
    {
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x) {
                const QPoint p = QPoint(x, y) - origine;
                const QColor atteso = bitmap.rect().contains(p) ? bitmap.pixelColor(p) : Finestra;
                ASSERT_EQ(Pixel(immagine, area.left() + x, area.top() + y), atteso) << x << "," << y;
            }
    }

    void ControllaBordo(const QImage& immagine)
    {
        EXPECT_TRUE(SoloColori(immagine, QRect(0, 0, 30, 1), {OmbraScura}));
        EXPECT_TRUE(SoloColori(immagine, QRect(0, 26, 30, 1), {OmbraScura}));
        EXPECT_TRUE(SoloColori(immagine, QRect(0, 0, 1, 27), {OmbraScura}));
        EXPECT_TRUE(SoloColori(immagine, QRect(29, 0, 1, 27), {OmbraScura}));
    }
};

TEST_F(SfondoTest, SenzaBitmapOTrasparenteIlColore)
{
    QPixmap trasparente(4, 4);
    trasparente.fill(Qt::transparent);
    for (const QPixmap& bitmap : {QPixmap(), trasparente}) {
        pannello.Wallpaper()->SetBitmap(bitmap);
        for (auto stile : {wpNone, wpCenter, wpStretch, wpTile}) {
            pannello.Wallpaper()->SetStyle(stile);
            EXPECT_TRUE(SoloColori(Disegna(pannello), area, {Finestra})) << stile;
        }
    }
}

TEST_F(SfondoTest, TileCopreTuttoSenzaBuchi)
{
    const QPixmap bitmap = Quadretti(8, 8);
    pannello.Wallpaper()->SetBitmap(bitmap);
    const QImage immagine = Disegna(pannello);
    const QImage b = bitmap.toImage();
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            ASSERT_EQ(Pixel(immagine, area.left() + x, area.top() + y), b.pixelColor(x % 8, y % 8)) << x << "," << y;
    ControllaBordo(immagine);
}

TEST_F(SfondoTest, NoneNellAngoloCenterAlCentro)
{
    const QPixmap piccola = Quadretti(8, 8);
    pannello.Wallpaper()->SetBitmap(piccola);
    pannello.Wallpaper()->SetStyle(wpNone);
    ControllaPosato(Disegna(pannello), piccola.toImage(), QPoint(0, 0));

    pannello.Wallpaper()->SetStyle(wpCenter);
    ControllaPosato(Disegna(pannello), piccola.toImage(), QPoint(10, 8));

    // Larger than the area: its centre part, and nothing over the border.
    const QPixmap grande = Quadretti(40, 40);
    pannello.Wallpaper()->SetBitmap(grande);
    QImage immagine = Disegna(pannello);
    ControllaPosato(immagine, grande.toImage(), QPoint(-6, -7));
    ControllaBordo(immagine);

    pannello.Wallpaper()->SetStyle(wpNone);
    immagine = Disegna(pannello);
    ControllaPosato(immagine, grande.toImage(), QPoint(0, 0));
    ControllaBordo(immagine);
}

TEST_F(SfondoTest, StretchSuTuttaLArea)
{
    QImage quattro(2, 2, QImage::Format_RGB32);
    quattro.setPixelColor(0, 0, Qt::red);
    quattro.setPixelColor(1, 0, Qt::green);
    quattro.setPixelColor(0, 1, Qt::blue);
    quattro.setPixelColor(1, 1, Qt::black);
    pannello.Wallpaper()->SetBitmap(QPixmap::fromImage(quattro));
    pannello.Wallpaper()->SetStyle(wpStretch);
    const QImage immagine = Disegna(pannello);
    // Each quarter of the area in one colour of the bitmap, unblended.
    EXPECT_TRUE(SoloColori(immagine, QRect(1, 1, 13, 12), {Qt::red}));
    EXPECT_TRUE(SoloColori(immagine, QRect(16, 1, 13, 12), {Qt::green}));
    EXPECT_TRUE(SoloColori(immagine, QRect(1, 14, 13, 12), {Qt::blue}));
    EXPECT_TRUE(SoloColori(immagine, QRect(16, 14, 13, 12), {Qt::black}));
    EXPECT_TRUE(SoloColori(immagine, area, {Qt::red, Qt::green, Qt::blue, Qt::black}));
    ControllaBordo(immagine);
}

TEST(DisegnoPannello, LarghezzeEnormiSenzaAttesa)
{
    TAdvancedPanel pannello;
    PreparaPannello(pannello, QSize(50, 40));
    pannello.BevelOuter()->SetStyle(bvGroove);
    pannello.BevelOuter()->SetDepth(INT_MAX);
    QElapsedTimer tempo;
    tempo.start();
    QImage immagine = Disegna(pannello);
    EXPECT_LT(tempo.elapsed(), 5000);
    // All frames: the lowered set alone fills the panel.
    EXPECT_TRUE(SoloColori(immagine, immagine.rect(), {Ombra, Evidenza}));
    EXPECT_EQ(Pixel(immagine, 0, 20), Ombra);
    EXPECT_EQ(Pixel(immagine, 49, 20), Evidenza);

    pannello.BevelOuter()->SetStyle(bvNone);
    pannello.BevelOuter()->SetSpaceOuter(INT_MAX);
    immagine = Disegna(pannello);
    EXPECT_TRUE(SoloColori(immagine, immagine.rect(), {Faccia}));
}

TEST(DisegnoPannello, ColoreDelPannelloGenitore)
{
    TAdvancedPanel esterno;
    PreparaPannello(esterno, QSize(40, 40));
    auto* interno = new TAdvancedPanel(&esterno);
    interno->setGeometry(10, 10, 20, 20);
    interno->BevelOuter()->SetStyle(bvNone);
    EXPECT_EQ(Pixel(Disegna(esterno), 20, 20), Finestra);

    esterno.SetColor(Qt::red);
    QImage immagine = Disegna(esterno);
    EXPECT_EQ(Pixel(immagine, 20, 20), QColor(Qt::red));
    EXPECT_EQ(Pixel(immagine, 5, 5), QColor(Qt::red));

    interno->SetColor(Qt::blue);
    immagine = Disegna(esterno);
    EXPECT_EQ(Pixel(immagine, 20, 20), QColor(Qt::blue));
    EXPECT_EQ(Pixel(immagine, 5, 5), QColor(Qt::red));
}

TEST(DisegnoPannello, ContornoPuntinatoInModoProgettazione)
{
    TAdvancedPanel pannello;
    PreparaPannello(pannello, QSize(30, 20));
    pannello.SetModoProgettazione(true);
    QImage immagine = Disegna(pannello);
    EXPECT_FALSE(SoloColori(immagine, QRect(0, 0, 30, 1), {Finestra}));
    EXPECT_TRUE(SoloColori(immagine, QRect(0, 0, 30, 1), {Finestra, Ombra}));
    EXPECT_TRUE(SoloColori(immagine, QRect(1, 1, 28, 18), {Finestra}));

    // Only a panel that draws no edge of its own.
    pannello.BevelInner()->SetStyle(bvLowered);
    immagine = Disegna(pannello);
    EXPECT_TRUE(SoloColori(immagine, QRect(0, 0, 29, 1), {Ombra}));
    EXPECT_TRUE(SoloColori(immagine, QRect(0, 19, 30, 1), {Evidenza}));

    pannello.SetModoProgettazione(false);
    pannello.BevelInner()->SetStyle(bvNone);
    EXPECT_TRUE(SoloColori(Disegna(pannello), pannello.rect(), {Finestra}));
}

// Counts its paintings.
class PannelloContato : public TAdvancedPanel {
public:
    using TAdvancedPanel::TAdvancedPanel;
    int dipinture = 0;

protected:
    void paintEvent(QPaintEvent* evento) override
    {
        ++dipinture;
        TAdvancedPanel::paintEvent(evento);
    }
};

TEST(DisegnoPannello, RidisegnaAOgniCambio)
{
    PannelloContato pannello;
    pannello.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&pannello));
    const std::function<void()> cambi[] = {
        [&] { pannello.Border()->SetStyle(bsRound); },
        [&] { pannello.Border()->SetSides(psAlign); },
        [&] { pannello.BevelOuter()->SetDepth(3); },
        [&] { pannello.BevelInner()->SetSpaceInner(2); },
        [&] { pannello.Wallpaper()->SetStyle(wpCenter); },
        [&] { pannello.Wallpaper()->SetBitmap(Quadretti(3, 3)); },
        [&] { pannello.SetColor(Qt::red); },
        [&] { pannello.SetParentColor(true); },
        [&] { pannello.SetAlign(alBottom); },
        [&] { pannello.SetModoProgettazione(true); },
    };
    int i = 0;
    for (const auto& cambia : cambi) {
        SCOPED_TRACE(i++);
        QCoreApplication::processEvents();
        pannello.dipinture = 0;
        cambia();
        EXPECT_TRUE(QTest::qWaitFor([&] { return pannello.dipinture > 0; }, 2000));
    }
}

} // namespace
