#include "gridkit/griglia/newdbgridtrascina.h"

#include <QObject>

namespace gridkit {

ITestoTrascinato* TestoTrascinatoDi(QObject* sorgente)
{
    if (!sorgente)
        return nullptr;
    if (auto* i = qobject_cast<ITestoTrascinato*>(sorgente))
        return i;
    return dynamic_cast<ITestoTrascinato*>(sorgente);
}

} // namespace gridkit
