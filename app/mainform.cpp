#include "app/mainform.h"

#include "app/caricamento/taggform.h"
#include "app/caricamento/tdelprvform.h"
#include "app/configurazione.h"
#include "aiuto/applicazione.h"
#include "aiuto/contesto.h"
#include "app/finestre/attesaincorso.h"
#include "app/finestre/tattendereform.h"
#include "app/finestre/taboutbox.h"
#include "app/finestre/tstartform.h"
#include "app/libretto/elaborazionelibretto.h"
#include "app/libretto/tzrtrattelbp.h"
#include "app/preferenze/tavvisoform.h"
#include "app/preferenze/tistruzioniform.h"
#include "app/preferenze/tpercorsiform.h"
#include "app/preferenze/tprefform.h"
#include "app/tolleranza/ttolleranzaform.h"
#include "app/ricerca/ricercapf.h"
#include "app/ricerca/ttratteform.h"
#include "app/stampa/stampatratte.h"
#include "app/stampa/tanteprimaform.h"
#include "gridkit/comune/cursoreattesa.h"
#include "messaggi/messaggi.h"
#include "winstampa/izrwinstampa.h"
#include "registro/errore.h"
#include "tabelle/errore.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QAbstractItemView>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QLocale>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <type_traits>

namespace tratte {

using namespace tabelle;

namespace {

const QEvent::Type EventoAvvio = QEvent::Type(QEvent::User + WM_AVVIO);

// "breve|lungo": the tooltip and the status-bar text; without "|" both
// are the whole text.
void Suggerimento(QObject* oggetto, const QString& testo)
{
    const int barra = testo.indexOf('|');
    const QString breve = barra < 0 ? testo : testo.left(barra);
    const QString lungo = barra < 0 ? testo : testo.mid(barra + 1);
    if (auto* w = qobject_cast<QWidget*>(oggetto)) {
        w->setToolTip(breve);
        w->setStatusTip(lungo);
    } else if (auto* a = qobject_cast<QAction*>(oggetto)) {
        a->setToolTip(breve);
        a->setStatusTip(lungo);
    }
}

// Widgets and actions carry their help context the same way.
void ContestoAiuto(QObject* oggetto, int contesto)
{
    if (auto* w = qobject_cast<QWidget*>(oggetto))
        aiuto::ImpostaContestoAiuto(w, contesto);
    else
        oggetto->setProperty("helpContext", contesto);
}

} // namespace

// Every data change of the archive grid: panel 1 shows the current row's
// comune, panel 3 the number of rows; a closed table empties panel 3,
// except when choosing a single province closed it.
class ContatoreRighe : public TDataLink {
public:
    explicit ContatoreRighe(TMainForm& finestra) : finestra_(finestra) {}
    void ActiveChanged() override { Aggiorna(); }
    void DataSetChanged() override { Aggiorna(); }
    void DataSetScrolled(int) override { finestra_.MostraComuneCorrente(); }

private:
    void Aggiorna()
    {
        const TDataSet* d = DataSet();
        if (d && d->Active()) {
            finestra_.MostraComuneCorrente();
            finestra_.ImpostaPannello(3, QString::number(d->RecordCount()));
        } else if (!finestra_.chiusuraSenzaPannelli_) {
            finestra_.ImpostaPannello(3, QString());
        }
    }
    TMainForm& finestra_;
};

// Every command of the window is built; a command added before its work
// is named here, and stays disabled until it is built.
QStringList TMainForm::NonCostruiti{};

// The installed printers and the built-in PDF printer.
std::function<int()> TMainForm::ContaStampanti = [] { return int(QPrinterInfo::availablePrinters().size()) + 1; };

TMainForm::TMainForm(const QString& cartellaProgramma, QWidget* parent)
    : QMainWindow(parent), Archivio(cartellaProgramma, this), Database(Archivio.Database), Table(this), TabellaPerRicerca(this),
      PrvTable(this), Query1(this), CaricaOldComuniQuery(this), DataSource1(this),
      Navigazione(
          [this](const QString& testo, DatiComune& v) {
              return RisolviComune(testo, v.CodiceCatastale, v.CodiceFiscale, v.Provincia, v.NomeComune);
          },
          PrvTable, Query1, CaricaOldComuniQuery)
{
    setObjectName("MainForm");
    setWindowTitle(QStringLiteral("Tratte Punti Fiduciali"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    ContestoAiuto(this, 1);
    CreaControlli();
    CreaMenu();
    CollegaDati();
    FormCreate();
}

TMainForm::~TMainForm() { FormDestroy(); }

// ---------------------------------------------------------------- layout

void TMainForm::CreaControlli()
{
    auto* centro = new QWidget(this);
    auto* colonna = new QVBoxLayout(centro);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->setSpacing(0);

    TopPanel = new QFrame(centro);
    TopPanel->setObjectName("TopPanel");
    TopPanel->setFixedHeight(57);
    TopPanel->setFrameShape(QFrame::StyledPanel);
    auto* riga = new QHBoxLayout(TopPanel);
    riga->setContentsMargins(4, 2, 4, 2);
    auto pulsante = [&](const char* nome, const QString& testo, QStyle::StandardPixmap icona) {
        auto* b = new QToolButton(TopPanel);
        b->setObjectName(nome);
        b->setText(testo);
        b->setIcon(style()->standardIcon(icona));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        b->setMinimumWidth(56);
        riga->addWidget(b);
        return b;
    };
    auto etichetta = [&](const char* nome, const QString& testo) {
        auto* l = new QLabel(testo, TopPanel);
        l->setObjectName(nome);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    };
    auto casella = [&](const char* nome, int larghezza) {
        auto* c = new QComboBox(TopPanel);
        c->setObjectName(nome);
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setFixedWidth(larghezza);
        return c;
    };
    EsciBt = pulsante("EsciBt", "Esci", QStyle::SP_DialogCloseButton);
    StampaBt = pulsante("StampaBt", "Stampa", QStyle::SP_FileDialogDetailedView);
    UpdateBt = pulsante("UpdateBt", "Aggiorna", QStyle::SP_BrowserReload);
    auto* scelta = new QGridLayout();
    Label1 = etichetta("Label1", "Provincia");
    ProvinceCB = casella("ProvinceCB", 145);
    Label2 = etichetta("Label2", "Comune o Sezione");
    ComuniCB = casella("ComuniCB", 202);
    scelta->addWidget(Label1, 0, 0);
    scelta->addWidget(ProvinceCB, 1, 0);
    scelta->addWidget(Label2, 0, 1);
    scelta->addWidget(ComuniCB, 1, 1);
    riga->addLayout(scelta);
    RicercaBt = pulsante("RicercaBt", "Ricerca", QStyle::SP_FileDialogContentsView);
    RimuoviBT = pulsante("RimuoviBT", "Rimuovi", QStyle::SP_DialogResetButton);
    DistanzeBT = pulsante("DistanzeBT", "Tolleranza", QStyle::SP_FileDialogInfoView);
    RicercaLibrettiBT = pulsante("RicercaLibrettiBT", "Libretti", QStyle::SP_DirOpenIcon);
    AiutoBt = pulsante("AiutoBt", "Guida", QStyle::SP_DialogHelpButton);
    riga->addStretch();

    Suggerimento(EsciBt, "Uscita|Esce da TrattePF");
    Suggerimento(StampaBt, "Stampa Elenco|Stampa la tabella tratte PF visualizzata");
    Suggerimento(UpdateBt, "Aggiorna/carica i dati in tabella leggendoli dal supporto indicato ");
    Suggerimento(RicercaBt, "Ricerca tratte tra PF|Avvio procedura di ricerca tratte tra punti fiduciali");
    Suggerimento(RimuoviBT, "Rimuove ricerca|Rimuove il risultato della ricerca tratte ritornando alla videata principale");
    Suggerimento(DistanzeBT, "Tolleranza tratta utente|Controllo delle mutue relazioni tra P.F.");
    Suggerimento(AiutoBt, "Guida di TrattePF");

    // The client area and, over it, the survey-book results panel.
    auto* area = new QWidget(centro);
    auto* pila = new QGridLayout(area);
    pila->setContentsMargins(0, 0, 0, 0);
    ClientPanel = new QFrame(area);
    ClientPanel->setObjectName("ClientPanel");
    auto* cliente = new QVBoxLayout(ClientPanel);
    cliente->setContentsMargins(0, 0, 0, 0);
    NewDBGrid1 = new gridkit::TNewDBGrid(ClientPanel);
    NewDBGrid1->setObjectName("NewDBGrid1");
    cliente->addWidget(NewDBGrid1, 1);
    RecordBrowser1 = new gridkit::TRecordBrowser(ClientPanel);
    RecordBrowser1->setObjectName("RecordBrowser1");
    RecordBrowser1->SetVisInsertButton(false);
    cliente->addWidget(RecordBrowser1);
    CrmPanel = new QFrame(area);
    CrmPanel->setObjectName("CrmPanel");
    auto* risultati = new QVBoxLayout(CrmPanel);
    risultati->setContentsMargins(0, 0, 0, 0);
    crm = new TZRTratteLbp(CrmPanel);
    crm->setObjectName("crm");
    risultati->addWidget(crm);
    pila->addWidget(ClientPanel, 0, 0);
    pila->addWidget(CrmPanel, 0, 0);

    colonna->addWidget(TopPanel);
    colonna->addWidget(area, 1);
    setCentralWidget(centro);

    // Status bar: five panels.
    const int larghezze[5] = {45, 220, 70, 60, 50};
    for (int i = 0; i < 5; ++i) {
        auto* p = new QLabel(statusBar());
        p->setObjectName(QStringLiteral("Pannello%1").arg(i));
        p->setMinimumWidth(larghezze[i]);
        if (i != 4)
            p->setFixedWidth(larghezze[i]);
        p->setFrameShape(i == 0 || i == 2 ? QFrame::NoFrame : QFrame::Panel);
        p->setFrameShadow(QFrame::Sunken);
        statusBar()->addWidget(p, i == 4 ? 1 : 0);
        PannelliStato[i] = p;
    }
    PannelliStato[0]->setText("Comune");
    PannelliStato[2]->setText("Tot. Tratte");

    connect(EsciBt, &QToolButton::clicked, this, &TMainForm::EsciBtClick);
    connect(UpdateBt, &QToolButton::clicked, this, &TMainForm::UpdateBtClick);
    connect(AiutoBt, &QToolButton::clicked, this, &TMainForm::AiutoBtClick);
    // Engine errors of the handlers go to the error box.
    connect(ProvinceCB, &QComboBox::currentTextChanged, this, [this] {
        try {
            ProvinceCBChange();
        } catch (const std::exception& errore) {
            messaggi::MostraErrore(errore);
        }
    });
    // Both boxes complete their text themselves, on their own rules.
    // The window system gives the keys to the box, which holds the focus
    // for its edit field and passes them on to it past any filter: they
    // are taken at the box, and at the field for those sent to it.
    for (QComboBox* c : {ProvinceCB, ComuniCB}) {
        c->setCompleter(nullptr);
        c->installEventFilter(this);
        c->lineEdit()->installEventFilter(this);
    }
    // The drop-down list opens while typing: what is typed there still goes
    // to the edit field.
    ComuniCB->view()->installEventFilter(this);
}

void TMainForm::CreaMenu()
{
    auto voce = [this](QMenu* menu, const char* nome, const QString& testo, int contesto = 0) {
        auto* a = menu->addAction(testo);
        a->setObjectName(nome);
        if (contesto)
            ContestoAiuto(a, contesto);
        return a;
    };
    auto separatore = [](QMenu* menu, const char* nome) { menu->addSeparator()->setObjectName(nome); };
    auto menu = [this](const char* nome, const QString& testo, int contesto = 0) {
        QMenu* m = menuBar()->addMenu(testo);
        m->setObjectName(nome);
        if (contesto)
            ContestoAiuto(m, contesto);
        return m;
    };

    FileMenu = menu("FileMenu", "&File", 11);
    Aggiorna1 = voce(FileMenu, "Aggiorna1", "&Aggiorna...", 10);
    Eliminaprovincia1 = voce(FileMenu, "Eliminaprovincia1", "&Elimina provincia...", 29);
    separatore(FileMenu, "N7");
    F1 = voce(FileMenu, "F1", "&Imposta Stampante...", 11);
    F2 = voce(FileMenu, "F2", "Stam&pa...", 12);
    F2->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F12));
    separatore(FileMenu, "N4");
    F3 = voce(FileMenu, "F3", "P&referenze...", 13);
    separatore(FileMenu, "N1");
    MExit = voce(FileMenu, "MExit", "&Uscita", 15);
    MExit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));

    RicercaMenu = menu("RicercaMenu", "&Ricerca", 14);
    R1 = voce(RicercaMenu, "R1", "&Tratte...", 17);
    Tolleranza = voce(RicercaMenu, "Tolleranza", "&Tolleranza...", 26);
    separatore(RicercaMenu, "N8");
    RicercaLibretti = voce(RicercaMenu, "RicercaLibretti", "Ricerca su &libretto...");
    separatore(RicercaMenu, "N6");
    AnnullaFiltro1 = voce(RicercaMenu, "AnnullaFiltro1", "&Rimuovi ricerca", 27);

    VisMenu = menu("VisMenu", "&Visualizza");
    StrumentiMenu = menu("StrumentiMenu", "&Strumenti");
    PercorsoPregeo1 = voce(StrumentiMenu, "PercorsoPregeo1", "&Percorso Pregeo");
    InfoMenu = menu("InfoMenu", "?");
    GuidaMenu = voce(InfoMenu, "GuidaMenu", "Guida", 1);
    GuidaMenu->setShortcut(QKeySequence(Qt::Key_F1));
    separatore(InfoMenu, "N2");
    N3 = voce(InfoMenu, "N3", "&Informazioni su TrattePF...");

    Suggerimento(F1, "Lancia le impostazioni della stampante");
    Suggerimento(F2, "Stampa la tabella visualizzata");
    Suggerimento(F3, "Impostazione della provincia e del comune di default");
    Suggerimento(MExit, "Esce da Tratte");
    Suggerimento(R1, "Ricerca Tratte tra uno o più PF");
    Suggerimento(AnnullaFiltro1, "Rimuove la tabella di tratte ritornando alla videata principale");
    Suggerimento(GuidaMenu, "|Lancia la guida di TrattePF");
    Suggerimento(N3, "|Mostra Informazioni sul sistema, sul programma e sul titolare della licenza d'uso");

    // The action list.
    RicercaLibrettiAction = new QAction("Ricerca su libretto...", this);
    RicercaLibrettiAction->setObjectName("RicercaLibrettiAction");
    Suggerimento(RicercaLibrettiAction, "Ricerca su libretto|Esegue la ricerca delle mutue distanze su un libretto elaborato");
    PercorsoPregeoAction = new QAction("Percorso Pregeo", this);
    PercorsoPregeoAction->setObjectName("PercorsoPregeoAction");
    Suggerimento(PercorsoPregeoAction, "Visualizza il percorso di Pregeo|Visualizza, e permette di cambiare all'occorrenza, il percorso di Pregeo");
    // Items and the button bound to an action take its hint, run it and
    // follow its visibility.
    auto lega = [](auto* legato, QAction* azione) {
        legato->setToolTip(azione->toolTip());
        legato->setStatusTip(azione->statusTip());
        if constexpr (std::is_same_v<std::remove_pointer_t<decltype(legato)>, QAction>)
            QObject::connect(legato, &QAction::triggered, azione, &QAction::trigger);
        else
            QObject::connect(legato, &QToolButton::clicked, azione, &QAction::trigger);
        QObject::connect(azione, &QAction::changed, legato, [legato, azione] {
            legato->setVisible(azione->isVisible());
            legato->setEnabled(azione->isEnabled());
        });
    };
    lega(RicercaLibretti, RicercaLibrettiAction);
    lega(RicercaLibrettiBT, RicercaLibrettiAction);
    lega(PercorsoPregeo1, PercorsoPregeoAction);

    connect(Aggiorna1, &QAction::triggered, this, &TMainForm::UpdateBtClick);
    connect(Eliminaprovincia1, &QAction::triggered, this, &TMainForm::Eliminaprovincia1Click);
    connect(R1, &QAction::triggered, this, &TMainForm::TratteBTClick);
    connect(RicercaBt, &QToolButton::clicked, this, &TMainForm::TratteBTClick);
    connect(AnnullaFiltro1, &QAction::triggered, this, &TMainForm::RimuoviBTClick);
    connect(RimuoviBT, &QToolButton::clicked, this, &TMainForm::RimuoviBTClick);
    connect(Tolleranza, &QAction::triggered, this, &TMainForm::TolleranzaClick);
    connect(DistanzeBT, &QToolButton::clicked, this, &TMainForm::DistanzeBTClick);
    connect(F3, &QAction::triggered, this, &TMainForm::F3Click);
    connect(PercorsoPregeoAction, &QAction::triggered, this, &TMainForm::PercorsoPregeoActionExecute);
    connect(RicercaLibrettiAction, &QAction::triggered, this, &TMainForm::RicercaLibrettiActionExecute);
    connect(F1, &QAction::triggered, this, &TMainForm::F1Click);
    connect(F2, &QAction::triggered, this, &TMainForm::StampaBtClick);
    connect(StampaBt, &QToolButton::clicked, this, &TMainForm::StampaBtClick);
    connect(MExit, &QAction::triggered, this, &TMainForm::EsciBtClick);
    connect(GuidaMenu, &QAction::triggered, this, &TMainForm::GuidaMenuClick);
    connect(N3, &QAction::triggered, this, &TMainForm::N3Click);
}

