// tratte-cli libretto: the survey-book search on one book, by the steps of
// the book-list dialog.
#include "comandi.h"

#include "app/archiviodati.h"
#include "app/libretto/elaborazionelibretto.h"
#include "app/libretto/tzrtrattelbp.h"
#include "app/ricerca/ricercapf.h"
#include "app/stampa/stampatratte.h"
#include "componenti/creazione.h"
#include "directory/interfacce.h"
#include "gridkit/tabella/newtable.h"
#include "tabelle/percorsi.h"
#include "tabelle/sessione.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <cstring>

namespace cli {

namespace {

const QStringList ColonneRisultati{"TrattaAttuale", "TrattaInArchivio", "Differenza", "Urbane", "Extraurbane",
                                   "Sfavorevoli", "CoppiaPF", "Protocollo", "ScartoQMedio"};

QString Riga(const QString& testo) { return QString(testo).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

void StampaRisultati(Contesto& c, const gridkit::TNewTable& risultati)
{
    c.uscita << ColonneRisultati.join('\t') << '\n';
    QList<int> indici;
    for (const QString& nome : ColonneRisultati)
        indici << risultati.FieldByName(nome)->Index();
    const int n = risultati.RecordCount();
    for (int r = 0; r < n; ++r) {
        QStringList campi;
        for (int k = 0; k < indici.size(); ++k) {
            const QVariant v = risultati.ValoreRiga(r, indici[k]);
            if (v.isNull())
                campi << QString();
            else if (v.typeId() == QMetaType::Double)
                campi << QString::number(v.toDouble(), 'f', 3);
            else
                campi << v.toString();
        }
        c.uscita << campi.join('\t') << '\n';
    }
}

// Whether the book at `percorso` (with or without ".out") is processed
// correctly, as the component answers.
bool Valido(const QString& percorso)
{
    auto manager = componenti::CreateComObject<pregeo::IVTRPregeoManager>(pregeo::CLSID_VTRPregeoManager,
                                                                          pregeo::IID_IVTRPregeoManager);
    const QByteArray nome = percorso.toUtf8();
    if (std::size_t(nome.size()) >= pregeo::DimensioneBufferNome)
        return false;
    std::memcpy(manager->BufferNomeLibretto(), nome.constData(), std::size_t(nome.size()) + 1);
    return manager->LibrettoValido() == 1;
}

bool EsisteLibretto(const QString& percorso)
{
    const QFileInfo info(percorso);
    if (info.isFile())
        return true;
    const QString cercato = info.fileName() + QStringLiteral(".out");
    for (const QString& nome : QDir(info.path()).entryList({QStringLiteral("*.out")}, QDir::Files))
        if (nome.compare(cercato, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

int Libretto(Contesto& c, const QCommandLineParser& riga)
{
    const QString percorso = QFileInfo(riga.positionalArguments().front()).absoluteFilePath();
    if (!EsisteLibretto(percorso)) {
        c.errori << "Libretto non trovato: " << riga.positionalArguments().front() << '\n';
        return 1;
    }
    if (!Valido(percorso)) {
        c.errori << "Il libretto " << riga.positionalArguments().front()
                 << " non è elaborato correttamente (la prima riga deve essere LIBRETTO;1 e il libretto deve contenere ELABORATO;SI).\n";
        return 1;
    }
    tratte::TArchivioDati archivio(c.cartellaProgramma);
    archivio.Prepara();
    archivio.AggiornaTabellaRisultati();
    tratte::TRicercaPF::VerificaTabelleLavoro(archivio.CartellaDati());

    // The tables of the results control and of the main window's search.
    gridkit::TNewTable risultati, tabellaTratte;
    risultati.DatabaseName = tratte::TZRTratteLbp::PercorsoArchivi();
    risultati.SetTableName(QStringLiteral("TratteLibretto"));
    risultati.CachedUpdates = true;
    risultati.NotAppend = true;
    risultati.ReadOnly = true;
    tabellaTratte.DatabaseName = archivio.CartellaDati();
    tabellaTratte.SetTableName(QStringLiteral("Tratte.db"));
    tabellaTratte.CachedUpdates = true;
    tabellaTratte.NotAppend = true;
    tabellaTratte.ReadOnly = true;
    if (!tratte::TElaborazioneLibretto::CartellePronte(risultati, tabellaTratte)) {
        c.errori << "La cartella degli archivi non è impostata o non esiste (PathArchivi"
                 << (risultati.DatabaseName.isEmpty() ? QString() : ": " + risultati.DatabaseName)
                 << "): tratte-cli registra la imposta sulla cartella del programma.\n";
        return 1;
    }
    tratte::TElaborazioneLibretto::AzzeraRisultati(risultati, tabellaTratte);

    auto directory = componenti::CreateComObject<borgal::IBorgal>(borgal::CLSID_Borgal, borgal::IID_IBorgal);
    QStringList valori;
    tratte::TElaborazioneLibretto elaborazione(risultati, tabellaTratte, [&](const QString& testo, tratte::DatiComune& v) {
        return tratte::RisolviConDirectory(*directory.Get(), valori, testo, v);
    });
    const int esito = elaborazione.ElaboraLibretto(percorso);
    elaborazione.SvuotaPunti();
    if (esito != 1) {
        if (!elaborazione.ErroreLibretto.isEmpty()) {
            c.errori << elaborazione.ErroreLibretto << '\n';
            return 1;
        }
        if (elaborazione.Esito == tratte::EsitoArchivioVuoto) {
            const QString prv = QDir(risultati.sessione().CartellaDi(risultati.DatabaseName)).filePath(QStringLiteral("PRV.DB"));
            if (!QFileInfo::exists(tabelle::RisolviPercorso(prv)))
                c.errori << "Manca la tabella delle province caricate " << prv << ".\n";
            else
                c.errori << "L'archivio delle tratte è vuoto: caricare una provincia con tratte-cli carica.\n";
            return 1;
        }
        c.errori << Riga(tratte::TestoNessunaCorrispondenza) << '\n';
        return 3;
    }
    StampaRisultati(c, risultati);

    const QString pdf = riga.value(QStringLiteral("pdf"));
    if (pdf.isEmpty())
        return 0;
    tratte::TOrvo orvo;
    if (QFileInfo::exists(QDir(c.cartellaProgramma).filePath(QLatin1String(tratte::zr::NomeLibreriaOrvo))))
        orvo.OrvoPath = c.cartellaProgramma;
    orvo.ProgressDialog = false;
    if (!orvo.Apri())
        return 1;
    tratte::TStampaTratte stampa(orvo, c.cartellaProgramma, tabelle::Session());
    stampa.PreparaTabella(risultati, tratte::TVistaStampa::Libretto);
    QPrinter stampante;
    stampante.setOutputFormat(QPrinter::PdfFormat);
    stampante.setOutputFileName(QFileInfo(pdf).absoluteFilePath());
    stampa.ImpostaStampante(stampante);
    stampa.Stampa(1, true, 0, 0);
    return 0;
}

} // namespace cli
