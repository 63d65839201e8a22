#include "messaggi/servizio_finto.h"

#include <QDialog>

namespace messaggi {

int ServizioMessaggiFinto::mostra(const Messaggio& messaggio, QWidget*)
{
    mostrati.append(messaggio);
    return risposte_.isEmpty() ? RisultatoPredefinito(messaggio) : risposte_.dequeue();
}

int ServizioMessaggiFinto::mostraModale(QDialog& finestra)
{
    finestreMostrate.append(finestra.objectName().isEmpty() ? finestra.windowTitle() : finestra.objectName());
    int risultato = mrCancel;
    if (!copioni_.isEmpty()) {
        const auto copione = copioni_.dequeue(); // taken first: the script may open further windows
        risultato = copione(finestra);
    }
    finestra.setResult(risultato);
    return risultato;
}

} // namespace messaggi
