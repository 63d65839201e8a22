#include "lavoro.h"

#include "tabelle/errore.h"

#include <QApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>

namespace orvo {

namespace {

bool ConFinestre() { return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr; }

} // namespace

Lavoro::Lavoro(Rapporto r) : rapporto(std::move(r)), titolo(rapporto.titolo)
{
    stampante = QStringLiteral("PDF");
    modo.StructSize = sizeof modo;
    opzioni.StructSize = sizeof opzioni;
    opzioni.nReportCopies = 1;
    opzioni.collation = 1;
    opzioniFinestra = {sizeof(PEWindowOptions), 0, 0, 1, 1, 1, 0, 1, 1, 1, 0, 0, 0};
    cursori = {sizeof(PETrackCursorInfo), short(Qt::ArrowCursor), short(Qt::ArrowCursor), short(Qt::ArrowCursor),
               short(Qt::ArrowCursor), short(Qt::ArrowCursor)};
}

Lavoro::~Lavoro() { ChiudiFinestra(); }

void Lavoro::Prepara()
{
    // The pages of a new start reflect the settings and rows of now.
    ChiudiFinestra();
    pagine_.reset();
    dati_.reset();
    try {
        dati_ = std::make_unique<DatiRapporto>(rapporto);
    } catch (const ErroreRapporto& e) {
        throw ErroreMotore{PE_ERR_BADFILEFORMAT, e.testo()};
    } catch (const tabelle::EDBEngineError& e) {
        throw ErroreMotore{PE_ERR_DATABASE, QStringLiteral("Tabella del rapporto non leggibile: %1").arg(e.messaggio())};
    }
    pagine_ = std::make_unique<Impaginazione>(rapporto, *dati_, titolo, QDate::currentDate());
    if (modo.orientation == PE_ORIENT_PORTRAIT || modo.orientation == PE_ORIENT_LANDSCAPE)
        pagine_->ImpostaOrientamento(modo.orientation == PE_ORIENT_LANDSCAPE ? QPageLayout::Landscape : QPageLayout::Portrait);
}

void Lavoro::Avvia()
{
    if (uscita == Uscita::Nessuna)
        throw ErroreMotore{PE_ERR_NOPRINTDESTINATION, QStringLiteral("Nessuna destinazione di stampa scelta.")};
    stato = PE_JOBINPROGRESS;
    pagineStampate = 0;
    try {
        Prepara();
        pagine = pagine_->Pagine();
        righe = dati_->Righe();
        if (uscita == Uscita::Stampante) {
            Stampa();
            // Printed: the table is let go, the program may make it anew.
            pagine_.reset();
            dati_.reset();
        } else {
            ApriFinestra();
        }
    } catch (const ErroreMotore& e) {
        stato = e.codice == PE_ERR_CANCELLED ? PE_JOBCANCELLED : PE_JOBFAILED;
        if (!finestra_) {
            pagine_.reset();
            dati_.reset();
        }
        throw;
    }
    stato = PE_JOBCOMPLETED;
}

void Lavoro::ImpostaStampante(QPrinter& p) const
{
    const bool pdf = stampante.isEmpty() || stampante.compare(QStringLiteral("PDF"), Qt::CaseInsensitive) == 0;
    if (pdf) {
        QString file = QString::fromUtf8(opzioni.outputFileName);
        if (file.isEmpty())
            file = QString::fromUtf8(modo.outputFileName);
        if (file.isEmpty())
            throw ErroreMotore{PE_ERR_NOPRINTDESTINATION, QStringLiteral("La stampante PDF non ha un file di uscita.")};
        p.setOutputFormat(QPrinter::PdfFormat);
        p.setOutputFileName(file);
    } else {
        if (QPrinterInfo::printerInfo(stampante).isNull())
            throw ErroreMotore{PE_ERR_PRINTERNOTFOUND, QStringLiteral("Stampante non trovata: %1").arg(stampante)};
        p.setOutputFormat(QPrinter::NativeFormat);
        p.setPrinterName(stampante);
        if (modo.color == 1 || modo.color == 2)
            p.setColorMode(modo.color == 1 ? QPrinter::GrayScale : QPrinter::Color);
        if (modo.duplex >= 1 && modo.duplex <= 3)
            p.setDuplex(modo.duplex == 1 ? QPrinter::DuplexNone
                                         : modo.duplex == 2 ? QPrinter::DuplexLongSide : QPrinter::DuplexShortSide);
    }
    QPageSize formato(rapporto.pagina);
    if (modo.paperSize > 0 && modo.paperSize <= QPageSize::LastPageSize + 1)
        formato = QPageSize(QPageSize::PageSizeId(modo.paperSize - 1));
    p.setFullPage(true);
    p.setPageLayout(QPageLayout(formato, pagine_->Orientamento(), QMarginsF(0, 0, 0, 0)));
    p.setDocName(titolo);
}

void Lavoro::Stampa()
{
    const int n = pagine_->Pagine();
    int da = opzioni.startPageN, a = opzioni.stopPageN;
    if (da == 0 && a == 0) {
        da = 1;
        a = n;
    } else {
        if (da == 0)
            da = 1;
        if (a == 0 || a > n)
            a = n;
        if (da > a)
            throw ErroreMotore{PE_ERR_BADPAGERANGE,
                               QStringLiteral("Intervallo di pagine %1-%2 fuori dal rapporto di %3 pagine.")
                                   .arg(opzioni.startPageN).arg(opzioni.stopPageN).arg(n)};
    }
    const int copieLavoro = qMax<int>(1, qMax<int>(copie, opzioni.nReportCopies));
    QPrinter p(QPrinter::HighResolution);
    ImpostaStampante(p);
    // A printer makes its copies itself; the PDF file holds them all.
    const bool pdf = p.outputFormat() == QPrinter::PdfFormat;
    const int giri = pdf ? copieLavoro : 1;
    if (!pdf)
        p.setCopyCount(copieLavoro);
    QPainter pittore;
    if (!pittore.begin(&p))
        throw ErroreMotore{PE_ERR_OUTPUT, QStringLiteral("Stampa non avviata su %1.").arg(pdf ? p.outputFileName() : stampante)};
    const double scala = p.resolution() / (25.4 * Impaginazione::Unita);
    std::unique_ptr<QProgressDialog> progresso;
    if (avanzamento && ConFinestre() && QGuiApplication::platformName() != QLatin1String("offscreen")) {
        progresso = std::make_unique<QProgressDialog>(QStringLiteral("Stampa in corso..."), QStringLiteral("Annulla"), 0,
                                                      (a - da + 1) * giri, genitoreDialoghi.data());
        progresso->setWindowModality(Qt::WindowModal);
        progresso->setMinimumDuration(500);
    }
    bool primo = true;
    for (int giro = 0; giro < giri; ++giro)
        for (int pagina = da; pagina <= a; ++pagina) {
            if (!primo)
                p.newPage();
            primo = false;
            pittore.save();
            pittore.scale(scala, scala);
            pagine_->DisegnaPagina(pittore, pagina);
            pittore.restore();
            ++pagineStampate;
            if (progresso && pagineStampate % 5 == 0) {
                progresso->setValue(pagineStampate);
                if (progresso->wasCanceled()) {
                    pittore.end();
                    p.abort();
                    throw ErroreMotore{PE_ERR_CANCELLED, QStringLiteral("Stampa annullata.")};
                }
            }
        }
    if (!pittore.end())
        throw ErroreMotore{PE_ERR_OUTPUT, QStringLiteral("Stampa non completata.")};
}

void Lavoro::ApriFinestra()
{
    ControlliAnteprima controlli;
    controlli.navigazione = controlliStampa && opzioniFinestra.hasNavigationControls != 0;
    controlli.stampa = controlliStampa && opzioniFinestra.hasPrintButton != 0;
    controlli.zoom = controlliStampa && opzioniFinestra.hasZoomControl != 0;
    controlli.chiudi = controlliStampa && opzioniFinestra.hasCloseButton != 0;
    auto* finestra = new AnteprimaOrvo(*pagine_, titoloFinestra.isEmpty() ? titolo : titoloFinestra, controlli,
                                       [this] {
                                           // The print button: the same pages on the job's printer.
                                           try {
                                               Stampa();
                                           } catch (const ErroreMotore& e) {
                                               QMessageBox::critical(genitoreDialoghi.data(), QStringLiteral("Orvo"), e.testo);
                                           }
                                       },
                                       genitoreFinestra.data());
    if (!genitoreFinestra) {
        Qt::WindowFlags flag = Qt::Window;
        if (!(stileFinestra & PE_WS_SYSMENU))
            flag |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        finestra->setWindowFlags(flag);
    } else if (!(stileFinestra & PE_WS_BORDER)) {
        finestra->setContentsMargins(0, 0, 0, 0);
    }
    finestra->setAttribute(Qt::WA_DeleteOnClose);
    finestra->setCursor(Qt::CursorShape(cursori.detailAreaCursor));
    if (posizioneFinestra.isValid())
        finestra->setGeometry(posizioneFinestra);
    finestra_ = finestra;
    finestra->show();
}

void Lavoro::ChiudiFinestra()
{
    if (finestra_) {
        // Closed now: the pages it draws go with this job.
        AnteprimaOrvo* f = finestra_;
        finestra_.clear();
        delete f;
    }
}

} // namespace orvo
