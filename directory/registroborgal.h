#pragma once
// Where the municipality archive's tables are: full paths read from the
// current user's registry, key "\Software\QUINTOR\COMMON\BORGAL\", subkey
// "Archivi". Each reader opens the key afresh (creating it when missing),
// reads its one value and closes it: nothing is cached, so a change made
// by an installer or another program is seen at the next call. A missing
// value gives the default, a bare file name (resolved against the current
// folder by the table engine).
#include <QString>

namespace borgal {

inline constexpr char ChiaveRegistroBorgal[] = "\\Software\\QUINTOR\\COMMON\\BORGAL\\";
inline constexpr char SezioneArchivi[] = "Archivi";

// Value FileNameArchivioComuni, default "KWARCHIVIOCOMUNI.DB".
QString LeggiFileArchivioComuni();
// Value FileNameArchivioStatiEsteri, default "KWEsteri.db".
QString LeggiFileArchivioStati();
// Value FileNameArchivioProvince, default "KWProvince.db".
QString LeggiFileArchivioProvince();

} // namespace borgal
