// The lookups of the directory component through IBorgal, as the program
// calls them on libborgal.so: the order of the searches, the lengths, upper
// case, comuni before states, the suggestions and their dialog, the
// province restriction, keys with quotes, and the errors of the tables.
#include "supporto_borgal.h"

#include "registro/treginifile.h"
#include "tabelle/errore.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

using borgal::IBorgal;

namespace {

const QString Quaranta = "SAN NICOLA DA CRISSA DI CALABRIA ULTERIO";

class Ricerca : public ComponenteBorgal {
protected:
    void SetUp() override
    {
        ComponenteBorgal::SetUp();
        ArchivioStandard();
        borgal = Crea();
        ASSERT_TRUE(borgal);
    }
    void TearDown() override
    {
        borgal.Reset();
        ComponenteBorgal::TearDown();
    }

    // CercaComune with the list given; the list as it comes back (empty
    // when the call returns false, which is checked too).
    QStringList Cerca(bool comuni, bool stati, const QString& testo, QStringList dati = {})
    {
        const bool trovato = borgal->CercaComune(comuni, stati, testo, dati);
        EXPECT_EQ(trovato, !dati.isEmpty()) << testo.toStdString();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "clessidra rimasta: " << testo.toStdString();
        return dati;
    }
    QString Valore(const QStringList& dati, const QString& nome)
    {
        for (const QString& riga : dati)
            if (riga.startsWith(nome + '='))
                return riga.mid(nome.size() + 1);
        return QString();
    }
    QString Nome(const QStringList& dati)
    {
        return Valore(dati, Valore(dati, "TipoDati") == "STATO" ? "NomeStato" : "NomeComune");
    }

    // A script for the suggestion dialog: checks what it shows, then picks
    // the item at `indice` with OK (-1: Annulla).
    void ScegliNelDialogo(int indice, QStringList* elementi = nullptr, QString* titolo = nullptr,
                          QString* domanda = nullptr)
    {
        finto.ScriviModale([=](QDialog& d) {
            auto* elenco = d.findChild<QListWidget*>("ElencoComuni_TextListBox");
            EXPECT_NE(QGuiApplication::overrideCursor(), nullptr); // the hourglass stays while the user chooses
            if (elementi)
                for (int i = 0; i < elenco->count(); ++i)
                    *elementi << elenco->item(i)->text();
            if (titolo)
                *titolo = d.windowTitle();
            if (domanda)
                *domanda = d.findChild<QLabel*>("Frase_Label")->text();
            if (indice < 0) {
                d.findChild<QPushButton*>("Annulla_BitBtn")->click();
            } else {
                elenco->item(indice)->setSelected(true);
                d.findChild<QPushButton*>("Ok_BitBtn")->click();
            }
            return d.result();
        });
    }

    componenti::ComPtr<IBorgal> borgal;
};

} // namespace

