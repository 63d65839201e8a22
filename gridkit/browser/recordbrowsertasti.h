#pragma once
// The keys of the record browser's number box: Enter jumps to the number
// typed; backspace, escape and the digits are taken only while the
// browser's dataset is open; every other character key is dropped. Keys
// that type no character (arrows, Home, End, Delete, Tab) keep their
// ordinary meaning.
class QKeyEvent;

namespace gridkit {

enum class TAzioneTasto {
    Salta,   // jump to the record typed; the key goes no further
    Accetta, // the box handles the key as usual
    Scarta,  // the key goes no further
};

TAzioneTasto AzioneTastoNumero(const QKeyEvent& tasto, bool attivo);

} // namespace gridkit
