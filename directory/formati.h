#pragma once
// The format settings of the component's own runtime: its short date
// format and its decimal separator, set when the library is loaded
// ("dd/MM/yyyy" and ".") and put back when it is unloaded. They belong to
// the component only; the host's settings are not touched.
#include <QChar>
#include <QString>

namespace borgal {

struct FormatiComponente {
    QString formatoDataBreve;
    QChar separatoreDecimale;
};

// The settings in force (empty format and separator before loading).
const FormatiComponente& Formati();
void ImpostaFormati(const FormatiComponente& formati);

} // namespace borgal
