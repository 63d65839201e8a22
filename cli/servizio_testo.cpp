#include "servizio_testo.h"

#include "avanzamento.h"

namespace cli {

int ServizioTesto::mostra(const messaggi::Messaggio& messaggio, QWidget* genitore)
{
    Avanzamento::CancellaRigaAttiva();
    return ServizioMessaggiTesto::mostra(messaggio, genitore);
}

} // namespace cli
