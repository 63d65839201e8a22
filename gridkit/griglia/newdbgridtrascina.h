#pragma once
// ITestoTrascinato: what a control dragged onto an enhanced grid must
// offer for the drop to be taken: the text it carries and whether it can
// give it. The enhanced grid offers it too (an empty text, true).
#include <QString>
#include <QtPlugin>

namespace gridkit {

class ITestoTrascinato {
public:
    virtual ~ITestoTrascinato() = default;
    // The text the drop gives.
    virtual QString Testo() const = 0;
    // Whether the source can give its text now.
    virtual bool Disponibile() const = 0;
};

// The interface of a drag source (a QObject), nullptr when it has none.
ITestoTrascinato* TestoTrascinatoDi(QObject* sorgente);

} // namespace gridkit

#define ITestoTrascinato_iid "{E5062C60-F4B5-11D1-B5F3-006097BC738F}"
Q_DECLARE_INTERFACE(gridkit::ITestoTrascinato, ITestoTrascinato_iid)
