#pragma once
// The matching rules of the find dialog: whether the text s matches the
// text v of a field of a given kind, with the "Parola intera" and
// "Maiuscole/minuscole" options. No widgets: usable wherever rows are
// searched.
#include "tabelle/tipi.h"

#include <QList>
#include <QString>

namespace tabelle {
class TDataSet;
class TField;
}

namespace gridkit {

struct OpzioniRicerca {
    bool parolaIntera = false;       // the whole value, not a part of it
    bool maiuscoleMinuscole = false; // case matters
};

// The searched text as a boolean field is compared with it: "VERO", "SI",
// "YES" become "True", "FALSO" and "NO" "False" (any case).
QString TestoBooleano(const QString& s);

// Whether `tipo` is compared as text (string, boolean and date fields).
bool ConfrontoTestuale(tabelle::TFieldType tipo);

// s against v by the text rules (s already normalised for booleans).
bool CorrispondeTesto(const QString& s, const QString& v, OpzioniRicerca opzioni);

// s against v as numbers: v rounded to four decimals, half to even; a text
// that is not a number never matches, nor does an empty v.
bool CorrispondeNumero(const QString& s, const QString& v);

// The rule of a field: numbers (and times) by CorrispondeNumero, only when
// the field is visible; booleans and strings and dates by the text rules.
bool Corrisponde(tabelle::TFieldType tipo, bool visibile, const QString& s, const QString& v,
                 OpzioniRicerca opzioni);

// The first row (0-based) from `inizio` downwards (giu) or upwards where
// one of the fields, in order, matches s; -1 when none. The values are
// read by row without moving the dataset.
int TrovaRiga(const tabelle::TDataSet& dati, const QList<tabelle::TField*>& campi, const QString& s,
              OpzioniRicerca opzioni, int inizio, bool giu);

} // namespace gridkit
