#include "gridkit/comandi/corrispondenza.h"
#include "gridkit/comandi/trovainndbg.h"
#include "supporto_comandi.h"
#include "tabelle/connessione.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QApplication>
#include <set>

using namespace gridkit;
using tabelle::TFieldType;

TEST(Corrispondenza, RegoleDiTestoNumeriEBooleani)
{
    const OpzioniRicerca nessuna, maiuscole{false, true}, intera{true, false}, esatta{true, true};
    EXPECT_TRUE(Corrisponde(TFieldType::ftString, true, "ros", "Rossi", nessuna));
    EXPECT_FALSE(Corrisponde(TFieldType::ftString, true, "ros", "Rossi", maiuscole));
    EXPECT_TRUE(Corrisponde(TFieldType::ftString, true, "Ros", "Rossi", maiuscole));
    EXPECT_TRUE(Corrisponde(TFieldType::ftString, true, "rossi", "Rossi", intera));
    EXPECT_FALSE(Corrisponde(TFieldType::ftString, true, "rossi", "Rossini", intera));
    EXPECT_FALSE(Corrisponde(TFieldType::ftString, true, "rossi", "Rossi", esatta));
    EXPECT_TRUE(Corrisponde(TFieldType::ftString, true, "Rossi", "Rossi", esatta));
    EXPECT_TRUE(Corrisponde(TFieldType::ftString, true, "città", "CITTÀ", intera));

    EXPECT_TRUE(Corrisponde(TFieldType::ftFloat, true, "12.5", "12.50003", nessuna));
    EXPECT_FALSE(Corrisponde(TFieldType::ftFloat, true, "12.5", "12.5001", nessuna));
    EXPECT_FALSE(Corrisponde(TFieldType::ftFloat, true, "12", "12.5", nessuna)); // no partial match
    EXPECT_FALSE(Corrisponde(TFieldType::ftFloat, true, "12,5", "12.5", nessuna));
    EXPECT_FALSE(Corrisponde(TFieldType::ftFloat, true, "abc", "12.5", nessuna));
    EXPECT_FALSE(Corrisponde(TFieldType::ftFloat, true, "0", "", nessuna));
    EXPECT_FALSE(Corrisponde(TFieldType::ftFloat, false, "12.5", "12.5", nessuna)); // hidden field
    EXPECT_TRUE(Corrisponde(TFieldType::ftInteger, true, "7", "7", esatta));

    EXPECT_EQ(TestoBooleano("si"), "True");
    EXPECT_EQ(TestoBooleano("Vero"), "True");
    EXPECT_EQ(TestoBooleano("yes"), "True");
    EXPECT_EQ(TestoBooleano("falso"), "False");
    EXPECT_EQ(TestoBooleano("No"), "False");
    EXPECT_EQ(TestoBooleano("forse"), "forse");
    EXPECT_TRUE(Corrisponde(TFieldType::ftBoolean, true, "si", "True", nessuna));
    EXPECT_FALSE(Corrisponde(TFieldType::ftBoolean, true, "si", "False", nessuna));
    EXPECT_TRUE(Corrisponde(TFieldType::ftBoolean, true, "true", "True", nessuna));
}

class ProvaTrova : public ProvaComandi {
protected:
    void Trova(const QString& testo, bool primo = true)
    {
        dialogo->Testo_Edit->setText(testo);
        (primo ? dialogo->TrovaPrimo_BitBtn : dialogo->TrovaSuccessivo_BitBtn)->click();
    }
    void Apri() { dialogo = std::make_unique<TTrovaInNDBGForm>(*griglia, *tabella); }
    std::unique_ptr<TTrovaInNDBGForm> dialogo;
};

