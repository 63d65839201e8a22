#include "datiarchivio.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace archiviocomuni {
namespace {

const QRegularExpression CodiceComune(QStringLiteral("^[A-Y][0-9]{3}$"));
const QRegularExpression CodiceStato(QStringLiteral("^Z[0-9]{3}$"));
const QRegularExpression Sigla(QStringLiteral("^[A-Z]{2}$"));
const QRegularExpression Cap(QStringLiteral("^[0-9]{5}$"));
const QRegularExpression Prefisso(QStringLiteral("^[0-9]{1,4}$"));
const QRegularExpression LetteraSezione(QStringLiteral("^[A-Z]$"));

// Checks of single fields, each naming the column in its error.
class TControlli {
public:
    TControlli(const TSorgenteCsv& sorgente, const TRigaCsv& riga) : s_(sorgente), r_(riga) {}

    QString Valore(const QString& colonna) const { return s_.campo(r_, colonna); }
    [[noreturn]] void Errore(const QString& testo) const { s_.Errore(r_, testo); }

    // A name: not empty, upper case, at most `massimo` characters.
    QString Nome(const QString& colonna, int massimo) const
    {
        const QString v = Valore(colonna);
        if (v.isEmpty())
            Errore(QStringLiteral("%1 vuoto.").arg(colonna));
        if (v.size() > massimo)
            Errore(QStringLiteral("%1 \"%2\" oltre %3 caratteri.").arg(colonna, v).arg(massimo));
        if (v != v.toUpper())
            Errore(QStringLiteral("%1 \"%2\" non è in maiuscolo.").arg(colonna, v));
        return v;
    }
    QString Forma(const QString& colonna, const QRegularExpression& forma, const QString& attesa, bool facoltativo = false) const
    {
        const QString v = Valore(colonna);
        if (facoltativo && v.isEmpty())
            return v;
        if (!forma.match(v).hasMatch())
            Errore(QStringLiteral("%1 \"%2\" non valido (%3).").arg(colonna, v, attesa));
        return v;
    }

private:
    const TSorgenteCsv& s_;
    const TRigaCsv& r_;
};

QString File(const QString& cartella, const char* nome) { return QDir(cartella).filePath(QLatin1String(nome)); }

QList<TProvincia> LeggiProvince(const QString& cartella)
{
    const TSorgenteCsv s(File(cartella, "province.csv"), {"SIGLA", "PROVINCIA", "CODPROV", "Regione"});
    QList<TProvincia> province;
    QSet<QString> sigle;
    for (const TRigaCsv& r : s.righe()) {
        const TControlli c(s, r);
        TProvincia p;
        p.Sigla = c.Forma("SIGLA", Sigla, QStringLiteral("due lettere maiuscole"));
        if (sigle.contains(p.Sigla))
            c.Errore(QStringLiteral("provincia %1 ripetuta.").arg(p.Sigla));
        sigle.insert(p.Sigla);
        p.Nome = c.Nome("PROVINCIA", larghezza::NomeProvincia);
        p.CodProv = c.Valore("CODPROV");
        if (p.CodProv.size() > larghezza::CodProv)
            c.Errore(QStringLiteral("CODPROV \"%1\" oltre %2 caratteri.").arg(p.CodProv).arg(larghezza::CodProv));
        p.Regione = c.Nome("Regione", larghezza::Regione);
        province.append(p);
    }
    if (province.isEmpty())
        throw ESorgenteNonValida(QStringLiteral("province.csv: nessuna provincia."));
    return province;
}

// Comuni, then their section records right after each.
QList<TComune> LeggiComuni(const QString& cartella, const QList<TProvincia>& province)
{
    QHash<QString, QString> regioneDi;
    for (const TProvincia& p : province)
        regioneDi.insert(p.Sigla, p.Regione);

    const TSorgenteCsv s(File(cartella, "comuni.csv"),
                         {"Provincia", "NomeComune", "Regione", "CAP", "PrefissoTelefonico", "CodiceFiscale", "CodiceCatastale"});
    QList<TComune> comuni;
    QHash<QString, int> perCodice;
    for (const TRigaCsv& r : s.righe()) {
        const TControlli c(s, r);
        TComune x;
        x.Provincia = c.Forma("Provincia", Sigla, QStringLiteral("due lettere maiuscole"));
        if (!regioneDi.contains(x.Provincia))
            c.Errore(QStringLiteral("provincia %1 assente da province.csv.").arg(x.Provincia));
        x.NomeComune = c.Nome("NomeComune", larghezza::NomeComune);
        if (x.NomeComune.contains('/'))
            c.Errore(QStringLiteral("NomeComune \"%1\": la barra distingue le sezioni (sezioni.csv).").arg(x.NomeComune));
        x.Regione = c.Nome("Regione", larghezza::Regione);
        if (x.Regione != regioneDi.value(x.Provincia))
            c.Errore(QStringLiteral("regione %1, ma province.csv dà %2 per %3.").arg(x.Regione, regioneDi.value(x.Provincia), x.Provincia));
        x.CAP = c.Forma("CAP", Cap, QStringLiteral("cinque cifre o vuoto"), true);
        x.PrefissoTelefonico = c.Forma("PrefissoTelefonico", Prefisso, QStringLiteral("fino a quattro cifre o vuoto"), true);
        x.CodiceFiscale = c.Forma("CodiceFiscale", CodiceComune, QStringLiteral("una lettera e tre cifre"));
        x.CodiceCatastale = c.Valore("CodiceCatastale");
        if (x.CodiceCatastale != x.CodiceFiscale)
            c.Errore(QStringLiteral("CodiceCatastale \"%1\" diverso da CodiceFiscale \"%2\" (le sezioni stanno in sezioni.csv).")
                         .arg(x.CodiceCatastale, x.CodiceFiscale));
        if (perCodice.contains(x.CodiceCatastale))
            c.Errore(QStringLiteral("codice %1 già dato a %2.").arg(x.CodiceCatastale, comuni[perCodice[x.CodiceCatastale]].NomeComune));
        perCodice.insert(x.CodiceCatastale, int(comuni.size()));
        comuni.append(x);
    }
    if (comuni.isEmpty())
        throw ESorgenteNonValida(QStringLiteral("comuni.csv: nessun comune."));

    const TSorgenteCsv z(File(cartella, "sezioni.csv"), {"CodiceFiscale", "Sezione", "NomeComune"});
    QHash<int, QList<TComune>> sezioniDi;
    QSet<QString> codiciSezione;
    for (const TRigaCsv& r : z.righe()) {
        const TControlli c(z, r);
        const QString codice = c.Forma("CodiceFiscale", CodiceComune, QStringLiteral("una lettera e tre cifre"));
        if (!perCodice.contains(codice))
            c.Errore(QStringLiteral("comune %1 assente da comuni.csv.").arg(codice));
        const QString lettera = c.Forma("Sezione", LetteraSezione, QStringLiteral("una lettera maiuscola"));
        TComune sezione = comuni[perCodice[codice]];
        sezione.CodiceCatastale = codice + lettera;
        if (codiciSezione.contains(sezione.CodiceCatastale))
            c.Errore(QStringLiteral("sezione %1 ripetuta.").arg(sezione.CodiceCatastale));
        codiciSezione.insert(sezione.CodiceCatastale);
        if (c.Valore("NomeComune").isEmpty()) {
            sezione.NomeComune += '/' + lettera;
            if (sezione.NomeComune.size() > larghezza::NomeComune)
                c.Errore(QStringLiteral("il nome \"%1\" supera %2 caratteri: indicarne uno più breve.").arg(sezione.NomeComune).arg(larghezza::NomeComune));
        } else {
            sezione.NomeComune = c.Nome("NomeComune", larghezza::NomeComune);
            if (!sezione.NomeComune.contains('/'))
                c.Errore(QStringLiteral("il nome di una sezione, \"%1\", deve contenere la barra.").arg(sezione.NomeComune));
        }
        sezioniDi[perCodice[codice]].append(sezione);
    }

    QList<TComune> tutti;
    tutti.reserve(comuni.size() + codiciSezione.size());
    for (int i = 0; i < comuni.size(); ++i) {
        tutti.append(comuni[i]);
        tutti.append(sezioniDi.value(i));
    }
    return tutti;
}

QList<TStato> LeggiStati(const QString& cartella)
{
    const TSorgenteCsv s(File(cartella, "esteri.csv"), {"NomeStato", "CodiceFiscale", "CodiceCatastale"});
    QList<TStato> stati;
    QSet<QString> codici;
    for (const TRigaCsv& r : s.righe()) {
        const TControlli c(s, r);
        TStato x;
        x.NomeStato = c.Nome("NomeStato", larghezza::NomeStato);
        x.CodiceFiscale = c.Forma("CodiceFiscale", CodiceStato, QStringLiteral("Z e tre cifre"));
        x.CodiceCatastale = c.Forma("CodiceCatastale", CodiceStato, QStringLiteral("Z e tre cifre"));
        if (codici.contains(x.CodiceCatastale))
            c.Errore(QStringLiteral("codice %1 ripetuto.").arg(x.CodiceCatastale));
        codici.insert(x.CodiceCatastale);
        stati.append(x);
    }
    return stati;
}

QList<TComuneSpostato> LeggiNuoveProvince(const QString& cartella, const QList<TComune>& comuni)
{
    QSet<QString> comuniDi; // "SIGLA/NOME"
    for (const TComune& c : comuni)
        comuniDi.insert(c.Provincia + '/' + c.NomeComune);
    const TSorgenteCsv s(File(cartella, "nuoveprovince.csv"), {"NomeComune", "VecchiaProvincia", "NuovaProvincia"});
    QList<TComuneSpostato> righe;
    for (const TRigaCsv& r : s.righe()) {
        const TControlli c(s, r);
        TComuneSpostato x;
        x.NomeComune = c.Nome("NomeComune", larghezza::NomeComune);
        x.VecchiaProvincia = c.Forma("VecchiaProvincia", Sigla, QStringLiteral("due lettere maiuscole"));
        x.NuovaProvincia = c.Forma("NuovaProvincia", Sigla, QStringLiteral("due lettere maiuscole"));
        if (x.VecchiaProvincia == x.NuovaProvincia)
            c.Errore(QStringLiteral("vecchia e nuova provincia coincidono (%1).").arg(x.NuovaProvincia));
        if (!comuniDi.contains(x.NuovaProvincia + '/' + x.NomeComune))
            c.Errore(QStringLiteral("%1 non è un comune della provincia %2 in comuni.csv.").arg(x.NomeComune, x.NuovaProvincia));
        righe.append(x);
    }
    return righe;
}

// The program finds a province by looking its name up as a comune: the
// first comune of that name must lie in the province.
void ControllaNomiProvince(const QList<TProvincia>& province, const QList<TComune>& comuni)
{
    QHash<QString, QString> provinciaDelNome;
    QSet<QString> conComuni;
    for (const TComune& c : comuni) {
        if (!provinciaDelNome.contains(c.NomeComune))
            provinciaDelNome.insert(c.NomeComune, c.Provincia);
        conComuni.insert(c.Provincia);
    }
    for (const TProvincia& p : province) {
        const QString trovata = provinciaDelNome.value(p.Nome);
        if (trovata != p.Sigla)
            throw ESorgenteNonValida(
                trovata.isEmpty()
                    ? QStringLiteral("province.csv: %1 (%2) non è il nome di un comune.").arg(p.Nome, p.Sigla)
                    : QStringLiteral("province.csv: il primo comune di nome %1 è della provincia %2, non di %3.").arg(p.Nome, trovata, p.Sigla));
        if (!conComuni.contains(p.Sigla))
            throw ESorgenteNonValida(QStringLiteral("province.csv: la provincia %1 non ha comuni.").arg(p.Sigla));
    }
}

} // namespace

TDatiArchivio LeggiDatiArchivio(const QString& cartella)
{
    if (!QFileInfo(cartella).isDir())
        throw ESorgenteNonValida(QStringLiteral("Cartella delle sorgenti '%1' non trovata.").arg(cartella));
    TDatiArchivio dati;
    dati.province = LeggiProvince(cartella);
    dati.comuni = LeggiComuni(cartella, dati.province);
    ControllaNomiProvince(dati.province, dati.comuni);
    dati.stati = LeggiStati(cartella);
    dati.nuoveProvince = LeggiNuoveProvince(cartella, dati.comuni);
    return dati;
}

} // namespace archiviocomuni
