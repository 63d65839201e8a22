// The reader of the survey-book format, over bytes, and the labels of the
// points as the component and the program build them.
#include "app/libretto/elaborazionelibretto.h"
#include "libretto.h"

#include <gtest/gtest.h>

using namespace pregeo;

namespace {

TEST(LetturaLibretto, LibroValidoConCommentiSpaziEFineRigaWindows)
{
    const Libretto l = LeggiLibretto("# commento\r\n\r\n LIBRETTO ; 1 \r\nALTRO;qualcosa\r\nELABORATO;SI\r\n"
                                     "PF; h501a ;005;0;007\r\nPF;G999;12;a;17\r\n# ancora\r\nDIST;1;2; 153.204 ;0.012\r\n");
    EXPECT_TRUE(l.Errore.isEmpty()) << l.Errore.toStdString();
    EXPECT_TRUE(l.Valido());
    ASSERT_EQ(l.Punti.size(), 2);
    EXPECT_EQ(l.Punti[0].Comune, "H501A");
    EXPECT_EQ(l.Punti[0].Foglio, "5");
    EXPECT_EQ(l.Punti[0].Allegato, '0');
    EXPECT_EQ(l.Punti[0].Numero, "7");
    EXPECT_EQ(l.Punti[1].Allegato, 'A');
    ASSERT_EQ(l.Distanze.size(), 1);
    EXPECT_EQ(l.Distanze[0].I, 0);
    EXPECT_EQ(l.Distanze[0].J, 1);
    EXPECT_DOUBLE_EQ(l.Distanze[0].Distanza, 153.204);
    EXPECT_DOUBLE_EQ(l.Distanze[0].ScartoQMedio, 0.012);
}

TEST(LetturaLibretto, ValiditaDelLibretto)
{
    EXPECT_FALSE(LeggiLibretto("LIBRETTO;1\nELABORATO;NO\nPF;H501;5;0;1\n").Valido());
    EXPECT_FALSE(LeggiLibretto("LIBRETTO;1\nPF;H501;5;0;1\n").Valido());
    EXPECT_TRUE(LeggiLibretto("LIBRETTO;1\nPF;H501;5;0;1\n").Errore.isEmpty());
    const Libretto altro = LeggiLibretto("# x\nLIBRETTO;2\nELABORATO;SI\n");
    EXPECT_FALSE(altro.Valido());
    EXPECT_EQ(altro.RigaErrore, 2);
    EXPECT_FALSE(LeggiLibretto("ELABORATO;SI\nLIBRETTO;1\n").Valido());
    EXPECT_FALSE(LeggiLibretto("").Valido());
    EXPECT_FALSE(LeggiLibretto("").Errore.isEmpty());
    EXPECT_FALSE(LeggiLibretto(QByteArray("\0\0\xff\n", 4)).Valido());
}

TEST(LetturaLibretto, RigheMalformateNominateConLaLoroRiga)
{
    struct Caso {
        QByteArray testo;
        int riga;
        const char* parola;
    };
    const QByteArray testa = "LIBRETTO;1\nELABORATO;SI\nPF;H501;5;0;1\nPF;H501;5;0;2\n";
    for (const Caso& c : {Caso{testa + "DIST;1;3;10.0;0.01\n", 5, "punto 3"},
                          Caso{testa + "DIST;1;2;10,5;0.01\n", 5, "10,5"},
                          Caso{testa + "DIST;1;2;abc;0.01\n", 5, "abc"},
                          Caso{testa + "DIST;1;2;1e5;0.01\n", 5, "1e5"},
                          Caso{testa + "DIST;1;2;-3;0.01\n", 5, "-3"},
                          Caso{testa + "DIST;1;2;10.0;nan\n", 5, "nan"},
                          Caso{testa + "DIST;1;1;10.0;0.01\n", 5, "se stesso"},
                          Caso{testa + "DIST;0;2;10.0;0.01\n", 5, "\"0\""},
                          Caso{testa + "DIST;1;2;10.0\n", 5, "DIST"},
                          Caso{testa + "PF;H5;5;0;3\n", 5, "H5"},
                          Caso{testa + "PF;H501;1234;0;3\n", 5, "1234"},
                          Caso{testa + "PF;H501;5;AB;3\n", 5, "AB"},
                          Caso{testa + "PF;H501;5;0;x\n", 5, "\"x\""},
                          Caso{"LIBRETTO;1\nELABORATO;FORSE\n", 2, "ELABORATO"},
                          Caso{"LIBRETTO;1\nELABORATO;SI\nDIST;1;2;3.0;0.1\nPF;H501;5;0;1\n", 3, "solo 1 PF"}}) {
        SCOPED_TRACE(c.testo.toStdString());
        const Libretto l = LeggiLibretto(c.testo);
        EXPECT_EQ(l.RigaErrore, c.riga);
        EXPECT_TRUE(l.Errore.startsWith(QStringLiteral("riga %1: ").arg(c.riga))) << l.Errore.toStdString();
        EXPECT_TRUE(l.Errore.contains(QString::fromUtf8(c.parola))) << l.Errore.toStdString();
    }
    // A DIST before the PF lines it names is sound.
    EXPECT_TRUE(LeggiLibretto("LIBRETTO;1\nELABORATO;SI\nDIST;1;2;3.0;0.1\nPF;H501;5;0;1\nPF;H501;5;0;2\n").Errore.isEmpty());
}

TEST(LetturaLibretto, EtichetteDeiPuntiUgualiNelComponenteENelProgramma)
{
    struct Caso {
        const char *comune, *foglio;
        char allegato;
        const char *numero, *etichetta;
    };
    for (const Caso& c : {Caso{"H501", "5", '0', "1", "PF01/0050/H501"}, Caso{"H501", "5", 'B', "12", "PF12/005B/H501"},
                          Caso{"G999B", "12", 'A', "17", "PF17/012A/G999"}, Caso{"G999", "12", '0', "3", "PF03/0120/G999"},
                          Caso{"G999", "123", '0', "123", "PF123/1230/G999"}, Caso{"G999", "123", 'C', "4", "PF04/123C/G999"}}) {
        SCOPED_TRACE(c.etichetta);
        PuntoLibretto p;
        p.Comune = c.comune;
        p.Foglio = c.foglio;
        p.Allegato = c.allegato;
        p.Numero = c.numero;
        EXPECT_EQ(EtichettaPunto(p), c.etichetta);
        const QString allegato = c.allegato == '0' ? QString() : QString(QChar(c.allegato));
        EXPECT_EQ(tratte::TElaborazioneLibretto::EtichettaPF(QByteArray(c.numero).toInt(), QByteArray(c.foglio).toInt(), allegato,
                                                            QString::fromLatin1(c.comune).left(4)),
                  QString::fromLatin1(c.etichetta));
    }
}

TEST(LetturaLibretto, EsitiDiTolleranzaNeiLoroCampi)
{
    using tratte::TElaborazioneLibretto;
    // The fixed value of the urban zone from 300 m: out of it, 22 characters.
    const QString fuori = TElaborazioneLibretto::EsitoTolleranza(0.5, 400, 0);
    EXPECT_EQ(fuori, "FUORI TOLLERANZA 0.450");
    EXPECT_EQ(fuori.size(), 22);
    // Below 300 m the proportional value, 0.0013 x 200 + 0.05.
    EXPECT_EQ(TElaborazioneLibretto::EsitoTolleranza(0.1, 200, 0), "IN TOLLERANZA 0.310");
    EXPECT_EQ(TElaborazioneLibretto::EsitoTolleranza(0.4, 200, 1), "FUORI TOLLERANZA 0.370");
    EXPECT_EQ(TElaborazioneLibretto::EsitoTolleranza(0.4, 200, 2), "IN TOLLERANZA 0.500");
    // The largest tolerance text still fits.
    EXPECT_LE(TElaborazioneLibretto::EsitoTolleranza(9, 299.999, 2).size(), 22);
}

} // namespace

