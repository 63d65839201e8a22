#include "app/ricerca/ttratteform.h"

#include "aiuto/tastof1.h"
#include "app/mainform.h"
#include "app/ricerca/ricercapf.h"
#include "app/ricerca/tformricinspf.h"
#include "gridkit/browser/navigatore.h"
#include "messaggi/messaggi.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace tratte {

using namespace tabelle;

TTratteForm::TTratteForm(TMainForm& principale) : QDialog(&principale), Table1(this), DataSource1(this), principale_(principale)
{
    setObjectName("TratteForm");
    setWindowTitle(QStringLiteral("Elenco ricerca tratte tra Punti Fiduciali"));
    aiuto::ImpostaGuidaFinestra(this, 17);
    DataSource1.SetDataSet(&Table1);

    auto* colonna = new QVBoxLayout(this);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName("DBGrid1");
    ModelloDBGrid1 = new ModelloElencoPF(
        [this](const QString& comune, const QString& sezione) {
            QString catastale, fiscale, provincia, nome;
            if (!sezione.isEmpty() && principale_.RisolviComune(comune + sezione, catastale, fiscale, provincia, nome))
                return nome;
            principale_.RisolviComune(comune, catastale, fiscale, provincia, nome);
            return nome;
        },
        this);
    ModelloDBGrid1->SetDataSource(&DataSource1);
    DBGrid1->setModel(ModelloDBGrid1);
    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->verticalHeader()->setDefaultSectionSize(DBGrid1->fontMetrics().height() + 6);
    DBGrid1->setColumnWidth(0, 196);
    colonna->addWidget(DBGrid1, 1);
    // The grid follows the current row, and moves it.
    connect(ModelloDBGrid1, &ModelloElencoPF::RigaCorrente, DBGrid1, [this](int riga) {
        if (riga >= 0 && riga < ModelloDBGrid1->rowCount())
            DBGrid1->selectRow(riga);
    });
    connect(DBGrid1, &QTableView::clicked, this, [this](const QModelIndex& indice) {
        if (Table1.Active() && Table1.State() == TDataSetState::dsBrowse && indice.isValid())
            Table1.SetRecNo(indice.row() + 1);
    });
    connect(DBGrid1, &QTableView::doubleClicked, this, [this](const QModelIndex& indice) {
        try {
            if (Table1.Active() && Table1.State() == TDataSetState::dsBrowse && indice.isValid())
                Table1.SetRecNo(indice.row() + 1);
            DBGrid1DblClick();
        } catch (const std::exception& errore) {
            messaggi::MostraErrore(errore);
        }
    });

    auto* riga = new QHBoxLayout();
    DBNavigator1 = new gridkit::TDBNavigator(this);
    DBNavigator1->setObjectName("DBNavigator1");
    DBNavigator1->SetDataSource(&DataSource1);
    DBNavigator1->SetHints({"Primo", "Precedente", "Successivo", "Ultimo"});
    DBNavigator1->setMinimumWidth(120);
    DBNavigator1Cancella = new QToolButton(this);
    DBNavigator1Cancella->setObjectName("DBNavigator1Cancella");
    DBNavigator1Cancella->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    DBNavigator1Cancella->setToolTip(QStringLiteral("Cancella record corrente"));
    riga->addWidget(DBNavigator1);
    riga->addWidget(DBNavigator1Cancella);
    riga->addStretch();
    auto pulsante = [&](const char* nome, const QString& testo) {
        auto* b = new QPushButton(testo, this);
        b->setObjectName(nome);
        b->setAutoDefault(false);
        riga->addWidget(b);
        return b;
    };
    auto suggerimento = [](QWidget* w, const QString& breve, const QString& lungo) {
        w->setToolTip(breve);
        w->setStatusTip(lungo);
    };
    AggiungiBT = pulsante("AggiungiBT", "Aggiungi");
    suggerimento(AggiungiBT, "Aggiungi PF", "Aggiunta di un punto fiduciale nella ricerca");
    DelBT = pulsante("DelBT", "Azzera tutto");
    suggerimento(DelBT, "Azzeramento tabella", "Cancellazione di tutti i dati contenuti in elenco");
    OKBt = pulsante("OKBt", "OK");
    OKBt->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    suggerimento(OKBt, "Avvio ricerca tratte", "Avvia la ricerca delle tratte tra i PF in elenco");
    AnnullaBT = pulsante("AnnullaBT", "Annulla");
    AnnullaBT->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    suggerimento(AnnullaBT, "", "Chiude la finestra senza avviare la ricerca");
    AiutoBT = pulsante("AiutoBT", "Aiuto");
    colonna->addLayout(riga);
    resize(640, 360);

    auto gestore = [this](void (TTratteForm::*metodo)()) {
        return [this, metodo] {
            try {
                (this->*metodo)();
            } catch (const std::exception& errore) {
                messaggi::MostraErrore(errore);
            }
        };
    };
    connect(AggiungiBT, &QPushButton::clicked, this, gestore(&TTratteForm::AggiungiBTClick));
    connect(DelBT, &QPushButton::clicked, this, gestore(&TTratteForm::DelBTClick));
    connect(OKBt, &QPushButton::clicked, this, gestore(&TTratteForm::OKBtClick));
    connect(AnnullaBT, &QPushButton::clicked, this, gestore(&TTratteForm::AnnullaBTClick));
    connect(AiutoBT, &QPushButton::clicked, this, &TTratteForm::AiutoBTClick);
    connect(DBNavigator1Cancella, &QToolButton::clicked, this, gestore(&TTratteForm::CancellaClick));
    connect(DBNavigator1, &gridkit::TDBNavigator::Click, this, [this] { AggiornaPulsanti(); });

    principale_.TratteForm = this;
    FormCreate();
}

