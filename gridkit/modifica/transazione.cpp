#include "gridkit/modifica/transazione.h"

#include "gridkit/modifica/undotable.h"
#include "tabelle/connessione.h"
#include "tabelle/sessione.h"

namespace gridkit {
namespace {

void Rileggi(TUndoTable* giornale)
{
    try {
        if (giornale && giornale->Active())
            giornale->Refresh();
    } catch (const std::exception&) {
    }
}

} // namespace

TransazioneGiornale::TransazioneGiornale(tabelle::TSession& sessione, TUndoTable* giornale)
    : punto_(std::make_unique<tabelle::PuntoDiRipristino>(sessione.connessione())), giornale_(giornale)
{
}

TransazioneGiornale::~TransazioneGiornale()
{
    if (confermata_)
        return;
    punto_.reset();
    Rileggi(giornale_);
}

void TransazioneGiornale::Conferma()
{
    punto_->Conferma();
    confermata_ = true;
}

GiornaleRiletto::~GiornaleRiletto()
{
    if (!riuscito_)
        Rileggi(giornale_);
}

} // namespace gridkit
