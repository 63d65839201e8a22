#include "tabelle/query.h"

#include "tabelle/connessione.h"
#include "tabelle/errore.h"
#include "tabelle/percorsi.h"
#include "tabelle/scrittura.h"
#include "tabelle/sessione.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <optional>
#include <sqlcipher/sqlite3.h>

namespace tabelle {
namespace {

// Names of the ":parameters" of a statement, in order, once each.
QStringList NomiParametri(const QString& testo)
{
    QStringList nomi;
    QChar virgoletta;
    for (int i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if (!virgoletta.isNull()) {
            if (c == virgoletta)
                virgoletta = QChar();
            continue;
        }
        if (c == '\'' || c == '"') {
            virgoletta = c;
            continue;
        }
        if (c == ':' && i + 1 < testo.size() && (testo[i + 1].isLetter() || testo[i + 1] == '_')) {
            int j = i + 1;
            while (j < testo.size() && (testo[j].isLetterOrNumber() || testo[j] == '_'))
                ++j;
            const QString nome = testo.mid(i + 1, j - i - 1);
            bool presente = false;
            for (const QString& n : nomi)
                presente = presente || n.compare(nome, Qt::CaseInsensitive) == 0;
            if (!presente)
                nomi << nome;
            i = j - 1;
        }
    }
    return nomi;
}

class RisolutoreQuery : public sql::Risolutore {
public:
    RisolutoreQuery(Connessione& c, QString cartella, std::vector<std::unique_ptr<UsoTabella>>& usi)
        : c_(c), cartella_(std::move(cartella)), usi_(usi) {}

    QString schema(const QString& nome, bool crea) override
    {
        return Segnando([&] {
            const QString percorso = PercorsoTabella(cartella_, nome);
            usi_.push_back(std::make_unique<UsoTabella>(c_, percorso, false, crea));
            return usi_.back()->schema();
        });
    }

    QStringList colonne(const QString& nome) override
    {
        return Segnando([&] { return c_.Colonne(c_.Schema(PercorsoTabella(cartella_, nome))); });
    }

    // True when the error came from reaching a table (which it names),
    // not from the statement's text.
    bool fallito() const { return fallito_; }

private:
    template <typename F>
    auto Segnando(F f) -> decltype(f())
    {
        try {
            return f();
        } catch (...) {
            fallito_ = true;
            throw;
        }
    }

