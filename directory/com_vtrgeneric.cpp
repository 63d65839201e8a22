#include "directory/com_vtrgeneric.h"

#include "directory/caricamento.h"

namespace borgal {

void TVTRGenericComObject::Initialize()
{
    TVTRComObject::Initialize();
    nomeClasse_ = ClassName();
    LogDebugComponente().Creazione(nomeClasse_);
}

TVTRGenericComObject::~TVTRGenericComObject()
{
    if (!nomeClasse_.isEmpty())
        LogDebugComponente().Distruzione(nomeClasse_);
}

} // namespace borgal
