// The generic edit controls: the accepted set over code page 1252, typing
// and paste checks, the numeric edit's validity, editing and normalising,
// the mandatory check, GlobalText, and linking with its messages.
#include "directory/hjgenericnumedit.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QTest>
#include <gtest/gtest.h>

using namespace borgal;

namespace {

class GenericEdit : public ::testing::Test {
protected:
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    QWidget finestra;

    void SetUp() override
    {
        finestra.resize(400, 300);
        finestra.show();
        finestra.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&finestra));
    }
    QStringList Testi() const
    {
        QStringList t;
        for (const auto& m : finto.mostrati)
            t << m.testo;
        return t;
    }
    // Types as the user would, from an empty edit.
    static void Digita(QLineEdit& e, const QString& testo)
    {
        e.clear();
        e.setFocus();
        QTest::keyClicks(&e, testo);
    }
    static THJGenericNumEdit* Cap(QWidget* genitore)
    {
        auto* e = new THJGenericNumEdit(genitore);
        e->SetAccettaSegno(false);
        e->SetDecimali(0);
        e->SetInteri(5);
        return e;
    }
};

TEST_F(GenericEdit, ProprietaPredefinite)
{
    THJGenericEdit e(&finestra);
    EXPECT_FALSE(e.Obbligatorio());
    EXPECT_EQ(e.ObbligatorioText(), QString::fromUtf8("Questo campo é obbligatorio!!!"));
    e.SetObbligatorioText("Manca");
    EXPECT_EQ(e.ObbligatorioText(), "Manca");
    e.SetObbligatorioText("");
    EXPECT_EQ(e.ObbligatorioText(), QString::fromUtf8("Questo campo é obbligatorio!!!"));
    EXPECT_TRUE(e.BloccaAltezza());
    EXPECT_EQ(e.Allineamento(), THJSetAllineamento::Sinistra);
    EXPECT_EQ(e.GlobalSeparator(), u' ');
    EXPECT_EQ(e.MaxLength(), 256);
    EXPECT_TRUE(e.ShowHint());
    EXPECT_TRUE(e.CaratteriAccettati().all());
    const QString autore = e.Author();
    e.SetAuthor("altro");
    EXPECT_EQ(e.Author(), autore);

    THJGenericNumEdit n(&finestra);
    EXPECT_EQ(n.Interi(), 6);
    EXPECT_EQ(n.Decimali(), 6);
    EXPECT_EQ(n.Separatore(), u'.');
    EXPECT_TRUE(n.AccettaSegno());
    EXPECT_EQ(n.MaxLength(), 14);
    n.SetMaxLength(3); // derived: ignored
    EXPECT_EQ(n.MaxLength(), 14);
    THJGenericLabel l(&finestra);
    EXPECT_EQ(l.Allineamento(), THJSetAllineamento::Sopra);
    EXPECT_TRUE(l.font().bold());
    EXPECT_FALSE(l.wordWrap());
    THJGenericButton b(&finestra);
    EXPECT_EQ(b.Allineamento(), THJSetAllineamento::Destra);
    EXPECT_TRUE(b.BloccaAltezza());
    EXPECT_EQ(b.text(), "...");
    EXPECT_EQ(DistanzaCollegati(), 2); // 96 dots per inch offscreen
}

TEST_F(GenericEdit, InsiemeAccettatoSuWindows1252)
{
    EXPECT_EQ(CodiceWindows1252(u'A'), 0x41);
    EXPECT_EQ(CodiceWindows1252(QChar(0x20AC)), 0x80); // euro
    EXPECT_EQ(CodiceWindows1252(QChar(0x00E9)), 0xE9);
    EXPECT_FALSE(CodiceWindows1252(QChar(0x0100)).has_value());

    THJGenericEdit e(&finestra);
    EXPECT_TRUE(e.Accettato(QChar(0x0100))); // the whole set: every character
    auto insieme = e.CaratteriAccettati();
    insieme.reset(0x80);
    e.SetCaratteriAccettati(insieme);
    EXPECT_FALSE(e.Accettato(QChar(0x20AC)));
    EXPECT_FALSE(e.Accettato(QChar(0x0100))); // no longer the whole set
    EXPECT_TRUE(e.Accettato(u'a'));

    // Typing: a refused character is not written, the others are.
    insieme.reset('x');
    e.SetCaratteriAccettati(insieme);
    Digita(e, "axb");
    EXPECT_EQ(e.text(), "ab");
    EXPECT_TRUE(Testi().isEmpty()); // a beep, no box
}

