#include "gridkit/griglia/layoutgriglia.h"
#include "registro/registro.h"
#include "supporto/cartella_temporanea.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace gridkit;

namespace {

QByteArray Byte(qsizetype quanti)
{
    QByteArray b;
    for (qsizetype i = 0; i < quanti; ++i)
        b.append(static_cast<char>(i * 37 + 11));
    return b;
}

QList<DescrizioneColonna> Colonne()
{
    return {{QStringLiteral("DISTANZA"), QStringLiteral("Distanza «misurata» \"m\" l'ultima è già"), 120, true,
             0x82},
            {QStringLiteral("PF_1"), QString(), 0, false, 0},
            {QStringLiteral("NOTE"), QStringLiteral("Città ✓ 𝄞"), 64, true, 4}};
}

QString Valore(const QString& chiave, const QString& nome)
{
    registro::TRegistry r;
    return r.OpenKeyReadOnly(chiave) && r.ValueExists(nome) ? r.ReadString(nome) : QStringLiteral("<manca>");
}

void ScriviValori(const QString& chiave, const QStringList& valori)
{
    registro::TRegistry r;
    r.OpenKey(chiave, true);
    for (qsizetype i = 0; i < valori.size(); ++i)
        r.WriteString(NomePezzo(i), valori[i]);
}

QByteArray Contenuto(const QString& percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<manca>");
}

void Crea(const QString& percorso, const QByteArray& contenuto)
{
    QFile f(percorso);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenuto);
}

const QString Chiave = QStringLiteral("\\Software\\Ditta\\Tratte\\Griglia");

} // namespace

TEST(FlussoLayout, AndataERitorno)
{
    EXPECT_EQ(DeserializzaLayout(SerializzaLayout(Colonne())), Colonne());
    EXPECT_EQ(DeserializzaLayout(SerializzaLayout({})), QList<DescrizioneColonna>());

    QList<DescrizioneColonna> molte;
    for (int i = 0; i < 400; ++i)
        molte.append({QStringLiteral("CAMPO%1").arg(i), QString(i % 7, u'è'), i * 3, i % 2 == 0, i});
    const QByteArray flusso = SerializzaLayout(molte);
    EXPECT_EQ(DeserializzaLayout(flusso), molte);
    EXPECT_EQ(DeserializzaLayout(*DaPezziEsadecimali(PezziEsadecimali(flusso))), molte);
}

TEST(FlussoLayout, FlussiTroncatiOEstraneiNonSiLeggono)
{
    const QByteArray buono = SerializzaLayout(Colonne());
    for (qsizetype n = 0; n < buono.size(); ++n)
        EXPECT_EQ(DeserializzaLayout(buono.left(n)), std::nullopt) << n;
    EXPECT_EQ(DeserializzaLayout(buono + '\0'), std::nullopt);

    auto conByte = [&](qsizetype posizione, char valore) {
        QByteArray b = buono;
        b[posizione] = valore;
        return DeserializzaLayout(b);
    };
    EXPECT_EQ(conByte(0, 'X'), std::nullopt); // signature
    EXPECT_EQ(conByte(4, 2), std::nullopt);   // a later version
    // A count far beyond the bytes present is refused, not allocated.
    QByteArray enorme = buono;
    enorme.replace(6, 4, QByteArray(4, '\xFF'));
    EXPECT_EQ(DeserializzaLayout(enorme), std::nullopt);

    // Texts that are not UTF-8 and a visibility that is neither 0 nor 1.
    const QByteArray una = SerializzaLayout({{QStringLiteral("AB"), QString(), 10, true, 0}});
    QByteArray latin1 = una;
    latin1[14] = '\xE9';
    EXPECT_EQ(DeserializzaLayout(latin1), std::nullopt);
    QByteArray visibile = una;
    visibile[una.size() - 5] = 2;
    EXPECT_EQ(DeserializzaLayout(visibile), std::nullopt);
    EXPECT_TRUE(DeserializzaLayout(una));
}

TEST(CorniceEsadecimale, PezziDi64Caratteri)
{
    const QByteArray flusso = Byte(70);
    const QStringList pezzi = PezziEsadecimali(flusso);
    ASSERT_EQ(pezzi.size(), 3);
    EXPECT_EQ(pezzi[0].size(), 64);
    EXPECT_EQ(pezzi[1].size(), 64);
    EXPECT_EQ(pezzi[2].size(), 12);
    EXPECT_EQ(pezzi.join(QString()), QString::fromLatin1(flusso.toHex().toUpper()));
    EXPECT_EQ(DaPezziEsadecimali(pezzi), flusso);
    EXPECT_EQ(PezziEsadecimali({}), QStringList());

    // The short piece ends the stream; what follows is not read.
    EXPECT_EQ(DaPezziEsadecimali(pezzi + QStringList{QStringLiteral("ZZ")}), flusso);
    EXPECT_EQ(DaPezziEsadecimali({pezzi[0].toLower(), QStringLiteral("0a")}), flusso.left(32) + '\n');
    EXPECT_EQ(DaPezziEsadecimali({pezzi[0], QStringLiteral("ABC")}), std::nullopt);
    EXPECT_EQ(DaPezziEsadecimali({pezzi[0], QStringLiteral("A G0")}), std::nullopt);
    EXPECT_EQ(DaPezziEsadecimali({QStringLiteral("0x")}), std::nullopt);

    // A store always ends with a short piece, empty when the last one is full.
    EXPECT_EQ(PezziDaScrivere(Byte(32)), (QStringList{PezziEsadecimali(Byte(32))[0], QString()}));
    EXPECT_EQ(PezziDaScrivere({}), QStringList{QString()});
    EXPECT_EQ(PezziDaScrivere(flusso), pezzi);
}

