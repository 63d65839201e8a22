#pragma once
// TVTRHtmlHelp: the program's HTML help wrapper. While it lives it is the
// application's help handler (see applicazione.h): HelpContext(n) shows
// topic n of the help file, HELP_CONTENTS the index page. The program
// creates one instance after the QApplication and before its windows;
// nested instances must end in the reverse order of their creation.
#include "aiuto/applicazione.h"
#include "aiuto/visualizzatore.h"

#include <QString>

#include <memory>

namespace aiuto {

class TVTRHtmlHelp {
public:
    // Shows help in the program's own help window (VisualizzatoreGuida).
    TVTRHtmlHelp();
    // Shows help through the given viewer, which must outlive the object.
    explicit TVTRHtmlHelp(VisualizzatoreAiuto& visualizzatore);
    // Puts back the help handler that was installed before.
    virtual ~TVTRHtmlHelp();
    TVTRHtmlHelp(const TVTRHtmlHelp&) = delete;
    TVTRHtmlHelp& operator=(const TVTRHtmlHelp&) = delete;

    // Every operation taking a file runs SetFile with it first; an empty
    // file means the application's help file.
    virtual bool ShowIndex(const QString& file);
    virtual bool ShowContents(const QString& file);
    virtual bool ShowHelp(int comando, quintptr dati, const QString& file);
    virtual bool ShowContext(int contesto, const QString& file);
    // The help context F1 refers to now (ContestoCorrente of contesto.h).
    virtual int CurrentContext() const;
    // The application's help handler: HELP_CONTEXT shows the topic of the
    // data, HELP_CONTENTS the index; any other command gives false.
    // It always clears chiamaAiuto.
    virtual bool GestisciAiuto(int comando, quintptr dati, bool& chiamaAiuto);
    virtual void SetFile(const QString& file);

    // The help file in use, and the result of the last viewer call.
    QString File() const { return file_; }
    bool UltimoRisultato() const { return risultato_; }

private:
    void Installa();
    bool Chiama(int comando, quintptr dati);

    std::unique_ptr<VisualizzatoreAiuto> proprio_;
    VisualizzatoreAiuto& visualizzatore_;
    GestoreAiuto precedente_;
    QString file_;
    bool risultato_ = false;
};

} // namespace aiuto