TEST_F(Ricerca, CodiceFiscalePoiCatastalePoiNome)
{
    EXPECT_EQ(Cerca(true, false, "H501"),
              QStringList({"TipoDati=COMUNE", "NomeComune=ROMA", "Provincia=RM", "Regione=LAZIO", "CAP=00100",
                           "PrefissoTelefonico=06", "CodiceFiscale=H501", "CodiceCatastale=H501"}));
    // K100 is PRIMA PROVA's cadastral code (first in the table) and SECONDA
    // PROVA's tax code: the tax code wins.
    EXPECT_EQ(Nome(Cerca(true, false, "K100")), "SECONDA PROVA");
    EXPECT_EQ(Nome(Cerca(true, false, "K102")), "SECONDA PROVA");
    // A four-letter name is a name only when no code matches it.
    EXPECT_EQ(Nome(Cerca(true, false, "ASTI")), "TERZA PROVA");
    EXPECT_EQ(Nome(Cerca(true, false, "ROMA")), "ROMA");
    EXPECT_EQ(Nome(Cerca(true, false, "F205A")), "MILANO");
    EXPECT_EQ(Nome(Cerca(true, false, "F205")), "MILANO");
    // Two comuni of the same name: the first in table order.
    EXPECT_EQ(Valore(Cerca(true, false, "CASTRO"), "Provincia"), "BG");
    EXPECT_EQ(Valore(Cerca(true, false, "M261"), "Provincia"), "LE");

    // Empty columns give no line; the caller's caption and province lines go.
    EXPECT_EQ(Cerca(true, false, "ORIA", {"Titolo", "BR"}),
              QStringList({"TipoDati=COMUNE", "NomeComune=ORIA", "Provincia=BR", "Regione=PUGLIA", "CodiceFiscale=G098",
                           "CodiceCatastale=G098"}));
    EXPECT_TRUE(Cerca(true, false, "ZZZZ", {"Titolo", "BR"}).isEmpty());

    // Lower case: CercaComune upper-cases the text, EsisteComune does not.
    EXPECT_EQ(Nome(Cerca(true, false, "roma")), "ROMA");
    EXPECT_EQ(Nome(Cerca(true, false, "h501")), "ROMA");
    EXPECT_EQ(Nome(Cerca(true, false, "aci sant'antonio")), "ACI SANT'ANTONIO");
    EXPECT_TRUE(borgal->EsisteComune(true, false, "ROMA"));
    EXPECT_TRUE(borgal->EsisteComune(true, false, "K102"));
    EXPECT_FALSE(borgal->EsisteComune(true, false, "roma"));
    EXPECT_FALSE(borgal->EsisteComune(true, false, "h501"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());
}

TEST_F(Ricerca, TestiVuotiELunghezze)
{
    for (const QString testo : {"", "   ", "*", "   *"}) {
        EXPECT_TRUE(Cerca(true, true, testo, {"Titolo", "RM"}).isEmpty()) << testo.toStdString();
        EXPECT_FALSE(borgal->EsisteComune(true, true, testo)) << testo.toStdString();
    }
    // Forty characters are a name, with or without the asterisk; forty-one
    // find nothing and never ask, not even with a prefix of a name.
    EXPECT_EQ(Nome(Cerca(true, false, Quaranta)), Quaranta);
    EXPECT_EQ(Nome(Cerca(true, false, Quaranta + "*")), Quaranta);
    EXPECT_TRUE(borgal->EsisteComune(true, false, Quaranta));
    EXPECT_TRUE(Cerca(true, true, Quaranta + "X").isEmpty());
    EXPECT_TRUE(Cerca(true, true, "CASTRO" + QString(35, 'X') + "*").isEmpty());
    EXPECT_FALSE(borgal->EsisteComune(true, false, Quaranta + "X"));
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());
}

TEST_F(Ricerca, SuggerimentiConUnoOPiuCandidati)
{
    // One name starts so: it is the choice, no dialog.
    EXPECT_EQ(Nome(Cerca(true, false, "ROM*")), "ROMA");
    EXPECT_EQ(Nome(Cerca(true, false, "MIL*")), "MILANO");
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());
    // A whole name with the asterisk is found as a name first.
    EXPECT_EQ(Valore(Cerca(true, false, "castro*"), "Provincia"), "BG");
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());

    // Several: the dialog lists them all in table order, duplicates kept.
    QStringList elementi;
    QString titolo, domanda;
    ScegliNelDialogo(2, &elementi, &titolo, &domanda);
    const QStringList dati = Cerca(true, false, "CAST*", {"Scelta del comune"});
    EXPECT_EQ(finto.finestreMostrate, QStringList{"SceltaComune_Form"});
    EXPECT_EQ(elementi, QStringList({"CASTRO", "CASTRO", "CASTROVILLARI"}));
    EXPECT_EQ(titolo, "Scelta del comune");
    EXPECT_EQ(domanda, "Per \"CAST\" cosa intendevi?");
    EXPECT_EQ(Nome(dati), "CASTROVILLARI");
    EXPECT_EQ(Valore(dati, "Provincia"), "CS");

    // The second CASTRO is searched by its name: the first in table order comes back.
    ScegliNelDialogo(1);
    EXPECT_EQ(Valore(Cerca(true, false, "CAST*"), "Provincia"), "BG");

    // Cancelled: nothing, and the states are not searched either.
    ScegliNelDialogo(-1, nullptr, &titolo);
    EXPECT_TRUE(Cerca(true, true, "CAST*").isEmpty());
    EXPECT_EQ(titolo, ""); // no caption given, none shown

    // The pattern is not upper-cased: a lower-case prefix has no candidates.
    finto.finestreMostrate.clear();
    EXPECT_TRUE(Cerca(true, true, "cast*").isEmpty());
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());
}

