#include "tabelle/tabella.h"

#include "tabelle/connessione.h"
#include "tabelle/errore.h"
#include "tabelle/percorsi.h"
#include "tabelle/scrittura.h"
#include "tabelle/sessione.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <cstdio>
#include <sqlcipher/sqlite3.h>

namespace tabelle {
namespace {

QStringList Elenco(const QString& campi)
{
    QStringList nomi;
    for (const QString& n : campi.split(';', Qt::SkipEmptyParts))
        nomi << n.trimmed();
    return nomi;
}

int Rango(const QVariant& v)
{
    if (!v.isValid() || v.isNull())
        return 0;
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Double: return 1;
    case QMetaType::QByteArray: return 3;
    default: return 2;
    }
}

} // namespace

int ConfrontaValori(const QVariant& a, const QVariant& b)
{
    const int ra = Rango(a), rb = Rango(b);
    if (ra != rb)
        return ra < rb ? -1 : 1;
    switch (ra) {
    case 0: return 0;
    case 1: {
        if (a.typeId() != QMetaType::Double && b.typeId() != QMetaType::Double) {
            const qint64 x = a.toLongLong(), y = b.toLongLong();
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        const double x = a.toDouble(), y = b.toDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    case 3: {
        const int c = a.toByteArray().compare(b.toByteArray());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    default: {
        const int c = a.toString().toUtf8().compare(b.toString().toUtf8());
        return c < 0 ? -1 : (c > 0 ? 1 : 0);
    }
    }
}

struct TTable::Struttura {
    QList<TFieldDef> campi;
    QStringList chiavePrimaria;
    bool autoincremento = false;
    // The field that is the row key itself (INTEGER PRIMARY KEY), if any.
    QString chiaveRiga;
};

QString TTable::NomeFile() const { return QFileInfo(uso_ ? uso_->percorso() : TableName).fileName(); }

EDBEngineError TTable::ErroreTabella(const EDBEngineError& e) const
{
    const QString nome = NomeFile();
    if (e.messaggio().contains(nome, Qt::CaseInsensitive))
        return e;
    const QString testo = e.causa().isEmpty() ? e.messaggio() : e.causa();
    if (e.codice() == SQLITE_CORRUPT || e.codice() == SQLITE_NOTADB)
        return EDBEngineError(QStringLiteral("Tabella '%1': file danneggiato (%2).").arg(nome, testo), e.codice(), e.causa());
    return EDBEngineError(QStringLiteral("Tabella '%1': %2").arg(nome, testo), e.codice(), e.causa());
}

TTable::TTable(QObject* owner, TSession* sessione) : TDataSet(owner, sessione) {}

TTable::~TTable()
{
    // Fields and rows go before the table file is released.
    Close();
}

QString TTable::Percorso() const
{
    if (TableName.trimmed().isEmpty())
        throw EDBEngineError(QStringLiteral("Nome della tabella mancante."));
    return PercorsoTabella(sessione().CartellaDi(DatabaseName), TableName);
}

bool TTable::Exists() const { return QFileInfo::exists(Percorso()); }

TTable::Struttura TTable::LeggiStruttura(const QString& schema)
{
    Connessione& c = sessione().connessione();
    Struttura s;
    {
        Istruzione sql(c, QStringLiteral("SELECT sql FROM %1.sqlite_master WHERE type = 'table' AND name = 'dati'").arg(schema));
        if (sql.Passo())
            s.autoincremento = sql.Valore(0).toString().contains(QStringLiteral("AUTOINCREMENT"), Qt::CaseInsensitive);
    }
    Istruzione info(c, QStringLiteral("PRAGMA %1.table_info(dati)").arg(schema));
    QMap<int, QString> primaria;
    QString interoPrimario;
    while (info.Passo()) {
        const QString nome = info.Valore(1).toString();
        const QString tipo = info.Valore(2).toString();
        const int pk = int(info.Intero(5));
        const bool autoinc = s.autoincremento && pk == 1 && tipo.compare("INTEGER", Qt::CaseInsensitive) == 0;
        const TipoColonna t = TipoDaDichiarazione(tipo, autoinc);
        s.campi << TFieldDef{nome, t.tipo, t.tipo == TFieldType::ftString ? t.dimensione : 0, info.Intero(3) != 0};
        if (pk > 0)
            primaria.insert(pk, nome);
        if (pk > 0 && tipo.compare("INTEGER", Qt::CaseInsensitive) == 0)
            interoPrimario = nome;
    }
    s.chiavePrimaria = primaria.values();
    // A sole INTEGER primary key is the row key itself.
    if (primaria.size() == 1 && primaria.first().compare(interoPrimario, Qt::CaseInsensitive) == 0)
        s.chiaveRiga = interoPrimario;
    return s;
}

QStringList TTable::CampiIndice() const
{
    if (!IndexFieldNames.trimmed().isEmpty())
        return Elenco(IndexFieldNames);
    Connessione& c = sessione().connessione();
    const QString schema = uso_->schema();
    QString cercato = IndexName.trimmed();
    Istruzione elenco(c, QStringLiteral("PRAGMA %1.index_list(dati)").arg(schema));
    QString trovato;
    while (elenco.Passo()) {
        const QString nome = elenco.Valore(1).toString();
        const QString origine = elenco.Valore(3).toString();
        if ((!cercato.isEmpty() && nome.compare(cercato, Qt::CaseInsensitive) == 0) || (cercato.isEmpty() && origine == "pk")) {
            trovato = nome;
            break;
        }
    }
    if (trovato.isEmpty()) {
        if (!cercato.isEmpty())
            throw EDBEngineError(QStringLiteral("Indice '%1' non trovato nella tabella '%2'.").arg(cercato, NomeFile()));
        // The primary key is the row key, or there is none (storage order).
        return chiaveRiga_.isEmpty() ? QStringList() : QStringList{chiaveRiga_};
    }
    QStringList campi;
    Istruzione info(c, QStringLiteral("PRAGMA %1.index_info(%2)").arg(schema, Virgolette(trovato)));
    while (info.Passo())
        campi << info.Valore(2).toString();
    return campi;
}

std::unique_ptr<Cursore> TTable::InternalOpen()
{
    Connessione& c = sessione().connessione();
    if (!uso_)
        uso_ = std::make_unique<UsoTabella>(c, Percorso(), Exclusive);
    try {
        const QString schema = uso_->schema();
        const Struttura s = LeggiStruttura(schema);
        DefinisciCampi(s.campi);
        chiaveRiga_ = s.chiaveRiga;
        ordine_ = CampiIndice();
        posizioniOrdine_.clear();
        for (const QString& n : ordine_)
            posizioniOrdine_ << FieldByName(n)->Index();

        QStringList colonne;
        for (const TFieldDef& d : s.campi)
            colonne << Virgolette(d.Name);
        QString dove;
        if (intervallo_) {
            QStringList condizioni;
            for (int i = 0; i < ordine_.size() && i < inizioIntervallo_.size(); ++i)
                condizioni << QStringLiteral("%1 >= :__i%2").arg(Virgolette(ordine_[i])).arg(i);
            for (int i = 0; i < ordine_.size() && i < fineIntervallo_.size(); ++i)
                condizioni << QStringLiteral("%1 <= :__f%2").arg(Virgolette(ordine_[i])).arg(i);
            if (!condizioni.isEmpty())
                dove = " WHERE " + condizioni.join(" AND ");
        }
        QStringList ordina;
        for (const QString& n : ordine_)
            ordina << Virgolette(n);
        ordina << "rowid";
        Istruzione chiavi(c, QStringLiteral("SELECT rowid FROM %1.dati%2 ORDER BY %3").arg(schema, dove, ordina.join(", ")));
        for (int i = 0; intervallo_ && i < inizioIntervallo_.size(); ++i)
            chiavi.Lega(QStringLiteral(":__i%1").arg(i), Fields(posizioniOrdine_.value(i))->Normalizza(inizioIntervallo_[i]));
        for (int i = 0; intervallo_ && i < fineIntervallo_.size(); ++i)
            chiavi.Lega(QStringLiteral(":__f%1").arg(i), Fields(posizioniOrdine_.value(i))->Normalizza(fineIntervallo_[i]));
        ElencoChiavi elenco;
        while (chiavi.Passo())
            elenco.push_back(chiavi.Intero(0));
        auto lettura = std::make_unique<Istruzione>(c, QStringLiteral("SELECT %1 FROM %2.dati WHERE rowid = :__k1").arg(colonne.join(", "), schema));
        auto intervallo = std::make_unique<Istruzione>(
            c, QStringLiteral("SELECT rowid, %1 FROM %2.dati WHERE rowid BETWEEN :__da AND :__a ORDER BY rowid").arg(colonne.join(", "), schema));
        return std::make_unique<Cursore>(
            std::move(lettura), 1, std::move(elenco), [this](int i, const QVariant& v) { return ValoreLetto(Fields(i)->DataType(), v); },
            std::move(intervallo));
    } catch (const EDBEngineError& e) {
        const EDBEngineError errore = ErroreTabella(e);
            uso_.reset();
        throw errore;
    } catch (...) {
            uso_.reset();
        throw;
    }
}

bool TTable::SuChiaveRiga() const
{
    return ordine_.size() == 1 && !chiaveRiga_.isEmpty() && ordine_.front().compare(chiaveRiga_, Qt::CaseInsensitive) == 0;
}

void TTable::InternalClose()
{
    inserimento_.reset();
    uso_.reset();
}

std::vector<qint64> TTable::InternalInsert(const QVector<QVariant>& riga)
{
    try {
        if (!inserimento_) // the fields stay while the table is open
            inserimento_ = std::make_unique<InserimentoPreparato>(sessione().connessione(), uso_->schema(), FieldNames());
        return {inserimento_->Esegui(riga)};
    } catch (const EDBEngineError& e) {
        throw ErroreScrittura(e);
    }
}

void TTable::InternalUpdate(qint64 chiave, const QVector<QVariant>& vecchia, const QVector<QVariant>& nuova)
{
    QList<QPair<QString, QVariant>> cambiati;
    for (int i = 0; i < FieldCount(); ++i)
        if (ConfrontaValori(vecchia.value(i), nuova.value(i)) != 0 || vecchia.value(i).typeId() != nuova.value(i).typeId())
            cambiati << qMakePair(Fields(i)->FieldName(), nuova.value(i));
    bool scritto = false;
    try {
        scritto = ScritturaRighe(sessione().connessione(), uso_->schema()).Aggiorna(chiave, cambiati);
    } catch (const EDBEngineError& e) {
        throw ErroreScrittura(e);
    }
    // The edit must not vanish without a word.
    if (!scritto)
        throw EDBEngineError(QStringLiteral("Tabella '%1': il record modificato non esiste più (cancellato da un altro utente).").arg(NomeFile()));
}

void TTable::InternalDelete(qint64 chiave)
{
    try {
        ScritturaRighe(sessione().connessione(), uso_->schema()).Cancella(chiave);
    } catch (const EDBEngineError& e) {
        throw ErroreTabella(e);
    }
}

EDBEngineError TTable::ErroreScrittura(const EDBEngineError& e) const
{
    if (e.codice() == SQLITE_CONSTRAINT)
        return EDBEngineError(QStringLiteral("Violazione di chiave: la tabella '%1' ha già un record con la stessa chiave.").arg(NomeFile()),
                              e.codice(), e.causa());
    return ErroreTabella(e);
}

bool TTable::OrdineCambiato(const QVector<QVariant>& vecchia, const QVector<QVariant>& nuova) const
{
    for (int p : posizioniOrdine_)
        if (ConfrontaValori(vecchia.value(p), nuova.value(p)) != 0)
            return true;
    return false;
}

int TTable::PosizioneNuovaRiga(const std::vector<qint64>& chiavi, int) const
{
    if (ordine_.isEmpty() || SuChiaveRiga())
        return cursore()->PosizioneOrdinata(chiavi.front());
    // Binary search on the index fields, then the row key.
    Cursore* cur = cursore();
    QVector<QVariant> nuova;
    {
        Istruzione lettura(sessione().connessione(), QStringLiteral("SELECT * FROM %1.dati WHERE rowid = :__k").arg(uso_->schema()));
        lettura.Lega(QStringLiteral(":__k"), chiavi.front());
        if (lettura.Passo())
            for (int i = 0; i < lettura.Colonne(); ++i)
                nuova << ValoreLetto(Fields(i)->DataType(), lettura.Valore(i));
    }
    int basso = 0, alto = cur->Conta();
    while (basso < alto) {
        const int medio = (basso + alto) / 2;
        const QVector<QVariant>& riga = cur->Riga(medio);
        int confronto = 0;
        for (int p : posizioniOrdine_)
            if ((confronto = ConfrontaValori(riga.value(p), nuova.value(p))) != 0)
                break;
        if (confronto == 0)
            confronto = cur->Chiave(medio) < chiavi.front() ? -1 : 1;
        if (confronto < 0)
            basso = medio + 1;
        else
            alto = medio;
    }
    return basso;
}

int TTable::PrimaPosizione(const QVariantList& valori) const
{
    Cursore* cur = cursore();
    int basso = 0, alto = cur->Conta();
    while (basso < alto) {
        const int medio = (basso + alto) / 2;
        const QVector<QVariant>& riga = cur->Riga(medio);
        int confronto = 0;
        for (int i = 0; i < valori.size(); ++i) {
            const int p = posizioniOrdine_[i];
            if ((confronto = ConfrontaValori(riga.value(p), Fields(p)->Normalizza(valori[i]))) != 0)
                break;
        }
        if (confronto < 0)
            basso = medio + 1;
        else
            alto = medio;
    }
    return basso;
}

bool TTable::FindKey(const QVariantList& valori)
{
    if (!Active())
        throw EDBEngineError(QStringLiteral("Tabella '%1' chiusa.").arg(TableName));
    Post();
    if (ordine_.isEmpty())
        throw EDBEngineError(QStringLiteral("FindKey: la tabella '%1' non ha un indice.").arg(NomeFile()));
    if (SuChiaveRiga() && valori.size() == 1) {
        // The key is the row key itself: found among the keys alone.
        const QVariant v = Fields(posizioniOrdine_.front())->Normalizza(valori.front());
        if (v.isNull())
            return false;
        const int pos = cursore()->PosizioneOrdinata(v.toLongLong());
        if (pos < RecordCount() && cursore()->Chiave(pos) == v.toLongLong()) {
            SetRecNo(pos + 1);
            return true;
        }
        return false;
    }
    if (valori.isEmpty() || valori.size() > ordine_.size())
        throw EDBEngineError(QStringLiteral("FindKey: numero di valori non valido per l'indice di '%1'.").arg(TableName));
    const int pos = PrimaPosizione(valori);
    if (pos >= RecordCount())
        return false;
    const QVector<QVariant>& riga = cursore()->Riga(pos);
    for (int i = 0; i < valori.size(); ++i) {
        const int p = posizioniOrdine_[i];
        if (ConfrontaValori(riga.value(p), Fields(p)->Normalizza(valori[i])) != 0)
            return false;
    }
    SetRecNo(pos + 1);
    return true;
}

void TTable::FindNearest(const QVariantList& valori)
{
    if (!Active())
        throw EDBEngineError(QStringLiteral("Tabella '%1' chiusa.").arg(TableName));
    Post();
    if (ordine_.isEmpty())
        throw EDBEngineError(QStringLiteral("FindNearest: la tabella '%1' non ha un indice.").arg(NomeFile()));
    if (RecordCount() == 0) {
        First();
        return;
    }
    SetRecNo(std::min(PrimaPosizione(valori.mid(0, ordine_.size())), RecordCount() - 1) + 1);
}

void TTable::SetRange(const QVariantList& inizio, const QVariantList& fine)
{
    inizioIntervallo_ = inizio;
    fineIntervallo_ = fine;
    intervallo_ = true;
    if (Active()) {
        Post();
        RiapriCursore();
        First();
    }
}

void TTable::CancelRange()
{
    if (!intervallo_)
        return;
    intervallo_ = false;
    inizioIntervallo_.clear();
    fineIntervallo_.clear();
    if (Active()) {
        Post();
        RiapriCursore();
    }
}

QStringList TTable::GetFieldNames()
{
    if (Active())
        return FieldNames();
    UsoTabella uso(sessione().connessione(), Percorso(), false);
    QStringList nomi;
    for (const TFieldDef& d : LeggiStruttura(uso.schema()).campi)
        nomi << d.Name;
    return nomi;
}

QStringList TTable::GetIndexNames()
{
    UsoTabella uso(sessione().connessione(), Percorso(), false);
    Istruzione elenco(sessione().connessione(), QStringLiteral("PRAGMA %1.index_list(dati)").arg(uso.schema()));
    QStringList nomi;
    while (elenco.Passo())
        if (elenco.Valore(3).toString() == "c")
            nomi << elenco.Valore(1).toString();
    return nomi;
}

void TTable::CreateTable()
{
    if (Active())
        throw EDBEngineError(QStringLiteral("Impossibile creare la tabella '%1': è aperta.").arg(TableName));
    if (FieldDefs.isEmpty())
        throw EDBEngineError(QStringLiteral("Impossibile creare la tabella '%1': nessun campo definito.").arg(TableName));
    const QString percorso = Percorso();
    if (!QFileInfo(percorso).absoluteDir().exists())
        throw EDBEngineError(QStringLiteral("Cartella '%1' non trovata (tabella '%2').").arg(QFileInfo(percorso).absolutePath(), TableName));
    Connessione& c = sessione().connessione();

    QStringList primaria;
    for (const TIndexDef& d : IndexDefs)
        if (d.Options & ixPrimary)
            primaria = Elenco(d.Fields);
    QStringList colonne;
    for (const TFieldDef& d : FieldDefs) {
        const bool chiaveAuto = d.DataType == TFieldType::ftAutoInc && primaria.size() == 1
                                && primaria.front().compare(d.Name, Qt::CaseInsensitive) == 0;
        QString colonna = Virgolette(d.Name) + ' ';
        if (chiaveAuto)
            colonna += QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
        else
            colonna += DichiarazioneDaTipo(d.DataType, d.Size) + (d.Required ? QStringLiteral(" NOT NULL") : QString());
        colonne << colonna;
        if (chiaveAuto)
            primaria.clear();
    }
    if (!primaria.isEmpty()) {
        QStringList nomi;
        for (const QString& n : primaria)
            nomi << Virgolette(n);
        colonne << QStringLiteral("PRIMARY KEY (%1)").arg(nomi.join(", "));
    }

    // Nobody else may hold the table that is replaced.
    const QString nome = QFileInfo(percorso).fileName();
    c.Stacca(percorso);
    c.VerificaLibero(percorso);

    // Built aside and moved into place, so a failure leaves the old table.
    const QString nuovo = percorso + QStringLiteral(".nuovo");
    QFile::remove(nuovo);
    try {
        {
            UsoTabella uso(c, nuovo, true, true);
            c.Esegui(QStringLiteral("CREATE TABLE %1.dati (%2)").arg(uso.schema(), colonne.join(", ")));
            for (const TIndexDef& d : IndexDefs) {
                if (d.Options & ixPrimary)
                    continue;
                QStringList nomi;
                for (const QString& n : Elenco(d.Fields))
                    nomi << Virgolette(n) + ((d.Options & ixDescending) ? " DESC" : "");
                c.Esegui(QStringLiteral("CREATE %1INDEX %2.%3 ON dati (%4)")
                             .arg((d.Options & ixUnique) ? "UNIQUE " : "", uso.schema(), Virgolette(d.Name), nomi.join(", ")));
            }
        }
        c.Stacca(nuovo);
        c.Stacca(percorso);
        c.VerificaLibero(percorso);
        if (::rename(QFile::encodeName(nuovo).constData(), QFile::encodeName(percorso).constData()) != 0)
            throw EDBEngineError(QStringLiteral("Impossibile creare la tabella '%1': sostituzione del file non riuscita.").arg(nome));
    } catch (const EDBEngineError& e) {
        try {
            c.Stacca(nuovo);
        } catch (const EDBEngineError&) {
        }
        QFile::remove(nuovo);
        if (e.causa().isEmpty() || e.codice() == SQLITE_FULL)
            throw;
        throw EDBEngineError(QStringLiteral("Impossibile creare la tabella '%1': %2.").arg(nome, e.causa()), e.codice(), e.causa());
    }
}

void TTable::DeleteTable()
{
    if (Active())
        throw EDBEngineError(QStringLiteral("Impossibile cancellare la tabella '%1': è aperta.").arg(TableName));
    const QString percorso = Percorso();
    if (!QFileInfo::exists(percorso))
        throw EDBEngineError(QStringLiteral("Tabella '%1' non trovata.").arg(TableName));
    Connessione& c = sessione().connessione();
    c.VerificaLibero(percorso);
    c.Stacca(percorso);
    if (!QFile::remove(percorso))
        throw EDBEngineError(QStringLiteral("Impossibile cancellare la tabella '%1'.").arg(TableName));
    QFile::remove(percorso + "-journal");
}

void TTable::EmptyTable()
{
    const bool aperta = Active();
    Connessione& c = sessione().connessione();
    {
        // Emptying needs the table to itself (the datasets of this session aside).
        UsoTabella uso(c, Percorso(), true);
        PuntoDiRipristino ripristino(c);
        c.Esegui(QStringLiteral("DELETE FROM %1.dati").arg(uso.schema()));
        bool contatore = false;
        {
            Istruzione seq(c, QStringLiteral("SELECT count(*) FROM %1.sqlite_master WHERE name = 'sqlite_sequence'").arg(uso.schema()));
            contatore = seq.Passo() && seq.Intero(0) > 0;
        }
        if (contatore)
            c.Esegui(QStringLiteral("DELETE FROM %1.sqlite_sequence WHERE name = 'dati'").arg(uso.schema()));
        ripristino.Conferma();
    }
    if (aperta) {
        RiapriCursore();
        First();
    }
}

} // namespace tabelle
