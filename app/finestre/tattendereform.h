#pragma once
// The wait window shown around long searches: a borderless notice with a
// folder-search animation that runs from creation to destruction. Callers
// use it through AttesaInCorso, which shows it and frees it on every way
// out.
#include <QFrame>

class QLabel;

namespace gridkit {
class TAnimazioneRicerca;
}

namespace tratte {

class TAttendereForm : public QFrame {
    Q_OBJECT

public:
    static constexpr int Larghezza = 361;
    static constexpr int Altezza = 91;

    // Creates the window, centred on the screen, with its animation running.
    explicit TAttendereForm(QWidget* genitore = nullptr);
    // Stops the animation.
    ~TAttendereForm() override;

private:
    void FormCreate();
    void FormDestroy();

    QLabel* Label1;
    gridkit::TAnimazioneRicerca* Animate1;
};

} // namespace tratte
