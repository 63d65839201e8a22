#include "aiuto/applicazione.h"

#include <QPointer>
#include <QWidget>

namespace aiuto {

namespace {

// The application object's help state: one per process, used only from the
// user-interface thread.
struct StatoAiuto {
    GestoreAiuto gestore;
    QString file;
    QPointer<QWidget> principale;
};

StatoAiuto& Stato()
{
    static StatoAiuto stato;
    return stato;
}

} // namespace

GestoreAiuto GestoreAiutoApplicazione() { return Stato().gestore; }

void ImpostaGestoreAiuto(GestoreAiuto gestore) { Stato().gestore = std::move(gestore); }

QString HelpFile() { return Stato().file; }

void ImpostaHelpFile(const QString& file) { Stato().file = file; }

QWidget* FinestraPrincipale() { return Stato().principale; }

void ImpostaFinestraPrincipale(QWidget* finestra) { Stato().principale = finestra; }

bool HelpCommand(int comando, quintptr dati)
{
    // A copy: the handler may replace itself while it runs.
    GestoreAiuto gestore = Stato().gestore;
    if (!gestore)
        return false;
    bool chiamaAiuto = true;
    return gestore(comando, dati, chiamaAiuto);
}

bool HelpContext(int contesto) { return HelpCommand(HELP_CONTEXT, quintptr(contesto)); }

} // namespace aiuto
