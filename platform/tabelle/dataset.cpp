#include "tabelle/dataset.h"

#include "tabelle/errore.h"
#include "tabelle/sessione.h"

#include <QDataStream>
#include <QIODevice>
#include <algorithm>

namespace tabelle {

void Abort() { throw EAbort(); }

TDataSet::TDataSet(QObject* owner, TSession* sessione)
    : QObject(owner), sessione_(sessione ? sessione : &Session())
{
}

TDataSet::~TDataSet()
{
    for (TDataSource* s : QList<TDataSource*>(sorgenti_))
        s->dataset_ = nullptr;
}

// ---------------------------------------------------------------- opening

void TDataSet::SetActive(bool valore)
{
    if (valore == Active())
        return;
    if (valore) {
        Esegui(BeforeOpen);
        cursore_ = InternalOpen();
        stato_ = TDataSetState::dsBrowse;
        corrente_ = cursore_->Conta() > 0 ? 0 : -1;
        bof_ = true;
        eof_ = cursore_->Conta() == 0;
        Notifica(TDataEvent::deActiveChange);
        Esegui(AfterOpen);
    } else {
        Esegui(BeforeClose);
        stato_ = TDataSetState::dsInactive;
        buffer_.clear();
        modificato_ = false;
        cursore_.reset();
        corrente_ = -1;
        bof_ = eof_ = true;
        InternalClose();
        Notifica(TDataEvent::deActiveChange);
        Esegui(AfterClose);
    }
}

void TDataSet::RiapriCursore()
{
    if (!Active())
        return;
    const std::vector<qint64> chiavi = corrente_ >= 0 ? cursore_->Chiavi(corrente_) : std::vector<qint64>();
    const int vecchio = corrente_;
    cursore_.reset();
    try {
        cursore_ = InternalOpen();
    } catch (...) {
        // Without its rows the dataset is closed, not left half open.
        stato_ = TDataSetState::dsInactive;
        buffer_.clear();
        modificato_ = false;
        corrente_ = -1;
        bof_ = eof_ = true;
        InternalClose();
        Notifica(TDataEvent::deActiveChange);
        throw;
    }
    const int n = cursore_->Conta();
    int pos = chiavi.empty() ? -1 : cursore_->Cerca(chiavi, vecchio);
    if (pos < 0)
        pos = n > 0 ? std::clamp(vecchio, 0, n - 1) : -1;
    corrente_ = pos;
    bof_ = pos <= 0;
    eof_ = n == 0;
    Notifica(TDataEvent::deDataSetChange);
}

void TDataSet::Refresh()
{
    ControllaBrowse();
    RiapriCursore();
}

namespace {
void Applica(TField& campo, const TImpostazioniCampo& impostazioni)
{
    campo.DisplayLabel = impostazioni.DisplayLabel;
    campo.DisplayWidth = impostazioni.DisplayWidth;
    campo.DisplayFormat = impostazioni.DisplayFormat;
    campo.Visible = impostazioni.Visible;
}
} // namespace

void TDataSet::DefinisciCampi(const QList<TFieldDef>& definizioni)
{
    bool uguali = int(campi_.size()) == definizioni.size();
    for (int i = 0; uguali && i < definizioni.size(); ++i)
        uguali = campi_[size_t(i)]->FieldName() == definizioni[i].Name && campi_[size_t(i)]->DataType() == definizioni[i].DataType
                 && campi_[size_t(i)]->Size() == definizioni[i].Size;
    if (uguali)
        return;
    std::vector<std::unique_ptr<TField>> nuovi;
    for (int i = 0; i < definizioni.size(); ++i) {
        const TFieldDef& d = definizioni[i];
        auto campo = std::make_unique<TField>(*this, i, d.Name, d.DataType, d.Size);
        campo->Required = d.Required;
        if (auto imp = impostazioni_.constFind(d.Name.toUpper()); imp != impostazioni_.constEnd())
            Applica(*campo, *imp);
        if (const TField* vecchio = FindField(d.Name)) {
            campo->DisplayLabel = vecchio->DisplayLabel;
            campo->DisplayWidth = vecchio->DisplayWidth;
            campo->DisplayFormat = vecchio->DisplayFormat;
            campo->EditFormat = vecchio->EditFormat;
            campo->Visible = vecchio->Visible;
            campo->ReadOnly = vecchio->ReadOnly;
        }
        nuovi.push_back(std::move(campo));
    }
    campi_ = std::move(nuovi);
    Notifica(TDataEvent::deLayoutChange);
}

void TDataSet::ImpostaCampo(const QString& nome, const TImpostazioniCampo& impostazioni)
{
    impostazioni_.insert(nome.toUpper(), impostazioni);
    if (TField* campo = FindField(nome)) {
        Applica(*campo, impostazioni);
        Notifica(TDataEvent::deLayoutChange);
    }
}

TField* TDataSet::FindField(const QString& nome) const
{
    for (const auto& c : campi_)
        if (c->FieldName().compare(nome, Qt::CaseInsensitive) == 0)
            return c.get();
    return nullptr;
}

TField* TDataSet::FieldByName(const QString& nome) const
{
    if (TField* c = FindField(nome))
        return c;
    throw EDBEngineError(QStringLiteral("Campo '%1' non trovato.").arg(nome));
}

QStringList TDataSet::FieldNames() const
{
    QStringList nomi;
    for (const auto& c : campi_)
        nomi << c->FieldName();
    return nomi;
}

// ---------------------------------------------------------------- moving

void TDataSet::ControllaAttivo() const
{
    if (!Active())
        throw EDBEngineError(QStringLiteral("Operazione impossibile su un dataset chiuso."));
}

void TDataSet::ControllaBrowse()
{
    ControllaAttivo();
    if (stato_ == TDataSetState::dsEdit || stato_ == TDataSetState::dsInsert) {
        Notifica(TDataEvent::deUpdateRecord);
        if (modificato_)
            Post();
        else
            Cancel();
    }
}

void TDataSet::Vai(int riga, bool notifica)
{
    const int prima = corrente_;
    corrente_ = riga;
    // A move that stays on the row but reaches Bof or Eof is news too.
    const bool bordiCambiati = bof_ != bofDetto_ || eof_ != eofDetto_;
    bofDetto_ = bof_;
    eofDetto_ = eof_;
    if (notifica && (riga != prima || bordiCambiati))
        Notifica(TDataEvent::deDataSetScroll, riga - prima);
}

void TDataSet::First()
{
    ControllaBrowse();
    Esegui(BeforeScroll);
    // The flags first: the links told of the move read them.
    bof_ = true;
    eof_ = RecordCount() == 0;
    Vai(RecordCount() > 0 ? 0 : -1);
    Esegui(AfterScroll);
}

void TDataSet::Last()
{
    ControllaBrowse();
    Esegui(BeforeScroll);
    eof_ = true;
    bof_ = RecordCount() == 0;
    Vai(RecordCount() - 1);
    Esegui(AfterScroll);
}

int TDataSet::MoveBy(int distanza)
{
    ControllaBrowse();
    const int n = RecordCount();
    if (distanza == 0 || n == 0) {
        if (n == 0)
            bof_ = eof_ = true;
        return 0;
    }
    Esegui(BeforeScroll);
    const int destinazione = std::clamp(corrente_ + distanza, 0, n - 1);
    const int mosse = destinazione - corrente_;
    eof_ = distanza > 0 && corrente_ + distanza > n - 1;
    bof_ = distanza < 0 && corrente_ + distanza < 0;
    Vai(destinazione);
    Esegui(AfterScroll);
    return mosse;
}

void TDataSet::Next() { MoveBy(1); }
void TDataSet::Prior() { MoveBy(-1); }

int TDataSet::RecNo() const
{
    if (!Active() || stato_ == TDataSetState::dsInsert)
        return 0;
    return corrente_ + 1;
}

void TDataSet::SetRecNo(int numero)
{
    ControllaBrowse();
    const int n = RecordCount();
    if (n == 0)
        return;
    Esegui(BeforeScroll);
    bof_ = eof_ = false;
    Vai(std::clamp(numero, 1, n) - 1);
    Esegui(AfterScroll);
}

int TDataSet::RecordCount() const { return cursore_ ? cursore_->Conta() : 0; }

qint64 TDataSet::ChiaveCorrente() const
{
    if (!cursore_ || corrente_ < 0 || corrente_ >= cursore_->Conta())
        return 0;
    return cursore_->Chiave(corrente_);
}

// ---------------------------------------------------------------- bookmarks

TBookmark TDataSet::GetBookmark() const { return SegnalibroRiga(corrente_); }

TBookmark TDataSet::SegnalibroRiga(int riga) const
{
    if (!cursore_ || riga < 0 || riga >= cursore_->Conta())
        return TBookmark();
    TBookmark b;
    QDataStream s(&b, QIODevice::WriteOnly);
    for (qint64 k : cursore_->Chiavi(riga))
        s << k;
    return b;
}

namespace {
std::vector<qint64> ChiaviDi(const TBookmark& b)
{
    std::vector<qint64> chiavi;
    QDataStream s(b);
    while (!s.atEnd()) {
        qint64 k = 0;
        s >> k;
        chiavi.push_back(k);
    }
    return chiavi;
}
} // namespace

bool TDataSet::BookmarkValid(const TBookmark& segnalibro) const
{
    return cursore_ && !segnalibro.isEmpty() && cursore_->Cerca(ChiaviDi(segnalibro), corrente_) >= 0;
}

void TDataSet::GotoBookmark(const TBookmark& segnalibro)
{
    ControllaBrowse();
    const int pos = segnalibro.isEmpty() ? -1 : cursore_->Cerca(ChiaviDi(segnalibro), corrente_);
    if (pos < 0)
        throw EDBEngineError(QStringLiteral("Record non trovato."));
    Esegui(BeforeScroll);
    bof_ = eof_ = false;
    Vai(pos);
    Esegui(AfterScroll);
}

bool TDataSet::Locate(const QString& campi, const QVariantList& valori, bool senzaMaiuscole)
{
    ControllaBrowse();
    QList<TField*> elenco;
    for (const QString& nome : campi.split(';', Qt::SkipEmptyParts))
        elenco << FieldByName(nome.trimmed());
    if (elenco.size() != valori.size())
        throw EDBEngineError(QStringLiteral("Locate: il numero dei valori non corrisponde ai campi."));
    const Qt::CaseSensitivity cs = senzaMaiuscole ? Qt::CaseInsensitive : Qt::CaseSensitive;
    for (int r = 0; r < RecordCount(); ++r) {
        const QVector<QVariant>& riga = cursore_->Riga(r);
        bool uguale = true;
        for (int i = 0; uguale && i < elenco.size(); ++i) {
            const TField* f = elenco[i];
            const QVariant atteso = f->Normalizza(valori[i]);
            const QVariant& v = riga.value(f->Index());
            if (atteso.isNull() || v.isNull())
                uguale = atteso.isNull() == v.isNull();
            else
                uguale = f->Testo(v).compare(f->Testo(atteso), cs) == 0;
        }
        if (uguale) {
            Esegui(BeforeScroll);
            bof_ = eof_ = false;
            Vai(r);
            Esegui(AfterScroll);
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- values

QVariant TDataSet::ValoreCampo(int indice) const
{
    if (vistaNuova_)
        return vistaNuova_->value(indice);
    if (stato_ == TDataSetState::dsEdit || stato_ == TDataSetState::dsInsert)
        return buffer_.value(indice);
    if (!cursore_ || corrente_ < 0)
        return QVariant();
    return cursore_->Riga(corrente_).value(indice);
}

QVariant TDataSet::ValoreRiga(int riga, int campo) const
{
    if ((stato_ == TDataSetState::dsEdit || stato_ == TDataSetState::dsInsert) && riga == corrente_)
        return buffer_.value(campo);
    if (!cursore_)
        return QVariant();
    return cursore_->Riga(riga).value(campo);
}

int TDataSet::RigaDellaChiave(qint64 chiave) const { return cursore_ ? cursore_->CercaChiave(chiave) : -1; }

qint64 TDataSet::ChiaveRiga(int riga) const
{
    return cursore_ && riga >= 0 && riga < cursore_->Conta() ? cursore_->Chiave(riga) : 0;
}

std::optional<std::vector<qint64>> TDataSet::ChiaviCandidate(const std::function<bool(const RigaGrezza&)>& prova) const
{
    if (!cursore_ || stato_ != TDataSetState::dsBrowse)
        return std::nullopt;
    return cursore_->ChiaviCandidate(prova);
}

std::optional<int> TDataSet::PrimaCandidata(const std::function<bool(const RigaGrezza&)>& prova, int riga, bool avanti,
                                            const std::function<bool(int)>& accetta) const
{
    if (!cursore_ || stato_ != TDataSetState::dsBrowse)
        return std::nullopt;
    return cursore_->PrimaCandidata(prova, riga, avanti, accetta);
}

QVariant TDataSet::ValoreVecchio(int indice) const
{
    if (vistaVecchia_)
        return vistaVecchia_->value(indice);
    if (stato_ == TDataSetState::dsEdit)
        return originale_.value(indice);
    if (stato_ == TDataSetState::dsInsert)
        return QVariant();
    return ValoreCampo(indice);
}

void TDataSet::ImpostaCampo(int indice, const QVariant& valore)
{
    if (stato_ != TDataSetState::dsEdit && stato_ != TDataSetState::dsInsert)
        throw EDBEngineError(QStringLiteral("Il dataset non è in modifica o inserimento."));
    TField* campo = Fields(indice);
    if (campo->ReadOnly)
        throw EDBEngineError(QStringLiteral("Il campo '%1' non può essere modificato.").arg(campo->FieldName()));
    buffer_[indice] = campo->Normalizza(valore);
    modificato_ = true;
    Notifica(TDataEvent::deFieldChange, 0, campo);
}

// ---------------------------------------------------------------- editing

void TDataSet::CambiaStato(TDataSetState stato)
{
    stato_ = stato;
    Notifica(TDataEvent::deUpdateState);
}

void TDataSet::Edit()
{
    if (stato_ == TDataSetState::dsEdit || stato_ == TDataSetState::dsInsert)
        return;
    ControllaAttivo();
    if (RecordCount() == 0) {
        Insert();
        return;
    }
    if (SolaLettura())
        throw EDBEngineError(QStringLiteral("Impossibile modificare un dataset in sola lettura."));
    DoBeforeEdit();
    originale_ = cursore_->Riga(corrente_);
    buffer_ = originale_;
    modificato_ = false;
    CambiaStato(TDataSetState::dsEdit);
    Esegui(AfterEdit);
}

void TDataSet::Inserimento(bool inCoda)
{
    ControllaBrowse();
    if (SolaLettura())
        throw EDBEngineError(QStringLiteral("Impossibile modificare un dataset in sola lettura."));
    DoBeforeInsert();
    Esegui(BeforeScroll);
    rigaPrimaInserimento_ = corrente_;
    posizioneInserimento_ = inCoda ? RecordCount() : std::max(corrente_, 0);
    buffer_ = QVector<QVariant>(FieldCount());
    originale_ = buffer_;
    modificato_ = false;
    stato_ = TDataSetState::dsInsert;
    Esegui(OnNewRecord);
    Notifica(TDataEvent::deDataSetChange);
    Notifica(TDataEvent::deUpdateState);
    Esegui(AfterInsert);
    Esegui(AfterScroll);
}

void TDataSet::Append() { Inserimento(true); }
void TDataSet::Insert() { Inserimento(false); }

void TDataSet::Post()
{
    ControllaAttivo();
    if (stato_ != TDataSetState::dsEdit && stato_ != TDataSetState::dsInsert)
        return;
    Notifica(TDataEvent::deUpdateRecord);
    Esegui(BeforePost);
    for (const auto& c : campi_)
        if (c->Required && c->DataType() != TFieldType::ftAutoInc && buffer_.value(c->Index()).isNull())
            throw EDBEngineError(QStringLiteral("Il campo '%1' deve avere un valore.").arg(c->FieldName()));
    if (stato_ == TDataSetState::dsEdit) {
        const std::vector<qint64> chiavi = cursore_->Chiavi(corrente_);
        InternalUpdate(chiavi.front(), originale_, buffer_);
        cursore_->Dimentica(corrente_);
        if (OrdineCambiato(originale_, buffer_)) {
            // The row goes where its new values put it in the order.
            cursore_->Rimuovi(corrente_);
            corrente_ = PosizioneNuovaRiga(chiavi, corrente_);
            cursore_->Inserisci(corrente_, chiavi);
        }
    } else {
        const std::vector<qint64> chiavi = InternalInsert(buffer_);
        const int pos = PosizioneNuovaRiga(chiavi, posizioneInserimento_);
        cursore_->Inserisci(pos, chiavi);
        corrente_ = pos;
    }
    stato_ = TDataSetState::dsBrowse;
    modificato_ = false;
    buffer_.clear();
    bof_ = eof_ = false;
    Notifica(TDataEvent::deDataSetChange);
    Notifica(TDataEvent::deUpdateState);
    DoAfterPost();
}

void TDataSet::Cancel()
{
    if (stato_ != TDataSetState::dsEdit && stato_ != TDataSetState::dsInsert)
        return;
    Esegui(BeforeCancel);
    if (stato_ == TDataSetState::dsInsert) {
        const int n = RecordCount();
        corrente_ = n > 0 ? std::clamp(rigaPrimaInserimento_, 0, n - 1) : -1;
    }
    stato_ = TDataSetState::dsBrowse;
    modificato_ = false;
    buffer_.clear();
    Notifica(TDataEvent::deDataSetChange);
    Notifica(TDataEvent::deUpdateState);
    Esegui(AfterCancel);
}

void TDataSet::Delete()
{
    ControllaAttivo();
    if (stato_ == TDataSetState::dsInsert) {
        Cancel();
        return;
    }
    if (RecordCount() == 0)
        throw EDBEngineError(QStringLiteral("Impossibile cancellare: il dataset è vuoto."));
    if (SolaLettura())
        throw EDBEngineError(QStringLiteral("Impossibile modificare un dataset in sola lettura."));
    DoBeforeDelete();
    Esegui(BeforeScroll);
    if (stato_ == TDataSetState::dsEdit)
        Cancel();
    InternalDelete(cursore_->Chiave(corrente_));
    cursore_->Rimuovi(corrente_);
    const int n = RecordCount();
    if (corrente_ >= n)
        corrente_ = n - 1;
    // The next row (or the previous one, after the last) becomes current
    // and is still to be seen: a loop on Eof that deletes rows sees them all.
    eof_ = bof_ = n == 0;
    Notifica(TDataEvent::deDataSetChange);
    Esegui(AfterDelete);
    Esegui(AfterScroll);
}

std::vector<qint64> TDataSet::InternalInsert(const QVector<QVariant>&)
{
    throw EDBEngineError(QStringLiteral("Impossibile modificare un dataset in sola lettura."));
}

void TDataSet::InternalUpdate(qint64, const QVector<QVariant>&, const QVector<QVariant>&)
{
    throw EDBEngineError(QStringLiteral("Impossibile modificare un dataset in sola lettura."));
}

void TDataSet::InternalDelete(qint64)
{
    throw EDBEngineError(QStringLiteral("Impossibile modificare un dataset in sola lettura."));
}

int TDataSet::PosizioneNuovaRiga(const std::vector<qint64>&, int proposta) const { return proposta; }
bool TDataSet::OrdineCambiato(const QVector<QVariant>&, const QVector<QVariant>&) const { return false; }

void TDataSet::DoBeforeInsert() { Esegui(BeforeInsert); }
void TDataSet::DoBeforeEdit() { Esegui(BeforeEdit); }
void TDataSet::DoBeforeDelete() { Esegui(BeforeDelete); }
void TDataSet::DoAfterPost() { Esegui(AfterPost); }

// ---------------------------------------------------------------- controls

void TDataSet::DisableControls() { ++disabilitati_; }

void TDataSet::EnableControls()
{
    if (disabilitati_ == 0)
        return;
    if (--disabilitati_ == 0 && cambiatoMentreDisabilitato_) {
        cambiatoMentreDisabilitato_ = false;
        Notifica(TDataEvent::deDataSetChange);
    }
}

void TDataSet::Notifica(TDataEvent evento, int info, TField* campo)
{
    if (disabilitati_ > 0) {
        cambiatoMentreDisabilitato_ = true;
        return;
    }
    for (TDataSource* s : QList<TDataSource*>(sorgenti_))
        s->Notifica(evento, info, campo);
}

} // namespace tabelle