    Connessione& c_;
    QString cartella_;
    std::vector<std::unique_ptr<UsoTabella>>& usi_;
    bool fallito_ = false;
};

// An error of the storage about a translated statement, told in terms of
// the statement the program wrote.
EDBEngineError ErroreDellIstruzione(const EDBEngineError& e, const QString& originale)
{
    // No room to write: the engine's text already names the files.
    if (e.causa().isEmpty() || e.codice() == SQLITE_FULL)
        return e;
    QString tipo;
    switch (e.codice()) {
    case SQLITE_ERROR: tipo = QStringLiteral("Istruzione SQL non valida"); break;
    case SQLITE_CONSTRAINT: tipo = QStringLiteral("Violazione di chiave"); break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: tipo = QStringLiteral("File della tabella danneggiato"); break;
    default: tipo = QStringLiteral("Errore del motore delle tabelle"); break;
    }
    return EDBEngineError(QStringLiteral("%1 (%2): %3").arg(tipo, e.causa(), originale), e.codice(), e.causa());
}

int ProssimaTemporanea()
{
    static int n = 0;
    return ++n;
}

} // namespace

TQuery::TQuery(QObject* owner, TSession* sessione) : TDataSet(owner, sessione) {}

TQuery::~TQuery() { Close(); }

void TQuery::LeggiParametri()
{
    const QString testo = SQL.join("\r\n");
    if (testo == testoParametri_)
        return;
    testoParametri_ = testo;
    TParams nuovi;
    for (const QString& nome : NomiParametri(testo)) {
        TParam p;
        p.Name = nome;
        if (TParam* vecchio = parametri_.FindParam(nome)) {
            p.Value = vecchio->Value;
            p.DataType = vecchio->DataType;
        }
        nuovi << p;
    }
    parametri_ = nuovi;
}

TParams& TQuery::Params()
{
    LeggiParametri();
    return parametri_;
}

void TQuery::LegaParametri(Istruzione& istruzione) const
{
    for (const TParam& p : parametri_) {
        QVariant valore = p.Value;
        if (valore.typeId() == QMetaType::QString) {
            // Alpha values are stored right-trimmed, blanks as NULL: a text
            // parameter is compared the same way.
            QString testo = valore.toString();
            while (!testo.isEmpty() && testo.back().isSpace())
                testo.chop(1);
            valore = testo;
        }
        istruzione.Lega(':' + p.Name, valore);
    }
}

sql::Traduzione TQuery::Traduci(std::vector<std::unique_ptr<UsoTabella>>& usi) const
{
    const QString testo = SQL.join("\r\n");
    if (testo.trimmed().isEmpty())
        throw EDBEngineError(QStringLiteral("Testo della query mancante."));
    RisolutoreQuery risolutore(sessione().connessione(), sessione().CartellaDi(DatabaseName), usi);
    try {
        return sql::traduci(testo, risolutore);
    } catch (const EDBEngineError& e) {
        if (risolutore.fallito() || e.messaggio().contains(TestoOriginale()))
            throw;
        throw EDBEngineError(QStringLiteral("%1 (istruzione: %2)").arg(e.messaggio(), TestoOriginale()), e.codice(), e.causa());
    }
}

QString TQuery::TestoOriginale() const { return SQL.join(' ').simplified().left(300); }

std::unique_ptr<Cursore> TQuery::InternalOpen()
{
    LeggiParametri();
    Connessione& c = sessione().connessione();
    std::vector<std::unique_ptr<UsoTabella>> usi;
    sql::Traduzione t = Traduci(usi);
    if (t.tipo != sql::Tipo::Select)
        throw EDBEngineError(QStringLiteral("La query non restituisce righe: usare ExecSQL (%1).").arg(SQL.join(' ').simplified().left(200)));

    ElencoChiavi chiavi;
    std::unique_ptr<Istruzione> lettura, intervallo;
    int tabelle = 1;
    try {
        if (t.materializza) {
            // A result made of new rows (DISTINCT, groups): kept in a work table.
            const QString nome = QStringLiteral("_r%1").arg(ProssimaTemporanea());
            Istruzione crea(c, QStringLiteral("CREATE TEMP TABLE %1 AS %2").arg(nome, t.istruzioni.value(0)));
            LegaParametri(crea);
            crea.Passo();
            tabellaTemporanea_ = nome;
            Istruzione elenco(c, QStringLiteral("SELECT rowid FROM temp.%1 ORDER BY rowid").arg(nome));
            while (elenco.Passo())
                chiavi.push_back(elenco.Intero(0));
            lettura = std::make_unique<Istruzione>(c, QStringLiteral("SELECT * FROM temp.%1 WHERE rowid = :__k1").arg(nome));
        } else {
            // One key per table of the main FROM (tables of subqueries have none).
            tabelle = std::max(1, t.tabelleFrom);
            Istruzione elenco(c, t.selezioneChiavi);
            LegaParametri(elenco);
            while (elenco.Passo())
                for (int i = 0; i < tabelle; ++i)
                    chiavi.push_back(elenco.Intero(i));
            lettura = std::make_unique<Istruzione>(c, t.letturaRiga);
            LegaParametri(*lettura);
            if (!t.letturaIntervallo.isEmpty()) {
                intervallo = std::make_unique<Istruzione>(c, t.letturaIntervallo);
                LegaParametri(*intervallo);
            }
        }
    } catch (const EDBEngineError& e) {
        InternalClose();
        throw ErroreDellIstruzione(e, TestoOriginale());
    }

    QList<TFieldDef> campi;
    QSet<QString> usati;
    for (int i = 0; i < lettura->Colonne(); ++i) {
        QString nome = lettura->NomeColonna(i);
        for (int k = 1; usati.contains(nome.toUpper()); ++k)
            nome = lettura->NomeColonna(i) + QStringLiteral("_%1").arg(k);
        usati.insert(nome.toUpper());
        const QString dichiarato = lettura->TipoDichiarato(i);
        // The engine declares the auto-increment row key, and only it, INTEGER.
        const TipoColonna tipo = TipoDaDichiarazione(dichiarato, dichiarato.compare("INTEGER", Qt::CaseInsensitive) == 0 && !t.materializza);
        campi << TFieldDef{nome, tipo.tipo == TFieldType::ftUnknown ? TFieldType::ftString : tipo.tipo,
                           tipo.tipo == TFieldType::ftString ? tipo.dimensione : (tipo.tipo == TFieldType::ftUnknown ? 255 : 0), false};
    }
    DefinisciCampi(campi);

    scrivibile_ = RequestLive && !t.materializza && tabelle == 1;
    colonneScrittura_.clear();
    if (scrivibile_) {
        schemaScrittura_ = t.tabelle.front().schema;
        const QStringList colonne = c.Colonne(schemaScrittura_);
        for (const TFieldDef& d : campi) {
            int indice = -1;
            for (int k = 0; k < colonne.size(); ++k)
                if (colonne[k].compare(d.Name, Qt::CaseInsensitive) == 0)
                    indice = k;
            colonneScrittura_ << indice;
        }
    }
    usi_ = std::move(usi);
    return std::make_unique<Cursore>(
        std::move(lettura), tabelle, std::move(chiavi), [this](int i, const QVariant& v) { return ValoreLetto(Fields(i)->DataType(), v); },
        std::move(intervallo));
}

void TQuery::InternalClose()
{
    if (!tabellaTemporanea_.isEmpty()) {
        try {
            sessione().connessione().Esegui(QStringLiteral("DROP TABLE IF EXISTS temp.%1").arg(tabellaTemporanea_));
        } catch (const EDBEngineError&) {
        }
        tabellaTemporanea_.clear();
    }
    usi_.clear();
    scrivibile_ = false;
    pendenti_.clear();
}

void TQuery::ExecSQL()
{
    LeggiParametri();
    Connessione& c = sessione().connessione();
    std::vector<std::unique_ptr<UsoTabella>> usi;
    sql::Traduzione t = Traduci(usi);
    righeModificate_ = 0;
    if (t.tipo == sql::Tipo::DropTable && !usi.empty()) {
        // A table is its file: dropping it removes the file.
        const QString percorso = usi.front()->percorso();
        usi.clear();
        c.VerificaLibero(percorso);
        c.Stacca(percorso);
        if (!QFile::remove(percorso))
            throw EDBEngineError(QStringLiteral("Impossibile cancellare la tabella '%1'.").arg(QFileInfo(percorso).fileName()));
        return;
    }
    const bool contaRighe = t.tipo == sql::Tipo::Delete || t.tipo == sql::Tipo::Update || t.tipo == sql::Tipo::Insert;
    try {
        // Several statements (an ALTER TABLE with several ADD) change all
        // or nothing.
        std::optional<PuntoDiRipristino> ripristino;
        if (t.istruzioni.size() > 1)
            ripristino.emplace(c);
        int righe = 0;
        for (const QString& testo : t.istruzioni) {
            Istruzione istruzione(c, testo);
            LegaParametri(istruzione);
            while (istruzione.Passo()) {
            }
            if (contaRighe)
                righe += c.RigheModificate();
        }
        if (ripristino)
            ripristino->Conferma();
        righeModificate_ = righe;
    } catch (const EDBEngineError& e) {
        throw ErroreDellIstruzione(e, TestoOriginale());
    }
}

// ---------------------------------------------------------------- writing

ScritturaRighe TQuery::Scrittura() const { return ScritturaRighe(sessione().connessione(), schemaScrittura_); }

void TQuery::ScriviInserimento(const QVector<QVariant>& riga)
{
    QStringList colonne;
    for (int i = 0; i < FieldCount(); ++i) {
        const bool scritto = colonneScrittura_.value(i) >= 0 && !(Fields(i)->DataType() == TFieldType::ftAutoInc && riga.value(i).isNull());
        colonne << (scritto ? Fields(i)->FieldName() : QString());
    }
    try {
        Scrittura().Inserisci(colonne, riga);
    } catch (const EDBEngineError& e) {
        throw ErroreDellIstruzione(e, TestoOriginale());
    }
}

void TQuery::ScriviModifica(qint64 chiave, const QVector<QVariant>& vecchia, const QVector<QVariant>& nuova)
{
    QList<QPair<QString, QVariant>> cambiati;
    for (int i = 0; i < FieldCount(); ++i)
        if (colonneScrittura_.value(i) >= 0 && vecchia.value(i) != nuova.value(i))
            cambiati << qMakePair(Fields(i)->FieldName(), nuova.value(i));
    if (cambiati.isEmpty())
        return;
    bool scritto = false;
    try {
        scritto = Scrittura().Aggiorna(chiave, cambiati);
    } catch (const EDBEngineError& e) {
        throw ErroreDellIstruzione(e, TestoOriginale());
    }
    // The edit must not vanish without a word.
    if (!scritto)
        throw EDBEngineError(QStringLiteral("Il record modificato non esiste più (cancellato da un altro utente): %1").arg(TestoOriginale()));
}

void TQuery::ScriviCancellazione(qint64 chiave)
{
    try {
        Scrittura().Cancella(chiave);
    } catch (const EDBEngineError& e) {
        throw ErroreDellIstruzione(e, TestoOriginale());
    }
}

TQuery::Pendente* TQuery::PendenteDi(qint64 chiave, TUpdateKind tipo)
{
    for (Pendente& p : pendenti_)
        if (p.tipo == tipo && p.chiave == chiave)
            return &p;
    return nullptr;
}

std::vector<qint64> TQuery::InternalInsert(const QVector<QVariant>& riga)
{
    if (CachedUpdates) {
        const qint64 finta = prossimaChiaveFinta_--;
        pendenti_.push_back({TUpdateKind::ukInsert, finta, {}, riga});
        cursore()->Memorizza(finta, riga);
        return {finta};
    }
    ScriviInserimento(riga);
    return {sessione().connessione().UltimoRowid()};
}

void TQuery::InternalUpdate(qint64 chiave, const QVector<QVariant>& vecchia, const QVector<QVariant>& nuova)
{
    if (CachedUpdates) {
        // A row changed again is written once, from its first values to
        // its last (a new row not written yet, with its last values).
        if (Pendente* pendente = PendenteDi(chiave, TUpdateKind::ukInsert))
            pendente->nuova = nuova;
        else if (Pendente* modifica = PendenteDi(chiave, TUpdateKind::ukModify))
            modifica->nuova = nuova;
        else
            pendenti_.push_back({TUpdateKind::ukModify, chiave, vecchia, nuova});
        cursore()->Memorizza(chiave, nuova);
        return;
    }
    ScriviModifica(chiave, vecchia, nuova);
}

void TQuery::InternalDelete(qint64 chiave)
{
    if (CachedUpdates) {
        // A new row not written yet is simply forgotten.
        if (Pendente* inserimento = PendenteDi(chiave, TUpdateKind::ukInsert))
            pendenti_.erase(pendenti_.begin() + (inserimento - pendenti_.data()));
        else
            pendenti_.push_back({TUpdateKind::ukDelete, chiave, cursore()->Riga(Corrente()), {}});
        return;
    }
    ScriviCancellazione(chiave);
}

void TQuery::ApplyUpdates()
{
    if (!CachedUpdates || pendenti_.empty())
        return;
    // Applied from a copy, as a handler may reopen the dataset meanwhile.
    const std::vector<Pendente> daApplicare = pendenti_;
    bool scritto = false;
    try {
        // All or nothing: a change that fails undoes the ones written
        // before it, and the cache keeps them all.
        PuntoDiRipristino ripristino(sessione().connessione());
        for (const Pendente& p : daApplicare) {
            TUpdateAction azione = TUpdateAction::uaFail;
            for (int tentativi = 0; tentativi < 3; ++tentativi) {
                if (OnUpdateRecord) {
                    VistaAggiornamento(p.tipo == TUpdateKind::ukDelete ? &p.vecchia : &p.nuova, &p.vecchia);
                    azione = TUpdateAction::uaFail;
                    OnUpdateRecord(*this, p.tipo, azione);
                    VistaAggiornamento(nullptr, nullptr);
                } else {
                    if (colonneScrittura_.isEmpty())
                        throw EDBEngineError(QStringLiteral("La query non è modificabile: aggiornamenti non applicabili."));
                    if (p.tipo == TUpdateKind::ukInsert)
                        ScriviInserimento(p.nuova);
                    else if (p.tipo == TUpdateKind::ukModify)
                        ScriviModifica(p.chiave, p.vecchia, p.nuova);
                    else
                        ScriviCancellazione(p.chiave);
                    scritto = true;
                    azione = TUpdateAction::uaApplied;
                }
                if (azione != TUpdateAction::uaRetry)
                    break;
            }
            if (azione == TUpdateAction::uaAbort)
                Abort();
            if (azione == TUpdateAction::uaFail || azione == TUpdateAction::uaRetry)
                throw EDBEngineError(QStringLiteral("Aggiornamento del record non riuscito."));
        }
        ripristino.Conferma();
    } catch (const EDBEngineError& e) {
        VistaAggiornamento(nullptr, nullptr);
        if (Active())
            pendenti_ = daApplicare;
        throw ErroreDellIstruzione(e, TestoOriginale());
    } catch (...) {
        VistaAggiornamento(nullptr, nullptr);
        if (Active())
            pendenti_ = daApplicare;
        throw;
    }
    pendenti_.clear();
    if (scritto && Active()) {
        cursore()->DimenticaMemoria();
        RiapriCursore();
    }
}

void TQuery::CommitUpdates() { pendenti_.clear(); }

void TQuery::CancelUpdates()
{
    if (pendenti_.empty())
        return;
    pendenti_.clear();
    Cancel();
    cursore()->DimenticaMemoria();
    RiapriCursore();
}

} // namespace tabelle
