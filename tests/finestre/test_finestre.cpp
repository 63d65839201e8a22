#include "app/finestre/attesaincorso.h"
#include "app/finestre/taboutbox.h"
#include "gridkit/comune/animazionericerca.h"
#include "app/finestre/tattendereform.h"
#include "app/finestre/tstartform.h"

#include <QApplication>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

using namespace tratte;

namespace {

// How many colours a window shows when rendered: a blank or one-colour
// window has one or two.
int ColoriDistinti(QWidget& finestra)
{
    const QImage immagine = finestra.grab().toImage();
    QSet<QRgb> colori;
    for (int y = 0; y < immagine.height(); y += 2)
        for (int x = 0; x < immagine.width(); x += 2)
            colori.insert(immagine.pixel(x, y));
    return int(colori.size());
}

void EliminaRinviati()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Keeps activation events from a window, as under a window manager that
// never activates it.
class SenzaAttivazione : public QObject {
public:
    bool eventFilter(QObject*, QEvent* evento) override
    {
        return evento->type() == QEvent::WindowActivate || evento->type() == QEvent::WindowDeactivate;
    }
};

QPoint CentroSchermo()
{
    return QGuiApplication::primaryScreen()->availableGeometry().center();
}

} // namespace

TEST(TStartForm, SplashSenzaBordoInPrimoPianoCentrataConLImmagineSulPannello)
{
    QPointer<TStartForm> splash = TStartForm::Mostra(nullptr);
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isVisible());
    EXPECT_EQ(splash->size(), QSize(262, 245));
    const Qt::WindowFlags flags = splash->windowFlags();
    EXPECT_TRUE(flags & Qt::FramelessWindowHint);
    EXPECT_TRUE(flags & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(flags & (Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint));
    EXPECT_LE((splash->frameGeometry().center() - CentroSchermo()).manhattanLength(), 2);

    auto* panel = splash->findChild<QFrame*>("Panel1");
    auto* immagine = splash->findChild<QLabel*>("Image1");
    ASSERT_TRUE(panel && immagine);
    EXPECT_EQ(panel->frameShadow(), QFrame::Raised);
    EXPECT_EQ(panel->geometry(), splash->rect());
    EXPECT_EQ(immagine->geometry(), panel->contentsRect());
    EXPECT_TRUE(immagine->hasScaledContents());
    EXPECT_GT(ColoriDistinti(*splash), 50);

    splash->close();
    EliminaRinviati();
    EXPECT_FALSE(splash);
}

