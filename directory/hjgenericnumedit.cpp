#include "directory/hjgenericnumedit.h"

#include <QKeyEvent>

namespace borgal {

// ---------------------------------------------------------------- format

bool FormatoNumerico::Accettato(QChar c) const
{
    if (c.unicode() < 32 || (c >= u'0' && c <= u'9'))
        return true;
    if (segno && (c == u'+' || c == u'-'))
        return true;
    return decimali >= 1 && c == separatore;
}

QString FormatoNumerico::Segno(const QString& testo) const
{
    return !testo.isEmpty() && (testo[0] == u'+' || testo[0] == u'-') ? testo.left(1) : QString();
}

QString FormatoNumerico::ParteIntera(const QString& testo) const
{
    const QString corpo = testo.mid(Segno(testo).size());
    const qsizetype s = corpo.indexOf(separatore);
    return s < 0 ? corpo : corpo.left(s);
}

QString FormatoNumerico::ParteDecimale(const QString& testo) const
{
    const qsizetype s = testo.indexOf(separatore);
    return s < 0 ? QString() : testo.mid(s + 1);
}

bool FormatoNumerico::Valido(const QString& testo) const
{
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if (!Accettato(c))
            return false;
        if ((c == u'+' || c == u'-') && c != separatore && i > 0)
            return false;
    }
    if (testo.count(separatore) > 1)
        return false;
    return ParteIntera(testo).size() <= interi && ParteDecimale(testo).size() <= decimali;
}

QString FormatoNumerico::Normalizzato(const QString& testo) const
{
    QString intera = ParteIntera(testo);
    const QString decimale = ParteDecimale(testo);
    if (intera.isEmpty() && !decimale.isEmpty() && interi > 0)
        intera = QStringLiteral("0");
    QString risultato = Segno(testo) + intera;
    if (!decimale.isEmpty())
        risultato += separatore + decimale;
    return Valido(risultato) ? risultato : testo;
}

int FormatoNumerico::LunghezzaMassima() const { return interi + decimali + (segno ? 1 : 0) + (decimali >= 1 ? 1 : 0); }

// ---------------------------------------------------------------- edit

THJGenericNumEdit::THJGenericNumEdit(QWidget* genitore) : THJGenericEdit(genitore)
{
    Deriva();
    connect(this, &QLineEdit::textChanged, this, &THJGenericNumEdit::TestoCambiato);
}

void THJGenericNumEdit::Deriva()
{
    accettati_.reset();
    for (int c = 0; c < 256; ++c)
        if (formato_.Accettato(QChar(c)))
            accettati_.set(c);
    setMaxLength(std::max(1, formato_.LunghezzaMassima()));
}

void THJGenericNumEdit::SetInteri(int valore)
{
    formato_.interi = std::max(0, valore);
    Deriva();
}

void THJGenericNumEdit::SetDecimali(int valore)
{
    formato_.decimali = std::max(0, valore);
    Deriva();
}

void THJGenericNumEdit::SetSeparatore(QChar valore)
{
    formato_.separatore = valore;
    Deriva();
}

void THJGenericNumEdit::SetAccettaSegno(bool valore)
{
    formato_.segno = valore;
    if (!valore) {
        const QString segno = formato_.Segno(text());
        if (!segno.isEmpty()) {
            ultimoValido_ = text().mid(1);
            setText(ultimoValido_);
        }
    }
    Deriva();
}

void THJGenericNumEdit::TestoCambiato()
{
    if (formato_.Valido(text()))
        ultimoValido_ = text();
    else
        setText(ultimoValido_);
}

bool THJGenericNumEdit::IncollaAmmesso(const QString& risultato)
{
    // The numeric check first, silently; then the edit's own.
    return formato_.Valido(risultato) && THJGenericEdit::IncollaAmmesso(risultato);
}

void THJGenericNumEdit::Normalizza()
{
    const QString normale = formato_.Normalizzato(text());
    if (normale != text())
        setText(normale);
}

std::optional<QString> THJGenericNumEdit::TestoDopoTasto(const QKeyEvent& evento) const
{
    const QString testo = text();
    const int inizio = hasSelectedText() ? selectionStart() : cursorPosition();
    const int fine = hasSelectedText() ? selectionEnd() : cursorPosition();
    const auto senza = [&](int da, int a) { return testo.left(da) + testo.mid(a); };
    if (evento.matches(QKeySequence::Cut))
        return hasSelectedText() ? std::optional(senza(inizio, fine)) : std::nullopt;
    if (evento.key() == Qt::Key_Backspace)
        return hasSelectedText() ? senza(inizio, fine) : senza(std::max(0, inizio - 1), inizio);
    if (evento.key() == Qt::Key_Delete)
        return hasSelectedText() ? senza(inizio, fine) : senza(inizio, std::min<int>(testo.size(), inizio + 1));
    const QString scritto = evento.text();
    if (scritto.isEmpty() || !scritto.at(0).isPrint() || (evento.modifiers() & Qt::ControlModifier))
        return std::nullopt;
    return testo.left(inizio) + scritto + testo.mid(fine);
}

void THJGenericNumEdit::keyPressEvent(QKeyEvent* evento)
{
    if (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter) {
        Normalizza();
        THJGenericEdit::keyPressEvent(evento);
        return;
    }
    if (const auto dopo = TestoDopoTasto(*evento); dopo && !formato_.Valido(*dopo))
        return; // dropped silently
    THJGenericEdit::keyPressEvent(evento);
}

} // namespace borgal
