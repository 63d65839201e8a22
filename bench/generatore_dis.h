#pragma once
// Realistic distribution series: the ".dis" files of one province as the
// cadastral office delivers them, for the benchmarks, the tests and the
// sample series of the installation. Files are written line by line, so a
// series of any size costs a few kilobytes of memory.
//
// A line has the fixed columns the loader reads (1-4 comune, 5 section,
// 7-10 sheet, 12 attachment, 16-17 point; 19-35 the same for the second
// point; 37-49 protocol, 51-62 distance, 64-75 mean square error), blanks
// elsewhere, and ends with CR LF. Sheets and points are zero-padded
// ("0012", "05"), distances and errors right-aligned with three decimals.
// The rows of a comune are together and the comuni follow in code order;
// each survey (one protocol) measures several distances among a few
// points of one sheet and its neighbours, and the same pair of points
// measured by different surveys gives nearly the same distance.
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <stdexcept>

namespace banco {

struct SerieDis {
    QString sigla;            // province code, e.g. "RI" (written lower-case in file names, as delivered: "ri122601.dis")
    int mese = 12, anno = 26; // release month and two-digit year
    int file = 3;             // number of files in the series, numbered from 1
    qint64 righe = 6000;      // lines in the whole series, split evenly over the files
    QStringList comuni;       // the province's comune codes (4 characters, e.g. "H282")
    quint32 seme = 1;         // the same seed gives the same files, byte for byte
    // A chief town with a share of the rows of its own (per thousand), as a
    // city holds far more surveys than the towns around it; none when empty.
    QString capoluogo;
    int capoluogoPerMille = 0;
};

// A series that cannot be written: bad parameters, a missing or faulty CSV
// source, a folder or file that cannot be written. The text is for the user.
class EGenerazioneDis : public std::runtime_error {
public:
    explicit EGenerazioneDis(const QString& messaggio)
        : std::runtime_error(messaggio.toStdString()), messaggio_(messaggio) {}
    const QString& messaggio() const { return messaggio_; }

private:
    QString messaggio_;
};

// Writes the series into `cartella` (created when missing) and returns the
// paths written, in file-number order. Files of the same names are replaced
// whole (a failed write leaves the earlier file as it was); other files of
// the folder are left alone. Throws EGenerazioneDis.
QStringList GeneraSerie(const QString& cartella, const SerieDis& serie);

// The comune codes (CodiceFiscale, 4 characters) of a province, in code
// order, read from the comuni CSV source (`cartellaCsv`/comuni.csv, as in
// data/ArchivioComuni). Empty for a province with no comuni. Throws
// EGenerazioneDis when the file cannot be read or lacks the columns.
QStringList ComuniDellaProvincia(const QString& cartellaCsv, const QString& sigla);

// The file name of number `numero` of a series: "ri122601.dis".
QString NomeFileDis(const SerieDis& serie, int numero);

} // namespace banco
