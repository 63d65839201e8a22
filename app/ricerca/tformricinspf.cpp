#include "app/ricerca/tformricinspf.h"

#include "aiuto/tastof1.h"
#include "app/mainform.h"
#include "app/navigazione.h"
#include "app/ricerca/ttratteform.h"
#include "messaggi/messaggi.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

namespace tratte {

using namespace tabelle;

namespace {

const QStringList CampiChiave{"Comune", "Sezione", "Foglio", "Allegato", "PF"};

void Avviso(QWidget* genitore, const QString& testo)
{
    messaggi::MessageBox(genitore, testo, QStringLiteral("Avviso"), messaggi::Pulsanti::Ok, messaggi::Icona::Avviso);
}

} // namespace

TFormRicInsPF::TFormRicInsPF(TMainForm& principale)
    : QDialog(&principale), PrvTable(this), CodQuery(this), DataSource1(this), principale_(principale)
{
    setObjectName("FormRicInsPF");
    setWindowTitle(QStringLiteral("Punto Fiduciale da inserire in ricerca"));
    aiuto::ImpostaGuidaFinestra(this, 31);
    // The comuni the archive dialog deleted are not there.
    CodQuery.SQL = QStringList{"Select * from \"KWArchivioComuni.db\" com", "Where (com.\"CodiceFiscale\" like :Codice or",
                               "com.\"NomeComune\" like:Codice)", TNavigazione::ComuniVivi()};

    auto* colonna = new QVBoxLayout(this);
    auto* gruppo = new QGroupBox(QStringLiteral("Nome o Codice Comune"), this);
    auto* rigaComune = new QHBoxLayout(gruppo);
    EditCB = new QComboBox(gruppo);
    EditCB->setObjectName("EditCB");
    EditCB->setEditable(true);
    EditCB->setInsertPolicy(QComboBox::NoInsert);
    EditCB->setCompleter(nullptr);
    EditCB->setMinimumWidth(200);
    ArchivioSB = new QToolButton(gruppo);
    ArchivioSB->setObjectName("ArchivioSB");
    ArchivioSB->setText("...");
    PanelComune = new QLabel(gruppo);
    PanelComune->setObjectName("PanelComune");
    PanelComune->setFrameShape(QFrame::Panel);
    PanelComune->setFrameShadow(QFrame::Sunken);
    PanelComune->setMinimumWidth(160);
    PanelComune->setFocusPolicy(Qt::StrongFocus);
    rigaComune->addWidget(EditCB, 1);
    rigaComune->addWidget(ArchivioSB);
    rigaComune->addWidget(PanelComune, 1);
    colonna->addWidget(gruppo);

    auto* campi = new QGridLayout();
    auto campo = [&](const char* nome, const QString& etichetta, const QString& dato, int lunghezza, int posizione) {
        auto* e = new TCampoLegato(this);
        e->setObjectName(nome);
        e->DataField = dato;
        e->setMaxLength(lunghezza);
        e->SetDataSource(&DataSource1);
        campi->addWidget(new QLabel(etichetta, this), 0, posizione);
        campi->addWidget(e, 1, posizione);
        return e;
    };
    EditSezione = campo("EditSezione", "Sezione", "Sezione", 1, 0);
    EditFoglio = campo("EditFoglio", "Foglio", "Foglio", 4, 1);
    EditAllegato = campo("EditAllegato", "Allegato", "Allegato", 1, 2);
    EditPF = campo("EditPF", "PF", "PF", 2, 3);
    // The section comes from the comune: not a tab stop.
    EditSezione->setFocusPolicy(Qt::ClickFocus);
    for (QLineEdit* e : {static_cast<QLineEdit*>(EditFoglio), static_cast<QLineEdit*>(EditPF)})
        e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), e));
    colonna->addLayout(campi);

    auto* pulsanti = new QHBoxLayout();
    auto pulsante = [&](const char* nome, const QString& testo) {
        auto* b = new QPushButton(testo, this);
        b->setObjectName(nome);
        b->setAutoDefault(false);
        pulsanti->addWidget(b);
        return b;
    };
    AggiungiBT = pulsante("AggiungiBT", "Altro");
    AggiungiBT->setDefault(true);
    AggiungiBT->setToolTip(QStringLiteral("Aggiunge PF in elenco ricerca"));
    AggiungiBT->setStatusTip(QStringLiteral("Aggiunge il PF nella tabella elenco tratte da ricercare"));
    OKBT = pulsante("OKBT", "OK");
    AnnullaBT = pulsante("AnnullaBT", "Annulla");
    AiutoBT = pulsante("AiutoBT", "Aiuto");
    colonna->addLayout(pulsanti);

    // The window system gives keys and focus to the box, which passes them
    // on to its edit field past any filter: both are watched.
    EditCB->installEventFilter(this);
    EditCB->lineEdit()->installEventFilter(this);
    // Engine errors of the handlers go to the error box.
    auto gestore = [this](void (TFormRicInsPF::*metodo)()) {
        return [this, metodo] {
            try {
                (this->*metodo)();
            } catch (const std::exception& errore) {
                messaggi::MostraErrore(errore);
            }
        };
    };
    connect(ArchivioSB, &QToolButton::clicked, this, gestore(&TFormRicInsPF::ArchivioSBClick));
    connect(AggiungiBT, &QPushButton::clicked, this, gestore(&TFormRicInsPF::AggiungiBTClick));
    connect(OKBT, &QPushButton::clicked, this, gestore(&TFormRicInsPF::OKBTClick));
    connect(AnnullaBT, &QPushButton::clicked, this, gestore(&TFormRicInsPF::AnnullaBTClick));
    connect(AiutoBT, &QPushButton::clicked, this, &TFormRicInsPF::AiutoBTClick);
    principale_.FormRicInsPF = this;
}

