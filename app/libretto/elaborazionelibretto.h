#pragma once
// TElaborazioneLibretto: the survey-book search without windows. It lists
// the books processed correctly of a folder, reads a book's fiducial
// points and distances through the VTRPregeoManager component, keeps the
// points of loaded provinces in the point work table, finds the archived
// distances among them with the pair search of the point list, and writes
// one result row per archived distance, with the book's distance and the
// verdicts of the three zones, into the results table. The book-list
// dialog TZRElencoLbp and tratte-cli share it.
#include "app/navigazione.h"
#include "directory/interfacce.h"
#include "gridkit/tabella/newtable.h"
#include "pregeo/ivtrpregeomanager.h"
#include "tabelle/tabella.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

namespace tratte {

// The outcome of a search (Esito).
enum EsitoLibretto : int {
    // Nothing to report (or already reported).
    EsitoNessuno = 0,
    // The archive folder is not configured or is missing.
    EsitoArchiviMancanti = 1,
    // "Prv.db" is missing or the archive is empty.
    EsitoArchivioVuoto = 2,
    // The book gave no usable point, or no archived distance was found.
    EsitoNessunaCorrispondenza = 3,
};

inline const QString TestoNessunaCorrispondenza = QStringLiteral(
    "Nessuna corrispondenza trovata. Accertarsi che\r\n- Il libretto selezionato contenga punti fiduciali, o che\r\n"
    "- I PF presenti appartengano alle province caricate in Tratte.");
inline const QString FaseLettura = QStringLiteral("Attendere... Lettura libretto in corso");
inline const QString FaseRicerca = QStringLiteral("Attendere... Ricerca tratte in corso");
inline const QString FaseScrittura = QStringLiteral("Attendere... Scrittura dati in corso");

// The new provinces and the provinces they were made from.
const QHash<QString, QString>& ProvinceMadri();

// A lookup of the directory (CercaComune of comuni, not states), its
// answer read from `valori` into the four values; false when the
// directory does not know the text.
bool RisolviConDirectory(borgal::IBorgal& directory, QStringList& valori, const QString& testo, DatiComune& v);

class TElaborazioneLibretto {
public:
    // `risultati`: the results table (TratteLibretto.db); `tabellaTratte`:
    // the archive search table, whose folder also holds the work tables.
    TElaborazioneLibretto(gridkit::TNewTable& risultati, gridkit::TNewTable& tabellaTratte, TNavigazione::Risolutore risolvi);

    // The point work table (RicerchePF.db) and the loaded provinces (Prv.db).
    tabelle::TTable Table1;
    tabelle::TTable PrvTable;
    // The book's distance records, owned.
    pregeo::ListaDistanze DistanzeLibretto;
    // The results of the last RisolviComune.
    DatiComune Valori;
    // The points kept for the search and, for one point, its condition lines.
    int NumeroPF = 0;
    QStringList CondizioniPF;
    int Esito = EsitoNessuno;
    // Why the component could not read the book (a malformed line named),
    // empty when it could.
    QString ErroreLibretto;
    // Called with each phase's wait text: the first call comes once the
    // book is about to be read.
    std::function<void(const QString&)> Fase;

    // Table1 and PrvTable on their folders.
    void PreparaTabelle();
    // The whole processing of the book at `percorso` (with or without
    // ".out"): 1 when results were written, 2 otherwise (Esito says why).
    int ElaboraLibretto(const QString& percorso);

    // Closes the point work table and empties it (the dialog's FormClose).
    void SvuotaPunti();

    bool RisolviComune(const QString& testo);
    bool ProvinciaCaricata(const QString& codice);
    bool ProvinciaMadreCaricata(const QString& provincia) const;
    void PreparaRicerca();
    bool CercaTratte();
    // False when the results table could not be written (the message shown).
    bool ScriviRisultati();

    // "PF" + the number (a "0" in front of one digit) + "/" + the sheet
    // part + "/" + the comune code.
    static QString EtichettaPF(qint64 pf, qint64 foglio, const QString& allegato, const QString& comune);
    // The verdict and the tolerance ("%1.3f") of zone item 0, 1 or 2.
    static QString EsitoTolleranza(double differenza, double distanza, int zona);

    // Steps 2 and 3 of the search: whether the results folder and the
    // archive's folder are there; the results emptied and the archive
    // search table reopened on every live row.
    static bool CartellePronte(const gridkit::TNewTable& risultati, const gridkit::TNewTable& tabellaTratte);
    static void AzzeraRisultati(gridkit::TNewTable& risultati, gridkit::TNewTable& tabellaTratte);
    // PathPregeo752 with a closing separator.
    static QString PercorsoPregeo();
    // The "*.out" files of the folder (any case), sorted; and those the
    // component reports as processed correctly, without extension.
    static QStringList FileLibretti(const QString& cartella);
    static QStringList ElencoLibretti(const QString& cartella, const QStringList& file);

private:
    QString CartellaLavoro() const;
    QString CartellaRisultati() const;
    void LeggiProvince();

    gridkit::TNewTable& risultati_;
    gridkit::TNewTable& tabellaTratte_;
    TNavigazione::Risolutore risolvi_;
    // The provinces of PrvTable, and the lookups of this book.
    QSet<QString> province_;
    QHash<QString, std::pair<bool, DatiComune>> risolti_;
};

} // namespace tratte
