#include "componenti/creazione.h"
#include "componenti/server.h"
#include "iprova.h"
#include "registro/tregistry.h"
#include "supporto/cartella_temporanea.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <dlfcn.h>

// Readable QStrings in the failure messages.
inline void PrintTo(const QString& testo, std::ostream* flusso)
{
    *flusso << '"' << testo.toStdString() << '"';
}

using namespace componenti;
using registro::Radice;
using registro::TRegistry;

namespace {

const QString servizio = QStringLiteral(SERVIZIO_PROVA);
const QString senzaEsportazioni = QStringLiteral(SENZA_ESPORTAZIONI);

// The default value of a key of the classes hive; nullopt when the key is missing.
std::optional<QString> Predefinito(const QString& chiave)
{
    TRegistry registro(Radice::HKEY_CLASSES_ROOT);
    if (!registro.OpenKeyReadOnly(chiave))
        return std::nullopt;
    return registro.ReadString(QString());
}

// The test server as the loader holds it now, without loading it.
class ServizioInMemoria {
public:
    ServizioInMemoria() : handle_(dlopen(SERVIZIO_PROVA, RTLD_NOW | RTLD_NOLOAD)) {}
    ~ServizioInMemoria()
    {
        if (handle_)
            dlclose(handle_);
    }
    bool Caricato() const { return handle_ != nullptr; }
    HRESULT DllCanUnloadNow() const
    {
        auto f = reinterpret_cast<FunzioneDllCanUnloadNow>(dlsym(handle_, "DllCanUnloadNow"));
        return f ? f() : E_FAIL;
    }
    FunzioneDllGetClassObject DllGetClassObject() const
    {
        return reinterpret_cast<FunzioneDllGetClassObject>(dlsym(handle_, "DllGetClassObject"));
    }
    ComPtr<IClassFactory> Fabbrica() const
    {
        ComPtr<IClassFactory> fabbrica;
        if (auto f = DllGetClassObject())
            f(CLSID_Prova, IID_IClassFactory, fabbrica.Indirizzo());
        return fabbrica;
    }

private:
    void* handle_;
};

HRESULT ServizioPuoScaricare()
{
    return ServizioInMemoria().DllCanUnloadNow();
}

// An EOleSysError from the call, with its text and code.
template <class F>
EOleSysError ErroreDi(F&& chiamata)
{
    try {
        chiamata();
    } catch (const EOleSysError& e) {
        return e;
    }
    ADD_FAILURE() << "nessun EOleSysError";
    return EOleSysError(QString(), S_OK);
}

// Each test starts from a private registry and leaves no library loaded.
class Componenti : public ::testing::Test {
protected:
    void TearDown() override
    {
        CoFreeUnusedLibraries();
        EXPECT_EQ(LibrerieCaricate(), 0);
    }
    CartellaTemporanea cartella_;
};

TEST_F(Componenti, RegistrazioneDelServerScriveEToglieLeSueVoci)
{
    // Another class's entries are none of the server's business.
    RegistraClasse(QUuid("{11111111-2222-3333-4444-555555555555}"), "ALTRA", "Altra.CLASSE", "/opt/altra.so");

    EXPECT_EQ(RegistraServer(servizio), S_OK);
    const QString classe = "\\CLSID\\{6B2D9E11-4C1A-4F7B-9E3D-2A51C0D4E601}";
    EXPECT_EQ(Predefinito(classe), DescrizioneProva);
    EXPECT_EQ(Predefinito(classe + "\\InprocServer32"), QFileInfo(servizio).absoluteFilePath());
    EXPECT_EQ(Predefinito(classe + "\\ProgID"), ProgIdProva);
    EXPECT_EQ(Predefinito("\\" + ProgIdProva), DescrizioneProva);
    EXPECT_EQ(Predefinito("\\" + ProgIdProva + "\\Clsid"), "{6B2D9E11-4C1A-4F7B-9E3D-2A51C0D4E601}");
    TRegistry registro(Radice::HKEY_CLASSES_ROOT);
    ASSERT_TRUE(registro.OpenKeyReadOnly(classe));
    EXPECT_EQ(registro.GetValueNames(), QStringList{QString()}); // the default value only
    EXPECT_EQ(registro.GetKeyNames(), (QStringList{"InprocServer32", "ProgID"}));
    registro.CloseKey();
    // The registration was the server's only load.
    EXPECT_FALSE(ServizioInMemoria().Caricato());

    EXPECT_EQ(CancellaServer(servizio), S_OK);
    EXPECT_FALSE(registro.KeyExists(classe));
    EXPECT_FALSE(registro.KeyExists("\\" + ProgIdProva));
    EXPECT_EQ(Predefinito("\\CLSID\\{11111111-2222-3333-4444-555555555555}\\InprocServer32"), "/opt/altra.so");
    EXPECT_EQ(Predefinito("\\Altra.CLASSE\\Clsid"), "{11111111-2222-3333-4444-555555555555}");
    // Removing what is no longer there is no error.
    EXPECT_EQ(CancellaServer(servizio), S_OK);
}

TEST_F(Componenti, RegistrazioneNonRiuscitaDaUnErroreChiaro)
{
    const QString mancante = cartella_.file("nessuna.so");
    EOleSysError e = ErroreDi([&] { RegistraServer(mancante); });
    EXPECT_EQ(e.codice(), CO_E_DLLNOTFOUND);
    EXPECT_TRUE(e.messaggio().contains(mancante)) << e.messaggio().toStdString();

    e = ErroreDi([&] { CancellaServer(senzaEsportazioni); });
    EXPECT_EQ(e.codice(), CO_E_ERRORINDLL);
    EXPECT_TRUE(e.messaggio().contains("DllUnregisterServer")) << e.messaggio().toStdString();
    EXPECT_TRUE(e.messaggio().contains(senzaEsportazioni));

    // A classes hive that cannot be written: the server answers E_FAIL.
    QDir(qEnvironmentVariable("TRATTE_REGISTRO")).mkdir("HKEY_CLASSES_ROOT.reg");
    e = ErroreDi([&] { RegistraServer(servizio); });
    EXPECT_EQ(e.codice(), E_FAIL);
    EXPECT_TRUE(e.messaggio().contains("0x80004005")) << e.messaggio().toStdString();
    EXPECT_TRUE(e.messaggio().contains(servizio));
}

TEST_F(Componenti, VociDiClasseControllateELasciateAlleAltreClassi)
{
    const QUuid prima("{AAAAAAAA-0000-0000-0000-000000000001}");
    const QUuid seconda("{AAAAAAAA-0000-0000-0000-000000000002}");
    RegistraClasse(prima, "PRIMA", "Condiviso.PROGID", "/opt/prima.so");
    RegistraClasse(seconda, "SECONDA", "Condiviso.PROGID", "/opt/seconda.so");
    // The ProgID now names the second class: unregistering the first leaves it.
    CancellaClasse(prima, "Condiviso.PROGID");
    EXPECT_EQ(Predefinito("\\CLSID\\" + TestoId(prima)), std::nullopt);
    EXPECT_EQ(Predefinito("\\Condiviso.PROGID\\Clsid"), TestoId(seconda));
    EXPECT_EQ(Predefinito("\\Condiviso.PROGID"), "SECONDA");

    // Without a ProgID only the class's keys are written; the root's
    // default value stays untouched.
    RegistraClasse(prima, "PRIMA", QString(), "/opt/prima.so");
    EXPECT_EQ(Predefinito("\\CLSID\\" + TestoId(prima) + "\\InprocServer32"), "/opt/prima.so");
    EXPECT_EQ(Predefinito("\\CLSID\\" + TestoId(prima) + "\\ProgID"), std::nullopt);
    TRegistry radice(Radice::HKEY_CLASSES_ROOT);
    EXPECT_FALSE(radice.ValueExists(QString()));

    // Bad input: a clear error and the hive as it was.
    const QStringList chiaviPrima = radice.GetKeyNames();
    for (const QString& progId : {QString("Due\\Livelli"), QString("clsid"), QString("   ")}) {
        const EOleSysError e = ErroreDi([&] { RegistraClasse(seconda, "X", progId, "/opt/x.so"); });
        EXPECT_EQ(e.codice(), E_INVALIDARG);
        EXPECT_TRUE(e.messaggio().contains(progId)) << e.messaggio().toStdString();
    }
    EXPECT_EQ(ErroreDi([&] { RegistraClasse(QUuid(), "X", "X.Y", "/opt/x.so"); }).codice(), E_INVALIDARG);
    EXPECT_EQ(ErroreDi([&] { RegistraClasse(seconda, "X", "X.Y", ""); }).codice(), E_INVALIDARG);
    EXPECT_EQ(ErroreDi([&] { CancellaClasse(seconda, "Due\\Livelli"); }).codice(), E_INVALIDARG);
    EXPECT_EQ(radice.GetKeyNames(), chiaviPrima);
    EXPECT_EQ(Predefinito("\\CLSID\\" + TestoId(seconda) + "\\InprocServer32"), "/opt/seconda.so");
    EXPECT_EQ(Predefinito("\\CLSID\\" + TestoId(prima) + "\\InprocServer32"), "/opt/prima.so");
}

TEST_F(Componenti, OggettoCreatoPerClassIdVivoFinoAllUltimoRiferimento)
{
    ASSERT_EQ(RegistraServer(servizio), S_OK);
    const int viviNelProgramma = ContatoreModulo::Vivi();
    {
        ComPtr<IProva> prova = CreateComObject<IProva>(CLSID_Prova, IID_IProva);
        ASSERT_TRUE(prova);
        EXPECT_EQ(LibrerieCaricate(), 1);
        EXPECT_EQ(prova->Somma(2, 40), 42);
        EXPECT_EQ(prova->Saluta("Ada"), "Ciao, Ada!");
        EXPECT_EQ(prova->Parole(" via  Roma 1 "), (QStringList{"via", "Roma", "1"}));

        // Reference counting: the creation's reference is ours alone.
        EXPECT_EQ(prova->AddRef(), 2u);
        EXPECT_EQ(prova->Release(), 1u);
        ComPtr<IUnknown> ignoto;
        ASSERT_EQ(prova->QueryInterface(IID_IUnknown, ignoto.Indirizzo()), S_OK);
        EXPECT_EQ(ignoto->AddRef(), 3u);
        EXPECT_EQ(ignoto->Release(), 2u);
        // The same object, whichever interface it is asked through.
        ComPtr<IProva> ancora;
        ASSERT_EQ(ignoto->QueryInterface(IID_IProva, ancora.Indirizzo()), S_OK);
        EXPECT_EQ(ancora.Get(), prova.Get());
        void* nessuno = &nessuno;
        EXPECT_EQ(prova->QueryInterface(QUuid::createUuid(), &nessuno), E_NOINTERFACE);
        EXPECT_EQ(nessuno, nullptr);
        EXPECT_EQ(prova->QueryInterface(IID_IProva, nullptr), E_POINTER);

        // The server counts its objects; the program's count is its own.
        EXPECT_EQ(ServizioPuoScaricare(), S_FALSE);
        EXPECT_EQ(ContatoreModulo::Vivi(), viviNelProgramma);
        // A second object comes from the library already loaded.
        ComPtr<IProva> altra = CreateComObject<IProva>(CLSID_Prova, IID_IProva);
        EXPECT_NE(altra.Get(), prova.Get());
        EXPECT_EQ(LibrerieCaricate(), 1);

        // Nothing unloads while objects live.
        ignoto.Reset();
        ancora.Reset();
        altra.Reset();
        CoFreeUnusedLibraries();
        EXPECT_EQ(LibrerieCaricate(), 1);
        EXPECT_EQ(prova->Somma(1, 1), 2);
    }
    EXPECT_EQ(ServizioPuoScaricare(), S_OK);
    CoFreeUnusedLibraries();
    EXPECT_EQ(LibrerieCaricate(), 0);
    EXPECT_FALSE(ServizioInMemoria().Caricato());

    // Created again, the library is loaded again.
    ComPtr<IProva> dopo = CreateComObject<IProva>(CLSID_Prova, IID_IProva);
    EXPECT_EQ(LibrerieCaricate(), 1);
    EXPECT_EQ(dopo->Saluta("Bruno"), "Ciao, Bruno!");
    EXPECT_EQ(ServizioPuoScaricare(), S_FALSE);
}

TEST_F(Componenti, FabbricaDelServerBloccaEDistingueLeClassi)
{
    ASSERT_EQ(RegistraServer(servizio), S_OK);
    CreateComObject<IProva>(CLSID_Prova, IID_IProva).Reset(); // loads the library
    const ServizioInMemoria server;
    ASSERT_TRUE(server.Caricato());
    EXPECT_EQ(server.DllCanUnloadNow(), S_OK);

    ComPtr<IClassFactory> fabbrica = server.Fabbrica();
    ASSERT_TRUE(fabbrica);
    // A reference held on the factory keeps the library too.
    EXPECT_EQ(server.DllCanUnloadNow(), S_FALSE);
    void* oggetto = &oggetto;
    ComPtr<IUnknown> esterno(CreaOggetto(CLSID_Prova, IID_IUnknown));
    EXPECT_EQ(fabbrica->CreateInstance(esterno.Get(), IID_IProva, &oggetto), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(oggetto, nullptr);
    esterno.Reset();
    EXPECT_EQ(fabbrica->CreateInstance(nullptr, IID_IProva, nullptr), E_POINTER);

    EXPECT_EQ(fabbrica->LockServer(true), S_OK);
    fabbrica.Reset();
    EXPECT_EQ(server.DllCanUnloadNow(), S_FALSE);
    CoFreeUnusedLibraries();
    EXPECT_EQ(LibrerieCaricate(), 1);
    fabbrica = server.Fabbrica();
    EXPECT_EQ(fabbrica->LockServer(false), S_OK);
    // One unlock too many changes nothing: a live object still counts.
    ComPtr<IProva> prova = CreateComObject<IProva>(CLSID_Prova, IID_IProva);
    EXPECT_EQ(fabbrica->LockServer(false), E_FAIL);
    fabbrica.Reset();
    EXPECT_EQ(server.DllCanUnloadNow(), S_FALSE);
    prova.Reset();
    EXPECT_EQ(server.DllCanUnloadNow(), S_OK);

    // Another class id: no factory, and the out pointer cleared.
    const FunzioneDllGetClassObject dllGetClassObject = server.DllGetClassObject();
    ASSERT_NE(dllGetClassObject, nullptr);
    oggetto = &oggetto;
    EXPECT_EQ(dllGetClassObject(QUuid::createUuid(), IID_IClassFactory, &oggetto), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(oggetto, nullptr);
    oggetto = &oggetto;
    EXPECT_EQ(dllGetClassObject(CLSID_Prova, IID_IProva, &oggetto), E_NOINTERFACE);
    EXPECT_EQ(oggetto, nullptr);
    EXPECT_EQ(server.DllCanUnloadNow(), S_OK);
}

TEST_F(Componenti, CreazioneNonRiuscitaDaUnErroreChiaro)
{
    ASSERT_EQ(RegistraServer(servizio), S_OK);

    const QUuid ignota("{0BADC0DE-0000-4000-8000-000000000001}");
    EOleSysError e = ErroreDi([&] { CreaOggetto(ignota, IID_IProva); });
    EXPECT_EQ(e.codice(), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(e.messaggio(), "Classe non registrata: {0BADC0DE-0000-4000-8000-000000000001}");

    // Registered with an empty path: as good as not registered.
    RegistraClasse(ignota, "VUOTA", QString(), "/x");
    TRegistry registro(Radice::HKEY_CLASSES_ROOT);
    ASSERT_TRUE(registro.OpenKey("\\CLSID\\" + TestoId(ignota) + "\\InprocServer32", false));
    registro.WriteString(QString(), QString());
    EXPECT_EQ(ErroreDi([&] { CreaOggetto(ignota, IID_IProva); }).codice(), REGDB_E_CLASSNOTREG);

    const QString mancante = cartella_.file("sparita.so");
    RegistraClasse(ignota, "MANCANTE", QString(), mancante);
    e = ErroreDi([&] { CreaOggetto(ignota, IID_IProva); });
    EXPECT_EQ(e.codice(), CO_E_DLLNOTFOUND);
    EXPECT_TRUE(e.messaggio().contains(mancante)) << e.messaggio().toStdString();
    EXPECT_TRUE(e.messaggio().contains("No such file")) << e.messaggio().toStdString();

    RegistraClasse(ignota, "NON SERVER", QString(), senzaEsportazioni);
    e = ErroreDi([&] { CreaOggetto(ignota, IID_IProva); });
    EXPECT_EQ(e.codice(), CO_E_ERRORINDLL);
    EXPECT_TRUE(e.messaggio().contains("DllGetClassObject")) << e.messaggio().toStdString();
    EXPECT_TRUE(e.messaggio().contains(senzaEsportazioni));
    EXPECT_EQ(LibrerieCaricate(), 0); // a library that is no server is not kept

    // The server's file, but a class it does not serve.
    RegistraClasse(ignota, "NON SERVITA", QString(), servizio);
    e = ErroreDi([&] { CreaOggetto(ignota, IID_IProva); });
    EXPECT_EQ(e.codice(), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_TRUE(e.messaggio().contains(servizio)) << e.messaggio().toStdString();

    const QUuid mancanteIid("{0BADC0DE-0000-4000-8000-0000000000FF}");
    e = ErroreDi([&] { CreaOggetto(CLSID_Prova, mancanteIid); });
    EXPECT_EQ(e.codice(), E_NOINTERFACE);
    EXPECT_EQ(e.messaggio(), "Interfaccia {0BADC0DE-0000-4000-8000-0000000000FF} non disponibile per la classe "
                             "{6B2D9E11-4C1A-4F7B-9E3D-2A51C0D4E601}");

    // An object whose construction throws: the server's reason, and
    // nothing left alive in it.
    RegistraClasse(CLSID_Difettosa, "DIFETTOSA", QString(), servizio);
    e = ErroreDi([&] { CreaOggetto(CLSID_Difettosa, IID_IUnknown); });
    EXPECT_EQ(e.codice(), E_FAIL);
    EXPECT_TRUE(e.messaggio().contains("archivio non disponibile")) << e.messaggio().toStdString();

    // None of these left an object or a lock behind.
    EXPECT_EQ(ServizioPuoScaricare(), S_OK);
    EXPECT_EQ(LibrerieCaricate(), 1);
}

// An object of the program itself, to watch its life.
class TOggettoLocale : public TComObjectCon<IProva> {
public:
    explicit TOggettoLocale(bool* distrutto) : TComObjectCon<IProva>(IID_IProva), distrutto_(distrutto) {}
    ~TOggettoLocale() override { *distrutto_ = true; }
    int Somma(int a, int b) override { return a - b; }
    QString Saluta(const QString&) override { return {}; }
    QStringList Parole(const QString&) override { return {}; }

private:
    bool* distrutto_;
};

TEST_F(Componenti, OggettiEFabbricheDelProgrammaContanoNelProgramma)
{
    const int prima = ContatoreModulo::Vivi();
    bool distrutto = false;
    TComObjectFactory fabbrica(CLSID_Prova, [&] { return static_cast<IUnknown*>(static_cast<TComObject*>(new TOggettoLocale(&distrutto))); });

    ComPtr<IProva> prova;
    ASSERT_EQ(fabbrica.CreateInstance(nullptr, IID_IProva, prova.Indirizzo()), S_OK);
    EXPECT_EQ(ContatoreModulo::Vivi(), prima + 1);
    EXPECT_FALSE(ContatoreModulo::Libero());
    EXPECT_EQ(prova->Somma(5, 3), 2);

    // Asked for an interface it lacks, a new object goes at once.
    bool distruttoAltro = false;
    TComObjectFactory altra(CLSID_Prova, [&] { return static_cast<IUnknown*>(static_cast<TComObject*>(new TOggettoLocale(&distruttoAltro))); });
    void* nessuno = &nessuno;
    EXPECT_EQ(altra.CreateInstance(nullptr, QUuid::createUuid(), &nessuno), E_NOINTERFACE);
    EXPECT_EQ(nessuno, nullptr);
    EXPECT_TRUE(distruttoAltro);
    EXPECT_EQ(ContatoreModulo::Vivi(), prima + 1);

    // Locks count with the objects, and only the locks taken can be undone.
    EXPECT_EQ(fabbrica.LockServer(true), S_OK);
    EXPECT_EQ(ContatoreModulo::Vivi(), prima + 2);
    EXPECT_EQ(altra.LockServer(false), E_FAIL);
    EXPECT_EQ(fabbrica.LockServer(false), S_OK);
    EXPECT_EQ(ContatoreModulo::Vivi(), prima + 1);

    // The factory's references keep the module from being free.
    ComPtr<IClassFactory> riferimento;
    ASSERT_EQ(fabbrica.QueryInterface(IID_IClassFactory, riferimento.Indirizzo()), S_OK);
    prova.Reset();
    EXPECT_TRUE(distrutto);
    EXPECT_EQ(ContatoreModulo::Vivi(), prima);
    EXPECT_EQ(ContatoreModulo::FabbricheInUso(), 1);
    EXPECT_FALSE(ContatoreModulo::Libero());
    EXPECT_EQ(RispostaDllCanUnloadNow(), S_FALSE);
    riferimento.Reset();
    EXPECT_EQ(ContatoreModulo::FabbricheInUso(), 0);
    EXPECT_EQ(RispostaDllCanUnloadNow(), prima == 0 ? S_OK : S_FALSE);

    // The helper of DllGetClassObject picks the factory by class id.
    ComPtr<IClassFactory> trovata;
    EXPECT_EQ(FabbricaPerClasse({&altra, &fabbrica}, CLSID_Prova, IID_IClassFactory, trovata.Indirizzo()), S_OK);
    EXPECT_EQ(trovata.Get(), static_cast<IClassFactory*>(&altra));
    void* nulla = &nulla;
    EXPECT_EQ(FabbricaPerClasse({&fabbrica}, CLSID_Difettosa, IID_IClassFactory, &nulla), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(nulla, nullptr);
}

TEST_F(Componenti, PercorsoDelModuloCheContieneUnIndirizzo)
{
    static const int quiNelProgramma = 0;
    EXPECT_EQ(PercorsoModulo(&quiNelProgramma), QCoreApplication::applicationFilePath());
    EXPECT_EQ(PercorsoModuloCorrente(), QCoreApplication::applicationFilePath());
    const QString qt = PercorsoModulo(reinterpret_cast<const void*>(&qVersion));
    EXPECT_TRUE(QFileInfo(qt).isAbsolute()) << qt.toStdString();
    EXPECT_TRUE(QFileInfo(qt).fileName().startsWith("libQt6Core.so")) << qt.toStdString();
    EXPECT_EQ(PercorsoModulo(nullptr), QString());
    EXPECT_EQ(EseguiRegistrazione([] { throw std::runtime_error("no"); }), E_FAIL);
}

} // namespace
