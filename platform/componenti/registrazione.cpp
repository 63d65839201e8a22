#include "componenti/modulo_dinamico.h"
#include "componenti/server.h"
#include "registro/errore.h"
#include "registro/tregistry.h"

#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>
#include <link.h>

namespace componenti {

namespace {

using registro::Radice;
using registro::TRegistry;

QString ChiaveClasse(const QUuid& clsid)
{
    return QStringLiteral("\\CLSID\\") + TestoId(clsid);
}

// A ProgID is one key right under the root of the classes hive.
void ControllaClasse(const QUuid& clsid, const QString& progId, const QString& azione)
{
    if (clsid.isNull())
        throw EOleSysError(QStringLiteral("Impossibile %1 una classe senza identificativo.").arg(azione), E_INVALIDARG);
    if (progId.isEmpty())
        return;
    const bool valido = !progId.trimmed().isEmpty() && !progId.contains(QLatin1Char('\\'))
                        && progId.compare(QLatin1String("CLSID"), Qt::CaseInsensitive) != 0;
    if (!valido)
        throw EOleSysError(QStringLiteral("Impossibile %1 la classe %2: il ProgID «%3» non è valido.")
                               .arg(azione, TestoId(clsid), progId),
                           E_INVALIDARG);
}

void ScriviPredefinito(TRegistry& registro, const QString& chiave, const QString& valore)
{
    registro.OpenKey(chiave, true);
    registro.WriteString(QString(), valore);
    registro.CloseKey();
}

// True when progId\Clsid names another class than clsid.
bool ProgIdDiAltraClasse(TRegistry& registro, const QString& progId, const QUuid& clsid)
{
    if (!registro.OpenKeyReadOnly(QStringLiteral("\\%1\\Clsid").arg(progId)))
        return false;
    const QString registrato = registro.ReadString(QString()).trimmed();
    registro.CloseKey();
    return !registrato.isEmpty() && QUuid::fromString(registrato) != clsid;
}

// Calls DllRegisterServer or DllUnregisterServer of the library.
HRESULT ChiamaRegistrazione(const QString& percorsoLibreria, const char* esportazione, const QString& operazione)
{
    const ModuloDinamico modulo = ModuloDinamico::Apri(percorsoLibreria);
    const auto funzione = modulo.Funzione<FunzioneDllRegisterServer>(esportazione);
    if (!funzione)
        throw EOleSysError(QStringLiteral("La libreria «%1» non esporta %2: non è un server di componenti.")
                               .arg(modulo.Percorso(), QLatin1String(esportazione)),
                           CO_E_ERRORINDLL);
    HRESULT esito = E_FAIL;
    QString causa;
    try {
        esito = funzione();
    } catch (const EOleSysError& e) {
        causa = e.messaggio();
    } catch (const std::exception& e) {
        causa = QString::fromUtf8(e.what());
    } catch (...) {
        causa = QStringLiteral("errore sconosciuto");
    }
    if (!causa.isEmpty())
        throw EOleSysError(QStringLiteral("La %1 della libreria «%2» non è riuscita: %3").arg(operazione, modulo.Percorso(), causa),
                           E_FAIL);
    if (!Riuscito(esito))
        throw EOleSysError(QStringLiteral("La %1 della libreria «%2» non è riuscita (%3 ha risposto %4).")
                               .arg(operazione, modulo.Percorso(), QLatin1String(esportazione), TestoCodice(esito)),
                           esito);
    return esito;
}

} // namespace

void RegistraClasse(const QUuid& clsid, const QString& descrizione, const QString& progId, const QString& percorsoLibreria)
{
    ControllaClasse(clsid, progId, QStringLiteral("registrare"));
    if (percorsoLibreria.trimmed().isEmpty())
        throw EOleSysError(
            QStringLiteral("Impossibile registrare la classe %1: manca il percorso della libreria.").arg(TestoId(clsid)),
            E_INVALIDARG);
    const QString classe = ChiaveClasse(clsid);
    try {
        TRegistry registro(Radice::HKEY_CLASSES_ROOT);
        ScriviPredefinito(registro, classe, descrizione);
        ScriviPredefinito(registro, classe + QStringLiteral("\\InprocServer32"), percorsoLibreria);
        if (!progId.isEmpty()) {
            ScriviPredefinito(registro, classe + QStringLiteral("\\ProgID"), progId);
            ScriviPredefinito(registro, QLatin1Char('\\') + progId, descrizione);
            ScriviPredefinito(registro, QStringLiteral("\\%1\\Clsid").arg(progId), TestoId(clsid));
        }
    } catch (const registro::ERegistryException& e) {
        throw EOleSysError(QStringLiteral("Impossibile registrare la classe %1: %2").arg(TestoId(clsid), e.messaggio()), E_FAIL);
    }
}

void CancellaClasse(const QUuid& clsid, const QString& progId)
{
    ControllaClasse(clsid, progId, QStringLiteral("cancellare"));
    const QString classe = ChiaveClasse(clsid);
    try {
        TRegistry registro(Radice::HKEY_CLASSES_ROOT);
        if (!progId.isEmpty() && !ProgIdDiAltraClasse(registro, progId, clsid)) {
            registro.DeleteKey(QStringLiteral("\\%1\\Clsid").arg(progId));
            registro.DeleteKey(QLatin1Char('\\') + progId);
        }
        registro.DeleteKey(classe + QStringLiteral("\\InprocServer32"));
        registro.DeleteKey(classe + QStringLiteral("\\ProgID"));
        registro.DeleteKey(classe);
    } catch (const registro::ERegistryException& e) {
        throw EOleSysError(
            QStringLiteral("Impossibile cancellare la registrazione della classe %1: %2").arg(TestoId(clsid), e.messaggio()),
            E_FAIL);
    }
}

QString PercorsoModulo(const void* indirizzo)
{
    Dl_info info{};
    link_map* mappa = nullptr;
    if (!indirizzo || dladdr1(indirizzo, &info, reinterpret_cast<void**>(&mappa), RTLD_DL_LINKMAP) == 0)
        return {};
    // The program itself has no name in the loader's list (dladdr would
    // give argv[0]): its file is what /proc/self/exe points to.
    if (mappa && mappa->l_name && mappa->l_name[0] == '\0')
        return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return info.dli_fname ? PercorsoAssoluto(QFile::decodeName(info.dli_fname)) : QString();
}

QString PercorsoModuloCorrente()
{
    static const char segnaposto = 0;
    return PercorsoModulo(&segnaposto);
}

HRESULT RegistraServer(const QString& percorsoLibreria)
{
    return ChiamaRegistrazione(percorsoLibreria, "DllRegisterServer", QStringLiteral("registrazione"));
}

HRESULT CancellaServer(const QString& percorsoLibreria)
{
    return ChiamaRegistrazione(percorsoLibreria, "DllUnregisterServer", QStringLiteral("cancellazione della registrazione"));
}

} // namespace componenti
