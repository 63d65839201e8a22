// The stored layout of the enhanced grid: round trips through the registry
// and an ini file, corrupt and missing stores, reading at load, and the
// save question when the window closes.
#include "gridkit/griglia/grigliamodello.h"
#include "gridkit/griglia/grigliatitoli.h"
#include "gridkit/griglia/newdbgrid.h"
#include "registro/tregistry.h"
#include "supporto_griglia.h"

#include <QFile>
#include <QVBoxLayout>

using namespace gridkit;

namespace {

const QString Percorso = "software\\quintor\\orbis77\\grigliatratte";
const QString Chiave = "impostazioni";
const QString ChiaveIntera = "\\" + Percorso + "\\" + Chiave;

class ImpostazioniTest : public ProvaGriglia {
protected:
    void SetUp() override
    {
        CreaTratte(4);
        tabella = ApriTratte();
        sorgente.SetDataSet(tabella.get());
    }

    std::unique_ptr<TNewDBGrid> NuovaGriglia(QWidget* genitore = nullptr)
    {
        auto g = std::make_unique<TNewDBGrid>(genitore);
        g->RegPathName = Percorso;
        g->RegKey = Chiave;
        g->SetDataSource(&sorgente);
        return g;
    }

    static QString Valore(const QString& nome)
    {
        registro::TRegistry r;
        return r.OpenKeyReadOnly(ChiaveIntera) ? r.ReadString(nome) : QString();
    }