void TMainForm::ImpostaGriglia()
{
    using gridkit::TOptionMenu;
    NewDBGrid1->SetReadOnly(true);
    NewDBGrid1->RegPathName = QStringLiteral("software\\quintor\\orbis77\\grigliatratte");
    NewDBGrid1->RegKey = QStringLiteral("impostazioni");
    NewDBGrid1->LeggiInAvvio = true;
    NewDBGrid1->SalvaInUscita = true;
    NewDBGrid1->ConfermaSalvaUscita = true;
    NewDBGrid1->Ordinamento = gridkit::TOrdine::Up;
    NewDBGrid1->TitleHint = true;
    NewDBGrid1->SetCampiVisibili({"ComunePF1", "SezionePF1", "FoglioPF1", "AllegatoPF1", "PF1", "ComunePF2", "SezionePF2",
                                  "FoglioPF2", "AllegatoPF2", "PF2", "Anno", "Protocollo", "FlagUfficio", "Distanza",
                                  "ScartoQMedio"});
    NewDBGrid1->OptionMenu = {TOptionMenu::opm_OrdCrescente, TOptionMenu::opm_OrdDecrescente, TOptionMenu::opm_OrdOriginale,
                              TOptionMenu::opm_Adatta, TOptionMenu::opm_VisCampi, TOptionMenu::opm_Trova};
    for (const QString& campo : ColonneGriglia)
        NewDBGrid1->Columns().Add().SetFieldName(campo);
    NewDBGrid1->SetDataSource(&DataSource1);
    connect(NewDBGrid1, &QAbstractItemView::doubleClicked, this, [this] { NewDBGrid1DblClick(); });
    // As loaded with the window: the stored layout is read, the close hooked.
    NewDBGrid1->Loaded();
}

