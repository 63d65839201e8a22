// The C entry points of liborvo32.so: the engine's state (open or not,
// the jobs by number, the last error of each) and the calls that read and
// change a job.
#include "lavoro.h"
#include "orvo.h"

#include <QFileInfo>
#include <cstring>
#include <map>
#include <memory>

#ifndef ORVO_VERSIONE_FILE
#define ORVO_VERSIONE_FILE "7,0,0,0"
#endif
#ifndef ORVO_VERSIONE
#define ORVO_VERSIONE 7
#endif

// The library file's version, as its readers find it in the file:
// "FileVersion=" and the four parts.
extern "C" __attribute__((used, visibility("default"))) const char OrvoFileVersion[] = "FileVersion=" ORVO_VERSIONE_FILE;

using orvo::ErroreMotore;
using orvo::Lavoro;

namespace {

struct Motore {
    bool aperto = false;
    short prossimo = 1;
    std::map<short, std::unique_ptr<Lavoro>> lavori;
    // The last error of each job; 0 is the engine's own.
    std::map<short, ErroreMotore> errori;
};

Motore& M()
{
    static Motore motore;
    return motore;
}

int Errore(short lavoro, short codice, const QString& testo)
{
    M().errori[lavoro] = {codice, testo};
    return 0;
}

void Pulisci(short lavoro) { M().errori[lavoro] = {PE_ERR_NOERROR, QString()}; }

// The job of that number, or null with the error recorded.
Lavoro* Trova(short numero)
{
    if (!M().aperto) {
        Errore(numero, PE_ERR_ENGINENOTOPEN, QStringLiteral("Il motore di stampa non è aperto."));
        return nullptr;
    }
    const auto i = M().lavori.find(numero);
    if (i == M().lavori.end()) {
        Errore(numero, PE_ERR_INVALIDJOBNO, QStringLiteral("Lavoro di stampa %1 inesistente.").arg(numero));
        return nullptr;
    }
    Pulisci(numero);
    return i->second.get();
}

template <class S> bool Struttura(short numero, const S* s)
{
    if (!s || s->StructSize != sizeof(S)) {
        Errore(numero, PE_ERR_BADPARAMETER, QStringLiteral("Struttura mancante o di dimensione errata."));
        return false;
    }
    return true;
}

// A text into a caller's buffer; a buffer of size 0 asks nothing.
void Copia(const QString& testo, char* buffer, int dimensione)
{
    if (!buffer || dimensione <= 0)
        return;
    const QByteArray b = testo.toUtf8();
    const int n = qMin<int>(int(b.size()), dimensione - 1);
    std::memcpy(buffer, b.constData(), size_t(n));
    buffer[n] = '\0';
}

void CopiaFissa(const char* da, char* a, size_t dimensione)
{
    std::strncpy(a, da ? da : "", dimensione - 1);
    a[dimensione - 1] = '\0';
}

} // namespace

