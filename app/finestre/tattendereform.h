#pragma once
// The wait window shown around long searches: a borderless notice with a
// folder-search animation that runs from creation to destruction. Callers
// use it through AttesaInCorso, which shows it and frees it on every way
// out.
#include "gridkit/comune/finestraattesa.h"

namespace tratte {

class TAttendereForm : public gridkit::TFinestraAttesa {
    Q_OBJECT

public:
    // Creates the window, centred on the screen, with its animation running.
    explicit TAttendereForm(QWidget* genitore = nullptr);
    // Stops the animation.
    ~TAttendereForm() override;

private:
    void FormCreate();
    void FormDestroy();
};

} // namespace tratte
