#pragma once
// TMainForm: the main window. Its controls, menus and actions, the set-up
// at creation and at the first display, the start-up selection, and the
// rule that enables and disables its commands.
#include "app/archiviodati.h"
#include "app/navigazione.h"
#include "app/stampa/torvo.h"
#include "componenti/creazione.h"
#include "directory/interfacce.h"
#include "directory/servizioospite.h"
#include "gridkit/griglia/newdbgrid.h"
#include "gridkit/tabella/newtable.h"
#include "gridkit/browser/recordbrowser.h"
#include "tabelle/query.h"
#include "tabelle/sorgente.h"
#include "tabelle/tabella.h"

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <memory>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPrintDialog;
class QToolButton;

namespace tratte {

class ContatoreRighe;
class TTratteForm;
class TFormRicInsPF;
class TAggForm;
class TDelPrvForm;
class TAnteprimaForm;
class TStampaTratte;
class TZRTratteLbp;

// The private message posted to itself when the window is first shown.
inline constexpr int WM_AVVIO = 0x2400;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `cartellaProgramma`: the executable's folder.
    explicit TMainForm(const QString& cartellaProgramma, QWidget* parent = nullptr);
    ~TMainForm() override;

    // Counts the printers the system knows, the built-in PDF printer
    // included; tests replace it.
    static std::function<int()> ContaStampanti;
    // The commands whose work is not built yet, by object name: they stay
    // disabled whatever the state, rather than look live and do nothing.
    // The rule of AggiornaComandi decides the others (and these, once
    // their work is built and their name leaves the list).
    static QStringList NonCostruiti;

    // Fields.
    QString CartellaProgramma;
    QString CartellaArchivioComuni;
    // The municipality directory component, and the list its lookups fill.
    componenti::ComPtr<borgal::IBorgal> ComuniIntf;
    QStringList ValoriComune;
    QString CodiceCatastale, CodiceFiscale, Provincia, NomeComune;
    QString UltimoComune;
    int NumeroStampanti = 0;
    bool SuStampante = false;
    bool TutteLePagine = false;

    // Data.
    TArchivioDati Archivio;
    tabelle::TDatabase& Database;
    gridkit::TNewTable Table;
    gridkit::TNewTable TabellaPerRicerca;
    tabelle::TTable PrvTable;
    tabelle::TQuery Query1;
    tabelle::TQuery CaricaOldComuniQuery;
    tabelle::TDataSource DataSource1;
    // The comune lists and the archive filter.
    TNavigazione Navigazione;
    // The report engine component.
    TOrvo TratteOrvo;

    // The long-lived dialogs, created after the window; each one enters
    // itself here when it is created and leaves when it is destroyed.
    TTratteForm* TratteForm = nullptr;
    TFormRicInsPF* FormRicInsPF = nullptr;
    TAggForm* AggForm = nullptr;
    TDelPrvForm* DelPrvForm = nullptr;
    TAnteprimaForm* AnteprimaForm = nullptr;

    // Controls.
    QFrame* TopPanel;
    QToolButton *EsciBt, *StampaBt, *UpdateBt, *RicercaBt, *RimuoviBT, *DistanzeBT, *RicercaLibrettiBT, *AiutoBt;
    QLabel *Label1, *Label2;
    QComboBox *ProvinceCB, *ComuniCB;
    QFrame* ClientPanel;
    QFrame* CrmPanel;
    // The survey-book results control, filling CrmPanel.
    TZRTratteLbp* crm;
    gridkit::TNewDBGrid* NewDBGrid1;
    gridkit::TRecordBrowser* RecordBrowser1;
    QLabel* PannelliStato[5];
    QPrintDialog* PrinterSetupDialog1 = nullptr;

    // Menus and actions.
    QMenu *FileMenu, *RicercaMenu, *VisMenu, *StrumentiMenu, *InfoMenu;
    QAction *Aggiorna1, *Eliminaprovincia1, *F1, *F2, *F3, *MExit;
    QAction *R1, *Tolleranza, *RicercaLibretti, *AnnullaFiltro1;
    QAction *PercorsoPregeo1, *GuidaMenu, *N3;
    QAction *RicercaLibrettiAction, *PercorsoPregeoAction;

