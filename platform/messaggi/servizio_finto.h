#pragma once
// The scripted double of the message service for tests: it records every
// box and modal window and answers as told, without showing anything and
// without running an event loop.
#include "messaggi/servizio.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <functional>

namespace messaggi {

class ServizioMessaggiFinto : public ServizioMessaggi {
public:
    // Answers the boxes from the queue of Rispondi, in order; with the
    // queue empty, the default button's result.
    int mostra(const Messaggio& messaggio, QWidget* genitore) override;
    // Runs the next script of ScriviModale on the window (it may fill in
    // fields or click buttons) and returns, and sets as the window's
    // result, what the script returns; with no script, mrCancel.
    int mostraModale(QDialog& finestra) override;

    void Rispondi(int risultato) { risposte_.enqueue(risultato); }
    void ScriviModale(std::function<int(QDialog&)> copione) { copioni_.enqueue(std::move(copione)); }

    QList<Messaggio> mostrati;
    // objectName of every modal window shown, or its windowTitle when it has none.
    QStringList finestreMostrate;

private:
    QQueue<int> risposte_;
    QQueue<std::function<int(QDialog&)>> copioni_;
};

} // namespace messaggi
