#pragma once
// TRicercaPF: the search among a list of fiducial points, without widgets.
// It keeps the point list in the work table RicerchePF.db, builds the pair
// table Combinazioni.db, writes the condition lines of the search and places
// them on the archive table. The point-list windows, the main window and
// tratte-cli share it.
#include "gridkit/tabella/newtable.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tratte {

inline const QString TabellaRicerchePF = QStringLiteral("RicerchePF.db");
inline const QString TabellaCombinazioni = QStringLiteral("Combinazioni.db");
// The extra FROM term of a search among several points.
inline const QString TermineCombinazioni = QStringLiteral("Combinazioni C");

// The key of a fiducial point; an empty Sezione or Allegato is a null field.
struct PuntoFiduciale {
    QString Comune;
    QString Sezione;
    int Foglio = 0;
    QString Allegato;
    int PF = 0;
    friend bool operator==(const PuntoFiduciale&, const PuntoFiduciale&) = default;
};

class TRicercaPF {
public:
    // A text between single quotes, its own quotes doubled.
    static QString Letterale(const QString& valore);

    // The condition lines of a one-point search: every distance with the
    // point at either end.
    static QStringList CondizioniUnPunto(const PuntoFiduciale& punto);
    // The condition lines of a search among several points: the comuni of
    // the points, then the join with the pair table "Combinazioni C".
    static QStringList CondizioniPiuPunti(const QList<PuntoFiduciale>& punti);

    // "COMUNE,SEZIONE,FOGLIO,ALLEGATO,PF" (section and attachment may be
    // empty); nothing when the text is not such a point.
    static std::optional<PuntoFiduciale> LeggiPunto(const QString& testo);

    // The rows of a table on RicerchePF.db, in its current order; the
    // table stays on the row it was on.
    static QList<PuntoFiduciale> Punti(tabelle::TTable& ricerche);
    // Writes the point into the current (edited or inserted) row.
    static void ScriviPunto(tabelle::TDataSet& tabella, const PuntoFiduciale& punto);

    // Rebuilds Combinazioni.db from RicerchePF.db, both in `database`:
    // every ordered pair of distinct rows. Returns the number of pairs.
    static int CreaCombinazioni(tabelle::TSession& sessione, const QString& database);
    // The same pairs of `punti` (distinct points, in their order), without
    // the point list: a search from the command line leaves the list the
    // user keeps in the window as it is.
    static int CreaCombinazioni(tabelle::TSession& sessione, const QString& database, const QList<PuntoFiduciale>& punti);

    // Prepares the archive table for the search (closes it, sets filters,
    // extra tables, conditions and sort fields); the caller then reopens it
    // with Riapri. One point: its condition lines; several: the pair join.
    static void ImpostaRicerca(gridkit::TNewTable& tabella, const QList<PuntoFiduciale>& punti);
    static void ImpostaRicercaUnPunto(gridkit::TNewTable& tabella, const QStringList& condizioni);
    static void ImpostaRicercaPiuPunti(gridkit::TNewTable& tabella, const QList<PuntoFiduciale>& punti);

    // Throws the engine's error, with a text that says what to do, when the
    // data folder lacks one of the two delivered work tables.
    static void VerificaTabelleLavoro(const QString& cartellaDati);
    // Writes the two empty work tables into `cartella`, protected with the
    // table password (the build makes the delivered ones with it).
    static void CreaTabelleLavoro(tabelle::TSession& sessione, const QString& cartella);
    // Writes the empty pair table into `cartella`, protected the same way,
    // in place of the file there (a search makes it anew when it is
    // damaged).
    static void CreaTabellaCombinazioni(tabelle::TSession& sessione, const QString& cartella);
};

} // namespace tratte
