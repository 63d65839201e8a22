#pragma once
// The message service of the scripting front end: a box becomes a line on
// standard error and is answered with its default button; no window is
// ever shown.
#include "messaggi/servizio.h"

namespace cli {

class ServizioTesto : public messaggi::ServizioMessaggi {
public:
    int mostra(const messaggi::Messaggio& messaggio, QWidget* genitore) override;
    int mostraModale(QDialog& finestra) override;
};

} // namespace cli