TEST_F(GenericEdit, IncollaConIlMessaggioSoloSeUnCarattereNonEAccettato)
{
    THJGenericEdit e(&finestra);
    auto insieme = e.CaratteriAccettati();
    insieme.reset('#');
    e.SetCaratteriAccettati(insieme);
    e.setText("AB");
    e.setCursorPosition(1);
    QGuiApplication::clipboard()->setText("xy");
    e.Incolla();
    EXPECT_EQ(e.text(), "AxyB");
    EXPECT_TRUE(Testi().isEmpty());
    QGuiApplication::clipboard()->setText("x#");
    e.setFocus();
    QTest::keySequence(&e, QKeySequence::Paste);
    EXPECT_EQ(e.text(), "AxyB");
    ASSERT_EQ(Testi(), QStringList{"Alcuni caratteri della Stringa non sono accettati!"});
    EXPECT_EQ(finto.mostrati[0].titolo, "Errore");
    EXPECT_EQ(finto.mostrati[0].icona, messaggi::Icona::Errore);
    // Only the first MaxLength characters of the result count.
    e.SetMaxLength(4);
    e.clear();
    e.Incolla(); // "x#": the # is the second character
    EXPECT_EQ(e.text(), "");
    EXPECT_EQ(finto.mostrati.size(), 2);
    e.setText("ABC");
    e.setCursorPosition(3);
    QGuiApplication::clipboard()->setText("D#");
    e.Incolla(); // "ABCD#": the # is past MaxLength and passes
    EXPECT_EQ(finto.mostrati.size(), 2);
    EXPECT_EQ(e.text(), "ABCD");

    // Into a numeric edit a letter is refused silently.
    THJGenericNumEdit* cap = Cap(&finestra);
    QGuiApplication::clipboard()->setText("12a");
    cap->Incolla();
    EXPECT_EQ(cap->text(), "");
    EXPECT_EQ(finto.mostrati.size(), 2);
    QGuiApplication::clipboard()->setText("00100");
    cap->Incolla();
    EXPECT_EQ(cap->text(), "00100");
}

