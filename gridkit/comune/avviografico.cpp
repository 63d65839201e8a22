#include "gridkit/comune/avviografico.h"

#include "messaggi/messaggi.h"

#include <QCursor>
#include <QGuiApplication>

namespace gridkit {

bool SchermoCursoreQt::Mostra(Qt::CursorShape forma)
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        return false;
    QGuiApplication::setOverrideCursor(QCursor(forma));
    return true;
}

void SchermoCursoreQt::Ripristina() { QGuiApplication::restoreOverrideCursor(); }

AvvioGrafico::AvvioGrafico()
    : messaggiPrima_(messaggi::ImpostaServizioPredefinito(&messaggi_)), cursorePrima_(ImpostaSchermoCursore(&cursore_))
{
}

AvvioGrafico::~AvvioGrafico()
{
    ImpostaSchermoCursore(cursorePrima_);
    messaggi::ImpostaServizioPredefinito(messaggiPrima_);
}

} // namespace gridkit
