#include "messaggi/servizio_testo.h"

#include <cstdio>

namespace messaggi {

int ServizioMessaggiTesto::mostra(const Messaggio& messaggio, QWidget*)
{
    std::fprintf(stderr, "%s\n", messaggio.testo.toLocal8Bit().constData());
    std::fflush(stderr);
    return RisultatoPredefinito(messaggio);
}

int ServizioMessaggiTesto::mostraModale(QDialog&) { return mrCancel; }

} // namespace messaggi
