#include "gridkit/griglia/griglia.h"

#include "gridkit/comune/cursoreattesa.h"
#include "gridkit/griglia/grigliaindicatore.h"
#include "gridkit/griglia/grigliamodello.h"
#include "gridkit/griglia/grigliatitoli.h"
#include "messaggi/messaggi.h"
#include "tabelle/dataset.h"
#include "tabelle/sorgente.h"

#include <QAbstractButton>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QScopedValueRollback>

namespace gridkit {

using tabelle::TDataSet;
using tabelle::TDataSetState;
using tabelle::TField;

// The grid's view of its data source.
class TDBGrid::Collegamento : public tabelle::TDataLink {
public:
    explicit Collegamento(TDBGrid& griglia) : griglia_(griglia) {}
    void Spegni() { acceso_ = false; }

    void ActiveChanged() override
    {
        if (acceso_)
            griglia_.SuAttivita();
    }
    void DataSetChanged() override
    {
        if (acceso_)
            griglia_.SuDatiCambiati();
    }
    void DataSetScrolled(int) override
    {
        if (acceso_)
            griglia_.SincronizzaRigaCorrente();
    }
    void RecordChanged(TField*) override
    {
        if (acceso_ && griglia_.DatiAttivi())
            griglia_.Modello().AggiornaRiga(griglia_.DataSet()->RecNo() - 1);
    }
    void EditingChanged() override
    {
        if (acceso_)
            griglia_.verticalHeader()->viewport()->update();
    }
    void LayoutChanged() override
    {
        if (acceso_)
            griglia_.SuStruttura();
    }

private:
    TDBGrid& griglia_;
    bool acceso_ = true;
};

TDBGridOptions TDBGrid::OpzioniPredefinite()
{
    using enum TDBGridOption;
    return {dgEditing, dgTitles, dgIndicator, dgColumnResize, dgColLines, dgRowLines, dgTabs, dgConfirmDelete, dgCancelOnExit};
}

TDBGrid::TDBGrid(QWidget* genitore)
    : QTableView(genitore)
    , collegamento_(std::make_unique<Collegamento>(*this))
    , colonne_(new TDBGridColumns(*this, this))
    , modello_(new ModelloGriglia(*collegamento_, *colonne_, this))
    , titoli_(new TTitoliGriglia(this))
    , indicatore_(new TIndicatoreGriglia(this))
{
    setHorizontalHeader(titoli_);
    setVerticalHeader(indicatore_);
    setModel(modello_);
    // Fitting a column is the enhanced grid's business, not Qt's; a title
    // is pressed to sort or drag, never to select a column.
    disconnect(titoli_, SIGNAL(sectionHandleDoubleClicked(int)), this, SLOT(resizeColumnToContents(int)));
    disconnect(titoli_, SIGNAL(sectionPressed(int)), this, SLOT(selectColumn(int)));
    disconnect(titoli_, SIGNAL(sectionEntered(int)), this, nullptr);
    // The titles never show the selection: without a selection of their own
    // they would ask, title by title, whether every row of a column is
    // selected, a million rows each after a "select all".
    titoli_->setSelectionModel(new QItemSelectionModel(modello_, titoli_));
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    indicatore_->setDefaultSectionSize(fontMetrics().height() + 4);
    indicatore_->setMinimumSectionSize(1);
    indicatore_->SegnoRiga = [this](int riga) {
        const TDataSet* ds = DatiAttivi() ? DataSet() : nullptr;
        if (!ds || riga != ds->RecNo() - 1)
            return TIndicatoreGriglia::Segno::Nessuno;
        switch (ds->State()) {
        case TDataSetState::dsEdit: return TIndicatoreGriglia::Segno::Modifica;
        case TDataSetState::dsInsert: return TIndicatoreGriglia::Segno::Inserimento;
        default: return TIndicatoreGriglia::Segno::Corrente;
        }
    };
    titoli_->DopoDisegno = [this](QPainter& p, const QRect& r, int colonna) { DisegnaTitolo(p, r, colonna); };

    connect(colonne_, &TDBGridColumns::Ristrutturate, this, &TDBGrid::ApplicaColonne);
    connect(colonne_, &TDBGridColumns::Cambiata, this, &TDBGrid::ColonnaCambiata);
    connect(modello_, &QAbstractItemModel::modelReset, this, &TDBGrid::ApplicaLarghezze);
    connect(titoli_, &QHeaderView::sectionMoved, this, &TDBGrid::SezioneSpostata);
    connect(titoli_, &QHeaderView::sectionResized, this, &TDBGrid::SezioneRidimensionata);
    connect(titoli_, &QHeaderView::sectionClicked, this, &TDBGrid::SezioneCliccata);
    SetOptions(OpzioniPredefinite());
}

TDBGrid::~TDBGrid()
{
    disconnect(distruzioneDataSet_);
    collegamento_->Spegni();
    collegamento_->SetDataSource(nullptr);
}

// ---------------------------------------------------------------- data source

tabelle::TDataSource* TDBGrid::DataSource() const { return collegamento_->DataSource(); }

void TDBGrid::SetDataSource(tabelle::TDataSource* sorgente) { collegamento_->SetDataSource(sorgente); }

TDataSet* TDBGrid::DataSet() const { return collegamento_->DataSet(); }

bool TDBGrid::DatiAttivi() const { return collegamento_->Active(); }

void TDBGrid::OsservaDataSet()
{
    // A dataset destroyed under its data source leaves the grid empty.
    disconnect(distruzioneDataSet_);
    if (TDataSet* ds = DataSet())
        distruzioneDataSet_ = connect(ds, &QObject::destroyed, this, [this] {
            disconnect(distruzioneDataSet_);
            campiPredefiniti_.clear();
            modello_->Ricarica(true);
        });
}

void TDBGrid::SuAttivita()
{
    OsservaDataSet();
    LinkActive(DatiAttivi());
}

void TDBGrid::LinkActive(bool)
{
    if (!AggiornaColonnePredefinite())
        ApplicaColonne();
}

void TDBGrid::SuDatiCambiati()
{
    if (!AggiornaColonnePredefinite())
        modello_->Ricarica();
    SincronizzaRigaCorrente();
    indicatore_->viewport()->update();
}

void TDBGrid::SuStruttura()
{
    if (!AggiornaColonnePredefinite())
        ApplicaColonne();
}

QStringList TDBGrid::CampiPredefiniti() const
{
    QStringList nomi;
    const TDataSet* ds = DatiAttivi() ? DataSet() : nullptr;
    for (int i = 0; ds && i < ds->FieldCount(); ++i)
        if (ds->Fields(i)->Visible)
            nomi << ds->Fields(i)->FieldName();
    return nomi;
}

bool TDBGrid::AggiornaColonnePredefinite()
{
    if (Columns().State() != TDBGridColumnsState::csDefault)
        return false;
    const QStringList nomi = CampiPredefiniti();
    if (nomi == campiPredefiniti_ && !(Columns().Count() == 0 && !nomi.isEmpty()))
        return false;
    campiPredefiniti_ = nomi;
    Columns().Predefinite(nomi);
    return true;
}

// ---------------------------------------------------------------- columns -> view

void TDBGrid::ApplicaColonne()
{
    // Default columns dropped (SetState(csDefault)): built again from the fields.
    if (Columns().State() == TDBGridColumnsState::csDefault && Columns().Count() == 0 && !CampiPredefiniti().isEmpty()) {
        campiPredefiniti_.clear();
        AggiornaColonnePredefinite();
        return;
    }
    // The selected rows outlive a change of columns.
    const bool multipla = opzioni_.contiene(TDBGridOption::dgMultiSelect);
    QList<QPair<int, int>> selezione;
    if (multipla)
        for (const QItemSelectionRange& r : selectionModel()->selection())
            selezione << qMakePair(r.top(), r.bottom());
    const int colonna = std::max(0, currentIndex().column());
    {
        QScopedValueRollback blocco(sincronizzando_, true);
        modello_->Ricarica(true);
    }
    const int righe = modello_->rowCount(), colonne = modello_->columnCount();
    if (colonne > 0 && !selezione.isEmpty()) {
        QItemSelection nuova;
        for (const auto& [da, a] : selezione)
            if (da < righe)
                nuova.select(modello_->index(da, 0), modello_->index(std::min(a, righe - 1), colonne - 1));
        selectionModel()->select(nuova, QItemSelectionModel::Select);
    }
    if (colonne > 0 && DatiAttivi() && DataSet()->RecNo() > 0)
        ImpostaCorrente(DataSet()->RecNo() - 1, std::min(colonna, colonne - 1));
    LayoutChanged();
}

void TDBGrid::ImpostaCorrente(int riga, int colonna)
{
    if (riga < 0 || riga >= modello_->rowCount())
        return;
    QScopedValueRollback blocco(sincronizzando_, true);
    while (colonna < modello_->columnCount() - 1 && isColumnHidden(colonna))
        ++colonna;
    const QModelIndex indice = modello_->index(riga, colonna);
    if (opzioni_.contiene(TDBGridOption::dgMultiSelect))
        selectionModel()->setCurrentIndex(indice, QItemSelectionModel::NoUpdate);
    else
        selectionModel()->setCurrentIndex(indice, QItemSelectionModel::ClearAndSelect
                                                      | (selectionBehavior() == SelectRows ? QItemSelectionModel::Rows
                                                                                           : QItemSelectionModel::NoUpdate));
    scrollTo(indice);
    indicatore_->viewport()->update();
}

void TDBGrid::ApplicaLarghezze()
{
    QScopedValueRollback blocco(applicando_, true);
    for (int i = 0; i < Columns().Count() && i < modello_->columnCount(); ++i) {
        titoli_->setSectionHidden(i, false);
        titoli_->resizeSection(i, Columns()[i].Width());
        titoli_->setSectionHidden(i, !Columns()[i].Visible());
    }
}

void TDBGrid::ColonnaCambiata(int indice)
{
    {
        QScopedValueRollback blocco(applicando_, true);
        if (indice < modello_->columnCount()) {
            const TColumn& c = Columns()[indice];
            titoli_->setSectionHidden(indice, false);
            titoli_->resizeSection(indice, c.Width());
            titoli_->setSectionHidden(indice, !c.Visible());
        }
    }
    modello_->AggiornaColonna(indice);
}

void TDBGrid::SezioneSpostata(int, int da, int a)
{
    if (applicando_)
        return;
    // The view keeps logical and visual order equal: the move goes into
    // Columns, the header's own move is undone.
    {
        QScopedValueRollback blocco(applicando_, true);
        titoli_->moveSection(a, da);
    }
    Columns().Move(da, a);
    ColumnMoved(da, a);
}

void TDBGrid::SezioneRidimensionata(int logica, int, int nuova)
{
    if (applicando_ || logica < 0 || logica >= Columns().Count())
        return;
    Columns()[logica].SetWidth(nuova);
    ColWidthsChanged();
}

void TDBGrid::SezioneCliccata(int logica)
{
    if (logica < 0 || logica >= Columns().Count())
        return;
    emit TitoloCliccato(logica);
    TitleClick(Columns()[logica]);
}

void TDBGrid::LayoutChanged() {}
void TDBGrid::ColumnMoved(int, int) {}
void TDBGrid::ColWidthsChanged() {}

void TDBGrid::TitleClick(TColumn& colonna)
{
    if (OnTitleClick)
        OnTitleClick(colonna);
}

void TDBGrid::DisegnaTitolo(QPainter&, const QRect&, int) {}

void TDBGrid::PreparaCella(QStyleOptionViewItem& opzione, const QModelIndex& indice) const
{
    if (!OnDrawColumnCell || !indice.isValid() || indice.column() >= colonne_->Count())
        return;
    TCellaGriglia cella{opzione.rect, indice.column(), (*colonne_)[indice.column()], opzione.state, indice.row(), opzione};
    OnDrawColumnCell(cella);
}

bool TDBGrid::CanEditShow() const { return opzioni_.contiene(TDBGridOption::dgEditing) && !readOnly_; }

// ---------------------------------------------------------------- options

void TDBGrid::SetOptions(TDBGridOptions opzioni)
{
    using enum TDBGridOption;
    opzioni_ = opzioni;
    titoli_->setVisible(opzioni.contiene(dgTitles));
    indicatore_->setVisible(opzioni.contiene(dgIndicator));
    titoli_->setSectionResizeMode(opzioni.contiene(dgColumnResize) ? QHeaderView::Interactive : QHeaderView::Fixed);
    titoli_->setSectionsMovable(opzioni.contiene(dgColumnResize));
    setShowGrid(opzioni.contiene(dgColLines) || opzioni.contiene(dgRowLines));
    const bool multipla = opzioni.contiene(dgMultiSelect);
    setSelectionMode(multipla ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
    setSelectionBehavior(multipla || opzioni.contiene(dgRowSelect) ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    setTabKeyNavigation(opzioni.contiene(dgTabs));
    ApplicaLarghezze();
}

void TDBGrid::selectAll()
{
    if (!opzioni_.contiene(TDBGridOption::dgMultiSelect) || modello_->rowCount() == 0 || modello_->columnCount() == 0)
        return;
    try {
        CursoreAttesa attesa(Qt::BusyCursor);
        setUpdatesEnabled(false);
        const QModelIndex corrente = currentIndex();
        selectionModel()->select(QItemSelection(modello_->index(0, 0), modello_->index(modello_->rowCount() - 1, modello_->columnCount() - 1)),
                                 QItemSelectionModel::ClearAndSelect);
        if (corrente.isValid())
            selectionModel()->setCurrentIndex(corrente, QItemSelectionModel::NoUpdate);
        setUpdatesEnabled(true);
    } catch (const std::exception&) {
        setUpdatesEnabled(true);
    }
}

// ---------------------------------------------------------------- current row

int TDBGrid::SelectedIndex() const { return currentIndex().isValid() ? currentIndex().column() : -1; }

void TDBGrid::SetSelectedIndex(int colonna)
{
    if (colonna < 0 || colonna >= modello_->columnCount())
        return;
    const int riga = currentIndex().isValid() ? currentIndex().row() : (DatiAttivi() ? DataSet()->RecNo() - 1 : -1);
    if (riga >= 0)
        selectionModel()->setCurrentIndex(modello_->index(riga, colonna), QItemSelectionModel::ClearAndSelect);
}

TField* TDBGrid::SelectedField() const { return modello_->Campo(SelectedIndex()); }

void TDBGrid::SincronizzaRigaCorrente()
{
    if (sincronizzando_ || !DatiAttivi() || modello_->columnCount() == 0)
        return;
    const int riga = DataSet()->RecNo() - 1;
    if (riga < 0 || riga >= modello_->rowCount())
        return;
    if (currentIndex().row() != riga)
        ImpostaCorrente(riga, currentIndex().isValid() ? currentIndex().column() : 0);
    else
        scrollTo(currentIndex());
    indicatore_->viewport()->update();
}

void TDBGrid::currentChanged(const QModelIndex& corrente, const QModelIndex& precedente)
{
    QTableView::currentChanged(corrente, precedente);
    indicatore_->viewport()->update();
    if (sincronizzando_ || !corrente.isValid() || !DatiAttivi())
        return;
    TDataSet* ds = DataSet();
    if (corrente.row() == ds->RecNo() - 1)
        return;
    try {
        QScopedValueRollback blocco(sincronizzando_, true);
        ds->SetRecNo(corrente.row() + 1);
    } catch (const tabelle::EAbort&) {
        // A form cancelled the post: silently, the view goes back.
    } catch (const std::exception& e) {
        // The row could not be left (a post that failed): the view goes back.
        messaggi::MostraErrore(e);
    }
    SincronizzaRigaCorrente();
}

bool TDBGrid::edit(const QModelIndex& indice, EditTrigger motivo, QEvent* evento)
{
    if (!CanEditShow())
        return false;
    return QTableView::edit(indice, motivo, evento);
}

void TDBGrid::mouseDoubleClickEvent(QMouseEvent* evento)
{
    QTableView::mouseDoubleClickEvent(evento);
    if (OnDblClick)
        OnDblClick();
}

bool TDBGrid::CursoreRidimensiona() const { return titoli_->CursoreRidimensiona(); }

// ---------------------------------------------------------------- FonteColonne

TField* TDBGrid::CampoColonna(const QString& nome) const
{
    const TDataSet* ds = DataSet();
    return ds ? ds->FindField(nome) : nullptr;
}

int TDBGrid::LarghezzaCaratteri(int caratteri) const { return caratteri * fontMetrics().horizontalAdvance(QLatin1Char('0')); }

int TDBGrid::LarghezzaTesto(const QString& testo) const { return fontMetrics().horizontalAdvance(testo); }

} // namespace gridkit
