#pragma once
// TVTRGenericComObject (module COM_VTRGeneric): writes the creation and
// destruction lines of the debug log (logdebug.h) with the object's class
// name.
#include "directory/com_vtr.h"

namespace borgal {

class TVTRGenericComObject : public TVTRComObject {
public:
    void Initialize() override;
    QString ClassName() const override { return QStringLiteral("TVTRGenericComObject"); }

protected:
    // Writes the destruction log, after the derived classes are gone.
    ~TVTRGenericComObject() override;

private:
    // The class name as the creation log wrote it (the destructor cannot
    // ask the derived classes); empty when Initialize never ran.
    QString nomeClasse_;
};

} // namespace borgal