    std::unique_ptr<TNewTable> tabella;
    tabelle::TDataSource sorgente;
};

TEST_F(ImpostazioniTest, IlLayoutTornaDalRegistro)
{
    auto prima = NuovaGriglia();
    prima->Titoli().moveSection(1, 3);
    prima->Columns()[2].SetWidth(123);
    prima->Columns()[4].SetVisible(false);
    prima->Columns()[0].SetTitleCaption("Numero");
    prima->SalvaImpostazioni();
    const QList<DescrizioneColonna> salvato = prima->Columns().Descrizioni();
    ASSERT_EQ(Valore("HEX1").size(), 64);
    EXPECT_EQ(Valore("HEX1"), Valore("HEX1").toUpper());
    EXPECT_EQ(DaPezziEsadecimali({Valore("HEX1"), Valore("HEX2"), Valore("HEX3"), Valore("HEX4"), Valore("HEX5"), Valore("HEX6")}).value_or(QByteArray()).left(4),
              QByteArray("TRLG"));

    auto seconda = NuovaGriglia();
    EXPECT_NE(seconda->Columns().Descrizioni(), salvato);
    EXPECT_TRUE(seconda->LeggiImpostazioni());
    EXPECT_EQ(seconda->Columns().Descrizioni(), salvato);
    EXPECT_EQ(seconda->Columns()[3].FieldName(), "ComunePF1");
    EXPECT_EQ(seconda->columnWidth(2), 123);
    EXPECT_TRUE(seconda->isColumnHidden(4));
    EXPECT_EQ(seconda->Modello().headerData(0, Qt::Horizontal).toString(), "Numero");
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();

    // Read when loaded, once, only with LeggiInAvvio.
    auto terza = NuovaGriglia();
    terza->Loaded();
    EXPECT_NE(terza->Columns().Descrizioni(), salvato);
    auto quarta = NuovaGriglia();
    quarta->LeggiInAvvio = true;
    quarta->Loaded();
    EXPECT_EQ(quarta->Columns().Descrizioni(), salvato);

    // Nothing is saved while the dataset is closed.
    registro::TRegistry().DeleteKey(ChiaveIntera);
    tabella->Close();
    prima->SalvaImpostazioni();
    EXPECT_FALSE(registro::TRegistry().KeyExists(ChiaveIntera));
}

TEST_F(ImpostazioniTest, UnaColonnaDelLayoutSenzaCampoVieneTolta)
{
    // A layout stored when the table had a field "Anno".
    auto prima = NuovaGriglia();
    prima->Columns().Add().SetFieldName("Anno");
    prima->Titoli().moveSection(prima->Columns().Count() - 1, 1);
    prima->SalvaImpostazioni();
    auto campi = [](const TNewDBGrid& g) {
        QStringList c;
        for (int i = 0; i < g.Columns().Count(); ++i)
            c << g.Columns()[i].FieldName();
        return c;
    };
    const QStringList attesi{"ID_001_TABLE", "ComunePF1", "PF1", "Distanza", "Flag", "Protocollo"};

    // Read with the table open: gone at once.
    auto aperta = NuovaGriglia();
    ASSERT_TRUE(aperta->LeggiImpostazioni());
    EXPECT_EQ(campi(*aperta), attesi);

    // Read at load with the table closed: gone when it opens; a title
    // click then sorts and the table runs again.
    tabella->Close();
    auto chiusa = NuovaGriglia();
    chiusa->LeggiInAvvio = true;
    chiusa->Loaded();
    EXPECT_EQ(chiusa->Columns().IndiceDi("Anno"), 1);
    tabella->Riapri();
    EXPECT_EQ(campi(*chiusa), attesi);
    chiusa->OrdinaColonna(chiusa->Columns()[1]);
    EXPECT_EQ(chiusa->CampoOrdine, "ComunePF1");
    tabella->Riapri();
    EXPECT_EQ(tabella->RecordCount(), 4);

    // A layout of none of the fields leaves the table's own columns.
    {
        registro::TRegistry r;
        r.DeleteKey(ChiaveIntera);
    }
    auto estranea = NuovaGriglia();
    estranea->Columns().DaDescrizioni({{"Anno", "", 40, true, 0}, {"Mese", "", 40, true, 0}});
    estranea->SalvaImpostazioni();
    auto letta = NuovaGriglia();
    ASSERT_TRUE(letta->LeggiImpostazioni());
    EXPECT_EQ(campi(*letta), attesi);
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();
}

TEST_F(ImpostazioniTest, UnLayoutCorrottoNelRegistroVieneCancellato)
{
    for (const QString& corrotto : {QString("ZZ"), QString("00FF")}) {
        {
            registro::TRegistry r;
            r.OpenKey(ChiaveIntera, true);
            r.WriteString("HEX1", corrotto);
        }
        finto.mostrati.clear();
        auto g = NuovaGriglia();
        const QList<DescrizioneColonna> colonne = g->Columns().Descrizioni();
        EXPECT_FALSE(g->LeggiImpostazioni());
        EXPECT_EQ(Testi(), QStringList{"Impossibile leggere struttura, Reg File corrotto."}) << corrotto.toStdString();
        EXPECT_FALSE(registro::TRegistry().KeyExists(ChiaveIntera));
        EXPECT_TRUE(registro::TRegistry().KeyExists("\\" + Percorso));
        EXPECT_EQ(g->Columns().Descrizioni(), colonne);
    }
    // Nothing stored: nothing read, nothing said.
    finto.mostrati.clear();
    EXPECT_FALSE(NuovaGriglia()->LeggiImpostazioni());
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

TEST_F(ImpostazioniTest, IlFileIni)
{
    const QString ini = cartella.file("tratte.ini");
    auto g = NuovaGriglia();
    g->RegPathName.clear();
    g->IniFileName = ini;
    g->IniKey = "Griglia";
    const QString mancante = ini + "--File di inizializzazione inesistente.";
    g->SalvaImpostazioni();
    EXPECT_EQ(Testi(), QStringList{mancante});
    EXPECT_FALSE(QFile::exists(ini));
    EXPECT_FALSE(g->LeggiImpostazioni());
    EXPECT_EQ(Testi(), QStringList({mancante, mancante}));

    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Altro]\r\nChiave=1\r\n");
    }
    finto.mostrati.clear();
    g->Titoli().moveSection(0, 2);
    g->SalvaImpostazioni();
    EXPECT_TRUE(finto.mostrati.isEmpty());
    auto letta = NuovaGriglia();
    letta->RegPathName.clear();
    letta->IniFileName = ini;
    letta->IniKey = "Griglia";
    EXPECT_TRUE(letta->LeggiImpostazioni());
    EXPECT_EQ(letta->Columns().Descrizioni(), g->Columns().Descrizioni());

