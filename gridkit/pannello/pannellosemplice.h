#pragma once
// TCustomSimplePanel: the base of the library's custom-drawn container
// controls. It carries what every such control has: its own alignment
// inside its parent, a colour that follows the parent's by default, the
// OnResize event, a loading phase and a design-mode flag; and it keeps
// its aligned children laid out inside RettangoloUtile.
//
// How the control's notions map onto Qt:
// - Align: the panel's TAlign, kept in its dynamic property "Align" like
//   that of any other widget (see pannelloallineamento.h). A parent panel
//   honours it; other parents may read it with AllineamentoDi. Changing it
//   repaints the panel and lays its children out again, since sides given
//   relative to the alignment may now mean other sides.
// - Children: direct child widgets are aligned by their own "Align"
//   (ImpostaAllineamento); alNone children stay where they are put. A
//   QLayout set on the panel also works inside RettangoloUtile (the
//   panel's contents margins), but a child should not be in both.
// - Color / ParentColor: with ParentColor (the default) the colour is the
//   parent panel's Color, or, under any other parent, the Window colour of
//   the panel's own palette (which Qt inherits from the parent). Setting
//   Color clears ParentColor.
// - Visible: QWidget's own visibility (isVisible, setVisible).
// - OnResize: a signal, sent after each change of position or size (Qt's
//   move and resize events, which a hidden widget gets when shown) once
//   loading is over.
// - Design mode: ModoProgettazione, false unless set by a form designer.
#include "gridkit/pannello/pannelloallineamento.h"

#include <QColor>
#include <QWidget>

#include <memory>

namespace gridkit {

class TAllineatoreFigli;

class TCustomSimplePanel : public QWidget {
    Q_OBJECT
public:
    explicit TCustomSimplePanel(QWidget* parent = nullptr);
    ~TCustomSimplePanel() override;

    TAlign Align() const { return AllineamentoDi(this); }
    void SetAlign(TAlign valore) { ImpostaAllineamento(this, valore); }

    QColor Color() const;
    void SetColor(const QColor& valore);
    bool ParentColor() const { return parentColor_; }
    // True: follow the parent's colour again. False: keep the colour shown now.
    void SetParentColor(bool valore);

    bool ModoProgettazione() const { return modoProgettazione_; }
    void SetModoProgettazione(bool valore);

    // Between the two, OnResize is not sent; Loaded lays out and repaints.
    void IniziaCaricamento() { caricamento_ = true; }
    void Loaded();
    bool InCaricamento() const { return caricamento_; }

    // The area inside which children are aligned: here the whole panel.
    virtual QRect RettangoloUtile() const { return rect(); }
    // Lays the aligned children out again now.
    void Riallinea();

signals:
    void OnResize();

protected:
    // Something that changes the look or the free area changed: lay the
    // children out again and repaint.
    virtual void AspettoCambiato();

    bool event(QEvent* evento) override;
    void changeEvent(QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void moveEvent(QMoveEvent* evento) override;

private:
    std::unique_ptr<TAllineatoreFigli> allineatore_;
    QColor colore_;
    bool parentColor_ = true;
    bool modoProgettazione_ = false;
    bool caricamento_ = false;
};

} // namespace gridkit
