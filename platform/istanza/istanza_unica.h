#pragma once
// The single-instance guard of the program: while an IstanzaUnica holding
// the lock lives, every other one (in this or another process) reports that
// the program is already running. The lock is an exclusive flock on a file
// of the user's runtime folder, so the system releases it when the holder
// dies, however it dies.
#include <QString>

namespace istanza {

class IstanzaUnica {
public:
    // Name of the lock, the same for every copy of the program.
    static constexpr const char* NomeBlocco = "Tratte";

    // Tries to take the lock at once, without waiting. With an empty
    // folder the lock file is "Tratte.lock" in the user's runtime folder,
    // or PercorsoCondiviso() when there is none or it cannot be used;
    // otherwise "Tratte.lock" in the folder given.
    explicit IstanzaUnica(const QString& cartella = QString());
    // Releases the lock, when held.
    ~IstanzaUnica();
    IstanzaUnica(const IstanzaUnica&) = delete;
    IstanzaUnica& operator=(const IstanzaUnica&) = delete;

    // True when another holder had the lock: another copy is running.
    // False when this object holds the lock, and also when the lock file
    // could not be opened at all (the program then runs unguarded, as a
    // failed guard must not keep the program from starting).
    bool GiaInEsecuzione() const { return giaInEsecuzione_; }
    // True when this object holds the lock.
    bool Detiene() const { return descrittore_ >= 0; }
    // Full path of the lock file used (or tried last).
    QString PercorsoBlocco() const { return percorso_; }

    // $XDG_RUNTIME_DIR when it is set to an absolute path of an existing,
    // writable folder; empty otherwise.
    static QString CartellaUtente();
    // The lock file used when no folder is given: "Tratte.lock" in the
    // user's runtime folder; without one, in the temporary folder, which
    // all users share, with the user id added ("Tratte-1000.lock") so that
    // users do not lock out one another.
    static QString PercorsoCondiviso();

private:
    // Opens the file and tries the lock; true when the answer is known
    // (taken, or held by another), false when the file cannot be opened or
    // locked at all.
    bool Prova(const QString& percorso);

    int descrittore_ = -1;
    bool giaInEsecuzione_ = false;
    QString percorso_;
};

} // namespace istanza
