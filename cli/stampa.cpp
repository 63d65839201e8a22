// tratte-cli stampa: the view of tratte, or the search of cerca, printed to
// a PDF through the report engine, by the steps of the main window's print.
#include "comandi.h"

#include "app/archiviodati.h"
#include "app/navigazione.h"
#include "app/stampa/stampatratte.h"
#include "gridkit/griglia/newdbgridordinamento.h"
#include "gridkit/tabella/newtable.h"
#include "tabelle/sessione.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QRegularExpression>

namespace cli {

int Stampa(Contesto& c, const QCommandLineParser& riga)
{
    const QString pdf = riga.value(QStringLiteral("pdf"));
    if (pdf.isEmpty()) {
        c.errori << "Manca --pdf FILE.\n";
        return 2;
    }
    bool tutte = true;
    int prima = 0, ultima = 0;
    if (riga.isSet(QStringLiteral("pagine"))) {
        static const QRegularExpression intervallo(QStringLiteral("^\\s*(\\d{1,5})\\s*-\\s*(\\d{1,5})\\s*$"));
        const QRegularExpressionMatch m = intervallo.match(riga.value(QStringLiteral("pagine")));
        if (!m.hasMatch() || m.captured(1).toInt() < 1) {
            c.errori << "Pagine non valide: " << riga.value(QStringLiteral("pagine")) << " (atteso DA-A, per esempio 3-5)\n";
            return 2;
        }
        tutte = false;
        prima = m.captured(1).toInt();
        ultima = m.captured(2).toInt();
        if (tratte::TStampaTratte::IntervalloErrato(tutte, prima, ultima)) {
            c.errori << tratte::TestoIntervalloErrato << '\n';
            return 2;
        }
    }
    int copie = 1;
    if (riga.isSet(QStringLiteral("copie"))) {
        bool ok = false;
        copie = riga.value(QStringLiteral("copie")).toInt(&ok);
        if (!ok || copie < 1 || copie > 65535) {
            c.errori << "Copie non valide: " << riga.value(QStringLiteral("copie")) << " (da 1 a 65535)\n";
            return 2;
        }
    }
    if (riga.isSet(QStringLiteral("discendente")) && !riga.isSet(QStringLiteral("ordina"))) {
        c.errori << "--discendente vuole --ordina CAMPO.\n";
        return 2;
    }

    tratte::TArchivioDati archivio(c.cartellaProgramma);
    gridkit::TNewTable tabella;
    const QStringList punti = riga.values(QStringLiteral("punto"));
    if (const int esito = punti.isEmpty() ? PreparaVista(c, riga, archivio, tabella) : PreparaRicerca(c, punti, archivio, tabella))
        return esito;
    // As a click on the column's title.
    QString campo;
    const bool discendente = riga.isSet(QStringLiteral("discendente"));
    if (riga.isSet(QStringLiteral("ordina"))) {
        const QString richiesto = riga.value(QStringLiteral("ordina"));
        for (const QString& colonna : tratte::ColonneGriglia)
            if (colonna.compare(richiesto, Qt::CaseInsensitive) == 0)
                campo = colonna;
        if (campo.isEmpty()) {
            c.errori << "Campo di ordinamento sconosciuto: " << richiesto << " (uno di " << tratte::ColonneGriglia.join(", ") << ")\n";
            return 2;
        }
        gridkit::OrdinaTabella(tabella, campo, discendente);
    }

    tratte::TOrvo orvo;
    // The engine beside the program when it is there, else on the search path.
    if (QFileInfo::exists(QDir(c.cartellaInstallazione).filePath(QLatin1String(tratte::zr::NomeLibreriaOrvo))))
        orvo.OrvoPath = c.cartellaInstallazione;
    orvo.ProgressDialog = false;
    if (!orvo.Apri())
        return 1;
    tratte::TStampaTratte stampa(orvo, c.cartellaProgramma, tabelle::Session());
    stampa.PreparaTabella(tabella, tratte::TVistaStampa::Archivio);
    QPrinter stampante;
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(QFileInfo(pdf).absoluteFilePath());
    stampa.ImpostaStampante(stampante);
    stampa.OrdinaReport(campo, discendente);
    stampa.Stampa(copie, tutte, prima, ultima);
    c.uscita << orvo.PagineStampate() << '\n';
    return 0;
}

} // namespace cli