void TMainForm::CollegaDati()
{
    Table.ReadOnly = true;
    Table.CachedUpdates = true;
    Table.NotAppend = true;
    DataSource1.SetDataSet(&Table);
    contatore_ = std::make_unique<ContatoreRighe>(*this);
    contatore_->SetDataSource(&DataSource1);
    // Display settings of the archive's fields, on both archive tables.
    for (gridkit::TNewTable* t : {&Table, &TabellaPerRicerca}) {
        const TImpostazioniCampo nascosto{QString(), 0, QString(), false};
        for (const char* campo : {"ID_001_TABLE", "SysField", "Info", "CodOp"})
            t->ImpostaCampo(campo, nascosto);
        for (const char* n : {"1", "2"}) {
            const QString pf = QStringLiteral("PF") + n;
            t->ImpostaCampo("Sezione" + pf, {"Sez. " + pf, 0, QString(), true});
            t->ImpostaCampo("Foglio" + pf, {"Fg. " + pf, 5, QString(), true});
            t->ImpostaCampo("Allegato" + pf, {"All. " + pf, 0, QString(), true});
            t->ImpostaCampo(pf, {QString(), 4, QString(), true});
        }
        t->ImpostaCampo("Distanza", {QString(), 0, "#########.000", true});
        t->ImpostaCampo("ScartoQMedio", {QString(), 0, "###0.000", true});
    }
    ImpostaGriglia();
    ImpostaRisultatiLibretto();
    RecordBrowser1->SetDataSource(&DataSource1);
    Query1.SQL = TNavigazione::TestoQueryComuni();
    CaricaOldComuniQuery.SQL = TNavigazione::TestoQueryVecchiComuni();
}

