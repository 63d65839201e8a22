#pragma once
// The real message service: a QMessageBox with Italian button texts, and
// QDialog::exec for modal windows.
#include "messaggi/servizio.h"

namespace messaggi {

// The window a box is shown over: the given one, else the active window;
// a transient window is passed over for its own parent window (none when
// it has no parent: the box then stands alone).
QWidget* GenitoreDelMessaggio(QWidget* genitore);

class ServizioMessaggiQt : public ServizioMessaggi {
public:
    // Esc (and the window's close button) answers Annulla where there is
    // one, else No, else Interrompi; with the single OK button, OK.
    int mostra(const Messaggio& messaggio, QWidget* genitore) override;
    int mostraModale(QDialog& finestra) override;
};

} // namespace messaggi
