#pragma once
// Internal to the registry store: one hive held in memory, its keys and
// their values. No files here (see archivio_alveare.h and formato_reg.h).
//
// A key path is a list of names separated by backslashes; empty names
// (leading, repeated or trailing backslashes) are dropped, and paths
// compare without regard to case. A key keeps the spelling with which it
// was first created; the root is the empty path and always exists.
#include <QList>
#include <QString>
#include <QStringList>
#include <map>

namespace registro {

struct ValoreReg {
    enum class Tipo {
        Stringa, // REG_SZ: dato is the text
        Dword,   // REG_DWORD: dato is the number as decimal text
        Altro    // any other type: dato is the right-hand side as read, kept verbatim
    };
    QString nome; // empty for the default value ("@")
    Tipo tipo = Tipo::Stringa;
    QString dato;
};

struct ChiaveReg {
    QString percorso; // names joined by "\", as first created; empty for the root
    QList<ValoreReg> valori;

    const ValoreReg* valore(const QString& nome) const;
    // Sets a string value; a value of another type with that name is replaced.
    void imposta(const QString& nome, const QString& testo);
    bool rimuovi(const QString& nome);
};

class Alveare {
public:
    Alveare();

    // The non-empty names of a path.
    static QStringList nomi(const QString& percorso);

    const ChiaveReg* trova(const QString& percorso) const;
    ChiaveReg* trova(const QString& percorso);
    // Creates the key and its missing ancestors; an existing key is returned
    // as it is.
    ChiaveReg& crea(const QString& percorso);
    // Removes the key with all its subkeys; false for a missing key or the root.
    bool elimina(const QString& percorso);
    // Names of the direct subkeys, as spelled when created.
    QStringList sottochiavi(const QString& percorso) const;

    // Every key, parents before their children.
    const std::map<QString, ChiaveReg>& chiavi() const { return chiavi_; }

private:
    static QString indice(const QStringList& nomi);
    std::map<QString, ChiaveReg> chiavi_; // by case-folded path
};

} // namespace registro
