// The tratte program: one copy at a time, the main window first, then the
// long-lived dialogs, then the message loop.
#include "aiuto/htmlhelp.h"
#include "app/caricamento/taggform.h"
#include "app/caricamento/tdelprvform.h"
#include "app/installazione.h"
#include "app/mainform.h"
#include "app/ricerca/tformricinspf.h"
#include "app/ricerca/ttratteform.h"
#include "app/stampa/tanteprimaform.h"
#include "gridkit/comune/avviografico.h"
#include "istanza/istanza_unica.h"
#include "messaggi/messaggi.h"

#include <QApplication>
#include <csignal>

int main(int argc, char** argv)
{
    // A file size limit (ulimit -f) reached while writing a table ends the
    // write with an error, reported as a full disk is, not the program.
    std::signal(SIGXFSZ, SIG_IGN);
    // Another copy is running: end at once, silently.
    istanza::IstanzaUnica istanza;
    if (istanza.GiaInEsecuzione())
        return 0;
    QApplication applicazione(argc, argv);
    gridkit::AvvioGrafico grafica;
    QApplication::setApplicationName(QStringLiteral("Tratte"));
    aiuto::TVTRHtmlHelp guida;
    // An installation the user cannot write works in the user's own folder.
    QString programma;
    try {
        programma = tratte::CartellaDiLavoro(QCoreApplication::applicationDirPath());
    } catch (const std::exception& errore) {
        messaggi::MostraErrore(errore);
        return 1;
    }
    tratte::TMainForm finestra(programma);
    // Created after the main window, in this order: TTratteForm,
    // TFormRicInsPF, TAggForm, TDelPrvForm, TAnteprimaForm (the wait window
    // of a deletion is made when one runs).
    tratte::TTratteForm tratteForm(finestra);
    tratte::TFormRicInsPF formRicInsPF(finestra);
    tratte::TAggForm aggiornamento(finestra);
    tratte::TDelPrvForm eliminazione(finestra);
    tratte::TAnteprimaForm anteprima(finestra);
    finestra.showMaximized();
    return applicazione.exec();
}
