#pragma once
// The dataset: the rows of a table or query with a current row, moved
// through and edited the way the forms expect (open, first, next, append,
// edit, post, cancel, delete, bookmarks, record number), with the events
// that forms and grids hook into.
#include "tabelle/campo.h"
#include "tabelle/cursore.h"
#include "tabelle/sorgente.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QVector>
#include <exception>
#include <functional>
#include <memory>
#include <vector>

namespace tabelle {

class TSession;

enum class TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

// Display settings a form gives a field of its dataset: they are applied
// whenever the dataset makes that field.
struct TImpostazioniCampo {
    QString DisplayLabel;
    int DisplayWidth = 0;
    QString DisplayFormat;
    bool Visible = true;
};

// A bookmark: the keys of a row.
using TBookmark = QByteArray;

// The silent exception: a handler throws it (Abort()) to stop an operation
// without a message.
class EAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operazione interrotta"; }
};
[[noreturn]] void Abort();

class TDataSet : public QObject {
    Q_OBJECT
public:
    using Evento = std::function<void(TDataSet&)>;

    explicit TDataSet(QObject* owner = nullptr, TSession* sessione = nullptr);
    ~TDataSet() override;

    // Opening and closing.
    bool Active() const { return stato_ != TDataSetState::dsInactive; }
    // Not virtual: a derived dataset may give Active a meaning of its own
    // without changing what Open and Close do.
    void SetActive(bool valore);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }
    TDataSetState State() const { return stato_; }

    // The display settings of a field by name, now and at every opening.
    void ImpostaCampo(const QString& nome, const TImpostazioniCampo& impostazioni);

    // Fields of the current row.
    int FieldCount() const { return int(campi_.size()); }
    TField* Fields(int i) const { return campi_.at(size_t(i)).get(); }
    TField* FindField(const QString& nome) const;
    // Throws when the dataset has no such field.
    TField* FieldByName(const QString& nome) const;
    QStringList FieldNames() const;

    // Moving.
    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distanza);
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    bool IsEmpty() const { return RecordCount() == 0; }
    // 1-based; 0 with no current row.
    int RecNo() const;
    void SetRecNo(int numero);
    int RecordCount() const;

    // Editing.
    void Append();
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    bool Modified() const { return modificato_; }
    bool CanModify() const { return !SolaLettura(); }

    TBookmark GetBookmark() const;
    // The bookmark of any row (0-based), without moving to it.
    TBookmark SegnalibroRiga(int riga) const;
    void GotoBookmark(const TBookmark& segnalibro);
    bool BookmarkValid(const TBookmark& segnalibro) const;
    // Re-reads the rows, keeping the current one when it is still there.
    void Refresh();
    // Moves to the first row whose fields (names separated by ";") equal
    // the values; false when none.
    bool Locate(const QString& campi, const QVariantList& valori, bool senzaMaiuscole = false);

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return disabilitati_ > 0; }

    Evento BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    Evento BeforeInsert, AfterInsert, BeforeEdit, AfterEdit, BeforePost, AfterPost;
    Evento BeforeCancel, AfterCancel, BeforeDelete, AfterDelete, BeforeScroll, AfterScroll, OnNewRecord;

    TSession& sessione() const { return *sessione_; }
    // Storage key of the current row in its (first) table; 0 with none.
    qint64 ChiaveCorrente() const;

    // The value of a field in any row (0-based), without moving to it: what
    // a grid reads for the rows in view.
    QVariant ValoreRiga(int riga, int campo) const;
    // The row (0-based) whose storage key in its first table is `chiave`,
    // -1 when none: in memory, without reading rows. For the tables of the
    // grid library that key is ID_001_TABLE.
    int RigaDellaChiave(qint64 chiave) const;
    // Storage key in its first table of any row (0-based).
    qint64 ChiaveRiga(int riga) const;
    // The sorted keys of the rows, out of a superset of the dataset's, whose
    // stored values pass `prova`; none when storage cannot be read so, or
    // while a row is being edited or inserted (see Cursore::ChiaviCandidate).
    std::optional<std::vector<qint64>> ChiaviCandidate(const std::function<bool(const RigaGrezza&)>& prova) const;
    // The first row from `riga` forwards or backwards that passes `prova`
    // and then `accetta`, reading no further than that row; -1 when none,
    // none when storage cannot be read so (see Cursore::PrimaCandidata).
    std::optional<int> PrimaCandidata(const std::function<bool(const RigaGrezza&)>& prova, int riga, bool avanti,
                                      const std::function<bool(int)>& accetta) const;

    // Used by the fields.
    QVariant ValoreCampo(int indice) const;
    QVariant ValoreVecchio(int indice) const;
    void ImpostaCampo(int indice, const QVariant& valore);

