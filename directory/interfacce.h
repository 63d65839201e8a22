#pragma once
// The interfaces of the municipality directory component (libborgal.so),
// as the main program includes them: header only, so that the program
// needs the component model's headers but not the library. The program
// creates the class CLSID_Borgal by class id and asks it for IBorgal.
//
// The operations keep their slot order: the program and the library reach
// them through the same virtual table. Strings and string lists cross the
// boundary as Qt types (both sides link the same Qt); a window handle is
// the host's QWidget* (the window the component's dialogs belong to).
#include "componenti/componenti.h"

#include <QString>
#include <QStringList>
#include <QUuid>

class QWidget;

namespace borgal {

// The host's window handle, as the component's application object keeps it.
using HandleFinestra = QWidget*;

// What every object of the component answers: the host's window and the
// component's help file.
class IKWGenericComObject : public componenti::IUnknown {
public:
    // The window the component's application object uses as its main window.
    virtual HandleFinestra GetApplicationHandle() = 0;
    // From now on the component's dialogs belong to this window (nullptr:
    // to none). The object puts back the previous window when it goes.
    virtual void SetApplicationHandle(HandleFinestra handle) = 0;
    virtual QString GetHelpFile() = 0;
    virtual void SetHelpFile(const QString& file) = 0;
};

// The directory: a comune or foreign-state code or name, as the user typed
// it, turned into the archive record.
class IBorgal : public IKWGenericComObject {
public:
    // The archive dialog on the comuni and/or states page; the name chosen,
    // or empty.
    virtual QString MostraArchivio(bool Comuni, bool Stati) = 0;
    // Looks the text up as tax code, cadastral code, then name (a trailing
    // "*" allows a choice among the names that start so). On entry line 0
    // of Dati is the caption of the choice, line 1 a province that limits
    // the candidates; on return Dati holds "TipoDati=COMUNE" or
    // "TipoDati=STATO" and one "Colonna=valore" line per non-empty column.
    virtual bool CercaComune(bool Comuni, bool Stati, const QString& Testo, QStringList& Dati) = 0;
    // True when the text, exactly as given, is a code or name of the
    // archives ("*" at the end: a name that starts so). Shows nothing.
    virtual bool EsisteComune(bool Comuni, bool Stati, const QString& Testo) = 0;
};

inline const QUuid IID_IKWGenericComObject{"{43F3DCA1-3C5C-11D4-B19A-444553540000}"};
inline const QUuid IID_IBorgal{"{F6CC86A0-E389-11D3-B19A-444553540000}"};

// The one class of the server; its class id is also the interface id of IBorgal.
inline const QUuid CLSID_Borgal{"{F6CC86A0-E389-11D3-B19A-444553540000}"};
// The type library the server names (it describes no types).
inline const QUuid LIBID_Borgal{"{F6CC86A1-E389-11D3-B19A-444553540000}"};

inline constexpr char NomeServer[] = "Borgal";
inline constexpr char NomeClasseBorgal[] = "QUINTOR.BORGAL";
inline constexpr char DescrizioneBorgal[] = "QUINTOR ARCHIVIO COMUNI";
inline constexpr char ProgIdBorgal[] = "Borgal.QUINTOR.BORGAL";

} // namespace borgal
