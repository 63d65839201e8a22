#pragma once
// The editing of an enhanced grid through the stored table. A TNewTable is
// a query: its changes are cached, and after every post each cached change
// is written into the stored table through the writable plain table of
// GetLiveTable, inside one local transaction, with an undo entry; the form
// hears of each operation before (and may cancel it) and after. Deletion
// through the grid is logical: the row's CodOp is marked and the row
// leaves the query.
#include "gridkit/griglia/newdbgridopzioni.h"
#include "tabelle/query.h"

#include <QList>
#include <memory>

class QWidget;

namespace tabelle {
class TTable;
}

namespace gridkit {

class TNewTable;
class TUndoTable;

// What the editing needs of its grid.
class IGrigliaModifica {
public:
    virtual ~IGrigliaModifica() = default;
    // The grid's dataset, nullptr without a data source.
    virtual tabelle::TDataSet* DataSetGriglia() const = 0;
    // The data source has an open dataset.
    virtual bool SorgenteAttiva() const = 0;
    virtual bool SelezioneMultipla() const = 0;
    // The selected rows (0-based) in selection order, and their bookmarks.
    virtual QList<int> RigheSelezionate() const = 0;
    virtual TBookmarkList SegnalibriSelezionati() const = 0;
    virtual void PulisciSelezione() = 0;
    // The window the questions are asked over.
    virtual QWidget* FinestraDomande() const = 0;
    virtual const TNewGridBeforeEvent& EventoPrima() const = 0;
    virtual const TNewGridAfterEvent& EventoDopo() const = 0;
    virtual const TNewGridBeforeIncolla& EventoPrimaIncolla() const = 0;
    // Puts back a sort (undo of a sort entry).
    virtual void RipristinaOrdinamento(const QString& campo, bool discendente) = 0;
};

class TModificaGriglia {
public:
    explicit TModificaGriglia(IGrigliaModifica& griglia);
    ~TModificaGriglia();
    TModificaGriglia(const TModificaGriglia&) = delete;
    TModificaGriglia& operator=(const TModificaGriglia&) = delete;

    // Takes over the dataset's before-edit, before-insert, before-delete and
    // after-post handlers and, for a TNewTable, its update-record handler
    // with cached updates switched on.
    void InstallaGanci(tabelle::TDataSet& dati);

    TipoOp Operazione() const { return operazione_; }
    void SetOperazione(TipoOp codice) { operazione_ = codice; }
    bool EventiAbilitati() const { return eventiAbilitati_; }

    // The journal, created on first use; nullptr until then.
    TUndoTable* Giornale() const { return giornale_.get(); }
    TUndoTable& AssicuraGiornale();

    // Logical deletion of the current row, or of the selected rows with
    // multiple selection.
    void Elimina();
    // A change in progress is posted (dropped when nothing changed), before
    // the view is run again.
    static void ChiudiModifica(tabelle::TDataSet& dati);

    // The dataset hooks and the update-record handler.
    void PrimaDi(TipoOp codice, tabelle::TDataSet& dati);
    void DopoPost(tabelle::TDataSet& dati);
    void AggiornaRecord(tabelle::TDataSet& dati, tabelle::TUpdateKind tipo, tabelle::TUpdateAction& azione);

private:
    class EventiSospesi;
    TNewTable* Tabella() const;
    bool ChiediPrima(TipoOp codice, const TBookmarkList* lista, tabelle::TDataSet& dati);
    void Dopo(TipoOp codice, tabelle::TDataSet& dati);
    void Inserimento(tabelle::TDataSet& dati, tabelle::TUpdateAction& azione);
    void Modifica(tabelle::TDataSet& dati, tabelle::TUpdateAction& azione);
    void IniziaModifica();
    void IniziaAggiunta();
    void CopiaCampo(const QString& nome, const QVariant& valore);
    bool PostScrivibile();
    // The question of a deletion answered Yes, on a stored table whose
    // pending edit is closed: that table; otherwise nothing is left to do.
    TNewTable* InizioEliminazione(const QString& domanda);
    void EliminaUno();
    void EliminaSelezionati();
    // Goes to the first row and forward by `avanti`, when the view has them.
    void TornaAllaRiga(int avanti, int minimo);

    IGrigliaModifica& griglia_;
    TipoOp operazione_ = TipoOp::top_Nessuna;
    bool eventiAbilitati_ = true;
    std::unique_ptr<tabelle::TTable> scrivibile_;
    bool rieseguiDopoScrittura_ = true;
    bool nuovaRiga_ = false;
    // While the new row takes its ID: the change that follows is applied already.
    bool secondoPassaggio_ = false;
    QString idNuovaRiga_;
    std::unique_ptr<TUndoTable> giornale_;
    // Held by the dataset hooks as a weak reference.
    std::shared_ptr<TModificaGriglia*> vivo_;
};

// The new CodOp of a row deleted through the grid: its first letter
// becomes "D" ("XY" gives "DY"), "D" when it is empty.
QString CodOpEliminato(const QString& codOp);

} // namespace gridkit
