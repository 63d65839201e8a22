#pragma once
// The stored column layout of an enhanced grid: written to and read from
// the registry (HKEY_CURRENT_USER\RegPathName\RegKey) and an ini file
// (section IniKey), each used when both of its names are set. Every
// failure is told to the user through the message service and loses
// nothing: a corrupt registry layout is erased, a corrupt ini layout left.
#include "gridkit/griglia/layoutgriglia.h"

#include <optional>

namespace gridkit {

struct LuoghiLayout {
    QString RegPathName;
    QString RegKey;
    QString IniFileName;
    QString IniKey;
    bool Registro() const { return !RegPathName.isEmpty() && !RegKey.isEmpty(); }
    bool Ini() const { return !IniFileName.isEmpty() && !IniKey.isEmpty(); }
};

class ImpostazioniGriglia {
public:
    explicit ImpostazioniGriglia(const LuoghiLayout& luoghi) : luoghi_(luoghi) {}

    // Writes the layout into every store named. A missing ini file:
    // IniFileName + "--File di inizializzazione inesistente.".
    void Salva(const QList<DescrizioneColonna>& colonne) const;
    // The layout stored, the ini file's over the registry's when both hold
    // one; nullopt when none was read.
    std::optional<QList<DescrizioneColonna>> Leggi() const;

private:
    std::optional<QList<DescrizioneColonna>> LeggiRegistro() const;
    std::optional<QList<DescrizioneColonna>> LeggiIni() const;
    QString MessaggioIniMancante() const;

    LuoghiLayout luoghi_;
};

} // namespace gridkit
