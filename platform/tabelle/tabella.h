#pragma once
// A table opened directly, in the order of one of its indexes: the plain
// dataset for loading, looking up keys and writing rows.
#include "tabelle/dataset.h"

#include <memory>

namespace tabelle {

class UsoTabella;
class Istruzione;
class EDBEngineError;

enum class TTableType { ttDefault, ttParadox };

class TTable : public TDataSet {
    Q_OBJECT
public:
    explicit TTable(QObject* owner = nullptr, TSession* sessione = nullptr);
    ~TTable() override;

    QString DatabaseName;
    QString TableName;
    TTableType TableType = TTableType::ttDefault;
    bool Exclusive = false;
    bool ReadOnly = false;
    // The order: an index by name, or field names separated by ";". With
    // neither, the primary index.
    QString IndexName;
    QString IndexFieldNames;
    TFieldDefs FieldDefs;
    TIndexDefs IndexDefs;

    // Full path of the table file (resolved without regard to case).
    QString Percorso() const;
    bool Exists() const;

    // Writes a new empty table from FieldDefs and IndexDefs, replacing any
    // table of that name.
    void CreateTable();
    void DeleteTable();
    // Removes every row (the auto-increment counter starts again).
    void EmptyTable();
    // Field names and index definitions read from the stored table.
    QStringList GetFieldNames();
    QStringList GetIndexNames();

    // Keys of the current index.
    bool FindKey(const QVariantList& valori);
    void FindNearest(const QVariantList& valori);
    void SetRange(const QVariantList& inizio, const QVariantList& fine);
    void CancelRange();

protected:
    std::unique_ptr<Cursore> InternalOpen() override;
    void InternalClose() override;
    bool SolaLettura() const override { return ReadOnly; }
    std::vector<qint64> InternalInsert(const QVector<QVariant>& riga) override;
    void InternalUpdate(qint64 chiave, const QVector<QVariant>& vecchia, const QVector<QVariant>& nuova) override;
    void InternalDelete(qint64 chiave) override;
    int PosizioneNuovaRiga(const std::vector<qint64>& chiavi, int proposta) const override;
    bool OrdineCambiato(const QVector<QVariant>& vecchia, const QVector<QVariant>& nuova) const override;

private:
    struct Struttura;
    // An error of a write, with the key violation said plainly.
    EDBEngineError ErroreScrittura(const EDBEngineError& e) const;
    QStringList CampiIndice() const;
    int PrimaPosizione(const QVariantList& valori) const;
    Struttura LeggiStruttura(const QString& schema);
    // The table's file name, as on disk once opened.
    QString NomeFile() const;
    // An error of the storage restated so that it names the table.
    EDBEngineError ErroreTabella(const EDBEngineError& e) const;
    // The current order is the row key's.
    bool SuChiaveRiga() const;

    std::unique_ptr<UsoTabella> uso_;
    std::unique_ptr<class InserimentoPreparato> inserimento_;
    QString chiaveRiga_;        // the field that is the row key, if any
    QStringList ordine_;        // fields of the current order
    QList<int> posizioniOrdine_; // their positions in the row
    QVariantList inizioIntervallo_, fineIntervallo_;
    bool intervallo_ = false;
};

// Compares two stored values the way the storage orders them.
int ConfrontaValori(const QVariant& a, const QVariant& b);

} // namespace tabelle
