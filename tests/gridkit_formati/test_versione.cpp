#include "gridkit/tabella/versione.h"

#include <gtest/gtest.h>

using gridkit::TVersioneTabella;

namespace {

// The short string at `posizione`: length byte, characters, zeros to the end
// of a slot of `slot` bytes.
void VerificaCasella(const QByteArray& r, qsizetype posizione, qsizetype slot, const QByteArray& atteso)
{
    SCOPED_TRACE(posizione);
    const qsizetype resto = slot - 1 - atteso.size();
    EXPECT_EQ(static_cast<unsigned char>(r[posizione]), atteso.size());
    EXPECT_EQ(r.mid(posizione + 1, atteso.size()), atteso);
    EXPECT_EQ(r.mid(posizione + 1 + atteso.size(), resto), QByteArray(resto, '\0'));
}

const QDateTime Adesso(QDate(2024, 3, 5), QTime(9, 7, 2));

} // namespace

TEST(VersioneTabella, CreazioneELayoutDei186Byte)
{
    const QByteArray r = TVersioneTabella::PerCreazione(QStringLiteral("2.1"), QString(),
                                                        QString(), Adesso).Bytes();
    ASSERT_EQ(r.size(), 186);
    VerificaCasella(r, 0, 51, "2.1");
    VerificaCasella(r, 51, 51, "Applicazione sconosciuta");
    VerificaCasella(r, 102, 21, "");
    VerificaCasella(r, 123, 21, "");
    VerificaCasella(r, 144, 21, "");
    VerificaCasella(r, 165, 21, "05/03/2024 09:07:02");
    EXPECT_EQ(TVersioneTabella::PerCreazione({}, {}, {}, Adesso).versione,
              QStringLiteral("Versione sconosciuta"));

    // Values are cut to their slot and never spill into the next one.
    TVersioneTabella v = TVersioneTabella::PerCreazione(
        QString(70, u'v'), QString(51, u'a'), QStringLiteral("31/12/1999 23:59:59 ora legale"), Adesso);
    EXPECT_EQ(v.versione, QString(50, u'v'));
    EXPECT_EQ(v.dataCreazione, QStringLiteral("31/12/1999 23:59:59 "));
    v.riservato1 = QString(25, u'1');
    v.riservato2 = QStringLiteral("Sé");
    const QByteArray rp = v.Bytes();
    VerificaCasella(rp, 51, 51, QByteArray(50, 'a'));
    VerificaCasella(rp, 102, 21, QByteArray(20, '1'));
    VerificaCasella(rp, 123, 21, "S\xE9");

    v.Azzera();
    EXPECT_EQ(v.versione, QStringLiteral("Versione Sconosciuta"));
    EXPECT_EQ(v.applicazione, QStringLiteral("Applicazione Sconosciuta"));
    EXPECT_TRUE(v.riservato1.isEmpty() && v.riservato2.isEmpty() && v.dataCreazione.isEmpty());
}

TEST(VersioneTabella, LetturaDeiByte)
{
    TVersioneTabella v = TVersioneTabella::PerCreazione(
        QStringLiteral("Versione è 1"), QStringLiteral("Borgal"), QString(), Adesso);
    v.riservato3 = QStringLiteral("riservato");
    EXPECT_EQ(TVersioneTabella::DaBytes(v.Bytes()), v);
    EXPECT_FALSE(TVersioneTabella::DaBytes(v.Bytes().left(185)).has_value());
    EXPECT_FALSE(TVersioneTabella::DaBytes(v.Bytes() + '\0').has_value());

    // Length bytes beyond their slot stay inside it; bytes after the
    // characters are not part of the value.
    QByteArray r(186, 'k');
    r[0] = char(0xFF);
    r[51] = char(3);
    r[165] = char(200);
    const auto letta = TVersioneTabella::DaBytes(r);
    ASSERT_TRUE(letta.has_value());
    EXPECT_EQ(letta->versione, QString(50, u'k'));
    EXPECT_EQ(letta->applicazione, QStringLiteral("kkk"));
    EXPECT_EQ(letta->dataCreazione, QString(20, u'k'));
}
