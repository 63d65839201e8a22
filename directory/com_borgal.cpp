#include "directory/com_borgal.h"

#include "directory/archiviocomuni.h"
#include "directory/registroborgal.h"
#include "directory/ricercacomuni.h"
#include "directory/sceltacomune.h"
#include "gridkit/comune/cursoreattesa.h"
#include "messaggi/messaggi.h"
#include "tabelle/sessione.h"

#include <QScopeGuard>

#include <optional>

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
    QString risultato;
    // The hourglass while the dialog is made and its tables load.
    std::optional<gridkit::CursoreAttesa> clessidra(std::in_place);
    // The dialog lives for this call only, also when an error ends it.
    TArchivioComuni_Form form;
    ArchivioComuni_Form = &form;
    const auto dimentica = qScopeGuard([this] { ArchivioComuni_Form.clear(); });
    form.AbilitaPagina(TArchivioComuni_Form::PaginaComuni, Comuni);
    if (Comuni) {
        form.ApriArchivioComuni(LeggiFileArchivioComuni());
        form.SetPaginaCorrente(TArchivioComuni_Form::PaginaComuni);
    } else {
        form.SetPaginaCorrente(TArchivioComuni_Form::PaginaStati);
    }
    form.AbilitaPagina(TArchivioComuni_Form::PaginaStati, Stati);
    if (Stati)
        form.ApriArchivioStati(LeggiFileArchivioStati());
    clessidra.reset(); // the user chooses with the default cursor
    if (messaggi::MostraModale(form) == messaggi::mrOk)
        risultato = form.NomeCorrente();
    return risultato;
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
