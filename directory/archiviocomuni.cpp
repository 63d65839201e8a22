#include "directory/archiviocomuni.h"

#include "aiuto/applicazione.h"
#include "aiuto/contesto.h"
#include "directory/archiviocomunimodins.h"
#include "directory/archiviostatimodins.h"
#include "directory/hjgenericedit.h"
#include "directory/rotellafuoco.h"
#include "directory/sceltacomune.h"
#include "gridkit/browser/recordbrowser.h"
#include "gridkit/griglia/newdbgrid.h"
#include "gridkit/pannello/pannelloavanzato.h"
#include "messaggi/messaggi.h"
#include "tabelle/campo.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QVBoxLayout>

#include <functional>

namespace borgal {

namespace {

constexpr int LarghezzaClient = 576;
constexpr int AltezzaClient = 355;
constexpr int AltezzaStatusBar = 17;
constexpr int ContestoAiuto = 70;
const QString ChiaveGriglie = QStringLiteral("\\Software\\QUINTOR\\COMMON\\BORGAL\\ArchivioComuni");

QPushButton* NuovoPulsante(QWidget* genitore, const QString& nome, const QString& testo, const QString& suggerimento)
{
    auto* b = new QPushButton(testo, genitore);
    b->setObjectName(nome);
    b->setStatusTip(suggerimento);
    b->setToolTip(suggerimento);
    return b;
}

} // namespace

// The controls of one page, and its actions.
struct TArchivioComuni_Form::Controlli {
    gridkit::TNewTable& tabella;
    tabelle::TDataSource& sorgente;
    QString nomeGriglia;
    QString colonnaNome;
    QWidget* pagina = nullptr;
    QComboBox* campo = nullptr;
    THJGenericEdit* testo = nullptr;
    gridkit::TNewDBGrid* griglia = nullptr;
    gridkit::TRecordBrowser* browser = nullptr;
    QPushButton* aggiungi = nullptr;
    QPushButton* modifica = nullptr;
    QPushButton* cancella = nullptr;
    QList<CampoRicerca> campi = {};
    // The page's editor.
    std::function<std::unique_ptr<TArchivioModIns_Form>(QWidget*)> editor = {};
};

const QList<CampoRicerca>& TArchivioComuni_Form::CampiComuni()
{
    static const QList<CampoRicerca> campi{
        {QStringLiteral("Nome comune"), QStringLiteral("NomeComune"), 286, 40},
        {QStringLiteral("Provincia"), QStringLiteral("Provincia"), 20, 2},
        {QStringLiteral("Regione"), QStringLiteral("Regione"), 146, 20},
        {QStringLiteral("CAP"), QStringLiteral("CAP"), 41, 5},
        {QStringLiteral("Prefisso telefonico"), QStringLiteral("PrefissoTelefonico"), 34, 4},
        {QStringLiteral("Codice fiscale"), QStringLiteral("CodiceFiscale"), 34, 4},
        {QStringLiteral("Codice catastale"), QStringLiteral("CodiceCatastale"), 41, 5},
    };
    return campi;
}

const QList<CampoRicerca>& TArchivioComuni_Form::CampiStati()
{
    static const QList<CampoRicerca> campi{
        {QStringLiteral("Nome stato"), QStringLiteral("NomeStato"), 286, 40},
        {QStringLiteral("Codice fiscale"), QStringLiteral("CodiceFiscale"), 34, 4},
        {QStringLiteral("Codice catastale"), QStringLiteral("CodiceCatastale"), 41, 5},
    };
    return campi;
}

TArchivioComuni_Form::TArchivioComuni_Form(QWidget* genitore)
    : QDialog(genitore ? genitore : aiuto::FinestraPrincipale(), Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint
                                                                    | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                                                    | Qt::WindowCloseButtonHint),
      ArchivioStati_NewTable(this, &tabelle::Session()), ArchivioComuni_NewTable(this, &tabelle::Session()),
      ArchivioStati_DataSource(this), ArchivioComuni_DataSource(this),
      comuni_(new Controlli{ArchivioComuni_NewTable, ArchivioComuni_DataSource, QStringLiteral("GrigliaComuni"),
                            QStringLiteral("NomeComune")}),
      stati_(new Controlli{ArchivioStati_NewTable, ArchivioStati_DataSource, QStringLiteral("GrigliaStati"),
                           QStringLiteral("NomeStato")})
{
    setObjectName(QStringLiteral("ArchivioComuni_Form"));
    setWindowTitle(QStringLiteral("Archivio Comuni"));
    setFixedSize(LarghezzaClient, AltezzaClient);
    aiuto::ImpostaContestoAiuto(this, ContestoAiuto);

    auto* colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->setSpacing(0);
    StatusBar = new QLabel(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setFixedHeight(AltezzaStatusBar);
    StatusBar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    QPalette blu = StatusBar->palette();
    blu.setColor(QPalette::WindowText, Qt::blue);
    StatusBar->setPalette(blu);
    colonna->addWidget(StatusBar);

    OvcNotebook1 = new QTabWidget(this);
    OvcNotebook1->setObjectName(QStringLiteral("OvcNotebook1"));
    OvcNotebook1->setTabPosition(QTabWidget::West);
    OvcNotebook1->setStyleSheet(
        QStringLiteral("QTabBar::tab:selected { color: green; font-weight: bold; }"));
    colonna->addWidget(OvcNotebook1, 1);

    stati_->editor = [](QWidget* g) { return std::make_unique<TArchivioStatiModIns_Form>(g); };
    comuni_->editor = [](QWidget* g) { return std::make_unique<TArchivioComuniModIns_Form>(g); };
    CreaPagina(*stati_, QStringLiteral("Stati Esteri"), CampiStati());
    CreaPagina(*comuni_, QStringLiteral("Comuni Italiani"), CampiComuni());
    StatiEsteri_Page = stati_->pagina;
    ComuniItaliani_Page = comuni_->pagina;
    StatiEsteri_Page->setObjectName(QStringLiteral("StatiEsteri_Page"));
    ComuniItaliani_Page->setObjectName(QStringLiteral("ComuniItaliani_Page"));
    CampoStati_ComboBox = stati_->campo;
    CampoComuni_ComboBox = comuni_->campo;
    TestoStati_HJGenericEdit = stati_->testo;
    TestoComuni_HJGenericEdit = comuni_->testo;
    ArchivioStati_NewDBGrid = stati_->griglia;
    ArchivioComuni_NewDBGrid = comuni_->griglia;
    ArchivioStati_RecordBrowser = stati_->browser;
    ArchivioComuni_RecordBrowser = comuni_->browser;
    AggiungiStato_Button = stati_->aggiungi;
    ModificaStato_Button = stati_->modifica;
    CancellaStato_Button = stati_->cancella;
    AggiungiComune_Button = comuni_->aggiungi;
    ModificaComune_Button = comuni_->modifica;
    CancellaComune_Button = comuni_->cancella;
    for (auto [c, nome] : {std::pair{stati_.get(), QStringLiteral("Stati")}, {comuni_.get(), QStringLiteral("Comuni")}}) {
        c->campo->setObjectName("Campo" + nome + "_ComboBox");
        c->testo->setObjectName("Testo" + nome + "_HJGenericEdit");
        c->griglia->setObjectName("Archivio" + nome + "_NewDBGrid");
        c->browser->setObjectName("Archivio" + nome + "_RecordBrowser");
    }
    AggiungiStato_Button->setObjectName(QStringLiteral("AggiungiStato_Button"));
    ModificaStato_Button->setObjectName(QStringLiteral("ModificaStato_Button"));
    CancellaStato_Button->setObjectName(QStringLiteral("CancellaStato_Button"));
    AggiungiComune_Button->setObjectName(QStringLiteral("AggiungiComune_Button"));
    ModificaComune_Button->setObjectName(QStringLiteral("ModificaComune_Button"));
    CancellaComune_Button->setObjectName(QStringLiteral("CancellaComune_Button"));

    using gridkit::TOptionMenu;
    ArchivioComuni_NewDBGrid->OptionMenu = {TOptionMenu::opm_OrdCrescente, TOptionMenu::opm_OrdDecrescente,
                                            TOptionMenu::opm_Adatta, TOptionMenu::opm_VisCampi};
    ArchivioStati_NewDBGrid->OptionMenu = {TOptionMenu::opm_OrdCrescente, TOptionMenu::opm_OrdDecrescente,
                                           TOptionMenu::opm_Adatta,       TOptionMenu::opm_Taglia,
                                           TOptionMenu::opm_Copia,        TOptionMenu::opm_Incolla,
                                           TOptionMenu::opm_Elimina,      TOptionMenu::opm_VisCampi,
                                           TOptionMenu::opm_Annulla};
    ImpostaGriglia(*comuni_, CampiComuni(),
                   {QStringLiteral("Nome comune"), QStringLiteral("Provincia"), QStringLiteral("Regione"),
                    QStringLiteral("CAP"), QStringLiteral("Prefisso telefonico"), QStringLiteral("Codice fiscale"),
                    QStringLiteral("Codice catastale")});
    ArchivioComuni_NewDBGrid->Columns()[2].SetWidth(170); // the region, wider
    ImpostaGriglia(*stati_, CampiStati(),
                   {QStringLiteral("Nome stato"), QStringLiteral("Codice fiscale"), QStringLiteral("Codice catastale")});

    connect(CampoComuni_ComboBox, &QComboBox::activated, this, [this] { CampoComuni_ComboBoxChange(); });
    connect(CampoStati_ComboBox, &QComboBox::activated, this, [this] { CampoStati_ComboBoxChange(); });
    connect(TestoComuni_HJGenericEdit, &QLineEdit::textChanged, this, [this] { TestoComuni_HJGenericEditChange(); });
    connect(TestoStati_HJGenericEdit, &QLineEdit::textChanged, this, [this] { TestoStati_HJGenericEditChange(); });
    TestoComuni_HJGenericEdit->installEventFilter(this);
    connect(AggiungiComune_Button, &QPushButton::clicked, this, &TArchivioComuni_Form::AggiungiComune_ButtonClick);
    connect(ModificaComune_Button, &QPushButton::clicked, this, &TArchivioComuni_Form::ModificaComune_ButtonClick);
    connect(CancellaComune_Button, &QPushButton::clicked, this, &TArchivioComuni_Form::CancellaComune_ButtonClick);
    connect(AggiungiStato_Button, &QPushButton::clicked, this, &TArchivioComuni_Form::AggiungiStato_ButtonClick);
    connect(ModificaStato_Button, &QPushButton::clicked, this, &TArchivioComuni_Form::ModificaStato_ButtonClick);
    connect(CancellaStato_Button, &QPushButton::clicked, this, &TArchivioComuni_Form::CancellaStato_ButtonClick);
    ArchivioComuni_NewDBGrid->OnDblClick = [this] { ModificaComune_ButtonClick(); };
    ArchivioStati_NewDBGrid->OnDblClick = [this] { ModificaStato_ButtonClick(); };
    // The browser's insert button adds through the editor, not in the grid.
    for (auto [c, aggiungi] : {std::pair{comuni_.get(), &TArchivioComuni_Form::AggiungiComune_ButtonClick},
                               {stati_.get(), &TArchivioComuni_Form::AggiungiStato_ButtonClick}}) {
        disconnect(c->browser->InserisciBt, &QToolButton::clicked, c->browser, nullptr);
        connect(c->browser->InserisciBt, &QToolButton::clicked, this, aggiungi);
    }

    OvcNotebook1->setCurrentIndex(PaginaComuni);
    rotella_ = new RotellaSpostaFuoco(this);
    // At the top-left corner of the screen.
    move(0, 0);
}

TArchivioComuni_Form::~TArchivioComuni_Form()
{
    // The grids go before the data sources and tables they show.
    delete OvcNotebook1;
}

void TArchivioComuni_Form::CreaPagina(Controlli& p, const QString& titolo, const QList<CampoRicerca>& campi)
{
    p.campi = campi;
    auto* pannello = new gridkit::TAdvancedPanel;
    p.pagina = pannello;
    OvcNotebook1->addTab(pannello, titolo);
    auto* contenuto = new QWidget(pannello);
    gridkit::ImpostaAllineamento(contenuto, gridkit::alClient);
    auto* colonna = new QVBoxLayout(contenuto);
    colonna->setContentsMargins(6, 4, 6, 6);
    colonna->setSpacing(4);

    auto* ricerca = new QGroupBox(QStringLiteral("Ricerca"), contenuto);
    auto* riga = new QHBoxLayout(ricerca);
    riga->setContentsMargins(6, 2, 6, 4);
    riga->addWidget(new QLabel(QStringLiteral("Campo"), ricerca));
    p.campo = new QComboBox(ricerca);
    for (const CampoRicerca& c : campi)
        p.campo->addItem(c.voce);
    p.campo->setStatusTip(QStringLiteral("Campo su cui effettuare la ricerca"));
    riga->addWidget(p.campo);
    riga->addSpacing(8);
    riga->addWidget(new QLabel(QStringLiteral("Testo"), ricerca));
    p.testo = new THJGenericEdit(ricerca);
    p.testo->SetCharCase(TEditCharCase::ecUpperCase);
    p.testo->SetHint(QStringLiteral("Testo da cercare|Testo da cercare nel campo scelto"));
    riga->addWidget(p.testo);
    riga->addStretch(1);
    colonna->addWidget(ricerca);

    p.griglia = new gridkit::TNewDBGrid(contenuto);
    colonna->addWidget(p.griglia, 1);
    p.browser = new gridkit::TRecordBrowser(contenuto);
    p.browser->SetVisInsertButton(true);
    colonna->addWidget(p.browser);

    auto* pulsanti = new QHBoxLayout;
    p.aggiungi = NuovoPulsante(contenuto, QString(), QStringLiteral("&Aggiungi"), QStringLiteral("Aggiunge un nuovo record"));
    p.modifica = NuovoPulsante(contenuto, QString(), QStringLiteral("&Modifica"), QStringLiteral("Modifica il record corrente"));
    p.cancella = NuovoPulsante(contenuto, QString(), QStringLiteral("&Cancella"), QStringLiteral("Cancella il record corrente"));
    auto* ok = NuovoPulsante(contenuto, QStringLiteral("Ok_Button"), QStringLiteral("OK"), QStringLiteral("Conferma la scelta ed esce"));
    auto* annulla = NuovoPulsante(contenuto, QStringLiteral("Annulla_Button"), QStringLiteral("Annulla"),
                                  QStringLiteral("Esce senza scegliere"));
    auto* guida = NuovoPulsante(contenuto, QStringLiteral("Aiuto_Button"), QStringLiteral("Aiuto"), QStringLiteral("Guida"));
    for (QPushButton* b : {p.aggiungi, p.modifica, p.cancella})
        pulsanti->addWidget(b);
    pulsanti->addStretch(1);
    for (QPushButton* b : {ok, annulla, guida})
        pulsanti->addWidget(b);
    colonna->addLayout(pulsanti);
    connect(ok, &QPushButton::clicked, this, [this] { done(messaggi::mrOk); });
    connect(annulla, &QPushButton::clicked, this, [this] { done(messaggi::mrCancel); });
    connect(guida, &QPushButton::clicked, this, &TArchivioComuni_Form::Aiuto_ButtonClick);
}

void TArchivioComuni_Form::ImpostaGriglia(Controlli& p, const QList<CampoRicerca>& campi, const QStringList& titoli)
{
    gridkit::TNewDBGrid& g = *p.griglia;
    p.tabella.ReadOnly = true;
    p.sorgente.SetDataSet(&p.tabella);
    for (const char* campo : {"ID_001_TABLE", "SysField", "Info", "CodOp"})
        p.tabella.ImpostaCampo(campo, {QString(), 0, QString(), false});
    g.SetReadOnly(true);
    g.SetOptions(g.Options().con(gridkit::TDBGridOption::dgRowSelect).senza(gridkit::TDBGridOption::dgEditing));
    QPalette acqua = g.palette();
    acqua.setColor(QPalette::Base, QColor(0x00, 0xFF, 0xFF));
    g.setPalette(acqua);
    g.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    g.Ordinamento = gridkit::TOrdine::Up;
    g.RegPathName = ChiaveGriglie;
    g.RegKey = p.nomeGriglia;
    g.LeggiInAvvio = true;
    g.SalvaInUscita = true;
    g.setAcceptDrops(false);
    g.viewport()->setAcceptDrops(false);
    QStringList visibili;
    for (int i = 0; i < campi.size(); ++i) {
        gridkit::TColumn& colonna = g.Columns().Add();
        colonna.SetFieldName(campi[i].colonna);
        colonna.SetTitleCaption(titoli.value(i));
        visibili << campi[i].colonna;
    }
    g.SetCampiVisibili(visibili);
    g.SetDataSource(&p.sorgente);
    g.installEventFilter(this);
    p.browser->SetDataSource(&p.sorgente);
    g.Loaded();
}

// ---------------------------------------------------------------- loading

bool TArchivioComuni_Form::Apri(Controlli& p, const QString& percorso)
{
    if (percorso.isEmpty())
        return false;
    p.tabella.Close();
    const qsizetype barra = std::max(percorso.lastIndexOf(u'/'), percorso.lastIndexOf(u'\\'));
    p.tabella.DatabaseName = barra < 0 ? QString() : percorso.left(barra + 1);
    p.tabella.SetTableName(percorso.mid(barra + 1));
    p.tabella.Riapri();
    return true;
}

bool TArchivioComuni_Form::ApriArchivioComuni(const QString& percorso) { return Apri(*comuni_, percorso); }

bool TArchivioComuni_Form::ApriArchivioStati(const QString& percorso) { return Apri(*stati_, percorso); }

void TArchivioComuni_Form::AbilitaPagina(Pagina pagina, bool abilitata)
{
    OvcNotebook1->setTabEnabled(pagina, abilitata);
    OvcNotebook1->widget(pagina)->setEnabled(abilitata);
}

void TArchivioComuni_Form::SetPaginaCorrente(Pagina pagina)
{
    // A disabled tab is made current all the same, as the notebook would.
    const bool abilitata = OvcNotebook1->isTabEnabled(pagina);
    OvcNotebook1->setTabEnabled(pagina, true);
    OvcNotebook1->setCurrentIndex(pagina);
    OvcNotebook1->setTabEnabled(pagina, abilitata);
}

TArchivioComuni_Form::Pagina TArchivioComuni_Form::PaginaCorrente() const
{
    return OvcNotebook1->currentIndex() == PaginaStati ? PaginaStati : PaginaComuni;
}

QString TArchivioComuni_Form::NomeCorrente() const
{
    const Controlli& p = PaginaCorrente() == PaginaStati ? *stati_ : *comuni_;
    if (!p.tabella.TDataSet::Active() || p.tabella.IsEmpty())
        return QString();
    return p.tabella.FieldByName(p.colonnaNome)->AsString();
}

// ---------------------------------------------------------------- showing

void TArchivioComuni_Form::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    if (mostrata_)
        return;
    mostrata_ = true;
    comuni_->testo->clear();
    stati_->testo->clear();
    for (Controlli* p : {stati_.get(), comuni_.get()})
        if (OvcNotebook1->isTabEnabled(p == stati_.get() ? PaginaStati : PaginaComuni)) {
            p->campo->setCurrentIndex(0);
            ApplicaCampo(*p);
            Cerca(*p);
        }
}

void TArchivioComuni_Form::done(int risultato)
{
    comuni_->griglia->SalvaInChiusura();
    stati_->griglia->SalvaInChiusura();
    QDialog::done(risultato);
}

bool TArchivioComuni_Form::event(QEvent* evento)
{
    if (evento->type() == QEvent::StatusTip) {
        StatusBar->setText(ParteLungaSuggerimento(static_cast<QStatusTipEvent*>(evento)->tip()));
        return true;
    }
    return QDialog::event(evento);
}

bool TArchivioComuni_Form::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (evento->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(evento)->key() == Qt::Key_Space
        && static_cast<QKeyEvent*>(evento)->modifiers() == Qt::NoModifier) {
        if (oggetto == comuni_->griglia) {
            ModificaComune_ButtonClick();
            return true;
        }
        if (oggetto == stati_->griglia) {
            ModificaStato_ButtonClick();
            return true;
        }
    }
    if (evento->type() == QEvent::FocusIn && oggetto == comuni_->testo)
        Cerca(*comuni_);
    return QDialog::eventFilter(oggetto, evento);
}

