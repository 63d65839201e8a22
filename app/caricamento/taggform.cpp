#include "app/caricamento/taggform.h"

#include "aiuto/tastof1.h"
#include "app/caricamento/filedis.h"
#include "app/caricamento/tcancprovform.h"
#include "app/caricamento/tdelprvform.h"
#include "app/mainform.h"
#include "gridkit/comune/centratura.h"
#include "gridkit/comune/cursoreattesa.h"
#include "messaggi/messaggi.h"
#include "unita/unita.h"

#include <QScopeGuard>

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace tratte {

using messaggi::Icona;
using messaggi::Pulsanti;

std::function<QStringList()> TAggForm::UnitaCdRom = [] { return unita::UnitaCdRom(); };

namespace {

QLabel* Etichetta(QWidget* genitore, const char* nome, const QString& testo, bool grassetto = true)
{
    auto* l = new QLabel(testo, genitore);
    l->setObjectName(QLatin1String(nome));
    if (grassetto) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    return l;
}

QLineEdit* Lettura(QWidget* genitore, const char* nome, const QString& stile = QString())
{
    auto* e = new QLineEdit(genitore);
    e->setObjectName(QLatin1String(nome));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    if (!stile.isEmpty())
        e->setStyleSheet(stile);
    return e;
}

} // namespace

// While a procedure runs: keys discarded, the three buttons disabled; on
// every way out everything is put back and the form reset.
class TAggForm::Cornice {
public:
    explicit Cornice(TAggForm& f) : f_(f)
    {
        f_.anticipoTasti_ = true;
        for (QPushButton* b : {f_.EndBT, f_.StartBT, f_.HelpBT})
            b->setEnabled(false);
    }
    ~Cornice()
    {
        // What was typed or clicked meanwhile is spent while the keys are
        // still discarded and the buttons still disabled.
        f_.SvuotaTastiera();
        for (QPushButton* b : {f_.EndBT, f_.StartBT, f_.HelpBT})
            b->setEnabled(true);
        f_.anticipoTasti_ = false;
        f_.AzzeraForm();
    }
    Cornice(const Cornice&) = delete;
    Cornice& operator=(const Cornice&) = delete;

private:
    TAggForm& f_;
};

TAggForm::TAggForm(TMainForm& principale) : QDialog(&principale), principale_(principale)
{
    setObjectName(QStringLiteral("AggForm"));
    setWindowTitle(QStringLiteral("Aggiornamento"));
    aiuto::ImpostaGuidaFinestra(this, 10);

    SceltaGB = new QGroupBox(QStringLiteral("Caricamento da"), this);
    SceltaGB->setObjectName(QStringLiteral("SceltaGB"));
    DirectoryEdit = new QLineEdit(SceltaGB);
    DirectoryEdit->setObjectName(QStringLiteral("DirectoryEdit"));
    DirectoryBT = new QToolButton(SceltaGB);
    DirectoryBT->setObjectName(QStringLiteral("DirectoryBT"));
    DirectoryBT->setText(QStringLiteral("..."));
    Label8 = Etichetta(SceltaGB, "Label8", QStringLiteral("Numero dischi"));
    Label8->setStyleSheet(QStringLiteral("color: blue;"));
    NDiskEdit = new QLineEdit(SceltaGB);
    NDiskEdit->setObjectName(QStringLiteral("NDiskEdit"));
    NDiskEdit->setMaximumWidth(60);
    auto* sorgente = new QGridLayout(SceltaGB);
    sorgente->addWidget(DirectoryEdit, 0, 0, 1, 3);
    sorgente->addWidget(DirectoryBT, 0, 3);
    sorgente->addWidget(Label8, 1, 0);
    sorgente->addWidget(NDiskEdit, 1, 1);
    sorgente->setColumnStretch(2, 1);

    Label3 = Etichetta(this, "Label3", QStringLiteral("Cartella di archiviazione"), false);
    DirEdit = Lettura(this, "DirEdit", QStringLiteral("background: aqua; font-weight: bold;"));
    Label2 = Etichetta(this, "Label2", QStringLiteral("Provincia"));
    ProvEdit = Lettura(this, "ProvEdit", QStringLiteral("background: blue; color: yellow;"));
    Label4 = Etichetta(this, "Label4", QStringLiteral("Codice"));
    TafEdit = Lettura(this, "TafEdit");
    Label5 = Etichetta(this, "Label5", QStringLiteral("Comune"));
    ComuneEdit = Lettura(this, "ComuneEdit");
    Label6 = Etichetta(this, "Label6", QStringLiteral("File N."));
    CDiskEdit = Lettura(this, "CDiskEdit");
    PBLenFile = new QProgressBar(this);
    PBLenFile->setObjectName(QStringLiteral("PBLenFile"));
    PBNumDisk = new QProgressBar(this);
    PBNumDisk->setObjectName(QStringLiteral("PBNumDisk"));

    StartBT = new QPushButton(QStringLiteral("OK"), this);
    StartBT->setObjectName(QStringLiteral("StartBT"));
    StartBT->setDefault(true);
    QFont grassetto = StartBT->font();
    grassetto.setBold(true);
    StartBT->setFont(grassetto);
    EndBT = new QPushButton(QStringLiteral("Annulla"), this);
    EndBT->setObjectName(QStringLiteral("EndBT"));
    EndBT->setFont(grassetto);
    EndBT->setStyleSheet(QStringLiteral("color: red;"));
    HelpBT = new QPushButton(QStringLiteral("&Aiuto"), this);
    HelpBT->setObjectName(QStringLiteral("HelpBT"));

    auto* campi = new QGridLayout;
    campi->addWidget(Label3, 0, 0);
    campi->addWidget(DirEdit, 0, 1, 1, 3);
    campi->addWidget(Label2, 1, 0);
    campi->addWidget(ProvEdit, 1, 1, 1, 3);
    campi->addWidget(Label4, 2, 0);
    campi->addWidget(TafEdit, 2, 1);
    campi->addWidget(Label6, 2, 2);
    campi->addWidget(CDiskEdit, 2, 3);
    campi->addWidget(Label5, 3, 0);
    campi->addWidget(ComuneEdit, 3, 1, 1, 3);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(StartBT);
    pulsanti->addWidget(EndBT);
    pulsanti->addWidget(HelpBT);
    auto* colonna = new QVBoxLayout(this);
    colonna->addWidget(SceltaGB);
    colonna->addLayout(campi);
    colonna->addWidget(PBLenFile);
    colonna->addWidget(PBNumDisk);
    colonna->addLayout(pulsanti);

    connect(StartBT, &QPushButton::clicked, this, &TAggForm::StartBTClick);
    connect(EndBT, &QPushButton::clicked, this, [this] { done(messaggi::mrAbort); });
    connect(HelpBT, &QPushButton::clicked, this, [this] { aiuto::GuidaFinestra(this); });
    connect(DirectoryEdit, &QLineEdit::textChanged, this, &TAggForm::DirectoryEditChange);
    connect(NDiskEdit, &QLineEdit::textChanged, this, &TAggForm::NDiskEditChange);
    connect(SceltaGB, &QGroupBox::clicked, this, &TAggForm::SceltaGBClick);
    connect(DirectoryBT, &QToolButton::clicked, this, [this] {
        const QString scelta = QFileDialog::getExistingDirectory(this, QStringLiteral("Caricamento da"), DirectoryEdit->text());
        if (!scelta.isEmpty())
            DirectoryEdit->setText(QDir::toNativeSeparators(scelta));
    });
    NDiskEdit->installEventFilter(this);
    qApp->installEventFilter(this);
    principale_.AggForm = this;
    FormCreate();
    gridkit::CentraSulloSchermo(*this);
}

TAggForm::~TAggForm()
{
    if (principale_.AggForm == this)
        principale_.AggForm = nullptr;
}

// ---------------------------------------------------------------- handlers

void TAggForm::FormCreate()
{
    // Shown as it is: on this system a folder's name keeps its case.
    DirEdit->setText(QDir::toNativeSeparators(principale_.Archivio.CartellaDati()));
    AggiornaSorgente();
}

void TAggForm::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    if (!evento->spontaneous())
        FormShow();
}

