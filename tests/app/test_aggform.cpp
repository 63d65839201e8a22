// The update dialog and the delete-province dialog on the main window: the
// folder and floppy series with their messages, the replacement questions,
// the mended ending of a failed load, the key filter, the source proposed,
// deleting one of two provinces and the last one; tratte-cli carica and
// elimina.
#include "app/caricamento/taggform.h"
#include "app/caricamento/tdelprvform.h"
#include "app/mainform.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "supporto/cartella_temporanea.h"
#include "supporto_app.h"
#include "supporto_dis.h"
#include "tabelle/query.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace tratte;
using prova::Riga;
using prova::ScriviDis;

namespace {

// The scripted service, with a hook run at every box: it can change the
// disk in the drive or look at the dialog while the box is up.
class Servizio : public messaggi::ServizioMessaggiFinto {
public:
    std::function<void(const messaggi::Messaggio&)> AlMessaggio;
    int mostra(const messaggi::Messaggio& m, QWidget* genitore) override
    {
        if (AlMessaggio)
            AlMessaggio(m);
        return ServizioMessaggiFinto::mostra(m, genitore);
    }
};

class AggFormTest : public ::testing::Test {
protected:
    CartellaTemporanea cartella;
    Servizio finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    QString programma = cartella.sottocartella("Tratte");
    QString disco = cartella.sottocartella("floppy");
    std::function<QStringList()> cdromPrima = TAggForm::UnitaCdRom;
    std::unique_ptr<TMainForm> f;
    std::unique_ptr<TAggForm> agg;
    std::unique_ptr<TDelPrvForm> del;

    void SetUp() override
    {
        QDir(programma).mkpath("Archivi");
        prova::RegistraDirectory();
        qputenv("TRATTE_UNITA_A", disco.toLocal8Bit());
        TAggForm::UnitaCdRom = [] { return QStringList(); };
        Avvia();
    }
    void TearDown() override
    {
        del.reset();
        agg.reset();
        f.reset();
        TAggForm::UnitaCdRom = cdromPrima;
        qunsetenv("TRATTE_UNITA_A");
    }

    void Avvia()
    {
        del.reset();
        agg.reset();
        f.reset();
        f = std::make_unique<TMainForm>(programma);
        f->show();
        QApplication::processEvents();
        agg = std::make_unique<TAggForm>(*f);
        del = std::make_unique<TDelPrvForm>(*f);
        finto.mostrati.clear();
    }

    // The dialog as "Aggiorna" shows it, then OK on a folder.
    int CaricaCartella(const QString& serie)
    {
        agg->show();
        agg->DirectoryEdit->setText(serie);
        agg->StartBTClick();
        const int r = agg->result();
        agg->hide();
        return r;
    }

    QString Serie(const QString& nome, const QMap<QString, QList<QByteArray>>& file)
    {
        const QString dir = cartella.sottocartella(nome);
        for (auto it = file.begin(); it != file.end(); ++it)
            ScriviDis(dir + "/" + it.key(), it.value());
        return dir;
    }

    // Puts a disk holding one file in drive A:.
    void Inserisci(const QString& nome, const QList<QByteArray>& righe)
    {
        QDir(disco).removeRecursively();
        QDir().mkpath(disco);
        if (!nome.isEmpty())
            ScriviDis(disco + "/" + nome, righe);
    }

    int Righe(const QString& dove = QString())
    {
        tabelle::TQuery q;
        q.DatabaseName = "Database";
        q.SQL << "Select count(*) from \"Tratte.db\" Where ID_001_TABLE > 1" + (dove.isEmpty() ? QString() : " and " + dove);
        q.Open();
        return q.Fields(0)->AsInteger();
    }

    QStringList Testi() const
    {
        QStringList t;
        for (const auto& m : finto.mostrati)
            t << m.titolo + ": " + m.testo;
        return t;
    }

    static QStringList Voci(const QComboBox* c)
    {
        QStringList v;
        for (int i = 0; i < c->count(); ++i)
            v << c->itemText(i);
        return v;
    }
    QStringList VociPrv() const
    {
        QStringList v;
        for (int i = 0; i < del->PrvList->count(); ++i)
            v << del->PrvList->item(i)->text();
        return v;
    }
};

} // namespace

