#pragma once
// Internal to the component model: one reference to a shared library
// opened with dlopen, closed with the object (unless handed over).
#include <QString>

namespace componenti {

class ModuloDinamico {
public:
    // Opens the file (RTLD_NOW | RTLD_LOCAL). A relative path is taken
    // from the current folder, never searched along the library path.
    // Throws EOleSysError (CO_E_DLLNOTFOUND) naming the file and the
    // loader's reason.
    static ModuloDinamico Apri(const QString& percorso);

    ModuloDinamico(ModuloDinamico&& altro) noexcept;
    ModuloDinamico& operator=(ModuloDinamico&& altro) noexcept;
    ModuloDinamico(const ModuloDinamico&) = delete;
    ModuloDinamico& operator=(const ModuloDinamico&) = delete;
    ~ModuloDinamico();

    const QString& Percorso() const { return percorso_; }
    void* Handle() const { return handle_; }
    // The exported function, null when the library lacks it.
    template <class F>
    F Funzione(const char* nome) const
    {
        return reinterpret_cast<F>(simbolo(nome));
    }
    // Gives up the reference without closing it: the caller closes the
    // handle with dlclose.
    void* Rilascia();

private:
    ModuloDinamico(QString percorso, void* handle) : percorso_(std::move(percorso)), handle_(handle) {}
    void* simbolo(const char* nome) const;

    QString percorso_;
    void* handle_ = nullptr;
};

// The absolute form of a path, as it is loaded and registered.
QString PercorsoAssoluto(const QString& percorso);

} // namespace componenti
