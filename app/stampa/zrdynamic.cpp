#include "app/stampa/zrdynamic.h"

#include "messaggi/messaggi.h"
#include "tabelle/dataset.h"

#include <QFile>
#include <QHash>
#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <link.h>

namespace tratte::zr {

namespace {

// Shows a binding failure: kept as the last error; while interactive, the
// box, whose Cancel abandons the operation.
void Segnala(const QString& testo)
{
    StatoBinding& b = Binding();
    b.ultimoErrore = testo.startsWith(QLatin1String("PE")) ? QStringLiteral("Error loading function: ") + testo : testo;
    if (!b.interattivo)
        return;
    if (messaggi::MessageBox(nullptr, b.ultimoErrore + QStringLiteral("\n") + QStringLiteral("Continue anyway?"),
                             QStringLiteral("Print Engine Error"), messaggi::Pulsanti::OkAnnulla, messaggi::Icona::Errore)
        == messaggi::mrCancel)
        tabelle::Abort();
}

// "...\nWindows Error Number: N - text" (only the number without a text).
QString TestoSistema(const QString& inizio, int numero, const char* testo)
{
    QString r = inizio + QStringLiteral("\nWindows Error Number: ") + QString::number(numero);
    if (testo && *testo)
        r += QStringLiteral(" - ") + QString::fromLocal8Bit(testo);
    return r;
}

} // namespace

void* FunzioneMotore(const char* nome, const char* nomeMancante)
{
    StatoBinding& b = Binding();
    b.ultimoErrore.clear();
    if (!b.handle) {
        Segnala(TestoNonCaricata());
        return nullptr;
    }
    const int richiesta = VersioneRichiesta(nome);
    if (b.versioneMaggiore < richiesta) {
        Segnala(QStringLiteral("%1 requires VRPE %2 or higher").arg(QLatin1String(nome)).arg(richiesta));
        return nullptr;
    }
    dlerror();
    void* f = dlsym(b.handle, nome);
    if (!f)
        Segnala(QStringLiteral("Error loading function: ") + QLatin1String(nomeMancante ? nomeMancante : nome));
    return f;
}

namespace {

template <class... A> void ChiamaVoid(const char* nome, A... argomenti)
{
    if (void* f = FunzioneMotore(nome))
        reinterpret_cast<void (*)(A...)>(f)(argomenti...);
}

} // namespace

StatoBinding& Binding()
{
    static StatoBinding stato;
    return stato;
}

QString TestoNonCaricata() { return QStringLiteral("ORVO32.DLL is not loaded"); }

int VersioneRichiesta(const char* nome)
{
    static const QHash<QByteArray, int> richieste = [] {
        QHash<QByteArray, int> h;
        for (const char* n : {"PEEnableEvent", "PESetEventCallback", "PEGetGroupOptions", "PESetGroupOptions", "PEGetNParams",
                              "PEGetNthParam", "PEGetNthParamInfo", "PESetNthParam", "PEGetNthTablePrivateInfo",
                              "PESetNthTablePrivateInfo", "PEGetReportSummaryInfo", "PESetReportSummaryInfo",
                              "PEGetWindowOptions", "PESetWindowOptions", "PEGetTrackCursorInfo"})
            h.insert(n, 6);
        for (const char* n : {"PEGetReportOptions", "PESetReportOptions", "PEGetAllowPromptDialog", "PESetAllowPromptDialog",
                              "PEGetSectionHeight", "PESetSectionHeight", "PEGetGraphTypeInfo", "PESetGraphTypeInfo",
                              "PEGetGraphTextInfo", "PESetGraphTextInfo", "PEGetGraphFontInfo", "PESetGraphFontInfo",
                              "PEGetGraphOptionInfo", "PESetGraphOptionInfo", "PEGetGraphAxisInfo", "PESetGraphAxisInfo",
                              "PEGetParameterValueInfo", "PESetParameterValueInfo", "PEGetNParameterCurrentValues",
                              "PEGetNthParameterCurrentValue", "PEAddParameterCurrentValue", "PEGetNParameterCurrentRanges",
                              "PEGetNthParameterCurrentRange", "PEAddParameterCurrentRange",
                              "PEClearParameterCurrentValuesAndRanges", "PEGetNParameterDefaultValues",
                              "PEGetNthParameterDefaultValue", "PESetNthParameterDefaultValue", "PEAddParameterDefaultValue",
                              "PEDeleteNthParameterDefaultValue", "PEGetParameterPickListOption",
                              "PESetParameterPickListOption", "PEGetParameterMinMaxValue", "PESetParameterMinMaxValue",
                              "PEGetNthParameterValueDescription", "PESetNthParameterValueDescription",
                              "PEGetNSQLExpressions", "PEGetSQLExpression", "PESetSQLExpression", "PEGetFieldMappingType",
                              "PESetFieldMappingType", "PEVerifyDatabase"})
            h.insert(n, 7);
        return h;
    }();
    return richieste.value(QByteArray(nome), 0);
}

bool PELoadOrvoDll(const QString& cartella)
{
    StatoBinding& b = Binding();
    b.ultimoErrore.clear();
    QString percorso = cartella.trimmed();
    if (!percorso.isEmpty() && !percorso.endsWith('/'))
        percorso += '/';
    percorso += QLatin1String(NomeLibreriaOrvo);
    errno = 0;
    dlerror();
    b.handle = dlopen(QFile::encodeName(percorso).constData(), RTLD_NOW | RTLD_LOCAL);
    if (b.handle)
        return true;
    const int numero = errno;
    const char* testo = dlerror();
    Segnala(TestoSistema(QStringLiteral("Error loading library: ") + QLatin1String(NomeLibreriaOrvo), numero, testo));
    return false;
}

bool PEUnloadOrvoDll()
{
    StatoBinding& b = Binding();
    b.ultimoErrore.clear();
    if (!b.handle)
        return false;
    void* h = b.handle;
    b.handle = nullptr;
    errno = 0;
    if (dlclose(h) == 0)
        return true;
    const int numero = errno;
    Segnala(TestoSistema(QStringLiteral("Error freeing library: ") + QLatin1String(NomeLibreriaOrvo), numero, dlerror()));
    return false;
}

QString PercorsoLibreria()
{
    link_map* mappa = nullptr;
    if (!Binding().handle || dlinfo(Binding().handle, RTLD_DI_LINKMAP, &mappa) != 0 || !mappa || !mappa->l_name)
        return {};
    return QFile::decodeName(mappa->l_name);
}

bool PEOpenEngine()
{
    if (!Binding().handle && !PELoadOrvoDll(QString()))
        return false;
    return Chiama<int>("PEOpenEngine", 0) != 0;
}

void PECloseEngine()
{
    ChiamaVoid("PECloseEngine");
    if (Binding().handle)
        PEUnloadOrvoDll();
}

short PEOpenPrintJob(const char* reportFilePath) { return Chiama<short>("PEOpenPrintJob", 0, reportFilePath); }
bool PEClosePrintJob(short printJob) { return Chiama<int>("PEClosePrintJob", 0, printJob) != 0; }
bool PEStartPrintJob(short printJob, bool waitUntilDone) { return Chiama<int>("PEStartPrintJob", 0, printJob, int(waitUntilDone)) != 0; }
int PEGetJobStatus(short printJob, PEJobInfo* jobInfo) { return Chiama<int>("PEGetJobStatus", -1, printJob, jobInfo); }

short PEGetVersion(short versionRequested)
{
    void* f = FunzioneMotore("PEGetVersion", "OrvoGetVersion");
    return f ? reinterpret_cast<short (*)(short)>(f)(versionRequested) : short(0);
}

short PEGetErrorCode(short printJob) { return Chiama<short>("PEGetErrorCode", -1, printJob); }
bool PEGetErrorText(short printJob, char* text, int size) { return Chiama<int>("PEGetErrorText", 0, printJob, text, size) != 0; }
bool PEGetReportTitle(short printJob, char* title, int size) { return Chiama<int>("PEGetReportTitle", 0, printJob, title, size) != 0; }
bool PESetReportTitle(short printJob, const char* title) { return Chiama<int>("PESetReportTitle", 0, printJob, title) != 0; }

bool PEGetSelectedPrinter(short printJob, char* driverName, int driverSize, char* printerName, int printerSize, char* portName,
                          int portSize, PEDevMode* mode)
{
    return Chiama<int>("PEGetSelectedPrinter", 0, printJob, driverName, driverSize, printerName, printerSize, portName, portSize,
                       mode)
        != 0;
}

bool PESelectPrinter(short printJob, const char* driverName, const char* printerName, const char* portName, const PEDevMode* mode)
{
    return Chiama<int>("PESelectPrinter", 0, printJob, driverName, printerName, portName, mode) != 0;
}

bool PEGetPrintOptions(short printJob, PEPrintOptions* options) { return Chiama<int>("PEGetPrintOptions", 0, printJob, options) != 0; }
bool PESetPrintOptions(short printJob, const PEPrintOptions* options) { return Chiama<int>("PESetPrintOptions", 0, printJob, options) != 0; }
short PEGetNGroups(short printJob) { return Chiama<short>("PEGetNGroups", -1, printJob); }

bool PEGetGroupOptions(short printJob, short groupN, PEGroupOptions* options)
{
    return Chiama<int>("PEGetGroupOptions", 0, printJob, groupN, options) != 0;
}

bool PESetGroupOptions(short printJob, short groupN, const PEGroupOptions* options)
{
    return Chiama<int>("PESetGroupOptions", 0, printJob, groupN, options) != 0;
}

bool PEOutputToWindow(short printJob, const char* title, int left, int top, int width, int height, unsigned int style,
                      void* parentWindow)
{
    return Chiama<int>("PEOutputToWindow", 0, printJob, title, left, top, width, height, style, parentWindow) != 0;
}

void* PEGetWindowHandle(short printJob) { return Chiama<void*>("PEGetWindowHandle", nullptr, printJob); }
void PECloseWindow(short printJob) { ChiamaVoid("PECloseWindow", printJob); }
bool PEGetWindowOptions(short printJob, PEWindowOptions* options) { return Chiama<int>("PEGetWindowOptions", 0, printJob, options) != 0; }
bool PESetWindowOptions(short printJob, const PEWindowOptions* options) { return Chiama<int>("PESetWindowOptions", 0, printJob, options) != 0; }
bool PEShowPrintControls(short printJob, bool show) { return Chiama<int>("PEShowPrintControls", 0, printJob, int(show)) != 0; }

bool PEGetTrackCursorInfo(short printJob, PETrackCursorInfo* cursorInfo)
{
    return Chiama<int>("PEGetTrackCursorInfo", 0, printJob, cursorInfo) != 0;
}

bool PESetTrackCursorInfo(short printJob, const PETrackCursorInfo* cursorInfo)
{
    return Chiama<int>("PESetTrackCursorInfo", 0, printJob, cursorInfo) != 0;
}

bool PEOutputToPrinter(short printJob, short nCopies) { return Chiama<int>("PEOutputToPrinter", 0, printJob, nCopies) != 0; }
bool PESetDialogParentWindow(short printJob, void* parentWindow) { return Chiama<int>("PESetDialogParentWindow", 0, printJob, parentWindow) != 0; }
bool PEEnableProgressDialog(short printJob, bool enable) { return Chiama<int>("PEEnableProgressDialog", 0, printJob, int(enable)) != 0; }
bool PEGetReportOptions(short printJob, void* options) { return Chiama<int>("PEGetReportOptions", 0, printJob, options) != 0; }
bool PESetReportOptions(short printJob, const void* options) { return Chiama<int>("PESetReportOptions", 0, printJob, options) != 0; }

} // namespace tratte::zr
