#pragma once
// The message service: every modal message box of the program, and every
// modal window, is shown through one ServizioMessaggi, so that tests can
// put a scripted double in place of the real Qt one (see messaggi.h for
// the global access, servizio_finto.h for the double).
#include <QList>
#include <QString>

class QDialog;
class QWidget;

namespace messaggi {

enum class Pulsanti { Ok, OkAnnulla, SiNo, SiNoAnnulla, RiprovaAnnulla, InterrompiRiprovaIgnora };

enum class Icona { Nessuna, Informazione, Avviso, Errore, Domanda };

// Modal results, numbered as on Windows; the program's dialogs end with
// these numbers too (QDialog::done(n)).
enum Risultato : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };

struct Messaggio {
    QString testo;
    QString titolo;
    Pulsanti pulsanti = Pulsanti::Ok;
    Icona icona = Icona::Nessuna;
    int predefinito = 0; // index of the default button, 0 = first
};

// The results of the buttons, in the order the buttons are listed
// (OkAnnulla: mrOk, mrCancel; SiNoAnnulla: mrYes, mrNo, mrCancel; ...).
QList<int> RisultatiPulsanti(Pulsanti pulsanti);
// The result of the default button; an index out of range means the first.
int RisultatoPredefinito(const Messaggio& messaggio);

// Set to true on a window that goes away by itself (the splash closes as
// soon as it stops being the active window). A box is never shown over such
// a window: the box would take the activation, the window would close and
// delete the box with it.
inline constexpr char ProprietaFinestraTransitoria[] = "finestraTransitoria";

class ServizioMessaggi {
public:
    virtual ~ServizioMessaggi() = default;
    // Shows the box modally and returns the modal result of the button pressed.
    virtual int mostra(const Messaggio& messaggio, QWidget* genitore) = 0;
    // Shows the window modally and returns its modal result.
    virtual int mostraModale(QDialog& finestra) = 0;
};

} // namespace messaggi
