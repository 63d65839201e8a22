// The survey-book search without windows, on a temporary installation with
// the real directory and survey-book manager: points kept, the pair
// search, the results written; and tratte-cli libretti and libretto.
#include "app/libretto/elaborazionelibretto.h"
#include "app/libretto/tzrtrattelbp.h"
#include "componenti/creazione.h"
#include "directory/interfacce.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "supporto_libretto.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace tratte;

namespace {

const PuntoFiduciale A{"H501", "", 5, "", 1};
const PuntoFiduciale B{"H501", "", 5, "", 2};
const PuntoFiduciale C{"H501", "A", 12, "B", 3};
const PuntoFiduciale X{"H501", "", 7, "", 9};

const QByteArray Testa = "LIBRETTO;1\nELABORATO;SI\n";

struct Riga {
    QVariant attuale, archivio, differenza;
    QString urbane, extraurbane, sfavorevoli, coppia, protocollo;
    QVariant sqm;
};

class ElaborazioneTest : public ::testing::Test {
protected:
    prova::InstallazioneLibretto inst;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    TArchivioDati archivio{inst.programma};
    gridkit::TNewTable risultati, tratte;
    componenti::ComPtr<borgal::IBorgal> directory;
    QStringList valori;
    std::unique_ptr<TElaborazioneLibretto> e;

    void Prepara()
    {
        archivio.Prepara();
        risultati.DatabaseName = TZRTratteLbp::PercorsoArchivi();
        risultati.SetTableName("TratteLibretto");
        risultati.ReadOnly = true;
        tratte.DatabaseName = archivio.CartellaDati();
        tratte.SetTableName("Tratte.db");
        tratte.ReadOnly = true;
        ASSERT_TRUE(TElaborazioneLibretto::CartellePronte(risultati, tratte));
        TElaborazioneLibretto::AzzeraRisultati(risultati, tratte);
        directory = componenti::CreateComObject<borgal::IBorgal>(borgal::CLSID_Borgal, borgal::IID_IBorgal);
        e = std::make_unique<TElaborazioneLibretto>(risultati, tratte, [this](const QString& testo, DatiComune& v) {
            return RisolviConDirectory(*directory.Get(), valori, testo, v);
        });
    }

