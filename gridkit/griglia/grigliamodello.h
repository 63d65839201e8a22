#pragma once
// ModelloGriglia: the rows of a dataset as a Qt table model, one model
// column per grid column. The row count is the dataset's RecordCount and a
// cell is read with TDataSet::ValoreRiga only when the view asks for it
// (the rows in view): the model keeps no row of its own, so a dataset of a
// million rows costs what the screen shows.
#include <QAbstractTableModel>
#include <vector>

namespace tabelle {
class TDataLink;
class TDataSet;
class TField;
} // namespace tabelle

namespace gridkit {

class TDBGridColumns;

class ModelloGriglia : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Ruolo {
        // The stored value of the cell (null for NULL).
        RuoloValore = Qt::UserRole + 1,
        // For a boolean field: true, false, or an invalid QVariant for NULL.
        RuoloBooleano,
    };

    ModelloGriglia(const tabelle::TDataLink& collegamento, const TDBGridColumns& colonne, QObject* genitore = nullptr);

    int rowCount(const QModelIndex& genitore = {}) const override;
    int columnCount(const QModelIndex& genitore = {}) const override;
    QVariant data(const QModelIndex& indice, int ruolo = Qt::DisplayRole) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento, int ruolo = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

    // Reads again the row count and the fields of the columns: a reset when
    // either changed (or when asked), else a repaint of every cell.
    void Ricarica(bool azzera = false);
    void AggiornaRiga(int riga);
    // A column's field, title or alignment changed.
    void AggiornaColonna(int colonna);

    // The field a column shows, nullptr when the dataset has none of that name.
    tabelle::TField* Campo(int colonna) const;
    // The text a cell shows: DisplayFormat through FormatFloat for numbers,
    // "True"/"False" for booleans, "(BLOB)"/"(MEMO)" for blobs with data.
    QString Testo(int riga, int colonna) const;
    static QString TestoCampo(const tabelle::TField& campo, const QVariant& valore);

private:
    tabelle::TDataSet* Dati() const;
    std::vector<int> CampiColonne() const;

    const tabelle::TDataLink& collegamento_;
    const TDBGridColumns& colonne_;
    int righe_ = 0;
    // Index in the dataset of each column's field (-1: none).
    std::vector<int> campi_;
};

} // namespace gridkit