// ---------------------------------------------------------------- search

void TArchivioComuni_Form::ApplicaCampo(Controlli& p)
{
    p.testo->clear();
    const int indice = p.campo->currentIndex();
    p.testo->setVisible(indice >= 0);
    if (indice < 0)
        return;
    const CampoRicerca& c = p.campi.at(indice);
    p.testo->setFixedWidth(c.larghezza);
    p.testo->SetMaxLength(c.lunghezza);
    p.griglia->CampoOrdine = c.colonna;
    p.griglia->Ordinamento = gridkit::TOrdine::Up;
    if (p.tabella.TDataSet::Active())
        p.griglia->ApplicaOrdinamento();
    p.griglia->viewport()->update();
}

void TArchivioComuni_Form::Cerca(Controlli& p)
{
    const int indice = p.campo->currentIndex();
    if (indice < 0 || !p.tabella.TDataSet::Active() || p.tabella.IsEmpty())
        return;
    const QString testo = p.testo->text();
    if (testo.isEmpty()) {
        p.tabella.First();
        return;
    }
    const tabelle::TField* campo = p.tabella.FindField(p.campi.at(indice).colonna);
    if (!campo)
        return;
    const int colonna = campo->Index();
    for (int riga = 0; riga < p.tabella.RecordCount(); ++riga)
        if (p.tabella.ValoreRiga(riga, colonna).toString().startsWith(testo, Qt::CaseInsensitive)) {
            p.tabella.SetRecNo(riga + 1);
            return;
        }
}

