#include "gridkit/griglia/newdbgridadatta.h"

#include "tabelle/campo.h"
#include "tabelle/dataset.h"

#include <QFontMetrics>
#include <QString>
#include <algorithm>

namespace gridkit {

int LarghezzaAdattata(const tabelle::TDataSet& dati, const tabelle::TField& campo, const QFontMetrics& metrica,
                      const std::function<QString(const QVariant&)>& testo, int primaInVista, int ultimaInVista)
{
    const int n = dati.RecordCount();
    const int indice = campo.Index();
    int larghezza = 0;
    auto misura = [&](int da, int a) {
        for (int r = std::max(0, da); r <= a && r < n; ++r)
            larghezza = std::max(larghezza, metrica.horizontalAdvance(testo(dati.ValoreRiga(r, indice)) + QLatin1Char('A')));
    };
    if (n <= RigheMisurateTutte) {
        misura(0, n - 1);
        return larghezza;
    }
    if (primaInVista >= 0)
        misura(primaInVista, ultimaInVista);
    // Whole blocks: the engine reads consecutive rows together.
    const int blocchi = (n + RigheBlocco - 1) / RigheBlocco;
    for (int k = 0; k < BlocchiCampione; ++k) {
        const int blocco = int(qint64(k) * (blocchi - 1) / (BlocchiCampione - 1));
        misura(blocco * RigheBlocco, blocco * RigheBlocco + RigheBlocco - 1);
    }
    return larghezza;
}

} // namespace gridkit
