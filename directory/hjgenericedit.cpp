#include "directory/hjgenericedit.h"

#include "messaggi/messaggi.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDate>
#include <QFont>
#include <QMenu>
#include <QMimeData>
#include <QScreen>

#include <array>
#include <cmath>

namespace borgal {

namespace {

// Code page 1252 from 0x80 to 0x9F; the five bytes it leaves undefined
// stand for the control characters of the same number.
constexpr std::array<char16_t, 32> Windows1252Alti{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr int CaratteriDopoSelezione = 255;

void MostraErrore(QWidget* genitore, const QString& testo)
{
    messaggi::MessageBox(genitore, testo, QStringLiteral("Errore"), messaggi::Pulsanti::Ok, messaggi::Icona::Errore);
}

QString Autore() { return QStringLiteral("QUINTOR"); }

} // namespace

std::optional<unsigned char> CodiceWindows1252(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<unsigned char>(u);
    for (std::size_t i = 0; i < Windows1252Alti.size(); ++i)
        if (Windows1252Alti[i] == u)
            return static_cast<unsigned char>(0x80 + i);
    return std::nullopt;
}

int DistanzaCollegati()
{
    static const int distanza = [] {
        const QScreen* schermo = QGuiApplication::primaryScreen();
        const double ppi = schermo ? schermo->logicalDotsPerInch() : 96.0;
        return int(std::lround(ppi / 48.0));
    }();
    return distanza;
}

QPoint PosizioneCompagno(THJSetAllineamento lato, const QRect& edit, const QSize& compagno, int distanza)
{
    switch (lato) {
    case THJSetAllineamento::Sinistra:
        return {edit.left() - compagno.width() - distanza, edit.top()};
    case THJSetAllineamento::Destra:
        return {edit.left() + edit.width() + distanza, edit.top()};
    case THJSetAllineamento::Sopra:
        return {edit.left(), edit.top() - compagno.height() - distanza};
    case THJSetAllineamento::Sotto:
        return {edit.left(), edit.top() + edit.height() + distanza};
    }
    return edit.topLeft();
}

// ---------------------------------------------------------------- label

THJGenericLabel::THJGenericLabel(QWidget* genitore) : QLabel(genitore)
{
    QFont carattere = font();
    carattere.setBold(true);
    setFont(carattere);
    setWordWrap(false);
}

THJGenericLabel::~THJGenericLabel()
{
    if (edit_)
        edit_->SetLinkLabel(nullptr);
}

QString THJGenericLabel::Author() const { return Autore(); }

void THJGenericLabel::SetAllineamento(THJSetAllineamento lato)
{
    if (!edit_) {
        allineamento_ = lato;
        return;
    }
    if (lato != allineamento_ && edit_->LatoOccupato(lato, this))
        messaggi::ShowMessage(QString::fromUtf8(TestoPosizioneOccupata));
}

void THJGenericLabel::moveEvent(QMoveEvent* evento)
{
    QLabel::moveEvent(evento);
    if (edit_)
        edit_->CompagnoSpostato(*this, allineamento_);
}

// ---------------------------------------------------------------- button

THJGenericButton::THJGenericButton(QWidget* genitore) : QToolButton(genitore) { setText(QStringLiteral("...")); }

THJGenericButton::~THJGenericButton()
{
    if (edit_)
        edit_->SetLinkButton(nullptr);
}

QString THJGenericButton::Author() const { return Autore(); }

void THJGenericButton::SetAllineamento(THJSetAllineamento lato)
{
    if (!edit_) {
        allineamento_ = lato;
        return;
    }
    if (lato != allineamento_ && edit_->LatoOccupato(lato, this))
        messaggi::ShowMessage(QString::fromUtf8(TestoPosizioneOccupata));
}

void THJGenericButton::SetBloccaAltezza(bool valore)
{
    bloccaAltezza_ = valore;
    if (edit_)
        edit_->PosizionaCompagni();
}

void THJGenericButton::AzionePropria() { QApplication::beep(); }

void THJGenericButton::mouseReleaseEvent(QMouseEvent* evento)
{
    const bool dentro = evento->button() == Qt::LeftButton && rect().contains(evento->position().toPoint());
    QPointer<THJGenericButton> vivo(this);
    QToolButton::mouseReleaseEvent(evento);
    if (vivo && dentro)
        AzionePropria();
}

void THJGenericButton::moveEvent(QMoveEvent* evento)
{
    QToolButton::moveEvent(evento);
    if (edit_)
        edit_->CompagnoSpostato(*this, allineamento_);
}

// ---------------------------------------------------------------- edit

THJGenericEdit::THJGenericEdit(QWidget* genitore)
    : QLineEdit(genitore), obbligatorioText_(QString::fromUtf8(TestoObbligatorioPredefinito))
{
    accettati_.set();
    setMaxLength(256);
    connect(this, &QLineEdit::textChanged, this, [this] { ApplicaCharCase(); });
}

THJGenericEdit::~THJGenericEdit()
{
    // Either side going unlinks.
    if (linkLabel_)
        linkLabel_->edit_ = nullptr;
    if (linkButton_)
        linkButton_->edit_ = nullptr;
    if (linkEdit_)
        linkEdit_->collegante_ = nullptr;
    if (collegante_)
        collegante_->linkEdit_ = nullptr;
}

QString THJGenericEdit::Author() const { return Autore(); }

void THJGenericEdit::SetObbligatorioText(const QString& testo)
{
    obbligatorioText_ = testo.isEmpty() ? QString::fromUtf8(TestoObbligatorioPredefinito) : testo;
}

void THJGenericEdit::SetBloccaAltezza(bool valore)
{
    bloccaAltezza_ = valore;
    if (collegante_)
        collegante_->PosizionaCompagni();
}

void THJGenericEdit::SetAllineamento(THJSetAllineamento lato)
{
    if (!collegante_) {
        allineamento_ = lato;
        return;
    }
    if (lato != allineamento_ && collegante_->LatoOccupato(lato, this))
        messaggi::ShowMessage(QString::fromUtf8(TestoPosizioneOccupata));
}

void THJGenericEdit::SetShowHint(bool valore)
{
    showHint_ = valore;
    setToolTip(showHint_ ? hint_.section(u'|', 0, 0) : QString());
}

void THJGenericEdit::SetHint(const QString& testo)
{
    hint_ = testo;
    setStatusTip(testo.contains(u'|') ? testo.section(u'|', 1) : testo);
    SetShowHint(showHint_);
}

void THJGenericEdit::SetCharCase(TEditCharCase valore)
{
    charCase_ = valore;
    ApplicaCharCase();
}

void THJGenericEdit::ApplicaCharCase()
{
    if (charCase_ == TEditCharCase::ecNormal)
        return;
    const QString testo = text();
    const QString convertito = charCase_ == TEditCharCase::ecUpperCase ? testo.toUpper() : testo.toLower();
    if (convertito == testo || convertito.size() != testo.size())
        return;
    const int cursore = cursorPosition();
    setText(convertito);
    setCursorPosition(cursore);
}

bool THJGenericEdit::Accettato(QChar c) const
{
    const auto codice = CodiceWindows1252(c);
    return codice ? accettati_.test(*codice) : accettati_.all();
}

QString THJGenericEdit::Text()
{
    Normalizza();
    return text();
}

// ---------------------------------------------------------------- global text

QString THJGenericEdit::GlobalText()
{
    QStringList testi;
    for (THJGenericEdit* e = this; e; e = e->linkEdit_)
        testi << e->Text();
    return testi.join(globalSeparator_);
}

void THJGenericEdit::SetGlobalText(const QString& testo)
{
    const QStringList parole = testo.split(globalSeparator_, Qt::SkipEmptyParts);
    int i = 0;
    for (THJGenericEdit* e = this; e; e = e->linkEdit_)
        e->SetText(parole.value(i++));
}

// ---------------------------------------------------------------- paste and typing

QString THJGenericEdit::TestoDopoInserimento(const QString& inserito) const
{
    const QString testo = text();
    int inizio = cursorPosition(), fine = inizio;
    if (hasSelectedText()) {
        inizio = selectionStart();
        fine = selectionEnd();
    }
    return testo.left(inizio) + inserito + testo.mid(fine).left(CaratteriDopoSelezione);
}

bool THJGenericEdit::IncollaAmmesso(const QString& risultato)
{
    if (risultato.isEmpty())
        return false;
    const QString considerato = risultato.left(maxLength());
    for (QChar c : considerato)
        if (!Accettato(c)) {
            MostraErrore(this, QString::fromUtf8(TestoCaratteriNonAccettati));
            return false;
        }
    return true;
}

bool THJGenericEdit::IncollaTesto(const QString& testo)
{
    if (isReadOnly() || !IncollaAmmesso(TestoDopoInserimento(testo)))
        return false;
    insert(testo);
    return true;
}

void THJGenericEdit::Incolla() { IncollaTesto(QGuiApplication::clipboard()->text()); }

bool THJGenericEdit::InserisciData()
{
    // The component's short date format is dd/MM/yyyy.
    return IncollaTesto(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
}

void THJGenericEdit::keyPressEvent(QKeyEvent* evento)
{
    if (evento->matches(QKeySequence::Paste)) {
        Incolla();
        return;
    }
    const auto mod = evento->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (mod == (Qt::ControlModifier | Qt::ShiftModifier)
        && (evento->key() == Qt::Key_Comma || evento->key() == Qt::Key_Less) && InserisciData())
        return; // refused: the key is handled normally
    const QString testo = evento->text();
    if (!testo.isEmpty() && !(evento->modifiers() & Qt::ControlModifier))
        for (QChar c : testo)
            if (!Accettato(c)) {
                QApplication::beep();
                return;
            }
    if (charCase_ != TEditCharCase::ecNormal && !testo.isEmpty() && testo.at(0).isPrint()
        && !(evento->modifiers() & Qt::ControlModifier)) {
        const QString convertito = charCase_ == TEditCharCase::ecUpperCase ? testo.toUpper() : testo.toLower();
        if (convertito != testo) {
            QKeyEvent nuovo(evento->type(), evento->key(), evento->modifiers(), convertito, evento->isAutoRepeat());
            QLineEdit::keyPressEvent(&nuovo);
            return;
        }
    }
    QLineEdit::keyPressEvent(evento);
}

void THJGenericEdit::contextMenuEvent(QContextMenuEvent* evento)
{
    // The menu's paste goes through the checks too.
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    if (auto* incolla = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
        disconnect(incolla, &QAction::triggered, nullptr, nullptr);
        connect(incolla, &QAction::triggered, this, &THJGenericEdit::Incolla);
    }
    menu->exec(evento->globalPos());
}

void THJGenericEdit::mouseReleaseEvent(QMouseEvent* evento)
{
    // The selection's middle-button paste, checked as any other.
    if (evento->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        setCursorPosition(cursorPositionAt(evento->position().toPoint()));
        IncollaTesto(QGuiApplication::clipboard()->text(QClipboard::Selection));
        return;
    }
    QLineEdit::mouseReleaseEvent(evento);
}

void THJGenericEdit::dropEvent(QDropEvent* evento)
{
    if (!evento->mimeData()->hasText() || !IncollaAmmesso(TestoDopoInserimento(evento->mimeData()->text()))) {
        evento->ignore();
        return;
    }
    QLineEdit::dropEvent(evento);
}

// ---------------------------------------------------------------- leaving

bool THJGenericEdit::VerificaObbligatorio()
{
    if (!obbligatorio_ || !text().isEmpty() || verificaInCorso_)
        return true;
    verificaInCorso_ = true;
    MostraErrore(this, obbligatorioText_);
    verificaInCorso_ = false;
    if (isEnabled() && isVisible())
        setFocus();
    return false;
}

void THJGenericEdit::focusOutEvent(QFocusEvent* evento)
{
    QLineEdit::focusOutEvent(evento);
    Normalizza();
    // The focus that goes to a box or another window is no leaving.
    if (evento->reason() != Qt::ActiveWindowFocusReason && evento->reason() != Qt::PopupFocusReason)
        VerificaObbligatorio();
}

// ---------------------------------------------------------------- linking

bool THJGenericEdit::LatoOccupato(THJSetAllineamento lato, const QObject* escluso) const
{
    if (linkLabel_ && linkLabel_ != escluso && linkLabel_->Allineamento() == lato)
        return true;
    if (linkButton_ && linkButton_ != escluso && linkButton_->Allineamento() == lato)
        return true;
    if (linkEdit_ && linkEdit_ != escluso && linkEdit_->Allineamento() == lato)
        return true;
    // The side this edit itself takes beside the edit that owns it.
    return collegante_ && collegante_->allineamento_ == lato && escluso != collegante_;
}

void THJGenericEdit::SetLinkLabel(THJGenericLabel* label)
{
    if (label == linkLabel_)
        return;
    if (label && label->edit_ && label->edit_ != this) {
        messaggi::ShowMessage(QString::fromUtf8(TestoLabelGiaAssegnata));
        return;
    }
    if (linkLabel_)
        linkLabel_->edit_ = nullptr;
    linkLabel_ = label;
    if (label) {
        label->edit_ = this;
        PosizionaCompagni();
    }
}

void THJGenericEdit::SetLinkButton(THJGenericButton* bottone)
{
    if (bottone == linkButton_)
        return;
    if (bottone && bottone->edit_ && bottone->edit_ != this) {
        messaggi::ShowMessage(QString::fromUtf8(TestoBottoneGiaAssegnato));
        return;
    }
    if (linkButton_)
        linkButton_->edit_ = nullptr;
    linkButton_ = bottone;
    if (bottone) {
        bottone->edit_ = this;
        PosizionaCompagni();
    }
}

void THJGenericEdit::SetInternalLinkEdit(THJGenericEdit* edit)
{
    if (edit == linkEdit_)
        return;
    bool ciclo = false; // a chain that would come back to this edit
    for (const THJGenericEdit* e = edit; e && !ciclo; e = e->linkEdit_)
        ciclo = e == this;
    if (ciclo || (edit && edit->collegante_ && edit->collegante_ != this)) {
        messaggi::ShowMessage(QString::fromUtf8(TestoEditGiaAssegnato));
        return;
    }
    if (linkEdit_)
        linkEdit_->collegante_ = nullptr;
    linkEdit_ = edit;
    if (edit) {
        edit->collegante_ = this;
        PosizionaCompagni();
    }
}

void THJGenericEdit::Posiziona(QWidget& compagno, THJSetAllineamento lato, bool prendiAltezza)
{
    if (compagno.parentWidget() != parentWidget())
        return; // placed in the same parent only
    if (prendiAltezza && compagno.height() != height())
        compagno.resize(compagno.width(), height());
    compagno.move(PosizioneCompagno(lato, geometry(), compagno.size(), DistanzaCollegati()));
}

void THJGenericEdit::PosizionaCompagni()
{
    if (linkLabel_) {
        spostaLabel_ = true;
        Posiziona(*linkLabel_, linkLabel_->Allineamento(), false);
        spostaLabel_ = false;
    }
    if (linkButton_) {
        spostaBottone_ = true;
        Posiziona(*linkButton_, linkButton_->Allineamento(), !linkButton_->BloccaAltezza());
        spostaBottone_ = false;
    }
    if (linkEdit_) {
        spostaEdit_ = true;
        Posiziona(*linkEdit_, linkEdit_->Allineamento(), !linkEdit_->BloccaAltezza());
        spostaEdit_ = false;
    }
}

void THJGenericEdit::CompagnoSpostato(QWidget& compagno, THJSetAllineamento lato)
{
    const bool label = &compagno == linkLabel_.data(), bottone = &compagno == linkButton_.data();
    if ((label && spostaLabel_) || (bottone && spostaBottone_) || (!label && !bottone && spostaEdit_))
        return;
    if (compagno.parentWidget() != parentWidget())
        return;
    const int d = DistanzaCollegati();
    const QPoint c = compagno.pos();
    QPoint p = pos();
    switch (lato) {
    case THJSetAllineamento::Sinistra:
        p = {c.x() + compagno.width() + d, c.y()};
        break;
    case THJSetAllineamento::Destra:
        p = {c.x() - width() - d, c.y()};
        break;
    case THJSetAllineamento::Sopra:
        p = {c.x(), c.y() + compagno.height() + d};
        break;
    case THJSetAllineamento::Sotto:
        p = {c.x(), c.y() - height() - d};
        break;
    }
    if (p != pos())
        move(p); // the move places the other companions again
}

void THJGenericEdit::moveEvent(QMoveEvent* evento)
{
    QLineEdit::moveEvent(evento);
    PosizionaCompagni();
    if (collegante_)
        collegante_->CompagnoSpostato(*this, allineamento_);
}

void THJGenericEdit::resizeEvent(QResizeEvent* evento)
{
    QLineEdit::resizeEvent(evento);
    PosizionaCompagni();
}

} // namespace borgal
