#include "directory/com_borgal.h"

#include "directory/ricercacomuni.h"
#include "directory/sceltacomune.h"
#include "gridkit/comune/cursoreattesa.h"
#include "tabelle/sessione.h"

namespace borgal {

namespace {

RicercaComuni Ricerca() { return RicercaComuni(tabelle::Session(), &ElencoSuggerimenti); }

} // namespace

TBorgal::TBorgal()
{
    // Both interfaces through IBorgal's side: one object, one answer.
    AggiungiInterfaccia(IID_IKWGenericComObject, static_cast<IKWGenericComObject*>(static_cast<IBorgal*>(this)));
    AggiungiInterfaccia(IID_IBorgal, static_cast<IBorgal*>(this));
}

TBorgal::~TBorgal() = default;

void TBorgal::Initialize()
{
    TKWGenericComObject::Initialize();
    ArchivioComuni_Form.clear();
}

QString TBorgal::MostraArchivio(bool Comuni, bool Stati)
{
    // The archive dialog (browsing and editing the comuni and the foreign
    // states) is not part of the component yet: no name is chosen.
    Q_UNUSED(Comuni);
    Q_UNUSED(Stati);
    return QString();
}

bool TBorgal::CercaComune(bool Comuni, bool Stati, const QString& Testo, QStringList& Dati)
{
    const gridkit::CursoreAttesa clessidra;
    try {
        return Ricerca().CercaComune(Comuni, Stati, Testo, Dati);
    } catch (...) {
        Dati.clear(); // an error leaves no half-written record
        throw;
    }
}

bool TBorgal::EsisteComune(bool Comuni, bool Stati, const QString& Testo)
{
    const gridkit::CursoreAttesa clessidra;
    return Ricerca().EsisteComune(Comuni, Stati, Testo);
}

} // namespace borgal