TFormRicInsPF::~TFormRicInsPF()
{
    if (principale_.FormRicInsPF == this)
        principale_.FormRicInsPF = nullptr;
}

bool TFormRicInsPF::InModifica() const
{
    return tabella_ && (tabella_->State() == TDataSetState::dsEdit || tabella_->State() == TDataSetState::dsInsert);
}

int TFormRicInsPF::EditaPF(TTable& tabella)
{
    PrvTable.Close();
    PrvTable.DatabaseName = principale_.PrvTable.DatabaseName;
    PrvTable.TableName = QStringLiteral("Prv.db");
    PrvTable.IndexFieldNames = QStringLiteral("CODEPRV");
    tabella_ = &tabella;
    DataSource1.SetDataSet(&tabella);
    CodQuery.DatabaseName = principale_.Query1.DatabaseName;
    if (tabella.State() == TDataSetState::dsBrowse) {
        const QString comune = principale_.ComuniCB->currentText();
        EditCB->setEditText(comune == TuttiIComuni ? QString() : comune);
    }
    if (tabella.State() != TDataSetState::dsEdit) {
        tabella.Append();
        PanelComune->clear();
        comuneVerificato_.clear();
    }
    const int risultato = messaggi::MostraModale(*this);
    // However the window went, no row stays pending.
    FormClose();
    return risultato;
}

void TFormRicInsPF::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    FormShow();
}

void TFormRicInsPF::FormShow()
{
    CodQuery.DatabaseName = principale_.Query1.DatabaseName;
    EditCB->setFocus();
}

void TFormRicInsPF::FormClose()
{
    if (InModifica())
        tabella_->Cancel();
}

void TFormRicInsPF::done(int risultato)
{
    FormClose();
    QDialog::done(risultato);
}

bool TFormRicInsPF::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == EditCB || oggetto == EditCB->lineEdit()) {
        if (evento->type() == QEvent::KeyPress) {
            auto* tasto = static_cast<QKeyEvent*>(evento);
            if (tasto->key() == Qt::Key_Tab) {
                PanelComune->setFocus(Qt::TabFocusReason);
                return true;
            }
            const QString testo = tasto->text();
            if (testo.size() == 1 && testo[0] >= 'a' && testo[0] <= 'z') {
                QKeyEvent maiuscolo(tasto->type(), tasto->key(), tasto->modifiers(), testo.toUpper(), tasto->isAutoRepeat(),
                                    tasto->count());
                EditCB->lineEdit()->event(&maiuscolo);
                return true;
            }
        } else if (evento->type() == QEvent::FocusOut) {
            const auto motivo = static_cast<QFocusEvent*>(evento)->reason();
            // A box of its own or the list of the box takes the focus only for a while.
            if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason && isVisible()) {
                try {
                    EditCBExit();
                } catch (const std::exception& errore) {
                    messaggi::MostraErrore(errore);
                }
            }
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}

