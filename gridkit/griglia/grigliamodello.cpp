#include "gridkit/griglia/grigliamodello.h"

#include "gridkit/griglia/formato.h"
#include "gridkit/griglia/grigliacolonne.h"
#include "tabelle/dataset.h"
#include "tabelle/sorgente.h"

namespace gridkit {

using tabelle::TField;
using tabelle::TFieldType;

ModelloGriglia::ModelloGriglia(const tabelle::TDataLink& collegamento, const TDBGridColumns& colonne, QObject* genitore)
    : QAbstractTableModel(genitore), collegamento_(collegamento), colonne_(colonne)
{
}

tabelle::TDataSet* ModelloGriglia::Dati() const { return collegamento_.Active() ? collegamento_.DataSet() : nullptr; }

int ModelloGriglia::rowCount(const QModelIndex& genitore) const { return genitore.isValid() ? 0 : righe_; }

int ModelloGriglia::columnCount(const QModelIndex& genitore) const { return genitore.isValid() ? 0 : int(campi_.size()); }

std::vector<int> ModelloGriglia::CampiColonne() const
{
    std::vector<int> campi;
    const tabelle::TDataSet* ds = collegamento_.DataSet();
    for (int i = 0; i < colonne_.Count(); ++i) {
        const TField* f = ds ? ds->FindField(colonne_[i].FieldName()) : nullptr;
        campi.push_back(f ? f->Index() : -1);
    }
    return campi;
}

void ModelloGriglia::Ricarica(bool azzera)
{
    const tabelle::TDataSet* ds = Dati();
    const int righe = ds ? ds->RecordCount() : 0;
    const std::vector<int> campi = CampiColonne();
    if (azzera || righe != righe_ || campi != campi_) {
        beginResetModel();
        righe_ = righe;
        campi_ = campi;
        endResetModel();
        return;
    }
    if (righe_ > 0 && !campi_.empty())
        emit dataChanged(index(0, 0), index(righe_ - 1, int(campi_.size()) - 1));
    if (!campi_.empty())
        emit headerDataChanged(Qt::Horizontal, 0, int(campi_.size()) - 1);
}

void ModelloGriglia::AggiornaRiga(int riga)
{
    if (riga >= 0 && riga < righe_ && !campi_.empty())
        emit dataChanged(index(riga, 0), index(riga, int(campi_.size()) - 1));
}

void ModelloGriglia::AggiornaColonna(int colonna)
{
    if (colonna < 0 || colonna >= int(campi_.size()))
        return;
    const std::vector<int> campi = CampiColonne();
    if (campi.size() != campi_.size()) {
        Ricarica(true);
        return;
    }
    campi_[size_t(colonna)] = campi[size_t(colonna)];
    if (righe_ > 0)
        emit dataChanged(index(0, colonna), index(righe_ - 1, colonna));
    emit headerDataChanged(Qt::Horizontal, colonna, colonna);
}

TField* ModelloGriglia::Campo(int colonna) const
{
    const tabelle::TDataSet* ds = collegamento_.DataSet();
    if (!ds || colonna < 0 || colonna >= int(campi_.size()))
        return nullptr;
    const int i = campi_[size_t(colonna)];
    return i >= 0 && i < ds->FieldCount() ? ds->Fields(i) : nullptr;
}

QString ModelloGriglia::TestoCampo(const TField& campo, const QVariant& valore)
{
    switch (campo.DataType()) {
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
    case TFieldType::ftParadoxOle:
    case TFieldType::ftDBaseOle:
    case TFieldType::ftTypedBinary:
        return valore.isNull() ? QStringLiteral("(blob)") : QStringLiteral("(BLOB)");
    case TFieldType::ftMemo:
    case TFieldType::ftFmtMemo:
        return valore.isNull() ? QStringLiteral("(memo)") : QStringLiteral("(MEMO)");
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        if (!campo.DisplayFormat.isEmpty() && !valore.isNull())
            return FormatFloat(campo.DisplayFormat, valore.toDouble());
        break;
    default:
        break;
    }
    return campo.Testo(valore);
}

QString ModelloGriglia::Testo(int riga, int colonna) const
{
    const tabelle::TDataSet* ds = Dati();
    const TField* f = Campo(colonna);
    if (!ds || !f || riga < 0 || riga >= ds->RecordCount())
        return QString();
    return TestoCampo(*f, ds->ValoreRiga(riga, f->Index()));
}

QVariant ModelloGriglia::data(const QModelIndex& indice, int ruolo) const
{
    if (!indice.isValid())
        return QVariant();
    switch (ruolo) {
    case Qt::DisplayRole:
        return Testo(indice.row(), indice.column());
    case Qt::TextAlignmentRole:
        return indice.column() < colonne_.Count() ? QVariant(colonne_[indice.column()].AllineamentoEffettivo()) : QVariant();
    case RuoloValore:
    case RuoloBooleano: {
        const tabelle::TDataSet* ds = Dati();
        const TField* f = Campo(indice.column());
        if (!ds || !f || indice.row() >= ds->RecordCount())
            return QVariant();
        const QVariant v = ds->ValoreRiga(indice.row(), f->Index());
        if (ruolo == RuoloValore)
            return v;
        if (f->DataType() != TFieldType::ftBoolean || v.isNull())
            return QVariant();
        return QVariant(v.toLongLong() != 0);
    }
    default:
        return QVariant();
    }
}

QVariant ModelloGriglia::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const
{
    if (orientamento != Qt::Horizontal || sezione < 0 || sezione >= colonne_.Count())
        return QVariant();
    if (ruolo == Qt::DisplayRole)
        return colonne_[sezione].TitleCaption();
    return QVariant();
}

Qt::ItemFlags ModelloGriglia::flags(const QModelIndex& indice) const
{
    if (!indice.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace gridkit
