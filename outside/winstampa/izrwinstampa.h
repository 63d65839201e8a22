#pragma once
// The print dialog component ZRWinStampa: its interface and class id, as
// the program includes them (it links nothing of the library).
#include "componenti/componenti.h"

class QPrintDialog;

namespace zrwinstampa {

class IZRWinStampa : public componenti::IUnknown {
public:
    // Shows the print dialog, pre-set from the values passed: printer or
    // preview, all pages or the range from `primaPagina` to `ultimaPagina`;
    // its button opens `impostazione` (the program's printer set-up
    // dialog, may be null) to change the printer. True when the user
    // confirms: the values are then the user's choice, with `copie`
    // between 1 and 65535.
    virtual bool OpzioniStampa(int& copie, bool& suStampante, bool& tutteLePagine, int& primaPagina, int& ultimaPagina,
                               QPrintDialog* impostazione) = 0;
};

// The class, whose interface is asked for with the same id.
inline const QUuid CLSID_ZRWinStampa{"{76DAFA41-2D6B-11D4-A7A7-00A0CC2C4843}"};
inline const QUuid IID_IZRWinStampa = CLSID_ZRWinStampa;
inline constexpr char ProgIdZRWinStampa[] = "ZRWinStampa.WinStampa";
inline constexpr char DescrizioneZRWinStampa[] = "ZRWinStampa: finestra delle opzioni di stampa";

} // namespace zrwinstampa
