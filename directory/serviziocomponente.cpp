#include "directory/serviziocomponente.h"

#include "directory/servizioospite.h"

#include <QCoreApplication>
#include <QVariant>

namespace borgal {

messaggi::ServizioMessaggi* ServizioMessaggiComponente::ServizioOspite()
{
    const auto* app = QCoreApplication::instance();
    if (!app)
        return nullptr;
    return static_cast<messaggi::ServizioMessaggi*>(app->property(ProprietaServizioMessaggi).value<void*>());
}

int ServizioMessaggiComponente::mostra(const messaggi::Messaggio& messaggio, QWidget* genitore)
{
    if (auto* ospite = ServizioOspite())
        return ospite->mostra(messaggio, genitore);
    return reale_.mostra(messaggio, genitore);
}

int ServizioMessaggiComponente::mostraModale(QDialog& finestra)
{
    if (auto* ospite = ServizioOspite())
        return ospite->mostraModale(finestra);
    return reale_.mostraModale(finestra);
}

} // namespace borgal
