#pragma once
// TClipFile: the clipboard of the grids, kept in a text file in the user's
// temporary folder and found through the registry, so that rows copied in
// one grid can be pasted into any grid, of this run of the program or of
// another, whose stored table has a matching structure.
//
// The file is UTF-8 text (the same bytes on every machine), lines ended by
// CR LF:
//   NOMETABELLA=<table name, or QUERYSQL for a dataset that is not a plain table>
//   <empty>
//   [FIELDSINFO]
//   per field: its type code in decimal, then its description in
//              upper-case hexadecimal, two digits a byte
//   <empty>
//   NUMERORECORDS=<number of records>
//   <empty>
//   DATA=<copy date DD/MM/YYYY>
//   <empty>
//   [DATI]
//   per record: each described field's text followed by a tab
// Blob-like fields are not described. A text value keeps its characters
// except tabs and line breaks, which would break the record apart: they
// are written as blanks.
#include "gridkit/griglia/newdbgridopzioni.h"
#include "tabelle/tipi.h"

#include <QFile>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace tabelle {
class TDataSet;
class TTable;
} // namespace tabelle

namespace gridkit {

// Where this copy of the library is built in: each has a clipboard of its own.
enum class SedeLibreria { Programma, Directory };
void ImpostaSedeLibreria(SedeLibreria sede);
// The registry key (current user) of a clipboard format's file location.
QString ChiaveClipboard(const QString& formato);

// The format of the grids' clipboard.
inline const QString FormatoQuery = QStringLiteral("CF_QUERY");

// A described field, as copied.
struct DescrizioneCampo {
    tabelle::TFieldType tipo = tabelle::TFieldType::ftUnknown;
    QString nome;
    QString componente;
    int dimensione = 0;
    bool richiesto = false;

    // The bytes of the hexadecimal line, and back (nothing when not one).
    QByteArray Serializza() const;
    static std::optional<DescrizioneCampo> Deserializza(tabelle::TFieldType tipo, const QByteArray& dati);
};

class TClipFile {
public:
    // After each pasted row: the table on it and the rows written so far.
    using EventoRigaIncollata = std::function<void(tabelle::TTable& tabella, int scritte)>;

    TClipFile();
    ~TClipFile();
    TClipFile(const TClipFile&) = delete;
    TClipFile& operator=(const TClipFile&) = delete;

    // Opens the clipboard of the format: the registered file, its header
    // read; a new empty file in the temporary folder when none is there.
    void Apri(const QString& formato);
    bool Aperto() const { return file_.isOpen(); }
    const QString& Percorso() const { return percorso_; }

    // Writes the dataset's current row as the content.
    void CopiaRecord(const tabelle::TDataSet& dati);
    // Writes the rows (0-based, in that order); without rows, those from
    // the current one to the end.
    void CopiaSelezione(const QList<int>* righe, const tabelle::TDataSet& dati);

    // Whether every described field is in the table with its type and size.
    bool Compatibile(tabelle::TTable& tabella);
    // Appends the records to the table, then makes the content ready to be
    // pasted again.
    void Incolla(tabelle::TTable& tabella);

    int NumeroRecords() const { return numeroRecords_; }
    const QString& NomeTabella() const { return nomeTabella_; }
    const QList<DescrizioneCampo>& Campi() const { return campi_; }

    TNewGridBeforeIncolla OnBeforeincolla;
    EventoRigaIncollata OnRigaIncollata;

private:
    void Chiudi();
    void ApriInLettura();
    void LeggiIntestazione();
    void Scrivi(const tabelle::TDataSet& dati, const QList<int>& righe);

    QString percorso_;
    QFile file_;
    QList<DescrizioneCampo> campi_;
    int numeroRecords_ = 0;
    QString nomeTabella_;
};

} // namespace gridkit
