#pragma once
// TCancProvForm: the wait window shown while the rows of one province are
// deleted from an archive that keeps others; borderless, on top, centred,
// its animation running from creation to destruction.
#include "gridkit/comune/finestraattesa.h"

class QLabel;

namespace tratte {

class TCancProvForm : public gridkit::TFinestraAttesa {
    Q_OBJECT
public:
    explicit TCancProvForm(QWidget* genitore = nullptr);
    ~TCancProvForm() override;

    // "Cancellazione dati in corso...", hidden.
    QLabel* Label2;
};

} // namespace tratte
