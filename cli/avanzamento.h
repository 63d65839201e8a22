#pragma once
// Avanzamento: the sign of life of a long command (carica, elimina) on
// standard error, and only when standard error is a terminal: one line,
// rewritten in place at most a few times a second and cleared when the
// work ends or before any other message. When standard error is not a
// terminal nothing at all is written, so scripts read only the messages.
#include <QElapsedTimer>
#include <QString>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>

namespace cli {

class Avanzamento {
public:
    // `flusso` is standard error; the line is shown when it is a terminal.
    explicit Avanzamento(std::FILE* flusso = stderr);
    ~Avanzamento();
    Avanzamento(const Avanzamento&) = delete;
    Avanzamento& operator=(const Avanzamento&) = delete;

    bool Attivo() const { return flusso_ != nullptr; }

    // Shows `riga`: at once with `subito`, otherwise only when the line
    // shown last is older than the interval.
    void Mostra(const QString& riga, bool subito = false);
    // For work that reports nothing while it runs (one long statement):
    // `riga` and the seconds elapsed, rewritten by a clock of its own until
    // Cancella.
    void MostraAttesa(const QString& riga);
    // Clears the line.
    void Cancella();

    // Clears the line of the progress alive in the process, if any: the
    // message service calls it before it writes a message.
    static void CancellaRigaAttiva();

    static constexpr int IntervalloMs = 250;

private:
    void Scrivi(const QString& riga); // with mutex_ held
    void FermaOrologio();

    std::FILE* flusso_;
    QElapsedTimer ultima_;
    bool riga_ = false; // a line is on the terminal
    std::mutex mutex_;
    std::condition_variable sveglia_;
    bool ferma_ = false;
    std::thread orologio_;
};

} // namespace cli