void TArchivioComuni_Form::CampoComuni_ComboBoxChange()
{
    ApplicaCampo(*comuni_);
    Cerca(*comuni_);
}

void TArchivioComuni_Form::CampoStati_ComboBoxChange()
{
    ApplicaCampo(*stati_);
    Cerca(*stati_);
}

void TArchivioComuni_Form::TestoComuni_HJGenericEditChange() { Cerca(*comuni_); }

void TArchivioComuni_Form::TestoStati_HJGenericEditChange() { Cerca(*stati_); }

void TArchivioComuni_Form::Aiuto_ButtonClick() { aiuto::HelpContext(ContestoAiuto); }

// ---------------------------------------------------------------- actions

void TArchivioComuni_Form::Rileggi(Controlli& p, qint64 id)
{
    p.tabella.Riapri();
    if (id > 1)
        p.tabella.Locate(QStringLiteral("ID_001_TABLE"), {id});
}

void TArchivioComuni_Form::Aggiungi(Controlli& p)
{
    if (!p.tabella.TDataSet::Active())
        return;
    std::unique_ptr<TArchivioModIns_Form> editor = p.editor(this);
    std::unique_ptr<tabelle::TTable> viva = p.tabella.GetLiveTable();
    if (!viva)
        return;
    if (editor->AggiungiRecord(*viva))
        Rileggi(p, viva->FieldByName(QStringLiteral("ID_001_TABLE"))->AsInteger());
}

