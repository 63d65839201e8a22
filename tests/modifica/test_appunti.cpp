// The grid's clipboard and undo commands: a paste that skips a record and
// its undo, a cut answered No, the undo of sorts, the undo journal itself.
#include "gridkit/griglia/grigliamodello.h"
#include "gridkit/modifica/undotable.h"
#include "gridkit/modifica/vociundo.h"
#include "supporto_modifica.h"
#include "tabelle/campo.h"
#include "tabelle/errore.h"
#include "tabelle/tabella.h"

#include <QDir>
#include <QFileInfo>

using namespace gridkit;

namespace {

class AppuntiTest : public ProvaModifica {
protected:
    void Seleziona(const QList<int>& righe)
    {
        QItemSelectionModel* s = griglia->selectionModel();
        s->clearSelection();
        for (int r : righe)
            s->select(QItemSelection(griglia->Modello().index(r, 0), griglia->Modello().index(r, griglia->Modello().columnCount() - 1)),
                      QItemSelectionModel::Select);
    }
};

TEST_F(AppuntiTest, SaltareIlSecondoDiTreEAnnullareNeToglieDue)
{
    Collega(5, true);
    Seleziona({0, 1, 2});
    griglia->Copia();
    const int prima = tabella->RecordCount();
    QList<int> posizioni;
    griglia->OnBeforeincolla = [&](tabelle::TDataSet& t, int totale, int posizione, TCancelOP& cancel) {
        EXPECT_EQ(totale, 3);
        EXPECT_NE(&t, tabella.get());
        posizioni << posizione;
        cancel = posizione == 2 ? TCancelOP::cop_Salta : TCancelOP::cop_Continua;
    };
    griglia->Incolla();
    EXPECT_EQ(posizioni, QList<int>({1, 2, 3}));
    EXPECT_EQ(tabella->RecordCount(), prima + 2);
    EXPECT_EQ(RigheMemorizzate(), 8);
    EXPECT_EQ(TipiGiornale(), QList<int>({undo_Incolla, undo_Incolla}));
    TUndoTable& giornale = *griglia->Giornale();
    giornale.Last();
    EXPECT_EQ(giornale.FieldByName("CODINTERNO")->AsInteger(), 2);
    EXPECT_TRUE(griglia->IsUndo());

    // Undo removes exactly the two pasted rows.
    griglia->Annulla();
    EXPECT_EQ(RigheMemorizzate(), 6);
    EXPECT_EQ(tabella->RecordCount(), prima);
    EXPECT_FALSE(griglia->IsUndo());

    // cop_Interrompi ends the paste.
    griglia->OnBeforeincolla = [](tabelle::TDataSet&, int, int posizione, TCancelOP& cancel) {
        cancel = posizione == 2 ? TCancelOP::cop_Interrompi : TCancelOP::cop_Continua;
    };
    griglia->Incolla();
    EXPECT_EQ(RigheMemorizzate(), 7);

    // A pasted row that is gone: the message, the entry kept.
    {
        tabelle::TTable piana(nullptr, &sessione);
        piana.DatabaseName = cartella.percorso();
        piana.TableName = "Tratte.db";
        piana.Open();
        piana.Last();
        piana.Delete();
    }
    griglia->Annulla();
    EXPECT_EQ(Testi(), QStringList{"Errore Undo codice non trovato"});
    EXPECT_EQ(TipiGiornale(), QList<int>{undo_Incolla});
}

TEST_F(AppuntiTest, TagliaRispostoNoTieneLaCopiaENonCancella)
{
    Collega(3);
    tabella->SetRecNo(2);
    const qint64 id = Id();
    finto.Rispondi(messaggi::mrNo);
    griglia->Taglia();
    EXPECT_EQ(tabella->RecordCount(), 3);
    EXPECT_TRUE(griglia->IsIncolla());
    EXPECT_EQ(griglia->Operazione(), TipoOp::top_Nessuna);

    // Answered Yes: code 7 all the way, the row gone, then pasted back.
    QList<int> codici;
    griglia->OnAfterOperation = [&](TipoOp tipo, tabelle::TDataSet&) { codici << int(tipo); };
    finto.Rispondi(messaggi::mrYes);
    griglia->Taglia();
    EXPECT_EQ(codici, QList<int>{int(TipoOp::top_Taglia)});
    EXPECT_EQ(tabella->RecordCount(), 2);
    EXPECT_EQ(Memorizzato(id, "CodOp").toString(), "D");
    griglia->Incolla();
    EXPECT_EQ(tabella->RecordCount(), 3);
    tabella->Last();
    EXPECT_EQ(Id(), 5);
    EXPECT_EQ(tabella->FieldByName("PF1")->AsInteger(), 2);
}

TEST_F(AppuntiTest, AnnullaGliOrdinamentiFinoAQuelloVuoto)
{
    Collega(4);
    auto colonna = [&](const char* nome) -> TColumn& { return griglia->Columns()[griglia->Columns().IndiceDi(nome)]; };
    griglia->OrdinaColonna(colonna("ComunePF1"));
    griglia->OrdinaColonna(colonna("ComunePF1"));
    griglia->OrdinaColonna(colonna("PF1"));
    ASSERT_EQ(TipiGiornale(), QList<int>({undo_Ordine, undo_Ordine, undo_Ordine}));

    griglia->Annulla();
    EXPECT_EQ(griglia->CampoOrdine, "ComunePF1");
    EXPECT_EQ(griglia->Ordinamento, TOrdine::Down);
    EXPECT_TRUE(tabella->Discendente);
    EXPECT_EQ(tabella->ValoreRiga(0, 1).toString(), "C004");
    griglia->Annulla();
    EXPECT_EQ(griglia->CampoOrdine, "ComunePF1");
    EXPECT_EQ(griglia->Ordinamento, TOrdine::Up);
    EXPECT_EQ(tabella->ValoreRiga(0, 1).toString(), "C001");
    // The first sort recorded an empty field: the table's own order again.
    griglia->Annulla();
    EXPECT_TRUE(griglia->CampoOrdine.isEmpty());
    EXPECT_EQ(griglia->Ordinamento, TOrdine::Up);
    EXPECT_TRUE(tabella->CampiOrdine.isEmpty());
    EXPECT_EQ(tabella->ValoreRiga(0, 1).toString(), "C004");
    EXPECT_TRUE(TipiGiornale().isEmpty());
    EXPECT_TRUE(Testi().isEmpty()) << Testi().join("|").toStdString();
}

TEST_F(AppuntiTest, UnTestoOltre99CaratteriFermaLAnnullaETieneLaVoce)
{
    {
        TNewTable t(nullptr, &sessione);
        t.DatabaseName = cartella.percorso();
        t.SetTableName("Note.db");
        t.SvuotaCampiSistema();
        t.SvuotaCampiUtente();
        t.CreaTabella({"Nota,120"});
    }
    tabella = std::make_unique<TNewTable>(nullptr, &sessione);
    tabella->DatabaseName = cartella.percorso();
    tabella->SetTableName("Note.db");
    tabella->Riapri();
    sorgente.SetDataSet(tabella.get());
    griglia = std::make_unique<TNewDBGrid>();
    griglia->SetDataSource(&sorgente);
    tabella->Append();
    tabella->FieldByName("Nota")->SetAsString(QString(100, 'n'));
    tabella->Post();
    tabella->Edit();
    tabella->FieldByName("Nota")->SetAsString("breve");
    tabella->Post();
    ASSERT_EQ(TipiGiornale(), QList<int>({undo_Aggiunta, undo_Modifica}));
    griglia->Annulla();
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati.front().titolo, "Errore");
    EXPECT_EQ(TipiGiornale(), QList<int>({undo_Aggiunta, undo_Modifica}));
    EXPECT_EQ(Memorizzato(2, "Nota", "Note.db").toString(), "breve");
}

