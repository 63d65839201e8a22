// The report files: what the reader accepts and refuses, the pages a
// layout makes, and the two delivered reports (their fields are those of
// the print tables, their columns fit the page and their titles their
// columns).
#include "impaginazione.h"
#include "rapporto.h"
#include "supporto/cartella_temporanea.h"
#include "supporto_stampa.h"

#include "app/archiviodati.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QFontMetricsF>
#include <gtest/gtest.h>

using namespace orvo;

namespace {

QString Errore(const QString& testo)
{
    try {
        LeggiTestoRapporto(testo, "prova.rpt");
    } catch (const ErroreRapporto& e) {
        return e.testo();
    }
    return {};
}

const QString Minimo = "[tabella]\nnome = T.db\n[colonna]\ncampo = A\nlarghezza = 10\n";

TEST(Rapporto, LetturaEValoriPredefiniti)
{
    const Rapporto r = LeggiTestoRapporto(prova::RapportoProva("{StampaProva.Valore}", "decrescente"), "prova.rpt");
    EXPECT_EQ(r.titolo, "Elenco di prova");
    EXPECT_EQ(r.pagina, QPageSize::A4);
    EXPECT_EQ(r.altezzaRiga, 5);
    EXPECT_EQ(r.password, "tulp41");
    ASSERT_EQ(r.colonne.size(), 3);
    EXPECT_EQ(r.colonne[1].allineamento, Allineamento::Destra);
    EXPECT_EQ(r.colonne[1].decimali, 0);
    EXPECT_EQ(r.colonne[2].decimali, 3);
    EXPECT_EQ(r.colonne[0].decimali, -1);
    ASSERT_EQ(r.gruppi.size(), 1);
    EXPECT_TRUE(r.gruppi[0].discendente);
    EXPECT_EQ(r.gruppi[0].NomeCampo(), "Valore");
    EXPECT_EQ(Gruppo{"Distanza"}.NomeCampo(), "Distanza");
    // Blanks, comments and a title taken from the field.
    const Rapporto m = LeggiTestoRapporto("  # commento\n\n" + Minimo + "  formato =  \n", "m.rpt");
    EXPECT_EQ(m.colonne[0].titolo, "A");
    EXPECT_EQ(m.piede, "Pagina {pagina} di {pagine}");
    EXPECT_EQ(m.orientamento, QPageLayout::Portrait);
}

TEST(Rapporto, FileRifiutatiConLaRiga)
{
    EXPECT_EQ(Errore("[rapporto]\npagina = B9\n" + Minimo), "prova.rpt, riga 2: formato di pagina sconosciuto \"B9\"");
    EXPECT_EQ(Errore(Minimo + "colore = rosso\n"), "prova.rpt, riga 6: chiave sconosciuta \"colore\" in [colonna]");
    EXPECT_EQ(Errore("[sfondo]\n"), "prova.rpt, riga 1: sezione sconosciuta [sfondo]");
    EXPECT_EQ(Errore("titolo = x\n"), "prova.rpt, riga 1: impostazione fuori da una sezione");
    EXPECT_EQ(Errore(Minimo + "[tabella]\n"), "prova.rpt, riga 6: sezione [tabella] ripetuta");
    EXPECT_EQ(Errore("[rapporto\n"), "prova.rpt, riga 1: intestazione di sezione non chiusa");
    EXPECT_EQ(Errore(Minimo + "larghezza = -3\n"), "prova.rpt, riga 6: numero non valido \"-3\"");
    EXPECT_EQ(Errore(Minimo + "formato = #.##\n"), "prova.rpt, riga 6: formato numerico sconosciuto \"#.##\"");
    EXPECT_EQ(Errore("[rapporto]\nmargini = 1 2 3\n" + Minimo), "prova.rpt, riga 2: attesi quattro margini");
    EXPECT_EQ(Errore("[tabella]\nnome = T.db\n"), "prova.rpt: nessuna colonna");
    EXPECT_EQ(Errore("[colonna]\ncampo = A\nlarghezza = 1\n"), "prova.rpt: manca la tabella ([tabella] nome)");
    EXPECT_EQ(Errore("[tabella]\nnome = T.db\n[colonna]\ncampo = A\n"), "prova.rpt: ogni colonna vuole campo e larghezza");
    EXPECT_EQ(Errore(Minimo + "[gruppo]\ndirezione = crescente\n"), "prova.rpt: un gruppo senza campo");
    EXPECT_EQ(Errore(""), "prova.rpt: manca la tabella ([tabella] nome)");
}

TEST(Rapporto, PagineDelleRigheEDellOrientamento)
{
    CartellaTemporanea cartella;
    tabelle::TSession s;
    prova::CreaTabellaProva(s, cartella.percorso(), 101);
    prova::Scrivi(cartella.file("p.rpt"), prova::RapportoProva());
    const Rapporto r = LeggiRapporto(cartella.file("p.rpt"));
    const DatiRapporto dati(r);
    EXPECT_EQ(dati.Righe(), 101);
    // Ordered by the group; numbers in the column's format, empty values blank.
    EXPECT_EQ(dati.Testo(0, 0), "RIGA 1");
    EXPECT_EQ(dati.Testo(6, 2), "");
    EXPECT_EQ(dati.Testo(100, 2), "151.500");
    Impaginazione pagine(r, dati, "Titolo", QDate(2026, 12, 9));
    EXPECT_EQ(pagine.RighePerPagina(), 50);
    EXPECT_EQ(pagine.Pagine(), 3);
    EXPECT_EQ(pagine.Foglio(), QSizeF(2100, 2970));
    pagine.ImpostaOrientamento(QPageLayout::Landscape);
    EXPECT_EQ(pagine.Foglio(), QSizeF(2970, 2100));
    EXPECT_EQ(pagine.RighePerPagina(), 32);
    EXPECT_EQ(pagine.Pagine(), 4);
}

// The delivered reports over the fields of their print tables.
TEST(Rapporto, RapportiConsegnati)
{
    CartellaTemporanea cartella;
    const QString programma = cartella.sottocartella("Tratte");
    QDir().mkpath(programma + "/Archivi");
    tabelle::TSession s;
    tratte::TArchivioDati archivio(programma, nullptr, &s);
    archivio.Prepara();
    for (const auto& [file, archiviata, stampa] : {std::tuple{"ReportTratte.rpt", "Tratte.db", "StampaTratte"},
                                                    std::tuple{"TratteLbp.rpt", "TratteLibretto.db", "StampaTratteLbp"}}) {
        SCOPED_TRACE(file);
        const Rapporto r = LeggiRapporto(QStringLiteral(CARTELLA_RAPPORTI "/") + file);
        EXPECT_EQ(r.tabella, QString(stampa) + ".db");
        EXPECT_EQ(r.password, tratte::PasswordTabelle);
        EXPECT_EQ(r.pagina, QPageSize::A4);
        ASSERT_FALSE(r.gruppi.isEmpty());
        EXPECT_TRUE(r.gruppi[0].campo.startsWith(QString("{") + stampa + "."));
        tabelle::TTable tabella(nullptr, &s);
        tabella.DatabaseName = "Database";
        tabella.TableName = archiviata;
        tabella.Open();
        for (const Gruppo& g : r.gruppi)
            EXPECT_NE(tabella.FindField(g.NomeCampo()), nullptr) << g.campo.toStdString();
        QSizeF foglio = QPageSize(r.pagina).size(QPageSize::Millimeter);
        if (r.orientamento == QPageLayout::Landscape)
            foglio.transpose();
        double larghezza = 0;
        QFont carattere(r.carattere);
        carattere.setPixelSize(qRound(r.dimensione * 254 / 72.0));
        const QFontMetricsF misure(carattere);
        for (const Colonna& c : r.colonne) {
            EXPECT_NE(tabella.FindField(c.campo), nullptr) << c.campo.toStdString();
            EXPECT_LE(misure.horizontalAdvance(c.titolo), c.larghezza * 10 - 10) << c.titolo.toStdString();
            larghezza += c.larghezza;
        }
        EXPECT_LE(larghezza, foglio.width() - r.margini[0] - r.margini[2]);
    }
}

} // namespace
