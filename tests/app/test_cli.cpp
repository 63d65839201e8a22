// tratte-cli as a script runs it.
#include "componenti/server.h"
#include "registro/treginifile.h"
#include "supporto/cartella_temporanea.h"
#include "supporto_app.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace {

struct Esito {
    int codice;
    QString uscita;
    QString errori;
};

Esito Esegui(const QStringList& argomenti)
{
    QProcess p;
    p.start(QStringLiteral(TRATTE_CLI), argomenti);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

TEST(TratteCli, RegistraEProvince)
{
    CartellaTemporanea cartella;
    const QString programma = cartella.sottocartella("Tratte");
    QDir(programma).mkpath("Archivi");

    Esito e = Esegui({"--programma", programma, "registra"});
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_TRUE(e.uscita.contains("FileNameArchivioComuni=" + programma + "/ArchivioComuni/KWArchivioComuni.db"));
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

TEST(TratteCli, ComuneAttraversoIlComponente)
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
    // Several candidates need a person: the dialog is answered with cancel.
    e = Esegui({"comune", "ROMAN*"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.uscita.isEmpty());
    // Quotes and semicolons are plain text to the lookup.
    e = Esegui({"comune", "RO\"MA';*"});
    EXPECT_EQ(e.codice, 1);
    EXPECT_FALSE(e.errori.contains("Errore")) << e.errori.toStdString();
    EXPECT_FALSE(e.errori.contains("SQL")) << e.errori.toStdString();
}

} // namespace