TEST_F(ProvaTrova, StatoInizialeEControlli)
{
    griglia->HelpContextTrova = 777;
    Apri();
    EXPECT_EQ(dialogo->windowTitle(), "Trova");
    EXPECT_TRUE(dialogo->Giu_RadioButton->isChecked());
    EXPECT_TRUE(dialogo->TuttiCampi_RadioButton->isChecked());
    EXPECT_FALSE(dialogo->ParolaIntera_CheckBox->isChecked());
    EXPECT_EQ(dialogo->Campo_ComboBox->currentIndex(), -1);
    EXPECT_EQ(dialogo->property("helpContext").toInt(), 777);
    QStringList campi;
    for (int i = 0; i < dialogo->Campo_ComboBox->count(); ++i)
        campi << dialogo->Campo_ComboBox->itemText(i);
    EXPECT_EQ(campi, QStringList({"ID_001_TABLE", "Nome", "Valore", "Flag", "Note"}));

    // A numeric field disables both boxes; a text field and "Tutte" enable them.
    dialogo->Campo_ComboBox->setCurrentText("Valore");
    dialogo->Campo_ComboBoxClick();
    EXPECT_TRUE(dialogo->Campo_RadioButton->isChecked());
    EXPECT_FALSE(dialogo->ParolaIntera_CheckBox->isEnabled());
    EXPECT_FALSE(dialogo->MaiuscoleMinuscole_CheckBox->isEnabled());
    dialogo->Campo_ComboBox->setCurrentText("Nome");
    EXPECT_TRUE(dialogo->ParolaIntera_CheckBox->isEnabled());
    dialogo->Campo_ComboBox->setCurrentText("Flag");
    EXPECT_FALSE(dialogo->MaiuscoleMinuscole_CheckBox->isEnabled());
    dialogo->TuttiCampi_RadioButton->click();
    EXPECT_TRUE(dialogo->MaiuscoleMinuscole_CheckBox->isEnabled());

    // Enter in the text box clicks "Trova primo".
    dialogo->Testo_Edit->setText("Verdi");
    QKeyEvent invio(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(dialogo->Testo_Edit, &invio);
    EXPECT_EQ(Nome(), "Verdi");
}

TEST_F(ProvaTrova, ValidazioneENessunaCorrispondenza)
{
    Apri();
    tabella->SetRecNo(2);
    Trova("");
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati[0].testo, "Inserire il testo da cercare!");
    EXPECT_EQ(finto.mostrati[0].titolo, "Errore");
    EXPECT_EQ(finto.mostrati[0].icona, messaggi::Icona::Errore);
    dialogo->Campo_RadioButton->click();
    Trova("x");
    ASSERT_EQ(finto.mostrati.size(), 2);
    EXPECT_EQ(finto.mostrati[1].testo, "Selezionare il campo su cui effettuare la ricerca!");
    EXPECT_EQ(tabella->RecNo(), 2);

    // Nothing found before any match: the dataset stays where it is.
    dialogo->TuttiCampi_RadioButton->click();
    Trova("nessuno");
    ASSERT_EQ(finto.mostrati.size(), 3);
    EXPECT_EQ(finto.mostrati[2].testo, "Nessuna corrispondenza trovata");
    EXPECT_EQ(finto.mostrati[2].titolo, "Avviso");
    EXPECT_EQ(finto.mostrati[2].icona, messaggi::Icona::Avviso);
    EXPECT_EQ(tabella->RecNo(), 2);
}

TEST_F(ProvaTrova, PrimoESuccessivoNelleDueDirezioni)
{
    Apri();
    // "ros" in every column: Rossini, then Rossi, then nothing and back to Rossi.
    Trova("ros");
    EXPECT_EQ(Nome(), "Rossini");
    Trova("ros", false);
    EXPECT_EQ(Nome(), "Rossi");
    Trova("ros", false);
    EXPECT_EQ(Testi(), QStringList{"Nessuna corrispondenza trovata"});
    EXPECT_EQ(Nome(), "Rossi");
    EXPECT_EQ(dialogo->UltimaCorrispondenza(), 3);

    // Case on: "ros" is in no name (the notes hold "Rossi" with a capital too).
    dialogo->MaiuscoleMinuscole_CheckBox->setChecked(true);
    Trova("ros");
    EXPECT_EQ(Testi().size(), 2);
    dialogo->MaiuscoleMinuscole_CheckBox->setChecked(false);

    // Upwards: "Trova primo" starts at the last row.
    dialogo->Su_RadioButton->setChecked(true);
    Trova("ros");
    EXPECT_EQ(Nome(), "Rossi");
    Trova("ros", false);
    EXPECT_EQ(Nome(), "Rossini");

    // Whole value: "rossi" is Rossi, never Rossini.
    dialogo->Giu_RadioButton->setChecked(true);
    dialogo->ParolaIntera_CheckBox->setChecked(true);
    Trova("rossi");
    EXPECT_EQ(Nome(), "Rossi");
    Trova("rossi", false);
    EXPECT_EQ(Nome(), "Rossi");
    EXPECT_EQ(Testi().size(), 3);
}

