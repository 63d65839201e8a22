#pragma once
// TUndoTable: the undo journal of an enhanced grid. A private table in the
// temporary folder, opened exclusively, where every change made through
// the grid leaves an entry (ID_001_TABLE, TIPOOP, CODESTERNO, CODINTERNO,
// INFO) and from which the newest change is reversed. The grid creates it
// on first use; its files go with the object.
#include "tabelle/tabella.h"

#include <QList>

namespace gridkit {

// The row key of the tables the grid edits.
inline const QString CampoId = QStringLiteral("ID_001_TABLE");

// The kinds of entry (TIPOOP).
enum TipoVoceUndo : int {
    undo_Eliminazione = 1,   // one row deleted by Elimina
    undo_Aggiunta = 2,       // a row appended to the stored table
    undo_Eliminazioni = 3,   // several rows deleted by Elimina, one entry each
    undo_Modifica = 4,       // a stored row about to change: its snapshot
    undo_Ordine = 5,         // the grid's sort about to change
    undo_Incolla = 8,        // a row pasted, one entry each
};

class TUndoTable : public tabelle::TTable {
    Q_OBJECT
public:
    explicit TUndoTable(QObject* owner = nullptr, tabelle::TSession* sessione = nullptr);
    ~TUndoTable() override;

    // Creates the journal in the temporary folder and opens it. A failure
    // of the creation shows "Errore nella creazione di UndoT"; any error
    // propagates.
    void Crea();
    bool Creata() const { return creata_; }

    // The writers: each appends its entry (type 3 one per row, type 8 one
    // per call) and posts it; nothing while the journal is closed.
    // Type 1: the dataset's current row.
    void RegistraEliminazione(const tabelle::TDataSet& dati);
    // Type 2: the writable table's current (new) row.
    void RegistraAggiunta(const tabelle::TTable& tabella);
    // Type 3: the rows (0-based, in selection order) of the dataset.
    void RegistraEliminazioni(const tabelle::TDataSet& dati, const QList<int>& righe);
    // Type 4: the snapshot of the writable table's current row.
    void RegistraModifica(const tabelle::TTable& tabella);
    // Type 5: the sort field and direction ("UP" or "DOWN").
    void RegistraOrdine(const QString& campo, const QString& direzione);
    // Type 8: the writable table's current (pasted) row; `numero` is the
    // number of rows this paste has written so far.
    void RegistraIncolla(const tabelle::TTable& tabella, int numero);

    // Type of the newest entry, 0 when closed or empty.
    int UltimoTipo();
    // The row to go back to after undoing the newest entry.
    int RigaDiRitorno();
    // Undoes the newest entry against the writable table (none needed for a
    // sort entry) and removes its entries.
    void Annulla(tabelle::TTable* tabella);
    // The sort read by the last undo of a sort entry.
    const QString& CampoOrdine() const { return campoOrdine_; }
    const QString& DirezioneOrdine() const { return direzioneOrdine_; }

private:
    void Aggiungi(int tipo, qint64 esterno, qint64 interno, const QByteArray& info = QByteArray());
    // Values of the newest entry (the journal on it).
    bool Ultima();
    qint64 Valore(const char* campo) const;
    void CancellaUltima();
    void AnnullaGruppo(tabelle::TTable& tabella, bool multipla);
    void AnnullaModifica(tabelle::TTable& tabella);
    // Closes the journal and, when this object made it, removes its files.
    void EliminaFile();

    bool creata_ = false;
    QString campoOrdine_;
    QString direzioneOrdine_;
};

} // namespace gridkit
