#include "app/navigazione.h"

namespace tratte {

using namespace tabelle;

namespace {

QStringList NomiComuni(TDataSet& d)
{
    QStringList nomi;
    const int n = d.RecordCount();
    for (int r = 1; r <= n; ++r) {
        d.SetRecNo(r);
        nomi << d.FieldByName("NomeComune")->AsString();
    }
    return nomi;
}

QString Virgolettato(QString valore) { return "'" + valore.replace("'", "''") + "'"; }

// Keeps the data-aware controls of a dataset off for its life.
class ControlliSospesi {
public:
    explicit ControlliSospesi(TDataSet& d) : d_(d) { d_.DisableControls(); }
    ~ControlliSospesi() { d_.EnableControls(); }
    ControlliSospesi(const ControlliSospesi&) = delete;
    ControlliSospesi& operator=(const ControlliSospesi&) = delete;

private:
    TDataSet& d_;
};

void Riapri(gridkit::TNewTable& tabella)
{
    tabella.TabelleAggiuntive.clear();
    tabella.Condizioni.clear();
    tabella.Riapri();
}

} // namespace

TNavigazione::TNavigazione(Risolutore risolutore, TTable& prv, TQuery& comuni, TQuery& vecchiComuni)
    : risolutore_(std::move(risolutore)), prv_(prv), comuni_(comuni), vecchiComuni_(vecchiComuni)
{
}

QString TNavigazione::ComuniVivi()
{
    return QStringLiteral(" And (com.ID_001_TABLE > 1) And ((Not com.CodOp Like 'D%') Or (com.CodOp is Null))");
}

QStringList TNavigazione::TestoQueryComuni()
{
    return {"Select * from \"KWArchivioComuni.db\" com", "Where (com.\"CodiceFiscale\" like :CodiceFiscale or",
            "com.\"CodiceCatastale\" like:CodiceCatastale or", "com.\"Provincia\" like:Provincia or",
            "com.\"NomeComune\" like:NomeComune)", ComuniVivi(), ""};
}

QStringList TNavigazione::TestoQueryVecchiComuni()
{
    return {"Select * from \"ZRNuoveProvince.db\" prov", "where prov.\"VecchiaProvincia\" like :sigla"};
}

int TNavigazione::PrimoCheIniziaCon(const QStringList& voci, const QString& testo)
{
    for (int i = 0; i < voci.size(); ++i)
        if (voci[i].startsWith(testo, Qt::CaseInsensitive))
            return i;
    return -1;
}

bool TNavigazione::TraLeVoci(const QStringList& voci, const QString& testo)
{
    return voci.contains(testo, Qt::CaseInsensitive);
}

QStringList TNavigazione::ComuniDi(const QString& provincia, const QString& cartellaArchivioComuni)
{
    QStringList voci{TuttiIComuni};
    if (provincia == TutteLeProvince) {
        // One condition per loaded province.
        QStringList sql{"Select * from \"KWArchivioComuni.db\" com"};
        prv_.Open();
        const int n = prv_.RecordCount();
        for (int r = 1; r <= n; ++r) {
            prv_.SetRecNo(r);
            sql << QString(r == 1 ? "Where ((" : "Or (") + "com.\"Provincia\" = " +
                       Virgolettato(prv_.FieldByName("CODEPRV")->AsString()) + ")";
        }
        sql << (n > 0 ? ")" : "Where (com.ID_001_TABLE > 0)") + ComuniVivi();
        prv_.Close();
        TQuery tutte(nullptr, &comuni_.sessione());
        tutte.DatabaseName = cartellaArchivioComuni;
        tutte.SQL = sql;
        tutte.Open();
        voci << NomiComuni(tutte);
    } else {
        Risolvi(provincia);
        voci << ComuniDellaProvincia(Valori.Provincia);
    }
    // After all provinces the code is the one of an earlier lookup.
    return voci << ComuniMigrati(Valori.Provincia);
}

QStringList TNavigazione::ComuniDellaProvincia(const QString& sigla)
{
    comuni_.Close();
    for (const char* p : {"CodiceFiscale", "CodiceCatastale", "NomeComune"})
        comuni_.ParamByName(p).Clear();
    comuni_.ParamByName("Provincia").SetAsString(sigla);
    comuni_.Open();
    const QStringList nomi = NomiComuni(comuni_);
    comuni_.Close();
    return nomi;
}

QStringList TNavigazione::ComuniMigrati(const QString& sigla)
{
    vecchiComuni_.Close();
    vecchiComuni_.ParamByName("sigla").SetAsString(sigla);
    vecchiComuni_.Open();
    return vecchiComuni_.RecordCount() > 0 ? NomiComuni(vecchiComuni_) : QStringList();
}

QString TNavigazione::CodiceInPrv(const QString& provincia)
{
    QString codice;
    prv_.Open();
    const int n = prv_.RecordCount();
    for (int r = 1; r <= n && codice.isEmpty(); ++r) {
        prv_.SetRecNo(r);
        if (prv_.FieldByName("PROVINCIA")->AsString().compare(provincia, Qt::CaseInsensitive) == 0)
            codice = prv_.FieldByName("CODEPRV")->AsString();
    }
    prv_.Close();
    return codice;
}

void TNavigazione::FiltraProvincia(gridkit::TNewTable& tabella, const QString& provincia)
{
    // Every loaded row carries the code its province was registered under
    // in PRV.DB: comune codes of different provinces may share any prefix,
    // and a province may be missing from the directory. The lookup still
    // fills the lookup values.
    Risolvi(provincia);
    tabella.CancellaFiltri();
    tabella.AggiungiFiltro("Provincia", CodiceInPrv(provincia));
    Riapri(tabella);
}

TNavigazione::Vista TNavigazione::Filtra(gridkit::TNewTable& tabella, const QString& provincia, const QString& comune)
{
    if (provincia == TutteLeProvince && comune == TuttiIComuni) {
        tabella.CancellaFiltri();
        Riapri(tabella);
        return Vista::Tutto;
    }
    if (comune.compare(TuttiIComuni, Qt::CaseInsensitive) == 0) {
        FiltraProvincia(tabella, provincia);
        return Vista::Provincia;
    }
    Risolvi(comune);
    QString codice = Valori.CodiceCatastale;
    if (codice.length() == 4) {
        // A comune divided into sections: its first section.
        DatiComune sezione;
        if (risolutore_(codice + "A", sezione)) {
            codice = sezione.CodiceCatastale;
            Valori.CodiceFiscale = sezione.CodiceFiscale;
        }
    }
    tabella.Close();
    ControlliSospesi sospesi(tabella);
    tabella.CancellaFiltri();
    tabella.AggiungiFiltro("ComunePF1", Valori.CodiceFiscale);
    QString lettera;
    if (!comune.contains('/')) {
        tabella.AggiungiFiltro("SezionePF1", QString());
    } else if (codice.length() == 5) {
        lettera = codice.mid(4, 1);
        tabella.AggiungiFiltro("SezionePF1", lettera);
    }
    Riapri(tabella);
    if (tabella.RecordCount() == 0) {
        // A comune without sections whose rows carry section "A".
        tabella.CancellaFiltri();
        tabella.AggiungiFiltro("ComunePF1", Valori.CodiceFiscale);
        tabella.AggiungiFiltro("SezionePF1", "A");
        Riapri(tabella);
    }
    if (tabella.RecordCount() == 0) {
        // The comune's own code, without the section.
        tabella.CancellaFiltri();
        tabella.Condizioni.clear();
        Risolvi(codice.left(4));
        tabella.AggiungiFiltro("ComunePF1", Valori.CodiceFiscale);
        tabella.AggiungiFiltro("SezionePF1", lettera);
        tabella.Riapri();
    }
    return Vista::Comune;
}

} // namespace tratte
