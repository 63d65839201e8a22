#pragma once
// Batch copy of a dataset into a table: with batCopy the destination is
// made anew with the source's fields; with batAppend the rows are added to
// an existing table, field by field of the same name.
#include <QObject>

namespace tabelle {

class TDataSet;
class TTable;

enum class TBatchMode { batAppend, batCopy };

class TBatchMove : public QObject {
    Q_OBJECT
public:
    explicit TBatchMove(QObject* owner = nullptr) : QObject(owner) {}

    TDataSet* Source = nullptr;
    TTable* Destination = nullptr;
    TBatchMode Mode = TBatchMode::batAppend;
    // With batCopy: the password the new table is given, while still
    // empty, before the rows are written into it (empty: none). The rows
    // are then encrypted as they are written, not in a rewrite afterwards.
    QString Password;
    // Rows copied by the last Execute.
    int MovedCount = 0;

    // The source's current row is kept.
    void Execute();
};

} // namespace tabelle
