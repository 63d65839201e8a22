#include "supporto_modifica.h"

#include "gridkit/modifica/undotable.h"
#include "tabelle/campo.h"
#include "tabelle/tabella.h"

ProvaModifica::ProvaModifica() : temporanea(cartella.sottocartella("tmp")), tmpdirPrecedente_(qgetenv("TMPDIR"))
{
    qputenv("TMPDIR", temporanea.toLocal8Bit());
}

ProvaModifica::~ProvaModifica()
{
    griglia.reset();
    if (tmpdirPrecedente_.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", tmpdirPrecedente_);
}

void ProvaModifica::Collega(int righe, bool multipla)
{
    CreaTratte(righe);
    tabella = ApriTratte(false);
    sorgente.SetDataSet(tabella.get());
    griglia = std::make_unique<gridkit::TNewDBGrid>();
    if (multipla) {
        gridkit::TDBGridOptions opzioni = griglia->Options();
        opzioni.aggiungi(gridkit::TDBGridOption::dgMultiSelect);
        griglia->SetOptions(opzioni);
    }
    griglia->SetDataSource(&sorgente);
    Mostra(*griglia, 800, 300);
}

QVariant ProvaModifica::Memorizzato(qint64 id, const QString& campo, const QString& nome)
{
    tabelle::TTable t(nullptr, &sessione);
    t.DatabaseName = cartella.percorso();
    t.TableName = nome;
    t.IndexFieldNames = "ID_001_TABLE";
    t.SetRange({id}, {id});
    t.Open();
    return t.IsEmpty() ? QVariant() : t.FieldByName(campo)->Value();
}

int ProvaModifica::RigheMemorizzate(const QString& nome)
{
    tabelle::TTable t(nullptr, &sessione);
    t.DatabaseName = cartella.percorso();
    t.TableName = nome;
    t.Open();
    return t.RecordCount();
}

QList<int> ProvaModifica::TipiGiornale() const
{
    QList<int> tipi;
    gridkit::TUndoTable* giornale = griglia ? griglia->Giornale() : nullptr;
    for (int r = 0; giornale && giornale->Active() && r < giornale->RecordCount(); ++r)
        tipi << giornale->ValoreRiga(r, giornale->FieldByName("TIPOOP")->Index()).toInt();
    return tipi;
}

qint64 ProvaModifica::Id() const { return tabella->FieldByName("ID_001_TABLE")->AsInteger(); }