void TMainForm::ImpostaRisultatiLibretto()
{
    using gridkit::TDBGridOption;
    using gridkit::TOptionMenu;
    crm->SetTabellaTratte(&TabellaPerRicerca);
    crm->SetGridBorderStyle(TBordoGriglia::bsSingle);
    crm->SetGridOptions({TDBGridOption::dgEditing, TDBGridOption::dgTitles, TDBGridOption::dgIndicator, TDBGridOption::dgColumnResize,
                         TDBGridOption::dgColLines, TDBGridOption::dgRowLines, TDBGridOption::dgTabs, TDBGridOption::dgConfirmDelete,
                         TDBGridOption::dgCancelOnExit});
    crm->SetGridColor(palette().color(QPalette::Base));
    crm->SetGridFixedColor(palette().color(QPalette::Button));
    QFont carattere(QStringLiteral("MS Sans Serif"));
    carattere.setPixelSize(11);
    crm->SetGridFont(carattere);
    crm->SetGridTitleFont(carattere);
    crm->SetGridOptionMenu({TOptionMenu::opm_OrdCrescente, TOptionMenu::opm_OrdDecrescente, TOptionMenu::opm_OrdOriginale,
                            TOptionMenu::opm_Adatta, TOptionMenu::opm_VisCampi, TOptionMenu::opm_Trova});
    crm->SetGridOrdinamento(gridkit::TOrdine::Up);
    crm->SetGridShowHint(false);
    crm->SetTableRequestLive(false);
    crm->SetGridTag(0);
    crm->SetTableTag(0);
    crm->SetRBTag(0);
}

// ---------------------------------------------------------------- start

template <class T> T TMainForm::LeggiImpostazione(const std::function<T()>& leggi, const T& predefinito)
{
    try {
        return leggi();
    } catch (const registro::ERegistryException& errore) {
        if (!registroSegnalato_) {
            registroSegnalato_ = true;
            messaggi::MessageBox(nullptr,
                                 errore.messaggio() + QStringLiteral("\r\n\r\nLe impostazioni del programma non possono essere "
                                                                     "salvate: si usano i valori predefiniti."),
                                 QStringLiteral("Avviso"), messaggi::Pulsanti::Ok, messaggi::Icona::Avviso);
        }
        return predefinito;
    }
}

