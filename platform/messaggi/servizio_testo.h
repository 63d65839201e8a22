#pragma once
// The message service of a process without windows: a box becomes a line
// on standard error and is answered with its default button; a modal
// window cannot be shown and is answered Annulla.
#include "messaggi/servizio.h"

namespace messaggi {

class ServizioMessaggiTesto : public ServizioMessaggi {
public:
    int mostra(const Messaggio& messaggio, QWidget* genitore) override;
    int mostraModale(QDialog& finestra) override;
};

} // namespace messaggi
