#include "registro/archivio_alveare.h"
#include "registro/registro.h"
#include "supporto/cartella_temporanea.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using namespace registro;

namespace {

QByteArray contenuto(const QString& percorso)
{
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void scrivi(const QString& percorso, const QByteArray& byte)
{
    QFile file(percorso);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(byte);
}

QString cartellaRegistro()
{
    return qEnvironmentVariable("TRATTE_REGISTRO");
}

QString fileUtente()
{
    return QDir(cartellaRegistro()).filePath("HKEY_CURRENT_USER.reg");
}

QStringList fileNellaCartella()
{
    return QDir(cartellaRegistro()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// Puts an environment variable back as it was.
class VariabileSalvata {
public:
    explicit VariabileSalvata(const char* nome) : nome_(nome), c_(qEnvironmentVariableIsSet(nome)), v_(qgetenv(nome)) {}
    ~VariabileSalvata() { c_ ? qputenv(nome_, v_) : qunsetenv(nome_); }

private:
    const char* nome_;
    bool c_;
    QByteArray v_;
};

// Limits the size of the files this process writes, as a full disk would.
class LimiteDimensioneFile {
public:
    explicit LimiteDimensioneFile(rlim_t byte)
    {
        getrlimit(RLIMIT_FSIZE, &prima_);
        segnale_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limite = prima_;
        limite.rlim_cur = byte;
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteDimensioneFile()
    {
        setrlimit(RLIMIT_FSIZE, &prima_);
        std::signal(SIGXFSZ, segnale_);
    }

private:
    rlimit prima_{};
    void (*segnale_)(int) = nullptr;
};

const QString ChiaveTratte = "Software\\Quintor\\ORBIS77\\Tratte";

} // namespace

TEST(Registro, GrafieDiverseDellaStessaChiave)
{
    CartellaTemporanea cartella;
    TRegIniFile("\\SOFTWARE\\QUINTOR\\ORBIS77\\TRATTE").WriteBool("", "VisualizzaFinestra", false);
    TRegIniFile tratte("Software\\Quintor\\ORBIS77\\Tratte");
    TRegIniFile orbis("SOFTWARE\\QUINTOR\\ORBIS77");
    EXPECT_EQ(tratte.ReadString("", "VisualizzaFinestra", "x"), "0");
    EXPECT_EQ(orbis.ReadString("Tratte", "visualizzafinestra", "x"), "0");

    orbis.WriteString("tratte\\VALORI INIZIALI", "InitProv", "PADOVA");
    tratte.WriteString("Valori Iniziali", "InitProv", "ROVIGO");
    EXPECT_EQ(TRegIniFile("software\\quintor\\orbis77\\tratte\\valori iniziali").ReadString("", "INITPROV", ""), "ROVIGO");

    // Repeated and trailing backslashes; the spelling first created is kept.
    TRegistry registro;
    ASSERT_TRUE(registro.OpenKey("\\\\software\\\\quintor\\orbis77\\tratte\\\\", false));
    EXPECT_EQ(registro.CurrentPath(), "SOFTWARE\\QUINTOR\\ORBIS77\\TRATTE");
    EXPECT_EQ(registro.GetKeyNames(), QStringList{"VALORI INIZIALI"});
    EXPECT_EQ(registro.GetValueNames(), QStringList{"VisualizzaFinestra"});
    EXPECT_EQ(orbis.ReadSections(), QStringList{"TRATTE"});

    const QString testo = QString::fromUtf8(contenuto(fileUtente()));
    EXPECT_TRUE(testo.startsWith("Windows Registry Editor Version 5.00\n"));
    EXPECT_EQ(testo.count("[HKEY_CURRENT_USER\\SOFTWARE\\QUINTOR\\ORBIS77\\TRATTE]", Qt::CaseInsensitive), 1);
    EXPECT_TRUE(testo.contains("[HKEY_CURRENT_USER\\SOFTWARE\\QUINTOR\\ORBIS77\\TRATTE\\VALORI INIZIALI]\n"
                               "\"InitProv\"=\"ROVIGO\"\n"));
}

TEST(Registro, ChiaviRelativeEAssolute)
{
    CartellaTemporanea cartella;
    TRegistry registro;
    ASSERT_TRUE(registro.OpenKey("Software", true));
    ASSERT_TRUE(registro.OpenKey("Quintor\\Common", true));
    EXPECT_EQ(registro.CurrentPath(), "Software\\Quintor\\Common");
    EXPECT_FALSE(registro.OpenKey("Manca", false));
    EXPECT_EQ(registro.CurrentPath(), "Software\\Quintor\\Common");
    EXPECT_TRUE(registro.KeyExists("\\Software\\Quintor"));
    EXPECT_FALSE(registro.KeyExists("Quintor")); // relative to Common

    ASSERT_TRUE(registro.OpenKey("\\Software", false));
    EXPECT_EQ(registro.CurrentPath(), "Software");
    registro.CloseKey();
    EXPECT_TRUE(registro.OpenKey("Software\\Quintor", false)); // after CloseKey, relative to the root

    ASSERT_TRUE(registro.OpenKeyReadOnly("Common"));
    EXPECT_THROW(registro.WriteString("Valore", "x"), ERegistryException);
    EXPECT_FALSE(registro.DeleteValue("Valore"));
    EXPECT_FALSE(registro.OpenKeyReadOnly("\\Software\\Altro"));
    EXPECT_FALSE(registro.KeyExists("\\Software\\Altro"));

    // A name with a line break would break the file.
    ASSERT_TRUE(registro.OpenKey("\\Software", false));
    EXPECT_THROW(registro.WriteString("due\nrighe", "x"), ERegistryException);
    EXPECT_THROW(registro.OpenKey("chiave\r\nfinta]", true), ERegistryException);
    EXPECT_TRUE(registro.GetValueNames().isEmpty());
}

TEST(Registro, ValoriMancantiEBooleani)
{
    CartellaTemporanea cartella;
    TRegIniFile ini(ChiaveTratte);
    EXPECT_EQ(ini.ReadString("VALORI INIZIALI", "PathPregeo752", "C:\\Pregeo\\dati"), "C:\\Pregeo\\dati");
    EXPECT_TRUE(ini.ReadBool("", "VisualizzaFinestra", true));
    EXPECT_EQ(ini.ReadInteger("VALORI INIZIALI", "N", 7), 7);
    EXPECT_FALSE(ini.SectionExists("VALORI INIZIALI")); // reading creates nothing
    EXPECT_TRUE(ini.SectionExists(""));

    const struct {
        const char* testo;
        bool predefinito;
        bool atteso;
    } booleani[] = {{"0", true, false}, {"1", false, true}, {"2", false, true}, {"-1", false, true},
                    {"sì", true, true}, {"sì", false, false}, {"", true, true}, {"1.0", false, false}};
    for (const auto& caso : booleani) {
        ini.WriteString("", "VisualizzaFinestra", caso.testo);
        EXPECT_EQ(ini.ReadBool("", "VisualizzaFinestra", caso.predefinito), caso.atteso)
            << caso.testo << " predefinito " << caso.predefinito;
    }
    ini.WriteBool("", "VisualizzaFinestra", true);
    EXPECT_EQ(ini.ReadString("", "VisualizzaFinestra", ""), "1");
    ini.WriteBool("", "VisualizzaFinestra", false);
    EXPECT_EQ(ini.ReadString("", "VisualizzaFinestra", ""), "0");

    for (const char* testo : {"12abc", "3.5", "99999999999", "", "0x10"}) {
        ini.WriteString("", "N", testo);
        EXPECT_EQ(ini.ReadInteger("", "N", 7), 7) << testo;
    }
    ini.WriteInteger("", "N", -4);
    EXPECT_EQ(ini.ReadInteger("", "N", 7), -4);

    // An empty value is not a missing one.
    ini.WriteString("VALORI INIZIALI", "InitCom", "");
    EXPECT_EQ(ini.ReadString("VALORI INIZIALI", "InitCom", "x"), "");
    EXPECT_TRUE(ini.ValueExists("VALORI INIZIALI", "InitCom"));
    EXPECT_EQ(ini.ReadSection("VALORI INIZIALI"), QStringList{"InitCom"});
}

TEST(Registro, TestiParticolariSonoConservati)
{
    CartellaTemporanea cartella;
    const QString strano = "Disse \"sì\" a C:\\Pregeo\\dati\\ — città, perché = ; [x] \\\"";
    const QString nome = "Nome \"strano\" = \\ è";
    const QString righe = "prima riga\nseconda\r\nterza";
    // Null characters at the end of a text are the text's, not terminators.
    const QString nulli = QString("riga\r") + QChar(0) + "i" + QChar(0) + QChar(0);
    {
        TRegIniFile ini(ChiaveTratte);
        ini.WriteString("Sezione àèìòù", nome, strano);
        ini.WriteString("", "Righe", righe);
        ini.WriteString("", "Nulli", nulli);
        TRegistry registro;
        ASSERT_TRUE(registro.OpenKey(ChiaveTratte, false));
        registro.WriteString("", "predefinito");
    }
    TRegIniFile ini("SOFTWARE\\QUINTOR\\ORBIS77\\TRATTE");
    EXPECT_EQ(ini.ReadString("SEZIONE ÀÈÌÒÙ", nome, ""), strano);
    EXPECT_EQ(ini.ReadString("", "Righe", ""), righe);
    EXPECT_EQ(ini.ReadString("", "Nulli", ""), nulli);
    EXPECT_EQ(ini.ReadString("", "", ""), "predefinito");
    EXPECT_EQ(ini.ReadSection(""), (QStringList{"Righe", "Nulli", ""}));

    const QString testo = QString::fromUtf8(contenuto(fileUtente()));
    EXPECT_TRUE(testo.contains("\"Disse \\\"sì\\\" a C:\\\\Pregeo\\\\dati\\\\ — città")) << testo.toStdString();
    EXPECT_TRUE(testo.contains("@=\"predefinito\"\n"));
    EXPECT_TRUE(testo.contains("\"Righe\"=hex(1):70,00,72,00"));
}

TEST(Registro, OgniOggettoVedeLeScrittureDegliAltri)
{
    CartellaTemporanea cartella;
    TRegistry primo, secondo;
    ASSERT_TRUE(primo.OpenKey("Software\\Quintor", true));
    ASSERT_TRUE(secondo.OpenKey("\\software\\QUINTOR", false));
    primo.WriteString("Valore", "1");
    EXPECT_EQ(secondo.ReadString("valore"), "1");
    EXPECT_TRUE(secondo.DeleteValue("VALORE"));
    EXPECT_FALSE(primo.ValueExists("Valore"));

    // Another process rewrote the file.
    scrivi(fileUtente(), "Windows Registry Editor Version 5.00\n\n"
                         "[HKEY_CURRENT_USER\\Software\\Quintor]\n\"Valore\"=\"esterno\"\n");
    EXPECT_EQ(primo.ReadString("Valore"), "esterno");
    primo.WriteString("Altro", "2");
    EXPECT_EQ(TRegIniFile("Software\\Quintor").ReadSection(""), (QStringList{"Valore", "Altro"}));
}

TEST(Registro, EliminazioneDiChiaviEValori)
{
    CartellaTemporanea cartella;
    TRegIniFile ini("Software\\Quintor\\ORBIS77");
    ini.WriteString("Tratte\\VALORI INIZIALI", "InitProv", "PD");
    ini.WriteString("Tratte Vecchie", "A", "1");
    ini.WriteString("TratteLibretto", "A", "1");
    ini.WriteString("TratteLibretto", "B", "2");

    TRegistry registro;
    EXPECT_TRUE(registro.DeleteKey("\\SOFTWARE\\Quintor\\orbis77\\TRATTE"));
    EXPECT_FALSE(ini.SectionExists("Tratte"));
    EXPECT_FALSE(ini.SectionExists("Tratte\\VALORI INIZIALI"));
    EXPECT_EQ(ini.ReadSections(), (QStringList{"Tratte Vecchie", "TratteLibretto"}));
    EXPECT_FALSE(registro.DeleteKey("\\Software\\Quintor\\ORBIS77\\Tratte"));
    EXPECT_FALSE(registro.DeleteKey("\\"));

    ini.DeleteKey("TratteLibretto", "a");
    EXPECT_FALSE(ini.ValueExists("TratteLibretto", "A"));
    EXPECT_EQ(ini.ReadString("TratteLibretto", "B", ""), "2");
    ini.EraseSection("tratte vecchie");
    ini.EraseSection("");
    EXPECT_EQ(ini.ReadSections(), QStringList{"TratteLibretto"});

    // A key deleted while another object has it open is not silently recreated.
    TRegistry aperto;
    ASSERT_TRUE(aperto.OpenKey("\\Software\\Quintor\\ORBIS77\\TratteLibretto", false));
    ini.EraseSection("TratteLibretto");
    EXPECT_THROW(aperto.WriteString("C", "3"), ERegistryException);
    EXPECT_FALSE(registro.KeyExists("\\Software\\Quintor\\ORBIS77\\TratteLibretto"));
    EXPECT_TRUE(ini.SectionExists(""));
}

TEST(Registro, IlRegistroDelleClassiEASe)
{
    CartellaTemporanea cartella;
    const QString chiave = "CLSID\\{6F1C2B3A-0000-4000-8000-000000000001}\\InprocServer32";
    TRegistry classi(Radice::HKEY_CLASSES_ROOT);
    ASSERT_TRUE(classi.OpenKey(chiave, true));
    classi.WriteString("", "/opt/tratte/libborgal.so");

    TRegistry utente;
    EXPECT_FALSE(utente.KeyExists("CLSID"));
    TRegIniFile("Software\\Quintor").WriteString("", "A", "1");
    EXPECT_FALSE(classi.KeyExists("\\Software"));
    utente.SetRootKey(Radice::HKEY_CLASSES_ROOT);
    ASSERT_TRUE(utente.OpenKeyReadOnly(chiave));
    EXPECT_EQ(utente.ReadString(""), "/opt/tratte/libborgal.so");

    const QString testo = QString::fromUtf8(contenuto(QDir(cartellaRegistro()).filePath("HKEY_CLASSES_ROOT.reg")));
    EXPECT_TRUE(testo.contains("[HKEY_CLASSES_ROOT\\" + chiave + "]\n@=\"/opt/tratte/libborgal.so\"\n"));
    EXPECT_FALSE(QString::fromUtf8(contenuto(fileUtente())).contains("CLSID"));
}

TEST(Registro, FileMalformato)
{
    CartellaTemporanea cartella;
    const QByteArray originale =
        "\"Orfano\"=\"prima di ogni sezione\"\n"
        "[HKEY_CURRENT_USER\\Software\\Prova]\r\n"
        "\"Buono\"=\"sì\"\r\n"
        "\"Numero\"=dword:0000002a\n"
        "\"Binario\"=hex:01,02,\\\n  03,04\n"
        "\"Tronco\"=\"senza fine\n"
        "riga qualsiasi\n"
        "\"SenzaUguale\" \"x\"\n"
        "\"Troppo\"=dword:123456789\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Prova]\n"
        "\"Estraneo\"=\"no\"\n"
        "[HKEY_CURRENT_USER\\Software\\Prova\n"
        "\"DopoIntestazioneRotta\"=\"no\"\n"
        "\x01\x02\xff\xfe\n";
    scrivi(fileUtente(), originale);

    TRegistry registro;
    ASSERT_TRUE(registro.OpenKey("Software\\Prova", false));
    EXPECT_EQ(registro.GetValueNames(), (QStringList{"Buono", "Numero", "Binario"}));
    EXPECT_EQ(registro.ReadString("Buono"), "sì");
    EXPECT_EQ(registro.ReadString("Numero"), "42");
    EXPECT_EQ(registro.ReadString("Binario"), "");
    EXPECT_EQ(TRegIniFile("Software\\Prova").ReadInteger("", "Numero", 0), 42);
    EXPECT_FALSE(registro.KeyExists("\\Software\\Altro"));

    // Rewriting keeps the types of the values read, and a copy of the original.
    registro.WriteString("Nuovo", "1");
    const QByteArray riscritto = contenuto(fileUtente());
    EXPECT_TRUE(riscritto.contains("\"Numero\"=dword:0000002a\n"));
    EXPECT_TRUE(riscritto.contains("\"Binario\"=hex:01,02,03,04\n"));
    EXPECT_EQ(contenuto(fileUtente() + ".bak"), originale);
    EXPECT_EQ(registro.GetValueNames(), (QStringList{"Buono", "Numero", "Binario", "Nuovo"}));

    // Nothing but noise, and a file saved as UTF-16 by a Windows tool.
    scrivi(fileUtente(), QByteArray("\0\0[\0]\n\"=\"\n@\n[", 13));
    EXPECT_TRUE(TRegistry().GetKeyNames().isEmpty());
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    scrivi(fileUtente(), utf16(QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                              "[HKEY_CURRENT_USER\\Software\\Prova]\r\n\"Città\"=\"Forlì\"\r\n")));
    EXPECT_EQ(TRegIniFile("Software\\Prova").ReadString("", "città", ""), "Forlì");
}

TEST(Registro, UnaScritturaFallitaNonPerdeNulla)
{
    CartellaTemporanea cartella;
    TRegIniFile ini("Software\\Quintor");
    ini.WriteString("", "A", "vecchio");
    const QByteArray prima = contenuto(fileUtente());
    EXPECT_EQ(fileNellaCartella(), QStringList{"HKEY_CURRENT_USER.reg"}); // no temporary or lock file left

    // A full disk: the new content cannot be written.
    try {
        LimiteDimensioneFile limite(prima.size() + 200);
        ini.WriteString("", "B", QString(100000, 'x'));
        ADD_FAILURE() << "la scrittura doveva fallire";
    } catch (const ERegistryException& e) {
        EXPECT_TRUE(e.messaggio().contains("HKEY_CURRENT_USER.reg")) << e.what();
    }
    EXPECT_TRUE(contenuto(fileUtente()) == prima);
    EXPECT_EQ(fileNellaCartella(), QStringList{"HKEY_CURRENT_USER.reg"});
    EXPECT_FALSE(ini.ValueExists("", "B"));

    // The store's folder is a file, or lies under one.
    const QString nonCartella = cartella.file("non-una-cartella");
    scrivi(nonCartella, "contenuto");
    qputenv("TRATTE_REGISTRO", nonCartella.toLocal8Bit());
    EXPECT_THROW(TRegIniFile("Software\\Quintor"), ERegistryException);
    EXPECT_EQ(contenuto(nonCartella), "contenuto");
    qputenv("TRATTE_REGISTRO", (nonCartella + "/sotto").toLocal8Bit());
    TRegistry registro;
    try {
        registro.OpenKey("Software", true);
        ADD_FAILURE() << "la scrittura doveva fallire";
    } catch (const ERegistryException& e) {
        EXPECT_TRUE(e.messaggio().contains("HKEY_CURRENT_USER.reg")) << e.what();
    }
    EXPECT_FALSE(registro.KeyExists("Software"));
    EXPECT_EQ(contenuto(nonCartella), "contenuto");

    // A hive file that cannot be read is not overwritten.
    qputenv("TRATTE_REGISTRO", cartella.sottocartella("altra").toLocal8Bit());
    QDir(cartellaRegistro()).mkdir("HKEY_CURRENT_USER.reg");
    EXPECT_THROW(TRegistry().OpenKey("Software", true), ERegistryException);
}

TEST(Registro, CartellaDelRegistro)
{
    CartellaTemporanea cartella;
    VariabileSalvata xdg("XDG_CONFIG_HOME"), casa("HOME");
    qunsetenv("TRATTE_REGISTRO");
    qputenv("XDG_CONFIG_HOME", cartella.file("config").toLocal8Bit());
    TRegIniFile("Software\\Quintor").WriteString("", "Dove", "config");
    EXPECT_TRUE(QFile::exists(cartella.file("config/quintor-registro/HKEY_CURRENT_USER.reg")));

    qunsetenv("XDG_CONFIG_HOME");
    qputenv("HOME", cartella.file("casa").toLocal8Bit());
    EXPECT_EQ(TRegIniFile("Software\\Quintor").ReadString("", "Dove", ""), "");
    EXPECT_TRUE(QFile::exists(cartella.file("casa/.config/quintor-registro/HKEY_CURRENT_USER.reg")));
}

// The machine's classes hive (what the package registers) is read under the
// user's: the user's keys and values win, and every write goes to the
// user's file alone; the current user's hive has no machine part.
TEST(Registro, IlRegistroDelleClassiDellaMacchina)
{
    CartellaTemporanea cartella;
    VariabileSalvata macchinaPrima("TRATTE_REGISTRO_MACCHINA");
    const QString macchina = cartella.sottocartella("macchina");
    const QString classe = "CLSID\\{6F1C2B3A-0000-4000-8000-000000000002}";
    qputenv("TRATTE_REGISTRO", macchina.toLocal8Bit());
    {
        TRegistry classi(Radice::HKEY_CLASSES_ROOT);
        ASSERT_TRUE(classi.OpenKey(classe + "\\InprocServer32", true));
        classi.WriteString("", "/opt/tratte/libborgal.so");
        classi.WriteString("ThreadingModel", "Apartment");
        TRegIniFile("Software\\Quintor").WriteString("", "Solo", "macchina");
    }
    const QByteArray fileMacchina = contenuto(QDir(macchina).filePath("HKEY_CLASSES_ROOT.reg"));
    qputenv("TRATTE_REGISTRO", cartella.sottocartella("utente").toLocal8Bit());

    TRegistry classi(Radice::HKEY_CLASSES_ROOT);
    EXPECT_FALSE(classi.KeyExists(classe)) << "senza TRATTE_REGISTRO_MACCHINA le prove non vedono la macchina";
    qputenv("TRATTE_REGISTRO_MACCHINA", macchina.toLocal8Bit());
    ASSERT_TRUE(classi.OpenKeyReadOnly(classe + "\\inprocserver32"));
    EXPECT_EQ(classi.ReadString(""), "/opt/tratte/libborgal.so");
    EXPECT_EQ(TRegIniFile("Software\\Quintor").ReadString("", "Solo", "utente"), "utente");

    // The user's value over the machine's; the machine's file unchanged.
    ASSERT_TRUE(classi.OpenKey("\\" + classe + "\\InprocServer32", true));
    classi.WriteString("", "/home/a/tratte/libborgal.so");
    EXPECT_EQ(classi.ReadString(""), "/home/a/tratte/libborgal.so");
    EXPECT_EQ(classi.ReadString("ThreadingModel"), "Apartment");
    EXPECT_EQ(contenuto(QDir(macchina).filePath("HKEY_CLASSES_ROOT.reg")), fileMacchina);
    const QString utente = QString::fromUtf8(contenuto(QDir(cartellaRegistro()).filePath("HKEY_CLASSES_ROOT.reg")));
    EXPECT_TRUE(utente.contains("/home/a/tratte/libborgal.so"));
    EXPECT_FALSE(utente.contains("ThreadingModel"));

    // Without TRATTE_REGISTRO the machine's folder follows XDG_CONFIG_DIRS.
    VariabileSalvata dirs("XDG_CONFIG_DIRS"), registroPrima("TRATTE_REGISTRO");
    qunsetenv("TRATTE_REGISTRO_MACCHINA");
    qunsetenv("TRATTE_REGISTRO");
    qputenv("XDG_CONFIG_DIRS", (cartella.percorso() + ":/etc/xdg").toLocal8Bit());
    EXPECT_EQ(ArchivioAlveare::cartellaMacchina(), cartella.file("quintor-registro"));
    qunsetenv("XDG_CONFIG_DIRS");
    EXPECT_EQ(ArchivioAlveare::cartellaMacchina(), "/etc/xdg/quintor-registro");
}
