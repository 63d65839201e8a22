#include "gridkit/comune/cursoreattesa.h"

#include <utility>

namespace gridkit {

namespace {

SchermoCursore* schermoAttuale = nullptr;

} // namespace

SchermoCursore* ImpostaSchermoCursore(SchermoCursore* schermo) { return std::exchange(schermoAttuale, schermo); }

CursoreAttesa::CursoreAttesa(Qt::CursorShape forma)
{
    if (schermoAttuale && schermoAttuale->Mostra(forma))
        schermo_ = schermoAttuale;
}

CursoreAttesa::~CursoreAttesa()
{
    if (schermo_)
        schermo_->Ripristina();
}

} // namespace gridkit
