// The print dialog component's server library: the class TZRWinStampa and
// the four entry points.
#include "dialogostampa.h"
#include "izrwinstampa.h"
#include "servizio.h"

#include "componenti/server.h"

#include <QApplication>
#include <QRadioButton>
#include <QSpinBox>

using namespace componenti;

namespace zrwinstampa {

namespace {

class TZRWinStampa : public TComObjectCon<IZRWinStampa> {
public:
    TZRWinStampa() : TComObjectCon<IZRWinStampa>(IID_IZRWinStampa) {}

    bool OpzioniStampa(int& copie, bool& suStampante, bool& tutteLePagine, int& primaPagina, int& ultimaPagina,
                       QPrintDialog* impostazione) override
    {
        TDialogoStampa dialogo(impostazione, QApplication::activeWindow());
        (suStampante ? dialogo.StampanteRB : dialogo.AnteprimaRB)->setChecked(true);
        (tutteLePagine ? dialogo.TutteRB : dialogo.IntervalloRB)->setChecked(true);
        dialogo.CopieSE->setValue(qBound(1, copie, 65535));
        dialogo.DaSE->setValue(qMax(0, primaPagina));
        dialogo.ASE->setValue(qMax(0, ultimaPagina));
        dialogo.Aggiorna();
        if (MostraModale(dialogo) != 1)
            return false;
        copie = dialogo.CopieSE->value();
        suStampante = dialogo.StampanteRB->isChecked();
        tutteLePagine = dialogo.TutteRB->isChecked();
        primaPagina = dialogo.DaSE->value();
        ultimaPagina = dialogo.ASE->value();
        return true;
    }
};

TComObjectFactory& Fabbrica()
{
    static TComObjectFactory fabbrica(CLSID_ZRWinStampa, CreatoreDi<TZRWinStampa>());
    return fabbrica;
}

} // namespace

} // namespace zrwinstampa

COMPONENTI_ESPORTA HRESULT DllGetClassObject(const QUuid& clsid, const QUuid& iid, void** oggetto)
{
    return FabbricaPerClasse({&zrwinstampa::Fabbrica()}, clsid, iid, oggetto);
}

COMPONENTI_ESPORTA HRESULT DllCanUnloadNow() { return RispostaDllCanUnloadNow(); }

COMPONENTI_ESPORTA HRESULT DllRegisterServer()
{
    return EseguiRegistrazione([] {
        RegistraClasse(zrwinstampa::CLSID_ZRWinStampa, QString::fromLatin1(zrwinstampa::DescrizioneZRWinStampa),
                       QString::fromLatin1(zrwinstampa::ProgIdZRWinStampa), PercorsoModuloCorrente());
    });
}

COMPONENTI_ESPORTA HRESULT DllUnregisterServer()
{
    return EseguiRegistrazione(
        [] { CancellaClasse(zrwinstampa::CLSID_ZRWinStampa, QString::fromLatin1(zrwinstampa::ProgIdZRWinStampa)); });
}
