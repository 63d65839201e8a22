#pragma once
// The width that fits a column to its data: the widest text of the field
// followed by the letter "A", read with TDataSet::ValoreRiga without
// moving the dataset. Up to RigheMisurateTutte rows every row is measured;
// beyond that a sample: every row in view, the first and last blocks and
// blocks of consecutive rows spread evenly over the dataset, so that a
// national archive of a million rows is measured in a fraction of a second
// and a text wider than the sample shows is still seen where it is looked at.
#include <functional>

class QFontMetrics;
class QString;
class QVariant;

namespace tabelle {
class TDataSet;
class TField;
} // namespace tabelle

namespace gridkit {

inline constexpr int RigheMisurateTutte = 20000;
inline constexpr int RigheBlocco = 64;
inline constexpr int BlocchiCampione = 256;

// `testo` turns a stored value into the text shown; `primaInVista` and
// `ultimaInVista` are the rows in view (-1 for none). 0 for an empty dataset.
int LarghezzaAdattata(const tabelle::TDataSet& dati, const tabelle::TField& campo, const QFontMetrics& metrica,
                      const std::function<QString(const QVariant&)>& testo, int primaInVista = -1, int ultimaInVista = -1);

} // namespace gridkit
