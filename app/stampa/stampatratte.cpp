#include "app/stampa/stampatratte.h"

#include "app/archiviodati.h"
#include "tabelle/batchmove.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QDir>
#include <QPrinter>
#include <cstring>

namespace tratte {

TStampaTratte::TStampaTratte(TOrvo& orvo, const QString& cartellaProgramma, tabelle::TSession& sessione)
    : orvo_(orvo), cartellaDati_(QDir(cartellaProgramma).filePath(QStringLiteral("Archivi"))), sessione_(sessione)
{
}

void TStampaTratte::PreparaTabella(tabelle::TDataSet& sorgente, TVistaStampa vista)
{
    const bool libretto = vista == TVistaStampa::Libretto;
    nomeReport_ = QDir(cartellaDati_).filePath(libretto ? QStringLiteral("TratteLbp.rpt") : QStringLiteral("ReportTratte.rpt"));
    tabellaStampa_ = libretto ? QStringLiteral("StampaTratteLbp.db") : QStringLiteral("StampaTratte.db");
    prefisso_ = libretto ? QStringLiteral("{StampaTratteLbp.") : QStringLiteral("{StampaTratte.");
    orvo_.SetReportName(nomeReport_);
    orvo_.WindowTitle = TitoloStampa;

    tabelle::TTable tabella(nullptr, &sessione_);
    tabella.DatabaseName = cartellaDati_;
    tabella.TableName = tabellaStampa_;
    tabelle::TBatchMove copia;
    copia.Source = &sorgente;
    copia.Destination = &tabella;
    copia.Mode = tabelle::TBatchMode::batCopy;
    // Protected as soon as it is made: the rows are encrypted as they are written.
    copia.Password = PasswordTabelle;
    copia.Execute();
    righe_ = copia.MovedCount;
}

TOrvoStampante StampanteDi(const QPrinter& p)
{
    TOrvoStampante s;
    const bool pdf = p.outputFormat() == QPrinter::PdfFormat;
    s.Device = pdf ? QStringLiteral("PDF") : p.printerName();
    s.Mode.StructSize = sizeof s.Mode;
    s.Mode.orientation = p.pageLayout().orientation() == QPageLayout::Landscape ? PE_ORIENT_LANDSCAPE : PE_ORIENT_PORTRAIT;
    s.Mode.paperSize = short(p.pageLayout().pageSize().id() + 1);
    s.Mode.copies = short(qBound(1, p.copyCount(), 32767));
    s.Mode.color = p.colorMode() == QPrinter::GrayScale ? 1 : 2;
    s.Mode.duplex = p.duplex() == QPrinter::DuplexLongSide ? 2 : p.duplex() == QPrinter::DuplexShortSide ? 3 : 1;
    const QByteArray file = p.outputFileName().toUtf8();
    std::strncpy(s.Mode.outputFileName, file.constData(), sizeof s.Mode.outputFileName - 1);
    return s;
}

void TStampaTratte::ImpostaStampante(const QPrinter& stampante)
{
    orvo_.RecuperaStampante();
    orvo_.Printer = StampanteDi(stampante);
}

void TStampaTratte::OrdinaReport(const QString& campoOrdine, bool discendente)
{
    if (campoOrdine.isEmpty())
        return;
    orvo_.RecuperaOpzioniGruppi();
    if (orvo_.GroupOptions.isEmpty())
        return;
    orvo_.GroupOptions[0].Field = prefisso_ + campoOrdine + QLatin1Char('}');
    orvo_.GroupOptions[0].Descending = discendente;
}

bool TStampaTratte::IntervalloErrato(bool tutteLePagine, int primaPagina, int ultimaPagina)
{
    return !tutteLePagine && primaPagina > ultimaPagina;
}

void TStampaTratte::Stampa(int copie, bool tutteLePagine, int primaPagina, int ultimaPagina)
{
    orvo_.Copies = qMin(copie, 65535);
    orvo_.StartPage = tutteLePagine ? 0 : primaPagina;
    orvo_.StopPage = tutteLePagine ? 0 : ultimaPagina;
    orvo_.Output = TOrvo::TOutput::toPrinter;
    orvo_.Esegui();
}

} // namespace tratte
