#pragma once
// TKWGenericComObject (module COM_KWGeneric): the interface
// IKWGenericComObject, i.e. the window and the help file of the
// component's application object. The application object is the
// component's own help state (aiuto/applicazione.h inside the library):
// its main window owns the component's dialogs. Initialize saves the
// window in use; the object gives it back when it goes, undoing any
// SetApplicationHandle made through it.
#include "directory/com_vtrgeneric.h"
#include "directory/interfacce.h"

#include <QPointer>
#include <QWidget>

namespace borgal {

class TKWGenericComObject : public TVTRGenericComObject, public IKWGenericComObject {
public:
    TKWGenericComObject();

    componenti::HRESULT QueryInterface(const QUuid& iid, void** oggetto) override
    {
        return TComObject::QueryInterface(iid, oggetto);
    }
    std::uint32_t AddRef() override { return TComObject::AddRef(); }
    std::uint32_t Release() override { return TComObject::Release(); }

    void Initialize() override;
    QString ClassName() const override { return QStringLiteral("TKWGenericComObject"); }

    HandleFinestra GetApplicationHandle() override;
    void SetApplicationHandle(HandleFinestra handle) override;
    QString GetHelpFile() override;
    void SetHelpFile(const QString& file) override;

protected:
    ~TKWGenericComObject() override;

private:
    QPointer<QWidget> handleSalvato_;
    bool salvato_ = false;
};

} // namespace borgal
