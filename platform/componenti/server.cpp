#include "componenti/server.h"

#include <QtGlobal>

namespace componenti {

namespace {

// Internal linkage, and componenti is built with hidden symbols: every
// module that links it counts on its own.
std::atomic<int> vivi{0};
std::atomic<int> fabbricheInUso{0};

// Decrements down to zero, never below: an unbalanced call must not make
// a module look free while something in it is alive.
bool decrementaSePositivo(std::atomic<int>& contatore)
{
    int attuale = contatore.load();
    do {
        if (attuale <= 0)
            return false;
    } while (!contatore.compare_exchange_weak(attuale, attuale - 1));
    return true;
}

} // namespace

// ---- ContatoreModulo

void ContatoreModulo::Aumenta() { ++vivi; }
void ContatoreModulo::Diminuisci() { decrementaSePositivo(vivi); }
bool ContatoreModulo::Libero() { return vivi.load() == 0 && fabbricheInUso.load() == 0; }
int ContatoreModulo::Vivi() { return vivi.load(); }
void ContatoreModulo::FabbricaPresa() { ++fabbricheInUso; }
void ContatoreModulo::FabbricaLasciata() { decrementaSePositivo(fabbricheInUso); }
int ContatoreModulo::FabbricheInUso() { return fabbricheInUso.load(); }

// ---- TComObject

TComObject::TComObject()
{
    ContatoreModulo::Aumenta();
}

TComObject::~TComObject()
{
    ContatoreModulo::Diminuisci();
}

void TComObject::AggiungiInterfaccia(const QUuid& iid, void* interfaccia)
{
    if (!interfaccia || iid == IID_IUnknown)
        return; // the object's IUnknown is always its own
    for (auto& voce : interfacce_) {
        if (voce.first == iid) {
            voce.second = interfaccia; // a derived class answers in place of its base
            return;
        }
    }
    interfacce_.append({iid, interfaccia});
}

HRESULT TComObject::QueryInterface(const QUuid& iid, void** oggetto)
{
    if (!oggetto)
        return E_POINTER;
    *oggetto = nullptr;
    if (iid == IID_IUnknown) {
        *oggetto = static_cast<IUnknown*>(this);
    } else {
        for (const auto& voce : interfacce_)
            if (voce.first == iid)
                *oggetto = voce.second;
    }
    if (!*oggetto)
        return E_NOINTERFACE;
    AddRef();
    return S_OK;
}

std::uint32_t TComObject::AddRef()
{
    return ++riferimenti_;
}

std::uint32_t TComObject::Release()
{
    const std::uint32_t restanti = --riferimenti_;
    if (restanti == 0)
        delete this;
    return restanti;
}

// ---- TComObjectFactory

TComObjectFactory::TComObjectFactory(const QUuid& clsid, std::function<IUnknown*()> crea)
    : clsid_(clsid), crea_(std::move(crea))
{
}

HRESULT TComObjectFactory::QueryInterface(const QUuid& iid, void** oggetto)
{
    if (!oggetto)
        return E_POINTER;
    if (iid != IID_IUnknown && iid != IID_IClassFactory) {
        *oggetto = nullptr;
        return E_NOINTERFACE;
    }
    *oggetto = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

std::uint32_t TComObjectFactory::AddRef()
{
    const std::uint32_t prima = riferimenti_++;
    if (prima == 0)
        ContatoreModulo::FabbricaPresa();
    return prima + 1;
}

std::uint32_t TComObjectFactory::Release()
{
    std::uint32_t attuale = riferimenti_.load();
    do {
        if (attuale == 0)
            return 0; // one Release too many: nothing to give back
    } while (!riferimenti_.compare_exchange_weak(attuale, attuale - 1));
    if (attuale == 1)
        ContatoreModulo::FabbricaLasciata();
    return attuale - 1;
}

HRESULT TComObjectFactory::CreateInstance(IUnknown* esterno, const QUuid& iid, void** oggetto)
{
    if (!oggetto)
        return E_POINTER;
    *oggetto = nullptr;
    if (esterno)
        return CLASS_E_NOAGGREGATION;
    if (!crea_)
        return E_FAIL;
    IUnknown* creato = crea_();
    if (!creato)
        return E_FAIL;
    const HRESULT esito = creato->QueryInterface(iid, oggetto);
    creato->Release(); // the creator's reference: on failure the object goes
    return esito;
}

HRESULT TComObjectFactory::LockServer(bool blocca)
{
    if (blocca) {
        ++blocchi_;
        ContatoreModulo::Aumenta();
        return S_OK;
    }
    if (!decrementaSePositivo(blocchi_))
        return E_FAIL; // no lock of this factory to undo
    ContatoreModulo::Diminuisci();
    return S_OK;
}

// ---- The four entry points

HRESULT FabbricaPerClasse(std::initializer_list<TComObjectFactory*> fabbriche, const QUuid& clsid, const QUuid& iid,
                          void** oggetto)
{
    if (!oggetto)
        return E_POINTER;
    *oggetto = nullptr;
    for (TComObjectFactory* fabbrica : fabbriche)
        if (fabbrica && fabbrica->ClassId() == clsid)
            return fabbrica->QueryInterface(iid, oggetto);
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT RispostaDllCanUnloadNow()
{
    return ContatoreModulo::Libero() ? S_OK : S_FALSE;
}

HRESULT EseguiRegistrazione(const std::function<void()>& passi)
{
    try {
        passi();
        return S_OK;
    } catch (const EOleSysError& e) {
        qWarning("%s", qUtf8Printable(e.messaggio()));
    } catch (const std::exception& e) {
        qWarning("%s", e.what());
    } catch (...) {
        qWarning("Errore sconosciuto durante la registrazione del server.");
    }
    return E_FAIL;
}

} // namespace componenti
