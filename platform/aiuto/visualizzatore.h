#pragma once
// The HTML help viewer as the program calls it: an owner window, the help
// file, a viewer command (HH_DISPLAY_TOC, HH_DISPLAY_INDEX, HH_HELP_CONTEXT)
// and its data. VisualizzatoreGuida is the real one; tests record calls.
#include <QString>
#include <QtGlobal>

class QWidget;

namespace aiuto {

class VisualizzatoreAiuto {
public:
    virtual ~VisualizzatoreAiuto() = default;
    // True when the viewer showed what was asked for.
    virtual bool Mostra(QWidget* finestra, const QString& file, int comando, quintptr dati) = 0;
};

} // namespace aiuto
