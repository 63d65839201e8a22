// libborgal.so as a component server: registration in the classes hive,
// the four entry points, unloading while objects live, the interfaces and
// life of an object, and the debug log of creations and destructions.
#include "supporto_borgal.h"

#include "componenti/creazione.h"
#include "componenti/server.h"
#include "registro/tregistry.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QWidget>
#include <dlfcn.h>

using namespace componenti;
using borgal::CLSID_Borgal;
using borgal::IBorgal;
using borgal::IKWGenericComObject;

namespace {

const QString ChiaveClasse = "\\CLSID\\{F6CC86A0-E389-11D3-B19A-444553540000}";
const QString ChiaveLog = "\\SOFTWARE\\QUINTOR\\Common\\VTRCOMDBG";

// The library opened once more by the test, for its raw entry points.
class Esportazioni {
public:
    Esportazioni() : handle_(dlopen(qPrintable(LibreriaBorgal()), RTLD_NOW | RTLD_LOCAL)) {}
    ~Esportazioni()
    {
        if (handle_)
            dlclose(handle_);
    }
    template <class F>
    F Funzione(const char* nome) const
    {
        return reinterpret_cast<F>(dlsym(handle_, nome));
    }
    FunzioneDllGetClassObject GetClassObject() const { return Funzione<FunzioneDllGetClassObject>("DllGetClassObject"); }
    HRESULT CanUnloadNow() const { return Funzione<FunzioneDllCanUnloadNow>("DllCanUnloadNow")(); }

private:
    void* handle_;
};

QString Predefinito(const QString& chiave)
{
    registro::TRegistry r(registro::Radice::HKEY_CLASSES_ROOT);
    return r.OpenKeyReadOnly(chiave) ? r.ReadString(QString()) : QStringLiteral("<manca>");
}

QStringList Righe(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

using Server = ComponenteBorgal;

} // namespace

TEST_F(Server, RegistrazioneEAnnullamento)
{
    EXPECT_EQ(Predefinito(ChiaveClasse), "QUINTOR ARCHIVIO COMUNI");
    EXPECT_EQ(Predefinito(ChiaveClasse + "\\InprocServer32"), LibreriaBorgal());
    EXPECT_EQ(Predefinito(ChiaveClasse + "\\ProgID"), "Borgal.QUINTOR.BORGAL");
    EXPECT_EQ(Predefinito("\\Borgal.QUINTOR.BORGAL"), "QUINTOR ARCHIVIO COMUNI");
    EXPECT_EQ(Predefinito("\\Borgal.QUINTOR.BORGAL\\Clsid"), "{F6CC86A0-E389-11D3-B19A-444553540000}");
    EXPECT_TRUE(Crea());

    ASSERT_EQ(CancellaServer(LibreriaBorgal()), S_OK);
    registro::TRegistry classi(registro::Radice::HKEY_CLASSES_ROOT);
    EXPECT_FALSE(classi.KeyExists(ChiaveClasse));
    EXPECT_FALSE(classi.KeyExists("\\Borgal.QUINTOR.BORGAL"));
    try {
        Crea();
        ADD_FAILURE() << "creata una classe non registrata";
    } catch (const EOleSysError& e) {
        EXPECT_EQ(e.codice(), REGDB_E_CLASSNOTREG);
    }

    ASSERT_EQ(RegistraServer(LibreriaBorgal()), S_OK);
    EXPECT_TRUE(Crea());

    // A hive that cannot be written: E_FAIL, not a success.
    QFile ostacolo(cartella.file("file"));
    ASSERT_TRUE(ostacolo.open(QIODevice::WriteOnly));
    ostacolo.close();
    const QByteArray registroProva = qgetenv("TRATTE_REGISTRO");
    qputenv("TRATTE_REGISTRO", cartella.file("file/registro").toLocal8Bit());
    const Esportazioni esportazioni;
    const HRESULT registrazione = esportazioni.Funzione<FunzioneDllRegisterServer>("DllRegisterServer")();
    const HRESULT cancellazione = esportazioni.Funzione<FunzioneDllUnregisterServer>("DllUnregisterServer")();
    qputenv("TRATTE_REGISTRO", registroProva);
    EXPECT_EQ(registrazione, E_FAIL);
    EXPECT_EQ(cancellazione, E_FAIL);
    EXPECT_EQ(Predefinito(ChiaveClasse), "QUINTOR ARCHIVIO COMUNI");
}

TEST_F(Server, PuntiDiIngressoEScaricamento)
{
    const Esportazioni esportazioni;
    const auto getClassObject = esportazioni.GetClassObject();
    ASSERT_TRUE(getClassObject);
    EXPECT_EQ(esportazioni.CanUnloadNow(), S_OK);

    void* oggetto = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject(QUuid("{00000000-1111-2222-3333-444444444444}"), IID_IClassFactory, &oggetto),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(oggetto, nullptr);
    EXPECT_EQ(getClassObject(CLSID_Borgal, borgal::IID_IBorgal, &oggetto), E_NOINTERFACE);
    EXPECT_EQ(oggetto, nullptr);

    ComPtr<IClassFactory> fabbrica;
    ASSERT_EQ(getClassObject(CLSID_Borgal, IID_IClassFactory, fabbrica.Indirizzo()), S_OK);
    EXPECT_EQ(esportazioni.CanUnloadNow(), S_FALSE); // a factory held
    ComPtr<IBorgal> primo;
    ASSERT_EQ(fabbrica->CreateInstance(nullptr, borgal::IID_IBorgal, reinterpret_cast<void**>(primo.Indirizzo())), S_OK);
    ASSERT_EQ(fabbrica->LockServer(true), S_OK);
    fabbrica.Reset();
    EXPECT_EQ(esportazioni.CanUnloadNow(), S_FALSE);

    // Objects made by class id keep the library loaded.
    ComPtr<IBorgal> secondo = Crea();
    EXPECT_EQ(esportazioni.CanUnloadNow(), S_FALSE);
    CoFreeUnusedLibraries();
    EXPECT_EQ(LibrerieCaricate(), 1);
    primo.Reset();
    secondo.Reset();
    EXPECT_EQ(esportazioni.CanUnloadNow(), S_FALSE); // the lock
    ASSERT_EQ(getClassObject(CLSID_Borgal, IID_IClassFactory, fabbrica.Indirizzo()), S_OK);
    EXPECT_EQ(fabbrica->LockServer(false), S_OK);
    fabbrica.Reset();
    EXPECT_EQ(esportazioni.CanUnloadNow(), S_OK);
    CoFreeUnusedLibraries();
    EXPECT_EQ(LibrerieCaricate(), 0);
}

TEST_F(Server, InterfacceEVitaDellOggetto)
{
    ComPtr<IBorgal> uno = Crea();
    ComPtr<IKWGenericComObject> generico;
    ASSERT_EQ(uno->QueryInterface(borgal::IID_IKWGenericComObject, generico.Indirizzo()), S_OK);
    ComPtr<IUnknown> identita1, identita2;
    ASSERT_EQ(uno->QueryInterface(IID_IUnknown, identita1.Indirizzo()), S_OK);
    ASSERT_EQ(generico->QueryInterface(IID_IUnknown, identita2.Indirizzo()), S_OK);
    EXPECT_EQ(identita1.Get(), identita2.Get());
    void* nessuna = nullptr;
    EXPECT_EQ(uno->QueryInterface(IID_IClassFactory, &nessuna), E_NOINTERFACE);

    // The window: each object gives back at its end the one it found.
    QWidget principale, altra;
    EXPECT_EQ(uno->GetApplicationHandle(), nullptr);
    generico->SetApplicationHandle(&principale);
    EXPECT_EQ(uno->GetApplicationHandle(), &principale);
    ComPtr<IBorgal> due = Crea();
    EXPECT_EQ(due->GetApplicationHandle(), &principale); // one application object
    due->SetApplicationHandle(&altra);
    EXPECT_EQ(uno->GetApplicationHandle(), &altra);
    due.Reset();
    EXPECT_EQ(uno->GetApplicationHandle(), &principale);
    generico.Reset();
    identita1.Reset();
    identita2.Reset();

    uno->SetHelpFile("/opt/tratte/Guida/borgal.html");
    ComPtr<IBorgal> tre = Crea();
    EXPECT_EQ(tre->GetHelpFile(), "/opt/tratte/Guida/borgal.html");
    tre.Reset();
    uno.Reset();
    ComPtr<IBorgal> quattro = Crea();
    EXPECT_EQ(quattro->GetApplicationHandle(), nullptr);
}

TEST_F(Server, LogDiDebugConMessaggiERighe)
{
    const QString crea = cartella.file("crea.log"), distruggi = cartella.file("distruggi.log");
    ScriviRegistro(ChiaveLog, "Activate", "1");
    ScriviRegistro(ChiaveLog, "Action", "3");
    ScriviRegistro(ChiaveLog, "CreateFileName", crea);
    ScriviRegistro(ChiaveLog, "DestroyFileName", distruggi);

    const QDateTime prima = QDateTime::currentDateTime().addSecs(-1);
    ComPtr<IBorgal> uno = Crea();
    ASSERT_EQ(finto.mostrati.size(), 1);
    EXPECT_EQ(finto.mostrati[0].testo, "TBorgal");
    EXPECT_EQ(finto.mostrati[0].titolo, "+++  CREAZIONE  +++");
    EXPECT_EQ(finto.mostrati[0].pulsanti, messaggi::Pulsanti::Ok);
    const QStringList creazioni = Righe(crea);
    ASSERT_EQ(creazioni.size(), 1);
    const auto riga = QRegularExpression(R"(^\+C\+ (\d\d/\d\d/\d{4} \d\d:\d\d:\d\d): TBorgal \[(.*)\]$)").match(creazioni[0]);
    ASSERT_TRUE(riga.hasMatch()) << creazioni[0].toStdString();
    const QDateTime quando = QDateTime::fromString(riga.captured(1), "dd/MM/yyyy hh:mm:ss");
    EXPECT_TRUE(quando >= prima && quando <= QDateTime::currentDateTime()) << riga.captured(1).toStdString();
    EXPECT_EQ(riga.captured(2), QCoreApplication::applicationFilePath());

    // The switch is read once, at load: turning it off now changes nothing.
    ScriviRegistro(ChiaveLog, "Activate", "0");
    ComPtr<IBorgal> due = Crea();
    due.Reset();
    uno.Reset();
    ASSERT_EQ(finto.mostrati.size(), 4);
    EXPECT_EQ(finto.mostrati[2].titolo, "--- DISTRUZIONE ---");
    EXPECT_EQ(finto.mostrati[3].testo, "TBorgal");
    EXPECT_EQ(Righe(crea).size(), 2);
    const QStringList distruzioni = Righe(distruggi);
    ASSERT_EQ(distruzioni.size(), 2);
    EXPECT_TRUE(QRegularExpression(R"(^-D- \d\d/\d\d/\d{4} \d\d:\d\d:\d\d: TBorgal \[.+\]$)").match(distruzioni[1]).hasMatch())
        << distruzioni[1].toStdString();

    // At the next load: off.
    CoFreeUnusedLibraries();
    ASSERT_EQ(LibrerieCaricate(), 0);
    Crea().Reset();
    EXPECT_EQ(finto.mostrati.size(), 4);
    EXPECT_EQ(Righe(crea).size(), 2);
}

TEST_F(Server, LogDiDebugSecondoIBitDiAction)
{
    const QString crea = cartella.file("crea.log"), distruggi = cartella.file("distruggi.log");
    ScriviRegistro(ChiaveLog, "Activate", "1");
    ScriviRegistro(ChiaveLog, "CreateFileName", crea);
    ScriviRegistro(ChiaveLog, "DestroyFileName", distruggi);
    const auto prova = [&](const QString& azione) {
        CoFreeUnusedLibraries();
        ScriviRegistro(ChiaveLog, "Action", azione);
        finto.mostrati.clear();
        QFile::remove(crea);
        QFile::remove(distruggi);
        Crea().Reset();
        return std::make_pair(int(finto.mostrati.size()), int(Righe(crea).size() + Righe(distruggi).size()));
    };
    EXPECT_EQ(prova("2"), std::make_pair(0, 2));
    EXPECT_EQ(prova("1"), std::make_pair(2, 0));
    EXPECT_EQ(prova("0"), std::make_pair(0, 0));
    EXPECT_EQ(prova("tre"), std::make_pair(0, 0)); // not a number: no action
    ScriviRegistro(ChiaveLog, "Activate", "si");
    EXPECT_EQ(prova("3"), std::make_pair(0, 0)); // on only with exactly "1"

    // A file that cannot be written loses its line, not the object.
    ScriviRegistro(ChiaveLog, "Activate", "1");
    ScriviRegistro(ChiaveLog, "CreateFileName", cartella.file("manca/crea.log"));
    CoFreeUnusedLibraries();
    ComPtr<IBorgal> oggetto = Crea();
    EXPECT_TRUE(oggetto);
}