TEST_F(Ricerca, ComuniPrimaDegliStati)
{
    // H501 is ROMA's tax code and the test state's: the comune wins.
    EXPECT_EQ(Nome(Cerca(true, true, "H501")), "ROMA");
    EXPECT_EQ(Cerca(false, true, "H501"), QStringList({"TipoDati=STATO", "NomeStato=STATO DI PROVA", "CodiceFiscale=H501",
                                                        "CodiceCatastale=Z999"}));
    EXPECT_EQ(Nome(Cerca(true, true, "z110")), "FRANCIA");
    EXPECT_TRUE(Cerca(true, false, "FRANCIA").isEmpty());
    EXPECT_TRUE(Cerca(false, false, "ROMA").isEmpty());

    // A prefix of a state name only: the one candidate, a state.
    const QStringList germania = Cerca(true, true, "GERM*");
    EXPECT_EQ(Valore(germania, "TipoDati"), "STATO");
    EXPECT_EQ(Nome(germania), "GERMANIA");
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());

    // Comuni and states among the candidates, comuni first; a state chosen.
    QStringList elementi;
    ScegliNelDialogo(1, &elementi);
    const QStringList francia = Cerca(true, true, "FRAN*");
    EXPECT_EQ(elementi, QStringList({"FRANCAVILLA FONTANA", "FRANCIA"}));
    EXPECT_EQ(francia, QStringList({"TipoDati=STATO", "NomeStato=FRANCIA", "CodiceFiscale=Z110", "CodiceCatastale=Z110"}));

    // States alone: no suggestions, the name is searched without the asterisk.
    finto.finestreMostrate.clear();
    EXPECT_TRUE(Cerca(false, true, "FRAN*").isEmpty());
    EXPECT_EQ(Nome(Cerca(false, true, "FRANCIA*")), "FRANCIA");
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());

    // EsisteComune: codes exact, names by prefix with the asterisk, in both archives.
    EXPECT_TRUE(borgal->EsisteComune(false, true, "Z110"));
    EXPECT_FALSE(borgal->EsisteComune(true, false, "Z110"));
    EXPECT_TRUE(borgal->EsisteComune(false, true, "FRAN*"));
    EXPECT_TRUE(borgal->EsisteComune(true, false, "FRAN*"));
    EXPECT_FALSE(borgal->EsisteComune(false, true, "FRAN"));
    EXPECT_FALSE(borgal->EsisteComune(true, true, "fran*"));
    EXPECT_FALSE(borgal->EsisteComune(true, true, "Z11*")); // codes are never prefixes
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());
}

TEST_F(Ricerca, LaProvinciaLimitaSoloICandidati)
{
    // Only CASTRO of LE is a candidate: no dialog. Its name is then searched
    // without the restriction, so the first CASTRO (BG) is the one returned.
    EXPECT_EQ(Valore(Cerca(true, false, "CAST*", {"Titolo", "LE"}), "Provincia"), "BG");
    EXPECT_EQ(Nome(Cerca(true, false, "CAST*", {"", "CS"})), "CASTROVILLARI");
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());
    EXPECT_TRUE(Cerca(true, false, "CAST*", {"", "RM"}).isEmpty());
    // Not on the exact searches, not on the states.
    EXPECT_EQ(Nome(Cerca(true, false, "ROMA", {"", "LE"})), "ROMA");
    EXPECT_EQ(Nome(Cerca(true, true, "GERM*", {"", "RM"})), "GERMANIA");
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());
}

TEST_F(Ricerca, ChiaviConVirgoletteApostrofiEPuntoEVirgola)
{
    // Bound as parameters, never pasted into the statement: no error, no
    // candidate, and the table is intact.
    for (const QString testo : {"RO\"MA*", "ROMA\"*", "\"*", "ROMA;*", "X\"); DELETE FROM dati; --*",
                                "ROMA\"", "'", "H5\"1"}) {
        EXPECT_TRUE(Cerca(true, true, testo).isEmpty()) << testo.toStdString();
        EXPECT_FALSE(borgal->EsisteComune(true, true, testo)) << testo.toStdString();
    }
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());
    EXPECT_EQ(Nome(Cerca(true, false, "ROMA")), "ROMA");
    // A vowel and an apostrophe at the end are the accented vowel, and so
    // the vowel itself.
    EXPECT_EQ(Nome(Cerca(true, false, "ROMA'*")), "ROMA");

    // Apostrophes in names, in every lookup.
    EXPECT_EQ(Nome(Cerca(true, false, "ACI SANT'*")), "ACI SANT'ANTONIO");
    EXPECT_EQ(Nome(Cerca(true, false, "ACI SANT'ANTONIO")), "ACI SANT'ANTONIO");
    EXPECT_TRUE(borgal->EsisteComune(true, false, "ACI SANT'ANTONIO"));
    EXPECT_TRUE(borgal->EsisteComune(true, false, "ACI SANT'*"));
    EXPECT_FALSE(borgal->EsisteComune(true, false, "ACI SANT\"*"));

    // The key's own % and _ keep their meaning in the candidate pattern;
    // EsisteComune compares its prefix literally.
    EXPECT_EQ(Nome(Cerca(true, false, "R%A*")), "ROMA");
    EXPECT_EQ(Nome(Cerca(true, false, "OR_*")), "ORIA");
    EXPECT_FALSE(borgal->EsisteComune(true, false, "R%A*"));
    EXPECT_FALSE(borgal->EsisteComune(true, false, "OR_*"));
}

