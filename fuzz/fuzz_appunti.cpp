// The grids' clipboard file: the input is the file the registry points at.
// Its header is read; when it fits the table, its first records are pasted
// into a table of the archive's shape (emptied now and then).
#include "gridkit/modifica/clipfile.h"
#include "gridkit/tabella/newtable.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "registro/tregistry.h"
#include "tabelle/errore.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

struct Ambiente {
    QTemporaryDir cartella{QDir::temp().filePath(QStringLiteral("fuzz-appunti-XXXXXX"))};
    QString file;
    tabelle::TSession sessione;
    messaggi::ServizioMessaggiFinto finto;
    std::unique_ptr<messaggi::SostituzioneServizio> sostituzione;
    std::unique_ptr<tabelle::TTable> tabella;
    int incollati = 0;
};

Ambiente* ambiente = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    static Ambiente a;
    ambiente = &a;
    qputenv("TRATTE_REGISTRO", QFile::encodeName(a.cartella.filePath(QStringLiteral("registro"))));
    a.sostituzione = std::make_unique<messaggi::SostituzioneServizio>(a.finto);
    a.file = a.cartella.filePath(QStringLiteral("appunti.tmp"));
    {
        QFile f(a.file);
        if (!f.open(QIODevice::WriteOnly))
            abort();
    }
    registro::TRegistry r;
    r.OpenKey(gridkit::ChiaveClipboard(gridkit::FormatoQuery), true);
    r.WriteString(QStringLiteral("Path"), a.file);

    gridkit::TNewTable t(nullptr, &a.sessione);
    t.DatabaseName = a.cartella.path();
    t.SetTableName(QStringLiteral("Tratte.db"));
    t.SvuotaCampiSistema();
    t.SvuotaCampiUtente();
    t.CreaTabella({"ComunePF1,4", "PF1,I", "Distanza,N,12", "Flag,B", "Protocollo,13", "Data,D"});
    a.tabella = std::make_unique<tabelle::TTable>(nullptr, &a.sessione);
    a.tabella->DatabaseName = a.cartella.path();
    a.tabella->TableName = QStringLiteral("Tratte.db");
    a.tabella->Open();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t dimensione)
{
    {
        QFile f(ambiente->file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || f.write(reinterpret_cast<const char*>(dati), qint64(dimensione)) != qint64(dimensione))
            abort();
    }
    ambiente->finto.mostrati.clear();
    gridkit::TClipFile appunti;
    appunti.Apri(gridkit::FormatoQuery);
    if (appunti.Percorso() != ambiente->file)
        abort();
    tabelle::TTable& tabella = *ambiente->tabella;
    if (!appunti.Aperto() || !appunti.Compatibile(tabella))
        return 0;
    appunti.OnBeforeincolla = [](tabelle::TDataSet&, int, int posizione, gridkit::TCancelOP& cancel) {
        if (posizione > 4)
            cancel = gridkit::TCancelOP::cop_Interrompi;
    };
    try {
        appunti.Incolla(tabella);
    } catch (const tabelle::EDBEngineError&) {
        // A value the field does not take: the paste stops there.
    }
    if (++ambiente->incollati % 256 == 0) {
        tabella.Close();
        tabella.EmptyTable();
        tabella.Open();
    }
    return 0;
}
