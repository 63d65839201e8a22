#pragma once
// The registry store's one exception type: a hive that cannot be read or
// written, or a write into a key that does not allow it. The Italian text
// names the file or the key.
#include <QString>
#include <stdexcept>

namespace registro {

class ERegistryException : public std::runtime_error {
public:
    explicit ERegistryException(const QString& messaggio)
        : std::runtime_error(messaggio.toStdString()), messaggio_(messaggio) {}
    const QString& messaggio() const { return messaggio_; }

private:
    QString messaggio_;
};

} // namespace registro