protected:
    // Builds the fields (DefinisciCampi) and returns the rows.
    virtual std::unique_ptr<Cursore> InternalOpen() = 0;
    virtual void InternalClose() {}
    virtual bool SolaLettura() const { return true; }
    // Writes a new row and returns its storage keys.
    virtual std::vector<qint64> InternalInsert(const QVector<QVariant>& riga);
    virtual void InternalUpdate(qint64 chiave, const QVector<QVariant>& vecchia, const QVector<QVariant>& nuova);
    virtual void InternalDelete(qint64 chiave);
    // Where a posted new row goes; by default where it was inserted.
    virtual int PosizioneNuovaRiga(const std::vector<qint64>& chiavi, int proposta) const;
    // True when an edit changed what orders the rows: the posted row then
    // moves to PosizioneNuovaRiga.
    virtual bool OrdineCambiato(const QVector<QVariant>& vecchia, const QVector<QVariant>& nuova) const;
    // Hooks run before the events of the same name.
    virtual void DoBeforeInsert();
    virtual void DoBeforeEdit();
    virtual void DoBeforeDelete();
    virtual void DoAfterPost();

    void DefinisciCampi(const QList<TFieldDef>& definizioni);
    Cursore* cursore() const { return cursore_.get(); }
    int Corrente() const { return corrente_; }
    void Notifica(TDataEvent evento, int info = 0, TField* campo = nullptr);
    // Reopens the rows in place (same fields), going back to the same keys.
    void RiapriCursore();
    void Esegui(const Evento& evento) { if (evento) evento(*this); }
    // While an update is applied: the values the fields show, and the old ones.
    void VistaAggiornamento(const QVector<QVariant>* nuova, const QVector<QVariant>* vecchia)
    {
        vistaNuova_ = nuova;
        vistaVecchia_ = vecchia;
    }

private:
    friend class TDataSource;
    void AggiungiSorgente(TDataSource* s) { sorgenti_ << s; }
    void RimuoviSorgente(TDataSource* s) { sorgenti_.removeAll(s); }
    void Vai(int riga, bool notifica = true);
    void Inserimento(bool inCoda);
    void ControllaAttivo() const;
    void ControllaBrowse();
    void CambiaStato(TDataSetState stato);

    TSession* sessione_;
    TDataSetState stato_ = TDataSetState::dsInactive;
    std::vector<std::unique_ptr<TField>> campi_;
    std::unique_ptr<Cursore> cursore_;
    int corrente_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    // The flags as the links last heard them.
    bool eofDetto_ = true;
    bool bofDetto_ = true;
    // The row being edited or inserted.
    QVector<QVariant> buffer_;
    QVector<QVariant> originale_;
    bool modificato_ = false;
    int posizioneInserimento_ = -1;
    int rigaPrimaInserimento_ = -1;
    int disabilitati_ = 0;
    bool cambiatoMentreDisabilitato_ = false;
    QList<TDataSource*> sorgenti_;
    QHash<QString, TImpostazioniCampo> impostazioni_; // by upper-case field name
    const QVector<QVariant>* vistaNuova_ = nullptr;
    const QVector<QVariant>* vistaVecchia_ = nullptr;
};

} // namespace tabelle
