#include "messaggi/servizio.h"

#include <QApplication>
#include <QVariant>
#include <QWidget>

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

QWidget* GenitoreDelMessaggio(QWidget* genitore)
{
    QWidget* finestra = genitore ? genitore : QApplication::activeWindow();
    while (finestra != nullptr && finestra->window()->property(ProprietaFinestraTransitoria).toBool())
        finestra = finestra->window()->parentWidget();
    return finestra;
}

int RisultatoPredefinito(const Messaggio& messaggio)
{
    const QList<int> risultati = RisultatiPulsanti(messaggio.pulsanti);
    return risultati.value(messaggio.predefinito, risultati.first());
}

} // namespace messaggi
