#include "aiuto/tastof1.h"

#include "aiuto/applicazione.h"
#include "aiuto/contesto.h"

#include <QKeySequence>
#include <QPointer>
#include <QShortcut>
#include <QWidget>

namespace aiuto {

QShortcut* InstallaTastoF1(QWidget* finestra, std::function<int()> contesto)
{
    if (!finestra)
        return nullptr;
    if (!contesto) {
        // The shortcut fires only while its window is active, so the window
        // itself is the active form, even where the platform reports none.
        QPointer<QWidget> w(finestra);
        contesto = [w] { return w ? ContestoCorrente(w->focusWidget(), w, FinestraPrincipale()) : 0; };
    }
    auto* tasto = new QShortcut(QKeySequence(Qt::Key_F1), finestra);
    tasto->setObjectName(QStringLiteral("TastoF1"));
    tasto->setContext(Qt::WindowShortcut);
    QObject::connect(tasto, &QShortcut::activated, tasto, [contesto = std::move(contesto)] { HelpContext(contesto()); });
    return tasto;
}

QShortcut* ImpostaGuidaFinestra(QWidget* finestra, int contesto)
{
    ImpostaContestoAiuto(finestra, contesto);
    return InstallaTastoF1(finestra);
}

bool GuidaFinestra(const QWidget* finestra) { return HelpContext(ContestoAiuto(finestra)); }

} // namespace aiuto
