// The clipboard file: its exact text, where the registry keeps it, reading
// a file of another run, what it refuses, and what fits where.
#include "gridkit/modifica/clipfile.h"
#include "gridkit/modifica/undotable.h"
#include "registro/tregistry.h"
#include "supporto_modifica.h"
#include "tabelle/campo.h"
#include "tabelle/tabella.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

using namespace gridkit;

namespace {

const QString Chiave = "\\Software\\Quintor\\Common\\Clipboard\\CF_QUERY\\FileClip";

class ClipFileTest : public ProvaModifica {
protected:
    QString PercorsoRegistrato(const QString& chiave = Chiave) const
    {
        registro::TRegistry r;
        return r.OpenKey(chiave, false) ? r.ReadString("Path") : QString();
    }
    void Registra(const QString& percorso) const
    {
        registro::TRegistry r;
        r.OpenKey(Chiave, true);
        r.WriteString("Path", percorso);
    }
    static QByteArray Leggi(const QString& percorso)
    {
        QFile f(percorso);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void Scrivi(const QString& percorso, const QByteArray& testo)
    {
        QFile f(percorso);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(testo);
    }
    // A table of the archive's fields, with sizes as given, empty, and a grid on it.
    void CreaTabella(const QString& nome, const QStringList& campi)
    {
        TNewTable t(nullptr, &sessione);
        t.DatabaseName = cartella.percorso();
        t.SetTableName(nome);
        t.SvuotaCampiSistema();
        t.SvuotaCampiUtente();
        t.CreaTabella(campi);
    }
    void CollegaDestinazione(const QString& nome)
    {
        destinazione = std::make_unique<TNewTable>(nullptr, &sessione);
        destinazione->DatabaseName = cartella.percorso();
        destinazione->SetTableName(nome);
        destinazione->Riapri();
        sorgenteDestinazione.SetDataSet(destinazione.get());
        grigliaDestinazione = std::make_unique<TNewDBGrid>();
        grigliaDestinazione->SetDataSource(&sorgenteDestinazione);
    }
    std::unique_ptr<TNewTable> destinazione;
    tabelle::TDataSource sorgenteDestinazione;
    std::unique_ptr<TNewDBGrid> grigliaDestinazione;
};

const QStringList CampiTratte{"ComunePF1,4", "PF1,I", "Distanza,N,12", "Flag,B", "Protocollo,13"};

TEST_F(ClipFileTest, CopiaDiUnaRigaEIncollaInUnaTabellaUguale)
{
    Collega(3);
    EXPECT_FALSE(griglia->IsIncolla());
    tabella->SetRecNo(2);
    griglia->Copia();

    // The file: in the temporary folder, named by the system with "CF_", in the registry.
    const QString percorso = PercorsoRegistrato();
    EXPECT_EQ(QFileInfo(percorso).absolutePath(), QFileInfo(temporanea).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(percorso).fileName().startsWith("CF_"));
    const QByteArray testo = Leggi(percorso);
    EXPECT_TRUE(testo.endsWith("\t\r\n"));
    const QList<QByteArray> righe = testo.chopped(1).split('\n');
    for (const QByteArray& r : righe)
        EXPECT_TRUE(r.endsWith('\r')) << r.toStdString();
    QList<QByteArray> attese{"NOMETABELLA=QUERYSQL", "", "[FIELDSINFO]"};
    // Every field but the blob Info, in field order, with its type code.
    const QList<QPair<QString, int>> descritti{{"ID_001_TABLE", 14}, {"ComunePF1", 1}, {"PF1", 3}, {"Distanza", 6},
                                                {"Flag", 5}, {"Protocollo", 1}, {"SysField", 2}, {"CodOp", 1}};
    for (const auto& [nome, codice] : descritti) {
        const tabelle::TField* f = tabella->FieldByName(nome);
        attese << QByteArray::number(codice);
        attese << DescrizioneCampo{f->DataType(), nome, nome, f->Size(), false}.Serializza().toHex().toUpper();
    }
    attese << "" << "NUMERORECORDS=1" << "" << "DATA=" + QDate::currentDate().toString("dd/MM/yyyy").toUtf8() << "" << "[DATI]";
    attese << "3\tC002\t2\t11.5\tTrue\tPR00000000001\t\t\t";
    ASSERT_EQ(righe.size(), attese.size());
    for (int i = 0; i < righe.size(); ++i)
        EXPECT_EQ(righe[i].chopped(1), attese[i]) << i;
    EXPECT_TRUE(griglia->IsIncolla());

    // Pasted into a grid on a table of identical structure: a new row, its own ID.
    CreaTabella("Copia.db", CampiTratte);
    CollegaDestinazione("Copia.db");
    grigliaDestinazione->Incolla();
    ASSERT_EQ(destinazione->RecordCount(), 1);
    EXPECT_EQ(destinazione->FieldByName("ID_001_TABLE")->AsInteger(), 2);
    for (const char* nome : {"ComunePF1", "PF1", "Distanza", "Flag", "Protocollo"})
        EXPECT_EQ(destinazione->FieldByName(nome)->AsString(), tabella->FieldByName(nome)->AsString()) << nome;
    EXPECT_EQ(grigliaDestinazione->Giornale()->RecordCount(), 1);
    // The clipboard is still there to be pasted again.
    grigliaDestinazione->Incolla();
    EXPECT_EQ(destinazione->RecordCount(), 2);
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();

    // A clipboard whose field sizes differ is passed over without a word.
    CreaTabella("Altra.db", {"ComunePF1,5", "PF1,I", "Distanza,N,12", "Flag,B", "Protocollo,13"});
    CollegaDestinazione("Altra.db");
    grigliaDestinazione->Incolla();
    EXPECT_EQ(destinazione->RecordCount(), 0);
    EXPECT_EQ(RigheMemorizzate("Altra.db"), 1);
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();
}

TEST_F(ClipFileTest, UnFileScrittoDaUnAltraEsecuzione)
{
    CreaTratte(0);
    const auto esadecimale = [](const char* nome, int dimensione) {
        return QString("NAME=%1\nCOMPONENT=%1\nSIZE=%2\nREQUIRED=0").arg(nome).arg(dimensione).toUtf8().toHex().toUpper();
    };
    // Type code 15 (a blob) is not read: the list of fields ends there.
    const QByteArray testo = "NOMETABELLA=Tratte.db\r\n\r\n[FIELDSINFO]\r\n1\r\n" + esadecimale("ComunePF1", 4) + "\r\n3\r\n"
                             + esadecimale("PF1", 0) + "\r\n15\r\n" + esadecimale("Info", 0) + "\r\n1\r\n" + esadecimale("Protocollo", 13)
                             + "\r\n\r\nNUMERORECORDS=3\r\n\r\nDATA=01/02/2026\r\n\r\n[DATI]\r\n"
                             + "C\xc3\x89""1\t4\tx\tP1\t\r\n\t7\t\t\t\r\nC3\t9\t\t\t\r\n";
    const QString percorso = cartella.file("appunti.txt");
    Scrivi(percorso, testo);
    Registra(percorso);

    TClipFile appunti;
    appunti.Apri(FormatoQuery);
    EXPECT_EQ(appunti.Percorso(), percorso);
    EXPECT_EQ(appunti.NumeroRecords(), 3);
    EXPECT_EQ(appunti.NomeTabella(), "Tratte.db");
    ASSERT_EQ(appunti.Campi().size(), 2);
    EXPECT_EQ(appunti.Campi()[0].nome, "ComunePF1");
    EXPECT_EQ(appunti.Campi()[0].dimensione, 4);
    EXPECT_EQ(appunti.Campi()[1].tipo, tabelle::TFieldType::ftInteger);

    tabelle::TTable piana(nullptr, &sessione);
    piana.DatabaseName = cartella.percorso();
    piana.TableName = "Tratte.db";
    piana.IndexFieldNames = "ID_001_TABLE";
    ASSERT_TRUE(appunti.Compatibile(piana));
    QList<int> scritte;
    appunti.OnRigaIncollata = [&](tabelle::TTable&, int n) { scritte << n; };
    appunti.Incolla(piana);
    EXPECT_EQ(scritte, QList<int>({1, 2, 3}));
    ASSERT_EQ(piana.RecordCount(), 4);
    piana.SetRecNo(2);
    EXPECT_EQ(piana.FieldByName("ComunePF1")->AsString(), "CÉ1");
    EXPECT_EQ(piana.FieldByName("PF1")->AsInteger(), 4);
    // An empty piece is an empty field: the next ones keep their places.
    piana.SetRecNo(3);
    EXPECT_TRUE(piana.FieldByName("ComunePF1")->IsNull());
    EXPECT_EQ(piana.FieldByName("PF1")->AsInteger(), 7);
    // The content can be pasted again.
    EXPECT_EQ(appunti.NumeroRecords(), 3);
    EXPECT_TRUE(appunti.Aperto());

    // A table whose field is of another type does not fit.
    CreaTabella("Testi.db", {"ComunePF1,4", "PF1,6"});
    tabelle::TTable testi(nullptr, &sessione);
    testi.DatabaseName = cartella.percorso();
    testi.TableName = "Testi.db";
    EXPECT_FALSE(appunti.Compatibile(testi));
    // Nor one that lacks a field.
    CreaTabella("Corta.db", {"ComunePF1,4"});
    tabelle::TTable corta(nullptr, &sessione);
    corta.DatabaseName = cartella.percorso();
    corta.TableName = "Corta.db";
    EXPECT_FALSE(appunti.Compatibile(corta));
}

TEST_F(ClipFileTest, FormatoSconosciutoFileMancanteEAppuntiVuoti)
{
    const QString estraneo = cartella.file("estraneo.txt");
    Scrivi(estraneo, "[DATI]\r\nqualcosa\t\r\n");
    Registra(estraneo);
    {
        TClipFile appunti;
        appunti.Apri(FormatoQuery);
        EXPECT_EQ(Testi(), QStringList{"Formato ClipFile non riconosciuto."});
        EXPECT_FALSE(appunti.Aperto());
        EXPECT_EQ(appunti.NumeroRecords(), 0);
    }

    // A registered file that is gone: a new empty clipboard in the temporary folder.
    Registra(cartella.file("sparito.txt"));
    QString nuovo;
    {
        TClipFile appunti;
        appunti.Apri(FormatoQuery);
        nuovo = appunti.Percorso();
        EXPECT_TRUE(appunti.Aperto());
    }
    EXPECT_NE(nuovo, cartella.file("sparito.txt"));
    EXPECT_EQ(PercorsoRegistrato(), nuovo);
    EXPECT_TRUE(QFileInfo(nuovo).fileName().startsWith("CF_"));
    EXPECT_EQ(QFileInfo(nuovo).size(), 0);
    // Opened again while still empty: an empty clipboard, no message.
    TClipFile appunti;
    appunti.Apri(FormatoQuery);
    EXPECT_EQ(appunti.Percorso(), nuovo);
    EXPECT_EQ(appunti.NumeroRecords(), 0);
    EXPECT_EQ(Testi().size(), 1);

    // Copying a plain table names it; a tab inside a text cannot split the record.
    CreaTratte(2);
    tabelle::TTable piana(nullptr, &sessione);
    piana.DatabaseName = cartella.percorso();
    piana.TableName = "Tratte.db";
    piana.Open();
    piana.SetRecNo(2);
    piana.Edit();
    piana.FieldByName("Protocollo")->SetAsString("A\tB");
    piana.Post();
    const QList<int> righe{2, 1};
    appunti.CopiaSelezione(&righe, piana);
    EXPECT_EQ(appunti.NumeroRecords(), 2);
    const QByteArray testo = Leggi(nuovo);
    EXPECT_TRUE(testo.startsWith("NOMETABELLA=Tratte.db\r\n"));
    const QList<QByteArray> dati = testo.mid(testo.indexOf("[DATI]\r\n") + 8).split('\n');
    ASSERT_EQ(dati.size(), 3);
    EXPECT_TRUE(dati[0].startsWith("3\t")) << dati[0].toStdString();
    EXPECT_TRUE(dati[1].startsWith("2\t")) << dati[1].toStdString();
    EXPECT_TRUE(dati[1].contains("\tA B\t")) << dati[1].toStdString();
}

TEST_F(ClipFileTest, LaDirectoryHaIlSuoCliboard)
{
    EXPECT_EQ(ChiaveClipboard("CF_QUERY"), Chiave);
    ImpostaSedeLibreria(SedeLibreria::Directory);
    const auto ripristina = qScopeGuard([] { ImpostaSedeLibreria(SedeLibreria::Programma); });
    EXPECT_EQ(ChiaveClipboard("CF_QUERY"), "\\Quintor\\Clipboard\\CF_QUERY\\FileClip");
    TClipFile appunti;
    appunti.Apri(FormatoQuery);
    EXPECT_EQ(PercorsoRegistrato("\\Quintor\\Clipboard\\CF_QUERY\\FileClip"), appunti.Percorso());
    EXPECT_TRUE(PercorsoRegistrato().isEmpty());
}

} // namespace
