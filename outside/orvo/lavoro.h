#pragma once
// A print job of the engine: the report file read at opening, the
// settings the program gives (title, printer, print options, groups,
// output), and, once started, the rows, the pages and the output.
#include "anteprima.h"
#include "impaginazione.h"
#include "orvo.h"
#include "rapporto.h"

#include <QPointer>
#include <memory>

class QPrinter;

namespace orvo {

// An engine error: a PE_ERR_ code and its text.
struct ErroreMotore {
    short codice;
    QString testo;
};

class Lavoro {
public:
    explicit Lavoro(Rapporto rapporto);
    ~Lavoro();

    Rapporto rapporto;
    QString titolo;
    QString driver, stampante, porta;
    PEDevMode modo{};
    PEPrintOptions opzioni{};
    PEWindowOptions opzioniFinestra{};
    PETrackCursorInfo cursori{};
    bool controlliStampa = true;
    bool avanzamento = true;
    QPointer<QWidget> genitoreDialoghi;

    // The output of the next start.
    enum class Uscita { Nessuna, Stampante, Finestra } uscita = Uscita::Nessuna;
    short copie = 1;
    QString titoloFinestra;
    QRect posizioneFinestra;
    unsigned int stileFinestra = 0;
    QPointer<QWidget> genitoreFinestra;

    int stato = PE_JOBNOTSTARTED;
    int pagineStampate = 0;
    int pagine = 0, righe = 0;

    // Renders to the output chosen; throws ErroreMotore.
    void Avvia();
    QWidget* Finestra() const { return finestra_; }
    void ChiudiFinestra();
    // Of the last start.
    int Pagine() const { return pagine; }
    int Righe() const { return righe; }

private:
    void Prepara();
    void Stampa();
    void ApriFinestra();
    // The printer as the job's settings give it.
    void ImpostaStampante(QPrinter& stampante) const;

    std::unique_ptr<DatiRapporto> dati_;
    std::unique_ptr<Impaginazione> pagine_;
    QPointer<AnteprimaOrvo> finestra_;
};

} // namespace orvo
