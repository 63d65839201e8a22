// An operation on the archive killed with SIGKILL at many of its steps
// (reading the files, writing the rows, inside the commit): the next
// opening finds Tratte.db, PRV.DB and the survey-book results exactly as before the operation or
// exactly as after it (row keys aside, which a load gives anew), and the
// operation then runs to its end and leaves no journal.
// TRATTE_UCCISIONI_TUTTE=1 kills at every step instead of a bounded set.
#include "supporto_robustezza.h"

#include "componenti/server.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <set>

namespace {

struct Esecuzione {
    int uscita = -1;
    bool uccisa = false;
    long passi = 0;
    QString errori;
};

Esecuzione Esegui(const QStringList& argomenti, const QString& temporanea)
{
    QProcess p;
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("TMPDIR", temporanea);
    p.setProcessEnvironment(ambiente);
    p.start(QStringLiteral(OPERAZIONE_UCCISA), argomenti);
    EXPECT_TRUE(p.waitForFinished(120000));
    Esecuzione e;
    e.uccisa = p.exitStatus() == QProcess::CrashExit;
    e.uscita = p.exitCode();
    e.passi = p.readAllStandardOutput().trimmed().toLong();
    e.errori = QString::fromLocal8Bit(p.readAllStandardError());
    return e;
}

// The steps at which to kill: the first ones, evenly spread ones and the
// last ones (the commit), or every one.
std::set<long> Punti(long passi)
{
    std::set<long> punti;
    if (qEnvironmentVariableIntValue("TRATTE_UCCISIONI_TUTTE") == 1) {
        for (long p = 1; p <= passi; ++p)
            punti.insert(p);
        return punti;
    }
    for (long p : {1L, 2L, passi - 2, passi - 1, passi})
        punti.insert(p);
    for (int i = 1; i < 6; ++i)
        punti.insert(passi * i / 6);
    std::erase_if(punti, [&](long p) { return p < 1 || p > passi; });
    return punti;
}

} // namespace

class UccisioneTest : public ProvaRobustezza {
protected:
    // Runs the operation (its arguments after the step) on copies of the
    // installation, killed at each chosen step.
    void Verifica(const QString& operazione, const QStringList& argomenti)
    {
        const QString temporanea = cartella.sottocartella("tmp");
        const QStringList prima = Stato(programma);
        const QString intera = Copia("intera");
        const Esecuzione completa =
            Esegui(QStringList{operazione, intera, ARCHIVIO_COMUNI, "0"} + argomenti, temporanea);
        ASSERT_EQ(completa.uscita, 0) << completa.errori.toStdString();
        ASSERT_GT(completa.passi, 10);
        const QStringList dopo = Stato(intera);
        ASSERT_NE(dopo, prima);

        int n = 0;
        for (long punto : Punti(completa.passi)) {
            SCOPED_TRACE(QStringLiteral("%1, passo %2 di %3").arg(operazione).arg(punto).arg(completa.passi).toStdString());
            const QString copia = Copia(QStringLiteral("uccisa-%1").arg(++n));
            const Esecuzione uccisa =
                Esegui(QStringList{operazione, copia, ARCHIVIO_COMUNI, QString::number(punto)} + argomenti, temporanea);
            ASSERT_TRUE(uccisa.uccisa) << uccisa.errori.toStdString();
            const QStringList stato = Stato(copia);
            EXPECT_TRUE(stato == prima || stato == dopo);
            // Then the operation again: from before it runs to its end; after
            // it, a load loads the same again (a deletion has nothing left to
            // do). A journal the kill left behind is gone after it.
            if (stato == prima || operazione != "elimina") {
                const Esecuzione ancora =
                    Esegui(QStringList{operazione, copia, ARCHIVIO_COMUNI, "0"} + argomenti, temporanea);
                EXPECT_EQ(ancora.uscita, 0) << ancora.errori.toStdString();
                EXPECT_TRUE(Stato(copia) == dopo);
                EXPECT_TRUE(Journal(copia).isEmpty()) << Journal(copia).join(' ').toStdString();
            }
            QDir(copia).removeRecursively();
        }
    }
};

TEST_F(UccisioneTest, UnCaricamentoCheSostituisceUnaEdizione)
{
    Verifica("carica", {NuovaSerieRoma()});
}

TEST_F(UccisioneTest, UnCaricamentoDiUnaNuovaProvincia)
{
    Verifica("carica", {SerieViterbo()});
}

TEST_F(UccisioneTest, LEliminazioneDiUnaProvincia)
{
    Verifica("elimina", {"RM"});
}

TEST_F(UccisioneTest, UnaModificaNellaGriglia)
{
    Verifica("griglia", {"5", "MODIFICATO"});
}

TEST_F(UccisioneTest, IRisultatiDiUnLibretto)
{
    ASSERT_EQ(componenti::RegistraServer(QStringLiteral(LIBRERIA_PREGEO)), componenti::S_OK);
    auto libretto = [this](const QString& nome, const QByteArray& punti) {
        const QString file = cartella.sottocartella("libretti") + "/" + nome + ".out";
        QFile f(file);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("LIBRETTO;1\nELABORATO;SI\n" + punti);
        return file;
    };
    // The results of a first book, then a second book's written over them.
    const Esecuzione prima = Esegui({"libretto", programma, ARCHIVIO_COMUNI, "0",
                                     libretto("Primo", "PF;H501;2;0;1\nPF;H501;2;0;2\nPF;H501;2;0;3\nDIST;1;2;101.004;0.010\n")},
                                    cartella.sottocartella("tmp"));
    ASSERT_EQ(prima.uscita, 0) << prima.errori.toStdString();
    ASSERT_EQ(Stato(programma).filter(QRegularExpression("^TratteLibretto.db.*\\|PF")).size(), 2);
    QByteArray punti;
    for (int i = 1; i <= 8; ++i)
        punti += "PF;H501;1;0;" + QByteArray::number(i) + "\n";
    for (int i = 1; i < 8; ++i)
        punti += "DIST;" + QByteArray::number(i) + ";" + QByteArray::number(i + 1) + ";" + QByteArray::number(100.01 + i) + ";0.010\n";
    Verifica("libretto", {libretto("Secondo", punti)});
}
