#pragma once
// The synthetic national archive the benchmarks run on: 1,000,000 rows
// shaped like the real ones (4-character comune codes, 2,000 rows a
// comune, sheets, points, 13-character protocols, distances), written
// through the program's own data store into an encrypted Tratte.db, the
// same rows without the password, and in a plain SQLite file.
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace banco {

inline constexpr int Righe = 1000000;
inline constexpr int RighePerComune = 2000;
inline constexpr int Ripetizioni = 7;

QString Comune(int riga);
QString Provincia(int riga);

// Builds the data in `cartella` unless already there: `cartella`/Tratte
// (program folder, encrypted archive), /TratteInChiaro, /base.db.
void PreparaDati(const QString& cartella);

// Median over Ripetizioni runs after one warm-up, in milliseconds.
double Misura(const std::function<void()>& f);
double Mediana(std::vector<double> v);
// "VmRSS:" or "VmHWM:" of the process, in kB.
long MemoriaResidenteKb(const char* voce);

// The national archive: 5,000,000 rows over the comuni of ten provinces
// of the delivered comuni archive, each row's two points in one comune,
// the provinces loaded in PRV.DB under their chief towns' names; built in
// `cartella`/Tratte (program folder) with an indexed plain copy in
// `cartella`/base.db, unless already there.
inline constexpr int RigheNazionali = 5000000;
extern const QStringList SigleNazionali;
struct ComuneSintetico {
    QString codice, nome, provincia;
};
QList<ComuneSintetico> ComuniDelleProvince(const QString& archivioComuni);
void PreparaArchivioNazionale(const QString& cartella, const QString& archivioComuni);

} // namespace banco
