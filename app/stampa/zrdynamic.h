#pragma once
// ZRDynamic: the binding to the report engine library, loaded at run time.
// Every engine function is looked up by name at each call (never cached),
// refused when it needs a newer engine than the one loaded, and every
// failure becomes a readable text: kept as the last binding error and,
// while the binding is interactive, shown in the "Print Engine Error" box,
// whose Cancel abandons the whole operation (tabelle::EAbort).
#include "orvo.h"

#include <QString>

namespace tratte::zr {

// The library's file name on this platform.
inline constexpr char NomeLibreriaOrvo[] = "liborvo32.so";

struct StatoBinding {
    void* handle = nullptr;
    QString ultimoErrore;
    bool interattivo = true;
    // The engine's version: 7.0 until the engine component reads the real one.
    int versioneMaggiore = 7;
    int versioneMinore = 0;
};
// The binding's state, one per process.
StatoBinding& Binding();

// The engine version a function needs (0, 6 or 7), by its name.
int VersioneRichiesta(const char* nome);
// The texts of the binding's failures.
QString TestoNonCaricata();

// The engine function `nome` looked up now, or null with the failure
// shown: library not loaded, engine too old for it, function missing
// (reported as `nomeMancante` when given).
void* FunzioneMotore(const char* nome, const char* nomeMancante = nullptr);
// Any engine function by its name and its C signature, through the same
// checks: the failure value when it cannot be called. The typed functions
// below are the ones the program uses.
template <class R, class... A> R Chiama(const char* nome, R fallimento, A... argomenti)
{
    void* f = FunzioneMotore(nome);
    return f ? reinterpret_cast<R (*)(A...)>(f)(argomenti...) : fallimento;
}

// Loads the library from the folder (trimmed, a separator added when
// missing; empty: the system's search path). True on success.
bool PELoadOrvoDll(const QString& cartella);
// Frees the library; false when nothing was loaded or the release failed.
bool PEUnloadOrvoDll();
// The library file's path, empty when not loaded.
QString PercorsoLibreria();

// The engine's functions (see orvo.h): the failure value on any failure
// of the binding.
bool PEOpenEngine();
void PECloseEngine();
short PEOpenPrintJob(const char* reportFilePath);
bool PEClosePrintJob(short printJob);
bool PEStartPrintJob(short printJob, bool waitUntilDone);
int PEGetJobStatus(short printJob, PEJobInfo* jobInfo);
short PEGetVersion(short versionRequested);
short PEGetErrorCode(short printJob);
bool PEGetErrorText(short printJob, char* text, int size);
bool PEGetReportTitle(short printJob, char* title, int size);
bool PESetReportTitle(short printJob, const char* title);
bool PEGetSelectedPrinter(short printJob, char* driverName, int driverSize, char* printerName, int printerSize, char* portName,
                          int portSize, PEDevMode* mode);
bool PESelectPrinter(short printJob, const char* driverName, const char* printerName, const char* portName, const PEDevMode* mode);
bool PEGetPrintOptions(short printJob, PEPrintOptions* options);
bool PESetPrintOptions(short printJob, const PEPrintOptions* options);
short PEGetNGroups(short printJob);
bool PEGetGroupOptions(short printJob, short groupN, PEGroupOptions* options);
bool PESetGroupOptions(short printJob, short groupN, const PEGroupOptions* options);
bool PEOutputToWindow(short printJob, const char* title, int left, int top, int width, int height, unsigned int style,
                      void* parentWindow);
void* PEGetWindowHandle(short printJob);
void PECloseWindow(short printJob);
bool PEGetWindowOptions(short printJob, PEWindowOptions* options);
bool PESetWindowOptions(short printJob, const PEWindowOptions* options);
bool PEShowPrintControls(short printJob, bool showPrintControls);
bool PEGetTrackCursorInfo(short printJob, PETrackCursorInfo* cursorInfo);
bool PESetTrackCursorInfo(short printJob, const PETrackCursorInfo* cursorInfo);
bool PEOutputToPrinter(short printJob, short nCopies);
bool PESetDialogParentWindow(short printJob, void* parentWindow);
bool PEEnableProgressDialog(short printJob, bool enable);
// Report options: an engine of version 7 or later (this engine has none;
// the options are passed through as they are).
bool PEGetReportOptions(short printJob, void* options);
bool PESetReportOptions(short printJob, const void* options);

} // namespace tratte::zr
