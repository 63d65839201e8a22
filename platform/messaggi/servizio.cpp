#include "messaggi/servizio.h"

namespace messaggi {

QList<int> RisultatiPulsanti(Pulsanti pulsanti)
{
    switch (pulsanti) {
    case Pulsanti::Ok: return {mrOk};
    case Pulsanti::OkAnnulla: return {mrOk, mrCancel};
    case Pulsanti::SiNo: return {mrYes, mrNo};
    case Pulsanti::SiNoAnnulla: return {mrYes, mrNo, mrCancel};
    case Pulsanti::RiprovaAnnulla: return {mrRetry, mrCancel};
    case Pulsanti::InterrompiRiprovaIgnora: return {mrAbort, mrRetry, mrIgnore};
    }
    return {mrOk};
}

int RisultatoPredefinito(const Messaggio& messaggio)
{
    const QList<int> risultati = RisultatiPulsanti(messaggio.pulsanti);
    return risultati.value(messaggio.predefinito, risultati.first());
}

} // namespace messaggi
