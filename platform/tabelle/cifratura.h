#pragma once
// The crypto library's own set-up, run ahead on a thread of its own: the
// first table file a process opens makes the library find and build its
// algorithms (AES, SHA-512, PBKDF2), about 2 ms, paid once per process. A
// short command starts this first thing, so that it runs while the command
// reads its arguments and settings; the first table opened then finds it
// done (or waits for the rest of it).
#include <thread>

namespace tabelle {

class PreparazioneCifratura {
public:
    PreparazioneCifratura();
    // Waits for the set-up to end.
    ~PreparazioneCifratura();
    PreparazioneCifratura(const PreparazioneCifratura&) = delete;
    PreparazioneCifratura& operator=(const PreparazioneCifratura&) = delete;

private:
    std::thread lavoro_;
};

} // namespace tabelle
