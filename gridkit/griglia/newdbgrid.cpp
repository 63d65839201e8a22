#include "gridkit/griglia/newdbgrid.h"

#include "gridkit/griglia/grigliamodello.h"
#include "gridkit/griglia/grigliatitoli.h"
#include "gridkit/griglia/newdbgridadatta.h"
#include "gridkit/griglia/newdbgridattesa.h"
#include "gridkit/griglia/newdbgridbooleani.h"
#include "gridkit/griglia/newdbgridchiusura.h"
#include "gridkit/griglia/newdbgridimmagini.h"
#include "gridkit/griglia/newdbgridospite.h"
#include "gridkit/griglia/newdbgridsuggerimento.h"
#include "gridkit/modifica/comandiappunti.h"
#include "gridkit/tabella/newtable.h"
#include "messaggi/messaggi.h"
#include "tabelle/dataset.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>

namespace gridkit {

using tabelle::TDataSet;
using tabelle::TField;

TNewDBGrid::TNewDBGrid(QWidget* genitore)
    : TDBGrid(genitore)
    , su_(QPixmap::fromImage(ImmagineGriglia(QStringLiteral("Up"))))
    , giu_(QPixmap::fromImage(ImmagineGriglia(QStringLiteral("Down"))))
    , vero_(QPixmap::fromImage(ImmagineGriglia(QStringLiteral("Vero"))))
    , falso_(QPixmap::fromImage(ImmagineGriglia(QStringLiteral("Falso"))))
    , suggerimento_(new SuggerimentoTitolo(*this))
{
    CreaModifica();
    CreaMenu();
    // Number text always with "." as the decimal separator.
    QLocale::setDefault(QLocale::c());
    setItemDelegate(new DelegatoBooleani(vero_, falso_, this));
    setMouseTracking(true);
    viewport()->setAcceptDrops(true);
    OnTitleClick = [this](TColumn& colonna) { OrdinaColonna(colonna); };
    Titoli().MovimentoMouse = [this](const QPoint& p) { SuTitoli(p); };
    // The release that ends a column drag is no click on a title.
    Titoli().DopoRilascio = [this] { saltaClicTitolo_ = false; };
    connect(&Titoli(), &QHeaderView::sectionHandleDoubleClicked, this, [this](int colonna) {
        if (Options().contiene(TDBGridOption::dgColumnResize) && DataSet() && DataSet()->FieldCount() > 0)
            AdattaColonna(colonna);
    });
}

const QPixmap& TNewDBGrid::Immagine(const QString& nome) const
{
    static const QPixmap nessuna;
    if (nome == QLatin1String("Up"))
        return su_;
    if (nome == QLatin1String("Down"))
        return giu_;
    if (nome == QLatin1String("Vero"))
        return vero_;
    if (nome == QLatin1String("Falso"))
        return falso_;
    return nessuna;
}

// ---------------------------------------------------------------- sorting

void TNewDBGrid::OrdinaColonna(TColumn& colonna)
{
    if (saltaClicTitolo_) {
        saltaClicTitolo_ = false;
        return;
    }
    if (CursoreRidimensiona() || !DatiAttivi())
        return;
    auto* tabella = qobject_cast<TNewTable*>(DataSet());
    if (!tabella)
        return;
    const QString campo = colonna.FieldName();
    if (!CampoOrdinabile(*tabella, campo))
        return;
    try {
        AttesaOrdinamento attesa(window());
        RegistraOrdinamento();
        tabella->CampiOrdine = QStringList{campo};
        if (CampoOrdine != campo) {
            CampoOrdine = campo;
            Ordinamento = TOrdine::Up;
        } else {
            Ordinamento = Ordinamento == TOrdine::Down ? TOrdine::Up : TOrdine::Down;
        }
        ApplicaOrdinamento();
    } catch (const std::exception& e) {
        messaggi::MostraErrore(e);
    }
    Titoli().viewport()->update();
}

void TNewDBGrid::ApplicaOrdinamento()
{
    if (auto* tabella = qobject_cast<TNewTable*>(DataSet()))
        if (CampoOrdine.isEmpty() || CampoOrdinabile(*tabella, CampoOrdine))
            OrdinaTabella(*tabella, CampoOrdine, Ordinamento == TOrdine::Down);
}

bool TNewDBGrid::CampoOrdinabile(const TNewTable& tabella, const QString& campo) const
{
    // A field the query does not select would be sorted by a query that
    // fails, and every later one with it: the sort is refused instead.
    if (!tabella.TDataSet::Active() || tabella.FindField(campo))
        return true;
    messaggi::ShowMessage(QStringLiteral("Impossibile ordinare: il campo \"%1\" non è nella tabella.").arg(campo));
    return false;
}

void TNewDBGrid::AllineaOrdinamento(const TNewTable& tabella)
{
    // The arrow shows the order the rows are in, whoever set the table's
    // sort fields: one field, or none.
    if (tabella.CampiOrdine.size() != 1) {
        CampoOrdine.clear();
        Ordinamento = TOrdine::Up;
        return;
    }
    const QString& campo = tabella.CampiOrdine.front();
    if (CampoOrdine.compare(campo, Qt::CaseInsensitive) != 0) {
        const TField* f = tabella.FindField(campo);
        CampoOrdine = f ? f->FieldName() : campo;
    }
    Ordinamento = tabella.Discendente ? TOrdine::Down : TOrdine::Up;
}

std::optional<QPoint> TNewDBGrid::PosizioneFreccia(int colonna, const QRect& titolo) const
{
    if (!DefaultDrawing || CampoOrdine.isEmpty() || !DatiAttivi() || colonna < 0 || colonna >= Columns().Count()
        || Columns()[colonna].FieldName().compare(CampoOrdine, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const int x = titolo.left() + titolo.width() - LarghezzaFreccia - 2;
    if (x < titolo.left() + Titoli().fontMetrics().horizontalAdvance(Columns()[colonna].TitleCaption()))
        return std::nullopt;
    return QPoint(x, titolo.top() + 2);
}

void TNewDBGrid::DisegnaTitolo(QPainter& pittore, const QRect& rettangolo, int colonna)
{
    TDBGrid::DisegnaTitolo(pittore, rettangolo, colonna);
    if (const auto punto = PosizioneFreccia(colonna, rettangolo))
        pittore.drawPixmap(*punto, Ordinamento == TOrdine::Down ? giu_ : su_);
}

// ---------------------------------------------------------------- layout

void TNewDBGrid::SalvaImpostazioni()
{
    if (!DatiAttivi())
        return;
    ImpostazioniGriglia(Luoghi()).Salva(Columns().Descrizioni());
}

bool TNewDBGrid::LeggiImpostazioni()
{
    const auto letto = ImpostazioniGriglia(Luoghi()).Leggi();
    if (!letto)
        return false;
    Columns().DaDescrizioni(*letto);
    if (auto* tabella = qobject_cast<TNewTable*>(DataSet()))
        Columns().RimuoviCampi(tabella->CampiSistema);
    // Its fields are known once the dataset is open.
    verificaCampiLayout_ = true;
    if (DatiAttivi())
        RimuoviColonneSenzaCampo();
    return true;
}

void TNewDBGrid::RimuoviColonneSenzaCampo()
{
    // A stored layout may name a field the dataset no longer has.
    verificaCampiLayout_ = false;
    QStringList mancanti;
    for (int i = 0; i < Columns().Count(); ++i)
        if (!Columns()[i].Field())
            mancanti << Columns()[i].FieldName();
    // None left: the dataset's own columns rather than an empty grid.
    if (!mancanti.isEmpty() && mancanti.size() == Columns().Count())
        Columns().SetState(TDBGridColumnsState::csDefault);
    else
        Columns().RimuoviCampi(mancanti);
}

void TNewDBGrid::SalvaInChiusura()
{
    if (!layoutCambiato_ || !SalvaInUscita)
        return;
    if (ConfermaSalvaUscita
        && messaggi::MessageBox(this, QStringLiteral("Salvare le modifiche sulla lista?"), QStringLiteral("ATTENZIONE"),
                                messaggi::Pulsanti::SiNo, messaggi::Icona::Domanda) != messaggi::mrYes)
        return;
    SalvaImpostazioni();
    layoutCambiato_ = false;
}

void TNewDBGrid::Loaded()
{
    if (LeggiInAvvio && !layoutLetto_)
        layoutLetto_ = LeggiImpostazioni();
    QWidget* finestra = window();
    if (finestra != this && !gancio_)
        gancio_ = new GancioChiusura(*finestra, [this] {
            suggerimento_->Nascondi();
            SalvaInChiusura();
        }, this);
}

void TNewDBGrid::LayoutChanged()
{
    TDBGrid::LayoutChanged();
    suggerimento_->Dimentica();
    // The first layout of a linked grid that has columns.
    if (campiVisibiliRiempiti_ || !campiVisibili_.isEmpty() || Columns().Count() == 0 || !DatiAttivi())
        return;
    for (int i = 0; i < Columns().Count(); ++i)
        if (Columns()[i].Visible())
            campiVisibili_ << Columns()[i].FieldName();
    campiVisibiliRiempiti_ = true;
}

void TNewDBGrid::ColumnMoved(int da, int a)
{
    TDBGrid::ColumnMoved(da, a);
    layoutCambiato_ = true;
    // A drag ends on a title: that release must not sort.
    if (Titoli().RilascioInCorso())
        saltaClicTitolo_ = true;
}

void TNewDBGrid::AdattaColonna(int indice)
{
    if (indice < 0 || indice >= Columns().Count() || !DatiAttivi())
        return;
    const TField* campo = Modello().Campo(indice);
    const TDataSet* ds = DataSet();
    // Nothing to fit in an empty dataset: a column of width 0 could not be
    // found again.
    if (!campo || ds->RecordCount() == 0)
        return;
    int prima = rowAt(0), ultima = rowAt(viewport()->height() - 1);
    if (prima >= 0 && ultima < 0)
        ultima = Modello().rowCount() - 1;
    const int larghezza = LarghezzaAdattata(*ds, *campo, fontMetrics(),
                                            [campo](const QVariant& v) { return ModelloGriglia::TestoCampo(*campo, v); }, prima, ultima);
    Columns()[indice].SetWidth(larghezza);
}

// ---------------------------------------------------------------- linking

QStringList TNewDBGrid::CampiPredefiniti() const
{
    QStringList nomi = TDBGrid::CampiPredefiniti();
    if (const auto* tabella = qobject_cast<const TNewTable*>(DataSet()))
        nomi.removeIf([tabella](const QString& n) { return tabella->CampiSistema.contains(n, Qt::CaseInsensitive); });
    return nomi;
}

void TNewDBGrid::LinkActive(bool attivo)
{
    // The system columns go before the layout is taken as the first one.
    const auto* tabella = qobject_cast<const TNewTable*>(DataSet());
    if (tabella)
        Columns().RimuoviCampi(tabella->CampiSistema);
    if (attivo && verificaCampiLayout_)
        RimuoviColonneSenzaCampo();
    if (attivo && tabella)
        AllineaOrdinamento(*tabella);
    TDBGrid::LinkActive(attivo);
    if (!DataSet())
        return;
    // The dataset's editing hooks are the grid's, whatever a form set.
    modifica_->InstallaGanci(*DataSet());
    suggerimento_->Dimentica();
}

// ---------------------------------------------------------------- boolean cells

bool TNewDBGrid::CanEditShow() const
{
    const TField* campo = SelectedField();
    if (campo && campo->DataType() == tabelle::TFieldType::ftBoolean)
        return false;
    return TDBGrid::CanEditShow();
}

bool TNewDBGrid::CommutaBooleano(const QModelIndex& cella)
{
    if (!cella.isValid() || ReadOnly() || !DatiAttivi() || !DelegatoBooleani::CellaBooleana(cella))
        return false;
    TField* campo = Modello().Campo(cella.column());
    TDataSet* ds = DataSet();
    if (campo->ReadOnly || !ds->CanModify() || ds->RecNo() - 1 != cella.row())
        return false;
    try {
        InvertiBooleano(*ds, *campo);
    } catch (const tabelle::EAbort&) {
        return false;
    } catch (const std::exception& e) {
        messaggi::MostraErrore(e);
        return false;
    }
    Modello().AggiornaRiga(cella.row());
    return true;
}

void TNewDBGrid::mousePressEvent(QMouseEvent* evento)
{
    if (OnMouseDown)
        OnMouseDown(evento);
    if (!DataSource()) {
        TDBGrid::mousePressEvent(evento);
        return;
    }
    // A right click leaves the cell cursor where it is.
    if (evento->button() != Qt::LeftButton)
        return;
    TDBGrid::mousePressEvent(evento);
    CommutaBooleano(indexAt(evento->position().toPoint()));
}

void TNewDBGrid::keyPressEvent(QKeyEvent* evento)
{
    const QString testo = evento->text();
    if (!testo.isEmpty() && testo.front().isPrint() && DelegatoBooleani::CellaBooleana(currentIndex())) {
        CommutaBooleano(currentIndex());
        evento->accept();
        return;
    }
    TDBGrid::keyPressEvent(evento);
}

// ---------------------------------------------------------------- mouse and hint

bool TNewDBGrid::SuggerimentoPossibile() const
{
    return TitleHint && ShowHint && Options().contiene(TDBGridOption::dgTitles) && DatiAttivi() && !CursoreRidimensiona();
}

void TNewDBGrid::SuTitoli(const QPoint& posizione)
{
    if (!SuggerimentoPossibile())
        return;
    const int colonna = Titoli().logicalIndexAt(posizione);
    if (colonna < 0 || colonna >= Columns().Count())
        return;
    const QRect cella(Titoli().viewport()->mapToGlobal(QPoint(Titoli().sectionViewportPosition(colonna), 0)),
                      QSize(Titoli().sectionSize(colonna), Titoli().height()));
    suggerimento_->SopraTitolo(colonna, Columns()[colonna].TitleCaption(), cella);
}

void TNewDBGrid::mouseMoveEvent(QMouseEvent* evento)
{
    TDBGrid::mouseMoveEvent(evento);
    if (OnMouseMove)
        OnMouseMove(evento);
    if (SuggerimentoPossibile())
        suggerimento_->FuoriTitoli();
}

void TNewDBGrid::mouseReleaseEvent(QMouseEvent* evento)
{
    TDBGrid::mouseReleaseEvent(evento);
    if (OnMouseUp)
        OnMouseUp(evento);
}

// ---------------------------------------------------------------- drag and drop

bool TNewDBGrid::DragOver(QObject* sorgente) const { return TestoTrascinatoDi(sorgente) != nullptr; }

void TNewDBGrid::DragDrop(QObject* sorgente)
{
    if (ITestoTrascinato* testo = TestoTrascinatoDi(sorgente))
        setWindowTitle(testo->Testo());
    else
        messaggi::ShowMessage(QStringLiteral("L'oggetto non implementa l'interfaccia!!!"));
}

void TNewDBGrid::dragEnterEvent(QDragEnterEvent* evento)
{
    if (DragOver(evento->source()))
        evento->acceptProposedAction();
    else
        evento->ignore();
}

void TNewDBGrid::dragMoveEvent(QDragMoveEvent* evento)
{
    if (DragOver(evento->source()))
        evento->acceptProposedAction();
    else
        evento->ignore();
}

void TNewDBGrid::dropEvent(QDropEvent* evento)
{
    DragDrop(evento->source());
    evento->acceptProposedAction();
}

} // namespace gridkit
