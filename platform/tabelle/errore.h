#pragma once
// The one exception type of the table engine: it carries the engine's text,
// which names the table and says what went wrong.
#include <QString>
#include <stdexcept>

namespace tabelle {

class EDBEngineError : public std::runtime_error {
public:
    explicit EDBEngineError(const QString& messaggio)
        : std::runtime_error(messaggio.toStdString()), messaggio_(messaggio) {}
    const QString& messaggio() const { return messaggio_; }

private:
    QString messaggio_;
};

} // namespace tabelle
