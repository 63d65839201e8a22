#pragma once
// Making objects of registered classes: the library that the classes hive
// names for the class id (CLSID\{...}\InprocServer32) is loaded once, its
// DllGetClassObject asked for the factory and the factory for the object.
#include "componenti/puntatore.h"

namespace componenti {

// An object of the class, asked for the interface; the reference is the
// caller's. Throws EOleSysError with a clear text: class not registered,
// library missing or not loadable, export missing, no such interface.
IUnknown* CreaOggetto(const QUuid& clsid, const QUuid& iid);

template <class I>
ComPtr<I> CreateComObject(const QUuid& clsid, const QUuid& iid)
{
    return ComPtr<I>(static_cast<I*>(static_cast<void*>(CreaOggetto(clsid, iid))));
}

// Unloads the libraries whose DllCanUnloadNow answers S_OK.
void CoFreeUnusedLibraries();
// Number of server libraries loaded now.
int LibrerieCaricate();

} // namespace componenti
