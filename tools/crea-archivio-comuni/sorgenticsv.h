#pragma once
// The CSV sources of the comuni archive as text tables: UTF-8, ";" between
// fields, no quoting, a header line naming the columns. A faulty file
// raises ESorgenteNonValida, whose text names the file and the line.
#include <QList>
#include <QString>
#include <QStringList>
#include <stdexcept>

namespace archiviocomuni {

class ESorgenteNonValida : public std::runtime_error {
public:
    explicit ESorgenteNonValida(const QString& messaggio)
        : std::runtime_error(messaggio.toStdString()), messaggio_(messaggio) {}
    const QString& messaggio() const { return messaggio_; }

private:
    QString messaggio_;
};

// One data line of a source: its fields, trimmed, in the header's order.
struct TRigaCsv {
    int numero = 0; // line number in the file, the header being line 1
    QStringList campi;
};

// A source file read whole.
class TSorgenteCsv {
public:
    // Reads `percorso`; its header must list exactly `colonne`, in order.
    TSorgenteCsv(const QString& percorso, const QStringList& colonne);

    const QString& nomeFile() const { return nomeFile_; }
    const QList<TRigaCsv>& righe() const { return righe_; }
    // The field of `riga` under `colonna` (one of the header's names).
    const QString& campo(const TRigaCsv& riga, const QString& colonna) const;

    // An error about one line of this file ("comuni.csv, riga 12: ...").
    [[noreturn]] void Errore(const TRigaCsv& riga, const QString& testo) const;

private:
    QString nomeFile_;
    QStringList colonne_;
    QList<TRigaCsv> righe_;
};

} // namespace archiviocomuni