void TMainForm::FormCreate()
{
    // 1-2. Splash and help file.
    TStartForm::Mostra(nullptr);
    aiuto::ImpostaHelpFile(QDir(Archivio.CartellaProgramma).filePath("Tratte.hlp"));
    aiuto::ImpostaFinestraPrincipale(this);
    // The registry store: opening the program's key, as every setting does,
    // tells whether it can be used. A failure is reported here, once.
    LeggiImpostazione<bool>([] {
        ApriChiaveProgramma();
        return true;
    }, false);
    // 3. The municipality directory component; the rest of the start does not depend on it.
    try {
        ComuniIntf = componenti::CreateComObject<borgal::IBorgal>(borgal::CLSID_Borgal, borgal::IID_IBorgal);
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
    }
    // 4-9. The folders, and the connection's parameters and the bindings of
    // the datasets (12, before 11): they depend on nothing that may fail, so
    // a failing step leaves no window on a wrong folder.
    ValoriComune.clear();
    CartellaArchivioComuni = LeggiImpostazione<QString>(LeggiCartellaArchivioComuni, QString());
    Archivio.CartellaArchivioComuni = CartellaArchivioComuni;
    CartellaProgramma = Archivio.CartellaProgramma;
    QLocale::setDefault(QLocale::c());
    PrinterSetupDialog1 = new QPrintDialog(this);
    PrinterSetupDialog1->setObjectName("PrinterSetupDialog1");
    // The built-in PDF printer writes a file: one in the documents until
    // the user names another in the set-up.
    if (QPrinter* p = PrinterSetupDialog1->printer(); p->outputFormat() == QPrinter::PdfFormat && p->outputFileName().isEmpty())
        p->setOutputFileName(QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                                 .filePath(QStringLiteral("Stampa tratte.pdf")));
    UltimoComune.clear();
    Archivio.ImpostaConnessione();
    Table.DatabaseName = "Database";
    Table.SetTableName("Tratte.db");
    TabellaPerRicerca.DatabaseName = CartellaProgramma + "Archivi";
    TabellaPerRicerca.SetTableName("Tratte.db");
    PrvTable.DatabaseName = "Database";
    PrvTable.TableName = "Prv.db";
    Query1.DatabaseName = CartellaArchivioComuni;
    CaricaOldComuniQuery.DatabaseName = CartellaArchivioComuni;
    // 11, 13. The missing tables, then the database opened.
    try {
        Archivio.CreaTabelleMancanti();
        Database.Open();
        for (const QString& avviso : Archivio.VerificaTabelle())
            messaggi::MessageBox(nullptr, avviso, QStringLiteral("ATTENZIONE"), messaggi::Pulsanti::Ok, messaggi::Icona::Avviso);
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
    }
    // 14-16.
    NumeroStampanti = ContaStampanti();
    CrmPanel->hide();
    // The report engine, loaded with the window from the system's search
    // path; a failure has been shown by the binding, the program runs on.
    TratteOrvo.OrvoPath.clear();
    TratteOrvo.LoadEngineOnUse = false;
    try {
        TratteOrvo.Apri();
    } catch (const tabelle::EAbort&) {
    }
}

void TMainForm::showEvent(QShowEvent* evento)
{
    QMainWindow::showEvent(evento);
    if (!mostrata_) {
        mostrata_ = true;
        FormShow();
    }
}

void TMainForm::FormShow()
{
    SuStampante = true;
    TutteLePagine = true;
    StampaBt->setEnabled(NumeroStampanti > 0);
    F2->setEnabled(NumeroStampanti > 0);
    PercorsoPregeoAction->setVisible(false);
    RicercaLibrettiAction->setVisible(false);
    StrumentiMenu->menuAction()->setVisible(false);
    DisabilitaNonCostruiti();
    QCoreApplication::postEvent(this, new QEvent(EventoAvvio));
}

bool TMainForm::event(QEvent* evento)
{
    if (evento->type() == EventoAvvio) {
        Avvio();
        return true;
    }
    if (evento->type() == QEvent::StatusTip) {
        MostraSuggerimento(static_cast<QStatusTipEvent*>(evento)->tip());
        return true;
    }
    return QMainWindow::event(evento);
}

void TMainForm::Avvio()
{
    const ValoriIniziali iniziali = LeggiImpostazione<ValoriIniziali>(TPrefForm::LeggiPreferenze, {});
    try {
        CaricaProvince();
        const int provincia = iniziali.provincia.isEmpty() ? -1 : ProvinceCB->findText(iniziali.provincia, Qt::MatchFixedString);
        if (provincia >= 0) {
            {
                // The handler runs once, below, not also on the change of the text.
                const QSignalBlocker blocco(ProvinceCB);
                ProvinceCB->setCurrentIndex(provincia);
            }
            ProvinceCBChange();
        }
        const int comune = iniziali.comune.isEmpty() ? -1 : ComuniCB->findText(iniziali.comune, Qt::MatchFixedString);
        if (comune >= 0) {
            ComuniCB->setCurrentIndex(comune);
            ComuniCBChange();
        }
        AggiornaComandi();
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
    }
    if (LeggiImpostazione<bool>(VisualizzaAvviso, true)) {
        TAvvisoForm avviso(this);
        messaggi::MostraModale(avviso);
    }
}

void TMainForm::MostraSuggerimento(const QString& suggerimento) { PannelliStato[4]->setText(suggerimento); }

QString TMainForm::Pannello(int indice) const { return PannelliStato[indice]->text(); }
void TMainForm::ImpostaPannello(int indice, const QString& testo) { PannelliStato[indice]->setText(testo); }

// ---------------------------------------------------------------- commands

void TMainForm::AggiornaComandi()
{
    const bool aperta = Table.TDataSet::Active();
    if (CrmPanel->isVisible()) {
        const gridkit::TNewTable& tabella = crm->TabellaRisultati();
        const bool risultati = tabella.TDataSet::Active();
        StampaBt->setEnabled(NumeroStampanti > 0 && risultati && tabella.RecordCount() > 0);
        F2->setEnabled(StampaBt->isEnabled());
        RicercaBt->setEnabled(false);
        DistanzeBT->setEnabled(false);
        UpdateBt->setEnabled(false);
        RimuoviBT->setEnabled(true);
        RicercaMenu->setEnabled(true);
        R1->setEnabled(false);
        Tolleranza->setEnabled(false);
        VisMenu->setEnabled(risultati);
        // The results grid's commands, as its right click offers them.
        if (risultati)
            crm->Griglia().InserisciInMenu(VisMenu);
    } else {
        StampaBt->setEnabled(NumeroStampanti > 0 && aperta);
        F2->setEnabled(StampaBt->isEnabled());
        RicercaBt->setEnabled(aperta);
        DistanzeBT->setEnabled(aperta);
        UpdateBt->setEnabled(true);
        RimuoviBT->setEnabled(aperta);
        RicercaMenu->setEnabled(aperta);
        R1->setEnabled(true);
        Tolleranza->setEnabled(true);
        VisMenu->setEnabled(aperta);
        // The archive grid's commands, as its right click offers them.
        if (aperta)
            NewDBGrid1->InserisciInMenu(VisMenu);
    }
    DisabilitaNonCostruiti();
}

