#pragma once
// Shared by the command tests: "Nomi.db" (Nome alpha 20, Valore number,
// Flag boolean, Note memo) with four rows, in an enhanced grid shown
// offscreen: Rossini 12.5001 false, Bianchi 1 NULL, Rossi 12.50003 true,
// Verdi 7 false.
#include "gridkit/griglia/newdbgrid.h"
#include "supporto_griglia.h"
#include "tabelle/campo.h"
#include "tabelle/tabella.h"

#include <memory>

class ProvaComandi : public ProvaGriglia {
protected:
    void SetUp() override
    {
        gridkit::TNewTable t(nullptr, &sessione);
        t.DatabaseName = cartella.percorso();
        t.SetTableName("Nomi.db");
        t.SvuotaCampiUtente();
        t.CreaTabella({"Nome,20", "Valore,N,12,5", "Flag,B", "Note,MEMO"});
        tabelle::TTable piana(nullptr, &sessione);
        piana.DatabaseName = cartella.percorso();
        piana.TableName = "Nomi.db";
        piana.Open();
        struct Riga {
            const char* nome;
            double valore;
            int flag; // -1 NULL
        };
        for (const Riga& r : {Riga{"Rossini", 12.5001, 0}, Riga{"Bianchi", 1, -1}, Riga{"Rossi", 12.50003, 1},
                              Riga{"Verdi", 7, 0}}) {
            piana.Append();
            piana.FieldByName("Nome")->SetAsString(r.nome);
            piana.FieldByName("Valore")->SetAsFloat(r.valore);
            if (r.flag >= 0)
                piana.FieldByName("Flag")->SetAsBoolean(r.flag == 1);
            piana.FieldByName("Note")->SetAsString(QStringLiteral("nota di %1").arg(r.nome));
            piana.Post();
        }
        tabella = std::make_unique<gridkit::TNewTable>(nullptr, &sessione);
        tabella->DatabaseName = cartella.percorso();
        tabella->SetTableName("Nomi.db");
        tabella->Riapri();
        sorgente.SetDataSet(tabella.get());
        griglia = std::make_unique<gridkit::TNewDBGrid>();
        griglia->SetDataSource(&sorgente);
        Mostra(*griglia, 800, 300);
    }
    void TearDown() override { griglia.reset(); }

    QString Nome() const { return tabella->FieldByName("Nome")->AsString(); }

    std::unique_ptr<gridkit::TNewTable> tabella;
    tabelle::TDataSource sorgente;
    std::unique_ptr<gridkit::TNewDBGrid> griglia;
};
