#pragma once
// TBorgal (module COM_Borgal): the one class of the directory component,
// answering IBorgal. The lookups are RicercaComuni's, in the component's
// database session, with the suggestion dialog for the choice among
// candidates; every operation shows the hourglass while it runs.
#include "directory/com_kwgeneric.h"

#include <QDialog>
#include <QPointer>

namespace borgal {

class TBorgal : public TKWGenericComObject, public IBorgal {
public:
    TBorgal();

    componenti::HRESULT QueryInterface(const QUuid& iid, void** oggetto) override
    {
        return TComObject::QueryInterface(iid, oggetto);
    }
    std::uint32_t AddRef() override { return TComObject::AddRef(); }
    std::uint32_t Release() override { return TComObject::Release(); }

    void Initialize() override;
    QString ClassName() const override { return QStringLiteral("TBorgal"); }

    HandleFinestra GetApplicationHandle() override { return TKWGenericComObject::GetApplicationHandle(); }
    void SetApplicationHandle(HandleFinestra handle) override { TKWGenericComObject::SetApplicationHandle(handle); }
    QString GetHelpFile() override { return TKWGenericComObject::GetHelpFile(); }
    void SetHelpFile(const QString& file) override { TKWGenericComObject::SetHelpFile(file); }

    QString MostraArchivio(bool Comuni, bool Stati) override;
    bool CercaComune(bool Comuni, bool Stati, const QString& Testo, QStringList& Dati) override;
    bool EsisteComune(bool Comuni, bool Stati, const QString& Testo) override;

protected:
    ~TBorgal() override;

private:
    // The archive dialog (TArchivioComuni_Form) while MostraArchivio shows it.
    QPointer<QDialog> ArchivioComuni_Form;
};

} // namespace borgal
