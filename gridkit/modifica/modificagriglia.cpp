#include "gridkit/modifica/modificagriglia.h"

#include "gridkit/modifica/transazione.h"
#include "gridkit/modifica/undotable.h"
#include "gridkit/tabella/newtable.h"
#include "messaggi/messaggi.h"
#include "tabelle/campo.h"
#include "tabelle/errore.h"
#include "tabelle/tabella.h"

#include <QScopeGuard>
#include <utility>

namespace gridkit {

using namespace tabelle;

namespace {

const QString CampoCodOp = QStringLiteral("CodOp");

// A boolean as the stored table takes it: "True" or "False".
QString BooleanoNormalizzato(const QString& testo)
{
    return testo == QLatin1String("1") || testo == QLatin1String("True") ? QStringLiteral("True") : QStringLiteral("False");
}

// A field's value as it is copied into the writable row: text (null as an
// empty text, booleans normalised), blobs as their bytes.
QVariant ValoreDaCopiare(const TField& campo, const QVariant& valore)
{
    if (campo.IsBlob())
        return valore;
    const QString testo = campo.Testo(valore);
    return campo.DataType() == TFieldType::ftBoolean ? BooleanoNormalizzato(testo) : testo;
}

} // namespace

QString CodOpEliminato(const QString& codOp) { return codOp.isEmpty() ? QStringLiteral("D") : "D" + codOp.mid(1); }

// The dataset hooks stay quiet for the life of the object.
class TModificaGriglia::EventiSospesi {
public:
    explicit EventiSospesi(TModificaGriglia& m) : m_(m), prima_(m.eventiAbilitati_) { m_.eventiAbilitati_ = false; }
    ~EventiSospesi() { m_.eventiAbilitati_ = prima_; }
    EventiSospesi(const EventiSospesi&) = delete;
    EventiSospesi& operator=(const EventiSospesi&) = delete;

private:
    TModificaGriglia& m_;
    bool prima_;
};

TModificaGriglia::TModificaGriglia(IGrigliaModifica& griglia) : griglia_(griglia), vivo_(std::make_shared<TModificaGriglia*>(this)) {}

TModificaGriglia::~TModificaGriglia() = default;

TNewTable* TModificaGriglia::Tabella() const { return qobject_cast<TNewTable*>(griglia_.DataSetGriglia()); }

TUndoTable& TModificaGriglia::AssicuraGiornale()
{
    if (!giornale_ || !giornale_->Active()) {
        auto giornale = std::make_unique<TUndoTable>(nullptr, griglia_.DataSetGriglia() ? &griglia_.DataSetGriglia()->sessione() : nullptr);
        giornale->Crea();
        giornale_ = std::move(giornale);
    }
    return *giornale_;
}

// ---------------------------------------------------------------- hooks

void TModificaGriglia::InstallaGanci(TDataSet& dati)
{
    // The dataset may outlive the grid: a hook of a grid that is gone does nothing.
    const std::weak_ptr<TModificaGriglia*> vivo = vivo_;
    auto prima = [vivo](TipoOp codice) {
        return [vivo, codice](TDataSet& d) {
            if (auto m = vivo.lock())
                (*m)->PrimaDi(codice, d);
        };
    };
    dati.BeforeEdit = prima(TipoOp::top_InizioModifica);
    dati.BeforeInsert = prima(TipoOp::top_InizioInserimento);
    dati.BeforeDelete = prima(TipoOp::top_Cancella);
    dati.AfterPost = [vivo](TDataSet& d) {
        if (auto m = vivo.lock())
            (*m)->DopoPost(d);
    };
    if (auto* tabella = qobject_cast<TNewTable*>(&dati)) {
        tabella->CachedUpdates = true;
        tabella->OnUpdateRecord = [vivo](TDataSet& d, TUpdateKind tipo, TUpdateAction& azione) {
            if (auto m = vivo.lock())
                (*m)->AggiornaRecord(d, tipo, azione);
        };
    }
}

bool TModificaGriglia::ChiediPrima(TipoOp codice, const TBookmarkList* lista, TDataSet& dati)
{
    const TNewGridBeforeEvent& evento = griglia_.EventoPrima();
    if (!evento)
        return true;
    bool cancel = false;
    evento(codice, lista, dati, cancel);
    return !cancel;
}

void TModificaGriglia::Dopo(TipoOp codice, TDataSet& dati)
{
    if (const TNewGridAfterEvent& evento = griglia_.EventoDopo())
        evento(codice, dati);
}

void TModificaGriglia::PrimaDi(TipoOp codice, TDataSet& dati)
{
    if (!eventiAbilitati_)
        return;
    operazione_ = codice;
    if (ChiediPrima(codice, nullptr, dati))
        return;
    dati.Cancel();
    operazione_ = TipoOp::top_Nessuna;
    Abort();
}

void TModificaGriglia::DopoPost(TDataSet& dati)
{
    auto* query = qobject_cast<TQuery*>(&dati);
    if (query && query->CachedUpdates && query->UpdatesPending()) {
        // The journal is made before the transaction: making it opens a file.
        if (Tabella() == query)
            AssicuraGiornale();
        nuovaRiga_ = false;
        try {
            // The apply is all or nothing, and the cache keeps what it could not write.
            GiornaleRiletto riletto(giornale_.get());
            query->ApplyUpdates();
            riletto.Riuscito();
        } catch (...) {
            nuovaRiga_ = false;
            operazione_ = TipoOp::top_Nessuna;
            throw;
        }
        query->CommitUpdates();
        // The new row shows the ID_001_TABLE the stored table gave it, when
        // it is the current row (the apply may have written it from the
        // cache while another row is current: that one keeps its own ID).
        TField* id = dati.FindField(CampoId);
        if (std::exchange(nuovaRiga_, false) && id && id->IsNull()) {
            EventiSospesi sospesi(*this);
            secondoPassaggio_ = true;
            auto fine = qScopeGuard([this] { secondoPassaggio_ = false; });
            dati.Edit();
            id->SetAsString(idNuovaRiga_);
            dati.Post();
        }
    }
    if (eventiAbilitati_) {
        Dopo(operazione_, dati);
        operazione_ = TipoOp::top_Nessuna;
    }
}

// ---------------------------------------------------------------- update-record handler

void TModificaGriglia::AggiornaRecord(TDataSet& dati, TUpdateKind tipo, TUpdateAction& azione)
{
    const TField* id = dati.FindField(CampoId);
    if (tipo == TUpdateKind::ukInsert && id && !id->IsNull())
        tipo = TUpdateKind::ukModify;
    switch (tipo) {
    case TUpdateKind::ukInsert: Inserimento(dati, azione); break;
    // A row the dataset removed by itself is only hidden until the next
    // query: the library's deletion is Elimina.
    case TUpdateKind::ukDelete: azione = TUpdateAction::uaApplied; break;
    case TUpdateKind::ukModify: Modifica(dati, azione); break;
    }
}

void TModificaGriglia::Inserimento(TDataSet& dati, TUpdateAction& azione)
{
    auto libera = qScopeGuard([this] { scrivibile_.reset(); });
    IniziaAggiunta();
    if (!scrivibile_) {
        azione = TUpdateAction::uaAbort;
        return;
    }
    for (int i = 0; i < dati.FieldCount(); ++i) {
        const TField* campo = dati.Fields(i);
        CopiaCampo(campo->FieldName(), ValoreDaCopiare(*campo, campo->Value()));
    }
    rieseguiDopoScrittura_ = false;
    auto riesegui = qScopeGuard([this] { rieseguiDopoScrittura_ = true; });
    const bool scritto = PostScrivibile();
    azione = scritto ? TUpdateAction::uaApplied : TUpdateAction::uaAbort;
    // Only a row that was written has a second pass to recognise.
    nuovaRiga_ = scritto;
}

void TModificaGriglia::Modifica(TDataSet& dati, TUpdateAction& azione)
{
    const TField* id = dati.FieldByName(CampoId);
    // The second pass after an insert: the ID the stored table gave the row.
    if (secondoPassaggio_ && id->OldValue().isNull() && id->AsString() == idNuovaRiga_) {
        azione = TUpdateAction::uaApplied;
        return;
    }
    TNewTable* tabella = Tabella();
    if (!tabella)
        return;
    auto libera = qScopeGuard([this] { scrivibile_.reset(); });
    scrivibile_ = tabella->GetLiveTable();
    if (!scrivibile_)
        return;
    // GetLiveTable's range is on this very row; the whole table when not.
    bool trovato = scrivibile_->FindKey({id->AsInteger()});
    if (!trovato) {
        scrivibile_->CancelRange();
        trovato = scrivibile_->FindKey({id->AsInteger()});
    }
    // A row no longer stored: the engine's answer (failed).
    if (!trovato)
        return;
    IniziaModifica();
    for (int i = 0; i < dati.FieldCount(); ++i) {
        const TField* campo = dati.Fields(i);
        const bool booleano = campo->DataType() == TFieldType::ftBoolean;
        if (campo->IsBlob()) {
            if (campo->Value() != campo->OldValue())
                CopiaCampo(campo->FieldName(), campo->Value());
            continue;
        }
        QString nuovo = campo->Testo(campo->Value());
        QString vecchio = campo->OldValue().isNull() && booleano ? QStringLiteral("False") : campo->Testo(campo->OldValue());
        if (booleano)
            nuovo = BooleanoNormalizzato(nuovo);
        if (nuovo != vecchio)
            CopiaCampo(campo->FieldName(), nuovo);
    }
    rieseguiDopoScrittura_ = false;
    auto riesegui = qScopeGuard([this] { rieseguiDopoScrittura_ = true; });
    azione = PostScrivibile() ? TUpdateAction::uaApplied : TUpdateAction::uaAbort;
}

// ---------------------------------------------------------------- writing the stored row

void TModificaGriglia::IniziaModifica()
{
    if (!scrivibile_)
        if (TNewTable* tabella = Tabella())
            scrivibile_ = tabella->GetLiveTable();
    if (!scrivibile_)
        throw EDBEngineError(QStringLiteral("Tabella di origine non disponibile per la modifica."));
    // The journal has the row as it was before it changes.
    AssicuraGiornale().RegistraModifica(*scrivibile_);
    operazione_ = TipoOp::top_Modifica;
    scrivibile_->Edit();
}

void TModificaGriglia::IniziaAggiunta()
{
    EventiSospesi sospesi(*this);
    operazione_ = TipoOp::top_Aggiunta;
    TNewTable* tabella = Tabella();
    if (tabella && !tabella->NotAppend)
        scrivibile_ = tabella->GetLiveTable();
    if (!scrivibile_)
        return;
    scrivibile_->CancelRange();
    scrivibile_->Append();
}

void TModificaGriglia::CopiaCampo(const QString& nome, const QVariant& valore)
{
    if (nome.compare(CampoId, Qt::CaseInsensitive) == 0 || !griglia_.SorgenteAttiva() || !scrivibile_)
        return;
    TField* campo = scrivibile_->FindField(nome);
    if (!campo)
        return;
    if (valore.typeId() == QMetaType::QString && valore.toString().trimmed().isEmpty())
        campo->Clear();
    else if (valore.typeId() == QMetaType::QString)
        campo->SetAsString(valore.toString());
    else
        campo->SetValue(valore);
}

bool TModificaGriglia::PostScrivibile()
{
    if (!griglia_.SorgenteAttiva() || !scrivibile_)
        return false;
    EventiSospesi sospesi(*this);
    if (!ChiediPrima(operazione_, nullptr, *scrivibile_)) {
        scrivibile_->Cancel();
        operazione_ = TipoOp::top_Nessuna;
        return false;
    }
    TDataSet* dati = griglia_.DataSetGriglia();
    const int riga = dati->RecNo();
    scrivibile_->Post();
    if (operazione_ == TipoOp::top_Aggiunta)
        AssicuraGiornale().RegistraAggiunta(*scrivibile_);
    Dopo(operazione_, *scrivibile_);
    operazione_ = TipoOp::top_Nessuna;
    if (rieseguiDopoScrittura_) {
        if (TNewTable* tabella = Tabella()) {
            tabella->Riapri();
            TornaAllaRiga(riga - 1, 0);
        }
    } else {
        idNuovaRiga_ = scrivibile_->FieldByName(CampoId)->AsString();
    }
    scrivibile_.reset();
    return true;
}

void TModificaGriglia::TornaAllaRiga(int avanti, int minimo)
{
    TDataSet* dati = griglia_.DataSetGriglia();
    if (!dati || !dati->Active())
        return;
    dati->First();
    if (avanti > 0 && dati->RecordCount() >= minimo)
        dati->MoveBy(avanti);
}

// ---------------------------------------------------------------- Elimina

void TModificaGriglia::Elimina()
{
    if (griglia_.SelezioneMultipla())
        EliminaSelezionati();
    else
        EliminaUno();
}

namespace {

bool Conferma(QWidget* finestra, const QString& domanda)
{
    return messaggi::MessageBox(finestra, domanda, QStringLiteral("ATTENZIONE"), messaggi::Pulsanti::SiNoAnnulla, messaggi::Icona::Domanda, 1)
           == messaggi::mrYes;
}

} // namespace

void TModificaGriglia::ChiudiModifica(TDataSet& dati)
{
    if (dati.State() != TDataSetState::dsEdit && dati.State() != TDataSetState::dsInsert)
        return;
    if (dati.Modified())
        dati.Post();
    else
        dati.Cancel();
}

TNewTable* TModificaGriglia::InizioEliminazione(const QString& domanda)
{
    if (!Conferma(griglia_.FinestraDomande(), domanda) || !griglia_.SorgenteAttiva())
        return nullptr;
    TDataSet& dati = *griglia_.DataSetGriglia();
    TNewTable* tabella = Tabella();
    // A dataset that is no stored table deletes its row the standard way.
    if (!tabella) {
        dati.Delete();
        return nullptr;
    }
    ChiudiModifica(dati);
    return tabella;
}

void TModificaGriglia::EliminaUno()
{
    // A cut that ends here leaves no code behind.
    auto azzera = qScopeGuard([this] { operazione_ = TipoOp::top_Nessuna; });
    TNewTable* tabella = InizioEliminazione(QStringLiteral("Cancellare il dato?"));
    if (!tabella)
        return;
    TDataSet& dati = *griglia_.DataSetGriglia();
    if (dati.RecNo() <= 0)
        return;
    TUndoTable& giornale = AssicuraGiornale();
    EventiSospesi sospesi(*this);
    if (operazione_ != TipoOp::top_Taglia)
        operazione_ = TipoOp::top_Elimina;
    if (!ChiediPrima(operazione_, nullptr, dati))
        return;
    const int riga = dati.RecNo();
    {
        std::unique_ptr<TTable> scrivibile = tabella->GetLiveTable();
        if (!scrivibile)
            return;
        TransazioneGiornale transazione(dati.sessione(), &giornale);
        giornale.RegistraEliminazione(dati);
        scrivibile->Edit();
        TField* codOp = scrivibile->FieldByName(CampoCodOp);
        codOp->SetAsString(CodOpEliminato(codOp->AsString()));
        scrivibile->Post();
        transazione.Conferma();
    }
    tabella->Riapri();
    // The row that followed the deleted one; the last when it was the last.
    TornaAllaRiga(riga - 1, riga - 1);
    Dopo(operazione_, dati);
}

void TModificaGriglia::EliminaSelezionati()
{
    auto azzera = qScopeGuard([this] { operazione_ = TipoOp::top_Nessuna; });
    TNewTable* tabella = InizioEliminazione(QStringLiteral("Cancellare i dati?"));
    if (!tabella)
        return;
    TDataSet& dati = *griglia_.DataSetGriglia();
    QList<int> righe = griglia_.RigheSelezionate();
    TBookmarkList lista = griglia_.SegnalibriSelezionati();
    if (righe.isEmpty() && dati.RecNo() > 0) {
        righe << dati.RecNo() - 1;
        lista << dati.GetBookmark();
    }
    if (righe.isEmpty())
        return;
    TUndoTable& giornale = AssicuraGiornale();
    EventiSospesi sospesi(*this);
    if (operazione_ != TipoOp::top_Taglia)
        operazione_ = TipoOp::top_Elimina;
    if (!ChiediPrima(operazione_, &lista, dati))
        return;
    {
        std::unique_ptr<TTable> scrivibile = tabella->GetLiveTable();
        if (!scrivibile)
            return;
        scrivibile->CancelRange();
        dati.DisableControls();
        auto abilita = qScopeGuard([&dati] { dati.EnableControls(); });
        TransazioneGiornale transazione(dati.sessione(), &giornale);
        giornale.RegistraEliminazioni(dati, righe);
        const int id = dati.FieldByName(CampoId)->Index();
        for (int riga : righe) {
            if (!scrivibile->FindKey({dati.ValoreRiga(riga, id)}))
                continue;
            scrivibile->Edit();
            TField* codOp = scrivibile->FieldByName(CampoCodOp);
            codOp->SetAsString(CodOpEliminato(codOp->AsString()));
            scrivibile->Post();
        }
        transazione.Conferma();
        griglia_.PulisciSelezione();
    }
    tabella->Riapri();
    const int primo = righe.front();
    TornaAllaRiga(primo, primo);
    Dopo(operazione_, dati);
}

} // namespace gridkit
