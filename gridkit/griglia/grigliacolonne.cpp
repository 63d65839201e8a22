#include "gridkit/griglia/grigliacolonne.h"

#include "tabelle/campo.h"

#include <algorithm>

namespace gridkit {

using tabelle::TField;
using tabelle::TFieldType;

// ---------------------------------------------------------------- TColumn

void TColumn::SetFieldName(const QString& nome)
{
    if (nome == campo_)
        return;
    campo_ = nome;
    collezione_->Modificata(*this);
}

TField* TColumn::Field() const { return campo_.isEmpty() ? nullptr : collezione_->Fonte().CampoColonna(campo_); }

QString TColumn::TitleCaption() const
{
    if (titoloImpostato_)
        return titolo_;
    if (const TField* f = Field())
        return f->DisplayLabel.isEmpty() ? f->FieldName() : f->DisplayLabel;
    return campo_;
}

void TColumn::SetTitleCaption(const QString& titolo)
{
    if (titoloImpostato_ && titolo == titolo_)
        return;
    titolo_ = titolo;
    titoloImpostato_ = true;
    collezione_->Modificata(*this);
}

int TColumn::Width() const { return larghezza_ >= 0 ? larghezza_ : DefaultWidth(); }

void TColumn::SetWidth(int larghezza)
{
    larghezza = std::max(0, larghezza);
    if (larghezza == larghezza_)
        return;
    larghezza_ = larghezza;
    collezione_->Modificata(*this);
}

int TColumn::CaratteriPredefiniti(const TField& campo)
{
    if (campo.DisplayWidth > 0)
        return campo.DisplayWidth;
    switch (campo.DataType()) {
    case TFieldType::ftString: return std::max(1, campo.Size());
    case TFieldType::ftSmallint:
    case TFieldType::ftWord: return 6;
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc: return 11;
    case TFieldType::ftBoolean: return 5;
    case TFieldType::ftDate:
    case TFieldType::ftTime: return 10;
    case TFieldType::ftDateTime: return 18;
    default: return 10;
    }
}

int TColumn::DefaultWidth() const
{
    const TField* f = Field();
    if (!f)
        return 64;
    const FonteColonne& fonte = collezione_->Fonte();
    return std::max(fonte.LarghezzaCaratteri(CaratteriPredefiniti(*f)) + 4, fonte.LarghezzaTesto(TitleCaption()) + 4);
}

void TColumn::SetVisible(bool visibile)
{
    if (visibile == visibile_)
        return;
    visibile_ = visibile;
    collezione_->Modificata(*this);
}

void TColumn::SetAlignment(int allineamento)
{
    if (allineamento == allineamento_)
        return;
    allineamento_ = allineamento;
    collezione_->Modificata(*this);
}

int TColumn::AllineamentoEffettivo() const
{
    if (allineamento_ != 0)
        return allineamento_;
    const TField* f = Field();
    if (!f)
        return Qt::AlignLeft | Qt::AlignVCenter;
    switch (f->DataType()) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD: return Qt::AlignRight | Qt::AlignVCenter;
    case TFieldType::ftBoolean: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

// ---------------------------------------------------------------- TDBGridColumns

TDBGridColumns::TDBGridColumns(const FonteColonne& fonte, QObject* genitore) : QObject(genitore), fonte_(fonte) {}

TDBGridColumns::~TDBGridColumns() = default;

int TDBGridColumns::IndiceDi(const QString& campo) const
{
    for (int i = 0; i < Count(); ++i)
        if (colonne_[size_t(i)]->FieldName().compare(campo, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

TColumn& TDBGridColumns::Add()
{
    stato_ = TDBGridColumnsState::csCustomized;
    colonne_.push_back(std::make_unique<TColumn>(*this));
    Ristruttura();
    return *colonne_.back();
}

void TDBGridColumns::Delete(int indice)
{
    if (indice < 0 || indice >= Count())
        return;
    stato_ = TDBGridColumnsState::csCustomized;
    colonne_.erase(colonne_.begin() + indice);
    Ristruttura();
}

void TDBGridColumns::Move(int da, int a)
{
    if (da < 0 || da >= Count() || a < 0 || a >= Count() || da == a)
        return;
    stato_ = TDBGridColumnsState::csCustomized;
    auto colonna = std::move(colonne_[size_t(da)]);
    colonne_.erase(colonne_.begin() + da);
    colonne_.insert(colonne_.begin() + a, std::move(colonna));
    Ristruttura();
}

void TDBGridColumns::Clear()
{
    colonne_.clear();
    Ristruttura();
}

void TDBGridColumns::SetState(TDBGridColumnsState stato)
{
    if (stato == stato_)
        return;
    stato_ = stato;
    if (stato == TDBGridColumnsState::csDefault) {
        colonne_.clear();
        Ristruttura();
    }
}

void TDBGridColumns::Predefinite(const QStringList& campi)
{
    colonne_.clear();
    for (const QString& nome : campi) {
        auto c = std::make_unique<TColumn>(*this);
        c->campo_ = nome;
        colonne_.push_back(std::move(c));
    }
    stato_ = TDBGridColumnsState::csDefault;
    Ristruttura();
}

void TDBGridColumns::RimuoviCampi(const QStringList& campi)
{
    const auto prima = colonne_.size();
    std::erase_if(colonne_, [&](const std::unique_ptr<TColumn>& c) { return campi.contains(c->FieldName(), Qt::CaseInsensitive); });
    if (colonne_.size() != prima)
        Ristruttura();
}

QList<DescrizioneColonna> TDBGridColumns::Descrizioni() const
{
    QList<DescrizioneColonna> d;
    for (const auto& c : colonne_)
        d << DescrizioneColonna{c->FieldName(), c->TitoloImpostato() ? c->titolo_ : QString(), c->Width(), c->Visible(), c->Alignment()};
    return d;
}

void TDBGridColumns::DaDescrizioni(const QList<DescrizioneColonna>& descrizioni)
{
    colonne_.clear();
    for (const DescrizioneColonna& d : descrizioni) {
        auto c = std::make_unique<TColumn>(*this);
        c->campo_ = d.campo;
        c->titoloImpostato_ = !d.titolo.isEmpty();
        c->titolo_ = d.titolo;
        c->larghezza_ = std::max(0, d.larghezza);
        c->visibile_ = d.visibile;
        c->allineamento_ = d.allineamento;
        colonne_.push_back(std::move(c));
    }
    stato_ = TDBGridColumnsState::csCustomized;
    Ristruttura();
}

void TDBGridColumns::Modificata(const TColumn& colonna)
{
    for (int i = 0; i < Count(); ++i)
        if (colonne_[size_t(i)].get() == &colonna) {
            emit Cambiata(i);
            return;
        }
}

void TDBGridColumns::Ristruttura() { emit Ristrutturate(); }

} // namespace gridkit
