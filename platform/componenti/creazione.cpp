#include "componenti/creazione.h"

#include "componenti/modulo_dinamico.h"
#include "registro/errore.h"
#include "registro/tregistry.h"

#include <QFileInfo>

#include <map>
#include <mutex>
#include <vector>

namespace componenti {

namespace {

// The server libraries loaded by creation, by file. Held with a recursive
// lock for a whole creation, so that no unload runs between loading a
// library and calling it, while an object's constructor may still create
// other objects.
class TabellaLibrerie {
public:
    static TabellaLibrerie& Istanza()
    {
        static TabellaLibrerie tabella;
        return tabella;
    }

    // At exit the libraries stay loaded: objects that outlive the table may
    // still point into them.
    ~TabellaLibrerie()
    {
        for (auto& [percorso, modulo] : librerie_)
            modulo.Rilascia();
    }

    std::recursive_mutex& Blocco() { return blocco_; }

    // The library of the file, loaded now when it is not yet. A file that
    // lacks DllGetClassObject is no server: it is not kept.
    const ModuloDinamico& Carica(const QString& percorso)
    {
        const QString chiave = chiaveDi(percorso);
        if (auto trovato = librerie_.find(chiave); trovato != librerie_.end())
            return trovato->second;
        ModuloDinamico modulo = ModuloDinamico::Apri(percorso);
        if (!modulo.Funzione<FunzioneDllGetClassObject>("DllGetClassObject"))
            throw EOleSysError(QStringLiteral("La libreria «%1» non esporta DllGetClassObject: non è un server di componenti.")
                                   .arg(modulo.Percorso()),
                               CO_E_ERRORINDLL);
        return librerie_.emplace(chiave, std::move(modulo)).first->second;
    }

    void LiberaInutilizzate()
    {
        std::vector<ModuloDinamico> daChiudere;
        for (auto it = librerie_.begin(); it != librerie_.end();) {
            if (scaricabile(it->second)) {
                daChiudere.push_back(std::move(it->second));
                it = librerie_.erase(it);
            } else {
                ++it;
            }
        }
        // Closed here, out of the table: a library's static objects may
        // run code of the component model while they are destroyed.
    }

    int Quante() const { return int(librerie_.size()); }

private:
    TabellaLibrerie() = default;

    // One entry per file, however its path is spelled.
    static QString chiaveDi(const QString& percorso)
    {
        const QString canonico = QFileInfo(percorso).canonicalFilePath();
        return canonico.isEmpty() ? PercorsoAssoluto(percorso) : canonico;
    }

    static bool scaricabile(const ModuloDinamico& modulo)
    {
        const auto puoScaricare = modulo.Funzione<FunzioneDllCanUnloadNow>("DllCanUnloadNow");
        if (!puoScaricare)
            return false; // it cannot tell: it stays
        try {
            return puoScaricare() == S_OK;
        } catch (...) {
            return false;
        }
    }

    std::recursive_mutex blocco_;
    std::map<QString, ModuloDinamico> librerie_;
};

// The server file registered for the class.
QString LibreriaDellaClasse(const QUuid& clsid)
{
    const QString chiave = QStringLiteral("\\CLSID\\%1\\InprocServer32").arg(TestoId(clsid));
    QString percorso;
    try {
        registro::TRegistry registro(registro::Radice::HKEY_CLASSES_ROOT);
        if (registro.OpenKeyReadOnly(chiave))
            percorso = registro.ReadString(QString());
    } catch (const registro::ERegistryException& e) {
        throw EOleSysError(
            QStringLiteral("Impossibile leggere la registrazione della classe %1: %2").arg(TestoId(clsid), e.messaggio()),
            E_FAIL);
    }
    if (clsid.isNull() || percorso.trimmed().isEmpty())
        throw EOleSysError(QStringLiteral("Classe non registrata: %1").arg(TestoId(clsid)), REGDB_E_CLASSNOTREG);
    return percorso;
}

QString Causa(const std::exception& e)
{
    if (const auto* errore = dynamic_cast<const EOleSysError*>(&e))
        return errore->messaggio();
    return QString::fromUtf8(e.what());
}

} // namespace

IUnknown* CreaOggetto(const QUuid& clsid, const QUuid& iid)
{
    TabellaLibrerie& tabella = TabellaLibrerie::Istanza();
    std::lock_guard blocco(tabella.Blocco());
    const ModuloDinamico& modulo = tabella.Carica(LibreriaDellaClasse(clsid));
    const QString& file = modulo.Percorso();
    const auto dllGetClassObject = modulo.Funzione<FunzioneDllGetClassObject>("DllGetClassObject");

    // Nothing the server throws goes further than here but as EOleSysError.
    auto erroreDelServer = [&](const std::exception* e) {
        return EOleSysError(QStringLiteral("Errore della libreria «%1» nel creare un oggetto della classe %2: %3")
                                .arg(file, TestoId(clsid), e ? Causa(*e) : QStringLiteral("errore sconosciuto")),
                            E_FAIL);
    };

    ComPtr<IClassFactory> fabbrica;
    void* oggetto = nullptr;
    HRESULT esito = E_FAIL;
    try {
        esito = dllGetClassObject(clsid, IID_IClassFactory, fabbrica.Indirizzo());
        if (!Riuscito(esito))
            throw EOleSysError(QStringLiteral("La libreria «%1» non fornisce la classe %2 (%3).")
                                   .arg(file, TestoId(clsid), TestoCodice(esito)),
                               esito);
        if (!fabbrica)
            throw EOleSysError(
                QStringLiteral("La libreria «%1» non ha restituito la fabbrica della classe %2.").arg(file, TestoId(clsid)),
                E_POINTER);
        esito = fabbrica->CreateInstance(nullptr, iid, &oggetto);
    } catch (const EOleSysError&) {
        throw;
    } catch (const std::exception& e) {
        throw erroreDelServer(&e);
    } catch (...) {
        throw erroreDelServer(nullptr);
    }
    if (esito == E_NOINTERFACE)
        throw EOleSysError(
            QStringLiteral("Interfaccia %1 non disponibile per la classe %2").arg(TestoId(iid), TestoId(clsid)), esito);
    if (!Riuscito(esito))
        throw EOleSysError(QStringLiteral("Impossibile creare un oggetto della classe %1 (%2).")
                               .arg(TestoId(clsid), TestoCodice(esito)),
                           esito);
    if (!oggetto)
        throw EOleSysError(
            QStringLiteral("La libreria «%1» non ha restituito l'oggetto della classe %2.").arg(file, TestoId(clsid)),
            E_POINTER);
    return static_cast<IUnknown*>(oggetto);
}

void CoFreeUnusedLibraries()
{
    TabellaLibrerie& tabella = TabellaLibrerie::Istanza();
    std::lock_guard blocco(tabella.Blocco());
    tabella.LiberaInutilizzate();
}

int LibrerieCaricate()
{
    TabellaLibrerie& tabella = TabellaLibrerie::Istanza();
    std::lock_guard blocco(tabella.Blocco());
    return tabella.Quante();
}

} // namespace componenti
