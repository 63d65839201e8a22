#pragma once
// What an in-process server builds its objects on: the base object with
// its reference count and interface table, the class factory, the count of
// live objects and locks that DllCanUnloadNow answers from, and the
// registration entries of a class in the classes hive.
//
// Building a server library. Every server has its own counter, so its
// symbols must stay inside it: build it with hidden visibility and export
// only the four entry points, declared with COMPONENTI_ESPORTA.
//
//   add_library(borgal SHARED ...)
//   componenti_server(borgal)   # links componenti, hides everything else
//
// (componenti_server sets CXX_VISIBILITY_PRESET hidden and
// VISIBILITY_INLINES_HIDDEN ON and keeps the symbols of the static
// libraries it links out of its dynamic table.) In the library:
//
//   TComObjectFactory& Fabbrica()
//   {
//       static TComObjectFactory fabbrica(CLSID_Classe, CreatoreDi<TClasse>());
//       return fabbrica;
//   }
//   COMPONENTI_ESPORTA HRESULT DllGetClassObject(const QUuid& clsid, const QUuid& iid, void** oggetto)
//   { return FabbricaPerClasse({&Fabbrica()}, clsid, iid, oggetto); }
//   COMPONENTI_ESPORTA HRESULT DllCanUnloadNow() { return RispostaDllCanUnloadNow(); }
//   COMPONENTI_ESPORTA HRESULT DllRegisterServer()
//   { return EseguiRegistrazione([] { RegistraClasse(CLSID_Classe, "...", "...", PercorsoModuloCorrente()); }); }
//   COMPONENTI_ESPORTA HRESULT DllUnregisterServer()
//   { return EseguiRegistrazione([] { CancellaClasse(CLSID_Classe, "..."); }); }
#include "componenti/componenti.h"

#include <QList>
#include <atomic>
#include <functional>
#include <initializer_list>

// Declares one of the four entry points of a server library: C names,
// visible outside the library.
#define COMPONENTI_ESPORTA extern "C" __attribute__((visibility("default")))

namespace componenti {

// Objects and locks alive in this server. Each server library has its own
// (the library is built with hidden symbols but for its four exports).
class ContatoreModulo {
public:
    static void Aumenta();
    static void Diminuisci();
    // True when nothing is alive: the library may be unloaded.
    static bool Libero();
    static int Vivi();

    // References held on this server's factories: while any is held the
    // library is not free either, or the holder's Release would call
    // into an unloaded library.
    static void FabbricaPresa();
    static void FabbricaLasciata();
    static int FabbricheInUso();
};

// The base object: reference count, the interfaces it answers to. A
// derived class lists its interfaces with AggiungiInterfaccia in its
// constructor (IUnknown is always there).
class TComObject : public IUnknown {
public:
    TComObject();
    TComObject(const TComObject&) = delete;
    TComObject& operator=(const TComObject&) = delete;

    HRESULT QueryInterface(const QUuid& iid, void** oggetto) override;
    std::uint32_t AddRef() override;
    std::uint32_t Release() override;

protected:
    ~TComObject() override;
    void AggiungiInterfaccia(const QUuid& iid, void* interfaccia);

private:
    std::atomic<std::uint32_t> riferimenti_{1};
    QList<QPair<QUuid, void*>> interfacce_;
};

// The factory of one class: makes its objects with `crea`. The factory
// belongs to its server (a static object of the library, see above):
// Release never deletes it, its references only keep the library loaded.
// CreateInstance lets an error thrown by `crea` go to its caller
// (CreaOggetto turns it into an EOleSysError with its text).
class TComObjectFactory : public IClassFactory {
public:
    TComObjectFactory(const QUuid& clsid, std::function<IUnknown*()> crea);
    HRESULT QueryInterface(const QUuid& iid, void** oggetto) override;
    std::uint32_t AddRef() override;
    std::uint32_t Release() override;
    HRESULT CreateInstance(IUnknown* esterno, const QUuid& iid, void** oggetto) override;
    HRESULT LockServer(bool blocca) override;
    const QUuid& ClassId() const { return clsid_; }

private:
    QUuid clsid_;
    std::function<IUnknown*()> crea_;
    std::atomic<std::uint32_t> riferimenti_{0};
    std::atomic<int> blocchi_{0}; // LockServer(true) not yet undone
};

// A TComObject that answers to one interface I (and to those I derives
// from, when the derived class adds them): the IUnknown of I is the
// object's own.
template <class I>
class TComObjectCon : public TComObject, public I {
public:
    explicit TComObjectCon(const QUuid& iid) { AggiungiInterfaccia(iid, static_cast<I*>(this)); }
    HRESULT QueryInterface(const QUuid& iid, void** oggetto) override { return TComObject::QueryInterface(iid, oggetto); }
    std::uint32_t AddRef() override { return TComObject::AddRef(); }
    std::uint32_t Release() override { return TComObject::Release(); }

protected:
    ~TComObjectCon() override = default;
};

// The `crea` of a factory for T (a TComObject): a new object that holds
// only its creator's reference, which the factory releases.
template <class T>
std::function<IUnknown*()> CreatoreDi()
{
    return [] { return static_cast<IUnknown*>(static_cast<TComObject*>(new T())); };
}

// The body of DllGetClassObject: the factory among `fabbriche` of the
// class id, asked for iid; for any other class id *oggetto is null and the
// result CLASS_E_CLASSNOTAVAILABLE.
HRESULT FabbricaPerClasse(std::initializer_list<TComObjectFactory*> fabbriche, const QUuid& clsid, const QUuid& iid,
                          void** oggetto);
// The body of DllCanUnloadNow: S_OK when ContatoreModulo::Libero(), else S_FALSE.
HRESULT RispostaDllCanUnloadNow();
// The body of DllRegisterServer and DllUnregisterServer: runs the steps;
// S_OK, or E_FAIL when any of them throws (the error is logged as a warning).
HRESULT EseguiRegistrazione(const std::function<void()>& passi);

// The entries of a class in the classes hive:
//   CLSID\{clsid} = descrizione; CLSID\{clsid}\InprocServer32 = percorso;
//   CLSID\{clsid}\ProgID = progId; progId = descrizione; progId\Clsid = {clsid}.
// (all default values; no ProgID entries when progId is empty). Throws
// EOleSysError for a null class id, a ProgID with a backslash, an empty
// path or a hive that cannot be written.
void RegistraClasse(const QUuid& clsid, const QString& descrizione, const QString& progId, const QString& percorsoLibreria);
// Removes them: progId\Clsid, progId, the class's InprocServer32 and ProgID, the class key.
// A ProgID that now names another class is left to it. Entries already
// missing are no error.
void CancellaClasse(const QUuid& clsid, const QString& progId);
// The file of the library (or program) that holds `indirizzo`, as an
// absolute path; empty when the address belongs to no loaded file.
QString PercorsoModulo(const void* indirizzo);
// The file of the module this call is compiled into (componenti is linked
// statically into each server): what a server registers as its path.
QString PercorsoModuloCorrente();
// Registers a server library: loads it and calls its DllRegisterServer.
// Throws EOleSysError when the file cannot be loaded, lacks the export or
// the export answers an error; otherwise the export's (success) result.
HRESULT RegistraServer(const QString& percorsoLibreria);
// The same with DllUnregisterServer.
HRESULT CancellaServer(const QString& percorsoLibreria);

} // namespace componenti
