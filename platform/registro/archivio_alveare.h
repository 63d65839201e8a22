#pragma once
// Internal to the registry store: the file of one hive. Every read loads
// the file afresh (no cache, so another object or process sees each write
// at once); every change is made under a lock file, on a fresh load, and
// replaces the file atomically. A file with unreadable lines is copied to
// "<file>.bak" before it is first rewritten, so those lines are not lost.
#include "registro/alveare.h"

#include <QString>
#include <functional>

namespace registro {

enum class Radice;

class ArchivioAlveare {
public:
    explicit ArchivioAlveare(Radice radice);

    // The store's folder: $TRATTE_REGISTRO, else $XDG_CONFIG_HOME/quintor-registro,
    // else ~/.config/quintor-registro. Read anew on every call.
    static QString cartella();
    // The folder of the machine's hives, read under the user's classes
    // hive (what the package registers for every user):
    // $TRATTE_REGISTRO_MACCHINA, else none when $TRATTE_REGISTRO chooses
    // the store, else the first of $XDG_CONFIG_DIRS (default /etc/xdg)
    // followed by quintor-registro. Read anew on every call.
    static QString cartellaMacchina();
    static QString nomeRadice(Radice radice);

    QString percorsoFile() const;

    // A missing file is an empty hive; an unreadable one throws ERegistryException.
    // The classes hive is the machine's with the user's keys and values
    // over it; changes are made to the user's alone.
    Alveare leggi() const;
    // Loads the hive, applies cambia and, when it returns true, writes the
    // hive back. Throws ERegistryException when the file cannot be written;
    // the file then keeps its previous content.
    void modifica(const std::function<bool(Alveare&)>& cambia) const;

private:
    Radice radice_;
};

} // namespace registro
