#pragma once
// The host's side of the message service shared with the component.
//
// The component library keeps its own copy of the platform libraries
// (hidden symbols), the message service included: left alone, its boxes and
// modal windows would go to its own real service, out of reach of a
// service the host installs (a test's scripted double, a console front
// end's). While a PubblicazioneServizioMessaggi lives, the host's service
// -- whatever messaggi::Servizio() gives in the host at the time of each
// call -- is published on the application object, and the component shows
// every box and modal window through it. Header only: it is compiled into
// the host, with the host's messaggi.
#include "messaggi/messaggi.h"

#include <QCoreApplication>
#include <QVariant>

namespace borgal {

// The dynamic property of the application object that holds the published
// service (a messaggi::ServizioMessaggi*, as void*).
inline constexpr char ProprietaServizioMessaggi[] = "borgalServizioMessaggiOspite";

// Hands every call to the host's current message service.
class InoltroServizioOspite final : public messaggi::ServizioMessaggi {
public:
    int mostra(const messaggi::Messaggio& messaggio, QWidget* genitore) override
    {
        return messaggi::Servizio().mostra(messaggio, genitore);
    }
    int mostraModale(QDialog& finestra) override { return messaggi::Servizio().mostraModale(finestra); }
};

// Publishes the host's message service for its lifetime (needs the
// application object). Not nested: the last one to go withdraws it.
class PubblicazioneServizioMessaggi {
public:
    PubblicazioneServizioMessaggi()
    {
        if (auto* app = QCoreApplication::instance())
            app->setProperty(ProprietaServizioMessaggi,
                             QVariant::fromValue(static_cast<void*>(static_cast<messaggi::ServizioMessaggi*>(&inoltro_))));
    }
    ~PubblicazioneServizioMessaggi()
    {
        if (auto* app = QCoreApplication::instance())
            app->setProperty(ProprietaServizioMessaggi, QVariant());
    }
    PubblicazioneServizioMessaggi(const PubblicazioneServizioMessaggi&) = delete;
    PubblicazioneServizioMessaggi& operator=(const PubblicazioneServizioMessaggi&) = delete;

private:
    InoltroServizioOspite inoltro_;
};

} // namespace borgal
