#pragma once
// The debug log of the component's objects: when it is switched on in the
// registry, each creation and destruction of an object shows a message box
// with the class name and/or appends a line to a text file. The switch is
// read once, when the library is loaded (see caricamento.h).
//
// Registry: current user, key "SOFTWARE\QUINTOR\Common", subkey
// "VTRCOMDBG": Activate ("1" switches it on), CreateFileName and
// DestroyFileName (the files of the lines), Action (decimal bit mask:
// 1 = message box, 2 = line in the file).
#include <QDateTime>
#include <QString>

namespace borgal {

inline constexpr char TitoloCreazione[] = "+++  CREAZIONE  +++";
inline constexpr char TitoloDistruzione[] = "--- DISTRUZIONE ---";
inline constexpr char EtichettaCreazione[] = "+C+";
inline constexpr char EtichettaDistruzione[] = "-D-";

enum AzioneLogDebug { azMessaggio = 1, azRiga = 2 };

struct ImpostazioniLogDebug {
    bool attivo = false;
    QString fileCreazione;
    QString fileDistruzione;
    int azioni = 0;

    // The values of the registry. An Action that is not a whole number
    // counts as 0 (no action), with a warning.
    static ImpostazioniLogDebug Leggi();
};

// One line of the log: tag, date and time (dd/MM/yyyy hh:mm:ss), a colon,
// the class name and the host program in square brackets.
QString RigaLogDebug(const QString& etichetta, const QDateTime& quando, const QString& classe, const QString& programma);

// Writes the log as the settings say.
class LogDebug {
public:
    LogDebug() = default;
    explicit LogDebug(ImpostazioniLogDebug impostazioni) : impostazioni_(std::move(impostazioni)) {}

    void Creazione(const QString& classe) const;
    void Distruzione(const QString& classe) const;
    const ImpostazioniLogDebug& Impostazioni() const { return impostazioni_; }

private:
    void Scrivi(const QString& titolo, const QString& etichetta, const QString& file, const QString& classe) const;

    ImpostazioniLogDebug impostazioni_;
};

} // namespace borgal