void TAggForm::FormShow()
{
    for (const QString& cdrom : UnitaCdRom())
        DirectoryEdit->setText(cdrom);
    if (DirectoryEdit->text().isEmpty())
        DirectoryEdit->setText(QStringLiteral("A:\\"));
    AzzeraForm();
    setResult(0);
}

void TAggForm::reject()
{
    if (!anticipoTasti_)
        QDialog::reject();
}

void TAggForm::SceltaGBClick() { AggiornaSorgente(); }

void TAggForm::DirectoryEditChange()
{
    try {
        AggiornaSorgente();
    } catch (const std::exception&) {
    }
}

void TAggForm::NDiskEditChange()
{
    bool numero = false;
    NumeroDischi = NDiskEdit->text().toInt(&numero);
    if (!numero)
        NumeroDischi = 0;
    DiscoCorrente = 0;
}

bool TAggForm::NDiskEditKeyPress(QChar tasto)
{
    if (tasto == '\r' || tasto == '\n') {
        StartBTClick();
        return false;
    }
    return tasto == '\b' || (tasto >= '0' && tasto <= '9');
}

bool TAggForm::eventFilter(QObject* oggetto, QEvent* evento)
{
    const QEvent::Type tipo = evento->type();
    if (tipo != QEvent::KeyPress && tipo != QEvent::KeyRelease && tipo != QEvent::ShortcutOverride)
        return QDialog::eventFilter(oggetto, evento);
    // While a procedure runs, no key reaches the dialog (the boxes it
    // shows are windows of their own).
    auto* w = qobject_cast<QWidget*>(oggetto);
    if (anticipoTasti_ && w && w->window() == this)
        return true;
    if (oggetto == NDiskEdit && tipo == QEvent::KeyPress) {
        auto* tasto = static_cast<QKeyEvent*>(evento);
        if (tasto->key() == Qt::Key_Backspace)
            return false;
        if (tasto->key() == Qt::Key_Return || tasto->key() == Qt::Key_Enter)
            return !NDiskEditKeyPress('\r');
        const QString testo = tasto->text();
        if (!testo.isEmpty() && testo[0].isPrint())
            return !NDiskEditKeyPress(testo[0]);
        // Moving keys (arrows, Tab, Home) are not characters.
        return false;
    }
    return QDialog::eventFilter(oggetto, evento);
}

