#include "supporto_borgal.h"

#include "componenti/creazione.h"
#include "componenti/server.h"
#include "directory/nomericerca.h"
#include "gridkit/tabella/newtable.h"
#include "registro/treginifile.h"
#include "tabelle/protezione.h"
#include "tabelle/query.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QDir>

namespace {

// Creates the enhanced table with its secondary index on CodiceCatastale,
// fills it with `righe` (values by column), then protects it. With
// `conNomeRicerca` the table ends with the column NomeRicerca, which holds
// the search form of the name in the first column after Provincia, as the
// archive tool writes it.
QString CreaTabella(const QString& cartella, const QString& nome, QStringList campi, QList<QStringList> righe,
                    bool conNomeRicerca)
{
    if (conNomeRicerca) {
        const int colonnaNome = campi.front().startsWith("Provincia") ? 1 : 0;
        campi << borgal::ColonnaNomeRicerca + ",40";
        for (QStringList& riga : righe)
            riga << borgal::NomeRicerca(riga[colonnaNome]);
    }
    tabelle::TSession sessione;
    sessione.AddPassword("tulp41");
    {
        gridkit::TNewTable t(nullptr, &sessione);
        t.DatabaseName = cartella;
        t.SetTableName(nome);
        t.SvuotaCampiSistema();
        t.SvuotaCampiUtente();
        t.CreaTabella(campi);
    }
    tabelle::TQuery indice(nullptr, &sessione);
    indice.DatabaseName = cartella;
    indice.SQL << QStringLiteral("Create Index IdxCodiceCatastale On \"%1\" (CodiceCatastale)").arg(nome);
    indice.ExecSQL();

    const QString percorso = QDir(cartella).filePath(nome);
    {
        tabelle::TTable t(nullptr, &sessione);
        t.DatabaseName = cartella;
        t.TableName = nome;
        t.Open();
        for (const QStringList& riga : righe) {
            t.Append();
            for (int i = 0; i < riga.size(); ++i)
                t.FieldByName(campi[i].section(',', 0, 0))->SetAsString(riga[i]);
            t.Post();
        }
    }
    tabelle::ImpostaPasswordTabella(sessione, percorso, "tulp41");
    return percorso;
}

} // namespace

QList<ComuneProva> ComuniProva()
{
    return {
        {"RM", "ROMA", "LAZIO", "00100", "06", "H501", "H501"},
        // The name CASTRO twice, in two provinces: BG comes first.
        {"BG", "CASTRO", "LOMBARDIA", "24063", "035", "C337", "C337"},
        {"LE", "CASTRO", "PUGLIA", "73030", "0836", "M261", "M261"},
        {"CS", "CASTROVILLARI", "CALABRIA", "87012", "0981", "C349", "C349"},
        {"CT", "ACI SANT'ANTONIO", "SICILIA", "95025", "095", "A028", "A028"},
        // No telephone prefix, no postal code: they give no line.
        {"BR", "ORIA", "PUGLIA", "", "", "G098", "G098"},
        // A five-character cadastral code (the comune's section A).
        {"MI", "MILANO", "LOMBARDIA", "20100", "02", "F205", "F205A"},
        {"BR", "FRANCAVILLA FONTANA", "PUGLIA", "72021", "0831", "D761", "D761"},
        // Codes made to collide: K100 is a cadastral code here and a tax code
        // below; ASTI is a cadastral code here and a name below.
        {"AT", "PRIMA PROVA", "PIEMONTE", "14100", "0141", "K101", "K100"},
        {"AT", "SECONDA PROVA", "PIEMONTE", "14100", "0141", "K100", "K102"},
        {"AT", "TERZA PROVA", "PIEMONTE", "14100", "0141", "K103", "ASTI"},
        {"AT", "ASTI", "PIEMONTE", "14100", "0141", "A479", "A479"},
        // Forty characters: the longest name.
        {"VV", "SAN NICOLA DA CRISSA DI CALABRIA ULTERIO", "CALABRIA", "89821", "0963", "I058", "I058"},
    };
}

QList<StatoProva> StatiProva()
{
    return {
        {"FRANCIA", "Z110", "Z110"},
        {"GERMANIA", "Z112", "Z112"},
        // Its tax code is also ROMA's: the comune wins when both are searched.
        {"STATO DI PROVA", "H501", "Z999"},
    };
}

QString CreaArchivioComuni(const QString& cartella, const QList<ComuneProva>& comuni, bool conNomeRicerca)
{
    QList<QStringList> righe;
    for (const ComuneProva& c : comuni)
        righe << QStringList{c.provincia, c.nome, c.regione, c.cap, c.prefisso, c.codiceFiscale, c.codiceCatastale};
    return CreaTabella(cartella, "KWArchivioComuni.db",
                       {"Provincia,2", "NomeComune,40", "Regione,25", "CAP,5", "PrefissoTelefonico,4", "CodiceFiscale,5",
                        "CodiceCatastale,5"},
                       righe, conNomeRicerca);
}

QString CreaArchivioStati(const QString& cartella, const QList<StatoProva>& stati, bool conNomeRicerca)
{
    QList<QStringList> righe;
    for (const StatoProva& s : stati)
        righe << QStringList{s.nome, s.codiceFiscale, s.codiceCatastale};
    return CreaTabella(cartella, "KWEsteri.db", {"NomeStato,40", "CodiceFiscale,5", "CodiceCatastale,5"}, righe,
                       conNomeRicerca);
}

void ImpostaArchivi(const QString& comuni, const QString& stati)
{
    registro::TRegIniFile chiave("\\Software\\QUINTOR\\COMMON\\BORGAL\\");
    chiave.WriteString("Archivi", "FileNameArchivioComuni", comuni);
    chiave.WriteString("Archivi", "FileNameArchivioStatiEsteri", stati);
}

void ScriviRegistro(const QString& chiave, const QString& nome, const QString& valore)
{
    registro::TRegIniFile(chiave).WriteString(QString(), nome, valore);
}

QString LibreriaBorgal() { return QStringLiteral(BORGAL_LIBRERIA); }

void ComponenteBorgal::SetUp()
{
    // Every test starts from an unloaded library, so it reads its load-time
    // settings afresh.
    componenti::CoFreeUnusedLibraries();
    ASSERT_EQ(componenti::LibrerieCaricate(), 0);
    ASSERT_EQ(componenti::RegistraServer(LibreriaBorgal()), componenti::S_OK);
}

void ComponenteBorgal::TearDown() { componenti::CoFreeUnusedLibraries(); }

componenti::ComPtr<borgal::IBorgal> ComponenteBorgal::Crea()
{
    return componenti::CreateComObject<borgal::IBorgal>(borgal::CLSID_Borgal, borgal::IID_IBorgal);
}

void ComponenteBorgal::ArchivioStandard()
{
    const QString dati = cartella.sottocartella("ArchivioComuni");
    ImpostaArchivi(CreaArchivioComuni(dati, ComuniProva()), CreaArchivioStati(dati, StatiProva()));
}