    QList<Riga> Righe()
    {
        QList<Riga> righe;
        for (int r = 0; r < risultati.RecordCount(); ++r) {
            auto v = [&](const char* campo) { return risultati.ValoreRiga(r, risultati.FieldByName(campo)->Index()); };
            righe.append({v("TrattaAttuale"), v("TrattaInArchivio"), v("Differenza"), v("Urbane").toString(), v("Extraurbane").toString(),
                          v("Sfavorevoli").toString(), v("CoppiaPF").toString(), v("Protocollo").toString(), v("ScartoQMedio")});
        }
        return righe;
    }
};

TEST_F(ElaborazioneTest, RisultatiConEntrambiGliEsitiEIlProtocolloComeInArchivio)
{
    inst.Carica({{"RM", "ROMA"}}, {{A, B, 100}, {C, A, 200}, {B, C, 150}, {A, X, 90}});
    // Protocols as the official ones: 13 digits, or letters.
    {
        tabelle::TSession s;
        TArchivioDati a(inst.programma, nullptr, &s);
        a.Prepara();
        tabelle::TQuery q(nullptr, &s);
        q.DatabaseName = "Database";
        q.SQL << "Update \"Tratte.db\" Set Protocollo = '2018000202112' Where Distanza = 100";
        q.ExecSQL();
        q.SQL = QStringList{"Update \"Tratte.db\" Set Protocollo = 'PO2018A00021' Where Distanza = 200"};
        q.ExecSQL();
    }
    Prepara();
    // A and C: C stored as C-A in the archive; B twice; H501A of sheet 12 attachment B.
    const QString libretto = inst.Libretto("Prova", Testa + "PF;H501;5;0;1\nPF;H501;005;0;02\nPF;H501A;12;B;3\nPF;H501;5;0;2\n"
                                                            "DIST;1;2;100.020;0.011\nDIST;1;3;200.9;0.012\n");
    QStringList fasi;
    e->Fase = [&](const QString& t) { fasi << t; };
    ASSERT_EQ(e->ElaboraLibretto(libretto), 1) << e->Esito << e->ErroreLibretto.toStdString();
    EXPECT_EQ(fasi, QStringList({FaseLettura, FaseRicerca, FaseScrittura}));
    // The point listed twice is kept once; the section and attachment as fields.
    EXPECT_EQ(e->NumeroPF, 3);
    const QList<PuntoFiduciale> punti = TRicercaPF::Punti(e->Table1);
    EXPECT_EQ(punti, (QList<PuntoFiduciale>{A, B, C}));
    EXPECT_TRUE(e->Table1.Locate("PF", {3}) && e->Table1.FieldByName("Sezione")->AsString() == "A");
    EXPECT_TRUE(e->Table1.Locate("PF", {1}) && e->Table1.FieldByName("Allegato")->IsNull());

    const QList<Riga> righe = Righe();
    ASSERT_EQ(righe.size(), 3);
    // A-B: in tolerance in every zone.
    EXPECT_EQ(righe[0].coppia, "PF01/0050/H501 PF02/0050/H501");
    EXPECT_DOUBLE_EQ(righe[0].attuale.toDouble(), 100.02);
    EXPECT_DOUBLE_EQ(righe[0].archivio.toDouble(), 100);
    EXPECT_DOUBLE_EQ(righe[0].differenza.toDouble(), 0.02);
    EXPECT_EQ(righe[0].urbane, "IN TOLLERANZA 0.180");
    EXPECT_EQ(righe[0].protocollo, "2018000202112");
    EXPECT_DOUBLE_EQ(righe[0].sqm.toDouble(), 0.011);
    // C-A of the archive matches A-C of the book: 0.9 out of every tolerance.
    EXPECT_EQ(righe[1].coppia, "PF01/0050/H501 PF03/012B/H501");
    EXPECT_DOUBLE_EQ(righe[1].differenza.toDouble(), 0.9);
    EXPECT_EQ(righe[1].urbane, "FUORI TOLLERANZA 0.311");
    EXPECT_EQ(righe[1].sfavorevoli, "FUORI TOLLERANZA 0.502");
    EXPECT_EQ(righe[1].protocollo, "PO2018A00021");
    // B-C has no distance in the book: nothing that reads as a measurement.
    EXPECT_EQ(righe[2].coppia, "PF02/0050/H501 PF03/012B/H501");
    EXPECT_TRUE(righe[2].attuale.isNull());
    EXPECT_TRUE(righe[2].differenza.isNull());
    EXPECT_TRUE(righe[2].urbane.isEmpty());
    EXPECT_TRUE(righe[2].sqm.isNull());
    EXPECT_DOUBLE_EQ(righe[2].archivio.toDouble(), 150);
    // The point list goes when the processing ends.
    e->SvuotaPunti();
    e->Table1.Open();
    EXPECT_EQ(e->Table1.RecordCount(), 0);
}

TEST_F(ElaborazioneTest, UnPuntoSoloEProvinceNuoveConLeLoroMadri)
{
    const PuntoFiduciale biella{"A859", "", 3, "", 1}, biella2{"A859", "", 3, "", 2};
    const PuntoFiduciale vercelli{"L750", "", 3, "", 1}, vercelli2{"L750", "", 3, "", 2};
    // Only VC loaded: a point of BI is accepted, and alone it finds every
    // distance with it at either end.
    inst.Carica({{"VC", "VERCELLI"}}, {{biella, biella2, 50}, {vercelli, vercelli2, 60}});
    Prepara();
    ASSERT_EQ(e->ElaboraLibretto(inst.Libretto("Biella", Testa + "PF;A859;3;0;1\nPF;A859;3;0;2\nPF;L750;3;0;1\n")), 1) << e->Esito;
    EXPECT_EQ(e->NumeroPF, 3);
    EXPECT_EQ(Righe().size(), 1);
    e->SvuotaPunti();
    // The next search, as the book list starts it.
    TElaborazioneLibretto::AzzeraRisultati(risultati, tratte);
    ASSERT_EQ(e->ElaboraLibretto(inst.Libretto("UnPunto", Testa + "PF;A859;3;0;2\nPF;A859;3;0;2\n")), 1) << e->Esito;
    EXPECT_EQ(e->NumeroPF, 1);
    ASSERT_EQ(Righe().size(), 1);
    EXPECT_EQ(Righe()[0].coppia, "PF01/0030/A859 PF02/0030/A859");
    EXPECT_TRUE(e->ProvinciaMadreCaricata("bi"));
    EXPECT_FALSE(e->ProvinciaMadreCaricata("VC"));
}

TEST_F(ElaborazioneTest, SoloFigliaCaricataEPuntiDiProvinceNonCaricate)
{
    const PuntoFiduciale vercelli{"L750", "", 3, "", 1}, vercelli2{"L750", "", 3, "", 2};
    // Only BI loaded: a point of VC is not accepted; none left, nothing found.
    inst.Carica({{"BI", "BIELLA"}}, {{vercelli, vercelli2, 60}});
    Prepara();
    EXPECT_EQ(e->ElaboraLibretto(inst.Libretto("Vercelli", Testa + "PF;L750;3;0;1\nPF;L750;3;0;2\nDIST;1;2;60;0.01\n")), 2);
    EXPECT_EQ(e->Esito, EsitoNessunaCorrispondenza);
    EXPECT_EQ(e->NumeroPF, 0);
    EXPECT_TRUE(e->ErroreLibretto.isEmpty());
    EXPECT_EQ(risultati.RecordCount(), 0);
}

TEST_F(ElaborazioneTest, LibriIlleggibiliArchivioVuotoEPrvMancante)
{
    inst.Carica({{"RM", "ROMA"}}, {});
    Prepara();
    // An empty archive.
    EXPECT_EQ(e->ElaboraLibretto(inst.Libretto("Vuoto", Testa + "PF;H501;5;0;1\nPF;H501;5;0;2\n")), 2);
    EXPECT_EQ(e->Esito, EsitoArchivioVuoto);
    // Malformed: refused with the line named, nothing written.
    EXPECT_EQ(e->ElaboraLibretto(inst.Libretto("Rotto", Testa + "PF;H501;5;0;1\nDIST;1;4;10;0.01\n")), 2);
    EXPECT_EQ(e->Esito, EsitoNessunaCorrispondenza);
    EXPECT_TRUE(e->ErroreLibretto.contains("riga 4:")) << e->ErroreLibretto.toStdString();
    EXPECT_TRUE(e->ErroreLibretto.contains("Rotto.out")) << e->ErroreLibretto.toStdString();
    EXPECT_EQ(e->ElaboraLibretto(inst.Libretto("NonElaborato", "LIBRETTO;1\nELABORATO;NO\nPF;H501;5;0;1\n")), 2);
    EXPECT_EQ(e->Esito, EsitoNessunaCorrispondenza);
    EXPECT_TRUE(e->ErroreLibretto.contains("ELABORATO;SI"));
    EXPECT_EQ(e->ElaboraLibretto(inst.pregeo + "/NonCe"), 2);
    EXPECT_EQ(e->Esito, EsitoNessunaCorrispondenza);
    // Prv.db missing from the results folder.
    QFile::remove(inst.programma + "/Archivi/PRV.DB");
    EXPECT_EQ(e->ElaboraLibretto(inst.Libretto("Vuoto", Testa)), 2);
    EXPECT_EQ(e->Esito, EsitoArchivioVuoto);
}

TEST_F(ElaborazioneTest, ElencoDeiLibriSenzaEstensioneESoloElaborati)
{
    inst.Libretto("Buono", Testa);
    inst.Libretto("Secondo", "# commento\nLIBRETTO;1\nELABORATO;SI\n");
    inst.Libretto("NonElaborato", "LIBRETTO;1\nELABORATO;NO\n");
    inst.Libretto("Altro", "Un file qualsiasi\n");
    QFile maiuscolo(inst.pregeo + "/GRANDE.OUT");
    ASSERT_TRUE(maiuscolo.open(QIODevice::WriteOnly));
    maiuscolo.write(Testa);
    maiuscolo.close();
    QFile(inst.pregeo + "/nota.txt").open(QIODevice::WriteOnly);
    const QStringList file = TElaborazioneLibretto::FileLibretti(TElaborazioneLibretto::PercorsoPregeo());
    EXPECT_EQ(file, QStringList({"Altro.out", "Buono.out", "GRANDE.OUT", "NonElaborato.out", "Secondo.out"}));
    EXPECT_EQ(TElaborazioneLibretto::ElencoLibretti(inst.pregeo, file), QStringList({"Buono", "GRANDE", "Secondo"}));
    EXPECT_TRUE(TElaborazioneLibretto::PercorsoPregeo().endsWith('/'));
}

struct EsitoCli {
    int codice;
    QString uscita, errori;
};

EsitoCli Cli(const QString& programma, const QStringList& argomenti)
{
    QProcess p;
    p.start(QStringLiteral(TRATTE_CLI), QStringList{"--programma", programma} + argomenti);
    p.waitForFinished(120000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

TEST_F(ElaborazioneTest, TratteCliLibrettiELibretto)
{
    inst.Carica({{"RM", "ROMA"}}, {{A, B, 100}, {B, X, 90}});
    ASSERT_TRUE(QFile::copy(QStringLiteral(TABELLE_LAVORO "/TratteLbp.rpt"), inst.programma + "/Archivi/TratteLbp.rpt"));
    inst.Libretto("Buono", Testa + "PF;H501;5;0;1\nPF;H501;5;0;2\nDIST;2;1;100.5;0.02\n");
    inst.Libretto("Lontano", Testa + "PF;A859;5;0;1\nPF;A859;5;0;2\n");
    inst.Libretto("Rotto", Testa + "PF;H501;5;0;1\nDIST;1;2;1x;0.02\n");
    inst.Libretto("NonElaborato", "LIBRETTO;1\n");
    EsitoCli r = Cli(inst.programma, {"libretti"});
    EXPECT_EQ(r.codice, 0) << r.errori.toStdString();
    EXPECT_EQ(r.uscita, "Buono\nLontano\nRotto\n");
    EXPECT_EQ(Cli(inst.programma, {"libretti", inst.cartella.sottocartella("Vuota")}).codice, 1);

    r = Cli(inst.programma, {"libretto", inst.pregeo + "/Buono.out"});
    ASSERT_EQ(r.codice, 0) << r.errori.toStdString();
    EXPECT_EQ(r.uscita, "TrattaAttuale\tTrattaInArchivio\tDifferenza\tUrbane\tExtraurbane\tSfavorevoli\tCoppiaPF\tProtocollo\tScartoQMedio\n"
                        "100.500\t100.000\t0.500\tFUORI TOLLERANZA 0.181\tFUORI TOLLERANZA 0.211\tFUORI TOLLERANZA 0.301\t"
                        "PF02/0050/H501 PF01/0050/H501\tP1\t0.020\n");
    const QString pdf = inst.cartella.sottocartella("pdf") + "/r.pdf";
    r = Cli(inst.programma, {"libretto", inst.pregeo + "/Buono", "--pdf", pdf});
    EXPECT_EQ(r.codice, 0) << r.errori.toStdString();
    EXPECT_GT(QFileInfo(pdf).size(), 0);

    r = Cli(inst.programma, {"libretto", inst.pregeo + "/Lontano"});
    EXPECT_EQ(r.codice, 3);
    EXPECT_TRUE(r.errori.startsWith("Nessuna corrispondenza trovata. Accertarsi che\n- Il libretto")) << r.errori.toStdString();
    r = Cli(inst.programma, {"libretto", inst.pregeo + "/Rotto"});
    EXPECT_EQ(r.codice, 1);
    EXPECT_TRUE(r.errori.contains("riga 4: distanza \"1x\" non valida")) << r.errori.toStdString();
    r = Cli(inst.programma, {"libretto", inst.pregeo + "/NonElaborato"});
    EXPECT_EQ(r.codice, 1);
    EXPECT_TRUE(r.errori.contains("non è elaborato correttamente")) << r.errori.toStdString();
    EXPECT_EQ(Cli(inst.programma, {"libretto", inst.pregeo + "/Assente"}).codice, 1);
}

} // namespace
