#include "app/ricerca/campolegato.h"

#include "tabelle/dataset.h"

namespace tratte {

using namespace tabelle;

class TCampoLegato::Link : public TDataLink {
public:
    explicit Link(TCampoLegato& campo) : campo_(campo) {}
    void ActiveChanged() override { campo_.Ricarica(); }
    void DataSetChanged() override { campo_.Ricarica(); }
    void RecordChanged(TField*) override { campo_.Ricarica(); }
    void EditingChanged() override { campo_.Ricarica(); }
    void UpdateData() override { campo_.Scrivi(); }

private:
    TCampoLegato& campo_;
};

TCampoLegato::TCampoLegato(QWidget* genitore) : QLineEdit(genitore), link_(std::make_unique<Link>(*this))
{
    connect(this, &QLineEdit::textEdited, this, [this](const QString& testo) {
        if (Maiuscolo && testo != testo.toUpper()) {
            const int posizione = cursorPosition();
            setText(testo.toUpper());
            setCursorPosition(posizione);
        }
        Scrivi();
    });
}

TCampoLegato::~TCampoLegato() = default;

void TCampoLegato::SetDataSource(TDataSource* sorgente)
{
    link_->SetDataSource(sorgente);
    Ricarica();
}

void TCampoLegato::Ricarica()
{
    if (scrivendo_)
        return;
    TDataSet* d = link_->DataSet();
    TField* campo = d && d->Active() ? d->FindField(DataField) : nullptr;
    const QString testo = campo ? campo->AsString() : QString();
    if (testo != text())
        setText(testo);
}

void TCampoLegato::Scrivi()
{
    TDataSet* d = link_->DataSet();
    if (!d || (d->State() != TDataSetState::dsEdit && d->State() != TDataSetState::dsInsert))
        return;
    TField* campo = d->FindField(DataField);
    if (!campo)
        return;
    scrivendo_ = true;
    try {
        const QString testo = text().trimmed();
        if (testo.isEmpty())
            campo->Clear();
        else if (TipoIntero(campo->DataType()))
            campo->SetAsInteger(testo.toLongLong());
        else
            campo->SetAsString(testo);
    } catch (...) {
        scrivendo_ = false;
        throw;
    }
    scrivendo_ = false;
}

} // namespace tratte
