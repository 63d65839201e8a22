#pragma once
// The message service of the scripting front end: the text service, which
// first clears the progress line a box would otherwise break into.
#include "messaggi/servizio_testo.h"

namespace cli {

class ServizioTesto : public messaggi::ServizioMessaggiTesto {
public:
    int mostra(const messaggi::Messaggio& messaggio, QWidget* genitore) override;
};

} // namespace cli
