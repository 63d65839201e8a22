#include "gridkit/griglia/newdbgridordinamento.h"

#include "gridkit/tabella/newtable.h"
#include "tabelle/campo.h"
#include "tabelle/dataset.h"

namespace gridkit {
namespace {

const QString CampoId = QStringLiteral("ID_001_TABLE");

// DisableControls for the life of the object.
class ControlliDisabilitati {
public:
    explicit ControlliDisabilitati(tabelle::TDataSet& dati) : dati_(dati) { dati_.DisableControls(); }
    ~ControlliDisabilitati() { dati_.EnableControls(); }
    ControlliDisabilitati(const ControlliDisabilitati&) = delete;
    ControlliDisabilitati& operator=(const ControlliDisabilitati&) = delete;

private:
    tabelle::TDataSet& dati_;
};

qint64 IdCorrente(const tabelle::TDataSet& dati)
{
    const tabelle::TField* id = dati.Active() && dati.RecNo() > 0 ? dati.FindField(CampoId) : nullptr;
    return id && !id->IsNull() ? id->AsInteger() : 0;
}

} // namespace

int RigaConId(const tabelle::TDataSet& dati, qint64 id)
{
    const tabelle::TField* campo = dati.FindField(CampoId);
    if (!campo || id <= 0)
        return -1;
    const int colonna = campo->Index();
    auto uguale = [&](int riga) {
        const QVariant v = dati.ValoreRiga(riga, colonna);
        return !v.isNull() && v.toLongLong() == id;
    };
    const int riga = dati.RigaDellaChiave(id);
    if (riga >= 0 && uguale(riga))
        return riga;
    const int n = dati.RecordCount();
    for (int r = 0; r < n; ++r)
        if (uguale(r))
            return r;
    return -1;
}

void OrdinaTabella(TNewTable& tabella, const QString& campo, bool discendente)
{
    // Running the query again closes the dataset: a change in progress is
    // posted first (an error stops the sort with the change still there).
    using tabelle::TDataSetState;
    if (tabella.State() == TDataSetState::dsEdit || tabella.State() == TDataSetState::dsInsert) {
        if (tabella.Modified())
            tabella.Post();
        else
            tabella.Cancel();
    }
    const qint64 id = IdCorrente(tabella);
    tabella.CampiOrdine.clear();
    if (!campo.isEmpty())
        tabella.AggiungiCampoOrdine(campo);
    tabella.Discendente = discendente;
    ControlliDisabilitati disabilitati(tabella);
    tabella.Riapri();
    if (!tabella.TDataSet::Active() || tabella.RecordCount() == 0)
        return;
    const int riga = RigaConId(tabella, id);
    tabella.SetRecNo(riga >= 0 ? riga + 1 : 1);
}

} // namespace gridkit
