#pragma once
// TOrvo: the report engine component. It holds the settings of one report
// job and sends them to the engine, through the binding, when the job is
// executed. One instance, TratteOrvo, lives on the main window: it opens
// the engine when the window is made and closes it when it goes.
#include "orvo.h"

#include <QList>
#include <QString>
#include <stdexcept>

class QWidget;

namespace tratte {

// A failure of the engine or of the binding as the component reports it:
// "101:ORVO32.DLL is not loaded", or the engine's code and text.
class EOrvoErrore : public std::runtime_error {
public:
    EOrvoErrore(int numero, const QString& testo)
        : std::runtime_error(QStringLiteral("%1:%2").arg(numero).arg(testo).toStdString()), numero_(numero), testo_(testo)
    {
    }
    int numero() const { return numero_; }
    QString messaggio() const { return QStringLiteral("%1:%2").arg(numero_).arg(testo_); }

private:
    int numero_;
    QString testo_;
};

struct TOrvoStampante {
    QString Device, Driver, Port;
    PEDevMode Mode{};
};

struct TOrvoGruppo {
    QString Field;         // "{StampaTratte.Distanza}"
    bool Descending = false;
};

class TOrvo {
public:
    enum class TOutput { toWindow, toPrinter };

    TOrvo();
    ~TOrvo();
    TOrvo(const TOrvo&) = delete;
    TOrvo& operator=(const TOrvo&) = delete;

    // The engine's folder: empty, the library is looked up on the search path.
    QString OrvoPath;
    bool LoadEngineOnUse = false;

    // Loads the library, opens the engine, reads the versions. False when
    // the engine cannot be used (the binding has shown why).
    bool Apri();
    bool Aperto() const { return aperto_; }
    // The versions as read: from the file and from the engine.
    int VersioneFileMaggiore() const { return versioneFile_[0]; }
    int VersioneFileMinore() const { return versioneFile_[1]; }
    int VersioneMotore() const { return versioneMotore_; }

    // The report file: a different one (ignoring case) closes the open job.
    QString ReportName() const { return reportName_; }
    void SetReportName(const QString& nome);
    QString WindowTitle;
    TOrvoStampante Printer;
    QList<TOrvoGruppo> GroupOptions;
    int GruppoCorrente = -1;
    int Copies = 1;
    int StartPage = 0, StopPage = 0;
    TOutput Output = TOutput::toWindow;
    QWidget* WindowParent = nullptr;
    QWidget* DialogParent = nullptr;
    bool WindowSystemMenu = true;
    bool WindowBorder = true;
    bool ProgressDialog = true;

    // Reads the groups of the report (at most 25); the first becomes the current one.
    void RecuperaOpzioniGruppi();
    // Reads the printer the report names.
    void RecuperaStampante();
    // Sends everything and runs the job; throws EOrvoErrore, or tabelle::EAbort
    // when the user abandoned it in the binding's box.
    void Esegui();
    // The engine's report window (none when none is open).
    QWidget* ReportWindowHandle() const;
    void CloseWindow();
    void CloseJob();
    short Job() const { return job_; }
    // The pages of the report and the pages printed by the last execution
    // (PEGetJobStatus); 0 and 0 with no job.
    int PagineReport() const;
    int PagineStampate() const;

private:
    // Opens the job on the report file when none is open.
    void ApriJob();
    // Throws the failure of the last engine call.
    [[noreturn]] void Fallimento() const;
    void Controlla(bool riuscito) const;
    void LeggiVersioni();

    bool aperto_ = false;
    QString reportName_;
    short job_ = 0;
    int versioneFile_[2] = {7, 0};
    int versioneMotore_ = 0;
};

// The file version of a library file: the text after "FileVersion=" in it,
// parts separated by "," or "."; "7,0,0,0" when the file has none.
QString VersioneFile(const QString& percorso);

} // namespace tratte
