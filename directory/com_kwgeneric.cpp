#include "directory/com_kwgeneric.h"

#include "aiuto/applicazione.h"

namespace borgal {

TKWGenericComObject::TKWGenericComObject()
{
    AggiungiInterfaccia(IID_IKWGenericComObject, static_cast<IKWGenericComObject*>(this));
}

TKWGenericComObject::~TKWGenericComObject()
{
    if (salvato_)
        aiuto::ImpostaFinestraPrincipale(handleSalvato_);
}

void TKWGenericComObject::Initialize()
{
    TVTRGenericComObject::Initialize();
    handleSalvato_ = aiuto::FinestraPrincipale();
    salvato_ = true;
}

HandleFinestra TKWGenericComObject::GetApplicationHandle() { return aiuto::FinestraPrincipale(); }

void TKWGenericComObject::SetApplicationHandle(HandleFinestra handle) { aiuto::ImpostaFinestraPrincipale(handle); }

QString TKWGenericComObject::GetHelpFile() { return aiuto::HelpFile(); }

void TKWGenericComObject::SetHelpFile(const QString& file) { aiuto::ImpostaHelpFile(file); }

} // namespace borgal