TEST_F(Ricerca, VocaliAccentateConApostrofoOSenzaSegno)
{
    const QString dati = cartella.sottocartella("Accenti");
    const QList<ComuneProva> comuni = {
        {"FC", "FORLÌ", "EMILIA-ROMAGNA", "47121", "", "D704", "D704"},
        {"IS", "FORLÌ DEL SANNIO", "MOLISE", "86084", "", "D703", "D703"},
        {"FC", "FORLIMPOPOLI", "EMILIA-ROMAGNA", "47034", "", "D705", "D705"},
        {"SS", "AGLIENTU", "SARDEGNA", "07020", "", "H848", "H848"},
        {"TO", "AGLIÈ", "PIEMONTE", "10011", "", "A074", "A074"},
        // Two comuni whose names differ only by the accent, PATERNO first.
        {"PZ", "PATERNO", "BASILICATA", "85050", "", "M269", "M269"},
        {"CT", "PATERNÒ", "SICILIA", "95047", "", "G371", "G371"},
        {"PG", "CITTÀ DI CASTELLO", "UMBRIA", "06012", "", "C745", "C745"},
        {"PD", "VO'", "VENETO", "35030", "", "M103", "M103"},
        {"NA", "CAVA DE' TIRRENI", "CAMPANIA", "84013", "", "C361", "C361"},
        {"CT", "ACI SANT'ANTONIO", "SICILIA", "95025", "", "A028", "A028"},
    };
    const QList<StatoProva> stati = {{"PERÙ", "Z611", "Z611"}};
    ImpostaArchivi(CreaArchivioComuni(dati, comuni), CreaArchivioStati(dati, stati));

    // The accent, the vowel and an apostrophe, or the bare vowel: the record
    // as the archive spells it.
    for (const QString testo : {"FORLÌ", "FORLI'", "FORLI", "forlì", "forli'", "FORLI\u2019", "FORLI*", "FORLI'*"}) {
        const QStringList trovato = Cerca(true, false, testo);
        EXPECT_EQ(Nome(trovato), "FORLÌ") << testo.toStdString();
        EXPECT_EQ(Valore(trovato, "CodiceCatastale"), "D704") << testo.toStdString();
    }
    EXPECT_EQ(Nome(Cerca(true, false, "AGLIE*")), "AGLIÈ");
    EXPECT_EQ(Nome(Cerca(true, false, "CITTA' DI CASTELLO")), "CITTÀ DI CASTELLO");
    EXPECT_EQ(Nome(Cerca(true, false, "CITTA DI CASTELLO")), "CITTÀ DI CASTELLO");
    EXPECT_EQ(Nome(Cerca(true, false, "VÒ")), "VO'");
    EXPECT_EQ(Nome(Cerca(true, false, "VO")), "VO'");
    EXPECT_EQ(Nome(Cerca(true, false, "CAVA DE TIRRENI")), "CAVA DE' TIRRENI");
    EXPECT_EQ(Nome(Cerca(false, true, "PERU")), "PERÙ");
    EXPECT_EQ(Nome(Cerca(true, true, "PERU'")), "PERÙ");
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());
    // An apostrophe of elision is part of the name.
    EXPECT_TRUE(Cerca(true, false, "ACI SANTANTONIO").isEmpty());

    // An exact spelling wins; among names of one search form, the one that
    // reads as the key, a final apostrophe being the accent.
    EXPECT_EQ(Valore(Cerca(true, false, "PATERNO"), "CodiceCatastale"), "M269");
    EXPECT_EQ(Valore(Cerca(true, false, "PATERNÒ"), "CodiceCatastale"), "G371");
    EXPECT_EQ(Valore(Cerca(true, false, "PATERNO'"), "CodiceCatastale"), "G371");
    EXPECT_EQ(Valore(Cerca(true, false, "PATERNÓ"), "CodiceCatastale"), "G371");

    // The candidates, in the archive's spelling, whichever way the key is written.
    for (const QString testo : {"FORL*", "FÒRL*"}) {
        QStringList elementi;
        ScegliNelDialogo(1, &elementi);
        EXPECT_EQ(Nome(Cerca(true, false, testo)), "FORLÌ DEL SANNIO") << testo.toStdString();
        EXPECT_EQ(elementi, QStringList({"FORLÌ", "FORLÌ DEL SANNIO", "FORLIMPOPOLI"})) << testo.toStdString();
    }
    // One candidate: no dialog.
    finto.finestreMostrate.clear();
    EXPECT_EQ(Nome(Cerca(true, false, "CITTA' D*")), "CITTÀ DI CASTELLO");
    EXPECT_EQ(Nome(Cerca(true, false, "AGLIEN*")), "AGLIENTU");
    EXPECT_TRUE(finto.finestreMostrate.isEmpty());

    // EsisteComune likewise, without upper case.
    EXPECT_TRUE(borgal->EsisteComune(true, false, "FORLI"));
    EXPECT_TRUE(borgal->EsisteComune(true, false, "FORLI'*"));
    EXPECT_TRUE(borgal->EsisteComune(false, true, "PERU"));
    EXPECT_FALSE(borgal->EsisteComune(true, false, "forli"));

    // An archive written before the search form: names are found as spelt
    // only, and nothing fails.
    const QString vecchio = cartella.sottocartella("Vecchio");
    ImpostaArchivi(CreaArchivioComuni(vecchio, comuni, false), CreaArchivioStati(vecchio, stati, false));
    EXPECT_EQ(Nome(Cerca(true, true, "FORLÌ")), "FORLÌ");
    EXPECT_TRUE(Cerca(true, true, "FORLI'").isEmpty());
    EXPECT_FALSE(borgal->EsisteComune(true, true, "FORLI'*"));
    EXPECT_TRUE(borgal->EsisteComune(true, true, "FORLÌ*"));
    QStringList elementi;
    ScegliNelDialogo(0, &elementi);
    EXPECT_EQ(Nome(Cerca(true, false, "FORL*")), "FORLÌ");
    EXPECT_EQ(elementi, QStringList({"FORLÌ", "FORLÌ DEL SANNIO", "FORLIMPOPOLI"}));
}

