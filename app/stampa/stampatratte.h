#pragma once
// The printing of what the main window shows, without windows: the print
// table made as an exact copy of the displayed rows and protected, the
// report and its title, the printer of the system's set-up, the grid's
// order carried into the report's first group, and the output. The main
// window's StampaBtClick and tratte-cli stampa both go through it.
#include "app/stampa/torvo.h"
#include "app/stampa/zrdynamic.h"

#include <QString>

class QPrinter;

namespace tabelle {
class TDataSet;
class TSession;
} // namespace tabelle

namespace tratte {

// The report window's title.
inline const QString TitoloStampa = QStringLiteral("Stampa archivio delle tratte tra PF");
inline const QString TestoIntervalloErrato = QStringLiteral("Intervallo di pagine errato");

// The view printed: the archive, or the survey-book results.
enum class TVistaStampa { Archivio, Libretto };

class TStampaTratte {
public:
    TStampaTratte(TOrvo& orvo, const QString& cartellaProgramma, tabelle::TSession& sessione);

    // Steps 4 to 6: the report, its window title, and the print table
    // made anew from the rows of `sorgente` (its query, filter and order)
    // and given the table password.
    void PreparaTabella(tabelle::TDataSet& sorgente, TVistaStampa vista);
    // Step 7: the report's printer replaced by the one of the set-up.
    void ImpostaStampante(const QPrinter& stampante);
    // The grid's sort column and direction into the report's first group;
    // without a column the report keeps its own grouping.
    void OrdinaReport(const QString& campoOrdine, bool discendente);
    // The range check of StampaOAnteprima: a first page after the last.
    static bool IntervalloErrato(bool tutteLePagine, int primaPagina, int ultimaPagina);
    // Output to the printer: copies (at most 65535) and the pages (all, or
    // the range); the range must have been checked.
    void Stampa(int copie, bool tutteLePagine, int primaPagina, int ultimaPagina);

    QString NomeReport() const { return nomeReport_; }
    QString TabellaStampa() const { return tabellaStampa_; }
    QString PrefissoCampi() const { return prefisso_; }
    int RigheCopiate() const { return righe_; }

private:
    TOrvo& orvo_;
    QString cartellaDati_;
    tabelle::TSession& sessione_;
    QString nomeReport_, tabellaStampa_, prefisso_;
    int righe_ = 0;
};

// The device mode of a Qt printer, as the engine takes it.
TOrvoStampante StampanteDi(const QPrinter& stampante);

} // namespace tratte