void TFormRicInsPF::ImpostaSezione(const QString& sezione)
{
    if (!InModifica())
        return;
    TField* campo = tabella_->FieldByName("Sezione");
    if (sezione.isEmpty())
        campo->Clear();
    else
        campo->SetAsString(sezione);
}

void TFormRicInsPF::EditCBExit()
{
    if (inUscita_)
        return;
    inUscita_ = true;
    struct Fine {
        bool& f;
        ~Fine() { f = false; }
    } fine{inUscita_};
    const QString testo = EditCB->currentText();
    comuneVerificato_.clear();
    if (testo.isEmpty()) {
        PanelComune->clear();
        return;
    }
    CodQuery.Close();
    CodQuery.ParamByName("Codice").SetAsString(testo);
    CodQuery.Open();
    const bool trovato = CodQuery.RecordCount() > 0;
    if (!trovato) {
        Avviso(this, QStringLiteral("Comune inesistente"));
        EditCB->setFocus();
    }
    QString altro;
    if (trovato) {
        CodQuery.First();
        altro = CodQuery.FieldByName(IsCodice(testo) ? "NomeComune" : "CodiceFiscale")->AsString();
    }
    PanelComune->setText(altro);
    CodQuery.Close();
    const QString nome = IsCodice(PanelComune->text()) ? testo : PanelComune->text();
    principale_.RisolviComune(nome, CodiceCatastale, CodiceFiscale, Provincia, NomeComune);
    ImpostaSezione(CodiceCatastale.length() == 5 ? CodiceCatastale.mid(4, 1) : QString());
    if (trovato)
        comuneVerificato_ = testo;
}

bool TFormRicInsPF::VerificaComune()
{
    const QString testo = EditCB->currentText();
    if (testo.isEmpty())
        return true;
    if (comuneVerificato_ != testo)
        EditCBExit();
    return comuneVerificato_ == testo;
}

void TFormRicInsPF::MostraComune(const QString& testo, const QString& altraMeta)
{
    EditCB->setEditText(testo);
    PanelComune->setText(altraMeta);
    comuneVerificato_ = testo;
}

bool TFormRicInsPF::ValidaCampi()
{
    if (!InModifica() || !VerificaComune())
        return false;
    for (TCampoLegato* e : {EditSezione, EditFoglio, EditAllegato, EditPF})
        e->Scrivi();
    const QString comune = IsCodice(PanelComune->text()) ? PanelComune->text() : EditCB->currentText();
    TField* campo = tabella_->FieldByName("Comune");
    if (comune.isEmpty())
        campo->Clear();
    else
        campo->SetAsString(comune);
    if (campo->IsNull()) {
        messaggi::ShowMessage(QStringLiteral("Inserire il codice o il nome del comune"));
        EditCB->setFocus();
        return false;
    }
    if (tabella_->FieldByName("Foglio")->IsNull()) {
        messaggi::ShowMessage(QStringLiteral("Inserire il foglio"));
        EditFoglio->setFocus();
        return false;
    }
    if (tabella_->FieldByName("PF")->IsNull()) {
        messaggi::ShowMessage(QStringLiteral("Inserire il Punto Fiduciale"));
        EditPF->setFocus();
        return false;
    }
    return true;
}

