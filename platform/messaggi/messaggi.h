#pragma once
// Modal message boxes and modal windows of the program, all through the
// one message service. The process's own service is the Qt one in a
// program with windows (gridkit::AvvioGrafico makes it so) and the text one
// of servizio_testo.h elsewhere; a test or the scripting front end installs
// its own for a scope with SostituzioneServizio.
#include "messaggi/servizio.h"

#include <exception>

namespace messaggi {

// The installed service, else the process's own one.
ServizioMessaggi& Servizio();
// Installs a service (not owned); nullptr restores the process's own one.
void ImpostaServizio(ServizioMessaggi* servizio);
// Sets the process's own service (not owned) and returns the one it
// replaces; nullptr: the text service, which writes a box on standard
// error and answers it with its default button.
ServizioMessaggi* ImpostaServizioPredefinito(ServizioMessaggi* servizio);

// Installs a service for the lifetime of the object, then puts back the
// one that was installed before.
class SostituzioneServizio {
public:
    explicit SostituzioneServizio(ServizioMessaggi& servizio);
    ~SostituzioneServizio();
    SostituzioneServizio(const SostituzioneServizio&) = delete;
    SostituzioneServizio& operator=(const SostituzioneServizio&) = delete;

private:
    ServizioMessaggi* precedente_;
};

int MessageBox(QWidget* genitore, const QString& testo, const QString& titolo, Pulsanti pulsanti,
               Icona icona, int predefinito = 0);
// An OK box captioned with the application's name.
void ShowMessage(const QString& testo);
// The application's default error box for an error no handler caught:
// caption "Errore", the error icon and the error's text.
void MostraErrore(const std::exception& errore);
int MostraModale(QDialog& finestra);

} // namespace messaggi
