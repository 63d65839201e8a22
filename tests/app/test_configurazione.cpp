// The program's settings: defaults with an empty registry, the spellings
// of the program key, and the values as the readers give them.
#include "app/configurazione.h"
#include "registro/treginifile.h"
#include "supporto/cartella_temporanea.h"

#include <gtest/gtest.h>

using namespace tratte;

namespace {

TEST(Configurazione, RegistroVuotoDaIValoriPredefiniti)
{
    CartellaTemporanea cartella;
    EXPECT_TRUE(VisualizzaAvviso());
    const ValoriIniziali v = LeggiValoriIniziali();
    EXPECT_TRUE(v.provincia.isEmpty());
    EXPECT_TRUE(v.comune.isEmpty());
    EXPECT_TRUE(v.intestazione.isEmpty());
    EXPECT_EQ(LeggiPercorsoPregeo(), "C:\\Pregeo\\dati");
    EXPECT_EQ(LeggiCartellaArchivioComuni(), QString());
    EXPECT_EQ(LeggiPathArchivi(), QString());
}

TEST(Configurazione, AvvisoSoloConZeroNonMostrato)
{
    CartellaTemporanea cartella;
    registro::TRegIniFile chiave("\\SOFTWARE\\QUINTOR\\ORBIS77\\TRATTE");
    chiave.WriteString("", "VisualizzaFinestra", "0");
    EXPECT_FALSE(VisualizzaAvviso());
    chiave.WriteString("", "VisualizzaFinestra", "1");
    EXPECT_TRUE(VisualizzaAvviso());
    chiave.WriteString("", "VisualizzaFinestra", "sì");
    EXPECT_TRUE(VisualizzaAvviso());
    chiave.WriteString("", "VisualizzaFinestra", "2");
    EXPECT_TRUE(VisualizzaAvviso());

    // The notice's check box: the last click wins.
    ScriviVisualizzaFinestra(false);
    ScriviVisualizzaFinestra(true);
    ScriviVisualizzaFinestra(false);
    EXPECT_EQ(chiave.ReadString("", "VisualizzaFinestra", "?"), "0");
    EXPECT_FALSE(VisualizzaAvviso());
}

TEST(Configurazione, ValoriInizialiEPregeoNelleTreGrafieDellaChiave)
{
    CartellaTemporanea cartella;
    ScriviValoriIniziali({"ROMA", "ROMA", QString(50, 'x')});
    const ValoriIniziali v = LeggiValoriIniziali();
    EXPECT_EQ(v.provincia, "ROMA");
    EXPECT_EQ(v.intestazione.size(), 40);
    EXPECT_EQ(registro::TRegIniFile("SOFTWARE\\QUINTOR\\ORBIS77").ReadString("Tratte\\VALORI INIZIALI", "InitCom", ""), "ROMA");

    ScriviPercorsoPregeo("/srv/pregeo");
    EXPECT_EQ(LeggiPercorsoPregeo(), "/srv/pregeo");
    EXPECT_EQ(registro::TRegIniFile("Software\\Quintor\\ORBIS77\\Tratte").ReadString("VALORI INIZIALI", "PathPregeo752", ""),
              "/srv/pregeo");
    ScriviPercorsoPregeo("");
    EXPECT_EQ(LeggiPercorsoPregeo(), "C:\\Pregeo\\dati");
}

TEST(Configurazione, PathArchiviConESenzaSeparatoreFinale)
{
    CartellaTemporanea cartella;
    registro::TRegIniFile chiave(ChiaveProgramma);
    chiave.WriteString("", "PathArchivi", "/opt/Tratte/");
    const QString conBarra = CartellaDatiDaPathArchivi();
    chiave.WriteString("", "PathArchivi", "/opt/Tratte");
    EXPECT_EQ(CartellaDatiDaPathArchivi(), conBarra);
    EXPECT_EQ(conBarra, "/opt/Tratte/Archivi");
    chiave.WriteString("", "PathArchivi", "C:\\Tratte\\");
    EXPECT_EQ(CartellaDatiDaPathArchivi(), "C:\\Tratte\\Archivi");

    registro::TRegIniFile("\\Software\\QUINTOR\\COMMON\\BORGAL\\")
        .WriteString("Archivi", "FileNameArchivioComuni", "C:\\Tratte\\ArchivioComuni\\KWARCHIVIOCOMUNI.DB");
    EXPECT_EQ(LeggiCartellaArchivioComuni(), "C:/Tratte/ArchivioComuni/");
}

} // namespace