TEST_F(ProvaTrova, NumeriEBooleaniNellaColonnaScelta)
{
    Apri();
    dialogo->Campo_ComboBox->setCurrentText("Valore");
    dialogo->Campo_RadioButton->click();
    Trova("12.5");
    EXPECT_EQ(Nome(), "Rossi"); // 12.50003, not 12.5001
    dialogo->Campo_ComboBox->setCurrentText("Flag");
    Trova("si");
    EXPECT_EQ(Nome(), "Rossi");
    Trova("NO");
    EXPECT_EQ(Nome(), "Rossini");
    Trova("no", false);
    EXPECT_EQ(Nome(), "Verdi");
    EXPECT_TRUE(Testi().isEmpty());

    // In every column: a whole number against the ID and the values, a
    // boolean word against the flags, a number with decimals never an ID.
    dialogo->TuttiCampi_RadioButton->click();
    tabella->SetRecNo(2);
    const qint64 id = tabella->FieldByName("ID_001_TABLE")->AsInteger();
    tabella->First();
    Trova(QString::number(id));
    EXPECT_EQ(tabella->RecNo(), 2);
    Trova("7");
    EXPECT_EQ(Nome(), id == 7 ? "Bianchi" : "Verdi");
    Trova("vero");
    EXPECT_EQ(Nome(), "Rossi");
    Trova(QString::number(id) + ".5");
    EXPECT_EQ(Testi(), QStringList{"Nessuna corrispondenza trovata"});
}

TEST_F(ProvaTrova, ComandoDellaGrigliaMostraIlDialogo)
{
    finto.ScriviModale([](QDialog& d) {
        auto& t = dynamic_cast<TTrovaInNDBGForm&>(d);
        t.Testo_Edit->setText("Verdi");
        t.TrovaPrimo_BitBtn->click();
        return int(messaggi::mrCancel);
    });
    griglia->Trova();
    EXPECT_EQ(finto.finestreMostrate, QStringList{"TrovaInNDBGForm"});
    // The dataset stays on the match after the dialog closes.
    EXPECT_EQ(Nome(), "Verdi");
}

TEST_F(ProvaTrova, IlFuocoSegueLaRicerca)
{
    Apri();
    dialogo->show();
    dialogo->activateWindow();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), dialogo->Testo_Edit);
    Trova("Verdi");
    EXPECT_EQ(QApplication::focusWidget(), dialogo->TrovaSuccessivo_BitBtn);
    Trova("Verdi", false);
    EXPECT_EQ(QApplication::focusWidget(), dialogo->TrovaPrimo_BitBtn);
    Trova("");
    EXPECT_EQ(QApplication::focusWidget(), dialogo->Testo_Edit);
    dialogo->Campo_RadioButton->setChecked(true);
    Trova("x");
    EXPECT_EQ(QApplication::focusWidget(), dialogo->Campo_ComboBox);
}

// Storage is first asked which rows may match; the row found must be the
// one that reading every row finds, whatever the stored texts hold.
TEST_F(ProvaTrova, LaPreselezioneTrovaLaStessaRigaDellaLetturaCompleta)
{
    gridkit::TNewTable t(nullptr, &sessione);
    t.DatabaseName = cartella.percorso();
    t.SetTableName("Misti.db");
    t.SvuotaCampiUtente();
    t.CreaTabella({"Nome,20", "Conta,I", "Valore,N,12,5"});
    tabelle::TTable piana(nullptr, &sessione);
    piana.DatabaseName = cartella.percorso();
    piana.TableName = "Misti.db";
    piana.Open();
    const QStringList nomi = {"RoSsI", "CITTÀ", QStringLiteral("x\u212Ay"), "100%_a", "", "Verdi"};
    for (int i = 0; i < nomi.size(); ++i) {
        piana.Append();
        if (!nomi[i].isEmpty())
            piana.FieldByName("Nome")->SetAsString(nomi[i]);
        piana.FieldByName("Conta")->SetAsInteger(i * 10);
        piana.FieldByName("Valore")->SetAsFloat(i + 0.25);
        piana.Post();
    }
    piana.Close();
    t.Riapri();
    QList<tabelle::TField*> campi;
    for (int i = 0; i < t.FieldCount(); ++i)
        campi << t.Fields(i);

    const OpzioniRicerca nessuna, maiuscole{false, true};
    EXPECT_EQ(TrovaRiga(t, campi, "ssi", nessuna, 0, true), 0);
    EXPECT_EQ(TrovaRiga(t, campi, "ssi", maiuscole, 0, true), -1);
    EXPECT_EQ(TrovaRiga(t, campi, "SsI", maiuscole, 0, true), 0);
    EXPECT_EQ(TrovaRiga(t, campi, "città", nessuna, 0, true), 1);      // beyond ASCII in the text searched
    EXPECT_EQ(TrovaRiga(t, campi, "CIT", nessuna, 0, true), 1);        // and in the stored one
    EXPECT_EQ(TrovaRiga(t, campi, "xky", nessuna, 0, true), 2);        // the Kelvin sign folds to k
    EXPECT_EQ(TrovaRiga(t, campi, "xky", maiuscole, 0, true), -1);
    EXPECT_EQ(TrovaRiga(t, campi, "%_", nessuna, 0, true), 3);         // no wildcards
    EXPECT_EQ(TrovaRiga(t, campi, "_", nessuna, 4, true), -1);
    EXPECT_EQ(TrovaRiga(t, campi, "50", nessuna, 0, true), 5);         // a whole number
    EXPECT_EQ(TrovaRiga(t, campi, "3.25", nessuna, 0, true), 3);       // a real one
    EXPECT_EQ(TrovaRiga(t, campi, "3.2501", nessuna, 0, true), -1);
    EXPECT_EQ(TrovaRiga(t, campi, "r", nessuna, 5, false), 5);          // upwards from the last row
    EXPECT_EQ(TrovaRiga(t, campi, "ro", nessuna, 5, false), 0);

    // Keys handed back sorted, and none while a row is edited: its values
    // are not yet stored.
    const auto tutte = t.ChiaviCandidate([](const tabelle::RigaGrezza&) { return true; });
    ASSERT_TRUE(tutte.has_value());
    EXPECT_EQ(tutte->size(), size_t(nomi.size()));
    EXPECT_TRUE(std::is_sorted(tutte->begin(), tutte->end()));
    t.SetRecNo(6);
    t.Edit();
    t.FieldByName("Nome")->SetAsString("Gialli");
    EXPECT_FALSE(t.ChiaviCandidate([](const tabelle::RigaGrezza&) { return true; }).has_value());
    EXPECT_EQ(TrovaRiga(t, campi, "gialli", nessuna, 0, true), 5);
    t.Cancel();
}

