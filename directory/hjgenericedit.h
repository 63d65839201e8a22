#pragma once
// The generic edit controls of the archive dialogs (module _HJGenericEdit):
// THJGenericEdit, a single-line edit with a set of accepted characters, an
// optional mandatory check, the date shortcut Ctrl+Shift+comma and
// "linked" companions (a label, a button, a further edit) that keep their
// place beside it; THJGenericLabel and THJGenericButton, the companions.
//
// The accepted set has one bit per character of Windows code page 1252
// (#0 to #255, all set by default). A character outside that code page is
// accepted only while the whole set is.
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

#include <bitset>
#include <optional>

namespace borgal {

enum class THJSetAllineamento { Sinistra, Destra, Sopra, Sotto };

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// The byte of `c` in Windows code page 1252; none when the code page has no such character.
std::optional<unsigned char> CodiceWindows1252(QChar c);

// The gap between linked controls: PixelsPerInch / 48, rounded (2 at 96
// dots per inch), computed once.
int DistanzaCollegati();

// The messages of the edit.
inline constexpr char TestoObbligatorioPredefinito[] = "Questo campo é obbligatorio!!!";
inline constexpr char TestoCaratteriNonAccettati[] = "Alcuni caratteri della Stringa non sono accettati!";
inline constexpr char TestoEditGiaAssegnato[] = "Edit già assegnato!";
inline constexpr char TestoBottoneGiaAssegnato[] = "Bottone già assegnato!";
inline constexpr char TestoLabelGiaAssegnata[] = "Label già assegnata!";
inline constexpr char TestoPosizioneOccupata[] = "La posizione è già occupata da un altro componente";

class THJGenericEdit;

// Where a companion of side `lato` and size `compagno` goes beside a
// control with geometry `edit`, at the gap.
QPoint PosizioneCompagno(THJSetAllineamento lato, const QRect& edit, const QSize& compagno, int distanza);

class THJGenericLabel : public QLabel {
    Q_OBJECT
public:
    explicit THJGenericLabel(QWidget* genitore = nullptr);
    ~THJGenericLabel() override;

    THJSetAllineamento Allineamento() const { return allineamento_; }
    void SetAllineamento(THJSetAllineamento lato);
    QString Author() const;
    void SetAuthor(const QString&) {}
    // The edit it belongs to, nullptr when none.
    THJGenericEdit* Edit() const { return edit_; }

protected:
    void moveEvent(QMoveEvent* evento) override;

private:
    friend class THJGenericEdit;
    THJSetAllineamento allineamento_ = THJSetAllineamento::Sopra;
    QPointer<THJGenericEdit> edit_;
};

class THJGenericButton : public QToolButton {
    Q_OBJECT
public:
    explicit THJGenericButton(QWidget* genitore = nullptr);
    ~THJGenericButton() override;

    THJSetAllineamento Allineamento() const { return allineamento_; }
    void SetAllineamento(THJSetAllineamento lato);
    bool BloccaAltezza() const { return bloccaAltezza_; }
    void SetBloccaAltezza(bool valore);
    QString Author() const;
    void SetAuthor(const QString&) {}
    THJGenericEdit* Edit() const { return edit_; }

    // The button's own action, run when the left button is released inside
    // it, after the normal click handling; by default a beep.
    virtual void AzionePropria();

protected:
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void moveEvent(QMoveEvent* evento) override;

private:
    friend class THJGenericEdit;
    THJSetAllineamento allineamento_ = THJSetAllineamento::Destra;
    bool bloccaAltezza_ = true;
    QPointer<THJGenericEdit> edit_;
};

class THJGenericEdit : public QLineEdit {
    Q_OBJECT
public:
    using InsiemeCaratteri = std::bitset<256>;

    explicit THJGenericEdit(QWidget* genitore = nullptr);
    ~THJGenericEdit() override;