TEST_F(AggFormTest, ControlliESorgenteProposta)
{
    EXPECT_EQ(agg->windowTitle(), "Aggiornamento");
    EXPECT_EQ(agg->SceltaGB->title(), "Caricamento da");
    EXPECT_EQ(agg->DirEdit->text(), QDir::toNativeSeparators(programma + "/Archivi"));
    EXPECT_EQ(agg->EndBT->text(), "Annulla");
    EXPECT_EQ(agg->HelpBT->text(), "&Aiuto");
    EXPECT_EQ(agg->property("helpContext").toInt(), 10);
    // No CD-ROM: drive A:, with the number of disks.
    agg->show();
    EXPECT_EQ(agg->DirectoryEdit->text(), "A:\\");
    EXPECT_EQ(agg->Label6->text(), "Disco N.");
    EXPECT_TRUE(agg->NDiskEdit->isVisible());
    EXPECT_EQ(agg->NDiskEdit->text(), "0");
    agg->DirectoryEdit->setText("/home/dati");
    EXPECT_EQ(agg->Label6->text(), "File N.");
    EXPECT_FALSE(agg->NDiskEdit->isVisible());
    agg->hide();
    // The last CD-ROM drive is proposed.
    TAggForm::UnitaCdRom = [] { return QStringList{"/media/cdrom0", "/media/cdrom1"}; };
    agg->show();
    EXPECT_EQ(agg->DirectoryEdit->text(), "/media/cdrom1");
    agg->hide();

    // The number of disks takes digits only; Enter starts the load.
    agg->show();
    agg->DirectoryEdit->setText("A:\\");
    agg->NDiskEdit->clear();
    QTest::keyClicks(agg->NDiskEdit, "1a.x2");
    EXPECT_EQ(agg->NDiskEdit->text(), "12");
    EXPECT_EQ(agg->NumeroDischi, 12);
    finto.Rispondi(messaggi::mrCancel);
    QTest::keyClick(agg->NDiskEdit, Qt::Key_Return);
    EXPECT_EQ(Testi(), QStringList{"Richiesta: Inserisci il Disco N° 1"});
    // Zero disks.
    finto.mostrati.clear();
    agg->NDiskEdit->setText("0");
    agg->StartBTClick();
    EXPECT_EQ(Testi(), QStringList{"AVVISO: Devi inserire il numero di dischi ...!"});
    agg->hide();
}

TEST_F(AggFormTest, SerieInCartellaConProgressoEComune)
{
    QByteArray lunga(6800 - 2, ' '); // with its CR LF, 6800 bytes
    const QString serie = Serie("serie", {{"rm099901.dis", {Riga("H501", 1, 2), Riga("H501", 2, 3)}},
                                          {"rm099902.dis", {Riga("G811", 1, 2)}},
                                          {"rm099903.dis", {lunga.replace(0, 75, Riga("G811", 3, 4))}}});
    QStringList durante;
    finto.AlMessaggio = [&](const messaggi::Messaggio& m) {
        if (m.testo == "Aggiornamento Terminato ...")
            durante << agg->ProvEdit->text() << agg->TafEdit->text() << agg->ComuneEdit->text() << agg->CDiskEdit->text()
                    << QString::number(agg->PBNumDisk->maximum()) << QString::number(agg->PBLenFile->maximum())
                    << QString::number(agg->StartBT->isEnabled());
    };
    EXPECT_EQ(CaricaCartella(serie), 6);
    EXPECT_EQ(Testi(), QStringList{"AVVISO: Aggiornamento Terminato ..."});
    EXPECT_EQ(durante, (QStringList{"ROMA", "G811", "POMEZIA", "3", "3", "100", "0"}));
    EXPECT_EQ(Righe("Provincia = 'RM'"), 4);
    // The lists know the province; the form is reset and usable again.
    EXPECT_TRUE(Voci(f->ProvinceCB).contains("ROMA"));
    EXPECT_EQ(VociPrv(), QStringList{"ROMA"});
    EXPECT_TRUE(agg->StartBT->isEnabled());
    EXPECT_TRUE(agg->EndBT->isEnabled());
    EXPECT_TRUE(agg->ProvEdit->text().isEmpty());
    EXPECT_EQ(agg->PBNumDisk->value(), 0);
}