TEST(ArchivioRegistro, PezziHexELetturaFinoAlPezzoCorto)
{
    CartellaTemporanea cartella;
    ArchivioLayoutRegistro archivio(QStringLiteral("Software\\Ditta\\Tratte"), QStringLiteral("Griglia"));
    EXPECT_EQ(archivio.Leggi(), QByteArray());

    ScriviValori(Chiave, {{}, {}, {}, QStringLiteral("FFFF")}); // a stale HEX4
    archivio.Scrivi(Byte(70));
    EXPECT_EQ(Valore(Chiave, "HEX1").size(), 64);
    EXPECT_EQ(Valore(Chiave, "HEX2").size(), 64);
    EXPECT_EQ(Valore(Chiave, "HEX3"), PezziEsadecimali(Byte(70))[2]);
    EXPECT_EQ(Valore(Chiave, "HEX4"), QStringLiteral("FFFF"));
    EXPECT_EQ(archivio.Leggi(), Byte(70));

    // Key paths are case-blind and a leading backslash is ignored.
    EXPECT_EQ(ArchivioLayoutRegistro("\\SOFTWARE\\ditta\\tratte", "GRIGLIA").Leggi(), Byte(70));

    // A stream of whole pieces, as another writer may leave it, is read
    // until the first missing value.
    const QStringList pieni = PezziEsadecimali(Byte(64));
    registro::TRegistry().DeleteKey(Chiave);
    ScriviValori(Chiave, pieni);
    EXPECT_EQ(archivio.Leggi(), Byte(64));

    ScriviValori(Chiave, {QStringLiteral("00"), QStringLiteral("nonhex")});
    EXPECT_EQ(archivio.Leggi(), QByteArray(1, '\0'));
    ScriviValori(Chiave, {pieni[0], QStringLiteral("nonhex")});
    EXPECT_EQ(archivio.Leggi(), std::nullopt);
}

TEST(ArchivioRegistro, UnLayoutPiuLungoRimastoNonGuastaLaLettura)
{
    CartellaTemporanea cartella;
    ArchivioLayoutRegistro archivio(QStringLiteral("Software\\Ditta\\Tratte"), QStringLiteral("Griglia"));
    archivio.Scrivi(Byte(100)); // HEX1..HEX3 full, HEX4 of 8 characters
    const QString vecchioHex4 = Valore(Chiave, "HEX4");
    ASSERT_EQ(vecchioHex4.size(), 8);

    archivio.Scrivi(Byte(40));
    EXPECT_EQ(Valore(Chiave, "HEX3").size(), 64); // left as it was
    EXPECT_EQ(archivio.Leggi(), Byte(40));

    // A new stream of whole pieces is closed by an empty value, so the
    // stale ones after it are not read as part of it.
    archivio.Scrivi(Byte(64));
    EXPECT_EQ(Valore(Chiave, "HEX3"), QString());
    EXPECT_EQ(Valore(Chiave, "HEX4"), vecchioHex4);
    EXPECT_EQ(archivio.Leggi(), Byte(64));
    EXPECT_EQ(DeserializzaLayout(*archivio.Leggi()), std::nullopt);

    archivio.Scrivi(SerializzaLayout(Colonne()));
    EXPECT_EQ(DeserializzaLayout(*archivio.Leggi()), Colonne());
}

TEST(ArchivioRegistro, CancellaEliminaSoloLaChiave)
{
    CartellaTemporanea cartella;
    ScriviValori(QStringLiteral("\\Software\\Ditta\\Tratte\\Altra"), {QStringLiteral("AA")});
    ArchivioLayoutRegistro archivio(QStringLiteral("Software\\Ditta\\Tratte"), QStringLiteral("Griglia"));
    archivio.Scrivi(Byte(10));
    ArchivioLayoutRegistro(QStringLiteral("software\\ditta\\tratte"), QStringLiteral("griglia")).Cancella();

    registro::TRegistry r;
    EXPECT_FALSE(r.KeyExists(Chiave));
    EXPECT_TRUE(r.KeyExists(QStringLiteral("\\Software\\Ditta\\Tratte\\Altra")));
    EXPECT_EQ(archivio.Leggi(), QByteArray());

    // Without a key name the path itself is not erased.
    ArchivioLayoutRegistro(QStringLiteral("Software\\Ditta\\Tratte"), QStringLiteral("\\")).Cancella();
    EXPECT_TRUE(r.KeyExists(QStringLiteral("\\Software\\Ditta\\Tratte\\Altra")));
}

