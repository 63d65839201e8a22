#pragma once
// The program's own HTML help viewer: shows the page of a viewer command
// (see PagineGuida) in one help window, created at the first call, reused
// and raised at every later one. A page that cannot be found shows an
// Italian notice page instead. Create and destroy it while the
// QApplication exists.
#include "aiuto/visualizzatore.h"

#include <memory>

namespace aiuto {

class FinestraGuida;

class VisualizzatoreGuida : public VisualizzatoreAiuto {
public:
    VisualizzatoreGuida();
    ~VisualizzatoreGuida() override;
    VisualizzatoreGuida(const VisualizzatoreGuida&) = delete;
    VisualizzatoreGuida& operator=(const VisualizzatoreGuida&) = delete;

    // True when the page asked for is shown; false when the notice page is
    // shown, and for a command the viewer does not know (nothing is shown).
    bool Mostra(QWidget* finestra, const QString& file, int comando, quintptr dati) override;

    // The help window; nullptr before the first page.
    FinestraGuida* Finestra() const { return finestra_.get(); }

private:
    FinestraGuida& Apri(QWidget* finestra);

    std::unique_ptr<FinestraGuida> finestra_;
};

} // namespace aiuto