extern "C" {

int PEOpenEngine(void)
{
    M().aperto = true;
    Pulisci(0);
    return 1;
}

void PECloseEngine(void)
{
    M().lavori.clear();
    M().errori.clear();
    M().aperto = false;
}

short PEOpenPrintJob(const char* reportFilePath)
{
    if (!M().aperto)
        return short(Errore(0, PE_ERR_ENGINENOTOPEN, QStringLiteral("Il motore di stampa non è aperto.")));
    const QString file = QString::fromUtf8(reportFilePath ? reportFilePath : "");
    if (file.isEmpty() || !QFileInfo(file).isFile())
        return short(Errore(0, PE_ERR_BADFILENAME, QStringLiteral("File del rapporto non trovato: %1").arg(file)));
    try {
        auto lavoro = std::make_unique<Lavoro>(orvo::LeggiRapporto(file));
        const short numero = M().prossimo++;
        if (M().prossimo <= 0)
            M().prossimo = 1;
        M().lavori[numero] = std::move(lavoro);
        Pulisci(0);
        Pulisci(numero);
        return numero;
    } catch (const orvo::ErroreRapporto& e) {
        return short(Errore(0, PE_ERR_BADFILEFORMAT, e.testo()));
    }
}

int PEClosePrintJob(short printJob)
{
    if (!Trova(printJob))
        return 0;
    M().lavori.erase(printJob);
    return 1;
}

int PEStartPrintJob(short printJob, int)
{
    Lavoro* l = Trova(printJob);
    if (!l)
        return 0;
    try {
        l->Avvia();
        return 1;
    } catch (const ErroreMotore& e) {
        return Errore(printJob, e.codice, e.testo);
    } catch (const std::exception& e) {
        return Errore(printJob, PE_ERR_OUTPUT, QString::fromUtf8(e.what()));
    }
}

int PEGetJobStatus(short printJob, PEJobInfo* info)
{
    Lavoro* l = Trova(printJob);
    if (!l)
        return 0;
    if (info) {
        if (!Struttura(printJob, info))
            return 0;
        info->NumRecordsRead = info->NumRecordsSelected = unsigned(l->Righe());
        info->NumRecordsPrinted = l->stato == PE_JOBCOMPLETED ? unsigned(l->Righe()) : 0;
        info->DisplayPageN = 1;
        info->LatestPageN = (unsigned short)(l->Pagine());
        info->StartPageN = 1;
        info->printEnded = l->stato == PE_JOBCOMPLETED || l->stato == PE_JOBFAILED || l->stato == PE_JOBCANCELLED;
        info->NumPagesPrinted = unsigned(l->pagineStampate);
    }
    return l->stato;
}

short PEGetVersion(short versionRequested)
{
    if (versionRequested != PE_GV_DLL && versionRequested != PE_GV_ENGINE)
        return short(Errore(0, PE_ERR_BADPARAMETER, QStringLiteral("Versione richiesta sconosciuta: %1").arg(versionRequested)));
    return short(ORVO_VERSIONE << 8);
}

short PEGetErrorCode(short printJob)
{
    const auto i = M().errori.find(printJob);
    return i == M().errori.end() ? short(PE_ERR_NOERROR) : i->second.codice;
}

int PEGetErrorText(short printJob, char* text, int size)
{
    const auto i = M().errori.find(printJob);
    if (i == M().errori.end())
        return 0;
    Copia(i->second.testo, text, size);
    return 1;
}

int PEGetReportTitle(short printJob, char* title, int size)
{
    Lavoro* l = Trova(printJob);
    if (!l)
        return 0;
    Copia(l->titolo, title, size);
    return 1;
}

int PESetReportTitle(short printJob, const char* title)
{
    Lavoro* l = Trova(printJob);
    if (!l)
        return 0;
    l->titolo = QString::fromUtf8(title ? title : "");
    return 1;
}

int PEGetSelectedPrinter(short printJob, char* driverName, int driverSize, char* printerName, int printerSize, char* portName,
                         int portSize, PEDevMode* mode)
{
    Lavoro* l = Trova(printJob);
    if (!l)
        return 0;
    Copia(l->driver, driverName, driverSize);
    Copia(l->stampante, printerName, printerSize);
    Copia(l->porta, portName, portSize);
    if (mode) {
        if (!Struttura(printJob, mode))
            return 0;
        *mode = l->modo;
    }
    return 1;
}

int PESelectPrinter(short printJob, const char* driverName, const char* printerName, const char* portName, const PEDevMode* mode)
{
    Lavoro* l = Trova(printJob);
    if (!l)
        return 0;
    if (mode && !Struttura(printJob, mode))
        return 0;
    l->driver = QString::fromUtf8(driverName ? driverName : "");
    l->stampante = QString::fromUtf8(printerName ? printerName : "");
    l->porta = QString::fromUtf8(portName ? portName : "");
    if (mode)
        l->modo = *mode;
    return 1;
}

int PEGetPrintOptions(short printJob, PEPrintOptions* options)
{
    Lavoro* l = Trova(printJob);
    if (!l || !Struttura(printJob, options))
        return 0;
    *options = l->opzioni;
    return 1;
}

int PESetPrintOptions(short printJob, const PEPrintOptions* options)
{
    Lavoro* l = Trova(printJob);
    if (!l || !Struttura(printJob, options))
        return 0;
    if (options->startPageN != 0 && options->stopPageN != 0 && options->startPageN > options->stopPageN)
        return Errore(printJob, PE_ERR_BADPAGERANGE,
                      QStringLiteral("Intervallo di pagine errato: %1-%2.").arg(options->startPageN).arg(options->stopPageN));
    l->opzioni = *options;
    return 1;
}

short PEGetNGroups(short printJob)
{
    Lavoro* l = Trova(printJob);
    return l ? short(l->rapporto.gruppi.size()) : short(-1);
}

int PEGetGroupOptions(short printJob, short groupN, PEGroupOptions* options)
{
    Lavoro* l = Trova(printJob);
    if (!l || !Struttura(printJob, options))
        return 0;
    if (groupN < 0 || groupN >= l->rapporto.gruppi.size())
        return Errore(printJob, PE_ERR_BADGROUPNUMBER, QStringLiteral("Gruppo %1 inesistente.").arg(groupN));
    const orvo::Gruppo& g = l->rapporto.gruppi[groupN];
    CopiaFissa(g.campo.toUtf8().constData(), options->fieldName, sizeof options->fieldName);
    options->condition = 0;
    options->sortDirection = g.discendente ? PE_SF_DESCENDING : PE_SF_ASCENDING;
    return 1;
}

int PESetGroupOptions(short printJob, short groupN, const PEGroupOptions* options)
{
    Lavoro* l = Trova(printJob);
    if (!l || !Struttura(printJob, options))
        return 0;
    if (groupN < 0 || groupN >= l->rapporto.gruppi.size())
        return Errore(printJob, PE_ERR_BADGROUPNUMBER, QStringLiteral("Gruppo %1 inesistente.").arg(groupN));
    orvo::Gruppo g{QString::fromUtf8(options->fieldName), options->sortDirection == PE_SF_DESCENDING};
    if (g.NomeCampo().isEmpty())
        return Errore(printJob, PE_ERR_BADPARAMETER, QStringLiteral("Gruppo senza campo."));
    l->rapporto.gruppi[groupN] = g;
    return 1;
}

int PEOutputToWindow(short printJob, const char* title, int left, int top, int width, int height, unsigned int style,
                     void* parentWindow)
{
    Lavoro* l = Trova(printJob);
    if (!l)
        return 0;
    l->uscita = Lavoro::Uscita::Finestra;
    l->titoloFinestra = QString::fromUtf8(title ? title : "");
    l->posizioneFinestra = width > 0 && height > 0 ? QRect(left, top, width, height) : QRect();
    l->stileFinestra = style;
    l->genitoreFinestra = static_cast<QWidget*>(parentWindow);
    return 1;
}

void* PEGetWindowHandle(short printJob)
{
    Lavoro* l = Trova(printJob);
    return l ? static_cast<void*>(l->Finestra()) : nullptr;
}

void PECloseWindow(short printJob)
{
    if (Lavoro* l = Trova(printJob))
        l->ChiudiFinestra();
}

int PEGetWindowOptions(short printJob, PEWindowOptions* options)
{
    Lavoro* l = Trova(printJob);
    if (!l || !Struttura(printJob, options))
        return 0;
    *options = l->opzioniFinestra;
    return 1;
}

int PESetWindowOptions(short printJob, const PEWindowOptions* options)
{
    Lavoro* l = Trova(printJob);
    if (!l || !Struttura(printJob, options))
        return 0;
    const short* da = &options->hasGroupTree;
    short* a = &l->opzioniFinestra.hasGroupTree;
    for (int i = 0; i < 12; ++i)
        if (da[i] != PE_UNCHANGED)
            a[i] = da[i] ? 1 : 0;
    return 1;
}

int PEShowPrintControls(short printJob, int showPrintControls)
{
    Lavoro* l = Trova(printJob);
    if (!l)
        return 0;
    l->controlliStampa = showPrintControls != 0;
    return 1;
}

int PEGetTrackCursorInfo(short printJob, PETrackCursorInfo* cursorInfo)
{
    Lavoro* l = Trova(printJob);
    if (!l || !Struttura(printJob, cursorInfo))
        return 0;
    *cursorInfo = l->cursori;
    return 1;
}

int PESetTrackCursorInfo(short printJob, const PETrackCursorInfo* cursorInfo)
{
    Lavoro* l = Trova(printJob);
    if (!l || !Struttura(printJob, cursorInfo))
        return 0;
    const short* da = &cursorInfo->groupAreaCursor;
    short* a = &l->cursori.groupAreaCursor;
    for (int i = 0; i < 5; ++i)
        if (da[i] != PE_UNCHANGED) {
            if (da[i] < 0 || da[i] > Qt::LastCursor)
                return Errore(printJob, PE_ERR_BADPARAMETER, QStringLiteral("Cursore sconosciuto: %1").arg(da[i]));
            a[i] = da[i];
        }
    return 1;
}

int PEOutputToPrinter(short printJob, short nCopies)
{
    Lavoro* l = Trova(printJob);
    if (!l)
        return 0;
    if (nCopies < 1)
        return Errore(printJob, PE_ERR_BADPARAMETER, QStringLiteral("Numero di copie non valido: %1").arg(nCopies));
    l->uscita = Lavoro::Uscita::Stampante;
    l->copie = nCopies;
    return 1;
}

int PESetDialogParentWindow(short printJob, void* parentWindow)
{
    Lavoro* l = Trova(printJob);
    if (!l)
        return 0;
    l->genitoreDialoghi = static_cast<QWidget*>(parentWindow);
    return 1;
}

int PEEnableProgressDialog(short printJob, int enable)
{
    Lavoro* l = Trova(printJob);
    if (!l)
        return 0;
    l->avanzamento = enable != 0;
    return 1;
}

} // extern "C"