TEST_F(AggFormTest, SostituzioneEdErroreNelTerzoFile)
{
    ASSERT_EQ(CaricaCartella(Serie("vecchia", {{"rm099901.dis", {Riga("H501", 1, 2), Riga("H501", 2, 3)}}})), 6);
    f->ProvinceCB->setCurrentText("ROMA");
    f->ProvinceCBChange();
    f->ComuniCB->setCurrentText("Tutti i Comuni");
    f->ComuniCBChange();
    ASSERT_EQ(f->Table.RecordCount(), 2);
    const QStringList province = Voci(f->ProvinceCB);
    finto.mostrati.clear();

    QByteArray sbagliata = Riga("H501", 9, 10);
    sbagliata.replace(6, 4, "00A2");
    const QString nuova = Serie("nuova", {{"rm032601.dis", {Riga("H501", 3, 4)}}, {"rm032602.dis", {Riga("H501", 4, 5)}},
                                          {"rm032603.dis", {Riga("H501", 5, 6), sbagliata}}});
    // Cancel at the question: nothing changes, the dialog stays open.
    finto.Rispondi(messaggi::mrCancel);
    EXPECT_EQ(CaricaCartella(nuova), 0);
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati[0].testo, "Data corrente installazione 99/09. Sostituire con data 26/03 ?");
    EXPECT_EQ(finto.mostrati[0].titolo, "Attenzione");
    EXPECT_EQ(finto.mostrati[0].pulsanti, messaggi::Pulsanti::OkAnnulla);
    EXPECT_EQ(finto.mostrati[0].predefinito, 1);
    EXPECT_EQ(Righe(), 2);

    // OK, then a sheet that is no number in the third file: all of it undone.
    finto.mostrati.clear();
    finto.Rispondi(messaggi::mrOk);
    EXPECT_EQ(CaricaCartella(nuova), 0);
    ASSERT_EQ(finto.mostrati.size(), 2) << Testi().join('\n').toStdString();
    EXPECT_EQ(finto.mostrati[1].titolo, "Errore");
    EXPECT_TRUE(finto.mostrati[1].testo.startsWith("Errore nel file \"rm032603.dis\", riga 2, campo FoglioPF1: '00A2'"))
        << finto.mostrati[1].testo.toStdString();
    EXPECT_EQ(Righe(), 2);
    EXPECT_EQ(Righe("PF1 = 1"), 1);
    EXPECT_EQ(Voci(f->ProvinceCB), province);
    EXPECT_EQ(VociPrv(), QStringList{"ROMA"});
    EXPECT_EQ(f->Table.RecordCount(), 2);
    EXPECT_TRUE(agg->StartBT->isEnabled());
    EXPECT_TRUE(agg->ProvEdit->text().isEmpty());
}

TEST_F(AggFormTest, SerieSuDischi)
{
    // Disk 2 first, then disk 1; disk 2 of another province, then the right one.
    QList<std::function<void()>> dischi = {
        [&] { Inserisci("rm099902.dis", {Riga("H501", 3, 4)}); },
        [&] { Inserisci("rm099901.dis", {Riga("H501", 1, 2), Riga("H501", 2, 3)}); },
        [&] { Inserisci("vt099902.dis", {Riga("M082", 1, 2)}); },
        [&] { Inserisci("rm099902.dis", {Riga("H501", 3, 4)}); },
    };
    QStringList statoDurante;
    finto.AlMessaggio = [&](const messaggi::Messaggio& m) {
        if (m.titolo == "Richiesta" && !dischi.isEmpty())
            dischi.takeFirst()();
        // While the procedure runs, keys and the close box do nothing.
        QTest::keyClick(agg->NDiskEdit, Qt::Key_5);
        agg->reject();
        statoDurante << agg->NDiskEdit->text() + QString::number(agg->isVisible()) + QString::number(agg->EndBT->isEnabled());
    };
    agg->show();
    agg->DirectoryEdit->setText("A:\\");
    agg->NDiskEdit->setText("2");
    agg->StartBTClick();
    EXPECT_EQ(statoDurante, QStringList(6, "210"));
    EXPECT_EQ(agg->NDiskEdit->text(), "0");
    EXPECT_EQ(Testi(), (QStringList{"Richiesta: Inserisci il Disco N° 1", "Richiesta: Inserisci il Disco N° 1",
                                    "Richiesta: Inserisci il Disco N° 2",
                                    "***ATTENZIONE***: Il Disco inserito non appartiene al Comune in corso ...",
                                    "Richiesta: Inserisci il Disco N° 2", "AVVISO: Aggiornamento Terminato ..."}));
    EXPECT_EQ(agg->result(), 6);
    EXPECT_EQ(Righe("Provincia = 'RM'"), 3);
    agg->hide();
}

