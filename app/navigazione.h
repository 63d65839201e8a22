#pragma once
// TNavigazione: the archive view of a province and a comune, without widgets.
// It builds the comune list of a province and places the filter of the
// chosen comune on the archive table; the main window and tratte-cli use it.
#include "gridkit/tabella/newtable.h"
#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace tratte {

inline const QString TutteLeProvince = QStringLiteral("Tutte le province");
inline const QString TuttiIComuni = QStringLiteral("Tutti i Comuni");

// The columns of the archive grid, in their order.
inline const QStringList ColonneGriglia{"ComunePF1", "SezionePF1", "FoglioPF1", "AllegatoPF1", "PF1",
                                        "ComunePF2", "SezionePF2", "FoglioPF2", "AllegatoPF2", "PF2",
                                        "Protocollo", "Distanza", "ScartoQMedio"};

// What a directory lookup gives back.
struct DatiComune {
    QString CodiceCatastale, CodiceFiscale, Provincia, NomeComune;
};

class TNavigazione {
public:
    // A directory lookup of a comune name, code or province name; false
    // when the directory does not know it (the values are then empty).
    using Risolutore = std::function<bool(const QString& testo, DatiComune& valori)>;

    // `prv` is PRV.DB; `comuni` the query on the comuni archive (parameters
    // CodiceFiscale, CodiceCatastale, Provincia, NomeComune); `vecchiComuni`
    // the query on ZRNuoveProvince.db (parameter sigla). All closed.
    TNavigazione(Risolutore risolutore, tabelle::TTable& prv, tabelle::TQuery& comuni, tabelle::TQuery& vecchiComuni);

    // The statements of the two queries, in the directory archive folder.
    static QStringList TestoQueryComuni();
    // The condition line, after a WHERE on the comuni archive aliased com,
    // that keeps its live records: no header row, none deleted (CodOp "D...").
    static QString ComuniVivi();
    static QStringList TestoQueryVecchiComuni();

    // The lookup values left by the last lookup.
    DatiComune Valori;

    // The comune list for a province text ("Tutte le province" for all):
    // "Tutti i Comuni", the comuni, then those moved to a new province.
    QStringList ComuniDi(const QString& provincia, const QString& cartellaArchivioComuni);
    // The comuni of the comuni archive whose Provincia is `sigla`, in the
    // query's order (none for an empty code).
    QStringList ComuniDellaProvincia(const QString& sigla);
    QStringList ComuniMigrati(const QString& sigla);

    enum class Vista { Tutto, Provincia, Comune };
    // Filters the archive table on a comune text that is an item of the
    // province's list (already completed), and opens it.
    Vista Filtra(gridkit::TNewTable& tabella, const QString& provincia, const QString& comune);

    // The first of the items that begins with the text (case-blind), -1 when none.
    static int PrimoCheIniziaCon(const QStringList& voci, const QString& testo);
    static bool TraLeVoci(const QStringList& voci, const QString& testo);

private:
    bool Risolvi(const QString& testo) { return risolutore_(testo, Valori); }
    void FiltraProvincia(gridkit::TNewTable& tabella, const QString& provincia);
    // The CODEPRV of the PRV.DB row named `provincia` (case-blind); empty when none.
    QString CodiceInPrv(const QString& provincia);
    Risolutore risolutore_;
    tabelle::TTable& prv_;
    tabelle::TQuery& comuni_;
    tabelle::TQuery& vecchiComuni_;
};

} // namespace tratte
