#pragma once
// TAttendereFormPerGetList: the wait window of a sort by title, a
// borderless notice centred on the screen with the blue bold caption
// "Attendere...ordinamento dati in corso" over the folder-search animation,
// which runs while the window is shown. AttesaOrdinamento shows it for the
// life of the object and frees it on every way out.
#include "gridkit/comune/finestraattesa.h"

#include <QPointer>

namespace gridkit {

class TAttendereFormPerGetList : public TFinestraAttesa {
    Q_OBJECT
public:
    explicit TAttendereFormPerGetList(QWidget* genitore = nullptr);
    ~TAttendereFormPerGetList() override;

    QLabel& Etichetta() const { return *Label1; }
    gridkit::TAnimazioneRicerca& Animazione() const { return *Animate1; }

protected:
    void showEvent(QShowEvent* evento) override;
    void hideEvent(QHideEvent* evento) override;
};

class AttesaOrdinamento {
public:
    // Shows the window and lets pending painting run (no user input).
    explicit AttesaOrdinamento(QWidget* genitore = nullptr);
    ~AttesaOrdinamento();
    AttesaOrdinamento(const AttesaOrdinamento&) = delete;
    AttesaOrdinamento& operator=(const AttesaOrdinamento&) = delete;

private:
    // Guarded: a parent destroyed first takes the window with it.
    QPointer<TAttendereFormPerGetList> finestra_;
};

} // namespace gridkit
