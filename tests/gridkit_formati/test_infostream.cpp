#include "gridkit/tabella/bloccononome.h"
#include "gridkit/tabella/infostream.h"

#include <QtEndian>
#include <gtest/gtest.h>

using gridkit::TInfoStream;

namespace {

qint32 Intero(const QByteArray& dati, qsizetype posizione)
{
    return qFromLittleEndian<qint32>(dati.constData() + posizione);
}

QByteArray ConIntero(QByteArray dati, qsizetype posizione, qint32 valore)
{
    qToLittleEndian(valore, dati.data() + posizione);
    return dati;
}

// One 28-byte name block: 4 zero bytes, length, characters, zeros.
void VerificaBlocco(const QByteArray& dati, qsizetype posizione, const QByteArray& nome)
{
    SCOPED_TRACE(nome.toStdString());
    const QByteArray atteso = QByteArray(4, '\0') + char(nome.size()) + nome
                              + QByteArray(23 - nome.size(), '\0');
    EXPECT_EQ(dati.mid(posizione, 28), atteso);
}

QByteArray Salvato(const TInfoStream& contenitore)
{
    QByteArray dati;
    EXPECT_TRUE(contenitore.SaveToStream(dati));
    return dati;
}

} // namespace

TEST(BloccoNome, ScritturaELetturaAncheOstile)
{
    const QByteArray blocco = gridkit::ScriviBloccoNome(QStringLiteral("Nome Campo"));
    ASSERT_EQ(blocco.size(), 28);
    VerificaBlocco(blocco, 0, "Nome Campo");
    VerificaBlocco(gridkit::ScriviBloccoNome(QStringLiteral("Città")), 0, "Citt\xE0");
    const QString lungo = QStringLiteral("Denominazione_Comune_Estero");
    EXPECT_EQ(gridkit::LeggiBloccoNome(gridkit::ScriviBloccoNome(lungo)), lungo.left(20));

    const QByteArray dati = QByteArray("xx") + blocco;
    EXPECT_EQ(gridkit::LeggiBloccoNome(dati, 2), QStringLiteral("Nome Campo"));
    EXPECT_FALSE(gridkit::LeggiBloccoNome(dati, 3).has_value());
    EXPECT_FALSE(gridkit::LeggiBloccoNome(dati, -1).has_value());

    // A hostile length byte never reads past the block.
    QByteArray ostile = blocco + "OLTRE";
    ostile[4] = char(0xFF);
    const auto letto = gridkit::LeggiBloccoNome(ostile);
    ASSERT_TRUE(letto.has_value());
    EXPECT_EQ(*letto, QStringLiteral("Nome Campo") + QString(13, QChar(0)));
}

TEST(InfoStream, AndataERitornoELayout)
{
    TInfoStream vuoto;
    const QByteArray soloTesta = Salvato(vuoto);
    ASSERT_EQ(soloTesta.size(), 32);
    VerificaBlocco(soloTesta, 0, "INFOSTREAM");
    EXPECT_EQ(Intero(soloTesta, 28), 0);

    TInfoStream c;
    const QByteArray binario("\x00\xFF\x01\x80\x00\x00zz", 8);
    ASSERT_TRUE(c.AddEntry(QStringLiteral("versione"), QByteArray("abc")));
    ASSERT_TRUE(c.AddEntry(QStringLiteral("ModField0"), binario));
    const QByteArray dati = Salvato(c);
    ASSERT_EQ(dati.size(), 32 + 2 * 28 + 4 + 3 + 4 + 8);
    VerificaBlocco(dati, 0, "INFOSTREAM");
    EXPECT_EQ(Intero(dati, 28), 2);
    VerificaBlocco(dati, 32, "VERSIONE");
    VerificaBlocco(dati, 60, "MODFIELD0");
    EXPECT_EQ(Intero(dati, 88), 3);
    EXPECT_EQ(dati.mid(92, 3), QByteArray("abc"));
    EXPECT_EQ(Intero(dati, 95), 8);
    EXPECT_EQ(dati.mid(99), binario);

    // Saving over a longer stream leaves none of its old bytes behind.
    QByteArray riusato(5000, 'Z');
    ASSERT_TRUE(c.SaveToStream(riusato));
    EXPECT_EQ(riusato, dati);

    TInfoStream letto;
    ASSERT_TRUE(letto.LoadFromStream(dati + "coda ignorata"));
    EXPECT_TRUE(letto.ErroreCaricamento().isEmpty());
    EXPECT_EQ(letto.Nomi(), QStringList({"VERSIONE", "MODFIELD0"}));
    EXPECT_EQ(letto.GetEntry(QStringLiteral("Versione")), QByteArray("abc"));
    EXPECT_EQ(letto.GetEntry(QStringLiteral(" modfield0 ")), binario);
    EXPECT_EQ(Salvato(letto), dati);
}

TEST(InfoStream, SenzaFirmaOSenzaFlusso)
{
    TInfoStream c;
    QByteArray alterato = Salvato(c);
    alterato[5] = 'X'; // "XNFOSTREAM"
    for (const QByteArray& dati : {alterato, QByteArray(), QByteArray("INFOSTREAM"), QByteArray(100, '\0')}) {
        ASSERT_TRUE(c.AddEntry(QStringLiteral("VECCHIA"), QByteArray("1")));
        EXPECT_FALSE(c.LoadFromStream(dati));
        EXPECT_EQ(c.Count(), 0);
        EXPECT_FALSE(c.ErroreCaricamento().isEmpty());
    }
    // No stream at all: an empty container, and that is no error.
    ASSERT_TRUE(c.AddEntry(QStringLiteral("VECCHIA"), QByteArray("1")));
    EXPECT_TRUE(c.LoadFromStream(std::nullopt));
    EXPECT_EQ(c.Count(), 0);
    EXPECT_TRUE(c.ErroreCaricamento().isEmpty());
}

