#pragma once
// The component model: objects reached through interfaces by id, with
// reference counting, made by class factories that in-process servers
// (shared libraries) export; class ids registered in the classes hive.
// Strings and string lists cross the boundary as Qt types: both sides link
// the same Qt.
#include <QString>
#include <QUuid>
#include <cstdint>
#include <stdexcept>

namespace componenti {

using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT S_FALSE = 1;
inline constexpr HRESULT E_NOINTERFACE = HRESULT(0x80004002u);
inline constexpr HRESULT E_POINTER = HRESULT(0x80004003u);
inline constexpr HRESULT E_FAIL = HRESULT(0x80004005u);
inline constexpr HRESULT E_INVALIDARG = HRESULT(0x80070057u);
inline constexpr HRESULT CLASS_E_NOAGGREGATION = HRESULT(0x80040110u);
inline constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = HRESULT(0x80040111u);
inline constexpr HRESULT REGDB_E_CLASSNOTREG = HRESULT(0x80040154u);
inline constexpr HRESULT CO_E_DLLNOTFOUND = HRESULT(0x800401F8u); // the server file cannot be loaded
inline constexpr HRESULT CO_E_ERRORINDLL = HRESULT(0x800401F9u);  // the server file lacks an export
inline bool Riuscito(HRESULT r) { return r >= 0; }
// A result as the messages show it: 0x80004005.
inline QString TestoCodice(HRESULT r)
{
    return QStringLiteral("0x") + QString::number(std::uint32_t(r), 16).rightJustified(8, QLatin1Char('0')).toUpper();
}
// A class or interface id as the classes hive and the messages spell it:
// upper case, in braces.
inline QString TestoId(const QUuid& id) { return id.toString(QUuid::WithBraces).toUpper(); }

// The base interface: every interface derives from it.
class IUnknown {
public:
    virtual HRESULT QueryInterface(const QUuid& iid, void** oggetto) = 0;
    virtual std::uint32_t AddRef() = 0;
    virtual std::uint32_t Release() = 0;

protected:
    virtual ~IUnknown() = default;
};
inline const QUuid IID_IUnknown{"{00000000-0000-0000-C000-000000000046}"};

class IClassFactory : public IUnknown {
public:
    virtual HRESULT CreateInstance(IUnknown* esterno, const QUuid& iid, void** oggetto) = 0;
    virtual HRESULT LockServer(bool blocca) = 0;
};
inline const QUuid IID_IClassFactory{"{00000001-0000-0000-C000-000000000046}"};

// The error of the component model: creation, loading, registration.
class EOleSysError : public std::runtime_error {
public:
    EOleSysError(const QString& messaggio, HRESULT codice)
        : std::runtime_error(messaggio.toStdString()), messaggio_(messaggio), codice_(codice) {}
    const QString& messaggio() const { return messaggio_; }
    HRESULT codice() const { return codice_; }

private:
    QString messaggio_;
    HRESULT codice_;
};

// The four exports of an in-process server (extern "C", these names).
using FunzioneDllGetClassObject = HRESULT (*)(const QUuid& clsid, const QUuid& iid, void** oggetto);
using FunzioneDllCanUnloadNow = HRESULT (*)();
using FunzioneDllRegisterServer = HRESULT (*)();
using FunzioneDllUnregisterServer = HRESULT (*)();

} // namespace componenti
