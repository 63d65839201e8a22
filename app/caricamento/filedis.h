#pragma once
// The distribution files of the archive (".dis"): the name, which says the
// province, the release and the file's number in its series, and the
// fixed-column lines, one distance a line, read one at a time so that a
// file of any size is never held in memory whole.
#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <optional>
#include <stdexcept>

namespace tratte {

// A distribution file that cannot be used: the text names the file, and
// for a line that does not convert, the line number and the field.
class EErroreFileDis : public std::runtime_error {
public:
    explicit EErroreFileDis(const QString& messaggio) : std::runtime_error(messaggio.toStdString()), messaggio_(messaggio) {}
    const QString& messaggio() const { return messaggio_; }

private:
    QString messaggio_;
};

// Nominal length of a line, line end included, by which the progress of a
// file is measured.
inline constexpr int LunghezzaNominaleRiga = 68;

// The machine's date separator (that of its short date form).
QChar SeparatoreData();

// What a file name says.
struct NomeFileDis {
    QString Provincia;         // characters 1-2, upper case
    QString DataDistribuzione; // characters 5-6, the date separator, 3-4
    int Numero = 0;            // characters 7-8
};

// Reads a file name (a folder before it is ignored). A name shorter than
// eight characters before its extension, or whose characters 7-8 are not a
// number, throws EErroreFileDis naming the file.
NomeFileDis LeggiNomeFileDis(const QString& nomeFile, QChar separatore = SeparatoreData());

// The name of the next file of a series: sets the province code, the file
// number and the release from it, and returns true when the code is the
// one `codice` held before (the first file of a series has none).
bool LeggiNomeFile(const QString& nomeFile, QString& codice, int& numero, QString& dataDistribuzione);

// The text of the files is Windows text, code page 1252: a byte above 127
// is a letter such as "à" or a sign such as "°".
QString DecodificaWindows1252(QByteArrayView testo);

// The fields of one line, in the order of the archive's columns. Alpha
// fields hold the column in UTF-8, blanks kept (the storage trims them):
// they point into the line, or into the row's own buffer when the column
// has characters beyond ASCII. A number that the line does not reach is
// empty.
struct RigaDis {
    struct Testo {
        const char* dati = nullptr;
        int lunghezza = 0;
    };
    Testo ComunePF1, SezionePF1, AllegatoPF1, ComunePF2, SezionePF2, AllegatoPF2, Protocollo;
    std::optional<qint64> FoglioPF1, PF1, FoglioPF2, PF2;
    std::optional<double> Distanza, ScartoQMedio;
    // The UTF-8 text of the alpha columns that needed converting.
    QByteArray Utf8[7];
};

// Converts a line by its columns. A number column that holds anything but
// a number (blanks around it allowed) throws EErroreFileDis naming the
// file, the line and the field.
void ConvertiRigaDis(QByteArrayView riga, RigaDis& campi, const QString& nomeFile, qint64 numeroRiga);

// Reads a file line by line; a line ends at CR, LF or CR LF.
class LettoreDis {
public:
    // Throws EErroreFileDis when the file cannot be opened.
    explicit LettoreDis(const QString& percorso);
    qint64 Dimensione() const { return file_.size(); }
    // The next line, without its end; false at the end of the file. The
    // view stays valid until the next call.
    bool Prossima(QByteArrayView& riga);
    // Number of the last line given, from 1.
    qint64 NumeroRiga() const { return numero_; }
    QString NomeFile() const;

private:
    bool Riempi();
    QFile file_;
    QByteArray dati_;
    qsizetype inizio_ = 0;
    bool fine_ = false;
    bool dopoCR_ = false;
    qint64 numero_ = 0;
};

} // namespace tratte
