#ifndef ORVO_H
#define ORVO_H
/* The C interface of the Orvo report engine (liborvo32.so).
 *
 * A program loads the library at run time and calls these functions by
 * name. The engine reads a report file (see FORMATO.md beside this header),
 * reads the report's table through the table engine, and renders the pages
 * to a printer, to a PDF file (the built-in printer "PDF") or into a
 * preview window made the child of a given window.
 *
 * Conventions: a print job is a number > 0; functions of kind int return
 * 1 on success and 0 on failure (PEGetErrorCode and PEGetErrorText then
 * tell why); texts are UTF-8; a "window" is a QWidget* of the host (the
 * host and the engine link the same Qt). Every structure starts with its
 * size, set by the caller to sizeof the structure. */

#ifdef __cplusplus
extern "C" {
#endif

#define ORVO_ESPORTA __attribute__((visibility("default")))

/* PEGetVersion: which version. The answer is major * 256 + minor. */
#define PE_GV_DLL 100
#define PE_GV_ENGINE 200

/* PEGetJobStatus: the job's state. */
#define PE_JOBNOTSTARTED 1
#define PE_JOBINPROGRESS 2
#define PE_JOBCOMPLETED 3
#define PE_JOBFAILED 4
#define PE_JOBCANCELLED 5

/* Error codes of PEGetErrorCode (0: none). */
#define PE_ERR_NOERROR 0
#define PE_ERR_NOTENOUGHMEMORY 500
#define PE_ERR_INVALIDJOBNO 501
#define PE_ERR_BADFILENAME 503
#define PE_ERR_BADFILEFORMAT 504
#define PE_ERR_ENGINENOTOPEN 506
#define PE_ERR_BADGROUPNUMBER 511
#define PE_ERR_BADPARAMETER 512
#define PE_ERR_PRINTERNOTFOUND 513
#define PE_ERR_BADPAGERANGE 514
#define PE_ERR_NOPRINTDESTINATION 515
#define PE_ERR_DATABASE 520
#define PE_ERR_OUTPUT 530
#define PE_ERR_CANCELLED 545

/* Window style flags of PEOutputToWindow. */
#define PE_WS_SYSMENU 0x00080000u
#define PE_WS_BORDER 0x00800000u
#define PE_WS_CAPTION 0x00C00000u
#define PE_WS_MAXIMIZEBOX 0x00010000u
#define PE_WS_MINIMIZEBOX 0x00020000u
#define PE_WS_THICKFRAME 0x00040000u
#define PE_WS_VISIBLE 0x10000000u
#define PE_WS_CHILD 0x40000000u

/* Default values of the option structures. */
#define PE_UNCHANGED -1

/* Print options: pages (1-based; 0 and 0: all pages), copies, collation,
 * and the output file of the PDF printer (empty: the printer's own). */
typedef struct PEPrintOptions {
    unsigned short StructSize;
    unsigned short startPageN;
    unsigned short stopPageN;
    unsigned short nReportCopies;
    unsigned short collation; /* 0: uncollated, 1: collated */
    char outputFileName[1024];
} PEPrintOptions;

/* A group of the report: the field it is made by, as "{Table.Field}",
 * and its direction. */
#define PE_SF_ASCENDING 0
#define PE_SF_DESCENDING 1
typedef struct PEGroupOptions {
    unsigned short StructSize;
    char fieldName[256];
    short condition;   /* always 0: any change of the value */
    short sortDirection;
} PEGroupOptions;

/* The printer's settings ("device mode"): page orientation, paper, copies,
 * colour and, for the PDF printer, the output file. */
#define PE_ORIENT_PORTRAIT 1
#define PE_ORIENT_LANDSCAPE 2
typedef struct PEDevMode {
    unsigned short StructSize;
    short orientation;  /* PE_ORIENT_..., 0: the report's */
    short paperSize;    /* a QPageSize::PageSizeId + 1, 0: the report's */
    short copies;       /* 0: one */
    short color;        /* 1 monochrome, 2 colour, 0: the printer's */
    short duplex;       /* 1 none, 2 long side, 3 short side, 0: the printer's */
    char outputFileName[1024];
} PEDevMode;

/* The preview window's controls. Each value is 1 (on), 0 (off) or
 * PE_UNCHANGED in a call to PESetWindowOptions. */
typedef struct PEWindowOptions {
    unsigned short StructSize;
    short hasGroupTree;
    short canDrillDown;
    short hasNavigationControls;
    short hasCancelButton;
    short hasPrintButton;
    short hasExportButton;
    short hasZoomControl;
    short hasCloseButton;
    short hasProgressControls;
    short hasSearchButton;
    short hasPrintSetupButton;
    short hasRefreshButton;
} PEWindowOptions;

/* The cursor shown over the preview's areas (Qt::CursorShape values;
 * PE_UNCHANGED keeps one). */
typedef struct PETrackCursorInfo {
    unsigned short StructSize;
    short groupAreaCursor;
    short groupAreaFieldCursor;
    short detailAreaCursor;
    short detailAreaFieldCursor;
    short graphCursor;
} PETrackCursorInfo;

/* Job status. */
typedef struct PEJobInfo {
    unsigned short StructSize;
    unsigned int NumRecordsRead;
    unsigned int NumRecordsSelected;
    unsigned int NumRecordsPrinted;
    unsigned short DisplayPageN;
    unsigned short LatestPageN;   /* the report's number of pages */
    unsigned short StartPageN;
    short printEnded;
    unsigned int NumPagesPrinted; /* pages sent to the printer by the last start, copies included */
} PEJobInfo;

ORVO_ESPORTA int PEOpenEngine(void);
ORVO_ESPORTA void PECloseEngine(void);
ORVO_ESPORTA short PEOpenPrintJob(const char* reportFilePath);
ORVO_ESPORTA int PEClosePrintJob(short printJob);
/* Renders the job to its output. With waitUntilDone the call returns when
 * the output is complete (always so for printers; a preview stays open). */
ORVO_ESPORTA int PEStartPrintJob(short printJob, int waitUntilDone);
/* PE_JOB...; fills the job information when given. 0 for a bad job. */
ORVO_ESPORTA int PEGetJobStatus(short printJob, PEJobInfo* jobInfo);
ORVO_ESPORTA short PEGetVersion(short versionRequested);
ORVO_ESPORTA short PEGetErrorCode(short printJob);
/* The text of the last error into the buffer (cut to size - 1 bytes).
 * 0 when there is no job of that number (0 is the engine's own). */
ORVO_ESPORTA int PEGetErrorText(short printJob, char* text, int size);

ORVO_ESPORTA int PEGetReportTitle(short printJob, char* title, int size);
ORVO_ESPORTA int PESetReportTitle(short printJob, const char* title);

/* The printer: driver, device (the printer's name; "PDF" is the built-in
 * PDF printer) and port; the settings may be null. Size 0 for a text asks
 * nothing. */
ORVO_ESPORTA int PEGetSelectedPrinter(short printJob, char* driverName, int driverSize, char* printerName, int printerSize,
                                      char* portName, int portSize, PEDevMode* mode);
ORVO_ESPORTA int PESelectPrinter(short printJob, const char* driverName, const char* printerName, const char* portName,
                                 const PEDevMode* mode);

ORVO_ESPORTA int PEGetPrintOptions(short printJob, PEPrintOptions* options);
ORVO_ESPORTA int PESetPrintOptions(short printJob, const PEPrintOptions* options);

/* Groups, numbered from 0. -1 for a bad job. */
ORVO_ESPORTA short PEGetNGroups(short printJob);
ORVO_ESPORTA int PEGetGroupOptions(short printJob, short groupN, PEGroupOptions* options);
ORVO_ESPORTA int PESetGroupOptions(short printJob, short groupN, const PEGroupOptions* options);

/* The preview: a window with the given title, placed in the parent (a
 * QWidget*, or none for a window of its own). */
ORVO_ESPORTA int PEOutputToWindow(short printJob, const char* title, int left, int top, int width, int height,
                                  unsigned int style, void* parentWindow);
/* The preview window (a QWidget*), null when none is open. */
ORVO_ESPORTA void* PEGetWindowHandle(short printJob);
ORVO_ESPORTA void PECloseWindow(short printJob);
ORVO_ESPORTA int PEGetWindowOptions(short printJob, PEWindowOptions* options);
ORVO_ESPORTA int PESetWindowOptions(short printJob, const PEWindowOptions* options);
ORVO_ESPORTA int PEShowPrintControls(short printJob, int showPrintControls);
ORVO_ESPORTA int PEGetTrackCursorInfo(short printJob, PETrackCursorInfo* cursorInfo);
ORVO_ESPORTA int PESetTrackCursorInfo(short printJob, const PETrackCursorInfo* cursorInfo);

ORVO_ESPORTA int PEOutputToPrinter(short printJob, short nCopies);
/* The window the engine's dialogs (progress, errors) are shown over. */
ORVO_ESPORTA int PESetDialogParentWindow(short printJob, void* parentWindow);
ORVO_ESPORTA int PEEnableProgressDialog(short printJob, int enable);

#ifdef __cplusplus
}
#endif

#endif
