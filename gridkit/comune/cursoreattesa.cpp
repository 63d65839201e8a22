#include "gridkit/comune/cursoreattesa.h"

#include <QCursor>
#include <QGuiApplication>

namespace gridkit {

CursoreAttesa::CursoreAttesa(Qt::CursorShape forma)
    : attivo_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
{
    if (attivo_)
        QGuiApplication::setOverrideCursor(QCursor(forma));
}

CursoreAttesa::~CursoreAttesa()
{
    if (attivo_)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace gridkit
