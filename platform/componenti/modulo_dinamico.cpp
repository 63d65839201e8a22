#include "componenti/modulo_dinamico.h"

#include "componenti/componenti.h"

#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>
#include <link.h>
#include <utility>

namespace componenti {

QString PercorsoAssoluto(const QString& percorso)
{
    return percorso.isEmpty() ? QString() : QFileInfo(percorso).absoluteFilePath();
}

ModuloDinamico ModuloDinamico::Apri(const QString& percorso)
{
    const QString assoluto = PercorsoAssoluto(percorso);
    if (assoluto.isEmpty())
        throw EOleSysError(QStringLiteral("Impossibile caricare la libreria: il percorso è vuoto."), CO_E_DLLNOTFOUND);
    dlerror();
    void* handle = dlopen(QFile::encodeName(assoluto).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* causa = dlerror();
        throw EOleSysError(QStringLiteral("Impossibile caricare la libreria «%1»: %2")
                               .arg(assoluto, causa ? QString::fromLocal8Bit(causa) : QStringLiteral("errore sconosciuto")),
                           CO_E_DLLNOTFOUND);
    }
    return ModuloDinamico(assoluto, handle);
}

ModuloDinamico::ModuloDinamico(ModuloDinamico&& altro) noexcept
    : percorso_(std::move(altro.percorso_)), handle_(std::exchange(altro.handle_, nullptr))
{
}

ModuloDinamico& ModuloDinamico::operator=(ModuloDinamico&& altro) noexcept
{
    if (this != &altro) {
        if (handle_)
            dlclose(handle_);
        percorso_ = std::move(altro.percorso_);
        handle_ = std::exchange(altro.handle_, nullptr);
    }
    return *this;
}

ModuloDinamico::~ModuloDinamico()
{
    if (handle_)
        dlclose(handle_);
}

void* ModuloDinamico::Rilascia()
{
    return std::exchange(handle_, nullptr);
}

void* ModuloDinamico::simbolo(const char* nome) const
{
    if (!handle_)
        return nullptr;
    void* trovato = dlsym(handle_, nome);
    if (!trovato)
        return nullptr;
    // dlsym also looks in the libraries this one depends on: an export
    // found there is not this library's.
    link_map* mappa = nullptr;
    link_map* mappaSimbolo = nullptr;
    Dl_info info;
    if (dlinfo(handle_, RTLD_DI_LINKMAP, &mappa) == 0
        && dladdr1(trovato, &info, reinterpret_cast<void**>(&mappaSimbolo), RTLD_DL_LINKMAP) != 0 && mappa != mappaSimbolo)
        return nullptr;
    return trovato;
}

} // namespace componenti