    // Published.
    bool Obbligatorio() const { return obbligatorio_; }
    void SetObbligatorio(bool valore) { obbligatorio_ = valore; }
    const QString& ObbligatorioText() const { return obbligatorioText_; }
    // An empty text gives back the default.
    void SetObbligatorioText(const QString& testo);
    bool BloccaAltezza() const { return bloccaAltezza_; }
    void SetBloccaAltezza(bool valore);
    THJSetAllineamento Allineamento() const { return allineamento_; }
    void SetAllineamento(THJSetAllineamento lato);
    THJGenericEdit* InternalLinkEdit() const { return linkEdit_; }
    void SetInternalLinkEdit(THJGenericEdit* edit);
    THJGenericLabel* LinkLabel() const { return linkLabel_; }
    void SetLinkLabel(THJGenericLabel* label);
    THJGenericButton* LinkButton() const { return linkButton_; }
    void SetLinkButton(THJGenericButton* bottone);
    // The texts of the edit and of its chain of InternalLinkEdit, joined
    // by GlobalSeparator; writing splits at it (runs count as one).
    QString GlobalText();
    void SetGlobalText(const QString& testo);
    QChar GlobalSeparator() const { return globalSeparator_; }
    void SetGlobalSeparator(QChar c) { globalSeparator_ = c; }
    int MaxLength() const { return maxLength(); }
    virtual void SetMaxLength(int valore) { setMaxLength(valore); }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool valore);
    QString Hint() const { return hint_; }
    void SetHint(const QString& testo);
    // The text, normalised first (see Normalizza); writing sets it unchanged.
    QString Text();
    void SetText(const QString& testo) { setText(testo); }
    QString Author() const;
    void SetAuthor(const QString&) {}
    // Typed letters (and any text set) in upper or lower case.
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase valore);

    // The accepted set (one bit per code-page-1252 byte).
    const InsiemeCaratteri& CaratteriAccettati() const { return accettati_; }
    void SetCaratteriAccettati(const InsiemeCaratteri& insieme) { accettati_ = insieme; }
    bool Accettato(QChar c) const;
    // The edit whose InternalLinkEdit this edit is, nullptr when none.
    THJGenericEdit* EditCollegante() const { return collegante_; }

    // The paste of the clipboard text with its checks; the date shortcut
    // (true when the date went in).
    void Incolla();
    bool InserisciData();
    // The check on leaving the edit: false (after the message, the focus
    // back on the edit) when it is mandatory and empty.
    bool VerificaObbligatorio();
    // Places the companions (and the chained edit) again.
    void PosizionaCompagni();

protected:
    // The text a paste of `inserito` over the selection would leave
    // (at most 255 characters after the selection are kept).
    QString TestoDopoInserimento(const QString& inserito) const;
    // Whether the text a paste would leave may be pasted; the message when not.
    virtual bool IncollaAmmesso(const QString& risultato);
    // Makes the text canonical; the plain edit keeps it as it is.
    virtual void Normalizza() {}

    void keyPressEvent(QKeyEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;
    void contextMenuEvent(QContextMenuEvent* evento) override;
    void mouseReleaseEvent(QMouseEvent* evento) override;
    void dropEvent(QDropEvent* evento) override;
    void moveEvent(QMoveEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

    InsiemeCaratteri accettati_;

private:
    friend class THJGenericLabel;
    friend class THJGenericButton;
    // A companion was moved: the edit goes to the mirror position.
    void CompagnoSpostato(QWidget& compagno, THJSetAllineamento lato);
    // Whether a companion other than `escluso` of this edit sits on `lato`.
    bool LatoOccupato(THJSetAllineamento lato, const QObject* escluso) const;
    void Posiziona(QWidget& compagno, THJSetAllineamento lato, bool prendiAltezza);
    void ApplicaCharCase();
    bool IncollaTesto(const QString& testo);

    bool obbligatorio_ = false;
    QString obbligatorioText_;
    bool bloccaAltezza_ = true;
    THJSetAllineamento allineamento_ = THJSetAllineamento::Sinistra;
    QPointer<THJGenericEdit> linkEdit_;
    QPointer<THJGenericLabel> linkLabel_;
    QPointer<THJGenericButton> linkButton_;
    QPointer<THJGenericEdit> collegante_;
    QChar globalSeparator_ = u' ';
    bool showHint_ = true;
    QString hint_;
    TEditCharCase charCase_ = TEditCharCase::ecNormal;
    bool verificaInCorso_ = false;
    // The companion being moved, which must not move the edit back.
    bool spostaLabel_ = false;
    bool spostaBottone_ = false;
    bool spostaEdit_ = false;
};

} // namespace borgal
