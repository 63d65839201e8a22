#include "supporto_browser.h"

#include "gridkit/browser/recordbrowser.h"
#include "tabelle/connessione.h"
#include "tabelle/cursore.h"

#include <QLineEdit>
#include <QTest>

#include <numeric>

using namespace tabelle;

namespace prova {

std::unique_ptr<TTable> BrowserTest::Tabella(int righe, const QString& nome)
{
    auto t = std::make_unique<TTable>(nullptr, &sessione);
    t->DatabaseName = cartella.percorso();
    t->TableName = nome;
    t->FieldDefs.Add("ID_001_TABLE", TFieldType::ftAutoInc);
    t->FieldDefs.Add("Nome", TFieldType::ftString, 20);
    t->FieldDefs.Add("Valore", TFieldType::ftInteger);
    t->IndexDefs.Add("", "ID_001_TABLE", ixPrimary | ixUnique);
    t->CreateTable();
    t->Open();
    sessione.connessione().IniziaTransazione();
    for (int i = 1; i <= righe; ++i) {
        t->Append();
        t->FieldByName("Nome")->SetAsString(QStringLiteral("R%1").arg(i));
        t->FieldByName("Valore")->SetAsInteger(i);
        t->Post();
    }
    sessione.connessione().ConfermaTransazione();
    t->Close();
    t->Open();
    return t;
}

QStringList BrowserTest::Testi() const
{
    QStringList t;
    for (const auto& m : finto.mostrati)
        t << m.testo;
    return t;
}

DatasetGrande::DatasetGrande(TSession& sessione, int righe) : TDataSet(nullptr, &sessione), righe_(righe)
{
    BeforeScroll = [this](TDataSet&) { ++spostamenti; };
}

std::unique_ptr<Cursore> DatasetGrande::InternalOpen()
{
    DefinisciCampi({TFieldDef{QStringLiteral("Numero"), TFieldType::ftInteger}});
    ElencoChiavi chiavi(static_cast<size_t>(righe_));
    std::iota(chiavi.begin(), chiavi.end(), qint64(1));
    return std::make_unique<Cursore>(std::make_unique<Istruzione>(sessione().connessione(), QStringLiteral("SELECT :__k1")), 1,
                                     std::move(chiavi), [](int, const QVariant& v) { return v; });
}

void Digita(gridkit::TRecordBrowser& browser, const QString& testo, bool invio)
{
    browser.NumeroEdit->selectAll();
    if (testo.isEmpty())
        QTest::keyClick(browser.NumeroEdit, Qt::Key_Backspace);
    else
        QTest::keyClicks(browser.NumeroEdit, testo);
    if (invio)
        QTest::keyClick(browser.NumeroEdit, Qt::Key_Return);
}

} // namespace prova
