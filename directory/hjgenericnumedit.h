#pragma once
// THJGenericNumEdit (module _HJGenericNumEdit): the numeric edit, built on
// THJGenericEdit. It holds a number of at most Interi digits before the
// separator and Decimali after it, with a leading sign when AccettaSegno.
// Every key, cut and paste that would leave an invalid text is dropped
// silently; leaving the edit, Enter and reading its value normalise it
// ("-.5" becomes "-0.5", "12." becomes "12"; leading zeros stay).
#include "directory/hjgenericedit.h"

namespace borgal {

// The rules of a numeric text, without widgets.
struct FormatoNumerico {
    int interi = 6;
    int decimali = 6;
    QChar separatore = u'.';
    bool segno = true;

    bool Accettato(QChar c) const;
    bool Valido(const QString& testo) const;
    // The sign, the integer part and the decimal part of a text.
    QString Segno(const QString& testo) const;
    QString ParteIntera(const QString& testo) const;
    QString ParteDecimale(const QString& testo) const;
    // The canonical form; the text itself when that form is not valid.
    QString Normalizzato(const QString& testo) const;
    // Interi + Decimali, + 1 with the sign, + 1 with decimals.
    int LunghezzaMassima() const;
};

class THJGenericNumEdit : public THJGenericEdit {
    Q_OBJECT
public:
    explicit THJGenericNumEdit(QWidget* genitore = nullptr);

    int Interi() const { return formato_.interi; }
    void SetInteri(int valore);
    int Decimali() const { return formato_.decimali; }
    void SetDecimali(int valore);
    QChar Separatore() const { return formato_.separatore; }
    void SetSeparatore(QChar valore);
    bool AccettaSegno() const { return formato_.segno; }
    void SetAccettaSegno(bool valore);
    // Derived from the format: assignments are ignored.
    void SetMaxLength(int) override {}
    QString ParteIntera() const { return formato_.ParteIntera(text()); }
    QString ParteDecimale() const { return formato_.ParteDecimale(text()); }
    const FormatoNumerico& Formato() const { return formato_; }

protected:
    bool IncollaAmmesso(const QString& risultato) override;
    void Normalizza() override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    // The accepted set and MaxLength from the format.
    void Deriva();
    // The text a key would leave; none for a key that changes no text.
    std::optional<QString> TestoDopoTasto(const QKeyEvent& evento) const;
    void TestoCambiato();

    FormatoNumerico formato_;
    QString ultimoValido_;
};

} // namespace borgal
