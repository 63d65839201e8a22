// The record browser as a control: its children, defaults, layout and
// fixed height, and the keys of its number box.
#include "gridkit/browser/navigatore.h"
#include "gridkit/browser/recordbrowser.h"
#include "supporto_browser.h"
#include "tabelle/sorgente.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

using namespace gridkit;
using namespace tabelle;

namespace {

using RecordBrowserTest = prova::BrowserTest;

TEST_F(RecordBrowserTest, FigliInOrdineEValoriIniziali)
{
    QWidget finestra;
    auto* b = new TRecordBrowser(&finestra);
    EXPECT_EQ(b->parentWidget(), &finestra);

    QStringList nomi;
    for (QObject* figlio : b->children())
        if (figlio->isWidgetType())
            nomi << figlio->objectName();
    EXPECT_EQ(nomi, QStringList({"Label", "IndietroNav", "NumeroEdit", "AvantiNav", "InserisciBt", "TotaleLabel"}));
    EXPECT_EQ(b->Label->text(), "Record:  ");
    EXPECT_EQ(b->TotaleLabel->text(), " di 0");
    EXPECT_TRUE(b->NumeroEdit->text().isEmpty());

    EXPECT_EQ(b->property("EditWidth").toInt(), 50);
    EXPECT_EQ(b->property("EditHeight").toInt(), 18);
    EXPECT_EQ(b->property("OffsetControl").toInt(), 0);
    EXPECT_TRUE(b->property("VisInsertButton").toBool());
    EXPECT_EQ(b->DataSource(), nullptr);
    EXPECT_EQ(b->size(), QSize(249, 24));

    EXPECT_EQ(b->IndietroNav->VisibleButtons(), TButtonSet({nbFirst, nbPrior}));
    EXPECT_EQ(b->AvantiNav->VisibleButtons(), TButtonSet({nbNext, nbLast}));
    EXPECT_EQ(b->IndietroNav->Bottone(nbFirst)->toolTip(), "Primo record");
    EXPECT_EQ(b->IndietroNav->Bottone(nbPrior)->toolTip(), "Record precedente");
    EXPECT_EQ(b->AvantiNav->Bottone(nbNext)->toolTip(), "Record successivo");
    EXPECT_EQ(b->AvantiNav->Bottone(nbLast)->toolTip(), "Ultimo record");
    EXPECT_TRUE(b->IndietroNav->ShowHint());

    EXPECT_EQ(b->InserisciBt->iconSize(), QSize(16, 8));
    EXPECT_FALSE(b->InserisciBt->icon().pixmap(QSize(16, 8)).toImage().isNull());
    EXPECT_TRUE(b->InserisciBt->isEnabled());
    EXPECT_FALSE(b->InserisciBt->isHidden());
}

TEST_F(RecordBrowserTest, DisposizioneDaCaptionEDimensioni)
{
    TRecordBrowser b;
    const auto verifica = [&](int offset, int larghezza, int altezza) {
        SCOPED_TRACE(QStringLiteral("%1 %2 %3").arg(offset).arg(larghezza).arg(altezza).toStdString());
        const int testo = b.Label->fontMetrics().horizontalAdvance("Record:  ");
        EXPECT_EQ(b.Label->pos(), QPoint(offset, 4));
        EXPECT_EQ(b.IndietroNav->geometry(), QRect(offset + testo, 2, 48, altezza));
        EXPECT_EQ(b.NumeroEdit->geometry(), QRect(offset + testo + 48, 2, larghezza, altezza));
        EXPECT_EQ(b.AvantiNav->geometry(), QRect(offset + testo + 48 + larghezza + 2, 2, 48, altezza));
        EXPECT_EQ(b.InserisciBt->geometry(), QRect(offset + testo + 98 + larghezza, 2, 24, altezza));
        EXPECT_EQ(b.TotaleLabel->pos(), QPoint(offset + testo + 98 + larghezza + 24 + 8, 4));
    };
    verifica(0, 50, 18);
    b.SetOffsetControl(10);
    b.SetEditWidth(70);
    b.SetEditHeight(22);
    verifica(10, 70, 22);

    // Hidden, the insert button still holds its place.
    const QPoint totale = b.TotaleLabel->pos();
    b.SetVisInsertButton(false);
    EXPECT_FALSE(b.VisInsertButton());
    EXPECT_TRUE(b.InserisciBt->isHidden());
    EXPECT_EQ(b.TotaleLabel->pos(), totale);
    b.SetVisInsertButton(true);
    EXPECT_FALSE(b.InserisciBt->isHidden());

    // A larger font widens the caption and moves everything after it.
    const int prima = b.IndietroNav->x();
    QFont grande = b.font();
    grande.setPointSize(grande.pointSize() * 3);
    b.setFont(grande);
    EXPECT_GT(b.IndietroNav->x(), prima);
    verifica(10, 70, 22);
}

TEST_F(RecordBrowserTest, AltezzaSempreEditHeightPiuSei)
{
    QWidget finestra;
    auto* b = new TRecordBrowser(&finestra);
    b->resize(300, 100);
    EXPECT_EQ(b->size(), QSize(300, 24));
    b->setGeometry(5, 6, 200, 3);
    EXPECT_EQ(b->geometry(), QRect(5, 6, 200, 24));
    b->SetBounds(7, 8, 180, 50);
    EXPECT_EQ(b->geometry(), QRect(7, 8, 180, 24));

    // In a layout that stretches everything, shown.
    auto* strato = new QVBoxLayout(&finestra);
    strato->addWidget(b, 1);
    finestra.resize(400, 300);
    finestra.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&finestra));
    EXPECT_EQ(b->height(), 24);
    // Other limits set from outside are undone as soon as they resize it.
    b->setMinimumHeight(60);
    EXPECT_EQ(b->height(), 24);
    b->setMaximumHeight(10);
    EXPECT_EQ(b->height(), 24);
    finestra.resize(500, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(b->height(), 24);
    EXPECT_EQ(b->width(), 500 - strato->contentsMargins().left() - strato->contentsMargins().right());

    b->SetEditHeight(30);
    EXPECT_EQ(b->height(), 36);
    EXPECT_EQ(b->NumeroEdit->height(), 30);
    EXPECT_EQ(b->AvantiNav->height(), 30);
    b->resize(b->width(), 5);
    EXPECT_EQ(b->height(), 36);
    b->setProperty("EditHeight", -4);
    EXPECT_EQ(b->EditHeight(), 0);
    EXPECT_EQ(b->height(), 6);
}

