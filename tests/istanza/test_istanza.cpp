#include "istanza/istanza_unica.h"
#include "supporto/cartella_temporanea.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <unistd.h>

using istanza::IstanzaUnica;

namespace {

// Environment variable that tells this executable, re-run as a child, the
// folder of the lock, and whether to keep the lock until its input closes.
constexpr const char* VarCartella = "TRATTE_ISTANZA_CARTELLA";
constexpr const char* VarTieni = "TRATTE_ISTANZA_TIENI";

// A copy of the program in another process: this test executable re-run
// with only the child test below. It reports "presa" or "occupata".
class Figlio {
public:
    Figlio(const QString& cartella, bool tieni)
    {
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.insert(VarCartella, cartella);
        ambiente.insert(VarTieni, tieni ? "1" : "0");
        processo_.setProcessEnvironment(ambiente);
        processo_.setProcessChannelMode(QProcess::SeparateChannels);
        processo_.start(QCoreApplication::applicationFilePath(),
                        {"--gtest_filter=IstanzaFiglio.DISABLED_Copia", "--gtest_also_run_disabled_tests"});
    }

    // The child's answer, once it has tried the lock; empty on a timeout.
    QString Esito()
    {
        while (true) {
            while (processo_.canReadLine()) {
                const QString riga = QString::fromUtf8(processo_.readLine()).trimmed();
                if (riga.startsWith("ISTANZA:"))
                    return riga.mid(8);
            }
            if (!processo_.waitForReadyRead(10000))
                return QString();
        }
    }

    // Lets the child end normally and returns its exit code.
    int Termina()
    {
        processo_.closeWriteChannel();
        processo_.waitForFinished(10000);
        return processo_.exitStatus() == QProcess::NormalExit ? processo_.exitCode() : -1;
    }

    // Kills the child with SIGKILL: no destructor runs.
    void Uccidi()
    {
        processo_.kill();
        processo_.waitForFinished(10000);
    }

    QProcess::ExitStatus Stato() const { return processo_.exitStatus(); }

private:
    QProcess processo_;
};

class VariabileSalvata {
public:
    explicit VariabileSalvata(const char* nome) : nome_(nome), c_(qEnvironmentVariableIsSet(nome)), v_(qgetenv(nome)) {}
    ~VariabileSalvata() { c_ ? qputenv(nome_, v_) : qunsetenv(nome_); }

private:
    const char* nome_;
    bool c_;
    QByteArray v_;
};

} // namespace

// Run only as a child by Figlio.
TEST(IstanzaFiglio, DISABLED_Copia)
{
    IstanzaUnica istanza(qEnvironmentVariable(VarCartella));
    std::printf("\nISTANZA:%s\n", istanza.GiaInEsecuzione() ? "occupata" : istanza.Detiene() ? "presa" : "errore");
    std::fflush(stdout);
    if (istanza.Detiene() && qEnvironmentVariable(VarTieni) == "1") {
        char c;
        while (::read(0, &c, 1) > 0) {
        }
    }
}

TEST(IstanzaUnica, UnaSolaCopiaTraProcessiFinoAllaMorteDelDetentore)
{
    CartellaTemporanea cartella;
    Figlio primo(cartella.percorso(), true);
    ASSERT_EQ(primo.Esito(), "presa");

    {
        IstanzaUnica qui(cartella.percorso());
        EXPECT_TRUE(qui.GiaInEsecuzione());
        EXPECT_FALSE(qui.Detiene());
    }
    Figlio secondo(cartella.percorso(), false);
    EXPECT_EQ(secondo.Esito(), "occupata");
    EXPECT_EQ(secondo.Termina(), 0);

    // Killed without any clean-up, the holder still frees the lock.
    primo.Uccidi();
    EXPECT_EQ(primo.Stato(), QProcess::CrashExit);
    auto qui = std::make_unique<IstanzaUnica>(cartella.percorso());
    EXPECT_FALSE(qui->GiaInEsecuzione());
    EXPECT_TRUE(qui->Detiene());

    Figlio terzo(cartella.percorso(), false);
    EXPECT_EQ(terzo.Esito(), "occupata");
    EXPECT_EQ(terzo.Termina(), 0);

    // Released by the destructor: the next copy starts.
    qui.reset();
    Figlio quarto(cartella.percorso(), true);
    EXPECT_EQ(quarto.Esito(), "presa");
    EXPECT_EQ(quarto.Termina(), 0);
}

TEST(IstanzaUnica, IlBloccoFinisceConLOggettoEnonPassaAiProgrammiAvviati)
{
    CartellaTemporanea cartella;
    auto prima = std::make_unique<IstanzaUnica>(cartella.percorso());
    ASSERT_TRUE(prima->Detiene());
    EXPECT_EQ(prima->PercorsoBlocco(), QDir(cartella.percorso()).filePath("Tratte.lock"));
    {
        IstanzaUnica seconda(cartella.percorso());
        EXPECT_TRUE(seconda.GiaInEsecuzione());
    }
    // A program started while the lock is held must not keep it after
    // this process lets it go.
    QProcess dormiente;
    dormiente.start("sleep", {"30"});
    ASSERT_TRUE(dormiente.waitForStarted());
    prima.reset();
    IstanzaUnica terza(cartella.percorso());
    EXPECT_FALSE(terza.GiaInEsecuzione());
    EXPECT_TRUE(terza.Detiene());
    dormiente.kill();
    dormiente.waitForFinished();
}

TEST(IstanzaUnica, CartellaDelBlocco)
{
    CartellaTemporanea cartella;
    VariabileSalvata xdg("XDG_RUNTIME_DIR");
    VariabileSalvata tmp("TMPDIR");
    const QString condivisa = cartella.sottocartella("tmp");
    qputenv("TMPDIR", condivisa.toLocal8Bit());
    const QString atteso = QDir(condivisa).filePath(QString("Tratte-%1.lock").arg(::getuid()));
    EXPECT_EQ(IstanzaUnica::PercorsoCondiviso(), atteso);

    const QString utente = cartella.sottocartella("run");
    qputenv("XDG_RUNTIME_DIR", utente.toLocal8Bit());
    {
        IstanzaUnica istanza;
        EXPECT_TRUE(istanza.Detiene());
        EXPECT_EQ(istanza.PercorsoBlocco(), QDir(utente).filePath("Tratte.lock"));
    }

    // Unset, relative or missing: the shared temporary folder.
    for (const char* valore : {"", "run", "/nessuna/cartella/qui"}) {
        if (*valore)
            qputenv("XDG_RUNTIME_DIR", valore);
        else
            qunsetenv("XDG_RUNTIME_DIR");
        IstanzaUnica istanza;
        EXPECT_TRUE(istanza.Detiene()) << valore;
        EXPECT_EQ(istanza.PercorsoBlocco(), atteso) << valore;
    }

    // A runtime folder where the lock file cannot be made: the shared one.
    const QString guasta = cartella.sottocartella("guasta");
    QDir(guasta).mkpath("Tratte.lock");
    qputenv("XDG_RUNTIME_DIR", guasta.toLocal8Bit());
    IstanzaUnica istanza;
    EXPECT_TRUE(istanza.Detiene());
    EXPECT_EQ(istanza.PercorsoBlocco(), atteso);
    IstanzaUnica altra;
    EXPECT_TRUE(altra.GiaInEsecuzione());
}
