#include "gridkit/modifica/undotable.h"

#include "gridkit/modifica/transazione.h"
#include "gridkit/modifica/vociundo.h"
#include "messaggi/messaggi.h"
#include "tabelle/errore.h"
#include "tabelle/sessione.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace gridkit {

using namespace tabelle;

namespace {

qint64 IdCorrente(const TDataSet& dati) { return dati.FieldByName(CampoId)->AsInteger(); }

// The ID_001_TABLE of a stored table's current row: its storage key, known
// without reading the row (a row just appended is not read back for it).
qint64 IdMemorizzato(const TTable& tabella)
{
    const TField* id = tabella.FieldByName(CampoId);
    return id->DataType() == TFieldType::ftAutoInc ? tabella.ChiaveCorrente() : id->AsInteger();
}

} // namespace

TUndoTable::TUndoTable(QObject* owner, TSession* sessione) : TTable(owner, sessione) {}

TUndoTable::~TUndoTable() { EliminaFile(); }

void TUndoTable::EliminaFile()
{
    try {
        Close();
    } catch (const std::exception&) {
    }
    if (!creata_)
        return;
    creata_ = false;
    QString percorso;
    try {
        percorso = Percorso();
        DeleteTable();
    } catch (const std::exception&) {
    }
    if (!percorso.isEmpty() && QFileInfo::exists(percorso))
        QFile::remove(percorso);
}

void TUndoTable::Crea()
{
    EliminaFile();
    creata_ = true;
    QString percorso;
    try {
        const QString cartella = QDir::tempPath();
        {
            // The system's unique temporary name, extension included.
            QTemporaryFile nome(QDir(cartella).filePath(QStringLiteral("UNDXXXXXX.TMP")));
            nome.setAutoRemove(false);
            if (!nome.open())
                throw EDBEngineError(QStringLiteral("Impossibile creare un file temporaneo in '%1'.").arg(cartella));
            percorso = nome.fileName();
        }
        TableName = QFileInfo(percorso).fileName();
        TableType = TTableType::ttParadox;
        Exclusive = true;
        IndexFieldNames = CampoId;
        FieldDefs.Clear();
        FieldDefs.Add(CampoId, TFieldType::ftAutoInc);
        FieldDefs.Add(QStringLiteral("TIPOOP"), TFieldType::ftSmallint);
        FieldDefs.Add(QStringLiteral("CODESTERNO"), TFieldType::ftInteger);
        FieldDefs.Add(QStringLiteral("CODINTERNO"), TFieldType::ftInteger);
        FieldDefs.Add(QStringLiteral("INFO"), TFieldType::ftBlob);
        IndexDefs.Clear();
        IndexDefs.Add(QString(), CampoId, ixPrimary);
        {
            // Created through a database of its own on the temporary folder.
            TDatabase database(nullptr, &sessione());
            database.DatabaseName = QStringLiteral("DBXXXXXXXX");
            database.DriverName = QStringLiteral("STANDARD");
            database.Params = QStringList{"PATH=" + cartella, QStringLiteral("DEFAULT DRIVER=PARADOX"), QStringLiteral("ENABLE BCD=FALSE")};
            database.Open();
            DatabaseName = database.DatabaseName;
            try {
                CreateTable();
            } catch (const std::exception&) {
                DatabaseName = cartella;
                messaggi::ShowMessage(QStringLiteral("Errore nella creazione di UndoT"));
                throw;
            }
            DatabaseName = cartella;
        }
        Open();
    } catch (...) {
        creata_ = false;
        if (!percorso.isEmpty())
            QFile::remove(percorso);
        throw;
    }
}

// ---------------------------------------------------------------- writing

void TUndoTable::Aggiungi(int tipo, qint64 esterno, qint64 interno, const QByteArray& info)
{
    if (!Active())
        return;
    Append();
    FieldByName(QStringLiteral("TIPOOP"))->SetAsInteger(tipo);
    FieldByName(QStringLiteral("CODESTERNO"))->SetAsInteger(esterno);
    FieldByName(QStringLiteral("CODINTERNO"))->SetAsInteger(interno);
    if (!info.isEmpty())
        FieldByName(QStringLiteral("INFO"))->SetAsBytes(info);
    Post();
}

void TUndoTable::RegistraEliminazione(const TDataSet& dati) { Aggiungi(undo_Eliminazione, IdCorrente(dati), dati.RecNo() - 1); }

void TUndoTable::RegistraAggiunta(const TTable& tabella) { Aggiungi(undo_Aggiunta, IdMemorizzato(tabella), tabella.RecNo() - 1); }

void TUndoTable::RegistraEliminazioni(const TDataSet& dati, const QList<int>& righe)
{
    const int id = dati.FieldByName(CampoId)->Index();
    for (int k = 0; k < righe.size(); ++k) {
        const qint64 esterno = dati.ValoreRiga(righe[k], id).toLongLong();
        Aggiungi(undo_Eliminazioni, esterno, k == righe.size() - 1 ? righe.size() : righe[k]);
    }
}

void TUndoTable::RegistraModifica(const TTable& tabella)
{
    QList<CoppiaIstantanea> coppie;
    for (int i = 0; i < tabella.FieldCount(); ++i) {
        const TField* campo = tabella.Fields(i);
        if (!campo->IsBlob())
            coppie << qMakePair(campo->FieldName(), campo->AsString());
    }
    const qint64 id = IdCorrente(tabella);
    Aggiungi(undo_Modifica, id, id, ScriviIstantanea(coppie));
}

void TUndoTable::RegistraOrdine(const QString& campo, const QString& direzione)
{
    Aggiungi(undo_Ordine, 0, 0, ScriviOrdine(campo, direzione));
}