TEST_F(ProvaTrova, LaRicercaInOrdineDiChiaveSiFermaAllaStessaRigaDellaLetturaCompleta)
{
    // More rows than one run of the pass reads, with matches on both sides
    // of the runs' boundaries.
    constexpr int Righe = 40000;
    const std::set<int> bersagli = {3, 32766, 32768, 32769, 39999};
    tabelle::TTable piana(nullptr, &sessione);
    piana.DatabaseName = cartella.percorso();
    piana.TableName = "Lunga.db";
    {
        gridkit::TNewTable crea(nullptr, &sessione);
        crea.DatabaseName = cartella.percorso();
        crea.SetTableName("Lunga.db");
        crea.SvuotaCampiUtente();
        crea.CreaTabella({"Nome,20"});
    }
    piana.Open();
    {
        tabelle::PuntoDiRipristino tutte(sessione.connessione());
        for (int i = 0; i < Righe; ++i) {
            piana.Append();
            piana.FieldByName("Nome")->SetAsString(bersagli.count(i) ? QStringLiteral("Bersaglio %1").arg(i) : QStringLiteral("riga %1").arg(i));
            piana.Post();
        }
        tutte.Conferma();
    }
    piana.Close();
    gridkit::TNewTable t(nullptr, &sessione);
    t.DatabaseName = cartella.percorso();
    t.SetTableName("Lunga.db");
    t.Riapri();
    ASSERT_EQ(t.RecordCount(), Righe);
    const QList<tabelle::TField*> campi{t.FieldByName("Nome")};
    // What a walk over the rows finds.
    auto cammino = [&](int inizio, bool giu) {
        for (int r = inizio; r >= 0 && r < t.RecordCount(); r += giu ? 1 : -1)
            if (t.ValoreRiga(r, campi[0]->Index()).toString().startsWith("Bersaglio"))
                return r;
        return -1;
    };
    for (int inizio : {0, 3, 4, 32765, 32767, 32768, 32770, 39998, 39999}) {
        for (bool giu : {true, false}) {
            SCOPED_TRACE(std::to_string(inizio) + (giu ? " giù" : " su"));
            EXPECT_EQ(TrovaRiga(t, campi, "bersaglio", OpzioniRicerca{}, inizio, giu), cammino(inizio, giu));
        }
    }
    EXPECT_EQ(TrovaRiga(t, campi, "nessuno", OpzioniRicerca{}, 0, true), -1);
    // A first row that passes the pass but not the rules: the pass goes on.
    const OpzioniRicerca intera{true, false};
    EXPECT_EQ(TrovaRiga(t, campi, "bersaglio 3276", intera, 0, true), -1);
    EXPECT_EQ(TrovaRiga(t, campi, "bersaglio 3", intera, 4, true), -1);
    EXPECT_EQ(TrovaRiga(t, campi, "bersaglio 3", intera, 39999, false), 3);
    EXPECT_EQ(TrovaRiga(t, campi, "bersaglio 32769", intera, 0, true), 32769);
}
