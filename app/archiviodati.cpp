#include "app/archiviodati.h"

#include "app/configurazione.h"
#include "gridkit/comune/cursoreattesa.h"
#include "tabelle/chiave.h"
#include "tabelle/connessione.h"
#include "tabelle/errore.h"
#include "tabelle/percorsi.h"
#include "tabelle/protezione.h"
#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include <QDir>
#include <QFileInfo>

namespace tratte {

using namespace tabelle;

namespace {

QString ConBarra(QString cartella)
{
    cartella.replace('\\', '/');
    if (!cartella.endsWith('/'))
        cartella += '/';
    return cartella;
}

bool EsisteFile(const QString& percorso) { return QFileInfo::exists(RisolviPercorso(percorso)); }

const QStringList CampiTratte = {
    "ComunePF1,4", "SezionePF1,1", "FoglioPF1,I", "AllegatoPF1,1", "PF1,I",
    "ComunePF2,4", "SezionePF2,1", "FoglioPF2,I", "AllegatoPF2,1", "PF2,I",
    "Protocollo,13", "Distanza,N,12", "ScartoQMedio,N,12", "Provincia,2"};

const QStringList CampiTratteLibretto = {
    "CoppiaPF,30", "Urbane,22", "Extraurbane,22", "Sfavorevoli,22", "TrattaAttuale,N,12",
    "TrattaInArchivio,N,12", "Differenza,N,12", "ScartoQMedio,N,12", "Anno,I", "Protocollo,13", "FlagUfficio,1"};

} // namespace

TArchivioDati::TArchivioDati(const QString& cartellaProgramma, QObject* owner, TSession* sessione)
    : QObject(owner), CartellaProgramma(ConBarra(cartellaProgramma)),
      Database(this, sessione), Tabella(this, sessione), sessione_(sessione ? sessione : &Session())
{
    Database.DatabaseName = QStringLiteral("Database");
    Database.DriverName = QStringLiteral("STANDARD");
}

QString TArchivioDati::CartellaDati() const { return CartellaProgramma + QStringLiteral("Archivi"); }

void TArchivioDati::Prepara()
{
    CartellaArchivioComuni = LeggiCartellaArchivioComuni();
    ImpostaConnessione();
    CreaFileMancanti();
    Database.Open();
}

void UsaPasswordTabelle(tabelle::TSession& sessione)
{
    tabelle::RicordaChiaveGrezza(PasswordTabelle, ChiaveTabelle);
    sessione.AddPassword(PasswordTabelle);
}

void TArchivioDati::ImpostaConnessione()
{
    UsaPasswordTabelle(*sessione_);
    Database.Close();
    Database.Params.clear();
    Database.Params << QStringLiteral("PATH=") + CartellaDati() << QStringLiteral("DEFAULT DRIVER=PARADOX")
                    << QStringLiteral("ENABLE BCD=FALSE");
}

void TArchivioDati::CreaTabelleMancanti()
{
    CreaFileMancanti();
    AggiornaTabellaRisultati();
}

void TArchivioDati::CreaFileMancanti()
{
    if (!QFileInfo(CartellaDati()).isDir())
        throw EDBEngineError(QStringLiteral("Cartella dei dati '%1' non trovata.").arg(CartellaDati()));
    if (!EsisteFile(CartellaDati() + "/Tratte.DB"))
        CreaTabellaTratte();
    if (!EsisteFile(CartellaDati() + "/TratteLibretto.DB"))
        CreaTabellaTratteLibretto();
    if (!EsisteFile(CartellaDati() + "/PRV.DB"))
        CreaTabellaPrv(CartellaDati());
}

void TArchivioDati::AggiornaTabellaRisultati()
{
    if (!ProtocolloAlfanumerico())
        CreaTabellaTratteLibretto();
}

QStringList TArchivioDati::VerificaTabelle()
{
    const auto nomi = [](const QStringList& campi) {
        QStringList n;
        for (const QString& c : campi)
            n << c.section(',', 0, 0);
        return n;
    };
    const QList<QPair<QString, QStringList>> tabelle{
        {QStringLiteral("Tratte.db"), nomi(CampiTratte)},
        {QStringLiteral("TratteLibretto.db"), nomi(CampiTratteLibretto)},
        {QStringLiteral("PRV.DB"), {QStringLiteral("CODEPRV"), QStringLiteral("PROVINCIA"), QStringLiteral("DATA")}},
    };
    QStringList avvisi;
    Connessione& c = sessione_->connessione();
    for (const auto& [nome, campi] : tabelle) {
        const QString percorso = RisolviPercorso(CartellaDati() + "/" + nome);
        if (!QFileInfo::exists(percorso))
            continue;
        QString causa;
        try {
            UsoTabella uso(c, percorso, false);
            QStringList mancanti;
            const QStringList colonne = c.Colonne(uso.schema());
            for (const QString& campo : campi)
                if (!colonne.contains(campo, Qt::CaseInsensitive))
                    mancanti << campo;
            if (!mancanti.isEmpty()) {
                causa = QStringLiteral("non ha i campi %1: è il file di un'altra tabella o di un'altra versione.")
                            .arg(mancanti.join(QStringLiteral(", ")));
            } else {
                // The first and the last rows: a file cut short or
                // overwritten is found without reading it all.
                for (const char* estremo : {"Min", "Max"}) {
                    Istruzione lettura(c, QStringLiteral("SELECT * FROM %1.dati WHERE rowid = (SELECT %2(rowid) FROM %1.dati)")
                                              .arg(uso.schema(), QLatin1String(estremo)));
                    while (lettura.Passo()) {
                    }
                }
            }
        } catch (const EDBEngineError& e) {
            causa = e.messaggio();
        }
        if (!causa.isEmpty())
            avvisi << QStringLiteral("La tabella '%1' della cartella dei dati non può essere usata: %2\r\n\r\nLe altre "
                                     "tabelle restano utilizzabili. Per ripristinarla, sostituire il file con una copia "
                                     "di sicurezza oppure eliminarlo: alla prossima partenza il programma la crea vuota.")
                          .arg(QDir::toNativeSeparators(percorso), causa);
    }
    return avvisi;
}

bool TArchivioDati::ProtocolloAlfanumerico()
{
    // The results table only ever holds the last search's results: one of
    // the old layout, whose protocol was a long integer, is made again.
    // A file that cannot be read is left alone: the start-up check names it.
    try {
        TTable risultati(nullptr, sessione_);
        risultati.DatabaseName = CartellaDati();
        risultati.TableName = QStringLiteral("TratteLibretto.db");
        risultati.Open();
        const TField* protocollo = risultati.FindField(QStringLiteral("Protocollo"));
        return !protocollo || protocollo->DataType() == TFieldType::ftString;
    } catch (const EDBEngineError&) {
        return true;
    }
}

void TArchivioDati::CreaTabellaArchivio(const QString& nome, const QStringList& campi)
{
    Tabella.Close();
    Tabella.DatabaseName = CartellaDati() + "/";
    Tabella.SetTableName(nome);
    Tabella.SvuotaCampiSistema();
    Tabella.SvuotaCampiUtente();
    Tabella.CreaTabella(campi);
}

void TArchivioDati::CreaTabellaTratte()
{
    CreaTabellaArchivio(QStringLiteral("Tratte.db"), CampiTratte);
    // Secondary indexes on what the program looks rows up by:
    // - a point of either end, comune first: a comune's view reads the
    //   comune's part of IDxPuntoPF1, and a search looks each pair of its
    //   points up in it (both ends) or a single point in either index;
    // - the province, for the whole-province view and its deletion;
    // - the row key with the logical-deletion mark, which is all the whole
    //   archive's view asks of each row: its row keys are read from this
    //   small index instead of the whole table;
    // - the logical-deletion mark: the program never marks an archived
    //   distance, so the index on CodOp holds only the rows that have one,
    //   instead of an empty entry for each of millions of rows that every
    //   load and deletion must write (a fifth of a province's deletion on
    //   a national archive).
    TQuery indici(nullptr, sessione_);
    indici.DatabaseName = CartellaDati();
    for (const char* istruzione : {"Create Index IDxPuntoPF1 On \"Tratte.db\" (ComunePF1, FoglioPF1, PF1, ComunePF2, FoglioPF2, PF2)",
                                   "Create Index IDxPuntoPF2 On \"Tratte.db\" (ComunePF2, FoglioPF2, PF2)",
                                   "Create Index IDxProvincia On \"Tratte.db\" (Provincia)",
                                   "Create Index IDxElenco On \"Tratte.db\" (ID_001_TABLE, CodOp)", "Drop Index \"Tratte.db\".IDxCodOp",
                                   "Create Index IDxCodOp On \"Tratte.db\" (CodOp) Where CodOp Is Not Null"}) {
        indici.SQL = QStringList{QLatin1String(istruzione)};
        indici.ExecSQL();
    }
    ProteggiTabella(CartellaDati() + "/Tratte.db", PasswordTabelle, *sessione_);
}

void TArchivioDati::CreaTabellaTratteLibretto()
{
    CreaTabellaArchivio(QStringLiteral("TratteLibretto.db"), CampiTratteLibretto);
    ProteggiTabella(CartellaDati() + "/TratteLibretto.db", PasswordTabelle, *sessione_);
}

void TArchivioDati::CreaTabellaPrv(const QString& cartella)
{
    gridkit::CursoreAttesa attesa;
    TTable prv(nullptr, sessione_);
    prv.TableName = ConBarra(cartella) + QStringLiteral("PRV.DB");
    prv.TableType = TTableType::ttParadox;
    prv.FieldDefs.Clear();
    prv.FieldDefs.Add(QStringLiteral("CODEPRV"), TFieldType::ftString, 2, true);
    prv.FieldDefs.Add(QStringLiteral("PROVINCIA"), TFieldType::ftString, 25);
    prv.FieldDefs.Add(QStringLiteral("DATA"), TFieldType::ftString, 5);
    prv.IndexDefs.Clear();
    prv.IndexDefs.Add(QStringLiteral("PrvIndex"), QStringLiteral("CODEPRV"), ixPrimary | ixUnique);
    prv.IndexDefs.Add(QStringLiteral("Secondario"), QStringLiteral("PROVINCIA"), ixUnique);
    prv.CreateTable();
    ProteggiTabella(ConBarra(cartella) + QStringLiteral("PRV.DB"), PasswordTabelle, *sessione_);
}

void ProteggiTabella(const QString& nomeFile, const QString& password, TSession& sessione)
{
    QString percorso = nomeFile;
    percorso.replace('\\', '/');
    const QString cartella = percorso.left(percorso.lastIndexOf('/') + 1);
    const QString nome = percorso.mid(percorso.lastIndexOf('/') + 1);
    const QString alias = QStringLiteral("LibrettoAlias");
    sessione.AddAlias(alias, QStringLiteral("STANDARD"), {QStringLiteral("PATH=") + cartella});
    try {
        TTable tabella(nullptr, &sessione);
        tabella.DatabaseName = alias;
        tabella.TableName = nome;
        tabella.DisableControls();
        tabella.Close();
        ImpostaPasswordTabella(sessione, tabella.Percorso(), password);
        // Opening again proves that the session knows the password.
        tabella.Open();
        tabella.EnableControls();
    } catch (...) {
        sessione.DeleteAlias(alias);
        throw;
    }
    sessione.DeleteAlias(alias);
}

} // namespace tratte

#include "moc_archiviodati.cpp"
