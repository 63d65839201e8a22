// The test server: one registered class (TProva, interface IProva) and one
// whose objects cannot be made (TDifettosa), built as servers are.
#include "componenti/server.h"
#include "iprova.h"

#include <stdexcept>

using namespace componenti;

namespace {

class TProva : public TComObjectCon<IProva> {
public:
    TProva() : TComObjectCon<IProva>(IID_IProva) {}
    int Somma(int a, int b) override { return a + b; }
    QString Saluta(const QString& nome) override { return QStringLiteral("Ciao, %1!").arg(nome); }
    QStringList Parole(const QString& testo) override { return testo.split(QLatin1Char(' '), Qt::SkipEmptyParts); }
};

class TDifettosa : public TComObject {
public:
    TDifettosa() { throw std::runtime_error("archivio non disponibile"); }
};

TComObjectFactory& FabbricaProva()
{
    static TComObjectFactory fabbrica(CLSID_Prova, CreatoreDi<TProva>());
    return fabbrica;
}

TComObjectFactory& FabbricaDifettosa()
{
    static TComObjectFactory fabbrica(CLSID_Difettosa, CreatoreDi<TDifettosa>());
    return fabbrica;
}

} // namespace

COMPONENTI_ESPORTA HRESULT DllGetClassObject(const QUuid& clsid, const QUuid& iid, void** oggetto)
{
    return FabbricaPerClasse({&FabbricaProva(), &FabbricaDifettosa()}, clsid, iid, oggetto);
}

COMPONENTI_ESPORTA HRESULT DllCanUnloadNow()
{
    return RispostaDllCanUnloadNow();
}

COMPONENTI_ESPORTA HRESULT DllRegisterServer()
{
    return EseguiRegistrazione([] { RegistraClasse(CLSID_Prova, DescrizioneProva, ProgIdProva, PercorsoModuloCorrente()); });
}

COMPONENTI_ESPORTA HRESULT DllUnregisterServer()
{
    return EseguiRegistrazione([] { CancellaClasse(CLSID_Prova, ProgIdProva); });
}
