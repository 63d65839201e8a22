#pragma once
// Sorting a TNewTable for the enhanced grid: the query is run again with
// one sort field (the engine sorts, CodOp breaks ties) and the row that was
// current before is current again, found by its ID_001_TABLE.
#include <QString>

namespace tabelle {
class TDataSet;
}

namespace gridkit {

class TNewTable;

// Re-runs the table's query sorted by `campo` (empty: insertion order),
// descending when asked, with the dataset's controls disabled, then makes
// current the row with the ID_001_TABLE that was current (the first row
// when it is gone). A change in progress is posted first; the controls are
// enabled again on every way out.
void OrdinaTabella(TNewTable& tabella, const QString& campo, bool discendente);

// The row (0-based) whose ID_001_TABLE is `id`, -1 when none, found
// without moving the dataset: by the storage key in memory, checked on
// that one row; when the key is not the ID (a snapshot of the result), by
// reading only the ID_001_TABLE values forward from the first row.
int RigaConId(const tabelle::TDataSet& dati, qint64 id);

} // namespace gridkit