    // A corrupt section: the message, and the file left as it is.
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Griglia]\r\nHEX1=NONESADECIMALE\r\n");
    }
    EXPECT_FALSE(letta->LeggiImpostazioni());
    EXPECT_EQ(Testi(), QStringList{"Impossibile leggere struttura, File ini corrotto."});
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("[Griglia]\r\nHEX1=NONESADECIMALE\r\n"));
}

TEST_F(ImpostazioniTest, SalvaInChiusuraSoloDopoAverSpostatoUnaColonna)
{
    QWidget finestra;
    auto* strato = new QVBoxLayout(&finestra);
    auto g = NuovaGriglia(&finestra);
    strato->addWidget(g.get());
    g->SalvaInUscita = true;
    g->ConfermaSalvaUscita = true;
    g->Loaded();
    Mostra(finestra);

    // A resize is no change of layout.
    g->Titoli().resizeSection(1, 150);
    EXPECT_EQ(g->Columns()[1].Width(), 150);
    finestra.close();
    EXPECT_TRUE(finto.mostrati.isEmpty());
    EXPECT_FALSE(registro::TRegistry().KeyExists(ChiaveIntera));

    // A moved column asks; "No" saves nothing and asks again next time.
    Mostra(finestra);
    g->Titoli().moveSection(0, 1);
    EXPECT_TRUE(g->LayoutCambiato());
    finto.Rispondi(messaggi::mrNo);
    finestra.close();
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati[0].testo, "Salvare le modifiche sulla lista?");
    EXPECT_EQ(finto.mostrati[0].titolo, "ATTENZIONE");
    EXPECT_EQ(finto.mostrati[0].pulsanti, messaggi::Pulsanti::SiNo);
    EXPECT_EQ(finto.mostrati[0].icona, messaggi::Icona::Domanda);
    EXPECT_FALSE(registro::TRegistry().KeyExists(ChiaveIntera));

    Mostra(finestra);
    finto.Rispondi(messaggi::mrYes);
    finestra.close();
    EXPECT_EQ(finto.mostrati.size(), 2);
    EXPECT_FALSE(Valore("HEX1").isEmpty());
    EXPECT_FALSE(g->LayoutCambiato());
    Mostra(finestra);
    finestra.close();
    EXPECT_EQ(finto.mostrati.size(), 2);

    // Without the question the save is silent; without SalvaInUscita there is none.
    registro::TRegistry().DeleteKey(ChiaveIntera);
    g->ConfermaSalvaUscita = false;
    g->SegnaLayoutCambiato();
    g->SalvaInChiusura();
    EXPECT_EQ(finto.mostrati.size(), 2);
    EXPECT_FALSE(Valore("HEX1").isEmpty());
    registro::TRegistry().DeleteKey(ChiaveIntera);
    g->SalvaInUscita = false;
    g->SegnaLayoutCambiato();
    g->SalvaInChiusura();
    EXPECT_FALSE(registro::TRegistry().KeyExists(ChiaveIntera));
}

TEST_F(ImpostazioniTest, UnaGrigliaDistruttaLasciaLaFinestraChiudersi)
{
    QWidget finestra;
    {
        auto g = NuovaGriglia(&finestra);
        g->SalvaInUscita = true;
        g->Loaded();
        g->SegnaLayoutCambiato();
    }
    Mostra(finestra);
    EXPECT_TRUE(finestra.close());
    EXPECT_TRUE(finto.mostrati.isEmpty());
}

} // namespace
