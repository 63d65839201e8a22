#pragma once
// The jump of the record browser's number box: the text read as a record
// number, and the move of a dataset to that record in constant time (to
// the first record, then forward), whatever the number of rows.
#include <QString>

#include <optional>

namespace tabelle {
class TDataSet;
}

namespace gridkit {

// The record number a text asks for. Blank text asks for the first record
// (0). A whole number that does not fit any integer type (only digits, but
// too many of them) is beyond every last record: the largest number.
// Nothing when the text is not a whole number.
std::optional<qint64> NumeroRecordDaTesto(const QString& testo);

// Goes to the first record, then forward numero - 1 records when numero
// is above 1; a number beyond the last record stops at the last.
void VaiAlRecord(tabelle::TDataSet& dataset, qint64 numero);

} // namespace gridkit