TEST_F(GenericEdit, DataConCtrlMaiuscComma)
{
    THJGenericEdit e(&finestra);
    e.setFocus();
    QTest::keyClick(&e, Qt::Key_Comma, Qt::ControlModifier | Qt::ShiftModifier);
    const QString oggi = QDate::currentDate().toString("dd/MM/yyyy");
    EXPECT_EQ(e.text(), oggi);
    EXPECT_EQ(e.cursorPosition(), oggi.size());
    // A numeric edit refuses it silently.
    THJGenericNumEdit* n = Cap(&finestra);
    n->setFocus();
    QTest::keyClick(n, Qt::Key_Comma, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(n->text(), "");
}

TEST_F(GenericEdit, NumericoCapEPredefiniti)
{
    THJGenericNumEdit* cap = Cap(&finestra);
    EXPECT_EQ(cap->MaxLength(), 5);
    Digita(*cap, "00100");
    EXPECT_EQ(cap->text(), "00100");
    for (const char* tasto : {"1", "a", "-", "+", "."}) {
        QTest::keyClicks(cap, tasto);
        EXPECT_EQ(cap->text(), "00100") << tasto;
    }
    cap->clearFocus();
    EXPECT_EQ(cap->Text(), "00100"); // leading zeros stay
    EXPECT_EQ(cap->ParteIntera(), "00100");

    THJGenericNumEdit n(&finestra);
    Digita(n, "1234567");
    EXPECT_EQ(n.text(), "123456");
    Digita(n, "-1.5.2-");
    EXPECT_EQ(n.text(), "-1.52");
    EXPECT_EQ(n.ParteIntera(), "1");
    EXPECT_EQ(n.ParteDecimale(), "52");
    Digita(n, "1-");
    EXPECT_EQ(n.text(), "1");
    Digita(n, "1.1234567");
    EXPECT_EQ(n.text(), "1.123456");
    // Backspace and Delete that would leave an invalid text are dropped:
    // removing the separator of 123456.5 would give seven digits.
    n.setText("123456.5");
    n.setCursorPosition(7);
    QTest::keyClick(&n, Qt::Key_Backspace);
    EXPECT_EQ(n.text(), "123456.5");
    n.setCursorPosition(6);
    QTest::keyClick(&n, Qt::Key_Delete);
    EXPECT_EQ(n.text(), "123456.5");
    QTest::keyClick(&n, Qt::Key_End);
    QTest::keyClick(&n, Qt::Key_Backspace);
    EXPECT_EQ(n.text(), "123456.");
    // A change by other means that leaves an invalid text is undone.
    n.setText("12x");
    EXPECT_EQ(n.text(), "123456.");

    // Normalising: on leaving, on Enter, on reading the value.
    n.setText("-.5");
    EXPECT_EQ(n.Text(), "-0.5");
    n.setText("12.");
    QTest::keyClick(&n, Qt::Key_Return);
    EXPECT_EQ(n.text(), "12");
    n.setText(".5");
    n.SetInteri(0);
    EXPECT_EQ(n.Text(), ".5"); // no integer digits: no "0" added
    EXPECT_TRUE(Testi().isEmpty());
}

TEST_F(GenericEdit, CambiareIlFormatoRiderivaInsiemeELunghezza)
{
    THJGenericNumEdit n(&finestra);
    n.setText("-12.5");
    n.SetAccettaSegno(false);
    EXPECT_EQ(n.text(), "12.5"); // the sign goes
    EXPECT_EQ(n.MaxLength(), 13);
    EXPECT_FALSE(n.Accettato(u'-'));
    n.SetSeparatore(u',');
    EXPECT_FALSE(n.Accettato(u'.'));
    EXPECT_TRUE(n.Accettato(u','));
    n.SetDecimali(0);
    EXPECT_FALSE(n.Accettato(u','));
    EXPECT_EQ(n.MaxLength(), 6);
    EXPECT_TRUE(n.Accettato(QChar(9))); // control characters
    EXPECT_FALSE(n.Accettato(QChar(0x0100)));
}

TEST_F(GenericEdit, ObbligatorioAllUscita)
{
    auto* e = new THJGenericEdit(&finestra);
    auto* altro = new QLineEdit(&finestra);
    e->show();
    altro->show();
    e->SetObbligatorio(true);
    e->setFocus();
    altro->setFocus();
    ASSERT_EQ(Testi(), QStringList{QString::fromUtf8("Questo campo é obbligatorio!!!")});
    EXPECT_EQ(finto.mostrati[0].titolo, "Errore");
    EXPECT_TRUE(e->hasFocus());
    e->setText("X");
    altro->setFocus();
    EXPECT_EQ(finto.mostrati.size(), 1);
    EXPECT_TRUE(altro->hasFocus());
}

TEST_F(GenericEdit, GlobalTextSullaCatena)
{
    auto* a = new THJGenericEdit(&finestra);
    auto* b = new THJGenericEdit(&finestra);
    auto* c = new THJGenericEdit(&finestra);
    a->SetInternalLinkEdit(b);
    b->SetInternalLinkEdit(c);
    a->SetGlobalText("  UNO   DUE");
    EXPECT_EQ(a->text(), "UNO");
    EXPECT_EQ(b->text(), "DUE");
    EXPECT_EQ(c->text(), "");
    c->setText("TRE");
    EXPECT_EQ(a->GlobalText(), "UNO DUE TRE");
    a->SetGlobalSeparator(u'/');
    EXPECT_EQ(a->GlobalText(), "UNO/DUE/TRE");
    // A chain that would come back to its start is refused.
    c->SetInternalLinkEdit(a);
    EXPECT_EQ(c->InternalLinkEdit(), nullptr);
    EXPECT_EQ(Testi(), QStringList{QString::fromUtf8("Edit già assegnato!")});
}

TEST_F(GenericEdit, CollegamentiPosizioniEMessaggi)
{
    auto* e = new THJGenericEdit(&finestra);
    auto* altro = new THJGenericEdit(&finestra);
    auto* label = new THJGenericLabel(&finestra);
    auto* bottone = new THJGenericButton(&finestra);
    for (QWidget* w : std::initializer_list<QWidget*>{e, altro, label, bottone})
        w->show();
    e->setGeometry(100, 100, 120, 22);
    label->resize(60, 16);
    bottone->resize(20, 18);
    e->SetLinkLabel(label);
    e->SetLinkButton(bottone);
    EXPECT_EQ(label->pos(), QPoint(100, 100 - 16 - 2)); // above, at the gap
    EXPECT_EQ(bottone->pos(), QPoint(100 + 120 + 2, 100)); // to the right
    // The edit moves: the companions follow.
    e->move(50, 60);
    EXPECT_EQ(label->pos(), QPoint(50, 42));
    EXPECT_EQ(bottone->pos(), QPoint(172, 60));
    // A companion moves: the edit goes to the mirror position.
    bottone->move(300, 200);
    EXPECT_EQ(e->pos(), QPoint(300 - 2 - 120, 200));
    EXPECT_EQ(label->pos(), QPoint(178, 182));
    // The button takes the edit's height when not blocked.
    bottone->SetBloccaAltezza(false);
    EXPECT_EQ(bottone->height(), 22);

    // A companion belongs to one edit only.
    altro->SetLinkLabel(label);
    altro->SetLinkButton(bottone);
    EXPECT_EQ(altro->LinkLabel(), nullptr);
    EXPECT_EQ(altro->LinkButton(), nullptr);
    EXPECT_EQ(Testi(), (QStringList{QString::fromUtf8("Label già assegnata!"), QString::fromUtf8("Bottone già assegnato!")}));
    // A linked companion keeps its side; a side taken shows the message.
    finto.mostrati.clear();
    label->SetAllineamento(THJSetAllineamento::Destra);
    EXPECT_EQ(label->Allineamento(), THJSetAllineamento::Sopra);
    EXPECT_EQ(Testi(), QStringList{QString::fromUtf8("La posizione è già occupata da un altro componente")});
    label->SetAllineamento(THJSetAllineamento::Sotto);
    EXPECT_EQ(label->Allineamento(), THJSetAllineamento::Sopra);
    EXPECT_EQ(finto.mostrati.size(), 1);
    // Unlinked, it takes the side at once; destroying a side unlinks.
    e->SetLinkLabel(nullptr);
    label->SetAllineamento(THJSetAllineamento::Sotto);
    EXPECT_EQ(label->Allineamento(), THJSetAllineamento::Sotto);
    altro->SetLinkLabel(label);
    EXPECT_EQ(altro->LinkLabel(), label);
    delete label;
    EXPECT_EQ(altro->LinkLabel(), nullptr);
    delete e;
    EXPECT_EQ(bottone->Edit(), nullptr);
    altro->SetLinkButton(bottone);
    EXPECT_EQ(bottone->Edit(), altro);
}

TEST_F(GenericEdit, AzionePropriaDelBottoneAlRilascio)
{
    struct Bottone : THJGenericButton {
        using THJGenericButton::THJGenericButton;
        int azioni = 0;
        void AzionePropria() override { ++azioni; }
    };
    auto* b = new Bottone(&finestra);
    b->resize(20, 20);
    b->show();
    int clic = 0;
    QObject::connect(b, &QToolButton::clicked, [&] { ++clic; });
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(clic, 1);
    EXPECT_EQ(b->azioni, 1);
    QTest::mouseClick(b, Qt::RightButton);
    EXPECT_EQ(b->azioni, 1);
}

} // namespace
