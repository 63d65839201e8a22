// The four entry points of the directory's server library. The load-time
// steps (caricamento.h) run at the first DllGetClassObject, before the
// first object exists.
#include "directory/caricamento.h"
#include "directory/com_borgal.h"
#include "directory/interfacce.h"

#include "componenti/server.h"
#include "gridkit/modifica/clipfile.h"

using namespace componenti;

namespace {

// The grids of this library keep a clipboard of their own, apart from the
// program's: set when the library is loaded.
const bool sedeAppunti = (gridkit::ImpostaSedeLibreria(gridkit::SedeLibreria::Directory), true);

TComObjectFactory& FabbricaBorgal()
{
    static TComObjectFactory fabbrica(borgal::CLSID_Borgal, &borgal::CreaOggettoInizializzato<borgal::TBorgal>);
    return fabbrica;
}

} // namespace

COMPONENTI_ESPORTA HRESULT DllGetClassObject(const QUuid& clsid, const QUuid& iid, void** oggetto)
{
    if (oggetto && clsid == borgal::CLSID_Borgal)
        borgal::AssicuraCaricamento();
    return FabbricaPerClasse({&FabbricaBorgal()}, clsid, iid, oggetto);
}

COMPONENTI_ESPORTA HRESULT DllCanUnloadNow() { return RispostaDllCanUnloadNow(); }

COMPONENTI_ESPORTA HRESULT DllRegisterServer()
{
    // On this platform a path is registered as it is, blanks included.
    return EseguiRegistrazione([] {
        RegistraClasse(borgal::CLSID_Borgal, QString::fromLatin1(borgal::DescrizioneBorgal),
                       QString::fromLatin1(borgal::ProgIdBorgal), PercorsoModuloCorrente());
    });
}

COMPONENTI_ESPORTA HRESULT DllUnregisterServer()
{
    return EseguiRegistrazione([] { CancellaClasse(borgal::CLSID_Borgal, QString::fromLatin1(borgal::ProgIdBorgal)); });
}
