// Every help context the program and the directory component use opens a
// page of the delivered help: the contexts of every window, menu item and
// grid menu item, walked on the real windows, and those the sources give
// by number (a window of the directory component among them); a help file
// other than Tratte.hlp named in a source has its own context file.
#include "aiuto/contesto.h"
#include "aiuto/pagineguida.h"
#include "app/caricamento/taggform.h"
#include "app/caricamento/tdelprvform.h"
#include "app/configurazione.h"
#include "app/mainform.h"
#include "app/preferenze/tavvisoform.h"
#include "app/preferenze/tistruzioniform.h"
#include "app/preferenze/tpercorsiform.h"
#include "app/preferenze/tprefform.h"
#include "app/ricerca/tformricinspf.h"
#include "app/ricerca/ttratteform.h"
#include "app/tolleranza/ttolleranzaform.h"
#include "gridkit/comandi/colonneform.h"
#include "gridkit/comandi/dbgridpopupmenu.h"
#include "gridkit/comandi/trovainndbg.h"
#include "gridkit/griglia/newdbgrid.h"
#include "messaggi/servizio_finto.h"
#include "registro/treginifile.h"
#include "supporto/cartella_temporanea.h"
#include "supporto_app.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace tratte;

namespace {

// The contexts set on an object and everything it owns, with where.
void Raccogli(const QObject* oggetto, const QString& finestra, QMap<int, QString>& contesti)
{
    bool ok = false;
    const int contesto = oggetto->property(aiuto::ProprietaContestoAiuto).toInt(&ok);
    if (ok && contesto != 0)
        contesti.insert(contesto, finestra + "/" + oggetto->objectName());
    for (const QObject* figlio : oggetto->children())
        Raccogli(figlio, finestra, contesti);
}

// A page for each context in the help file `fileGuida` (in the delivered
// help folder), the anchor included.
void VerificaPagine(const QString& fileGuida, const QMap<int, QString>& contesti)
{
    const aiuto::PagineGuida pagine(fileGuida);
    for (auto it = contesti.cbegin(); it != contesti.cend(); ++it) {
        const aiuto::EsitoPagina esito = pagine.PaginaContesto(it.key());
        EXPECT_TRUE(esito.Trovata()) << QFileInfo(fileGuida).fileName().toStdString() << " " << it.key() << " ("
                                     << it.value().toStdString() << "): " << esito.errore.toStdString();
        if (!esito.Trovata() || esito.pagina.fragment().isEmpty())
            continue;
        QFile file(esito.pagina.toLocalFile());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(QString::fromUtf8(file.readAll()).contains("id=\"" + esito.pagina.fragment() + "\""))
            << it.key() << ": " << esito.pagina.toString().toStdString();
    }
}

TEST(ContestiDellaGuida, OgniContestoDelCodiceHaLaSuaPagina)
{
    CartellaTemporanea cartella;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    const QString programma = cartella.sottocartella("Tratte");
    QDir(programma).mkpath("Archivi");
    prova::RegistraDirectory();
    registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
    tabelle::TSession s;
    prova::CaricaProvince(s, programma, {{"RM", "ROMA"}});

    QMap<int, QString> contesti;
    TMainForm principale(programma);
    principale.show();
    QApplication::processEvents();
    Raccogli(&principale, "TMainForm", contesti);
    {
        TPrefForm preferenze(principale);
        TTratteForm elenco(principale);
        TFormRicInsPF punto(principale);
        TAggForm aggiornamento(principale);
        TDelPrvForm eliminazione(principale);
        TTolleranzaForm tolleranza("100.000", &principale);
        TIstruzioniForm istruzioni(&principale);
        TAvvisoForm avviso(&principale);
        TPercorsiForm percorsi(&principale);
        for (const QWidget* w : std::initializer_list<const QWidget*>{&preferenze, &elenco, &punto, &aggiornamento, &eliminazione,
                                                                      &tolleranza, &istruzioni, &avviso, &percorsi})
            Raccogli(w, w->metaObject()->className(), contesti);
    }
    // The grid's menu with every item, its find dialog and column chooser.
    gridkit::TNewDBGrid& griglia = *principale.NewDBGrid1;
    griglia.OptionMenu = gridkit::TutteLeOpzioniMenu;
    griglia.PopupMenu().Aggiorna();
    for (const QAction* voce : griglia.PopupMenu().actions())
        Raccogli(voce, "TDBGridPopupMenu", contesti);
    {
        gridkit::TTrovaInNDBGForm trova(griglia, principale.Table, &principale);
        QStringList visibili{"PF1"};
        const QStringList disponibili{"PF1", "PF2"};
        gridkit::TColonneForm colonne(&visibili, &disponibili, disponibili, &principale);
        Raccogli(&trova, "TTrovaInNDBGForm", contesti);
        Raccogli(&colonne, "TColonneForm", contesti);
    }
    for (int c : {50000, 50001, 50002, 50003, 50004, 50005, 50006, 50009, 50010})
        EXPECT_TRUE(contesti.contains(c)) << "the grid's menu has context " << c;

    // The contexts the sources give by number, per help file: a source
    // that names a help file of its own ("X.chm") uses its contexts there.
    static const QRegularExpression numero(
        R"re((?:ImpostaGuidaFinestra|ImpostaContestoAiuto|ContestoAiuto|HelpContext)\s*\((?:[^(),]*,)?\s*(\d+)\s*\)|Contest\w*\s*=\s*(\d+)\s*;)re");
    static const QRegularExpression fileProprio(R"re("(\w+)\.chm")re");
    QMap<QString, QMap<int, QString>> altri;
    for (const char* radice : {"app", "directory", "gridkit", "outside"}) {
        QDirIterator it(QStringLiteral(TRATTE_SORGENTI "/") + radice, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString percorso = it.next();
            QFile file(percorso);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QString testo = QString::fromUtf8(file.readAll());
            const QRegularExpressionMatch proprio = fileProprio.match(testo);
            QMap<int, QString>& destinazione = proprio.hasMatch() ? altri[proprio.captured(1) + ".chm"] : contesti;
            for (const auto& m : numero.globalMatch(testo)) {
                const int c = (m.captured(1).isEmpty() ? m.captured(2) : m.captured(1)).toInt();
                if (c != 0)
                    destinazione.insert(c, QFileInfo(percorso).fileName());
            }
        }
    }
    EXPECT_GE(contesti.size(), 20);
    VerificaPagine(QStringLiteral(TRATTE_SORGENTI "/data/Tratte.hlp"), contesti);
    // The survey-book dialog's help file, in the data folder.
    altri["TratteLbp.chm"].insert(1, "TZRElencoLbp");
    for (auto it = altri.cbegin(); it != altri.cend(); ++it)
        VerificaPagine(QStringLiteral(TRATTE_SORGENTI "/data/Archivi/") + it.key(), it.value());
}

} // namespace
