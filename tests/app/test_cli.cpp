// tratte-cli as a script runs it.
#include "componenti/server.h"
#include "registro/treginifile.h"
#include "supporto/cartella_temporanea.h"
#include "supporto_app.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace {

struct Esito {
    int codice;
    QString uscita;
    QString errori;
};

Esito EseguiProgramma(const QString& programma, const QStringList& argomenti,
                      const QProcessEnvironment& ambiente = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(ambiente);
    p.start(programma, argomenti);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

Esito Esegui(const QStringList& argomenti, const QProcessEnvironment& ambiente = QProcessEnvironment::systemEnvironment())
{
    return EseguiProgramma(QStringLiteral(TRATTE_CLI), argomenti, ambiente);
}

TEST(TratteCli, RegistraEProvince)
{
    CartellaTemporanea cartella;
    const QString programma = cartella.sottocartella("Tratte");
    QDir(programma).mkpath("Archivi");

    Esito e = Esegui({"--programma", programma, "registra"});
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_TRUE(e.uscita.contains("FileNameArchivioComuni=" + programma + "/ArchivioComuni/KWArchivioComuni.db"));
    // The installation folder, read by the survey-book search.
    EXPECT_TRUE(e.uscita.contains("PathArchivi=" + programma + "\n")) << e.uscita.toStdString();
    // Values already there are not written again.
    e = Esegui({"--programma", programma, "registra"});
    EXPECT_EQ(e.codice, 0);
    EXPECT_TRUE(e.uscita.isEmpty());

    e = Esegui({"--programma", programma, "province"});
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_TRUE(e.uscita.isEmpty());
    EXPECT_TRUE(QFile::exists(programma + "/Archivi/PRV.DB"));
}

TEST(TratteCli, ErroriDelMotoreEComandiSconosciuti)
{
    CartellaTemporanea cartella;
    Esito e = Esegui({"--programma", cartella.sottocartella("SenzaArchivi"), "province"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.errori.contains("Archivi")) << e.errori.toStdString();

    e = Esegui({"sconosciuto"});
    EXPECT_EQ(e.codice, 2);
    EXPECT_TRUE(e.errori.contains("Comando sconosciuto"));
    e = Esegui({"--programma"});
    EXPECT_EQ(e.codice, 2);
    EXPECT_TRUE(e.errori.contains("Opzione --programma senza cartella.")) << e.errori.toStdString();
    EXPECT_EQ(Esegui({}).codice, 2);
}

TEST(TratteCli, AiutoVersioneEOpzioniSconosciute)
{
    // The program's help lists every command; each command has its own.
    for (const QString opzione : {"--help", "-h"}) {
        const Esito e = Esegui({opzione});
        EXPECT_EQ(e.codice, 0) << opzione.toStdString();
        EXPECT_TRUE(e.errori.isEmpty()) << e.errori.toStdString();
        EXPECT_TRUE(e.uscita.startsWith("Uso: tratte-cli [--programma CARTELLA] COMANDO")) << e.uscita.toStdString();
        for (const char* comando : {"registra", "province", "comune [--stati] [--solo-stati] TESTO",
                                    "tratte [--provincia TESTO] [--comune TESTO]", "cerca PUNTO", "carica [--sostituisci] CARTELLA",
                                    "elimina SIGLA", "libretti [CARTELLA]", "libretto [--pdf OUT] FILE",
                                    "tolleranza ARCHIVIATA MISURATA ZONA"})
            EXPECT_TRUE(e.uscita.contains(QString("\n  ") + comando)) << comando;
    }
    Esito e = Esegui({"comune", "--help"});
    EXPECT_EQ(e.codice, 0);
    EXPECT_TRUE(e.uscita.startsWith("Uso: tratte-cli [--programma CARTELLA] comune [--stati] [--solo-stati] TESTO\n"));
    EXPECT_TRUE(e.uscita.contains("  --solo-stati  "));
    EXPECT_EQ(Esegui({"--help", "carica"}).uscita, Esegui({"carica", "-h"}).uscita);
    // Help wins over missing arguments.
    e = Esegui({"tolleranza", "-h"});
    EXPECT_EQ(e.codice, 0);
    EXPECT_TRUE(e.uscita.contains("tolleranza ARCHIVIATA MISURATA ZONA"));

    e = Esegui({"--version"});
    EXPECT_EQ(e.codice, 0);
    EXPECT_EQ(e.uscita, "tratte-cli 1.0\n");

    // An unknown option names itself, before or after the command.
    e = Esegui({"--boh", "province"});
    EXPECT_EQ(e.codice, 2);
    EXPECT_TRUE(e.errori.startsWith("Opzione sconosciuta: --boh\n")) << e.errori.toStdString();
    e = Esegui({"comune", "ROMA", "--stato"});
    EXPECT_EQ(e.codice, 2);
    EXPECT_TRUE(e.errori.startsWith("Opzione sconosciuta: --stato\n")) << e.errori.toStdString();
    EXPECT_TRUE(e.uscita.isEmpty());
    e = Esegui({"tratte", "--provincia"});
    EXPECT_EQ(e.codice, 2);
    EXPECT_TRUE(e.errori.startsWith("Opzione --provincia senza testo.")) << e.errori.toStdString();
    e = Esegui({"elimina", "RM", "VT"});
    EXPECT_EQ(e.codice, 2);
    EXPECT_TRUE(e.errori.startsWith("Uso: tratte-cli elimina SIGLA")) << e.errori.toStdString();
}

// tratte-cli starts with Qt's core only; the commands that need windows
// (the directory component, loading, printing) run in tratte-cli-finestre
// beside it, which takes its place.
TEST(TratteCli, SenzaLaParteGraficaDiQt)
{
    if (!FONTI_UNITE) {
        // The libraries the system loads for it, and theirs.
        QProcess ldd;
        ldd.start(QStringLiteral("ldd"), {QStringLiteral(TRATTE_CLI)});
        ASSERT_TRUE(ldd.waitForFinished(30000));
        const QString librerie = QString::fromUtf8(ldd.readAllStandardOutput());
        ASSERT_TRUE(librerie.contains("libQt6Core.so")) << librerie.toStdString();
        for (const char* grafica : {"libQt6Gui.so", "libQt6Widgets.so", "libQt6PrintSupport.so"})
            EXPECT_FALSE(librerie.contains(grafica)) << grafica;
    }

    // Alone in a folder: its own commands and every help still work; a
    // command of the other program names it and what to do.
    CartellaTemporanea cartella;
    const QString solo = cartella.sottocartella("Solo") + "/tratte-cli";
    ASSERT_TRUE(QFile::copy(QStringLiteral(TRATTE_CLI), solo));
    const QString programma = cartella.sottocartella("Tratte");
    QDir(programma).mkpath("Archivi");
    const auto esegui = [&](const QStringList& argomenti) { return EseguiProgramma(solo, argomenti); };
    Esito e = esegui({"--programma", programma, "province"});
    EXPECT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_TRUE(e.errori.isEmpty()) << e.errori.toStdString();
    e = esegui({"stampa", "--help"});
    EXPECT_EQ(e.codice, 0);
    EXPECT_TRUE(e.uscita.startsWith("Uso: tratte-cli [--programma CARTELLA] stampa")) << e.uscita.toStdString();
    // A command line that is not valid is refused here, as by the other program.
    e = esegui({"elimina", "RM", "VT"});
    EXPECT_EQ(e.codice, 2);
    EXPECT_TRUE(e.errori.startsWith("Uso: tratte-cli elimina SIGLA")) << e.errori.toStdString();
    for (const QStringList& comando : {QStringList{"comune", "ROMA"}, QStringList{"elimina", "RM"}}) {
        e = esegui(QStringList{"--programma", programma} + comando);
        EXPECT_EQ(e.codice, 1) << comando.join(' ').toStdString();
        EXPECT_TRUE(e.uscita.isEmpty());
        // The reason is the system's, in the user's language.
        EXPECT_TRUE(e.errori.startsWith("Impossibile avviare " + QFileInfo(solo).absolutePath() +
                                        "/tratte-cli-finestre, che esegue questo comando: "))
            << e.errori.toStdString();
        EXPECT_TRUE(e.errori.endsWith(". Reinstallare il programma.\n")) << e.errori.toStdString();
    }
}

TEST(TratteCli, StandardErrorSoloConIMessaggiDelProgramma)
{
    // Started without a desktop session (no runtime folder): Qt's notes on
    // its own set-up do not reach standard error.
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.remove("XDG_RUNTIME_DIR");
    Esito e = Esegui({"tolleranza", "100", "100.1", "0"}, ambiente);
    EXPECT_EQ(e.codice, 0);
    EXPECT_EQ(e.errori, "");
    e = Esegui({"tolleranza", "100", "abc", "0"}, ambiente);
    EXPECT_EQ(e.errori, "'abc' non è un valore numerico valido\n");

    // --programma after the command, as before.
    CartellaTemporanea cartella;
    const QString programma = cartella.sottocartella("Tratte");
    QDir(programma).mkpath("Archivi");
    e = Esegui({"province", "--programma", programma}, ambiente);
    EXPECT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_EQ(e.errori, "");
    EXPECT_TRUE(QFile::exists(programma + "/Archivi/PRV.DB"));
}

} // namespace

namespace {

TEST(Tratte, UnaSolaCopiaAllaVolta)
{
    CartellaTemporanea cartella;
    const QString programma = cartella.sottocartella("Tratte");
    QDir(programma).mkpath("Archivi");
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("XDG_RUNTIME_DIR", cartella.sottocartella("runtime"));
    ambiente.insert("QT_QPA_PLATFORM", "offscreen");

    QProcess prima;
    prima.setProcessEnvironment(ambiente);
    prima.start(QStringLiteral(TRATTE_EXE));
    ASSERT_TRUE(prima.waitForStarted());
    // Give the first copy time to take the guard.
    QThread::msleep(700);
    ASSERT_EQ(prima.state(), QProcess::Running);

    QProcess seconda;
    seconda.setProcessEnvironment(ambiente);
    seconda.start(QStringLiteral(TRATTE_EXE));
    ASSERT_TRUE(seconda.waitForFinished(20000));
    EXPECT_EQ(seconda.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(seconda.exitCode(), 0);
    EXPECT_TRUE(seconda.readAllStandardOutput().isEmpty());
    EXPECT_EQ(prima.state(), QProcess::Running);
    prima.kill();
    prima.waitForFinished();
}

} // namespace

namespace {

TEST(TratteCli, ComuneCandidatiStatiEAccenti)
{
    CartellaTemporanea cartella;
    prova::RegistraDirectory();

    Esito e = Esegui({"comune", "roma"});
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    const QStringList righe = e.uscita.split('\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(righe.isEmpty());
    EXPECT_EQ(righe[0], "TipoDati=COMUNE");
    EXPECT_TRUE(righe.contains("NomeComune=ROMA"));
    EXPECT_TRUE(righe.contains("CodiceFiscale=H501"));
    EXPECT_TRUE(righe.contains("Provincia=RM"));

    // A state only with --stati; nothing found: exit 1 and no output.
    e = Esegui({"comune", "FRANCIA"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.uscita.isEmpty());
    e = Esegui({"comune", "FRANCIA", "--stati"});
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_TRUE(e.uscita.startsWith("TipoDati=STATO\n"));
    // Several candidates: they are printed, name, province and code, and exit 3.
    e = Esegui({"comune", "ROMAN*"});
    EXPECT_EQ(e.codice, 3);
    EXPECT_EQ(e.uscita, "ROMANA\tSS\tH507\nROMANENGO\tCR\tH508\nROMANO CANAVESE\tTO\tH511\n"
                        "ROMANO D'EZZELINO\tVI\tH512\nROMANO DI LOMBARDIA\tBG\tH509\nROMANS D'ISONZO\tGO\tH514\n");
    EXPECT_TRUE(e.errori.isEmpty()) << e.errori.toStdString();
    // Two comuni of one name are two candidates, told apart by province and code.
    e = Esegui({"comune", "CASTRO*"});
    EXPECT_EQ(e.codice, 0); // the name itself is found first
    e = Esegui({"comune", "CASTR*"});
    EXPECT_EQ(e.codice, 3);
    EXPECT_TRUE(e.uscita.contains("CASTRO\tBG\tC337\nCASTRO\tLE\tM261\n")) << e.uscita.toStdString();
    // With --stati the states follow the comuni; --solo-stati searches them alone.
    e = Esegui({"comune", "FRAN*", "--stati"});
    EXPECT_EQ(e.codice, 3);
    EXPECT_TRUE(e.uscita.endsWith("FRANCIA\t\tZ110\n")) << e.uscita.toStdString();
    e = Esegui({"comune", "--solo-stati", "FRANCIA"});
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_TRUE(e.uscita.startsWith("TipoDati=STATO\nNomeStato=FRANCIA\n"));
    EXPECT_EQ(Esegui({"comune", "--solo-stati", "ROMA"}).codice, 1);
    EXPECT_EQ(Esegui({"comune", "--solo-stati", "H501"}).codice, 1);
    EXPECT_EQ(Esegui({"comune", "--solo-stati", "--stati", "ROMA"}).codice, 2);

    // The delivered archive's accented names, written with an apostrophe
    // or with no mark at all.
    for (const QString testo : {"FORLI'", "forli", "FORLI*"}) {
        e = Esegui({"comune", testo});
        ASSERT_EQ(e.codice, 0) << testo.toStdString();
        EXPECT_TRUE(e.uscita.contains("NomeComune=FORLÌ\nProvincia=FC\n")) << e.uscita.toStdString();
    }
    e = Esegui({"comune", "CANTU'"});
    EXPECT_TRUE(e.uscita.contains("NomeComune=CANTÙ\n")) << e.uscita.toStdString();
    e = Esegui({"comune", "AGLIE*"});
    EXPECT_TRUE(e.uscita.contains("NomeComune=AGLIÈ\n")) << e.uscita.toStdString();
    e = Esegui({"comune", "PATERNO"}); // spelt so, in another province than PATERNÒ
    EXPECT_TRUE(e.uscita.contains("NomeComune=PATERNO\nProvincia=PZ\n")) << e.uscita.toStdString();
    e = Esegui({"comune", "PATERNO'"});
    EXPECT_TRUE(e.uscita.contains("NomeComune=PATERNÒ\nProvincia=CT\n")) << e.uscita.toStdString();
    e = Esegui({"comune", "FORL*"});
    EXPECT_EQ(e.codice, 3);
    EXPECT_TRUE(e.uscita.startsWith("FORLÌ\tFC\tD704\nFORLÌ DEL SANNIO\tIS\tD703\nFORLIMPOPOLI\tFC\tD705\n"))
        << e.uscita.toStdString();
    // Quotes and semicolons are plain text to the lookup.
    e = Esegui({"comune", "RO\"MA';*"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_FALSE(e.errori.contains("Errore")) << e.errori.toStdString();
    EXPECT_FALSE(e.errori.contains("SQL")) << e.errori.toStdString();
}

} // namespace