TEST_F(AggFormTest, DischiAnnullatiEUnitaIlleggibile)
{
    agg->show();
    agg->DirectoryEdit->setText("A:\\");
    // Cancelled before the first disk: nothing happens.
    agg->NDiskEdit->setText("2");
    finto.Rispondi(messaggi::mrCancel);
    agg->StartBTClick();
    EXPECT_EQ(Righe(), 0);

    // Cancelled at disk 2: the province is undone.
    Inserisci("rm099901.dis", {Riga("H501", 1, 2)});
    agg->NDiskEdit->setText("2");
    finto.Rispondi(messaggi::mrOk);
    finto.Rispondi(messaggi::mrCancel);
    agg->StartBTClick();
    EXPECT_EQ(Righe(), 0);
    EXPECT_FALSE(Voci(f->ProvinceCB).contains("ROMA"));

    // The drive cannot be read at disk 2: disk 1 stays loaded.
    finto.mostrati.clear();
    agg->NDiskEdit->setText("2");
    finto.AlMessaggio = [&](const messaggi::Messaggio& m) {
        if (m.testo == "Inserisci il Disco N° 2")
            QDir(disco).removeRecursively();
    };
    finto.Rispondi(messaggi::mrOk);
    finto.Rispondi(messaggi::mrOk);
    finto.Rispondi(messaggi::mrCancel);
    agg->StartBTClick();
    EXPECT_EQ(Testi(), (QStringList{"Richiesta: Inserisci il Disco N° 1", "Richiesta: Inserisci il Disco N° 2",
                                    "Attenzione: Impossibile accedere all' unità  A:"}));
    EXPECT_EQ(agg->result(), 0);
    EXPECT_EQ(Righe(), 1);
    EXPECT_TRUE(Voci(f->ProvinceCB).contains("ROMA"));

    // A disk whose file is not named as a series file.
    finto.mostrati.clear();
    finto.AlMessaggio = nullptr;
    Inserisci("rm09.dis", {Riga("H501", 1, 2)});
    agg->NDiskEdit->setText("1");
    finto.Rispondi(messaggi::mrOk);
    agg->StartBTClick();
    EXPECT_EQ(Testi(), (QStringList{"Richiesta: Inserisci il Disco N° 1", "*** ERRORE ***: Errore nell' apertura del file .dis"}));
    EXPECT_EQ(Righe(), 1);
    agg->hide();
}

TEST_F(AggFormTest, IlDialogoRestaVivoDuranteUnFileGrande)
{
    QList<QByteArray> righe;
    for (int i = 0; i < 30000; ++i)
        righe << Riga(i < 15000 ? "H501" : "G811", i % 90 + 1, i % 89 + 2);
    const QString serie = Serie("grande", {{"rm099901.dis", righe}});
    // A timer of the event loop sees the bar move and the comune change.
    QStringList visti;
    QTimer orologio;
    QObject::connect(&orologio, &QTimer::timeout, [&] {
        const QString v = agg->ComuneEdit->text() + "@" + QString::number(agg->PBLenFile->value() > 0);
        if (visti.isEmpty() || visti.last() != v)
            visti << v;
    });
    orologio.start(0);
    EXPECT_EQ(CaricaCartella(serie), 6);
    EXPECT_TRUE(visti.contains("ROMA@1")) << visti.join(' ').toStdString();
    EXPECT_TRUE(visti.contains("POMEZIA@1")) << visti.join(' ').toStdString();
    EXPECT_EQ(Righe(), 30000);
    // Annulla closes with result 3.
    agg->show();
    agg->EndBT->click();
    EXPECT_EQ(agg->result(), messaggi::mrAbort);
}

