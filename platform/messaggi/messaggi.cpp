#include "messaggi/messaggi.h"

#include "messaggi/servizio_testo.h"
#include "tabelle/errore.h"

#include <QCoreApplication>
#include <QVariant>
#include <utility>

namespace messaggi {

namespace {

ServizioMessaggi* installato = nullptr;
ServizioMessaggi* predefinito = nullptr;

} // namespace

ServizioMessaggi& Servizio()
{
    static ServizioMessaggiTesto testo;
    if (installato)
        return *installato;
    return predefinito ? *predefinito : testo;
}

void ImpostaServizio(ServizioMessaggi* servizio)
{
    installato = servizio;
}

ServizioMessaggi* ImpostaServizioPredefinito(ServizioMessaggi* servizio)
{
    return std::exchange(predefinito, servizio);
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
    // The caption is the display name of a program with windows (a property
    // of its QGuiApplication), else the application's name.
    const QCoreApplication* applicazione = QCoreApplication::instance();
    const QVariant nome = applicazione ? applicazione->property("applicationDisplayName") : QVariant();
    MessageBox(nullptr, testo, nome.isValid() ? nome.toString() : QCoreApplication::applicationName(), Pulsanti::Ok, Icona::Nessuna);
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