TEST_F(RecordBrowserTest, TastiESaltiSuTreRighe)
{
    auto t = Tabella(3);
    TDataSource sorgente;
    sorgente.SetDataSet(t.get());
    TRecordBrowser b;
    b.SetDataSource(&sorgente);
    EXPECT_EQ(b.NumeroEdit->text(), "1");
    EXPECT_EQ(b.TotaleLabel->text(), " di 3");
    QSignalSpy invio(b.NumeroEdit, &QLineEdit::returnPressed);

    prova::Digita(b, "2");
    EXPECT_EQ(t->RecNo(), 2);
    EXPECT_EQ(t->FieldByName("Nome")->AsString(), "R2");
    EXPECT_EQ(b.NumeroEdit->text(), "2");
    EXPECT_EQ(b.NumeroEdit->cursorPosition(), 1);

    prova::Digita(b, "5");
    EXPECT_EQ(t->RecNo(), 3);
    EXPECT_EQ(b.NumeroEdit->text(), "3");

    prova::Digita(b, "0");
    EXPECT_EQ(t->RecNo(), 1);
    EXPECT_EQ(b.NumeroEdit->text(), "1");

    t->Last();
    prova::Digita(b, "");
    EXPECT_EQ(t->RecNo(), 1);

    // Too large for any integer: the last record, no error.
    t->First();
    prova::Digita(b, "99999999999999999999999");
    EXPECT_EQ(t->RecNo(), 3);
    EXPECT_TRUE(finto.mostrati.isEmpty());
    EXPECT_EQ(invio.count(), 0); // Enter stops at the browser

    // Letters, signs and spaces never get in; backspace does.
    b.NumeroEdit->selectAll();
    QTest::keyClicks(b.NumeroEdit, "1a -b+ 2");
    EXPECT_EQ(b.NumeroEdit->text(), "12");
    QTest::keyClick(b.NumeroEdit, Qt::Key_Backspace);
    EXPECT_EQ(b.NumeroEdit->text(), "1");
    // Caret keys keep their meaning.
    QTest::keyClicks(b.NumeroEdit, "3");
    QTest::keyClick(b.NumeroEdit, Qt::Key_Home);
    QTest::keyClicks(b.NumeroEdit, "2");
    EXPECT_EQ(b.NumeroEdit->text(), "213");
    // Pasting text that is not a number changes nothing.
    b.NumeroEdit->selectAll();
    b.NumeroEdit->insert("4x");
    EXPECT_EQ(b.NumeroEdit->text(), "213");

    // Closed: digits, backspace and Enter do nothing.
    t->Close();
    EXPECT_EQ(b.NumeroEdit->text(), "");
    EXPECT_EQ(b.TotaleLabel->text(), " di 0");
    QTest::keyClicks(b.NumeroEdit, "2");
    QTest::keyClick(b.NumeroEdit, Qt::Key_Return);
    EXPECT_EQ(b.NumeroEdit->text(), "");
    t->Open();
    EXPECT_EQ(b.NumeroEdit->text(), "1");
    QTest::keyClick(b.NumeroEdit, Qt::Key_End);
    t->Close();
    b.NumeroEdit->setText("1");
    QTest::keyClick(b.NumeroEdit, Qt::Key_Backspace);
    EXPECT_EQ(b.NumeroEdit->text(), "1");
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

TEST_F(RecordBrowserTest, SaltiSuZeroECinqueRighe)
{
    auto vuota = Tabella(0, "Vuota.db");
    auto cinque = Tabella(5, "Cinque.db");
    TDataSource sorgente;
    sorgente.SetDataSet(vuota.get());
    TRecordBrowser b;
    b.SetDataSource(&sorgente);
    EXPECT_EQ(b.NumeroEdit->text(), "0");
    EXPECT_EQ(b.TotaleLabel->text(), " di 0");
    prova::Digita(b, "3");
    EXPECT_EQ(b.NumeroEdit->text(), "0");
    EXPECT_EQ(vuota->RecNo(), 0);
    prova::Digita(b, "");
    EXPECT_EQ(b.NumeroEdit->text(), "0");

    sorgente.SetDataSet(cinque.get());
    EXPECT_EQ(b.NumeroEdit->text(), "1");
    EXPECT_EQ(b.TotaleLabel->text(), " di 5");
    prova::Digita(b, "4");
    EXPECT_EQ(cinque->FieldByName("Nome")->AsString(), "R4");
    prova::Digita(b, "5");
    EXPECT_EQ(cinque->RecNo(), 5);
    EXPECT_EQ(b.NumeroEdit->text(), "5");
    prova::Digita(b, "6");
    EXPECT_EQ(cinque->RecNo(), 5);
    EXPECT_TRUE(cinque->Eof());
    prova::Digita(b, "1");
    EXPECT_EQ(cinque->RecNo(), 1);
    // Already on the first record, 0 does not move it: the box still
    // shows where the dataset is.
    prova::Digita(b, "0");
    EXPECT_EQ(cinque->RecNo(), 1);
    EXPECT_EQ(b.NumeroEdit->text(), "1");
}

TEST_F(RecordBrowserTest, UscireDallaCasellaSalta)
{
    auto t = Tabella(5);
    TDataSource sorgente;
    sorgente.SetDataSet(t.get());
    QWidget finestra;
    auto* b = new TRecordBrowser(&finestra);
    auto* altro = new QLineEdit(&finestra);
    altro->move(0, 40);
    b->SetDataSource(&sorgente);
    finestra.show();
    finestra.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&finestra));

    b->NumeroEdit->setFocus();
    prova::Digita(*b, "4", false);
    EXPECT_EQ(t->RecNo(), 1);
    altro->setFocus();
    EXPECT_EQ(t->RecNo(), 4);
    EXPECT_EQ(b->NumeroEdit->text(), "4");

    // Emptied by the user, then left: the first record.
    b->NumeroEdit->setFocus();
    prova::Digita(*b, "", false);
    QFocusEvent uscita(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(b->NumeroEdit, &uscita);
    EXPECT_EQ(t->RecNo(), 1);

    // Another window taking the focus is not leaving the box.
    prova::Digita(*b, "3", false);
    QFocusEvent finestraAltrove(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(b->NumeroEdit, &finestraAltrove);
    EXPECT_EQ(t->RecNo(), 1);

    // Passing through the box without typing leaves a new row alone.
    b->NumeroEdit->setFocus();
    b->InserisciBt->click();
    ASSERT_EQ(t->State(), TDataSetState::dsInsert);
    altro->setFocus();
    EXPECT_EQ(t->State(), TDataSetState::dsInsert);
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

TEST_F(RecordBrowserTest, TestoNonNumericoEErroreDelDataset)
{
    auto t = Tabella(3);
    TDataSource sorgente;
    sorgente.SetDataSet(t.get());
    TRecordBrowser b;
    b.SetDataSource(&sorgente);
    t->Next();

    // Text put in by a program, not a number: a warning, no move.
    b.NumeroEdit->setText("abc");
    QTest::keyClick(b.NumeroEdit, Qt::Key_Return);
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati[0].testo, "\"abc\" non è un numero di record valido.");
    EXPECT_EQ(finto.mostrati[0].titolo, "Attenzione");
    EXPECT_EQ(t->RecNo(), 2);
    EXPECT_EQ(b.NumeroEdit->text(), "2");

    // A new row that cannot be written stops the jump, and stays.
    finto.mostrati.clear();
    t->FieldByName("Nome")->Required = true;
    t->Append();
    t->FieldByName("Valore")->SetAsInteger(7);
    prova::Digita(b, "1");
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati[0].titolo, "Errore");
    EXPECT_EQ(t->State(), TDataSetState::dsInsert);
    EXPECT_EQ(t->FieldByName("Valore")->AsInteger(), 7);
    EXPECT_EQ(b.NumeroEdit->text(), "");
}

} // namespace
