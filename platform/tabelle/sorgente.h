#pragma once
// Data sources and data links: how grids and other controls follow a
// dataset (its opening, its current row, its edits) without the dataset
// knowing them.
#include <QObject>
#include <QList>

namespace tabelle {

class TDataSet;
class TDataSource;
class TField;

enum class TDataEvent { deActiveChange, deFieldChange, deRecordChange, deDataSetChange, deDataSetScroll, deLayoutChange, deUpdateRecord, deUpdateState };

// A control's view of a data source. Override the notifications it needs.
class TDataLink {
public:
    TDataLink();
    virtual ~TDataLink();
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;

    void SetDataSource(TDataSource* sorgente);
    TDataSource* DataSource() const { return sorgente_; }
    TDataSet* DataSet() const;
    bool Active() const;

    // Called by the data source.
    virtual void ActiveChanged() {}
    virtual void DataSetChanged() {}
    virtual void DataSetScrolled(int distanza) { Q_UNUSED(distanza); DataSetChanged(); }
    virtual void RecordChanged(TField* campo) { Q_UNUSED(campo); }
    virtual void EditingChanged() {}
    virtual void LayoutChanged() { DataSetChanged(); }
    // Before a post: write what the control holds into the fields.
    virtual void UpdateData() {}

private:
    TDataSource* sorgente_ = nullptr;
};

class TDataSource : public QObject {
    Q_OBJECT
public:
    explicit TDataSource(QObject* owner = nullptr);
    ~TDataSource() override;

    TDataSet* DataSet() const { return dataset_; }
    void SetDataSet(TDataSet* dataset);
    bool Enabled = true;

    // Called by the dataset.
    void Notifica(TDataEvent evento, int info = 0, TField* campo = nullptr);

private:
    friend class TDataLink;
    friend class TDataSet;
    TDataSet* dataset_ = nullptr;
    QList<TDataLink*> link_;
};

} // namespace tabelle