namespace {

// Books damaged at random, byte by byte: each is read or refused, and a
// refusal always names a line of the text.
TEST(LetturaLibretto, LibriGuastiSenzaCrolli)
{
    const QByteArray sano = "# prova\nLIBRETTO;1\nELABORATO;SI\nPF;H501A;5;0;1\nPF;G999;12;B;17\nDIST;1;2;153.204;0.012\nDIST;2;1;1.5;0.1\n";
    std::uint32_t stato = 12345;
    auto caso = [&stato] {
        stato = stato * 1664525u + 1013904223u;
        return stato >> 8;
    };
    for (int prova = 0; prova < 5000; ++prova) {
        QByteArray testo = sano;
        const int guasti = 1 + int(caso() % 4);
        for (int g = 0; g < guasti; ++g) {
            const int posizione = int(caso() % std::uint32_t(testo.size()));
            switch (caso() % 3) {
            case 0: testo[posizione] = char(caso() & 0xff); break;
            case 1: testo.remove(posizione, 1 + int(caso() % 6)); break;
            default: testo.insert(posizione, ";;\n9"[caso() % 4]); break;
            }
        }
        const Libretto l = LeggiLibretto(testo);
        if (!l.Errore.isEmpty()) {
            EXPECT_GE(l.RigaErrore, 1);
            EXPECT_LE(l.RigaErrore, testo.count('\n') + 1);
        } else if (l.Valido()) {
            for (const DistanzaLibretto& d : l.Distanze) {
                EXPECT_LT(d.I, l.Punti.size());
                EXPECT_LT(d.J, l.Punti.size());
            }
        }
    }
}

} // namespace