TEST(InfoStream, FlussiTroncatiEOstiliNonCaricanoNulla)
{
    TInfoStream sorgente;
    ASSERT_TRUE(sorgente.AddEntry(QStringLiteral("VERSIONE"), QByteArray("abcdef")));
    ASSERT_TRUE(sorgente.AddEntry(QStringLiteral("MODFIELD0"), QByteArray("gh")));
    const QByteArray integro = Salvato(sorgente);

    QList<QByteArray> ostili;
    for (qsizetype n = 0; n < integro.size(); ++n)
        ostili.append(integro.left(n));
    const qsizetype prima = 32 + 2 * 28, seconda = prima + 4 + 6;
    for (qint32 conteggio : {-1, 3, 0x7FFFFFFF})
        ostili.append(ConIntero(integro, 28, conteggio));
    // A size that swallows the following entry leaves the stream short.
    for (qint32 dimensione : {-5, 8, 0x7FFFFFFF})
        ostili.append(ConIntero(integro, prima, dimensione));
    for (qint32 dimensione : {3, -2147483647 - 1})
        ostili.append(ConIntero(integro, seconda, dimensione));

    TInfoStream c;
    for (const QByteArray& dati : ostili) {
        ASSERT_TRUE(c.AddEntry(QStringLiteral("VECCHIA"), QByteArray("1")));
        EXPECT_FALSE(c.LoadFromStream(dati)) << dati.toHex().toStdString();
        EXPECT_EQ(c.Count(), 0);
        EXPECT_FALSE(c.ErroreCaricamento().isEmpty());
    }
}

TEST(InfoStream, NomiDiFlussiEstranei)
{
    // Lower case, padded, repeated, empty, 23 characters: they load trimmed
    // and upper-cased, nothing is lost, the first of two equal names wins.
    QByteArray dati = gridkit::ScriviBloccoNome(QStringLiteral("INFOSTREAM"), 10);
    dati.append(QByteArray("\x04\0\0\0", 4));
    for (const char* nome : {" versione ", "VERSIONE", "", "NOME_DI_VENTITRE_CHAR"})
        dati.append(gridkit::ScriviBloccoNome(QString::fromLatin1(nome), 23));
    for (const QByteArray& valore : {QByteArray("1"), QByteArray("2"), QByteArray(), QByteArray("4")})
        dati.append(ConIntero(QByteArray(4, '\0'), 0, valore.size())).append(valore);

    TInfoStream c;
    ASSERT_TRUE(c.LoadFromStream(dati));
    EXPECT_EQ(c.Nomi(), QStringList({"VERSIONE", "VERSIONE", "", "NOME_DI_VENTITRE_CHAR"}));
    EXPECT_EQ(c.GetEntry(QStringLiteral("versione")), QByteArray("1"));

    TInfoStream ricaricato;
    ASSERT_TRUE(ricaricato.LoadFromStream(Salvato(c)));
    EXPECT_EQ(ricaricato.Nomi(), c.Nomi());
    EXPECT_EQ(ricaricato.GetEntry(QStringLiteral("NOME_DI_VENTITRE_CHAR")), QByteArray("4"));
}

TEST(InfoStream, RegoleDiAddEntryEGetEntry)
{
    TInfoStream c;
    const QByteArray dati("dati");
    EXPECT_FALSE(c.AddEntry(QStringLiteral("X"), std::nullopt));
    EXPECT_FALSE(c.AddEntry(QStringLiteral("X"), QByteArray("")));
    // Names that cannot be stored are refused, not silently dropped.
    for (const QString& nome : {QString(), QStringLiteral("   "), QString(21, u'N'), QStringLiteral("Ω")})
        EXPECT_FALSE(c.AddEntry(nome, dati));
    EXPECT_EQ(c.Count(), 0);

    EXPECT_TRUE(c.AddEntry(QStringLiteral("  ") + QString(20, u'n') + u' ', dati));
    EXPECT_TRUE(c.AddEntry(QStringLiteral("città"), QByteArray("1")));
    EXPECT_TRUE(c.AddEntry(QStringLiteral("ßÿµ"), QByteArray("2")));
    EXPECT_EQ(c.Nomi(), QStringList({QString(20, u'N'), QStringLiteral("CITTÀ"), QStringLiteral("ßÿµ")}));

    // Duplicates compare without regard to case and leave the entry as it was.
    EXPECT_FALSE(c.AddEntry(QStringLiteral("Città "), QByteArray("9")));
    EXPECT_EQ(c.GetEntry(QStringLiteral("CITTÀ")), QByteArray("1"));
    EXPECT_EQ(c.GetEntry(QString(20, u'n')), dati);
    EXPECT_EQ(c.Count(), 3);

    for (const QString& nome : {QString(), QStringLiteral("  "), QStringLiteral("IGNOTO")})
        EXPECT_FALSE(c.GetEntry(nome).has_value());

    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_FALSE(c.GetEntry(QStringLiteral("CITTÀ")).has_value());
    EXPECT_TRUE(c.AddEntry(QStringLiteral("CITTÀ"), QByteArray("3")));
}
