#pragma once
// TAdvancedPanel: the decorated container panel of every window. From its
// edge inwards it draws a border, an outer bevel and an inner bevel, each
// on its own set of sides, and fills the rest with a wallpaper bitmap or
// its colour; child controls are aligned inside that rest.
//
// TCustomAdvancedPanel does the work; TAdvancedPanel publishes it, i.e.
// declares its properties to Qt's meta-object system (Color, ParentColor,
// Border, BevelOuter, BevelInner, Wallpaper; Align is the dynamic property
// "Align", Visible is QWidget's "visible"). See pannellosemplice.h for how
// alignment, colour, OnResize and design mode map onto Qt.
//
// Sides given relative to the alignment are resolved against the panel's
// Align each time they are used (RisolviLati). The system colours come
// from the panel's palette: face = Button, shadow = Dark, highlight =
// Light, 3-D dark shadow = Shadow, 3-D light = Midlight.
//
// The area for children and wallpaper (RettangoloUtile) is the panel's
// rectangle reduced, on the resolved sides of each, by the widths of the
// border, the outer and the inner bevel; it is also the panel's
// contentsRect, so a QLayout set on the panel keeps inside it. When the
// widths exceed the panel the area is empty, never inverted.
#include "gridkit/pannello/pannellobordo.h"
#include "gridkit/pannello/pannellosemplice.h"
#include "gridkit/pannello/pannellosfondo.h"
#include "gridkit/pannello/pannellosmusso.h"

#include <QMargins>

namespace gridkit {

class TCustomAdvancedPanel : public TCustomSimplePanel {
    Q_OBJECT
public:
    // A new panel is 145 x 145 pixels, its outer bevel bvRaised.
    explicit TCustomAdvancedPanel(QWidget* parent = nullptr);
    ~TCustomAdvancedPanel() override;

    // The owned elements; their changes lay out and repaint the panel.
    // The setters copy the values into the owned element.
    TPanelBorder* Border() const { return border_; }
    void SetBorder(const TPanelBorder& valore) { border_->Assign(valore); }
    TPanelBevel* BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(const TPanelBevel& valore) { bevelOuter_->Assign(valore); }
    TPanelBevel* BevelInner() const { return bevelInner_; }
    void SetBevelInner(const TPanelBevel& valore) { bevelInner_->Assign(valore); }
    TPanelWallpaper* Wallpaper() const { return wallpaper_; }
    void SetWallpaper(const TPanelWallpaper& valore) { wallpaper_->Assign(valore); }

    QRect RettangoloUtile() const override;
    // What border and bevels take on each physical side.
    QMargins Margini() const;
    TColoriPannello Colori() const { return TColoriPannello::DaPalette(palette()); }

protected:
    void AspettoCambiato() override;
    void paintEvent(QPaintEvent* evento) override;

private:
    TPanelBorder* border_;
    TPanelBevel* bevelOuter_;
    TPanelBevel* bevelInner_;
    TPanelWallpaper* wallpaper_;
};

class TAdvancedPanel : public TCustomAdvancedPanel {
    Q_OBJECT
    Q_PROPERTY(QColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(gridkit::TPanelBorder* Border READ Border CONSTANT)
    Q_PROPERTY(gridkit::TPanelBevel* BevelOuter READ BevelOuter CONSTANT)
    Q_PROPERTY(gridkit::TPanelBevel* BevelInner READ BevelInner CONSTANT)
    Q_PROPERTY(gridkit::TPanelWallpaper* Wallpaper READ Wallpaper CONSTANT)
public:
    explicit TAdvancedPanel(QWidget* parent = nullptr);
    ~TAdvancedPanel() override;
};

} // namespace gridkit
