#include "messaggi/messaggi.h"

#include "messaggi/servizio_qt.h"
#include "tabelle/errore.h"

#include <QGuiApplication>

namespace messaggi {

namespace {

ServizioMessaggi* installato = nullptr;

} // namespace

ServizioMessaggi& Servizio()
{
    static ServizioMessaggiQt reale;
    return installato ? *installato : reale;
}

void ImpostaServizio(ServizioMessaggi* servizio)
{
    installato = servizio;
}

SostituzioneServizio::SostituzioneServizio(ServizioMessaggi& servizio) : precedente_(installato)
{
    ImpostaServizio(&servizio);
}

SostituzioneServizio::~SostituzioneServizio()
{
    ImpostaServizio(precedente_);
}

int MessageBox(QWidget* genitore, const QString& testo, const QString& titolo, Pulsanti pulsanti,
               Icona icona, int predefinito)
{
    return Servizio().mostra({testo, titolo, pulsanti, icona, predefinito}, genitore);
}

void ShowMessage(const QString& testo)
{
    MessageBox(nullptr, testo, QGuiApplication::applicationDisplayName(), Pulsanti::Ok, Icona::Nessuna);
}

void MostraErrore(const std::exception& errore)
{
    const auto* motore = dynamic_cast<const tabelle::EDBEngineError*>(&errore);
    // Our exceptions carry their QString as UTF-8 in what(), so others keep accents as well.
    const QString testo = motore ? motore->messaggio() : QString::fromUtf8(errore.what());
    MessageBox(nullptr, testo, QStringLiteral("Errore"), Pulsanti::Ok, Icona::Errore);
}

int MostraModale(QDialog& finestra)
{
    return Servizio().mostraModale(finestra);
}

} // namespace messaggi
