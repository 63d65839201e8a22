#include "gridkit/browser/recordbrowsertasti.h"

#include <QKeyEvent>

namespace gridkit {

TAzioneTasto AzioneTastoNumero(const QKeyEvent& tasto, bool attivo)
{
    const int k = tasto.key();
    const QString testo = tasto.text();
    if (k == Qt::Key_Return || k == Qt::Key_Enter || testo == u"\r" || testo == u"\n")
        return TAzioneTasto::Salta;
    const bool ammesso = k == Qt::Key_Backspace || k == Qt::Key_Escape
                         || (testo.size() == 1 && testo[0] >= u'0' && testo[0] <= u'9');
    if (ammesso)
        return attivo ? TAzioneTasto::Accetta : TAzioneTasto::Scarta;
    // Keys that type nothing: moving the caret, deleting forward, focus.
    if (testo.isEmpty() || k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Delete)
        return TAzioneTasto::Accetta;
    return TAzioneTasto::Scarta;
}

} // namespace gridkit