    // Operations.
    void FormCreate();
    void FormShow();
    void Avvio();
    void AggiornaComandi();
    void DisabilitaNonCostruiti();
    void MostraSuggerimento(const QString& suggerimento);
    void CaricaProvince();
    // Looks a comune (name, code, or a province's name) up in the directory
    // and fills the four places; false when the directory does not know it.
    bool RisolviComune(const QString& testo, QString& codiceCatastale, QString& codiceFiscale, QString& provincia,
                       QString& nomeComune);
    bool RisolviComune(const QString& testo);
    // Fills the province list from PRV.DB; the comune list of the chosen
    // province (or of all of them); the comuni that moved to a new province.
    void ProvinceCBChange();
    void CaricaOldComuni(QComboBox* casella, const QString& sigla);
    // Confirms the comune text: filters the archive on it.
    void ComuniCBChange();
    // Puts UltimoComune back into an empty ComuniCB.
    void RipristinaComune();
    // Panel 1 shows the comune of the archive's current row.
    void MostraComuneCorrente();
    // Keys typed into the boxes; ComuniCBKeyDown returns true when it used the key.
    void ProvinceCBKeyPress();
    bool ComuniCBKeyDown();
    void ComuniCBKeyPress();

    // Handlers.
    void EsciBtClick();
    void UpdateBtClick();
    void AiutoBtClick();
    void GuidaMenuClick();
    void N3Click();
    void F3Click();
    void PercorsoPregeoActionExecute();
    // The survey-book search: its results in CrmPanel, or the warning.
    void RicercaLibrettiActionExecute();
    void Eliminaprovincia1Click();
    void NewDBGrid1DblClick();
    // The search among points, and back to the normal view.
    void TratteBTClick();
    void RimuoviBTClick();
    // The tolerance check on the distance of the grid's current row.
    void DistanzeBTClick();
    void TolleranzaClick();
    void ApriTolleranza();
    // Printing, the printer set-up, and the steps of a print.
    void StampaBtClick();
    void F1Click();
    void OrdinaReport(gridkit::TNewDBGrid& griglia, TStampaTratte& stampa);
    void StampaOAnteprima(QWidget* proprietario, TOrvo& orvo, TStampaTratte& stampa, bool suStampante,
                          bool tutteLePagine, int copie, int primaPagina, int ultimaPagina);
    void MostraAnteprima(TOrvo& orvo);

    // The text of a status bar panel.
    QString Pannello(int indice) const;
    void ImpostaPannello(int indice, const QString& testo);

protected:
    bool event(QEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    void CreaControlli();
    void CreaMenu();
    void CollegaDati();
    void ImpostaGriglia();
    void ImpostaRisultatiLibretto();
    void FormDestroy();
    // The first item of ComuniCB that begins with the text (case-blind), -1 when none.
    int PrimoComuneCheIniziaCon(const QString& testo) const;
    // True when the text is one of the box's items (case-blind).
    static bool TraLeVoci(const QComboBox* casella, const QString& testo);
    // The lookup fields to and from Navigazione.
    void DaiValoriANavigazione();
    void PrendiValoriDaNavigazione();
    // A setting read at start; when the registry fails, the failure is
    // reported (the first one only) and the setting keeps its default.
    template <class T> T LeggiImpostazione(const std::function<T()>& leggi, const T& predefinito);
    bool registroSegnalato_ = false;
    bool mostrata_ = false;
    // Set while choosing a single province closes Table: the panels keep their text.
    bool chiusuraSenzaPannelli_ = false;
    bool inoltroTasto_ = false;
    friend class ContatoreRighe;
    // The component's boxes and dialogs go through this program's message service.
    borgal::PubblicazioneServizioMessaggi servizioPerIlComponente_;
    std::unique_ptr<ContatoreRighe> contatore_;
};

} // namespace tratte
