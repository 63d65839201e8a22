#include "servizio_testo.h"

#include "avanzamento.h"

#include <cstdio>

namespace cli {

int ServizioTesto::mostra(const messaggi::Messaggio& messaggio, QWidget*)
{
    Avanzamento::CancellaRigaAttiva();
    std::fprintf(stderr, "%s\n", messaggio.testo.toLocal8Bit().constData());
    return messaggi::RisultatoPredefinito(messaggio);
}

int ServizioTesto::mostraModale(QDialog&) { return messaggi::mrCancel; }

} // namespace cli
