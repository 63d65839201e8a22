#include "directory/formati.h"

namespace borgal {

namespace {

FormatiComponente& Stato()
{
    static FormatiComponente formati;
    return formati;
}

} // namespace

const FormatiComponente& Formati() { return Stato(); }

void ImpostaFormati(const FormatiComponente& formati) { Stato() = formati; }

} // namespace borgal
