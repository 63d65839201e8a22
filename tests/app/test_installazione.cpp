// An installation the user cannot write (a package under /opt) works in
// the per-user program folder; a portable one in place. tratte-cli runs as
// a user who cannot write the installation: as root, the test runs it as
// nobody.
#include "supporto/cartella_temporanea.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr uid_t Nessuno = 65534;

struct Esito {
    int codice;
    QString uscita;
    QString errori;
};

// tratte-cli run by a user who is not root (nobody, when the test is
// root), or as the test runs when not `comeUtente`.
Esito EseguiComeUtente(const QStringList& argomenti, const QProcessEnvironment& ambiente, bool comeUtente = true)
{
    QProcess p;
    p.setProcessEnvironment(ambiente);
    if (comeUtente)
        p.setChildProcessModifier([] {
            if (::geteuid() == 0 && (::setgid(Nessuno) != 0 || ::setuid(Nessuno) != 0))
                ::_exit(127);
        });
    p.start(QStringLiteral(TRATTE_CLI), argomenti);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

void Scrivi(const QString& percorso, const QByteArray& testo)
{
    QDir().mkpath(QFileInfo(percorso).absolutePath());
    QFile file(percorso);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(testo);
}

QByteArray Leggi(const QString& percorso)
{
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The folder and what it holds, for the user who runs the program: its
// own (nobody's when the test runs as root).
void DaiAllUtente(const QString& cartella)
{
    if (::geteuid() != 0)
        return;
    ::chown(QFile::encodeName(cartella).constData(), Nessuno, Nessuno);
    for (const QString& nome : QDir(cartella).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        DaiAllUtente(QDir(cartella).filePath(nome));
}

// An installation as the package delivers it, read-only for the user
// (while the object lives, for a test not run as root).
class InstallazioneSolaLettura {
public:
    explicit InstallazioneSolaLettura(const QString& cartella) : cartella_(cartella)
    {
        Scrivi(cartella + "/Archivi/ReportTratte.rpt", "rapporto");
        Scrivi(cartella + "/Guida/indice.html", "indice");
        Scrivi(cartella + "/Guida/immagini/principale.png", "immagine");
        Scrivi(cartella + "/Esempi/PO0001.dis", "serie");
        QDir().mkpath(cartella + "/ArchivioComuni");
        for (const QString& nome : QDir(ARCHIVIO_COMUNI).entryList({"*.db"}, QDir::Files))
            QFile::copy(QString(ARCHIVIO_COMUNI) + "/" + nome, cartella + "/ArchivioComuni/" + nome);
        QFile::copy(LIBRERIA_BORGAL, cartella + "/libborgal.so");
        for (const char* nome : {"", "/Archivi", "/ArchivioComuni"})
            ::chmod(QFile::encodeName(cartella + nome).constData(), 0555);
    }
    ~InstallazioneSolaLettura()
    {
        for (const char* nome : {"", "/Archivi", "/ArchivioComuni"})
            ::chmod(QFile::encodeName(cartella_ + nome).constData(), 0755);
    }

private:
    QString cartella_;
};

TEST(Installazione, NonScrivibileLavoraNellaCartellaDellUtente)
{
    CartellaTemporanea cartella;
    ::chmod(QFile::encodeName(cartella.percorso()).constData(), 0755);
    const QString installazione = cartella.file("opt/tratte");
    InstallazioneSolaLettura sola(installazione);
    const QString casa = cartella.sottocartella("casa");
    DaiAllUtente(casa);
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("HOME", casa);
    ambiente.remove("XDG_DATA_HOME");
    ambiente.insert("TRATTE_REGISTRO", casa + "/registro");
    ambiente.remove("TRATTE_REGISTRO_MACCHINA");

    // The first start: the copies, the registration, the tables made there.
    Esito e = EseguiComeUtente({"--programma", installazione, "province"}, ambiente);
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    const QString utente = casa + "/.local/share/tratte";
    EXPECT_TRUE(QFile::exists(utente + "/Archivi/PRV.DB"));
    EXPECT_TRUE(QFile::exists(utente + "/Archivi/Tratte.db"));
    EXPECT_FALSE(QFile::exists(installazione + "/Archivi/PRV.DB"));
    EXPECT_EQ(Leggi(utente + "/Archivi/ReportTratte.rpt"), "rapporto");
    EXPECT_EQ(Leggi(utente + "/Guida/immagini/principale.png"), "immagine");
    EXPECT_EQ(Leggi(utente + "/Esempi/PO0001.dis"), "serie");
    EXPECT_EQ(Leggi(utente + "/ArchivioComuni/KWArchivioComuni.db"), Leggi(QString(ARCHIVIO_COMUNI) + "/KWArchivioComuni.db"));
    const QString registroUtente = Leggi(casa + "/registro/HKEY_CURRENT_USER.reg");
    EXPECT_TRUE(registroUtente.contains(utente + "/ArchivioComuni/KWArchivioComuni.db")) << registroUtente.toStdString();
    EXPECT_TRUE(Leggi(casa + "/registro/HKEY_CLASSES_ROOT.reg").contains((installazione + "/libborgal.so").toUtf8()));
    EXPECT_TRUE(QDir(utente).entryList({"*.copia"}, QDir::Files).isEmpty());

    // The directory's lookup reads the copy of the archive.
    e = EseguiComeUtente({"--programma", installazione, "comune", "H501"}, ambiente);
    EXPECT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_TRUE(e.uscita.contains("NomeComune=ROMA")) << e.uscita.toStdString();

    // Later starts keep what the user has and bring back what is missing.
    ::chmod(QFile::encodeName(utente + "/Archivi/ReportTratte.rpt").constData(), 0666);
    Scrivi(utente + "/Archivi/ReportTratte.rpt", "cambiato");
    QFile::remove(utente + "/Guida/indice.html");
    e = EseguiComeUtente({"--programma", installazione, "registra"}, ambiente);
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_EQ(Leggi(utente + "/Archivi/ReportTratte.rpt"), "cambiato");
    EXPECT_EQ(Leggi(utente + "/Guida/indice.html"), "indice");

    // XDG_DATA_HOME chooses the folder.
    const QString dati = cartella.sottocartella("dati");
    DaiAllUtente(dati);
    ambiente.insert("XDG_DATA_HOME", dati);
    e = EseguiComeUtente({"--programma", installazione, "province"}, ambiente);
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_TRUE(QFile::exists(dati + "/tratte/Archivi/PRV.DB"));

    // A folder that cannot be made is reported and nothing runs.
    Scrivi(cartella.file("nonuna"), "file");
    ambiente.insert("XDG_DATA_HOME", cartella.file("nonuna"));
    e = EseguiComeUtente({"--programma", installazione, "province"}, ambiente);
    EXPECT_EQ(e.codice, 1);
    EXPECT_TRUE(e.errori.contains("Impossibile creare la cartella")) << e.errori.toStdString();
}

TEST(Installazione, PortatileLavoraSulPosto)
{
    CartellaTemporanea cartella;
    const QString programma = cartella.sottocartella("Tratte");
    Scrivi(programma + "/Archivi/ReportTratte.rpt", "rapporto");
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("XDG_DATA_HOME", cartella.file("dati"));
    const Esito e = EseguiComeUtente({"--programma", programma, "province"}, ambiente, false);
    EXPECT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_TRUE(QFile::exists(programma + "/Archivi/PRV.DB"));
    EXPECT_FALSE(QFile::exists(cartella.file("dati")));
}

// What the package does after installing and before removing: the
// component libraries in the machine's classes hive, which every user
// reads under their own.
TEST(Installazione, RegistrazioneDellaMacchina)
{
    CartellaTemporanea cartella;
    const QString installazione = cartella.sottocartella("opt");
    QFile::copy(LIBRERIA_BORGAL, installazione + "/libborgal.so");
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("TRATTE_REGISTRO_MACCHINA", cartella.file("macchina"));
    auto esegui = [&](const QStringList& argomenti) {
        return EseguiComeUtente(QStringList{"--programma", installazione, "registra"} + argomenti, ambiente, false);
    };
    Esito e = esegui({"--macchina"});
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_EQ(e.uscita, "Registrato " + installazione + "/libborgal.so\n");
    const QByteArray macchina = Leggi(cartella.file("macchina/HKEY_CLASSES_ROOT.reg"));
    EXPECT_TRUE(macchina.contains((installazione + "/libborgal.so").toUtf8()));
    // Nothing of the user's: no directory values, no classes of their own.
    EXPECT_FALSE(QFile::exists(cartella.file("registro/HKEY_CURRENT_USER.reg")));
    EXPECT_FALSE(QFile::exists(cartella.file("registro/HKEY_CLASSES_ROOT.reg")));
    EXPECT_FALSE(QFile::exists(installazione + "/Archivi"));

    e = esegui({"--macchina", "--cancella"});
    ASSERT_EQ(e.codice, 0) << e.errori.toStdString();
    EXPECT_FALSE(Leggi(cartella.file("macchina/HKEY_CLASSES_ROOT.reg")).contains("libborgal.so"));
    e = esegui({"--cancella"});
    EXPECT_EQ(e.codice, 2);
    EXPECT_EQ(e.errori, "L'opzione --cancella vale solo con --macchina.\n");
}

} // namespace
