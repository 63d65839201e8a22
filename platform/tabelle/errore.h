#pragma once
// The one exception type of the table engine: it carries the engine's text,
// which names the table and says what went wrong.
#include <QString>
#include <stdexcept>

namespace tabelle {

class EDBEngineError : public std::runtime_error {
public:
    explicit EDBEngineError(const QString& messaggio, int codice = 0, const QString& causa = QString())
        : std::runtime_error(messaggio.toStdString()), messaggio_(messaggio), codice_(codice), causa_(causa) {}
    const QString& messaggio() const { return messaggio_; }
    // The storage's result code and text behind the error (0 and empty
    // when the error is the engine's own), so that a caller can restate it.
    int codice() const { return codice_; }
    const QString& causa() const { return causa_; }

private:
    QString messaggio_;
    int codice_;
    QString causa_;
};

} // namespace tabelle
