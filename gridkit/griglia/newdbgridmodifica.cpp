// TNewDBGrid: editing through the stored table, deletion, clipboard and undo.
#include "gridkit/griglia/newdbgrid.h"

#include "gridkit/griglia/newdbgridospite.h"
#include "gridkit/modifica/comandiappunti.h"
#include "gridkit/modifica/undotable.h"
#include "messaggi/messaggi.h"
#include "tabelle/dataset.h"

#include <QSet>

namespace gridkit {

void TNewDBGrid::CreaModifica()
{
    ospite_ = std::make_unique<OspiteModifica>(*this);
    modifica_ = std::make_unique<TModificaGriglia>(*ospite_);
    comandi_ = std::make_unique<TComandiAppunti>(*ospite_, *modifica_);
}

// The journal's files go with the grid.
TNewDBGrid::~TNewDBGrid() = default;

TipoOp TNewDBGrid::Operazione() const { return modifica_->Operazione(); }

TUndoTable* TNewDBGrid::Giornale() const { return modifica_->Giornale(); }

QList<int> TNewDBGrid::RigheSelezionate() const
{
    QList<int> righe;
    QSet<int> viste;
    for (const QItemSelectionRange& r : selectionModel()->selection())
        for (int riga = r.top(); riga <= r.bottom(); ++riga)
            if (!viste.contains(riga)) {
                viste.insert(riga);
                righe << riga;
            }
    return righe;
}

TBookmarkList TNewDBGrid::SelectedRows() const
{
    TBookmarkList segnalibri;
    if (const tabelle::TDataSet* ds = DataSet())
        for (int riga : RigheSelezionate())
            segnalibri << ds->SegnalibroRiga(riga);
    return segnalibri;
}

namespace {

// A command of the grid runs to its end or shows its error: nothing leaves it.
template <typename F>
void Esegui(F comando)
{
    try {
        comando();
    } catch (const tabelle::EAbort&) {
    } catch (const std::exception& e) {
        messaggi::MostraErrore(e);
    }
}

} // namespace

void TNewDBGrid::Elimina() { Esegui([this] { modifica_->Elimina(); }); }
void TNewDBGrid::Copia() { Esegui([this] { comandi_->Copia(); }); }
void TNewDBGrid::Taglia() { Esegui([this] { comandi_->Taglia(); }); }
void TNewDBGrid::Incolla() { Esegui([this] { comandi_->Incolla(); }); }
void TNewDBGrid::Annulla() { Esegui([this] { comandi_->Annulla(); }); }

bool TNewDBGrid::IsIncolla() const
{
    bool si = false;
    Esegui([&] { si = comandi_->IsIncolla(); });
    return si;
}

bool TNewDBGrid::IsUndo() const
{
    bool si = false;
    Esegui([&] { si = comandi_->IsUndo(); });
    return si;
}

void TNewDBGrid::RegistraOrdinamento()
{
    modifica_->AssicuraGiornale().RegistraOrdine(CampoOrdine, Ordinamento == TOrdine::Down ? QStringLiteral("DOWN") : QStringLiteral("UP"));
}

} // namespace gridkit
