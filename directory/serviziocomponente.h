#pragma once
// The message service of the component inside its library: the host's
// service when the host publishes it (servizioospite.h), else the
// component's own real one. Installed in the library's copy of the message
// service while the library is loaded, so every messaggi::MessageBox and
// messaggi::MostraModale of the component goes through it.
#include "messaggi/servizio.h"
#include "messaggi/servizio_qt.h"

namespace borgal {

class ServizioMessaggiComponente : public messaggi::ServizioMessaggi {
public:
    int mostra(const messaggi::Messaggio& messaggio, QWidget* genitore) override;
    int mostraModale(QDialog& finestra) override;

    // The service the host publishes now; nullptr when none.
    static messaggi::ServizioMessaggi* ServizioOspite();

private:
    messaggi::ServizioMessaggiQt reale_;
};

} // namespace borgal
