#pragma once
// A report file read into memory: page, table, header, columns, groups
// and footer (the format is described in FORMATO.md).
#include <QList>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <stdexcept>

namespace orvo {

// A report file that cannot be read: the text names the file and the line.
class ErroreRapporto : public std::runtime_error {
public:
    explicit ErroreRapporto(const QString& testo) : std::runtime_error(testo.toStdString()), testo_(testo) {}
    const QString& testo() const { return testo_; }

private:
    QString testo_;
};

enum class Allineamento { Sinistra, Destra, Centro };

struct Colonna {
    QString campo;
    QString titolo;
    double larghezza = 0; // mm
    Allineamento allineamento = Allineamento::Sinistra;
    int decimali = -1;    // -1: the value as stored
};

struct Gruppo {
    QString campo;        // as written: "{StampaTratte.Distanza}"
    bool discendente = false;
    // The field's name without table and braces.
    QString NomeCampo() const;
};

struct Rapporto {
    QString file;          // the report file's path
    QString titolo;
    QPageSize::PageSizeId pagina = QPageSize::A4;
    QPageLayout::Orientation orientamento = QPageLayout::Portrait;
    double margini[4] = {10, 10, 10, 10}; // left, top, right, bottom, mm
    QString carattere = QStringLiteral("DejaVu Sans");
    double dimensione = 8;
    double altezzaRiga = 4.5;
    QString tabella;
    QString password;
    QString intestazione;
    QString data;
    QList<Colonna> colonne;
    QList<Gruppo> gruppi;
    QString piede = QStringLiteral("Pagina {pagina} di {pagine}");

    // The print table's path: the table beside the report file.
    QString PercorsoTabella() const;
};

// Reads a report file; throws ErroreRapporto.
Rapporto LeggiRapporto(const QString& percorso);
// Reads the text of a report file (`nome` names it in the errors).
Rapporto LeggiTestoRapporto(const QString& testo, const QString& nome);

} // namespace orvo
