#include "scritturaarchivio.h"

#include "directory/nomericerca.h"
#include "gridkit/tabella/newtable.h"
#include "messaggi/messaggi.h"
#include "tabelle/errore.h"
#include "tabelle/protezione.h"
#include "tabelle/query.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <filesystem>
#include <functional>

namespace archiviocomuni {

using namespace tabelle;

namespace {

// The creation lists of the two grid-library tables. NomeRicerca, last,
// holds the search form of the name (never wider than the name), which the
// directory's lookups compare when a name is not found as spelt.
const QStringList CampiComuni = {"Provincia,2", "NomeComune,40", "Regione,25", "CAP,5",
                                 "PrefissoTelefonico,4", "CodiceFiscale,5", "CodiceCatastale,5", "NomeRicerca,40"};
const QStringList CampiEsteri = {"NomeStato,40", "CodiceFiscale,5", "CodiceCatastale,5", "NomeRicerca,40"};

// Takes every box shown while the tables are written: the grid library
// reports a failed creation with a box, which here becomes an error.
class TRaccoltaMessaggi : public messaggi::ServizioMessaggi {
public:
    int mostra(const messaggi::Messaggio& messaggio, QWidget*) override
    {
        testi << messaggio.testo;
        return messaggi::RisultatoPredefinito(messaggio);
    }
    int mostraModale(QDialog&) override { return messaggi::mrCancel; }
    QStringList testi;
};

// A local transaction undone unless confirmed.
class TTransazione {
public:
    explicit TTransazione(TSession& sessione) : db_(nullptr, &sessione) { db_.StartTransaction(); }
    ~TTransazione()
    {
        if (!confermata_) {
            try {
                db_.Rollback();
            } catch (const std::exception&) {
            }
        }
    }
    TTransazione(const TTransazione&) = delete;
    TTransazione& operator=(const TTransazione&) = delete;
    void Conferma()
    {
        db_.Commit();
        confermata_ = true;
    }

private:
    TDatabase db_;
    bool confermata_ = false;
};

struct TCampoPiano {
    QString nome;
    int dimensione;
    bool richiesto;
};

class TScrittore {
public:
    TScrittore(TSession& sessione, const QString& cartella) : s_(sessione), cartella_(cartella) {}

    // `nomeDaCercare`: the name column the directory looks records up by.
    void CreaTabellaArchivio(const QString& nome, const QStringList& campi, const QString& nomeDaCercare)
    {
        TRaccoltaMessaggi raccolta;
        {
            const messaggi::SostituzioneServizio sostituzione(raccolta);
            gridkit::TNewTable t(nullptr, &s_);
            t.DatabaseName = cartella_ + '/';
            t.SetTableName(nome);
            t.SvuotaCampiSistema();
            t.SvuotaCampiUtente();
            t.CreaTabella(campi);
        }
        if (!raccolta.testi.isEmpty())
            throw EDBEngineError(QStringLiteral("Creazione di %1 non riuscita: %2").arg(nome, raccolta.testi.join(' ')));
        // The directory's lookups: by tax code, cadastral code, name, and the
        // name's search form.
        for (const QString& campo : {QStringLiteral("CodiceFiscale"), QStringLiteral("CodiceCatastale"), nomeDaCercare,
                                     borgal::ColonnaNomeRicerca})
            Esegui(QStringLiteral("Create Index %2 On \"%1\" (%2)").arg(nome, campo));
    }

    void CreaTabellaPiana(const QString& nome, const QList<TCampoPiano>& campi, const QString& primaria, const QString& secondaria = {})
    {
        TTable t(nullptr, &s_);
        t.DatabaseName = cartella_;
        t.TableName = nome;
        t.TableType = TTableType::ttParadox;
        t.FieldDefs.Clear();
        for (const TCampoPiano& c : campi)
            t.FieldDefs.Add(c.nome, TFieldType::ftString, c.dimensione, c.richiesto);
        t.IndexDefs.Clear();
        if (!primaria.isEmpty())
            t.IndexDefs.Add(QString(), primaria, ixPrimary | ixUnique);
        if (!secondaria.isEmpty())
            t.IndexDefs.Add(secondaria, secondaria, 0);
        t.CreateTable();
    }

    // Appends the rows in one transaction: `valori` gives each row's
    // values for `campi`, in order.
    template <class T>
    void Riempi(const QString& nome, const QStringList& campi, const QList<T>& righe,
                const std::function<QStringList(const T&)>& valori)
    {
        TTable t(nullptr, &s_);
        t.DatabaseName = cartella_;
        t.TableName = nome;
        t.Open();
        QList<TField*> campo;
        for (const QString& c : campi)
            campo << t.FieldByName(c);
        TTransazione transazione(s_);
        for (const T& r : righe) {
            const QStringList v = valori(r);
            t.Append();
            for (int i = 0; i < campo.size(); ++i)
                campo[i]->SetAsString(v[i]);
            t.Post();
        }
        transazione.Conferma();
        t.Close();
    }

    // Gives the table the password, then proves that it opens with it and
    // holds `righe` rows.
    void Proteggi(const QString& nome, int righe)
    {
        const QString percorso = QDir(cartella_).filePath(nome);
        ImpostaPasswordTabella(s_, percorso, PasswordArchivioComuni);
        TTable t(nullptr, &s_);
        t.DatabaseName = cartella_;
        t.TableName = nome;
        t.Open();
        if (t.RecordCount() != righe)
            throw EDBEngineError(QStringLiteral("%1: %2 righe scritte, %3 attese.").arg(nome).arg(t.RecordCount()).arg(righe));
        t.Close();
    }

private:
    void Esegui(const QString& sql)
    {
        TQuery q(nullptr, &s_);
        q.DatabaseName = cartella_;
        q.SQL = QStringList{sql};
        q.ExecSQL();
    }