void TMainForm::DisabilitaNonCostruiti()
{
    for (const QString& nome : std::as_const(NonCostruiti)) {
        if (auto* menu = findChild<QMenu*>(nome))
            menu->setEnabled(false);
        else if (auto* azione = findChild<QAction*>(nome))
            azione->setEnabled(false);
        else if (auto* controllo = findChild<QWidget*>(nome))
            controllo->setEnabled(false);
    }
}

void TMainForm::CaricaProvince()
{
    // Adding items changes no selection: the box keeps its text.
    const QSignalBlocker blocco(ProvinceCB);
    const QString testo = ProvinceCB->currentText();
    PrvTable.Open();
    if (PrvTable.RecordCount() > 0 && ProvinceCB->findText("Tutte le province", Qt::MatchFixedString | Qt::MatchCaseSensitive) < 0)
        ProvinceCB->addItem("Tutte le province");
    for (PrvTable.First(); !PrvTable.IsEmpty(); PrvTable.Next()) {
        const QString nome = PrvTable.Fields(1)->AsString();
        if (ProvinceCB->findText(nome, Qt::MatchFixedString) < 0)
            ProvinceCB->addItem(nome);
        if (PrvTable.RecNo() == PrvTable.RecordCount())
            break;
    }
    PrvTable.Close();
    ProvinceCB->setEditText(testo);
}

namespace {

// Puts the items in the box, leaving its text empty.
void RiempiComuni(QComboBox* casella, const QStringList& voci)
{
    const QSignalBlocker blocco(casella);
    casella->clear();
    casella->addItems(voci);
    casella->setCurrentIndex(-1);
    casella->setEditText(QString());
}

QStringList Voci(const QComboBox* casella)
{
    QStringList voci;
    for (int i = 0; i < casella->count(); ++i)
        voci << casella->itemText(i);
    return voci;
}

} // namespace

bool TMainForm::TraLeVoci(const QComboBox* casella, const QString& testo)
{
    return casella->findText(testo, Qt::MatchFixedString) >= 0;
}

int TMainForm::PrimoComuneCheIniziaCon(const QString& testo) const
{
    return TNavigazione::PrimoCheIniziaCon(Voci(ComuniCB), testo);
}

void TMainForm::DaiValoriANavigazione() { Navigazione.Valori = {CodiceCatastale, CodiceFiscale, Provincia, NomeComune}; }

void TMainForm::PrendiValoriDaNavigazione()
{
    CodiceCatastale = Navigazione.Valori.CodiceCatastale;
    CodiceFiscale = Navigazione.Valori.CodiceFiscale;
    Provincia = Navigazione.Valori.Provincia;
    NomeComune = Navigazione.Valori.NomeComune;
}

void TMainForm::ProvinceCBChange()
{
    const QString testo = ProvinceCB->currentText();
    if (testo.isEmpty() || !TraLeVoci(ProvinceCB, testo)) {
        AggiornaComandi();
        return;
    }
    QCoreApplication::processEvents();
    DaiValoriANavigazione();
    const QStringList voci = Navigazione.ComuniDi(testo, CartellaArchivioComuni);
    PrendiValoriDaNavigazione();
    RiempiComuni(ComuniCB, voci);
    if (testo == TutteLeProvince) {
        Table.Close();
        ImpostaPannello(1, QString());
        ImpostaPannello(3, QString());
    } else {
        // The panels keep their text until a comune is confirmed.
        chiusuraSenzaPannelli_ = true;
        Table.Close();
        chiusuraSenzaPannelli_ = false;
    }
    AggiornaComandi();
}

void TMainForm::CaricaOldComuni(QComboBox* casella, const QString& sigla)
{
    const QStringList nomi = Navigazione.ComuniMigrati(sigla);
    if (!nomi.isEmpty()) {
        const QSignalBlocker blocco(casella);
        const QString testo = casella->currentText();
        casella->addItems(nomi);
        casella->setEditText(testo);
    }
}

void TMainForm::RipristinaComune()
{
    if (ComuniCB->currentText().isEmpty()) {
        const QSignalBlocker blocco(ComuniCB);
        ComuniCB->setEditText(UltimoComune);
    }
}

void TMainForm::ComuniCBChange()
{
    RipristinaComune();
    QString testo = ComuniCB->currentText();
    if (testo.isEmpty() || !TraLeVoci(ComuniCB, testo))
        return;
    AttesaInCorso attesa(this);
    const QString provincia = ProvinceCB->currentText();
    if (testo != TuttiIComuni) {
        // Completion: the first item that begins with the text, the
        // completed part highlighted.
        const int trovato = PrimoComuneCheIniziaCon(testo);
        if (trovato >= 0) {
            const int lunghezza = int(testo.length());
            const QString voce = ComuniCB->itemText(trovato);
            ComuniCB->setCurrentIndex(trovato);
            ComuniCB->setEditText(voce);
            ComuniCB->lineEdit()->setSelection(lunghezza, int(voce.length()) - lunghezza);
        }
        QCoreApplication::processEvents();
        RipristinaComune();
        testo = ComuniCB->currentText();
    }
    DaiValoriANavigazione();
    const TNavigazione::Vista vista = Navigazione.Filtra(Table, provincia, testo);
    PrendiValoriDaNavigazione();
    if (vista == TNavigazione::Vista::Tutto)
        ImpostaPannello(1, testo);
    else
        MostraComuneCorrente();
    ImpostaPannello(3, QString::number(Table.RecordCount()));
    AggiornaComandi();
}