void TUndoTable::RegistraIncolla(const TTable& tabella, int numero) { Aggiungi(undo_Incolla, IdMemorizzato(tabella), numero); }

// ---------------------------------------------------------------- reading

bool TUndoTable::Ultima()
{
    if (!Active() || RecordCount() == 0)
        return false;
    Last();
    return true;
}

qint64 TUndoTable::Valore(const char* campo) const { return FieldByName(QString::fromLatin1(campo))->AsInteger(); }

int TUndoTable::UltimoTipo() { return Ultima() ? int(Valore("TIPOOP")) : 0; }

int TUndoTable::RigaDiRitorno()
{
    switch (UltimoTipo()) {
    case undo_Eliminazione: return int(Valore("CODINTERNO"));
    case undo_Eliminazioni: {
        // The oldest entry of the group holds the first row; a group of one
        // holds only its count.
        const int n = int(Valore("CODINTERNO"));
        if (n < 2 || n > RecordCount())
            return 0;
        return ValoreRiga(RecordCount() - n, FieldByName(QStringLiteral("CODINTERNO"))->Index()).toInt();
    }
    default: return 0;
    }
}

void TUndoTable::CancellaUltima()
{
    if (Ultima())
        Delete();
}

// ---------------------------------------------------------------- undo

void TUndoTable::Annulla(TTable* tabella)
{
    const int tipo = UltimoTipo();
    if (tipo == 0)
        return;
    if (tipo == undo_Ordine) {
        const auto ordine = LeggiOrdine(FieldByName(QStringLiteral("INFO"))->AsBytes());
        campoOrdine_ = ordine ? ordine->first : QString();
        direzioneOrdine_ = ordine ? ordine->second : QString();
        CancellaUltima();
        return;
    }
    if (!tabella)
        throw EDBEngineError(QStringLiteral("Annulla: tabella di destinazione mancante."));
    const bool uno = tipo == undo_Eliminazione || tipo == undo_Aggiunta;
    if (uno && !tabella->FindKey({Valore("CODESTERNO")})) {
        messaggi::ShowMessage(QStringLiteral("Errore Undo codice non trovato"));
        return;
    }
    switch (tipo) {
    case undo_Eliminazione:
        tabella->Edit();
        tabella->FieldByName(QStringLiteral("CodOp"))->SetAsString(QStringLiteral("UD"));
        tabella->Post();
        CancellaUltima();
        break;
    case undo_Aggiunta:
        tabella->Delete();
        CancellaUltima();
        break;
    case undo_Eliminazioni: AnnullaGruppo(*tabella, true); break;
    case undo_Modifica: AnnullaModifica(*tabella); break;
    case undo_Incolla: AnnullaGruppo(*tabella, false); break;
    default:
        // An entry of no known kind would block every older one.
        CancellaUltima();
        break;
    }
}

void TUndoTable::AnnullaGruppo(TTable& tabella, bool multipla)
{
    const int tipo = multipla ? undo_Eliminazioni : undo_Incolla;
    const int n = int(Valore("CODINTERNO"));
    // The group's entries, newest first, read once: each removal would
    // make the journal read its last rows again.
    const int colonnaTipo = FieldByName(QStringLiteral("TIPOOP"))->Index();
    const int colonnaEsterno = FieldByName(QStringLiteral("CODESTERNO"))->Index();
    QList<qint64> esterni;
    for (int r = RecordCount() - 1; r >= 0 && esterni.size() < n && ValoreRiga(r, colonnaTipo).toInt() == tipo; --r)
        esterni << ValoreRiga(r, colonnaEsterno).toLongLong();
    // One transaction for the whole group: thousands of rows in one write.
    TransazioneGiornale transazione(sessione(), this);
    int prossima = 0;
    for (int i = 0; i < n && prossima < esterni.size(); ++i) {
        // An entry whose row is gone stays: the next repetitions meet it again.
        if (!tabella.FindKey({esterni[prossima]})) {
            messaggi::ShowMessage(multipla ? QStringLiteral("Errore MultiSelect Undo codice non trovato")
                                           : QStringLiteral("Errore Undo codice non trovato"));
            continue;
        }
        if (multipla) {
            tabella.Edit();
            tabella.FieldByName(QStringLiteral("CodOp"))->SetAsString(QStringLiteral("UDM"));
            tabella.Post();
        } else {
            tabella.Delete();
        }
        Last();
        Delete();
        ++prossima;
    }
    transazione.Conferma();
}

void TUndoTable::AnnullaModifica(TTable& tabella)
{
    const auto coppie = LeggiIstantanea(FieldByName(QStringLiteral("INFO"))->AsBytes());
    if (!coppie)
        throw EDBEngineError(QStringLiteral("Errore Undo: istantanea del record non valida."));
    for (const auto& [nome, valore] : *coppie)
        if (valore.size() > LunghezzaMassimaIstantanea)
            throw EDBEngineError(QStringLiteral("Errore Undo: il valore del campo '%1' supera i %2 caratteri.").arg(nome).arg(LunghezzaMassimaIstantanea));
    if (tabella.FindKey({Valore("CODESTERNO")})) {
        tabella.Edit();
        try {
            for (const auto& [nome, valore] : *coppie)
                if (nome.compare(CampoId, Qt::CaseInsensitive) != 0)
                    if (TField* campo = tabella.FindField(nome))
                        campo->SetAsString(valore);
            tabella.Post();
        } catch (...) {
            tabella.Cancel();
            throw;
        }
    }
    CancellaUltima();
}

} // namespace gridkit
