#pragma once
// The content of the directory archive folder, read from its CSV sources
// (comuni.csv, sezioni.csv, esteri.csv, province.csv, nuoveprovince.csv)
// and checked against the rules the program relies on: widths, upper-case
// names, 4-character codes, unique cadastral codes, provinces that exist,
// regions that agree with the province table, province names that are
// found as comuni of their own province.
#include "sorgenticsv.h"

#include <QList>
#include <QString>

namespace archiviocomuni {

// One row of KWArchivioComuni.db.
struct TComune {
    QString Provincia;
    QString NomeComune;
    QString Regione;
    QString CAP;
    QString PrefissoTelefonico;
    QString CodiceFiscale;   // the comune's 4-character code
    QString CodiceCatastale; // the same, plus the section letter in a section record
};

// One row of KWEsteri.db.
struct TStato {
    QString NomeStato;
    QString CodiceFiscale;
    QString CodiceCatastale;
};

// One province: a row of Province.db (Sigla, Nome, CodProv) and of
// KWProvince.db (Sigla, Regione).
struct TProvincia {
    QString Sigla;
    QString Nome; // the chief town's comune name
    QString CodProv;
    QString Regione;
};

// One row of ZRNuoveProvince.db.
struct TComuneSpostato {
    QString NomeComune;
    QString VecchiaProvincia;
    QString NuovaProvincia;
};

struct TDatiArchivio {
    // In table order: each section record right after its comune.
    QList<TComune> comuni;
    QList<TStato> stati;
    QList<TProvincia> province;
    QList<TComuneSpostato> nuoveProvince;
};

// Widths of the stored columns.
namespace larghezza {
inline constexpr int Provincia = 2;
inline constexpr int NomeComune = 40;
inline constexpr int Regione = 25;
inline constexpr int CAP = 5;
inline constexpr int PrefissoTelefonico = 4;
inline constexpr int Codice = 5;
inline constexpr int NomeStato = 40;
inline constexpr int NomeProvincia = 20;
inline constexpr int CodProv = 2;
} // namespace larghezza

// Reads and checks the five sources of `cartella`; throws
// ESorgenteNonValida at the first fault.
TDatiArchivio LeggiDatiArchivio(const QString& cartella);

} // namespace archiviocomuni