void TMainForm::MostraComuneCorrente()
{
    if (!Table.TDataSet::Active() || Table.RecordCount() == 0)
        return;
    const QString sezione = Table.FieldByName("SezionePF1")->AsString();
    RisolviComune(Table.FieldByName("ComunePF1")->AsString());
    // A section the directory does not know keeps the comune's own values.
    QString catastale, fiscale, provincia, nome;
    if (!sezione.isEmpty() && RisolviComune(CodiceCatastale + sezione, catastale, fiscale, provincia, nome)) {
        CodiceCatastale = catastale;
        CodiceFiscale = fiscale;
        Provincia = provincia;
        NomeComune = nome;
    }
    ImpostaPannello(1, NomeComune);
}

bool TMainForm::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == ComuniCB->view() && evento->type() == QEvent::KeyPress && !inoltroTasto_) {
        auto* tasto = static_cast<QKeyEvent*>(evento);
        const bool invio = tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter;
        if (invio || tasto->key() == Qt::Key_Backspace || (!tasto->text().isEmpty() && tasto->text()[0].isPrint())) {
            QKeyEvent copia(tasto->type(), tasto->key(), tasto->modifiers(), tasto->text(), tasto->isAutoRepeat(), tasto->count());
            QCoreApplication::sendEvent(ComuniCB->lineEdit(), &copia);
            return true;
        }
        return QMainWindow::eventFilter(oggetto, evento);
    }
    const bool province = oggetto == ProvinceCB || oggetto == ProvinceCB->lineEdit();
    const bool comuni = oggetto == ComuniCB || oggetto == ComuniCB->lineEdit();
    if ((!province && !comuni) || evento->type() != QEvent::KeyPress || inoltroTasto_)
        return QMainWindow::eventFilter(oggetto, evento);
    auto* tasto = static_cast<QKeyEvent*>(evento);
    try {
        if (comuni && (tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter) && ComuniCBKeyDown())
            return true;
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
        return true;
    }
    // The key reaches the edit field upper-cased, then the box reacts.
    QString testo = tasto->text();
    if (testo.size() == 1 && testo[0] >= 'a' && testo[0] <= 'z')
        testo = testo.toUpper();
    QKeyEvent copia(tasto->type(), tasto->key(), tasto->modifiers(), testo, tasto->isAutoRepeat(), tasto->count());
    inoltroTasto_ = true;
    try {
        QCoreApplication::sendEvent(oggetto, &copia);
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
    }
    inoltroTasto_ = false;
    if (province)
        ProvinceCBKeyPress();
    else
        ComuniCBKeyPress();
    return true;
}

void TMainForm::ProvinceCBKeyPress() { AggiornaComandi(); }

void TMainForm::ComuniCBKeyPress()
{
    ComuniCB->showPopup();
    AggiornaComandi();
}

