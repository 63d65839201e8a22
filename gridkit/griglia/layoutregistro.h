#pragma once
// ArchivioLayoutRegistro: a grid layout kept in the registry store as the
// values "HEX1", "HEX2", ... of the key
// HKEY_CURRENT_USER\ + regPathName + \ + regKey. Errors of the registry
// store (registro::ERegistryException) pass through.
#include <QByteArray>
#include <QString>
#include <optional>

namespace gridkit {

class ArchivioLayoutRegistro {
public:
    ArchivioLayoutRegistro(const QString& regPathName, const QString& regKey);
    // Writes HEX1..HEXn (see PezziDaScrivere); values beyond the last
    // written are left as they are.
    void Scrivi(const QByteArray& flusso);
    // Reads HEX1, HEX2, ... until a value is missing or shorter than 64
    // characters (that one included). Empty when nothing is stored; nullopt
    // when what is stored is not hex.
    std::optional<QByteArray> Leggi() const;
    // Erases the whole key regKey (below regPathName); nothing when regKey
    // names no key.
    void Cancella();

private:
    QString chiave_; // absolute path of the key
    bool chiaveVuota_;
};

} // namespace gridkit
