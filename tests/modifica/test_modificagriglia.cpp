// Editing through the stored table: a change, an insert, the events and
// their cancels, the boolean toggle, logical deletion of one row and of
// the selected rows.
#include "gridkit/griglia/grigliamodello.h"
#include "gridkit/modifica/undotable.h"
#include "gridkit/modifica/vociundo.h"
#include "supporto_modifica.h"
#include "tabelle/campo.h"
#include "tabelle/errore.h"
#include "tabelle/tabella.h"

#include <QTest>

using namespace gridkit;
using tabelle::TDataSet;

namespace {

class ModificaGrigliaTest : public ProvaModifica {
protected:
    // Every event heard, as "prima 2 Tratte" / "dopo 1 tabella".
    void Ascolta(TipoOp annullata = TipoOp::top_Nessuna)
    {
        griglia->OnBeforeOperation = [this, annullata](TipoOp tipo, const TBookmarkList* lista, TDataSet& ds, bool& cancel) {
            eventi << QStringLiteral("prima %1 %2%3").arg(int(tipo)).arg(&ds == tabella.get() ? "vista" : "tabella").arg(lista ? QString(" %1").arg(lista->size()) : QString());
            cancel = tipo == annullata;
        };
        griglia->OnAfterOperation = [this](TipoOp tipo, TDataSet& ds) {
            eventi << QStringLiteral("dopo %1 %2").arg(int(tipo)).arg(&ds == tabella.get() ? "vista" : "tabella");
        };
    }
    QStringList eventi;
};

TEST_F(ModificaGrigliaTest, UnCampoCambiatoScriveSoloQuelloConUnaIstantaneaELaRigaResta)
{
    Collega(10);
    Ascolta();
    tabella->SetRecNo(5);
    const qint64 id = Id();
    // Another writer changes the protocol meanwhile: only the field changed here is written.
    {
        tabelle::TTable piana(nullptr, &sessione);
        piana.DatabaseName = cartella.percorso();
        piana.TableName = "Tratte.db";
        piana.IndexFieldNames = "ID_001_TABLE";
        piana.Open();
        ASSERT_TRUE(piana.FindKey({id}));
        piana.Edit();
        piana.FieldByName("Protocollo")->SetAsString("ALTRO");
        piana.Post();
    }
    tabella->Edit();
    tabella->FieldByName("PF1")->SetAsInteger(99);
    tabella->Post();

    EXPECT_EQ(Memorizzato(id, "PF1").toInt(), 99);
    EXPECT_EQ(Memorizzato(id, "Protocollo").toString(), "ALTRO");
    EXPECT_EQ(Memorizzato(id, "ComunePF1").toString(), "C006");
    EXPECT_FALSE(tabella->UpdatesPending());
    EXPECT_EQ(tabella->RecNo(), 5);
    EXPECT_EQ(tabella->FieldByName("PF1")->AsInteger(), 99);
    EXPECT_EQ(griglia->Operazione(), TipoOp::top_Nessuna);
    EXPECT_EQ(eventi, QStringList({"prima 2 vista", "prima 1 tabella", "dopo 1 tabella", "dopo 0 vista"}));
    // One snapshot, of the row as it was stored before the change.
    ASSERT_EQ(TipiGiornale(), QList<int>{undo_Modifica});
    TUndoTable& giornale = *griglia->Giornale();
    giornale.Last();
    EXPECT_EQ(giornale.FieldByName("CODESTERNO")->AsInteger(), id);
    EXPECT_EQ(giornale.FieldByName("CODINTERNO")->AsInteger(), id);
    const auto istantanea = LeggiIstantanea(giornale.FieldByName("INFO")->AsBytes());
    ASSERT_TRUE(istantanea);
    EXPECT_TRUE(istantanea->contains({"PF1", "5"}));
    EXPECT_TRUE(istantanea->contains({"Protocollo", "ALTRO"}));
    EXPECT_TRUE(istantanea->contains({"ID_001_TABLE", QString::number(id)}));
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();

    // Undo puts back every non-blob field of the snapshot.
    tabella->Edit();
    tabella->FieldByName("Protocollo")->SetAsString("NUOVO");
    tabella->FieldByName("ComunePF1")->SetAsString("Z999");
    tabella->Post();
    griglia->Annulla();
    EXPECT_EQ(Memorizzato(id, "Protocollo").toString(), "ALTRO");
    EXPECT_EQ(Memorizzato(id, "ComunePF1").toString(), "C006");
    EXPECT_EQ(Memorizzato(id, "PF1").toInt(), 99);
    griglia->Annulla();
    EXPECT_EQ(Memorizzato(id, "PF1").toInt(), 5);
    EXPECT_TRUE(TipiGiornale().isEmpty());
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();
}

TEST_F(ModificaGrigliaTest, UnInserimentoPrendeIlProssimoIdELaRigaLoMostra)
{
    Collega(3);
    Ascolta();
    tabella->Append();
    tabella->FieldByName("ComunePF1")->SetAsString("N001");
    tabella->FieldByName("PF1")->SetAsInteger(7);
    tabella->FieldByName("Flag")->SetAsBoolean(true);
    tabella->FieldByName("Protocollo")->SetAsString("   ");
    tabella->Post();

    EXPECT_EQ(RigheMemorizzate(), 5);
    EXPECT_EQ(Id(), 5);
    EXPECT_EQ(tabella->FieldByName("ComunePF1")->AsString(), "N001");
    EXPECT_EQ(Memorizzato(5, "ComunePF1").toString(), "N001");
    EXPECT_EQ(Memorizzato(5, "PF1").toInt(), 7);
    EXPECT_TRUE(Memorizzato(5, "Flag").toBool());
    // A blank text is stored as null.
    EXPECT_TRUE(Memorizzato(5, "Protocollo").isNull());
    EXPECT_FALSE(tabella->UpdatesPending());
    EXPECT_EQ(eventi, QStringList({"prima 3 vista", "prima 4 tabella", "dopo 4 tabella", "dopo 0 vista"}));
    EXPECT_EQ(TipiGiornale(), QList<int>{undo_Aggiunta});

    // A later change of the new row goes to that stored row.
    tabella->Edit();
    tabella->FieldByName("PF1")->SetAsInteger(8);
    tabella->Post();
    EXPECT_EQ(Memorizzato(5, "PF1").toInt(), 8);
    EXPECT_EQ(RigheMemorizzate(), 5);

    // Undo: first the change, then the append removes the stored row.
    griglia->Annulla();
    EXPECT_EQ(Memorizzato(5, "PF1").toInt(), 7);
    griglia->Annulla();
    EXPECT_EQ(RigheMemorizzate(), 4);
    EXPECT_EQ(tabella->RecordCount(), 3);
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();

    // NotAppend refuses the insert before anything starts.
    eventi.clear();
    tabella->NotAppend = true;
    EXPECT_THROW(tabella->Append(), tabelle::EAbort);
    EXPECT_EQ(tabella->State(), tabelle::TDataSetState::dsBrowse);
    EXPECT_TRUE(eventi.isEmpty());
    EXPECT_EQ(RigheMemorizzate(), 4);
}

TEST_F(ModificaGrigliaTest, IlFormAnnullaLOperazione)
{
    Collega(4);
    // Code 2 cancelled: the dataset does not enter edit state.
    Ascolta(TipoOp::top_InizioModifica);
    EXPECT_THROW(tabella->Edit(), tabelle::EAbort);
    EXPECT_EQ(tabella->State(), tabelle::TDataSetState::dsBrowse);
    EXPECT_EQ(griglia->Operazione(), TipoOp::top_Nessuna);

    // Code 1 cancelled at the post of the stored row: nothing written, no
    // journal entry, no message, the change still in the cache.
    Ascolta(TipoOp::top_Modifica);
    tabella->SetRecNo(2);
    const qint64 id = Id();
    tabella->Edit();
    tabella->FieldByName("PF1")->SetAsInteger(50);
    EXPECT_THROW(tabella->Post(), tabelle::EAbort);
    EXPECT_TRUE(tabella->UpdatesPending());
    EXPECT_EQ(Memorizzato(id, "PF1").toInt(), 2);
    EXPECT_TRUE(TipiGiornale().isEmpty());
    EXPECT_TRUE(Testi().isEmpty());

    // Allowed again, the next post writes it.
    Ascolta();
    tabella->Edit();
    tabella->FieldByName("Distanza")->SetAsFloat(1.25);
    tabella->Post();
    EXPECT_FALSE(tabella->UpdatesPending());
    EXPECT_EQ(Memorizzato(id, "PF1").toInt(), 50);
    EXPECT_DOUBLE_EQ(Memorizzato(id, "Distanza").toDouble(), 1.25);

    // A row no longer stored: the engine's error, the change kept in the cache.
    {
        tabelle::TTable piana(nullptr, &sessione);
        piana.DatabaseName = cartella.percorso();
        piana.TableName = "Tratte.db";
        piana.IndexFieldNames = "ID_001_TABLE";
        piana.Open();
        ASSERT_TRUE(piana.FindKey({id}));
        piana.Delete();
    }
    tabella->Edit();
    tabella->FieldByName("PF1")->SetAsInteger(51);
    EXPECT_THROW(tabella->Post(), tabelle::EDBEngineError);
    EXPECT_TRUE(tabella->UpdatesPending());
    EXPECT_EQ(griglia->Operazione(), TipoOp::top_Nessuna);
    EXPECT_EQ(TipiGiornale(), QList<int>{undo_Modifica});
}

TEST_F(ModificaGrigliaTest, UnaModificaDopoUnInserimentoRimastoNellaCacheVieneScritta)
{
    Collega(3);
    // The form refuses the append once: the new row stays in the cache.
    Ascolta(TipoOp::top_Aggiunta);
    tabella->Append();
    tabella->FieldByName("ComunePF1")->SetAsString("N001");
    EXPECT_THROW(tabella->Post(), tabelle::EAbort);
    ASSERT_TRUE(tabella->UpdatesPending());
    EXPECT_EQ(RigheMemorizzate(), 4);

    // The next post applies both: the row appended, and the change of
    // another row written too, not taken for the append's second pass.
    Ascolta();
    tabella->First();
    const qint64 id = Id();
    tabella->Edit();
    tabella->FieldByName("PF1")->SetAsInteger(40);
    tabella->Post();
    EXPECT_FALSE(tabella->UpdatesPending());
    EXPECT_EQ(RigheMemorizzate(), 5);
    EXPECT_EQ(Memorizzato(id, "PF1").toInt(), 40);
    EXPECT_EQ(Memorizzato(5, "ComunePF1").toString(), "N001");
}

TEST_F(ModificaGrigliaTest, UnBooleanoCommutatoRestaDopoUnNuovoOrdinamento)
{
    Collega(6);
    const int flag = griglia->Columns().IndiceDi("Flag");
    const QRect cella = griglia->visualRect(griglia->Modello().index(0, flag));
    const qint64 id = Id();
    ASSERT_TRUE(Memorizzato(id, "Flag").isNull());
    QTest::mouseClick(griglia->viewport(), Qt::LeftButton, {}, cella.center());
    EXPECT_TRUE(tabella->FieldByName("Flag")->AsBoolean());
    // The move to another row posts it.
    QTest::mouseClick(griglia->viewport(), Qt::LeftButton, {}, griglia->visualRect(griglia->Modello().index(2, 1)).center());
    EXPECT_EQ(tabella->RecNo(), 3);
    griglia->OrdinaColonna(griglia->Columns()[griglia->Columns().IndiceDi("ComunePF1")]);
    EXPECT_TRUE(Memorizzato(id, "Flag").toBool());
    ASSERT_TRUE(tabella->Locate("ID_001_TABLE", {id}));
    EXPECT_TRUE(tabella->FieldByName("Flag")->AsBoolean());
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();
}

TEST_F(ModificaGrigliaTest, EliminaUnaRiga)
{
    Collega(5);
    Ascolta();
    tabella->SetRecNo(3);
    const qint64 id = Id();
    const qint64 seguente = tabella->ValoreRiga(3, 0).toLongLong();
    {
        tabelle::TTable piana(nullptr, &sessione);
        piana.DatabaseName = cartella.percorso();
        piana.TableName = "Tratte.db";
        piana.IndexFieldNames = "ID_001_TABLE";
        piana.Open();
        ASSERT_TRUE(piana.FindKey({id}));
        piana.Edit();
        piana.FieldByName("CodOp")->SetAsString("XY");
        piana.Post();
    }
    // No and Cancel leave everything as it was.
    finto.Rispondi(messaggi::mrNo);
    griglia->Elimina();
    finto.Rispondi(messaggi::mrCancel);
    griglia->Elimina();
    EXPECT_EQ(tabella->RecordCount(), 5);
    EXPECT_TRUE(eventi.isEmpty());
    ASSERT_EQ(finto.mostrati.size(), 2);
    const messaggi::Messaggio& domanda = finto.mostrati.front();
    EXPECT_EQ(domanda.testo, "Cancellare il dato?");
    EXPECT_EQ(domanda.titolo, "ATTENZIONE");
    EXPECT_EQ(domanda.pulsanti, messaggi::Pulsanti::SiNoAnnulla);
    EXPECT_EQ(domanda.icona, messaggi::Icona::Domanda);
    EXPECT_EQ(messaggi::RisultatoPredefinito(domanda), messaggi::mrNo);

    finto.Rispondi(messaggi::mrYes);
    griglia->Elimina();
    EXPECT_EQ(Memorizzato(id, "CodOp").toString(), "DY");
    EXPECT_EQ(tabella->RecordCount(), 4);
    // The row that followed is current.
    EXPECT_EQ(Id(), seguente);
    EXPECT_EQ(eventi, QStringList({"prima 6 vista", "dopo 6 vista"}));
    EXPECT_EQ(TipiGiornale(), QList<int>{undo_Eliminazione});
    EXPECT_EQ(griglia->Operazione(), TipoOp::top_Nessuna);

    // The last row: the new last row is current.
    tabella->Last();
    finto.Rispondi(messaggi::mrYes);
    griglia->Elimina();
    EXPECT_EQ(tabella->RecordCount(), 3);
    EXPECT_EQ(tabella->RecNo(), 3);

    // Undo brings the rows back, "UD", on the row they were.
    griglia->Annulla();
    EXPECT_EQ(tabella->RecordCount(), 4);
    EXPECT_EQ(tabella->RecNo(), 4);
    griglia->Annulla();
    EXPECT_EQ(Memorizzato(id, "CodOp").toString(), "UD");
    EXPECT_EQ(tabella->RecordCount(), 5);
    EXPECT_EQ(Id(), id);

    // A form's cancel stops the deletion.
    Ascolta(TipoOp::top_Elimina);
    finto.Rispondi(messaggi::mrYes);
    griglia->Elimina();
    EXPECT_EQ(tabella->RecordCount(), 5);
    EXPECT_TRUE(TipiGiornale().isEmpty());
}

TEST_F(ModificaGrigliaTest, LUnicaRigaDiUnaVistaDiUnaRiga)
{
    Collega(1);
    const qint64 id = Id();
    finto.Rispondi(messaggi::mrYes);
    griglia->Elimina();
    EXPECT_EQ(tabella->RecordCount(), 0);
    EXPECT_EQ(Memorizzato(id, "CodOp").toString(), "D");
    EXPECT_EQ(RigheMemorizzate(), 2);
    EXPECT_TRUE(Testi() == QStringList{"Cancellare il dato?"}) << Testi().join("|").toStdString();
}

TEST_F(ModificaGrigliaTest, EliminaLeRigheSelezionateERipristinaInUnPasso)
{
    Collega(8, true);
    Ascolta();
    QItemSelectionModel* selezione = griglia->selectionModel();
    const auto riga = [&](int r) {
        return QItemSelection(griglia->Modello().index(r, 0), griglia->Modello().index(r, griglia->Modello().columnCount() - 1));
    };
    selezione->select(riga(5), QItemSelectionModel::ClearAndSelect);
    selezione->select(riga(2), QItemSelectionModel::Select);
    selezione->select(riga(3), QItemSelectionModel::Select);
    EXPECT_EQ(griglia->RigheSelezionate(), QList<int>({5, 2, 3}));
    const QList<qint64> id{tabella->ValoreRiga(5, 0).toLongLong(), tabella->ValoreRiga(2, 0).toLongLong(), tabella->ValoreRiga(3, 0).toLongLong()};

    finto.Rispondi(messaggi::mrYes);
    griglia->Elimina();
    EXPECT_EQ(Testi(), QStringList{"Cancellare i dati?"});
    EXPECT_EQ(tabella->RecordCount(), 5);
    for (qint64 i : id)
        EXPECT_EQ(Memorizzato(i, "CodOp").toString(), "D") << i;
    EXPECT_EQ(eventi, QStringList({"prima 6 vista 3", "dopo 6 vista"}));
    EXPECT_TRUE(griglia->RigheSelezionate().isEmpty());
    // The first of the selection (row 6): 5 rows forward, here the last.
    EXPECT_EQ(tabella->RecNo(), 5);
    EXPECT_EQ(TipiGiornale(), QList<int>({undo_Eliminazioni, undo_Eliminazioni, undo_Eliminazioni}));

    // One undo restores the three ("UDM").
    griglia->Annulla();
    EXPECT_EQ(tabella->RecordCount(), 8);
    for (qint64 i : id)
        EXPECT_EQ(Memorizzato(i, "CodOp").toString(), "UDM") << i;
    EXPECT_TRUE(TipiGiornale().isEmpty());
    EXPECT_EQ(tabella->RecNo(), 6);
    EXPECT_EQ(Id(), id.front());
    EXPECT_EQ(Testi(), QStringList{"Cancellare i dati?"});
}

TEST_F(ModificaGrigliaTest, UnaTabellaPianaCancellaDaSe)
{
    CreaTratte(3);
    tabelle::TTable piana(nullptr, &sessione);
    piana.DatabaseName = cartella.percorso();
    piana.TableName = "Tratte.db";
    piana.Open();
    sorgente.SetDataSet(&piana);
    griglia = std::make_unique<TNewDBGrid>();
    griglia->SetDataSource(&sorgente);
    piana.SetRecNo(2);
    finto.Rispondi(messaggi::mrYes);
    griglia->Elimina();
    EXPECT_EQ(piana.RecordCount(), 3);
    EXPECT_EQ(RigheMemorizzate(), 3);
    EXPECT_EQ(griglia->Giornale(), nullptr);
}

} // namespace
