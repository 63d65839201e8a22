#pragma once
// A query in the program's local SQL: a dataset over its result, or a
// statement that changes tables. A live query on one table writes its
// edits back, directly or through cached updates and an update handler.
#include "tabelle/dataset.h"
#include "tabelle/sql/traduttore.h"

#include <functional>
#include <memory>

namespace tabelle {

class UsoTabella;

enum class TUpdateKind { ukModify, ukInsert, ukDelete };
enum class TUpdateAction { uaFail, uaAbort, uaSkip, uaRetry, uaApplied };

class TQuery : public TDataSet {
    Q_OBJECT
public:
    using GestoreAggiornamento = std::function<void(TDataSet&, TUpdateKind, TUpdateAction&)>;

    explicit TQuery(QObject* owner = nullptr, TSession* sessione = nullptr);
    ~TQuery() override;

    QString DatabaseName;
    // The statement, one line per item.
    QStringList SQL;
    bool RequestLive = false;
    bool CachedUpdates = false;
    bool UniDirectional = false;
    GestoreAggiornamento OnUpdateRecord;

    // Parameters named in the statement (":nome"), kept across changes of
    // the text for the names that stay.
    TParams& Params();
    TParam& ParamByName(const QString& nome) { return Params().ParamByName(nome); }

    // Runs a statement that returns no rows.
    void ExecSQL();
    int RowsAffected() const { return righeModificate_; }
    void Prepare() { Params(); }
    void UnPrepare() {}
    // True when the result can be edited and written back.
    bool CanModify() const { return !SolaLettura(); }

    void ApplyUpdates();
    void CommitUpdates();
    void CancelUpdates();
    bool UpdatesPending() const { return !pendenti_.empty(); }

protected:
    std::unique_ptr<Cursore> InternalOpen() override;
    void InternalClose() override;
    bool SolaLettura() const override { return !scrivibile_; }
    std::vector<qint64> InternalInsert(const QVector<QVariant>& riga) override;
    void InternalUpdate(qint64 chiave, const QVector<QVariant>& vecchia, const QVector<QVariant>& nuova) override;
    void InternalDelete(qint64 chiave) override;

private:
    struct Pendente {
        TUpdateKind tipo;
        qint64 chiave;
        QVector<QVariant> vecchia;
        QVector<QVariant> nuova;
    };
    void LeggiParametri();
    // The statement as written, on one line, for error texts.
    QString TestoOriginale() const;
    Pendente* PendenteDi(qint64 chiave, TUpdateKind tipo);
    // Translates the text, attaching and locking every table it names.
    sql::Traduzione Traduci(std::vector<std::unique_ptr<UsoTabella>>& usi) const;
    void LegaParametri(class Istruzione& istruzione) const;
    class ScritturaRighe Scrittura() const;
    void ScriviInserimento(const QVector<QVariant>& riga);
    void ScriviModifica(qint64 chiave, const QVector<QVariant>& vecchia, const QVector<QVariant>& nuova);
    void ScriviCancellazione(qint64 chiave);

    TParams parametri_;
    QString testoParametri_;
    int righeModificate_ = 0;
    std::vector<std::unique_ptr<UsoTabella>> usi_;
    QString schemaScrittura_;
    QList<int> colonneScrittura_; // field index -> column written (-1: none)
    QString tabellaTemporanea_;
    bool scrivibile_ = false;
    std::vector<Pendente> pendenti_;
    qint64 prossimaChiaveFinta_ = -1;
};

} // namespace tabelle