TEST_F(AggFormTest, CartellaDiArchiviazioneMancante)
{
    QDir(programma + "/Archivi").rename(programma + "/Archivi", programma + "/Altrove");
    agg->show();
    agg->DirectoryEdit->setText(cartella.percorso());
    agg->StartBTClick();
    EXPECT_EQ(Testi(), QStringList{"ATTENZIONE: La Directory specificata non esiste ..."});
    agg->hide();
    QDir(programma + "/Altrove").rename(programma + "/Altrove", programma + "/Archivi");
}

TEST_F(AggFormTest, AggiornaDallaFinestraPrincipale)
{
    const QString serie = Serie("serie", {{"rm099901.dis", {Riga("H501", 1, 2)}}});
    finto.ScriviModale([&](QDialog& d) {
        auto& a = dynamic_cast<TAggForm&>(d);
        a.DirectoryEdit->setText(serie);
        a.StartBTClick();
        return a.result();
    });
    f->UpdateBtClick();
    EXPECT_EQ(Voci(f->ProvinceCB), (QStringList{"Tutte le province", "ROMA"}));
    // The start-up notice; "Aggiornamento Terminato ...", then the instructions window.
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.finestreMostrate, (QStringList{"AvvisoForm", "AggForm", "IstruzioniForm"}));
    EXPECT_FALSE(f->Table.TDataSet::Active());
}

TEST_F(AggFormTest, EliminaUnaDiDueProvinceEPoiLUltima)
{
    ASSERT_EQ(CaricaCartella(Serie("rm", {{"rm099901.dis", {Riga("H501", 1, 2), Riga("H501", 2, 3)}}})), 6);
    ASSERT_EQ(CaricaCartella(Serie("vt", {{"vt099901.dis", {Riga("M082", 1, 2)}}})), 6);
    Avvia(); // the list is filled at creation
    EXPECT_EQ(VociPrv(), (QStringList{"ROMA", "VITERBO"}));
    int attese = 0;
    struct Spia : QObject {
        int& n;
        explicit Spia(int& c) : n(c) {}
        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (e->type() == QEvent::Show && o->objectName() == "CancProvForm")
                ++n;
            return false;
        }
    } spia(attese);
    qApp->installEventFilter(&spia);

    // OK with nothing chosen: closed, no question.
    del->OkBTClick();
    EXPECT_EQ(del->result(), messaggi::mrCancel);
    EXPECT_TRUE(finto.mostrati.isEmpty());
    // No: the dialog stays, the choice too.
    del->PrvList->setCurrentRow(0);
    finto.Rispondi(messaggi::mrNo);
    del->setResult(0);
    del->OkBTClick();
    EXPECT_EQ(del->result(), 0);
    EXPECT_EQ(del->PrvList->currentItem()->text(), "ROMA");
    EXPECT_EQ(Testi(), QStringList{"Avviso: Sei sicuro di volere eliminare la provincia ?"});

    // Yes: only Rome's rows go, with the wait window.
    f->ProvinceCB->setCurrentText("ROMA");
    f->ProvinceCBChange();
    finto.Rispondi(messaggi::mrYes);
    del->OkBTClick();
    EXPECT_EQ(del->result(), messaggi::mrOk);
    EXPECT_EQ(attese, 1);
    EXPECT_EQ(Righe(), 1);
    EXPECT_EQ(VociPrv(), QStringList{"VITERBO"});
    EXPECT_EQ(Voci(f->ProvinceCB), (QStringList{"Tutte le province", "VITERBO"}));
    EXPECT_TRUE(f->ProvinceCB->currentText().isEmpty());
    EXPECT_EQ(f->ComuniCB->count(), 0);
    EXPECT_FALSE(f->Table.TDataSet::Active());
    EXPECT_FALSE(f->StampaBt->isEnabled());
    EXPECT_TRUE(del->AnnullaBT->isEnabled());

    // The last one: the archive is emptied, without the wait window.
    del->PrvList->setCurrentRow(0);
    finto.Rispondi(messaggi::mrYes);
    del->OkBTClick();
    qApp->removeEventFilter(&spia);
    EXPECT_EQ(attese, 1);
    EXPECT_EQ(Righe(), 0);
    EXPECT_EQ(Voci(f->ProvinceCB), QStringList{"Tutte le province"});
    EXPECT_EQ(del->PrvList->count(), 0);
}

