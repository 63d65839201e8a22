#pragma once
// Sorting a TNewTable for the enhanced grid: the query is run again with
// one sort field (the engine sorts, CodOp breaks ties) and the row that was
// current before is current again, found by its ID_001_TABLE. Also the
// record of the sorts done, kept until the undo journal takes them.
#include <QList>
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

// One sort as the undo journal records it: the field and "UP" or "DOWN".
struct VoceOrdinamento {
    QString campo;
    QString direzione;
    bool operator==(const VoceOrdinamento&) const = default;
};

// The sorts recorded by the grid before each new sort. It stands in for
// the undo journal, which will keep these entries in its own table and
// reverse them; until then they are only kept here, in memory.
class RegistroOrdinamenti {
public:
    void Aggiungi(const QString& campo, bool discendente)
    {
        voci_ << VoceOrdinamento{campo, discendente ? QStringLiteral("DOWN") : QStringLiteral("UP")};
    }
    const QList<VoceOrdinamento>& Voci() const { return voci_; }

private:
    QList<VoceOrdinamento> voci_;
};

} // namespace gridkit
