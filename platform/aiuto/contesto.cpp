#include "aiuto/contesto.h"

#include "aiuto/applicazione.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

namespace aiuto {

void ImpostaContestoAiuto(QWidget* widget, int contesto)
{
    if (!widget)
        return;
    if (contesto == 0)
        widget->setProperty(ProprietaContestoAiuto, QVariant());
    else
        widget->setProperty(ProprietaContestoAiuto, contesto);
}

int ContestoAiuto(const QWidget* widget)
{
    if (!widget)
        return 0;
    bool ok = false;
    const int contesto = widget->property(ProprietaContestoAiuto).toInt(&ok);
    return ok ? contesto : 0;
}

int ContestoCorrente(const QWidget* focalizzato, const QWidget* attiva, const QWidget* principale)
{
    if (!attiva)
        return 0;
    // A focused widget outside the active window says nothing about it.
    if (focalizzato && focalizzato != attiva && attiva->isAncestorOf(focalizzato)) {
        for (const QWidget* w = focalizzato; w && w != attiva; w = w->parentWidget()) {
            if (const int contesto = ContestoAiuto(w))
                return contesto;
        }
    }
    if (const int contesto = ContestoAiuto(attiva))
        return contesto;
    return ContestoAiuto(principale);
}

int ContestoCorrente()
{
    return ContestoCorrente(QApplication::focusWidget(), QApplication::activeWindow(), FinestraPrincipale());
}

} // namespace aiuto