TEST_F(Ricerca, ErroriDelleTabelleEModificheTraDueChiamate)
{
    const auto errore = [&](const QString& comuni) {
        ImpostaArchivi(comuni, cartella.file("ArchivioComuni/KWEsteri.db"));
        QStringList dati{"Titolo", "RM"};
        QString testo;
        try {
            borgal->CercaComune(true, true, "ROMA", dati);
        } catch (const tabelle::EDBEngineError& e) {
            testo = e.messaggio();
        }
        EXPECT_TRUE(dati.isEmpty());
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_THROW(borgal->EsisteComune(true, false, "ROMA"), tabelle::EDBEngineError);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        return testo;
    };
    EXPECT_TRUE(errore(cartella.file("mancante/KWArchivioComuni.db")).contains("KWArchivioComuni", Qt::CaseInsensitive));
    EXPECT_FALSE(errore(cartella.file("ArchivioComuni/")).isEmpty());
    EXPECT_TRUE(errore(cartella.file("Archivio\"Comuni/KWArchivioComuni.db")).contains("virgolette"));

    // A record added between two calls is found by the next one.
    ImpostaArchivi(cartella.file("ArchivioComuni/KWArchivioComuni.db"), cartella.file("ArchivioComuni/KWEsteri.db"));
    EXPECT_TRUE(Cerca(true, false, "NUOVO COMUNE").isEmpty());
    {
        tabelle::TSession sessione;
        sessione.AddPassword("tulp41");
        tabelle::TTable t(nullptr, &sessione);
        t.DatabaseName = cartella.file("ArchivioComuni");
        t.TableName = "KWArchivioComuni.db";
        t.Open();
        t.Append();
        t.FieldByName("NomeComune")->SetAsString("NUOVO COMUNE");
        t.FieldByName("CodiceCatastale")->SetAsString("N001");
        t.Post();
    }
    EXPECT_EQ(Cerca(true, false, "NUOVO COMUNE"),
              QStringList({"TipoDati=COMUNE", "NomeComune=NUOVO COMUNE", "CodiceCatastale=N001"}));

    // No values in the registry: the default names, in the current folder.
    registro::TRegIniFile("\\Software\\QUINTOR\\COMMON\\BORGAL\\").EraseSection("Archivi");
    const QString precedente = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(cartella.file("ArchivioComuni")));
    const QStringList roma = Cerca(true, true, "ROMA");
    const QStringList francia = Cerca(true, true, "FRANCIA");
    QDir::setCurrent(precedente);
    EXPECT_EQ(Nome(roma), "ROMA");
    EXPECT_EQ(Nome(francia), "FRANCIA");
}