TEST(ArchivioIni, TieneLeRigheAltruiETrovaLaSezioneSenzaMaiuscole)
{
    CartellaTemporanea cartella;
    const QString percorso = cartella.file("tratte.ini");
    const QByteArray prima = "\xEF\xBB\xBF[Generale]\r\n"
                             "; commento = non una voce\r\n"
                             "Lingua = it\r\n"
                             "\r\n"
                             "[ griglia ]\r\n"
                             "hex1=FFFF\r\n"
                             "Colore=rosso\r\n"
                             "\r\n"
                             "[Stampa]\r\n"
                             "HEX1=00\r\n";
    Crea(percorso, prima);
    ArchivioLayoutIni archivio(percorso, QStringLiteral("GRIGLIA"));
    ASSERT_TRUE(archivio.Esiste());
    EXPECT_EQ(archivio.Leggi(), QByteArray::fromHex("FFFF"));

    archivio.Scrivi(Byte(70));
    const QStringList pezzi = PezziEsadecimali(Byte(70));
    const QByteArray atteso = "\xEF\xBB\xBF[Generale]\r\n"
                              "; commento = non una voce\r\n"
                              "Lingua = it\r\n"
                              "\r\n"
                              "[ griglia ]\r\n"
                              "HEX1=" + pezzi[0].toLatin1() + "\r\n"
                              "Colore=rosso\r\n"
                              "HEX2=" + pezzi[1].toLatin1() + "\r\n"
                              "HEX3=" + pezzi[2].toLatin1() + "\r\n"
                              "\r\n"
                              "[Stampa]\r\n"
                              "HEX1=00\r\n";
    EXPECT_EQ(Contenuto(percorso), atteso);
    EXPECT_EQ(archivio.Leggi(), Byte(70));
    EXPECT_EQ(ArchivioLayoutIni(percorso, QStringLiteral("Stampa")).Leggi(), QByteArray(1, '\0'));

    // A section that is missing is added at the end; the file's own bytes
    // (here Latin-1, no final line break) stay as they were.
    Crea(percorso, "[Citt\xE0]\nX=\xE8");
    ArchivioLayoutIni nuova(percorso, QStringLiteral("CITTÀ 2"));
    EXPECT_EQ(nuova.Leggi(), QByteArray());
    nuova.Scrivi(SerializzaLayout(Colonne()));
    EXPECT_TRUE(Contenuto(percorso).startsWith("[Citt\xE0]\nX=\xE8\n\n[CITT\xC0 2]\nHEX1="));
    EXPECT_EQ(DeserializzaLayout(*nuova.Leggi()), Colonne());
    EXPECT_EQ(ArchivioLayoutIni(percorso, QStringLiteral("città")).Leggi(), QByteArray());

    Crea(percorso, "[Griglia]\nHEX1=" + QByteArray(64, 'A') + "\nHEX2=0G\n");
    EXPECT_EQ(archivio.Leggi(), std::nullopt);
}

TEST(ArchivioIni, FileMancanteONomeNonValido)
{
    CartellaTemporanea cartella;
    const QString percorso = cartella.file("manca.ini");
    ArchivioLayoutIni archivio(percorso, QStringLiteral("Griglia"));
    EXPECT_FALSE(archivio.Esiste());
    EXPECT_FALSE(ArchivioLayoutIni(cartella.percorso(), QStringLiteral("Griglia")).Esiste());
    EXPECT_EQ(archivio.Leggi(), QByteArray());
    try {
        archivio.Scrivi(Byte(4));
        FAIL() << "scritto in un file mancante";
    } catch (const ErroreLayoutIni& e) {
        EXPECT_EQ(e.messaggio(), percorso + QStringLiteral("--File di inizializzazione inesistente."));
    }
    EXPECT_FALSE(QFile::exists(percorso));

    Crea(percorso, "[A]\n");
    EXPECT_THROW(ArchivioLayoutIni(percorso, QStringLiteral("B]\n[A")).Scrivi(Byte(4)), ErroreLayoutIni);
    EXPECT_EQ(Contenuto(percorso), "[A]\n");

    // An empty file receives the section.
    Crea(percorso, "");
    archivio.Scrivi({});
    EXPECT_EQ(Contenuto(percorso), "[Griglia]\nHEX1=\n");
    EXPECT_EQ(archivio.Leggi(), QByteArray());
}