bool TFormRicInsPF::SalvaPF()
{
    Duplicato = false;
    if (!InModifica())
        return false;
    QVariantList chiave;
    for (const QString& n : CampiChiave)
        chiave << tabella_->FieldByName(n)->Value();
    const qint64 propria = tabella_->State() == TDataSetState::dsEdit ? tabella_->FieldByName("ID_001_TABLE")->AsInteger() : -1;
    bool trovato = false;
    {
        TTable ricerca(nullptr, &tabella_->sessione());
        ricerca.DatabaseName = tabella_->DatabaseName;
        ricerca.TableName = tabella_->TableName;
        ricerca.IndexFieldNames = CampiChiave.join(';');
        ricerca.Open();
        // The row being edited is not a duplicate of itself.
        if (ricerca.FindKey(chiave)) {
            for (; !ricerca.Eof() && !trovato; ricerca.Next()) {
                bool uguale = true;
                for (int k = 0; k < CampiChiave.size() && uguale; ++k)
                    uguale = ConfrontaValori(ricerca.FieldByName(CampiChiave[k])->Value(), chiave[k]) == 0;
                if (!uguale)
                    break;
                trovato = ricerca.FieldByName("ID_001_TABLE")->AsInteger() != propria;
                if (ricerca.RecNo() == ricerca.RecordCount())
                    break;
            }
        }
    }
    if (trovato) {
        Avviso(this, QStringLiteral("Dato già inserito!"));
        EditFoglio->setFocus();
        Duplicato = true;
        return false;
    }
    try {
        tabella_->Post();
    } catch (const std::exception&) {
        messaggi::ShowMessage(QStringLiteral("Errore nell'inserimento"));
        return false;
    }
    EditCB->setFocus();
    return true;
}

bool TFormRicInsPF::ProvinciaCaricata(const QString& testo)
{
    const QString codice = IsCodice(testo) ? testo : PanelComune->text();
    principale_.RisolviComune(codice, CodiceCatastale, CodiceFiscale, Provincia, NomeComune);
    if (!Provincia.isEmpty() && PrvTable.Active() && PrvTable.FindKey({Provincia}))
        return true;
    return !NomeComune.isEmpty() && principale_.ComuniCB->findText(NomeComune, Qt::MatchFixedString) >= 0;
}

void TFormRicInsPF::AggiungiBTClick()
{
    if (!VerificaComune()) {
        AggiornaPulsantiElenco();
        return;
    }
    PrvTable.Open();
    if (!ProvinciaCaricata(EditCB->currentText())) {
        Avviso(this, QStringLiteral("Comune non appartenente alle province caricate in memoria"));
        EditCB->setFocus();
        PrvTable.Close();
        return;
    }
    PrvTable.Close();
    if (ValidaCampi()) {
        const QString sezione = tabella_->FieldByName("Sezione")->AsString();
        const QVariant foglio = tabella_->FieldByName("Foglio")->Value();
        const QString allegato = tabella_->FieldByName("Allegato")->AsString();
        if (SalvaPF()) {
            // The next point of the same sheet.
            tabella_->Append();
            ImpostaSezione(sezione);
            tabella_->FieldByName("Foglio")->SetValue(foglio);
            if (!allegato.isEmpty() && allegato != "0")
                tabella_->FieldByName("Allegato")->SetAsString(allegato);
            EditPF->setFocus();
        }
    }
    AggiornaPulsantiElenco();
}

void TFormRicInsPF::OKBTClick()
{
    if (ValidaCampi()) {
        SalvaPF();
        done(messaggi::mrOk);
    }
    AggiornaPulsantiElenco();
}

void TFormRicInsPF::AnnullaBTClick()
{
    AggiornaPulsantiElenco();
    done(messaggi::mrCancel);
    AggiornaPulsantiElenco();
}

void TFormRicInsPF::AiutoBTClick() { aiuto::GuidaFinestra(this); }

void TFormRicInsPF::ArchivioSBClick()
{
    if (!principale_.ComuniIntf)
        return;
    const QString nome = principale_.ComuniIntf->MostraArchivio(true, false);
    if (!nome.isEmpty()) {
        EditCB->setEditText(nome);
        // The panel and the section follow the comune chosen.
        EditCBExit();
    }
}

void TFormRicInsPF::AggiornaPulsantiElenco()
{
    if (principale_.TratteForm)
        principale_.TratteForm->AggiornaPulsanti();
}

} // namespace tratte
