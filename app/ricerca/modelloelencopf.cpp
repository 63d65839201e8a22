#include "app/ricerca/modelloelencopf.h"

#include "tabelle/dataset.h"

namespace tratte {

using namespace tabelle;

const QStringList ModelloElencoPF::Campi{"Nome Comune", "Comune", "Sezione", "Foglio", "Allegato", "PF"};

class ModelloElencoPF::Link : public TDataLink {
public:
    explicit Link(ModelloElencoPF& m) : m_(m) {}
    void ActiveChanged() override { m_.Ricarica(); }
    void DataSetChanged() override { m_.Ricarica(); }
    void DataSetScrolled(int) override
    {
        if (const TDataSet* d = DataSet())
            emit m_.RigaCorrente(d->RecNo() - 1);
    }
    void RecordChanged(TField*) override { m_.Ricarica(); }
    void EditingChanged() override { m_.Ricarica(); }

private:
    ModelloElencoPF& m_;
};

ModelloElencoPF::ModelloElencoPF(NomeDelComune nome, QObject* genitore)
    : QAbstractTableModel(genitore), nome_(std::move(nome)), link_(std::make_unique<Link>(*this))
{
}

ModelloElencoPF::~ModelloElencoPF() = default;

void ModelloElencoPF::SetDataSource(TDataSource* sorgente)
{
    link_->SetDataSource(sorgente);
    Ricarica();
}

TDataSource* ModelloElencoPF::DataSource() const { return link_->DataSource(); }

void ModelloElencoPF::Ricarica()
{
    beginResetModel();
    const TDataSet* d = link_->DataSet();
    righe_ = d && d->Active() ? d->RecordCount() : 0;
    endResetModel();
    if (d && d->Active() && d->RecNo() > 0)
        emit RigaCorrente(d->RecNo() - 1);
}

int ModelloElencoPF::rowCount(const QModelIndex& genitore) const { return genitore.isValid() ? 0 : righe_; }
int ModelloElencoPF::columnCount(const QModelIndex& genitore) const { return genitore.isValid() ? 0 : int(Campi.size()); }

QVariant ModelloElencoPF::Valore(int riga, const QString& campo) const
{
    const TDataSet* d = link_->DataSet();
    if (!d || !d->Active() || riga >= d->RecordCount())
        return QVariant();
    const TField* f = d->FindField(campo);
    return f ? d->ValoreRiga(riga, f->Index()) : QVariant();
}

QString ModelloElencoPF::NomeComuneRiga(int riga) const
{
    const QString comune = Valore(riga, "Comune").toString();
    const QString sezione = Valore(riga, "Sezione").toString();
    if (comune.isEmpty())
        return QString();
    const QString chiave = comune + '/' + sezione;
    auto trovato = nomi_.constFind(chiave);
    if (trovato != nomi_.constEnd())
        return *trovato;
    const QString nome = nome_ ? nome_(comune, sezione) : QString();
    nomi_.insert(chiave, nome);
    return nome;
}

QVariant ModelloElencoPF::data(const QModelIndex& indice, int ruolo) const
{
    if (!indice.isValid() || ruolo != Qt::DisplayRole)
        return QVariant();
    if (indice.column() == 0)
        return NomeComuneRiga(indice.row());
    const QVariant v = Valore(indice.row(), Campi[indice.column()]);
    return v.isNull() ? QString() : v.toString();
}

QVariant ModelloElencoPF::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const
{
    if (ruolo != Qt::DisplayRole)
        return QVariant();
    if (orientamento == Qt::Horizontal)
        return Campi.value(sezione);
    return QVariant();
}

} // namespace tratte
