#include "gridkit/tabella/newtable.h"

#include "gridkit/tabella/bloccononome.h"
#include "gridkit/comune/cursoreattesa.h"
#include "gridkit/tabella/definizionecampo.h"
#include "messaggi/messaggi.h"
#include "tabelle/batchmove.h"
#include "tabelle/errore.h"
#include "tabelle/percorsi.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"
#include "tabelle/tabellavuota.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryFile>

namespace gridkit {

using namespace tabelle;

namespace {
const QString Virgolette = QStringLiteral("\"");
}

void CreaTabellaVuota(TSession& sessione, const QString& percorso) { ScriviTabellaVuota(sessione, percorso); }

TNewTable::TNewTable(QObject* owner, TSession* sessione) : TQuery(owner, sessione)
{
    // Number text always with "." as the decimal separator.
    QLocale::setDefault(QLocale::c());
    OnUpdateRecord = [](TDataSet&, TUpdateKind, TUpdateAction& azione) { azione = TUpdateAction::uaApplied; };
}

TNewTable::~TNewTable()
{
    try {
        TDataSet::Close();
    } catch (const std::exception&) {
    }
    if (!CartellaDatabase.isEmpty() && !TabellaIstantanea.isEmpty()) {
        const QString base = QDir(CartellaDatabase).filePath(TabellaIstantanea);
        for (const QString& f : {base, QFileInfo(base).path() + '/' + QFileInfo(base).completeBaseName() + ".mb",
                                 QFileInfo(base).path() + '/' + QFileInfo(base).completeBaseName() + ".tmp"})
            if (QFileInfo::exists(f))
                QFile::remove(f);
    }
}

// ---------------------------------------------------------------- properties

void TNewTable::SetTableName(const QString& valore)
{
    const QString maiuscolo = valore.toUpper();
    if (maiuscolo == tableName_)
        return;
    if (!caricamento_ && TDataSet::Active()) {
        messaggi::ShowMessage(QStringLiteral("Impossibile modificare la proprietà su una tabella aperta."));
        return;
    }
    tableName_ = maiuscolo;
    nomeDato_ = valore;
    TQuery::SQL = QStringList{QStringLiteral("Select * From ") + valore};
}

void TNewTable::SetActive(bool valore)
{
    if (caricamento_) {
        attivoInCaricamento_ = valore;
        return;
    }
    if (valore == attivo_)
        return;
    if (valore) {
        try {
            Riapri();
        } catch (const std::exception&) {
            try {
                TDataSet::Close();
            } catch (const std::exception&) {
            }
            attivo_ = false;
        }
    } else {
        TDataSet::Close();
        attivo_ = false;
    }
}

void TNewTable::Loaded()
{
    caricamento_ = false;
    if (attivoInCaricamento_) {
        attivoInCaricamento_ = false;
        Riapri();
    }
}

void TNewTable::DoBeforeInsert()
{
    if (NotAppend)
        Abort();
    TQuery::DoBeforeInsert();
}

void TNewTable::InternalClose()
{
    TQuery::InternalClose();
    attivo_ = false;
}

// ---------------------------------------------------------------- filters

void TNewTable::AggiungiFiltro(const QString& campo, const QString& valore)
{
    if (IndiceFiltro(campo) >= 0)
        return;
    // The value goes into the statement as a literal: its quotes doubled.
    Filtri << campo.toUpper() + "=" + "'" + QString(valore).replace('\'', QStringLiteral("''")) + "'";
}

int TNewTable::IndiceFiltro(const QString& campo) const
{
    const QString cercato = campo.toUpper();
    for (int i = 0; i < Filtri.size(); ++i)
        if (Filtri[i].section('=', 0, 0).toUpper() == cercato)
            return i;
    return -1;
}

void TNewTable::AggiungiCampoOrdine(const QString& campo)
{
    const QString maiuscolo = campo.toUpper();
    if (!CampiOrdine.contains(maiuscolo))
        CampiOrdine << maiuscolo;
}

// ---------------------------------------------------------------- creation

void TNewTable::CreaTabella(const QStringList& campi)
{
    if (campi.isEmpty() || tableName_.isEmpty())
        return;
    // 1. The empty one-field table.
    QString percorso;
    const QString cartella = DatabaseName;
    if (!cartella.isEmpty() && QFileInfo(QString(cartella).replace('\\', '/')).isDir())
        percorso = PercorsoTabella(cartella, QString(nomeDato_).replace('\\', '/').section('/', -1));
    else
        percorso = RisolviPercorso(NormalizzaNomeTabella(nomeDato_));
    const QFileInfo info(percorso);
    percorso = info.path() + '/' + info.completeBaseName() + ".db";
    CreaTabellaVuota(sessione(), percorso);

    // 2. The statement that adds every field.
    QString istruzione = " Alter Table " + Virgolette + tableName_ + Virgolette + "  " + " Add SysField   Smallint, "
                         + " Add Info       Blob(0,2), " + " Add CodOp      Char(4), ";
    QList<QPair<QString, QString>> rinominati;
    for (const QString& d : CampiSistema) {
        const DefinizioneCampo def = AnalizzaDefinizione(d);
        if (!def.valida) {
            messaggi::ShowMessage(QStringLiteral("Errore nella struttura dei campi di sistema"));
            return;
        }
        istruzione += " Add  " + def.nomeMemorizzato + " " + def.tipoSql + ",";
    }
    for (const QString& d : campi) {
        const DefinizioneCampo def = AnalizzaDefinizione(d);
        if (!def.valida) {
            messaggi::ShowMessage(QStringLiteral("Errore nella struttura dei campi"));
            return;
        }
        istruzione += " Add  " + def.nomeMemorizzato + " " + def.tipoSql + ",";
        // 3. Names given with blanks.
        if (def.nome.contains(' '))
            rinominati << qMakePair(def.nome, def.nomeMemorizzato);
    }
    istruzione[istruzione.size() - 1] = ' ';

    // 4. Fields and the index on CodOp.
    auto esegui = [this](const QString& testo) {
        TQuery q(nullptr, &sessione());
        q.DatabaseName = DatabaseName;
        q.TQuery::SQL << testo;
        q.ExecSQL();
    };
    esegui(istruzione);
    esegui("Create Index IDxCodOp On " + Virgolette + tableName_ + Virgolette + " (CodOp)");

    // 5. The version record.
    const TVersioneTabella versione = TVersioneTabella::PerCreazione(Versione, Applicazione, DataCreazione, QDateTime::currentDateTime());

    // 6. The header row.
    TQuery intestazione(nullptr, &sessione());
    intestazione.DatabaseName = DatabaseName;
    intestazione.TQuery::SQL << "Select INFO,SysField from " + Virgolette + tableName_ + Virgolette;
    intestazione.RequestLive = true;
    intestazione.Open();
    intestazione.Insert();
    intestazione.FieldByName("SysField")->SetAsInteger(4 + CampiSistema.size());
    InfoStream.Clear();
    InfoStream.AddEntry(QStringLiteral("VERSIONE"), versione.Bytes());
    int k = 0;
    for (const auto& [dato, memorizzato] : rinominati) {
        InfoStream.AddEntry(QStringLiteral("MODFIELD%1").arg(k++), ScriviBloccoNome(dato));
        InfoStream.AddEntry(QStringLiteral("MODFIELD%1").arg(k++), ScriviBloccoNome(memorizzato));
    }
    QByteArray contenitore;
    InfoStream.SaveToStream(contenitore);
    intestazione.FieldByName("INFO")->SetAsBytes(contenitore);
    intestazione.Post();
    intestazione.Close();
}

// ---------------------------------------------------------------- reading

void TNewTable::LeggiStruttura()
{
    TTable tabella(nullptr, &sessione());
    tabella.DatabaseName = DatabaseName;
    tabella.TableName = tableName_;
    // Only the header row is read: the range spares reading every row key.
    tabella.IndexFieldNames = QStringLiteral("ID_001_TABLE");
    tabella.SetRange({1}, {1});
    tabella.Open();
    CampiUtente.clear();
    CampiSistema.clear();

    RecordVersione.Azzera();
    try {
        if (tabella.IsEmpty())
            throw EDBEngineError(QStringLiteral("riga d'intestazione mancante"));
        tabella.First();
        const int n = int(tabella.FieldByName("SysField")->AsInteger());
        for (int i = 1; i < n && i < tabella.FieldCount(); ++i)
            CampiSistema << tabella.Fields(i)->FieldName();
        for (int i = qMax(n, 0); i < tabella.FieldCount(); ++i)
            CampiUtente << tabella.Fields(i)->FieldName();
        const TField* info = tabella.FieldByName("Info");
        const std::optional<QByteArray> contenuto = info->IsNull() ? std::nullopt : std::optional<QByteArray>(info->AsBytes());
        if (!InfoStream.LoadFromStream(contenuto))
            throw EDBEngineError(QStringLiteral("contenitore non valido"));
    } catch (const std::exception&) {
        messaggi::ShowMessage(QStringLiteral("Formato Tabella non riconosciuto"));
        throw;
    }

    const std::optional<QByteArray> versione = InfoStream.GetEntry(QStringLiteral("VERSIONE"));
    const std::optional<TVersioneTabella> record = versione ? TVersioneTabella::DaBytes(*versione) : std::nullopt;
    if (!record)
        throw EDBEngineError(QStringLiteral("Versione della tabella '%1' mancante.").arg(tableName_));
    RecordVersione = *record;
    CampiModificati.clear();
    for (int k = 0;; ++k) {
        const std::optional<QByteArray> blocco = InfoStream.GetEntry(QStringLiteral("MODFIELD%1").arg(k));
        if (!blocco)
            break;
        CampiModificati << LeggiBloccoNome(*blocco).value_or(QString());
    }
}

QString TNewTable::CartellaDeiFile() const
{
    if (!CartellaDatabase.isEmpty())
        return CartellaDatabase;
    try {
        return sessione().CartellaDi(DatabaseName);
    } catch (const EDBEngineError&) {
        return QDir::currentPath();
    }
}

void TNewTable::PreparaQuery()
{
    if (tableName_.isEmpty()) {
        messaggi::ShowMessage(QStringLiteral("Nome Tabella mancante."));
        return;
    }
    try {
        LeggiStruttura();
    } catch (const std::exception&) {
        messaggi::ShowMessage(QStringLiteral("Formato Tabella sconosciuto"));
        return;
    }
    CursoreAttesa attesa;
    TDataSet::Close();
    QStringList& righe = TQuery::SQL;
    righe.clear();
    RequestLive = !ReadOnly;
    righe << QStringLiteral("Select ID_001_TABLE, ");
    if (!CampiUtente.isEmpty())
        righe << CampiUtente.join(", ");
    if (!CampiSistema.isEmpty()) {
        QString riga;
        for (const QString& nome : CampiSistema)
            riga += ", " + nome;
        righe << riga;
    }
    righe << " from " + Virgolette + tableName_ + Virgolette + (TabelleAggiuntive.isEmpty() ? QString() : "," + TabelleAggiuntive);
    righe << QStringLiteral(" Where (ID_001_TABLE > 1) ") + QStringLiteral(" And ((Not CodOp Like 'D%') Or (CodOp is Null)) ");
    if (Condizioni.isEmpty() && !Filtri.isEmpty()) {
        QString riga;
        for (const QString& filtro : Filtri) {
            const int uguale = filtro.indexOf('=');
            const QString prima = filtro.left(uguale);
            QString dopo = filtro.mid(uguale + 1);
            if (uguale >= 0 && dopo.contains('*')) {
                dopo.replace(dopo.indexOf('*'), 1, '%');
                riga += " And (" + prima + " " + " LIKE " + dopo + ")";
            } else {
                riga += " And " + filtro;
            }
        }
        righe << riga;
    } else if (!Condizioni.isEmpty()) {
        righe << QStringLiteral(" And ");
        righe << Condizioni;
    }
    if (CampiOrdine.isEmpty())
        righe << QStringLiteral(" Order By ID_001_TABLE,CodOp ");
    else
        righe << " Order By " + CampiOrdine.join(",") + (Discendente ? " DESC" : "") + ", CodOp ";
    if (Istantanea)
        CreaIstantanea();
}

void TNewTable::CreaIstantanea()
{
    const QString cartella = CartellaDeiFile();
    if (TabellaIstantanea.isEmpty()) {
        QTemporaryFile temporaneo(QDir(cartella).filePath(QStringLiteral("QURXXXXXX")));
        temporaneo.setAutoRemove(true);
        temporaneo.open();
        TabellaIstantanea = QFileInfo(temporaneo.fileName()).completeBaseName() + ".db";
    }
    const QString istantanea = QDir(cartella).filePath(TabellaIstantanea);
    if (!QFileInfo::exists(istantanea)) {
        TQuery origine(nullptr, &sessione());
        origine.DatabaseName = cartella;
        origine.TQuery::SQL = TQuery::SQL;
        TTable risposta(nullptr, &sessione());
        risposta.DatabaseName = cartella;
        risposta.TableName = TabellaIstantanea;
        TBatchMove copia;
        copia.Source = &origine;
        copia.Destination = &risposta;
        copia.Mode = TBatchMode::batCopy;
        copia.Execute();
    }
    TQuery::SQL = QStringList{QStringLiteral("Select * From ") + TabellaIstantanea};
}

void TNewTable::Riapri()
{
    {
        CursoreAttesa attesa;
        PreparaQuery();
        TDataSet::Open();
    }
    attivo_ = TDataSet::Active();
    CartellaDatabase = sessione().CartellaDi(DatabaseName);
    if (!CartellaDatabase.endsWith('/'))
        CartellaDatabase += '/';
}

void TNewTable::Svuota()
{
    if (tableName_.isEmpty())
        return;
    const bool aperta = TDataSet::Active();
    TDataSet::Close();
    TQuery canc(nullptr, &sessione());
    canc.DatabaseName = DatabaseName;
    canc.TQuery::SQL << "Delete From " + tableName_ + " Where ID_001_TABLE > 1";
    canc.ExecSQL();
    if (aperta)
        PreparaQuery();
}

std::unique_ptr<TTable> TNewTable::GetLiveTable()
{
    // A closed table has no current row to write: nothing. One opened
    // without Active is run again by Riapri and then counts as active.
    if (!TDataSet::Active()) {
        attivo_ = false;
        return nullptr;
    }
    try {
        if (!attivo_)
            Riapri();
        if (!attivo_)
            throw EDBEngineError(QStringLiteral("tabella chiusa"));
        const qint64 id = FieldByName(QStringLiteral("ID_001_TABLE"))->AsInteger();
        auto tabella = std::make_unique<TTable>(nullptr, &sessione());
        tabella->DatabaseName = DatabaseName;
        tabella->TableName = tableName_;
        tabella->IndexFieldNames = QStringLiteral("ID_001_TABLE");
        // The range first: opening reads the keys of that one row only.
        tabella->SetRange({id}, {id});
        tabella->Open();
        return tabella;
    } catch (const std::exception&) {
        messaggi::ShowMessage(QStringLiteral("Errore GetLiveTable: la tabella di origine non può essere chiusa"));
        return nullptr;
    }
}

} // namespace gridkit

#include "moc_newtable.cpp"