    TSession& s_;
    QString cartella_;
};

void ScriviTabelle(TSession& sessione, const QString& cartella, const TDatiArchivio& dati)
{
    TScrittore w(sessione, cartella);

    w.CreaTabellaArchivio(NomiTabelle[0], CampiComuni, QStringLiteral("NomeComune"));
    w.Riempi<TComune>(NomiTabelle[0],
                      {"Provincia", "NomeComune", "Regione", "CAP", "PrefissoTelefonico", "CodiceFiscale", "CodiceCatastale",
                       borgal::ColonnaNomeRicerca},
                      dati.comuni, [](const TComune& c) {
                          return QStringList{c.Provincia, c.NomeComune, c.Regione, c.CAP, c.PrefissoTelefonico,
                                             c.CodiceFiscale, c.CodiceCatastale, borgal::NomeRicerca(c.NomeComune)};
                      });
    w.Proteggi(NomiTabelle[0], int(dati.comuni.size()) + 1);

    w.CreaTabellaArchivio(NomiTabelle[1], CampiEsteri, QStringLiteral("NomeStato"));
    w.Riempi<TStato>(NomiTabelle[1], {"NomeStato", "CodiceFiscale", "CodiceCatastale", borgal::ColonnaNomeRicerca}, dati.stati,
                     [](const TStato& s) {
                         return QStringList{s.NomeStato, s.CodiceFiscale, s.CodiceCatastale, borgal::NomeRicerca(s.NomeStato)};
                     });
    w.Proteggi(NomiTabelle[1], int(dati.stati.size()) + 1);

    w.CreaTabellaPiana(NomiTabelle[2], {{"SIGLA", 2, true}, {"Regione", larghezza::Regione, false}}, "SIGLA");
    w.Riempi<TProvincia>(NomiTabelle[2], {"SIGLA", "Regione"}, dati.province,
                         [](const TProvincia& p) { return QStringList{p.Sigla, p.Regione}; });
    w.Proteggi(NomiTabelle[2], int(dati.province.size()));

    w.CreaTabellaPiana(NomiTabelle[3], {{"SIGLA", 2, true}, {"PROVINCIA", larghezza::NomeProvincia, false}, {"CODPROV", 2, false}},
                       "SIGLA");
    w.Riempi<TProvincia>(NomiTabelle[3], {"SIGLA", "PROVINCIA", "CODPROV"}, dati.province,
                         [](const TProvincia& p) { return QStringList{p.Sigla, p.Nome, p.CodProv}; });
    w.Proteggi(NomiTabelle[3], int(dati.province.size()));

    w.CreaTabellaPiana(NomiTabelle[4],
                       {{"NomeComune", larghezza::NomeComune, false}, {"VecchiaProvincia", 2, false}, {"NuovaProvincia", 2, false}},
                       QString(), "VecchiaProvincia");
    w.Riempi<TComuneSpostato>(NomiTabelle[4], {"NomeComune", "VecchiaProvincia", "NuovaProvincia"}, dati.nuoveProvince,
                              [](const TComuneSpostato& c) { return QStringList{c.NomeComune, c.VecchiaProvincia, c.NuovaProvincia}; });
    w.Proteggi(NomiTabelle[4], int(dati.nuoveProvince.size()));
}

// Moves a finished table over the one of the same name (found without
// regard to case) in `cartella`.
void Sostituisci(const QString& nuovo, const QString& cartella, const QString& nome)
{
    const QDir dir(cartella);
    std::error_code errore;
    std::filesystem::rename(QFile::encodeName(nuovo).constData(), QFile::encodeName(dir.filePath(nome)).constData(), errore);
    if (errore)
        throw EDBEngineError(QStringLiteral("Impossibile scrivere '%1': %2").arg(dir.filePath(nome), QString::fromStdString(errore.message())));
    // The new table is in place: an old one under another spelling goes.
    for (const QString& esistente : dir.entryList(QDir::Files))
        if (esistente.compare(nome, Qt::CaseInsensitive) == 0 && esistente != nome && !QFile::remove(dir.filePath(esistente)))
            throw EDBEngineError(QStringLiteral("Impossibile togliere la vecchia tabella '%1'.").arg(dir.filePath(esistente)));
}

} // namespace

void ScriviArchivioComuni(const TDatiArchivio& dati, const QString& cartella)
{
    if (!QDir().mkpath(cartella))
        throw EDBEngineError(QStringLiteral("Impossibile creare la cartella '%1'.").arg(cartella));
    QTemporaryDir lavoro(QDir(cartella).filePath(QStringLiteral(".crea-archivio-XXXXXX")));
    if (!lavoro.isValid())
        throw EDBEngineError(QStringLiteral("Impossibile creare una cartella di lavoro in '%1'.").arg(cartella));
    {
        // A session of its own: nothing of this stays attached or known
        // to the caller's session.
        TSession sessione;
        sessione.AddPassword(PasswordArchivioComuni);
        ScriviTabelle(sessione, lavoro.path(), dati);
    }
    for (const QString& nome : NomiTabelle)
        Sostituisci(QDir(lavoro.path()).filePath(nome), cartella, nome);
}

} // namespace archiviocomuni