void TAggForm::StartBTClick()
{
    if (!QFileInfo(QDir::fromNativeSeparators(DirEdit->text())).isDir()) {
        messaggi::MessageBox(this, QStringLiteral("La Directory specificata non esiste ..."), QStringLiteral("ATTENZIONE"), Pulsanti::Ok,
                             Icona::Errore);
        DirEdit->setFocus();
        return;
    }
    try {
        if (DirectoryEdit->text().toUpper().startsWith('A'))
            CaricaDaDischi();
        else
            CaricaDaCartella();
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
    }
}

// ---------------------------------------------------------------- operations

void TAggForm::AggiornaSorgente()
{
    const bool disco = DirectoryEdit->text().toUpper().startsWith('A');
    Label6->setText(disco ? QStringLiteral("Disco N.") : QStringLiteral("File N."));
    Label8->setVisible(disco);
    NDiskEdit->setVisible(disco);
}

void TAggForm::AzzeraForm()
{
    NumeroDischi = 0;
    DiscoCorrente = 0;
    NDiskEdit->setText(QStringLiteral("0"));
    CDiskEdit->setText(QStringLiteral("0"));
    CodiceProvincia.clear();
    PBLenFile->setValue(0);
    PBNumDisk->setValue(0);
    ProvEdit->clear();
    ComuneEdit->clear();
    TafEdit->clear();
}

void TAggForm::InizializzaCaricamento()
{
    UltimoComune.clear();
    PBNumDisk->setMaximum(qMax(1, NDiskEdit->isVisibleTo(this) ? NumeroDischi : ContaFileDis()));
    PBLenFile->setValue(0);
    PBNumDisk->setValue(0);
    DiscoCorrente = 1;
    CodiceProvincia.clear();
}

int TAggForm::ContaFileDis() const
{
    const int n = int(TCaricamentoProvincia::FileDis(QDir::fromNativeSeparators(DirectoryEdit->text().trimmed())).size());
    return n == 0 ? 1 : n;
}

void TAggForm::SvuotaTastiera()
{
    // The keys typed meanwhile arrive now and are discarded.
    QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
}

bool TAggForm::RichiediDisco()
{
    QApplication::beep();
    return messaggi::MessageBox(this, QStringLiteral("Inserisci il Disco N° %1").arg(DiscoCorrente), QStringLiteral("Richiesta"),
                                Pulsanti::OkAnnulla, Icona::Informazione) != messaggi::mrOk;
}

bool TAggForm::DiscoPresente() const
{
    const QDir disco(unita::CartellaUnitaA());
    return disco.exists() && !disco.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot).isEmpty();
}

QString TAggForm::PrimoFileDisco() const
{
    const QStringList file = TCaricamentoProvincia::FileDis(unita::CartellaUnitaA());
    return file.isEmpty() ? QString() : QDir(unita::CartellaUnitaA()).filePath(file.front());
}