TTratteForm::~TTratteForm()
{
    if (principale_.TratteForm == this)
        principale_.TratteForm = nullptr;
}

void TTratteForm::FormCreate()
{
    Table1.DatabaseName = principale_.Database.DatabaseName;
    Table1.TableName = TabellaRicerchePF;
    Table1.Exclusive = true;
    // The order of the point's key.
    Table1.IndexFieldNames = QStringLiteral("Comune;Sezione;Foglio;Allegato;PF");
    try {
        TRicercaPF::VerificaTabelleLavoro(principale_.Archivio.CartellaDati());
        Table1.EmptyTable();
        Table1.Open();
    } catch (const std::exception& errore) {
        // The search stays unavailable; the rest of the program works.
        messaggi::MostraErrore(errore);
    }
    AggiornaPulsanti();
}

void TTratteForm::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    FormShow();
}

void TTratteForm::FormShow() { AggiornaPulsanti(); }

void TTratteForm::AggiornaPulsanti()
{
    const bool righe = Table1.Active() && Table1.RecordCount() > 0;
    OKBt->setEnabled(righe);
    DelBT->setEnabled(righe);
    DBNavigator1->setEnabled(righe);
    DBNavigator1Cancella->setEnabled(righe);
    AggiungiBT->setEnabled(Table1.Active());
}

void TTratteForm::AggiungiBTClick()
{
    if (principale_.FormRicInsPF && Table1.Active())
        principale_.FormRicInsPF->EditaPF(Table1);
}

void TTratteForm::DBGrid1DblClick()
{
    if (!Table1.Active() || !principale_.FormRicInsPF || Table1.RecordCount() == 0)
        return;
    if (Table1.State() == TDataSetState::dsBrowse)
        Table1.Edit();
    if (Table1.State() != TDataSetState::dsInsert) {
        principale_.FormRicInsPF->MostraComune(ModelloDBGrid1->NomeComuneRiga(Table1.RecNo() - 1),
                                               Table1.FieldByName("Comune")->AsString());
    }
    principale_.FormRicInsPF->EditaPF(Table1);
}

void TTratteForm::DelBTClick()
{
    if (!Table1.Active() || Table1.RecordCount() == 0)
        return;
    if (messaggi::MessageBox(this, QStringLiteral("I dati stanno per essere cancellati. Continuo?"), QStringLiteral("AVVISO"),
                             messaggi::Pulsanti::SiNoAnnulla, messaggi::Icona::Avviso) == messaggi::mrYes) {
        Table1.EmptyTable();
        AggiornaPulsanti();
    }
}

void TTratteForm::CancellaClick()
{
    if (Table1.Active() && Table1.RecordCount() > 0)
        Table1.Delete();
    AggiornaPulsanti();
}

void TTratteForm::CreaCombinazioni() { TRicercaPF::CreaCombinazioni(Table1.sessione(), Table1.DatabaseName); }

void TTratteForm::OKBtClick()
{
    NumeroPF = 0;
    CondizioniPF.clear();
    if (Table1.Active() && Table1.RecordCount() > 0) {
        CreaCombinazioni();
        NumeroPF = Table1.RecordCount();
        if (NumeroPF == 1)
            CondizioniPF = TRicercaPF::CondizioniUnPunto(TRicercaPF::Punti(Table1).front());
    }
    done(messaggi::mrOk);
}

void TTratteForm::AnnullaBTClick() { done(messaggi::mrCancel); }

void TTratteForm::AiutoBTClick() { aiuto::GuidaFinestra(this); }

} // namespace tratte