TEST(TStartForm, SiChiudeESiLiberaAlClicOQuandoPerdeLAttivazione)
{
    // A click on the picture, delivered through the window as the system does.
    QPointer<TStartForm> splash = TStartForm::Mostra(nullptr);
    ASSERT_TRUE(splash);
    QTest::mouseClick(splash->windowHandle(), Qt::LeftButton, {}, QPoint(131, 122));
    EXPECT_FALSE(splash && splash->isVisible());
    EliminaRinviati();
    EXPECT_FALSE(splash);

    // Deactivation.
    splash = TStartForm::Mostra(nullptr);
    QEvent disattivazione(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(splash, &disattivazione);
    EliminaRinviati();
    EXPECT_FALSE(splash);

    // Another window of the program becoming active, as the main window does.
    splash = TStartForm::Mostra(nullptr);
    QWidget principale;
    principale.show();
    principale.activateWindow();
    QCoreApplication::processEvents();
    EliminaRinviati();
    EXPECT_FALSE(splash);

    // A splash the window manager never activated goes too, when another
    // window is activated.
    SenzaAttivazione filtro;
    splash = new TStartForm;
    splash->installEventFilter(&filtro);
    splash->show();
    QCoreApplication::processEvents();
    ASSERT_TRUE(splash);
    principale.activateWindow();
    QCoreApplication::processEvents();
    EliminaRinviati();
    EXPECT_FALSE(splash);

    // With an owner: still a window of its own, closed by a click.
    splash = TStartForm::Mostra(&principale);
    ASSERT_TRUE(splash);
    EXPECT_TRUE(splash->isWindow());
    QTest::mouseClick(splash->windowHandle(), Qt::LeftButton, {}, QPoint(10, 10));
    EliminaRinviati();
    EXPECT_FALSE(splash);
}

TEST(TStartForm, LaChiusuraDellaSplashNonTerminaIlProgramma)
{
    QSignalSpy ultima(qApp, &QGuiApplication::lastWindowClosed);
    QTimer::singleShot(0, qApp, [] {
        QPointer<TStartForm> splash = TStartForm::Mostra(nullptr);
        QTest::mouseClick(splash->windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
    });
    QTimer::singleShot(300, qApp, [] { QCoreApplication::exit(7); });
    EXPECT_EQ(QApplication::exec(), 7);
    EXPECT_EQ(ultima.count(), 0);
    EliminaRinviati();
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST(TAttendereForm, FinestraConTestoEAnimazioneCheViveQuantoLaFinestra)
{
    auto attesa = std::make_unique<TAttendereForm>();
    EXPECT_EQ(attesa->size(), QSize(361, 91));
    EXPECT_TRUE(attesa->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_LE((attesa->frameGeometry().center() - CentroSchermo()).manhattanLength(), 2);

    auto* etichetta = attesa->findChild<QLabel*>("Label1");
    ASSERT_TRUE(etichetta);
    EXPECT_EQ(etichetta->text(), "    Attendere... Ricerca dati in corso");
    EXPECT_TRUE(etichetta->font().bold());
    EXPECT_EQ(etichetta->font().pixelSize(), 19);

    auto* animazione = attesa->findChild<gridkit::TAnimazioneRicerca*>("Animate1");
    ASSERT_TRUE(animazione);
    const QList<QTimer*> timer = attesa->findChildren<QTimer*>();
    ASSERT_EQ(timer.size(), 1);
    EXPECT_TRUE(timer.first()->isActive());
    QPointer<QTimer> unico = timer.first();

    attesa->show();
    QCoreApplication::processEvents();
    // The label is wide enough for its text: nothing is cut off.
    EXPECT_GE(etichetta->width(), etichetta->sizeHint().width());
    EXPECT_GT(ColoriDistinti(*attesa), 30);
    const QImage prima = attesa->grab().toImage();
    const int fotogramma = animazione->Fotogramma();
    QTest::qWait(4 * gridkit::TAnimazioneRicerca::Intervallo);
    EXPECT_NE(animazione->Fotogramma(), fotogramma);
    EXPECT_NE(attesa->grab().toImage(), prima);

    attesa.reset();
    EXPECT_FALSE(unico);
}

TEST(TAttendereForm, AttesaInCorsoMostraEPoiLiberaLaFinestraSuOgniUscita)
{
    QPointer<TAttendereForm> finestra;
    try {
        AttesaInCorso attesa;
        finestra = attesa.Finestra();
        ASSERT_TRUE(finestra);
        EXPECT_TRUE(finestra->isVisible());
        throw std::runtime_error("errore del motore");
    } catch (const std::runtime_error&) {
    }
    // Gone at once, without waiting for the event loop.
    EXPECT_FALSE(finestra);

    {
        AttesaInCorso attesa;
        finestra = attesa.Finestra();
    }
    EXPECT_FALSE(finestra);

    // Over a parent that goes first: no second deletion.
    auto genitore = std::make_unique<QWidget>();
    {
        AttesaInCorso attesa(genitore.get());
        finestra = attesa.Finestra();
        ASSERT_TRUE(finestra);
        EXPECT_TRUE(finestra->isWindow());
        genitore.reset();
        EXPECT_FALSE(attesa.Finestra());
    }
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());
}

TEST(TAboutBox, TestiImmaginiERisultatiDeiPulsanti)
{
    TAboutBox box;
    EXPECT_EQ(box.windowTitle(), "Informazioni");
    EXPECT_FALSE(box.windowFlags() & Qt::FramelessWindowHint);
    auto testo = [&](const char* nome) {
        auto* etichetta = box.findChild<QLabel*>(nome);
        return etichetta ? etichetta->text() : QString("<manca %1>").arg(nome);
    };
    EXPECT_EQ(testo("Version"), "Versione 1.0b");
    EXPECT_EQ(testo("ProductName"), "Tratte Punti Fiduciali");
    EXPECT_TRUE(testo("Copyright").contains("Quintor"));
    EXPECT_FALSE(testo("Comments").isEmpty());
    for (const char* nome : {"ProgramIcon", "Image1"}) {
        auto* immagine = box.findChild<QLabel*>(nome);
        ASSERT_TRUE(immagine) << nome;
        EXPECT_FALSE(immagine->pixmap().isNull()) << nome;
    }
    auto* ok = box.findChild<QPushButton*>("OKButton");
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->text(), "OK");

    // Shown modally, as the program does: OK ends it with mrOk.
    QTimer::singleShot(0, ok, [ok] { QTest::mouseClick(ok, Qt::LeftButton); });
    EXPECT_EQ(box.exec(), 1);
    EXPECT_FALSE(box.isVisible());

    // Centred, of a fixed size, and drawn.
    box.show();
    QCoreApplication::processEvents();
    EXPECT_LE((box.frameGeometry().center() - CentroSchermo()).manhattanLength(), 2);
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
    EXPECT_GT(ColoriDistinti(box), 50);
    EXPECT_GE(ok->height(), ok->sizeHint().height());

    // Return presses the default button; Escape gives mrCancel.
    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(box.result(), 1);
    box.open();
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_EQ(box.result(), 2);
    EXPECT_FALSE(box.isVisible());
}