TEST_F(AppuntiTest, IlGiornaleNellaCartellaTemporaneaSparisceConLaGriglia)
{
    Collega(3);
    EXPECT_FALSE(griglia->IsUndo());
    TUndoTable* giornale = griglia->Giornale();
    ASSERT_TRUE(giornale);
    const QString file = giornale->Percorso();
    EXPECT_EQ(QFileInfo(file).absolutePath(), QFileInfo(temporanea).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(file).fileName().startsWith("UND"));
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_EQ(giornale->FieldNames(), QStringList({"ID_001_TABLE", "TIPOOP", "CODESTERNO", "CODINTERNO", "INFO"}));
    // Exclusive: another session cannot open it.
    tabelle::TSession altra;
    tabelle::TTable estranea(nullptr, &altra);
    estranea.DatabaseName = temporanea;
    estranea.TableName = QFileInfo(file).fileName();
    EXPECT_THROW(estranea.Open(), tabelle::EDBEngineError);

    // The return row of the deletions; a multiple deletion whose row is gone.
    giornale->RegistraEliminazione(*tabella);
    EXPECT_EQ(giornale->RigaDiRitorno(), 0);
    tabella->SetRecNo(3);
    giornale->RegistraEliminazione(*tabella);
    EXPECT_EQ(giornale->RigaDiRitorno(), 2);
    giornale->RegistraEliminazioni(*tabella, {2, 0});
    EXPECT_EQ(giornale->RigaDiRitorno(), 2);
    {
        tabelle::TTable piana(nullptr, &sessione);
        piana.DatabaseName = cartella.percorso();
        piana.TableName = "Tratte.db";
        piana.Open();
        piana.SetRecNo(2);
        piana.Delete();
    }
    griglia->Annulla();
    EXPECT_EQ(Testi(), QStringList({"Errore MultiSelect Undo codice non trovato", "Errore MultiSelect Undo codice non trovato"}));
    EXPECT_EQ(TipiGiornale(), QList<int>({undo_Eliminazione, undo_Eliminazione, undo_Eliminazioni, undo_Eliminazioni}));

    griglia.reset();
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_TRUE(QDir(temporanea).entryList(QDir::Files).filter("UND").isEmpty());
}

} // namespace
