#include "supporto_griglia.h"

#include "tabelle/tabella.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

void ProvaGriglia::CreaTratte(int righe)
{
    gridkit::TNewTable t(nullptr, &sessione);
    t.DatabaseName = cartella.percorso();
    t.SetTableName("Tratte.db");
    t.SvuotaCampiSistema();
    t.SvuotaCampiUtente();
    t.CreaTabella({"ComunePF1,4", "PF1,I", "Distanza,N,12", "Flag,B", "Protocollo,13"});
    tabelle::TTable piana(nullptr, &sessione);
    piana.DatabaseName = cartella.percorso();
    piana.TableName = "Tratte.db";
    piana.Open();
    for (int i = 0; i < righe; ++i) {
        piana.Append();
        piana.FieldByName("ComunePF1")->SetAsString(QStringLiteral("C%1").arg(righe - i, 3, 10, QChar('0')));
        piana.FieldByName("PF1")->SetAsInteger(i + 1);
        piana.FieldByName("Distanza")->SetAsFloat(10.5 + i);
        if (i % 3 == 1)
            piana.FieldByName("Flag")->SetAsBoolean(true);
        else if (i % 3 == 2)
            piana.FieldByName("Flag")->SetAsBoolean(false);
        piana.FieldByName("Protocollo")->SetAsString(QStringLiteral("PR%1").arg(i, 11, 10, QChar('0')));
        piana.Post();
    }
}

std::unique_ptr<gridkit::TNewTable> ProvaGriglia::ApriTratte(bool soloLettura)
{
    auto t = std::make_unique<gridkit::TNewTable>(nullptr, &sessione);
    t->DatabaseName = cartella.percorso();
    t->SetTableName("Tratte.db");
    t->ReadOnly = soloLettura;
    t->Riapri();
    return t;
}

QStringList ProvaGriglia::Testi() const
{
    QStringList testi;
    for (const auto& m : finto.mostrati)
        testi << m.testo;
    return testi;
}

void ProvaGriglia::Mostra(QWidget& w, int larghezza, int altezza)
{
    w.resize(larghezza, altezza);
    w.show();
    (void)QTest::qWaitForWindowExposed(&w);
    QApplication::processEvents();
}
