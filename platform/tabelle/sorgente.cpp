#include "tabelle/sorgente.h"

#include "tabelle/dataset.h"

namespace tabelle {

TDataLink::TDataLink() = default;

TDataLink::~TDataLink() { SetDataSource(nullptr); }

void TDataLink::SetDataSource(TDataSource* sorgente)
{
    if (sorgente == sorgente_)
        return;
    if (sorgente_)
        sorgente_->link_.removeAll(this);
    sorgente_ = sorgente;
    if (sorgente_)
        sorgente_->link_ << this;
    ActiveChanged();
}

TDataSet* TDataLink::DataSet() const { return sorgente_ ? sorgente_->DataSet() : nullptr; }

bool TDataLink::Active() const { return DataSet() && DataSet()->Active(); }

TDataSource::TDataSource(QObject* owner) : QObject(owner) {}

TDataSource::~TDataSource()
{
    SetDataSet(nullptr);
    for (TDataLink* l : QList<TDataLink*>(link_))
        l->SetDataSource(nullptr);
}

void TDataSource::SetDataSet(TDataSet* dataset)
{
    if (dataset == dataset_)
        return;
    if (dataset_)
        dataset_->RimuoviSorgente(this);
    dataset_ = dataset;
    if (dataset_)
        dataset_->AggiungiSorgente(this);
    for (TDataLink* l : QList<TDataLink*>(link_))
        l->ActiveChanged();
}

void TDataSource::Notifica(TDataEvent evento, int info, TField* campo)
{
    if (!Enabled)
        return;
    for (TDataLink* l : QList<TDataLink*>(link_)) {
        switch (evento) {
        case TDataEvent::deDataSetChange: l->DataSetChanged(); break;
        case TDataEvent::deActiveChange: l->ActiveChanged(); break;
        case TDataEvent::deDataSetScroll: l->DataSetScrolled(info); break;
        case TDataEvent::deRecordChange:
        case TDataEvent::deFieldChange: l->RecordChanged(campo); break;
        case TDataEvent::deUpdateState: l->EditingChanged(); break;
        case TDataEvent::deLayoutChange: l->LayoutChanged(); break;
        case TDataEvent::deUpdateRecord: l->UpdateData(); break;
        }
    }
}

} // namespace tabelle
