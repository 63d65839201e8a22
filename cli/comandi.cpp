#include "comandi.h"

#include "app/archiviodati.h"
#include "app/configurazione.h"
#include "app/installazione.h"
#include "app/navigazione.h"
#include "componenti/creazione.h"
#include "directory/interfacce.h"
#include "tabelle/tabella.h"

namespace cli {

int Registra(Contesto& c, const QStringList&)
{
    for (const QString& riga : tratte::RegistraInstallazione(c.cartellaProgramma))
        c.uscita << riga << '\n';
    return 0;
}

int Province(Contesto& c, const QStringList&)
{
    tratte::TArchivioDati archivio(c.cartellaProgramma);
    archivio.Prepara();
    tabelle::TTable prv;
    prv.DatabaseName = QStringLiteral("Database");
    prv.TableName = QStringLiteral("PRV.DB");
    prv.Open();
    for (prv.First(); !prv.Eof(); prv.Next()) {
        c.uscita << prv.FieldByName("CODEPRV")->AsString() << '\t' << prv.FieldByName("PROVINCIA")->AsString() << '\t'
                 << prv.FieldByName("DATA")->AsString() << '\n';
        if (prv.RecNo() == prv.RecordCount())
            break;
    }
    return 0;
}

int Comune(Contesto& c, const QStringList& argomenti)
{
    QStringList resto = argomenti;
    const bool stati = resto.removeAll(QStringLiteral("--stati")) > 0;
    if (resto.size() != 1) {
        c.errori << "Uso: tratte-cli comune TESTO [--stati]\n";
        return 2;
    }
    auto directory = componenti::CreateComObject<borgal::IBorgal>(borgal::CLSID_Borgal, borgal::IID_IBorgal);
    QStringList dati;
    if (!directory->CercaComune(true, stati, resto.front(), dati))
        return 1;
    for (const QString& riga : std::as_const(dati))
        c.uscita << riga << '\n';
    return 0;
}

int Tratte(Contesto& c, const QStringList& argomenti)
{
    QString provincia = tratte::TutteLeProvince;
    QString comune = tratte::TuttiIComuni;
    for (int i = 0; i < argomenti.size(); i += 2) {
        const QString& opzione = argomenti[i];
        if ((opzione != "--provincia" && opzione != "--comune") || i + 1 >= argomenti.size()) {
            c.errori << "Uso: tratte-cli tratte [--provincia TESTO] [--comune TESTO]\n";
            return 2;
        }
        (opzione == "--provincia" ? provincia : comune) = argomenti[i + 1];
    }
    tratte::TArchivioDati archivio(c.cartellaProgramma);
    archivio.Prepara();
    const QString cartellaComuni = tratte::LeggiCartellaArchivioComuni();
    auto directory = componenti::CreateComObject<borgal::IBorgal>(borgal::CLSID_Borgal, borgal::IID_IBorgal);

    tabelle::TTable prv;
    prv.DatabaseName = QStringLiteral("Database");
    prv.TableName = QStringLiteral("PRV.DB");
    QStringList province;
    prv.Open();
    if (prv.RecordCount() > 0)
        province << tratte::TutteLeProvince;
    for (int r = 1; r <= prv.RecordCount(); ++r) {
        prv.SetRecNo(r);
        province << prv.FieldByName("PROVINCIA")->AsString();
    }
    prv.Close();
    if (!tratte::TNavigazione::TraLeVoci(province, provincia)) {
        c.errori << "Provincia non caricata: " << provincia << '\n';
        return 1;
    }

    tabelle::TQuery comuni, vecchiComuni;
    comuni.DatabaseName = vecchiComuni.DatabaseName = cartellaComuni;
    comuni.SQL = tratte::TNavigazione::TestoQueryComuni();
    vecchiComuni.SQL = tratte::TNavigazione::TestoQueryVecchiComuni();
    QStringList valori;
    tratte::TNavigazione navigazione(
        [&](const QString& testo, tratte::DatiComune& v) {
            valori.clear();
            const bool trovato = directory->CercaComune(true, false, testo, valori);
            auto valore = [&](const QString& nome) {
                for (const QString& riga : std::as_const(valori))
                    if (riga.section('=', 0, 0) == nome)
                        return riga.section('=', 1);
                return QString();
            };
            v = {valore("CodiceCatastale"), valore("CodiceFiscale"), valore("Provincia"), valore("NomeComune")};
            return trovato;
        },
        prv, comuni, vecchiComuni);
    // As Enter in the comune box: the first item that begins with the text.
    const QStringList voci = navigazione.ComuniDi(provincia, cartellaComuni);
    const int trovato = tratte::TNavigazione::PrimoCheIniziaCon(voci, comune);
    if (trovato < 0) {
        c.errori << "Comune non presente nell'elenco della provincia: " << comune << '\n';
        return 1;
    }
    gridkit::TNewTable tabella;
    tabella.DatabaseName = QStringLiteral("Database");
    tabella.SetTableName(QStringLiteral("Tratte.db"));
    tabella.ReadOnly = true;
    navigazione.Filtra(tabella, provincia, voci[trovato]);

    StampaTratte(c, tabella);
    return 0;
}

void StampaTratte(Contesto& c, const gridkit::TNewTable& tabella)
{
    c.uscita << tratte::ColonneGriglia.join('\t') << '\n';
    if (!tabella.TDataSet::Active())
        return;
    QList<int> indici;
    QList<bool> decimali;
    for (const QString& nome : tratte::ColonneGriglia) {
        indici << tabella.FieldByName(nome)->Index();
        decimali << (nome == "Distanza" || nome == "ScartoQMedio");
    }
    // One line buffer for all the rows: a whole province is a million lines.
    QString riga;
    const int n = tabella.RecordCount();
    for (int r = 0; r < n; ++r) {
        riga.clear();
        for (int k = 0; k < indici.size(); ++k) {
            if (k > 0)
                riga += '\t';
            const QVariant v = tabella.ValoreRiga(r, indici[k]);
            if (v.isNull())
                continue;
            if (decimali[k])
                riga += QString::number(v.toDouble(), 'f', 3);
            else if (v.typeId() == QMetaType::LongLong)
                riga += QString::number(v.toLongLong());
            else
                riga += v.toString();
        }
        riga += '\n';
        c.uscita << riga;
    }
}

int Esegui(Contesto& c, const QStringList& argomenti)
{
    const QString comando = argomenti.value(0);
    const QStringList resto = argomenti.mid(1);
    if (comando == "registra")
        return Registra(c, resto);
    if (comando == "province")
        return Province(c, resto);
    if (comando == "comune")
        return Comune(c, resto);
    if (comando == "tratte")
        return Tratte(c, resto);
    if (comando == "cerca")
        return Cerca(c, resto);
    if (comando == "carica")
        return Carica(c, resto);
    if (comando == "elimina")
        return Elimina(c, resto);
    if (comando == "tolleranza")
        return Tolleranza(c, resto);
    c.errori << (comando.isEmpty() ? QStringLiteral("Comando mancante.") : QStringLiteral("Comando sconosciuto: %1").arg(comando)) << '\n'
             << "Uso: tratte-cli [--programma CARTELLA] registra | province | comune TESTO [--stati]\n"
             << "       | tratte [--provincia TESTO] [--comune TESTO]\n"
             << "       | cerca PUNTO [PUNTO ...]   (PUNTO: COMUNE,SEZIONE,FOGLIO,ALLEGATO,PF)\n"
             << "       | carica CARTELLA [--sostituisci] | elimina SIGLA\n"
             << "       | tolleranza ARCHIVIATA MISURATA ZONA\n";
    return 2;
}

} // namespace cli