bool TMainForm::ComuniCBKeyDown()
{
    const int trovato = PrimoComuneCheIniziaCon(ComuniCB->currentText());
    QKeyEvent giu(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(ComuniCB, &giu);
    if (trovato < 0)
        return false;
    {
        const QSignalBlocker blocco(ComuniCB);
        ComuniCB->setCurrentIndex(trovato);
        ComuniCB->setEditText(ComuniCB->itemText(trovato));
    }
    ComuniCB->hidePopup();
    ComuniCBChange();
    return true;
}

void TMainForm::EsciBtClick()
{
    crm->Griglia().SalvaInChiusura();
    close();
}

void TMainForm::UpdateBtClick()
{
    if (!AggForm || messaggi::MostraModale(*AggForm) != 6)
        return;
    try {
        ComuniCB->clear();
        ComuniCB->setEditText(QString());
        ProvinceCB->clear();
        ProvinceCB->setEditText(QString());
        Table.Close();
        AggiornaComandi();
        CaricaProvince();
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
    }
    // How to see what was loaded.
    TIstruzioniForm istruzioni(this);
    messaggi::MostraModale(istruzioni);
}

void TMainForm::Eliminaprovincia1Click()
{
    if (DelPrvForm)
        messaggi::MostraModale(*DelPrvForm);
}

void TMainForm::NewDBGrid1DblClick() { ApriTolleranza(); }
void TMainForm::DistanzeBTClick() { ApriTolleranza(); }
void TMainForm::TolleranzaClick() { ApriTolleranza(); }

void TMainForm::ApriTolleranza()
{
    if (!Table.Active())
        return;
    TTolleranzaForm tolleranza(Table.FieldByName(QStringLiteral("Distanza"))->AsString(), this);
    messaggi::MostraModale(tolleranza);
}

void TMainForm::TratteBTClick()
{
    if (!TratteForm)
        return;
    try {
        if (messaggi::MostraModale(*TratteForm) == messaggi::mrOk && TratteForm->NumeroPF > 0) {
            if (TratteForm->NumeroPF == 1) {
                TRicercaPF::ImpostaRicercaUnPunto(Table, TratteForm->CondizioniPF);
                QCoreApplication::processEvents();
                TratteForm->CondizioniPF.clear();
                AttesaInCorso attesa(this);
                Table.Riapri();
            } else {
                TRicercaPF::ImpostaRicercaPiuPunti(Table, TRicercaPF::Punti(TratteForm->Table1));
                QCoreApplication::processEvents();
                {
                    AttesaInCorso attesa(this);
                    Table.Riapri();
                }
                ImpostaPannello(3, QString::number(Table.RecordCount()));
                NewDBGrid1->setFocus();
            }
        }
        if (Table.RecordCount() == 0) {
            messaggi::MessageBox(this, QStringLiteral("Nessuna corrispondenza trovata"), QStringLiteral("Avviso"),
                                 messaggi::Pulsanti::Ok, messaggi::Icona::Avviso);
            RimuoviBTClick();
        }
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
    }
    AggiornaComandi();
}

void TMainForm::RimuoviBTClick()
{
    if (CrmPanel->isVisible()) {
        CrmPanel->hide();
        AggiornaComandi();
        return;
    }
    try {
        UltimoComune = ComuniCB->currentText();
        const QString provincia = ProvinceCB->currentText();
        Table.CancellaFiltri();
        Table.Condizioni.clear();
        Table.TabelleAggiuntive.clear();
        Table.CampiOrdine.clear();
        NewDBGrid1->CampoOrdine.clear();
        {
            const QSignalBlocker blocco(ProvinceCB);
            ProvinceCB->setEditText(provincia);
        }
        ProvinceCBChange();
        ComuniCBChange();
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
    }
}

void TMainForm::F3Click()
{
    TPrefForm preferenze(*this);
    messaggi::MostraModale(preferenze);
}

void TMainForm::RicercaLibrettiActionExecute()
{
    int esito = EsitoNessuno;
    try {
        if (crm->RicercaLibretto(esito) == messaggi::mrOk) {
            CrmPanel->show();
        } else {
            if (esito == EsitoNessunaCorrispondenza)
                messaggi::MessageBox(this, TestoNessunaCorrispondenza, QStringLiteral("ATTENZIONE"), messaggi::Pulsanti::Ok,
                                     messaggi::Icona::Avviso);
            CrmPanel->hide();
        }
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
        CrmPanel->hide();
    }
    AggiornaComandi();
}

void TMainForm::PercorsoPregeoActionExecute()
{
    TPercorsiForm percorso(this);
    messaggi::MostraModale(percorso);
}

namespace {

const QString NessunaStampante = QStringLiteral("Nel computer non risulta installata alcuna stampante.");

} // namespace

void TMainForm::StampaBtClick()
{
    if (NumeroStampanti == 0) {
        messaggi::ShowMessage(NessunaStampante);
        return;
    }
    try {
        auto dialogo = componenti::CreateComObject<zrwinstampa::IZRWinStampa>(zrwinstampa::CLSID_ZRWinStampa,
                                                                              zrwinstampa::IID_IZRWinStampa);
        int copie = 1, primaPagina = 0, ultimaPagina = 0;
        bool suStampante = SuStampante, tutteLePagine = TutteLePagine;
        if (!dialogo->OpzioniStampa(copie, suStampante, tutteLePagine, primaPagina, ultimaPagina, PrinterSetupDialog1))
            return;
        // The choices are offered again at the next print.
        SuStampante = suStampante;
        TutteLePagine = tutteLePagine;
        QCoreApplication::processEvents();
        const bool libretto = CrmPanel->isVisible();
        TStampaTratte stampa(TratteOrvo, CartellaProgramma, Database.sessione());
        {
            gridkit::CursoreAttesa attesa;
            stampa.PreparaTabella(libretto ? static_cast<tabelle::TDataSet&>(crm->TabellaRisultati()) : static_cast<tabelle::TDataSet&>(Table),
                                  libretto ? TVistaStampa::Libretto : TVistaStampa::Archivio);
            stampa.ImpostaStampante(*PrinterSetupDialog1->printer());
            OrdinaReport(libretto ? crm->Griglia() : *NewDBGrid1, stampa);
        }
        StampaOAnteprima(this, TratteOrvo, stampa, SuStampante, TutteLePagine, copie, primaPagina, ultimaPagina);
    } catch (const tabelle::EAbort&) {
        // Abandoned in the engine's error box.
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
    }
}

void TMainForm::OrdinaReport(gridkit::TNewDBGrid& griglia, TStampaTratte& stampa)
{
    stampa.OrdinaReport(griglia.CampoOrdine, griglia.Ordinamento == gridkit::TOrdine::Down);
}

void TMainForm::StampaOAnteprima(QWidget* proprietario, TOrvo& orvo, TStampaTratte& stampa, bool suStampante, bool tutteLePagine,
                                 int copie, int primaPagina, int ultimaPagina)
{
    if (!suStampante) {
        MostraAnteprima(orvo);
        return;
    }
    if (TStampaTratte::IntervalloErrato(tutteLePagine, primaPagina, ultimaPagina)) {
        QWidget* attiva = QApplication::activeWindow();
        messaggi::MessageBox(attiva ? attiva : proprietario, TestoIntervalloErrato, QStringLiteral("Errore"), messaggi::Pulsanti::Ok,
                             messaggi::Icona::Errore);
        return;
    }
    stampa.Stampa(copie, tutteLePagine, primaPagina, ultimaPagina);
}

void TMainForm::MostraAnteprima(TOrvo& orvo)
{
    // The window made at start, or one for this preview.
    std::unique_ptr<TAnteprimaForm> propria;
    TAnteprimaForm* anteprima = AnteprimaForm;
    if (!anteprima) {
        propria = std::make_unique<TAnteprimaForm>(this);
        anteprima = propria.get();
    }
    anteprima->Orvo = &orvo;
    messaggi::MostraModale(*anteprima);
    // However the window went, the report window and the job go with it.
    anteprima->FormClose();
}

void TMainForm::F1Click()
{
    if (NumeroStampanti == 0) {
        messaggi::ShowMessage(NessunaStampante);
        return;
    }
    messaggi::MostraModale(*PrinterSetupDialog1);
}

void TMainForm::AiutoBtClick() { GuidaMenuClick(); }

void TMainForm::GuidaMenuClick() { aiuto::HelpContext(1); }

void TMainForm::N3Click()
{
    TAboutBox informazioni(this);
    messaggi::MostraModale(informazioni);
}

void TMainForm::FormDestroy()
{
    ValoriComune.clear();
    ComuniIntf.Reset();
}

bool TMainForm::RisolviComune(const QString& testo, QString& codiceCatastale, QString& codiceFiscale, QString& provincia,
                              QString& nomeComune)
{
    ValoriComune.clear();
    const bool trovato = ComuniIntf && ComuniIntf->CercaComune(true, false, testo, ValoriComune);
    auto valore = [this](const QString& nome) {
        for (const QString& riga : std::as_const(ValoriComune))
            if (riga.section('=', 0, 0) == nome)
                return riga.section('=', 1);
        return QString();
    };
    codiceCatastale = valore(QStringLiteral("CodiceCatastale"));
    codiceFiscale = valore(QStringLiteral("CodiceFiscale"));
    provincia = valore(QStringLiteral("Provincia"));
    nomeComune = valore(QStringLiteral("NomeComune"));
    return trovato;
}

bool TMainForm::RisolviComune(const QString& testo) { return RisolviComune(testo, CodiceCatastale, CodiceFiscale, Provincia, NomeComune); }

} // namespace tratte
