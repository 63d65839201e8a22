#include "app/stampa/torvo.h"

#include "app/stampa/zrdynamic.h"

#include <QFile>
#include <QRegularExpression>
#include <cstring>

namespace tratte {

namespace {

void Copia(const QString& testo, char* buffer, size_t dimensione)
{
    const QByteArray b = testo.toUtf8();
    std::strncpy(buffer, b.constData(), dimensione - 1);
    buffer[dimensione - 1] = '\0';
}

} // namespace

QString VersioneFile(const QString& percorso)
{
    QFile f(percorso);
    if (f.open(QIODevice::ReadOnly)) {
        const QByteArray dati = f.readAll();
        const QByteArray segno("FileVersion=");
        const qsizetype i = dati.indexOf(segno);
        if (i >= 0) {
            const qsizetype inizio = i + segno.size();
            const qsizetype fine = dati.indexOf('\0', inizio);
            const QString testo = QString::fromLatin1(dati.mid(inizio, (fine < 0 ? dati.size() : fine) - inizio)).trimmed();
            if (!testo.isEmpty() && testo.size() < 64)
                return testo;
        }
    }
    return QStringLiteral("7,0,0,0");
}

TOrvo::TOrvo() = default;

TOrvo::~TOrvo()
{
    if (!aperto_)
        return;
    // Closing never asks: the window is going.
    zr::StatoBinding& b = zr::Binding();
    const bool interattivo = b.interattivo;
    b.interattivo = false;
    CloseWindow();
    CloseJob();
    zr::PECloseEngine();
    b.interattivo = interattivo;
}

bool TOrvo::Apri()
{
    if (aperto_)
        return true;
    if (!zr::Binding().handle && !zr::PELoadOrvoDll(OrvoPath))
        return false;
    if (!zr::PEOpenEngine())
        return false;
    aperto_ = true;
    LeggiVersioni();
    return true;
}

void TOrvo::LeggiVersioni()
{
    const QStringList parti = VersioneFile(zr::PercorsoLibreria()).split(QRegularExpression(QStringLiteral("[,.]")));
    versioneFile_[0] = parti.value(0).trimmed().toInt();
    versioneFile_[1] = parti.value(1).trimmed().toInt();
    zr::Binding().versioneMaggiore = versioneFile_[0];
    zr::Binding().versioneMinore = versioneFile_[1];
    zr::PEGetVersion(PE_GV_DLL);
    versioneMotore_ = zr::PEGetVersion(PE_GV_ENGINE);
}

void TOrvo::SetReportName(const QString& nome)
{
    if (nome.compare(reportName_, Qt::CaseInsensitive) != 0 && job_ != 0)
        CloseJob();
    reportName_ = nome;
}

void TOrvo::Fallimento() const
{
    const QString binding = zr::Binding().ultimoErrore;
    if (!binding.isEmpty()) {
        if (binding == zr::TestoNonCaricata())
            throw EOrvoErrore(101, zr::TestoNonCaricata());
        if (binding.startsWith(QLatin1String("Error loading function")))
            throw EOrvoErrore(104, QStringLiteral("Failed to load function from ORVO32.DLL"));
        if (binding.startsWith(QLatin1String("Error loading library")))
            throw EOrvoErrore(106, QStringLiteral("Print Engine could not be loaded"));
        if (binding.startsWith(QLatin1String("Error freeing library")))
            throw EOrvoErrore(109, QStringLiteral("Error freeing library: ORVO32.DLL"));
        throw EOrvoErrore(140, QStringLiteral("Undefined Print Engine Error"));
    }
    const short codice = zr::PEGetErrorCode(job_);
    char testo[1024] = {};
    if (codice <= 0 || !zr::PEGetErrorText(job_, testo, int(sizeof testo)) || !*testo)
        throw EOrvoErrore(130, QStringLiteral("Failed to Retrieve Error Message from Print Engine"));
    throw EOrvoErrore(codice, QString::fromUtf8(testo));
}

void TOrvo::Controlla(bool riuscito) const
{
    if (!riuscito)
        Fallimento();
}

void TOrvo::ApriJob()
{
    // An engine that could not be opened answers through the binding, as
    // every later call does: the library is not loaded.
    if (!aperto_ && LoadEngineOnUse)
        Apri();
    if (job_ != 0)
        return;
    const short job = zr::PEOpenPrintJob(QFile::encodeName(reportName_).constData());
    if (job <= 0)
        Fallimento();
    job_ = job;
}

void TOrvo::RecuperaOpzioniGruppi()
{
    ApriJob();
    GroupOptions.clear();
    const short n = zr::PEGetNGroups(job_);
    if (n < 0)
        Fallimento();
    for (short i = 0; i < qMin<short>(n, 25); ++i) {
        PEGroupOptions g{};
        g.StructSize = sizeof g;
        Controlla(zr::PEGetGroupOptions(job_, i, &g));
        GroupOptions << TOrvoGruppo{QString::fromUtf8(g.fieldName), g.sortDirection == PE_SF_DESCENDING};
    }
    GruppoCorrente = GroupOptions.isEmpty() ? -1 : 0;
}

void TOrvo::RecuperaStampante()
{
    ApriJob();
    char driver[256] = {}, device[256] = {}, porta[256] = {};
    PEDevMode modo{};
    modo.StructSize = sizeof modo;
    Controlla(zr::PEGetSelectedPrinter(job_, driver, sizeof driver, device, sizeof device, porta, sizeof porta, &modo));
    Printer = {QString::fromUtf8(device), QString::fromUtf8(driver), QString::fromUtf8(porta), modo};
}

void TOrvo::Esegui()
{
    ApriJob();
    for (int i = 0; i < GroupOptions.size(); ++i) {
        PEGroupOptions g{};
        g.StructSize = sizeof g;
        Copia(GroupOptions[i].Field, g.fieldName, sizeof g.fieldName);
        g.sortDirection = GroupOptions[i].Descending ? PE_SF_DESCENDING : PE_SF_ASCENDING;
        Controlla(zr::PESetGroupOptions(job_, short(i), &g));
    }
    PEPrintOptions opzioni{};
    opzioni.StructSize = sizeof opzioni;
    Controlla(zr::PEGetPrintOptions(job_, &opzioni));
    opzioni.startPageN = (unsigned short)StartPage;
    opzioni.stopPageN = (unsigned short)StopPage;
    opzioni.nReportCopies = (unsigned short)qBound(1, Copies, 65535);
    Controlla(zr::PESetPrintOptions(job_, &opzioni));
    PEDevMode modo = Printer.Mode;
    modo.StructSize = sizeof modo;
    Controlla(zr::PESelectPrinter(job_, Printer.Driver.toUtf8().constData(), Printer.Device.toUtf8().constData(),
                                  Printer.Port.toUtf8().constData(), &modo));
    Controlla(zr::PESetDialogParentWindow(job_, DialogParent));
    if (!WindowTitle.isEmpty())
        Controlla(zr::PESetReportTitle(job_, WindowTitle.toUtf8().constData()));
    if (Output == TOutput::toPrinter) {
        Controlla(zr::PEEnableProgressDialog(job_, ProgressDialog));
        Controlla(zr::PEOutputToPrinter(job_, short(qBound(1, Copies, 32767))));
    } else {
        // The window's controls and cursors at their defaults.
        PEWindowOptions finestra{};
        finestra.StructSize = sizeof finestra;
        Controlla(zr::PEGetWindowOptions(job_, &finestra));
        Controlla(zr::PESetWindowOptions(job_, &finestra));
        Controlla(zr::PEShowPrintControls(job_, true));
        PETrackCursorInfo cursori{};
        cursori.StructSize = sizeof cursori;
        Controlla(zr::PEGetTrackCursorInfo(job_, &cursori));
        Controlla(zr::PESetTrackCursorInfo(job_, &cursori));
        unsigned int stile = PE_WS_VISIBLE | (WindowParent ? PE_WS_CHILD : 0u);
        if (WindowSystemMenu)
            stile |= PE_WS_SYSMENU | PE_WS_CAPTION;
        if (WindowBorder)
            stile |= PE_WS_BORDER;
        Controlla(zr::PEOutputToWindow(job_, WindowTitle.toUtf8().constData(), 0, 0, 0, 0, stile, WindowParent));
    }
    Controlla(zr::PEStartPrintJob(job_, true));
}

QWidget* TOrvo::ReportWindowHandle() const
{
    if (!aperto_ || job_ == 0)
        return nullptr;
    return static_cast<QWidget*>(zr::PEGetWindowHandle(job_));
}

int TOrvo::PagineReport() const
{
    PEJobInfo info{};
    info.StructSize = sizeof info;
    return job_ != 0 && zr::PEGetJobStatus(job_, &info) > 0 ? info.LatestPageN : 0;
}

int TOrvo::PagineStampate() const
{
    PEJobInfo info{};
    info.StructSize = sizeof info;
    return job_ != 0 && zr::PEGetJobStatus(job_, &info) > 0 ? int(info.NumPagesPrinted) : 0;
}

void TOrvo::CloseWindow()
{
    if (ReportWindowHandle())
        zr::PECloseWindow(job_);
}

void TOrvo::CloseJob()
{
    if (job_ == 0)
        return;
    const short job = job_;
    job_ = 0;
    if (aperto_)
        zr::PEClosePrintJob(job);
}

} // namespace tratte
