#include "gridkit/browser/recordbrowsersalto.h"

#include "tabelle/dataset.h"

#include <algorithm>
#include <limits>

namespace gridkit {

std::optional<qint64> NumeroRecordDaTesto(const QString& testo)
{
    const QString t = testo.trimmed();
    if (t.isEmpty())
        return 0;
    bool ok = false;
    const qint64 n = t.toLongLong(&ok);
    if (ok)
        return n;
    const bool soloCifre = std::all_of(t.begin(), t.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    if (soloCifre)
        return std::numeric_limits<qint64>::max();
    return std::nullopt;
}

void VaiAlRecord(tabelle::TDataSet& dataset, qint64 numero)
{
    dataset.First();
    if (numero > 1)
        // Asking for more rows than there are is the same as asking for
        // one past the last: the move stops at the last row, at Eof.
        dataset.MoveBy(int(std::min<qint64>(numero - 1, dataset.RecordCount())));
}

} // namespace gridkit
