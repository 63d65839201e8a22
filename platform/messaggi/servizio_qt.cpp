#include "messaggi/servizio_qt.h"

#include <QApplication>
#include <QDialog>
#include <QHash>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QVariant>
#include <QWidget>

namespace messaggi {

namespace {

struct Pulsante {
    QString testo;
    QMessageBox::ButtonRole ruolo;
};

Pulsante pulsantePer(int risultato)
{
    switch (risultato) {
    case mrOk: return {QStringLiteral("OK"), QMessageBox::AcceptRole};
    case mrCancel: return {QStringLiteral("Annulla"), QMessageBox::RejectRole};
    case mrAbort: return {QStringLiteral("Interrompi"), QMessageBox::RejectRole};
    case mrRetry: return {QStringLiteral("Riprova"), QMessageBox::AcceptRole};
    case mrIgnore: return {QStringLiteral("Ignora"), QMessageBox::AcceptRole};
    case mrYes: return {QStringLiteral("Sì"), QMessageBox::YesRole};
    case mrNo: return {QStringLiteral("No"), QMessageBox::NoRole};
    }
    return {QStringLiteral("OK"), QMessageBox::AcceptRole};
}

int risultatoEsc(const QList<int>& risultati)
{
    for (int candidato : {int(mrCancel), int(mrNo), int(mrAbort)})
        if (risultati.contains(candidato))
            return candidato;
    return risultati.first();
}

QMessageBox::Icon iconaQt(Icona icona)
{
    switch (icona) {
    case Icona::Nessuna: return QMessageBox::NoIcon;
    case Icona::Informazione: return QMessageBox::Information;
    case Icona::Avviso: return QMessageBox::Warning;
    case Icona::Errore: return QMessageBox::Critical;
    case Icona::Domanda: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QWidget* GenitoreDelMessaggio(QWidget* genitore)
{
    QWidget* finestra = genitore ? genitore : QApplication::activeWindow();
    while (finestra != nullptr && finestra->window()->property(ProprietaFinestraTransitoria).toBool())
        finestra = finestra->window()->parentWidget();
    return finestra;
}

int ServizioMessaggiQt::mostra(const Messaggio& messaggio, QWidget* genitore)
{
    // The box lives on the heap: the window it is shown over may still close
    // and delete its children while the box is up.
    QPointer<QMessageBox> guardia = new QMessageBox(GenitoreDelMessaggio(genitore));
    QMessageBox& box = *guardia;
    box.setWindowTitle(messaggio.titolo);
    box.setTextFormat(Qt::PlainText); // texts may hold "<" or "&" (file names, error texts)
    box.setText(messaggio.testo);
    box.setIcon(iconaQt(messaggio.icona));

    const QList<int> risultati = RisultatiPulsanti(messaggio.pulsanti);
    const int esc = risultatoEsc(risultati);
    QHash<QAbstractButton*, int> risultatoDi;
    for (int risultato : risultati) {
        const Pulsante p = pulsantePer(risultato);
        QPushButton* pulsante = box.addButton(p.testo, p.ruolo); // owned by the box
        risultatoDi.insert(pulsante, risultato);
        if (risultato == RisultatoPredefinito(messaggio))
            box.setDefaultButton(pulsante);
        if (risultato == esc)
            box.setEscapeButton(pulsante);
    }
    box.exec();
    if (!guardia)
        return esc;
    const int risultato = risultatoDi.value(box.clickedButton(), esc);
    delete guardia.data();
    return risultato;
}

int ServizioMessaggiQt::mostraModale(QDialog& finestra)
{
    return finestra.exec();
}

} // namespace messaggi
