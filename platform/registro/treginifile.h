#pragma once
// TRegIniFile: the ini-file style view of the registry through which the
// program keeps its settings: a key path, a section (a subkey of that path;
// an empty section is the key itself) and a value name. Every value is
// stored as a string; a missing section or value reads as the default.
#include "registro/tregistry.h"

#include <QString>
#include <QStringList>

namespace registro {

class TRegIniFile {
public:
    // Creates the key when it is missing (and so may throw ERegistryException).
    explicit TRegIniFile(const QString& percorsoChiave, Radice radice = Radice::HKEY_CURRENT_USER);

    QString ReadString(const QString& sezione, const QString& nome, const QString& predefinito) const;
    void WriteString(const QString& sezione, const QString& nome, const QString& valore);
    // Text that is not a whole number reads as the default.
    int ReadInteger(const QString& sezione, const QString& nome, int predefinito) const;
    void WriteInteger(const QString& sezione, const QString& nome, int valore);
    // Read as an integer (with the default for text that is not a number);
    // any non-zero number is true. Written as "0" or "1".
    bool ReadBool(const QString& sezione, const QString& nome, bool predefinito) const;
    void WriteBool(const QString& sezione, const QString& nome, bool valore);

    bool ValueExists(const QString& sezione, const QString& nome) const;
    bool SectionExists(const QString& sezione) const;
    // Deletes one value.
    void DeleteKey(const QString& sezione, const QString& nome);
    // Deletes the section's subkey with everything under it. An empty
    // section erases nothing: the key itself is not erased this way.
    void EraseSection(const QString& sezione);
    // Names of the subkeys of the key.
    QStringList ReadSections() const;
    // Names of the values of a section.
    QStringList ReadSection(const QString& sezione) const;

    QString FileName() const { return chiave_; }

private:
    QString percorso(const QString& sezione) const;

    QString chiave_;
    Radice radice_;
};

} // namespace registro
