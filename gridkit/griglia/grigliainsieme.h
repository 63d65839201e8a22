#pragma once
// Insieme: a set of the values of an enumeration numbered 0, 1, 2, ... (at
// most 32), as the grids' option sets are.
#include <QtGlobal>
#include <initializer_list>

namespace gridkit {

template <typename E>
class Insieme {
public:
    constexpr Insieme() = default;
    constexpr Insieme(std::initializer_list<E> valori)
    {
        for (E v : valori)
            bit_ |= Bit(v);
    }
    // Every value from the first up to `ultimo`.
    static constexpr Insieme FinoA(E ultimo)
    {
        Insieme s;
        s.bit_ = (Bit(ultimo) << 1) - 1;
        return s;
    }

    constexpr bool contiene(E v) const { return (bit_ & Bit(v)) != 0; }
    constexpr bool vuoto() const { return bit_ == 0; }
    constexpr Insieme& aggiungi(E v) { bit_ |= Bit(v); return *this; }
    constexpr Insieme& togli(E v) { bit_ &= ~Bit(v); return *this; }
    constexpr Insieme con(E v) const { Insieme s = *this; return s.aggiungi(v); }
    constexpr Insieme senza(E v) const { Insieme s = *this; return s.togli(v); }
    constexpr bool operator==(const Insieme&) const = default;

private:
    static constexpr quint32 Bit(E v) { return quint32(1) << unsigned(v); }
    quint32 bit_ = 0;
};

} // namespace gridkit
