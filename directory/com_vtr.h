#pragma once
// TVTRComObject: the root of the component's classes. It adds to the
// platform's object the creation step Initialize, which runs once right
// after construction (CreaOggettoInizializzato) from the root down: every
// class that extends it calls its base's first. The class name is the
// one the debug log writes.
//
// (The original root also answered a further interface whose one
// operation showed a message box; nothing calls it and it is not provided.)
#include "componenti/puntatore.h"
#include "componenti/server.h"

#include <QString>

namespace borgal {

class TVTRComObject : public componenti::TComObject {
public:
    virtual void Initialize() {}
    virtual QString ClassName() const { return QStringLiteral("TVTRComObject"); }

protected:
    ~TVTRComObject() override = default;
};

// A new T (a TVTRComObject) made and initialised, holding only its
// creator's reference: the `crea` of the class factory. An error of
// Initialize releases the object and goes on.
template <class T>
componenti::IUnknown* CreaOggettoInizializzato()
{
    componenti::ComPtr<T> oggetto(new T());
    oggetto->Initialize();
    componenti::IUnknown* risultato = static_cast<componenti::TComObject*>(oggetto.Get());
    risultato->AddRef(); // the creator's reference, once the holder lets its own go
    return risultato;
}

} // namespace borgal