// ---------------------------------------------------------------- tratte-cli

namespace {

struct EsitoCli {
    int codice;
    QString uscita, errori;
};

EsitoCli Cli(const QStringList& argomenti)
{
    QProcess p;
    p.start(QStringLiteral(TRATTE_CLI), argomenti);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

// tratte-cli with its standard error on a terminal (a pseudo-terminal) and
// its standard output on a pipe.
EsitoCli CliSuTerminale(const QStringList& argomenti)
{
    int terminale = -1, lato = -1, tubo[2] = {-1, -1};
    if (openpty(&terminale, &lato, nullptr, nullptr, nullptr) != 0 || pipe(tubo) != 0)
        return {-1, {}, QStringLiteral("openpty/pipe non riusciti")};
    QList<QByteArray> parole{QByteArray(TRATTE_CLI)};
    for (const QString& a : argomenti)
        parole << a.toLocal8Bit();
    std::vector<char*> argv;
    for (QByteArray& p : parole)
        argv.push_back(p.data());
    argv.push_back(nullptr);
    const pid_t figlio = fork();
    if (figlio == 0) {
        dup2(lato, 2);
        dup2(tubo[1], 1);
        close(terminale);
        close(lato);
        close(tubo[0]);
        close(tubo[1]);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(lato);
    close(tubo[1]);
    QByteArray uscita, errori;
    // Both read as they come, until the program has closed both.
    pollfd attesa[2] = {{terminale, POLLIN, 0}, {tubo[0], POLLIN, 0}};
    QByteArray* destinazione[2] = {&errori, &uscita};
    int aperti = 2;
    while (aperti > 0 && poll(attesa, 2, 60000) > 0) {
        for (int i = 0; i < 2; ++i) {
            if (attesa[i].fd < 0 || !(attesa[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            char blocco[4096];
            const ssize_t letti = read(attesa[i].fd, blocco, sizeof blocco);
            if (letti > 0) {
                destinazione[i]->append(blocco, letti);
            } else {
                attesa[i].fd = -1;
                --aperti;
            }
        }
    }
    close(terminale);
    close(tubo[0]);
    int stato = 0;
    waitpid(figlio, &stato, 0);
    return {WIFEXITED(stato) ? WEXITSTATUS(stato) : -1, QString::fromUtf8(uscita), QString::fromUtf8(errori)};
}

} // namespace

TEST(TratteCliCarica, AvanzamentoSoloSuUnTerminale)
{
    CartellaTemporanea cartella;
    const QString programma = cartella.sottocartella("Tratte");
    QDir(programma).mkpath("Archivi");
    prova::RegistraDirectory();
    const QString serie = cartella.sottocartella("serie");
    ScriviDis(serie + "/rm099901.dis", {Riga("H501", 1, 2), Riga("H501", 2, 3)});
    ScriviDis(serie + "/rm099902.dis", {Riga("G811", 3, 4)});

    // Standard error a terminal: file, comune and share on one line
    // rewritten in place, cleared at the end; standard output as ever.
    EsitoCli e = CliSuTerminale({"--programma", programma, "carica", serie});
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_EQ(e.uscita, "RM\t3\n");
    EXPECT_TRUE(e.errori.startsWith("\r\033[KFile 1/2 rm099901.dis  comune -  0%")) << e.errori.toStdString();
    EXPECT_TRUE(e.errori.contains("\r\033[KFile 2/2 rm099902.dis  comune H501  0%")) << e.errori.toStdString();
    EXPECT_TRUE(e.errori.endsWith("\r\033[K")) << e.errori.toStdString();
    EXPECT_FALSE(e.errori.contains('\n')) << e.errori.toStdString();
    // The replacement's question and the deletion of the old rows.
    e = CliSuTerminale({"--programma", programma, "carica", serie, "--sostituisci"});
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_TRUE(e.errori.contains("Sostituire con data 99/09 ? OK")) << e.errori.toStdString();
    EXPECT_TRUE(e.errori.contains("\r\033[KCancellazione dei dati precedenti in corso... 0 s")) << e.errori.toStdString();
    e = CliSuTerminale({"--programma", programma, "elimina", "RM"});
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_EQ(e.uscita, "RM\teliminata\n");
    EXPECT_TRUE(e.errori.startsWith("\r\033[KCancellazione dei dati di RM in corso... 0 s")) << e.errori.toStdString();
    EXPECT_TRUE(e.errori.endsWith("\r\033[K")) << e.errori.toStdString();

    // Not a terminal: nothing at all.
    e = Cli({"--programma", programma, "carica", serie});
    ASSERT_EQ(e.codice, 0);
    EXPECT_EQ(e.errori, "");
    e = Cli({"--programma", programma, "elimina", "RM"});
    ASSERT_EQ(e.codice, 0);
    EXPECT_EQ(e.errori, "");
}

TEST(TratteCliCarica, CaricaSostituisciElimina)
{
    CartellaTemporanea cartella;
    const QString programma = cartella.sottocartella("Tratte");
    QDir(programma).mkpath("Archivi");
    prova::RegistraDirectory();
    const QString serie = cartella.sottocartella("serie");
    ScriviDis(serie + "/rm099901.dis", {Riga("H501", 1, 2), Riga("H501", 2, 3)});
    ScriviDis(serie + "/rm099902.dis", {Riga("H501", 3, 4)});

    EsitoCli e = Cli({"--programma", programma, "carica", serie});
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_EQ(e.uscita, "RM\t3\n");
    // Loaded already: without --sostituisci nothing changes.
    e = Cli({"--programma", programma, "carica", serie});
    EXPECT_EQ(e.codice, 3);
    EXPECT_TRUE(e.errori.contains("Data corrente installazione 99/09. Sostituire con data 99/09 ?"));
    e = Cli({"--programma", programma, "carica", serie, "--sostituisci"});
    EXPECT_EQ(e.codice, 0);
    EXPECT_EQ(e.uscita, "RM\t3\n");
    e = Cli({"--programma", programma, "province"});
    EXPECT_EQ(e.uscita, "RM\tROMA\t99/09\n");

    // Windows text in the file, UTF-8 on the output.
    ScriviDis(serie + "/rm099902.dis", {Riga("H501", "", 1, "", 3, "H501", "", 1, "", 4, "\xE0\xE8\xF9\xB0", 5, 0.01)});
    e = Cli({"--programma", programma, "carica", serie, "--sostituisci"});
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    e = Cli({"--programma", programma, "tratte", "--provincia", "ROMA"});
    EXPECT_TRUE(e.uscita.contains(QString::fromUtf8("\tàèù°\t"))) << e.uscita.toStdString();

    // A line that does not convert: the message, exit 1, the archive as it was.
    ScriviDis(serie + "/rm099903.dis", {"H501  00A1"});
    e = Cli({"--programma", programma, "carica", serie, "--sostituisci"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.errori.contains("Errore nel file \"rm099903.dis\", riga 1, campo FoglioPF1")) << e.errori.toStdString();
    e = Cli({"--programma", programma, "tratte", "--provincia", "ROMA"});
    EXPECT_EQ(e.uscita.count('\n'), 4);
    // No series there.
    e = Cli({"--programma", programma, "carica", cartella.file("manca")});
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.errori.contains("Percorso non valido!"));
    EXPECT_EQ(Cli({"--programma", programma, "carica"}).codice, 2);

    e = Cli({"--programma", programma, "elimina", "VT"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.errori.contains("Provincia non caricata: VT"));
    e = Cli({"--programma", programma, "elimina", "rm"});
    EXPECT_EQ(e.codice, 0);
    EXPECT_TRUE(Cli({"--programma", programma, "province"}).uscita.isEmpty());
}
