#pragma once
// Shared by the panel tests: a palette whose system colours are all
// different, and a rendering of a widget into an image.
#include "gridkit/pannello/pannelloavanzato.h"

#include <QImage>
#include <QPalette>
#include <QWidget>

namespace prova_pannello {

inline const QColor Finestra(192, 192, 240);  // the panel's colour
inline const QColor Faccia(10, 200, 10);
inline const QColor Ombra(100, 0, 0);
inline const QColor Evidenza(255, 255, 0);
inline const QColor OmbraScura(0, 0, 80);
inline const QColor Luce3D(0, 255, 255);
// What the image holds before rendering: a pixel still of this colour was
// never painted.
inline const QColor Sentinella(255, 0, 255);

inline QPalette PaletteProva()
{
    QPalette p;
    p.setColor(QPalette::Window, Finestra);
    p.setColor(QPalette::Button, Faccia);
    p.setColor(QPalette::Dark, Ombra);
    p.setColor(QPalette::Light, Evidenza);
    p.setColor(QPalette::Shadow, OmbraScura);
    p.setColor(QPalette::Midlight, Luce3D);
    return p;
}

// A panel of the given size with the test palette and no bevel at all.
inline void PreparaPannello(gridkit::TAdvancedPanel& pannello, QSize dimensione)
{
    pannello.setPalette(PaletteProva());
    pannello.resize(dimensione);
    pannello.BevelOuter()->SetStyle(gridkit::bvNone);
}

inline QImage Disegna(QWidget& widget)
{
    QImage immagine(widget.size(), QImage::Format_ARGB32);
    immagine.fill(Sentinella);
    widget.render(&immagine);
    return immagine;
}

inline QColor Pixel(const QImage& immagine, int x, int y) { return immagine.pixelColor(x, y); }

} // namespace prova_pannello
