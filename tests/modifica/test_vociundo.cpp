// The byte formats of the undo journal's entries.
#include "gridkit/modifica/vociundo.h"

#include <gtest/gtest.h>

using namespace gridkit;

TEST(VociUndo, IstantaneaByteperByte)
{
    const QByteArray dati = ScriviIstantanea({{"ID_001_TABLE", "7"}, {"Nome", ""}, {"Città", "Forlì"}});
    QByteArray atteso;
    atteso += QByteArray("\x0d\0\0\0", 4) + QByteArray("ID_001_TABLE\0", 13);
    atteso += QByteArray("\x02\0\0\0", 4) + QByteArray("7\0", 2);
    atteso += QByteArray("\x05\0\0\0", 4) + QByteArray("Nome\0", 5);
    atteso += QByteArray("\x01\0\0\0", 4) + QByteArray("\0", 1);
    // Lengths count bytes of UTF-8, the zero included.
    atteso += QByteArray("\x07\0\0\0", 4) + QByteArray("Citt\xc3\xa0\0", 7);
    atteso += QByteArray("\x07\0\0\0", 4) + QByteArray("Forl\xc3\xac\0", 7);
    atteso += QByteArray("\0\0\0\0", 4);
    EXPECT_EQ(dati, atteso);

    const auto letto = LeggiIstantanea(dati);
    ASSERT_TRUE(letto);
    EXPECT_EQ(*letto, (QList<CoppiaIstantanea>{{"ID_001_TABLE", "7"}, {"Nome", ""}, {"Città", "Forlì"}}));
    EXPECT_EQ(LeggiIstantanea(ScriviIstantanea({})), QList<CoppiaIstantanea>());

    // Cut short, without its terminator, or a zero missing: not a snapshot.
    EXPECT_FALSE(LeggiIstantanea(dati.left(dati.size() - 4)));
    EXPECT_FALSE(LeggiIstantanea(dati.left(10)));
    QByteArray senzaZero = dati;
    senzaZero[4 + 12] = 'X';
    EXPECT_FALSE(LeggiIstantanea(senzaZero));
    EXPECT_FALSE(LeggiIstantanea(QByteArray()));
}

TEST(VociUndo, OrdineByteperByte)
{
    EXPECT_EQ(ScriviOrdine("ComunePF1", "DOWN"), QByteArray("\x09\0\0\0" "ComunePF1" "\x04\0\0\0" "DOWN", 21));
    // An empty field is written as one space.
    EXPECT_EQ(ScriviOrdine("", "UP"), QByteArray("\x01\0\0\0 \x02\0\0\0UP", 11));
    const auto letto = LeggiOrdine(ScriviOrdine("", "UP"));
    ASSERT_TRUE(letto);
    EXPECT_EQ(letto->first, " ");
    EXPECT_EQ(letto->second, "UP");
    EXPECT_FALSE(LeggiOrdine(QByteArray("\x09\0\0\0" "Comune", 10)));
}
