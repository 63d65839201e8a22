#include "gridkit/modifica/comandiappunti.h"

#include "gridkit/modifica/clipfile.h"
#include "gridkit/modifica/modificagriglia.h"
#include "gridkit/modifica/transazione.h"
#include "gridkit/modifica/undotable.h"
#include "gridkit/tabella/newtable.h"
#include "tabelle/tabella.h"

namespace gridkit {

using namespace tabelle;

void TComandiAppunti::Copia()
{
    if (!griglia_.SorgenteAttiva())
        return;
    const TDataSet& dati = *griglia_.DataSetGriglia();
    if (dati.RecordCount() == 0)
        return;
    TClipFile appunti;
    appunti.Apri(FormatoQuery);
    const QList<int> righe = griglia_.SelezioneMultipla() ? griglia_.RigheSelezionate() : QList<int>();
    if (!righe.isEmpty())
        appunti.CopiaSelezione(&righe, dati);
    else
        appunti.CopiaRecord(dati);
}

void TComandiAppunti::Taglia()
{
    Copia();
    modifica_.SetOperazione(TipoOp::top_Taglia);
    modifica_.Elimina();
}

void TComandiAppunti::Incolla()
{
    if (!griglia_.SorgenteAttiva())
        return;
    auto* tabella = qobject_cast<TNewTable*>(griglia_.DataSetGriglia());
    if (!tabella)
        return;
    TModificaGriglia::ChiudiModifica(*tabella);
    {
        std::unique_ptr<TTable> scrivibile = tabella->GetLiveTable();
        if (!scrivibile)
            return;
        scrivibile->CancelRange();
        TClipFile appunti;
        appunti.Apri(FormatoQuery);
        // A clipboard of another structure is passed over without a word.
        if (appunti.NumeroRecords() > 0 && appunti.Compatibile(*scrivibile)) {
            TUndoTable& giornale = modifica_.AssicuraGiornale();
            appunti.OnBeforeincolla = griglia_.EventoPrimaIncolla();
            appunti.OnRigaIncollata = [&giornale](TTable& t, int scritte) { giornale.RegistraIncolla(t, scritte); };
            // The rows pasted before an error stay, each with its entry.
            TransazioneGiornale transazione(tabella->sessione(), &giornale);
            try {
                appunti.Incolla(*scrivibile);
            } catch (...) {
                transazione.Conferma();
                throw;
            }
            transazione.Conferma();
        }
    }
    tabella->Riapri();
}

void TComandiAppunti::Annulla()
{
    TUndoTable* giornale = modifica_.Giornale();
    if (!giornale || !griglia_.SorgenteAttiva())
        return;
    TDataSet& dati = *griglia_.DataSetGriglia();
    const int riga = giornale->RigaDiRitorno();
    if (giornale->UltimoTipo() == undo_Ordine) {
        giornale->Annulla(nullptr);
        const QString direzione = giornale->DirezioneOrdine().trimmed();
        griglia_.RipristinaOrdinamento(giornale->CampoOrdine().trimmed(), !direzione.isEmpty() && direzione != QLatin1String("UP"));
        return;
    }
    auto* tabella = qobject_cast<TNewTable*>(&dati);
    if (!tabella)
        return;
    TModificaGriglia::ChiudiModifica(dati);
    {
        std::unique_ptr<TTable> scrivibile = tabella->GetLiveTable();
        if (!scrivibile)
            return;
        scrivibile->CancelRange();
        giornale->Annulla(scrivibile.get());
    }
    tabella->Riapri();
    if (riga > 0 && tabella->TDataSet::Active()) {
        tabella->First();
        tabella->MoveBy(riga);
    }
}

bool TComandiAppunti::IsIncolla() const
{
    if (!griglia_.SorgenteAttiva())
        return false;
    TClipFile appunti;
    appunti.Apri(FormatoQuery);
    return appunti.NumeroRecords() > 0;
}

bool TComandiAppunti::IsUndo() const
{
    TUndoTable& giornale = modifica_.AssicuraGiornale();
    return giornale.Active() && giornale.RecordCount() > 0;
}

} // namespace gridkit
