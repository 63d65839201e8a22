#pragma once
// ComPtr: holds one reference to an interface and releases it with the
// object.
#include "componenti/componenti.h"

#include <utility>

namespace componenti {

template <class I>
class ComPtr {
public:
    ComPtr() = default;
    // Takes over a reference already counted (as a creation returns it).
    explicit ComPtr(I* adottato) : p_(adottato) {}
    ComPtr(const ComPtr& altro) : p_(altro.p_) { if (p_) p_->AddRef(); }
    ComPtr(ComPtr&& altro) noexcept : p_(std::exchange(altro.p_, nullptr)) {}
    ComPtr& operator=(ComPtr altro) noexcept { std::swap(p_, altro.p_); return *this; }
    ~ComPtr() { Reset(); }

    I* Get() const { return p_; }
    I* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void Reset()
    {
        if (p_)
            std::exchange(p_, nullptr)->Release();
    }
    // For an out argument: the pointer is released first.
    void** Indirizzo()
    {
        Reset();
        return reinterpret_cast<void**>(&p_);
    }

private:
    I* p_ = nullptr;
};

} // namespace componenti