void TArchivioComuni_Form::Modifica(Controlli& p)
{
    if (!p.tabella.TDataSet::Active() || p.tabella.IsEmpty())
        return;
    std::unique_ptr<TArchivioModIns_Form> editor = p.editor(this);
    std::unique_ptr<tabelle::TTable> viva = p.tabella.GetLiveTable();
    if (!viva || viva->IsEmpty())
        return;
    if (editor->ModificaRecord(*viva))
        Rileggi(p, viva->FieldByName(QStringLiteral("ID_001_TABLE"))->AsInteger());
}

void TArchivioComuni_Form::Cancella(Controlli& p)
{
    if (!p.tabella.TDataSet::Active() || p.tabella.IsEmpty())
        return;
    if (messaggi::MessageBox(this, QStringLiteral("Cancellare il record corrente?"), QStringLiteral("Attenzione"),
                             messaggi::Pulsanti::SiNo, messaggi::Icona::Avviso)
        != messaggi::mrYes)
        return;
    const int riga = p.tabella.RecNo();
    {
        std::unique_ptr<tabelle::TTable> viva = p.tabella.GetLiveTable();
        if (!viva || viva->IsEmpty())
            return;
        viva->Delete();
    }
    p.tabella.Riapri();
    // The row that followed the deleted one.
    if (!p.tabella.IsEmpty())
        p.tabella.SetRecNo(std::min(riga, p.tabella.RecordCount()));
}

void TArchivioComuni_Form::AggiungiComune_ButtonClick() { Aggiungi(*comuni_); }
void TArchivioComuni_Form::ModificaComune_ButtonClick() { Modifica(*comuni_); }
void TArchivioComuni_Form::CancellaComune_ButtonClick() { Cancella(*comuni_); }
void TArchivioComuni_Form::AggiungiStato_ButtonClick() { Aggiungi(*stati_); }
void TArchivioComuni_Form::ModificaStato_ButtonClick() { Modifica(*stati_); }
void TArchivioComuni_Form::CancellaStato_ButtonClick() { Cancella(*stati_); }

} // namespace borgal
