#pragma once
// TRegistry: a key-by-key view of one hive of the registry store, shaped
// like the VCL class. One key at a time is open; a key starting with "\"
// is absolute, any other is relative to the open key (to the root when
// none is open). Every call reads or writes the hive's file, so two
// objects (or two processes) see each other's writes at once.
#include <QString>
#include <QStringList>

namespace registro {

enum class Radice { HKEY_CURRENT_USER, HKEY_CLASSES_ROOT };

class TRegistry {
public:
    explicit TRegistry(Radice radice = Radice::HKEY_CURRENT_USER);

    Radice RootKey() const { return radice_; }
    // Changing the root closes the open key.
    void SetRootKey(Radice radice);

    // Opens the key, creating it (and its missing ancestors) when
    // creaSeManca is true. False when the key is missing and not created;
    // the open key is then unchanged.
    bool OpenKey(const QString& chiave, bool creaSeManca);
    // As OpenKey without creation; writes into the key then throw.
    bool OpenKeyReadOnly(const QString& chiave);
    void CloseKey();
    bool KeyExists(const QString& chiave) const;
    // Deletes the key with all its subkeys; false when it does not exist.
    // The root cannot be deleted.
    bool DeleteKey(const QString& chiave);

    // Values of the open key (of the root when none is open); an empty
    // name is the key's default value.
    bool ValueExists(const QString& nome) const;
    bool DeleteValue(const QString& nome);
    // Empty when the value is missing; a dword value reads as decimal text.
    QString ReadString(const QString& nome) const;
    // Throws ERegistryException when the hive cannot be written, when the
    // key was opened read-only or has been deleted since it was opened.
    void WriteString(const QString& nome, const QString& valore);

    QStringList GetKeyNames() const;
    QStringList GetValueNames() const;
    // The open key as it is spelled in the hive, without a leading "\";
    // empty when none is open.
    QString CurrentPath() const { return corrente_; }

private:
    QString risolvi(const QString& chiave) const;
    bool apri(const QString& chiave, bool creaSeManca, bool solaLettura);

    Radice radice_;
    bool solaLettura_ = false;
    QString corrente_; // the open key; empty for the root or when none is open
};

} // namespace registro
