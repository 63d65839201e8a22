// Speed of the navigation on an archive of 5,000,000 rows over 10
// provinces: confirming a comune, the whole-province view, and scrolling
// the grid row by row with the directory lookup of every row, through the
// main window itself; against the equivalent plain SQL on an indexed SQLite
// table of the same rows, in the same run.
//
//   bench-navigazione CARTELLA ARCHIVIO_COMUNI LIBRERIA_BORGAL
#include "sintetico.h"

#include "app/archiviodati.h"
#include "app/configurazione.h"
#include "app/mainform.h"
#include "componenti/server.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "registro/treginifile.h"
#include "tabelle/protezione.h"
#include "tabelle/query.h"
#include "tabelle/tabella.h"

#include "gridkit/comune/avviografico.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>
#include <sqlcipher/sqlite3.h>

using namespace banco;

namespace {

double Ms(QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gridkit::AvvioGrafico grafica;
    if (app.arguments().size() != 4) {
        std::fprintf(stderr, "uso: bench-navigazione CARTELLA ARCHIVIO_COMUNI LIBRERIA_BORGAL\n");
        return 2;
    }
    const QString cartella = QDir(app.arguments()[1]).absolutePath();
    const QString archivio = QDir(app.arguments()[2]).absolutePath();
    qputenv("TRATTE_REGISTRO", (cartella + "/registro").toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", cartella.toLocal8Bit());
    PreparaArchivioNazionale(cartella, archivio);
    componenti::RegistraServer(app.arguments()[3]);
    registro::TRegIniFile chiave("\\Software\\QUINTOR\\COMMON\\BORGAL\\");
    chiave.WriteString("Archivi", "FileNameArchivioComuni", archivio + "/KWArchivioComuni.db");
    chiave.WriteString("Archivi", "FileNameArchivioStatiEsteri", archivio + "/KWEsteri.db");
    tratte::ScriviVisualizzaFinestra(false);

    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione(finto);
    tratte::TMainForm finestra(cartella + "/Tratte");
    finestra.resize(1000, 700);
    finestra.show();
    QApplication::processEvents();

    // One province, one of its comuni, then the whole province.
    finestra.ProvinceCB->setCurrentText("ROMA");
    finestra.ProvinceCBChange();
    const QString comune = "FRASCATI";
    std::vector<double> conferma, provincia;
    QString contiComune;
    for (int i = 0; i < Ripetizioni; ++i) {
        finestra.ComuniCB->setCurrentText(comune);
        QElapsedTimer t;
        t.start();
        finestra.ComuniCBChange();
        (void)finestra.NewDBGrid1->grab();
        conferma.push_back(Ms(t));
        contiComune = finestra.Pannello(3);
        finestra.ComuniCB->setCurrentText("Tutti i Comuni");
        t.restart();
        finestra.ComuniCBChange();
        (void)finestra.NewDBGrid1->grab();
        provincia.push_back(Ms(t));
    }
    // Row by row through the whole province, as the Down key does.
    std::vector<double> righe;
    finestra.Table.First();
    for (int i = 0; i < 300; ++i) {
        QElapsedTimer t;
        t.start();
        finestra.Table.Next();
        (void)finestra.NewDBGrid1->grab();
        righe.push_back(Ms(t));
    }
    const QString contiProvincia = finestra.Pannello(3);

    // The baseline: the same statements on the plain indexed table.
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(cartella + "/base.db").constData(), &db);
    sqlite3* comuni = nullptr;
    const QString comuniInChiaro = cartella + "/comuni.db";
    if (!QFile::exists(comuniInChiaro)) {
        QFile::copy(archivio + "/KWArchivioComuni.db", comuniInChiaro);
        tabelle::TSession s;
        s.AddPassword(tratte::PasswordTabelle);
        tabelle::ImpostaPasswordTabella(s, comuniInChiaro, QString());
    }
    sqlite3_open(QFile::encodeName(comuniInChiaro).constData(), &comuni);
    auto conta = [&](const char* sql, const QByteArray& valore) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
        sqlite3_bind_text(st, 1, valore.constData(), -1, SQLITE_TRANSIENT);
        int n = 0;
        while (sqlite3_step(st) == SQLITE_ROW)
            ++n;
        sqlite3_finalize(st);
        return n;
    };
    std::vector<double> confermaBase, provinciaBase, righeBase;
    for (int i = 0; i < Ripetizioni; ++i) {
        QElapsedTimer t;
        t.start();
        conta("SELECT rowid FROM dati WHERE rowid > 1 AND ComunePF1 = ?1 ORDER BY rowid", "D773");
        confermaBase.push_back(Ms(t));
        t.restart();
        conta("SELECT rowid FROM dati WHERE rowid > 1 AND Provincia = ?1 ORDER BY rowid", "RM");
        provinciaBase.push_back(Ms(t));
    }
    sqlite3_stmt* riga = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM dati WHERE rowid = ?1", -1, &riga, nullptr);
    sqlite3_stmt* cerca = nullptr;
    sqlite3_prepare_v2(comuni, "SELECT * FROM dati WHERE CodiceFiscale = ?1 LIMIT 1", -1, &cerca, nullptr);
    for (int i = 0; i < 300; ++i) {
        QElapsedTimer t;
        t.start();
        sqlite3_bind_int64(riga, 1, 2 + i);
        sqlite3_step(riga);
        const QByteArray codice(reinterpret_cast<const char*>(sqlite3_column_text(riga, 4)));
        sqlite3_reset(riga);
        sqlite3_bind_text(cerca, 1, codice.constData(), -1, SQLITE_TRANSIENT);
        sqlite3_step(cerca);
        sqlite3_reset(cerca);
        righeBase.push_back(Ms(t));
    }
    sqlite3_finalize(riga);
    sqlite3_finalize(cerca);
    sqlite3_close(comuni);
    sqlite3_close(db);

    std::printf("Navigazione su %d righe in 10 province, finestra principale, mediane\n", RigheNazionali);
    std::printf("%-46s %12s %12s\n", "misura", "programma", "SQLite");
    std::printf("%-46s %9.1f ms %9.2f ms\n", qPrintable("conferma di " + comune + " (" + contiComune + " righe)"), Mediana(conferma),
                Mediana(confermaBase));
    std::printf("%-46s %9.1f ms %9.2f ms\n", qPrintable("intera provincia ROMA (" + contiProvincia + " righe)"), Mediana(provincia),
                Mediana(provinciaBase));
    std::printf("%-46s %9.2f ms %9.3f ms\n", "una riga più giù, con la ricerca del comune", Mediana(righe), Mediana(righeBase));
    std::printf("memoria residente (picco): %.1f MB\n", MemoriaResidenteKb("VmHWM:") / 1024.0);
    return 0;
}
