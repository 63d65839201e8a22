#pragma once
// TAttendereLbpForm: the wait window of the survey-book search, whose text
// changes with each phase. It counts its live instances: a second one
// created while another lives shows "Seconda volta" first.
#include "gridkit/comune/finestraattesa.h"

namespace tratte {

class TAttendereLbpForm : public gridkit::TFinestraAttesa {
    Q_OBJECT

public:
    explicit TAttendereLbpForm(QWidget* genitore = nullptr);
    ~TAttendereLbpForm() override;

    using TFinestraAttesa::Label1;
    static int Istanze() { return istanze_; }

private:
    void FormCreate();
    void FormDestroy();
    static int istanze_;
};

} // namespace tratte
