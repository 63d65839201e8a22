#pragma once
// The clipboard and undo commands of an enhanced grid: copy and cut to the
// clipboard file, paste from it into the stored table, undo the newest
// entry of the journal.
#include <QString>

namespace gridkit {

class IGrigliaModifica;
class TModificaGriglia;

class TComandiAppunti {
public:
    TComandiAppunti(IGrigliaModifica& griglia, TModificaGriglia& modifica) : griglia_(griglia), modifica_(modifica) {}

    // The current row, or the selected rows with multiple selection.
    void Copia();
    // Copia, then Elimina (whose question may keep the rows).
    void Taglia();
    // Appends the clipboard's rows to the stored table when its structure
    // fits, one undo entry a row, and runs the view again.
    void Incolla();
    // Undoes the newest entry of the journal.
    void Annulla();
    // The clipboard holds a record.
    bool IsIncolla() const;
    // The journal holds an entry (it is made when it does not exist yet).
    bool IsUndo() const;

private:
    IGrigliaModifica& griglia_;
    TModificaGriglia& modifica_;
};

} // namespace gridkit
