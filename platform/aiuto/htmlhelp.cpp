#include "aiuto/htmlhelp.h"

#include "aiuto/contesto.h"
#include "aiuto/visualizzatoreguida.h"

namespace aiuto {

TVTRHtmlHelp::TVTRHtmlHelp()
    : proprio_(std::make_unique<VisualizzatoreGuida>()), visualizzatore_(*proprio_),
      precedente_(GestoreAiutoApplicazione())
{
    Installa();
}

TVTRHtmlHelp::TVTRHtmlHelp(VisualizzatoreAiuto& visualizzatore)
    : visualizzatore_(visualizzatore), precedente_(GestoreAiutoApplicazione())
{
    Installa();
}

TVTRHtmlHelp::~TVTRHtmlHelp() { ImpostaGestoreAiuto(std::move(precedente_)); }

bool TVTRHtmlHelp::ShowIndex(const QString& file)
{
    SetFile(file);
    return Chiama(HH_DISPLAY_INDEX, 0);
}

bool TVTRHtmlHelp::ShowContents(const QString& file)
{
    SetFile(file);
    return Chiama(HH_DISPLAY_TOC, 0);
}

bool TVTRHtmlHelp::ShowHelp(int comando, quintptr dati, const QString& file)
{
    SetFile(file);
    return Chiama(comando, dati);
}

bool TVTRHtmlHelp::ShowContext(int contesto, const QString& file)
{
    return ShowHelp(HH_HELP_CONTEXT, quintptr(contesto), file);
}

int TVTRHtmlHelp::CurrentContext() const { return ContestoCorrente(); }

bool TVTRHtmlHelp::GestisciAiuto(int comando, quintptr dati, bool& chiamaAiuto)
{
    chiamaAiuto = false;
    switch (comando) {
    case HELP_CONTEXT:
        return ShowContext(int(dati), QString());
    case HELP_CONTENTS:
        return ShowIndex(QString());
    default:
        return false;
    }
}

void TVTRHtmlHelp::SetFile(const QString& file) { file_ = file.isEmpty() ? HelpFile() : file; }

void TVTRHtmlHelp::Installa()
{
    // Virtual dispatch: a derived wrapper's handler is the one that runs.
    ImpostaGestoreAiuto([this](int comando, quintptr dati, bool& chiamaAiuto) {
        return GestisciAiuto(comando, dati, chiamaAiuto);
    });
}

bool TVTRHtmlHelp::Chiama(int comando, quintptr dati)
{
    risultato_ = visualizzatore_.Mostra(FinestraPrincipale(), file_, comando, dati);
    return risultato_;
}

} // namespace aiuto
