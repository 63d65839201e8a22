#include "gridkit/comune/centratura.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace gridkit {

void CentraSulloSchermo(QWidget& finestra)
{
    QScreen* schermo = finestra.parentWidget() ? finestra.parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!schermo)
        return;
    QRect cornice = finestra.frameGeometry();
    cornice.moveCenter(schermo->availableGeometry().center());
    finestra.move(cornice.topLeft());
}

} // namespace gridkit