int TAggForm::LeggiDisco(QString& codice, QString& dataDistribuzione)
{
    while (!DiscoPresente())
        if (messaggi::MessageBox(this, QStringLiteral("Impossibile accedere all' unità  A:"), QStringLiteral("Attenzione"),
                                 Pulsanti::RiprovaAnnulla, Icona::Errore) != messaggi::mrRetry)
            return 0;
    const QString file = PrimoFileDisco();
    if (file.isEmpty())
        return 0;
    try {
        int numero = 0;
        LeggiNomeFile(file, codice, numero, dataDistribuzione);
        return numero;
    } catch (const std::exception&) {
        messaggi::MessageBox(this, QStringLiteral("Errore nell' apertura del file .dis"), QStringLiteral("*** ERRORE ***"), Pulsanti::Ok,
                             Icona::Errore);
        return 0;
    }
}

TCaricamentoProvincia::Interfaccia TAggForm::Interfaccia()
{
    TCaricamentoProvincia::Interfaccia i;
    i.ConfermaSostituzione = [this](const QString& domanda) {
        const int r = messaggi::MessageBox(this, domanda, QStringLiteral("Attenzione"), Pulsanti::OkAnnulla, Icona::Domanda, 1);
        repaint();
        return r == messaggi::mrOk;
    };
    i.InizioFile = [this](const QString& nome, qint64 dimensione, int numero) {
        ProvEdit->setText(caricamento_->NomeProvincia);
        CaricaFile(nome, dimensione, numero);
    };
    i.MostraComune = [this](const QString& codice) { MostraComune(codice); };
    i.RigaLetta = [this](qint64 riga) {
        if (riga <= PBLenFile->maximum())
            PBLenFile->setValue(int(riga));
        Respira();
    };
    i.Cancellazione = [this, attesa = std::shared_ptr<TCancProvForm>()](bool mirata, bool fine) mutable {
        if (!mirata)
            return;
        if (fine) {
            attesa.reset();
            return;
        }
        attesa = std::make_shared<TCancProvForm>(this);
        attesa->show();
        QCoreApplication::processEvents();
    };
    return i;
}

bool TAggForm::PreparaProvincia(const QString& codice)
{
    CodiceProvincia = codice;
    caricamento_->DataDistribuzione = DataDistribuzione;
    const bool r = caricamento_->PreparaProvincia(codice);
    if (r)
        ProvEdit->setText(caricamento_->NomeProvincia);
    return r;
}

void TAggForm::RegistraProvincia()
{
    const QString& nome = caricamento_->NomeProvincia;
    if (principale_.DelPrvForm && principale_.DelPrvForm->PrvList->findItems(nome, Qt::MatchExactly).isEmpty())
        principale_.DelPrvForm->PrvList->addItem(nome);
    if (principale_.ProvinceCB->findText(nome, Qt::MatchExactly) < 0)
        principale_.ProvinceCB->addItem(nome);
}

void TAggForm::ConcludiCaricamento()
{
    if (!caricamento_)
        return;
    if (caricamento_->InCorso())
        caricamento_->Conferma();
    if (!caricamento_->CodiceProvincia.isEmpty())
        RegistraProvincia();
    // The view of the archive shows what was committed.
    if (principale_.Table.TDataSet::Active())
        principale_.Table.Riapri();
}

void TAggForm::CaricaDisco(const QString& codice)
{
    Q_UNUSED(codice);
    PBNumDisk->setValue(DiscoCorrente);
    PBLenFile->setValue(0);
    gridkit::CursoreAttesa attesa;
    const QString file = PrimoFileDisco();
    if (file.isEmpty())
        throw EErroreFileDis(QStringLiteral("Nessun file di tratte nell'unità A:."));
    PBLenFile->setMaximum(qMax<qint64>(1, QFileInfo(file).size() / LunghezzaNominaleRiga));
    caricamento_->LeggiFileDis(file);
    repaint();
}

void TAggForm::CaricaFile(const QString& nome, qint64 dimensione, int numero)
{
    Q_UNUSED(nome);
    PBNumDisk->setValue(qMin(numero, PBNumDisk->maximum()));
    PBLenFile->setValue(0);
    CDiskEdit->setText(QString::number(numero));
    PBLenFile->setMaximum(int(qBound<qint64>(1, dimensione / LunghezzaNominaleRiga, qint64(INT_MAX))));
    Respira(true);
}

