#include "avanzamento.h"

#include <chrono>
#include <unistd.h>

namespace cli {

namespace {

Avanzamento* attivo = nullptr;

// Wider lines would wrap, and the return to the line's start would no
// longer clear them.
constexpr qsizetype LarghezzaMassima = 79;

} // namespace

Avanzamento::Avanzamento(std::FILE* flusso) : flusso_(flusso && ::isatty(::fileno(flusso)) ? flusso : nullptr)
{
    if (flusso_)
        attivo = this;
}

Avanzamento::~Avanzamento()
{
    Cancella();
    if (attivo == this)
        attivo = nullptr;
}

void Avanzamento::Scrivi(const QString& riga)
{
    // Back to the line's start, the old line erased, the new one written.
    const QByteArray testo = "\r\033[K" + riga.left(LarghezzaMassima).toUtf8();
    std::fwrite(testo.constData(), 1, size_t(testo.size()), flusso_);
    std::fflush(flusso_);
    riga_ = true;
    ultima_.start();
}

void Avanzamento::Mostra(const QString& riga, bool subito)
{
    if (!flusso_)
        return;
    const std::lock_guard blocco(mutex_);
    if (subito || !ultima_.isValid() || ultima_.elapsed() >= IntervalloMs)
        Scrivi(riga);
}

void Avanzamento::MostraAttesa(const QString& riga)
{
    if (!flusso_)
        return;
    FermaOrologio();
    ferma_ = false;
    orologio_ = std::thread([this, riga] {
        QElapsedTimer trascorso;
        trascorso.start();
        std::unique_lock blocco(mutex_);
        do
            Scrivi(QStringLiteral("%1 %2 s").arg(riga).arg(trascorso.elapsed() / 1000));
        while (!sveglia_.wait_for(blocco, std::chrono::milliseconds(IntervalloMs), [this] { return ferma_; }));
    });
}

void Avanzamento::FermaOrologio()
{
    if (!orologio_.joinable())
        return;
    {
        const std::lock_guard blocco(mutex_);
        ferma_ = true;
    }
    sveglia_.notify_all();
    orologio_.join();
}

void Avanzamento::Cancella()
{
    if (!flusso_)
        return;
    FermaOrologio();
    const std::lock_guard blocco(mutex_);
    if (!riga_)
        return;
    std::fputs("\r\033[K", flusso_);
    std::fflush(flusso_);
    riga_ = false;
    ultima_.invalidate();
}

void Avanzamento::CancellaRigaAttiva()
{
    if (attivo)
        attivo->Cancella();
}

} // namespace cli
