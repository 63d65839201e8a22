#include "servizio.h"

#include "directory/servizioospite.h"

#include <QDialog>

namespace zrwinstampa {

int MostraModale(QDialog& finestra)
{
    if (auto* app = QCoreApplication::instance())
        if (auto* ospite = static_cast<messaggi::ServizioMessaggi*>(app->property(borgal::ProprietaServizioMessaggi).value<void*>()))
            return ospite->mostraModale(finestra);
    return finestra.exec();
}

} // namespace zrwinstampa