void TAggForm::MostraComune(const QString& codice)
{
    UltimoComune = codice;
    principale_.RisolviComune(codice, CodiceCatastale, CodiceFiscale, Provincia, NomeComune);
    TafEdit->setText(codice);
    ComuneEdit->setText(NomeComune);
    Respira(true);
}

void TAggForm::Respira(bool subito)
{
    const qint64 ora = QDateTime::currentMSecsSinceEpoch();
    if (!subito && ora - ultimoRespiro_ < 50)
        return;
    ultimoRespiro_ = ora;
    QCoreApplication::processEvents();
}

void TAggForm::EliminaProvincia(const QString& cartella, const QString& codice)
{
    Q_UNUSED(cartella); // always the data folder of the archive
    gridkit::TNewTable& tabella = principale_.Table;
    tabella.DisableControls();
    const auto riabilita = qScopeGuard([&tabella] { tabella.EnableControls(); });
    gridkit::CursoreAttesa attesa;
    TCaricamentoProvincia::Interfaccia i = Interfaccia();
    const bool aperta = tabella.TDataSet::Active();
    // Emptying the whole archive closes the view first.
    i.Cancellazione = [&tabella, attesa = i.Cancellazione](bool mirata, bool fine) mutable {
        if (!mirata && !fine)
            tabella.Close();
        attesa(mirata, fine);
    };
    TCaricamentoProvincia(principale_.Archivio, i).EliminaProvincia(codice);
    if (aperta)
        tabella.Riapri();
}

void TAggForm::AnnullaCaricamento()
{
    repaint();
    // The transaction of the load is given up: the archive, PRV.DB and the
    // lists are as before it (an older release too).
    if (caricamento_)
        caricamento_->Annulla();
}

void TAggForm::FineAggiornamento()
{
    QApplication::beep();
    messaggi::MessageBox(this, QStringLiteral("Aggiornamento Terminato ..."), QStringLiteral("AVVISO"), Pulsanti::Ok, Icona::Informazione);
    done(6);
}

// ---------------------------------------------------------------- procedures

void TAggForm::CaricaDaDischi()
{
    if (NumeroDischi < 1) {
        QApplication::beep();
        messaggi::MessageBox(this, QStringLiteral("Devi inserire il numero di dischi ...!"), QStringLiteral("AVVISO"), Pulsanti::Ok,
                             Icona::Informazione);
        return;
    }
    InizializzaCaricamento();
    Cornice cornice(*this);
    caricamento_ = std::make_unique<TCaricamentoProvincia>(principale_.Archivio, Interfaccia());
    const auto libera = qScopeGuard([this] { caricamento_.reset(); });
    for (;;) {
        if (RichiediDisco()) {
            if (!CodiceProvincia.isEmpty())
                AnnullaCaricamento();
            return;
        }
        QString codice;
        const int n = LeggiDisco(codice, DataDistribuzione);
        if (n != DiscoCorrente) {
            if (n != 0)
                continue;
            // The drive cannot be read, or holds no series file: what the
            // earlier disks loaded stays.
            ConcludiCaricamento();
            return;
        }
        if (n == 1 && !PreparaProvincia(codice))
            return;
        if (CodiceProvincia != codice) {
            QApplication::beep();
            messaggi::MessageBox(this, QStringLiteral("Il Disco inserito non appartiene al Comune in corso ..."),
                                 QStringLiteral("***ATTENZIONE***"), Pulsanti::Ok, Icona::Informazione);
            continue;
        }
        CDiskEdit->setText(QString::number(DiscoCorrente));
        CaricaDisco(codice);
        if (++DiscoCorrente > NumeroDischi) {
            ConcludiCaricamento();
            FineAggiornamento();
            return;
        }
    }
}

void TAggForm::CaricaDaCartella()
{
    InizializzaCaricamento();
    Cornice cornice(*this);
    gridkit::CursoreAttesa attesa;
    caricamento_ = std::make_unique<TCaricamentoProvincia>(principale_.Archivio, Interfaccia());
    const auto libera = qScopeGuard([this] { caricamento_.reset(); });
    const QString sorgente = QDir::fromNativeSeparators(DirectoryEdit->text().trimmed());
    if (caricamento_->CaricaDaCartella(sorgente) != TCaricamentoProvincia::Esito::Completato)
        return;
    CodiceProvincia = caricamento_->CodiceProvincia;
    ConcludiCaricamento();
    FineAggiornamento();
}

} // namespace tratte
