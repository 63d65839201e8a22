// immagini-guida: renders the windows the help pages show, step by step,
// into PNG files, run by the build. The windows are the program's own,
// built offscreen on a temporary installation with the directory
// component registered; nothing of the user's registry is touched.
//   immagini-guida LIBRERIA_BORGAL ARCHIVIO_COMUNI TABELLE_LAVORO ESEMPI CARTELLA
#include "app/caricamento/caricamento.h"
#include "app/caricamento/taggform.h"
#include "app/caricamento/tcancprovform.h"
#include "app/caricamento/tdelprvform.h"
#include "app/configurazione.h"
#include "app/mainform.h"
#include "app/preferenze/tavvisoform.h"
#include "app/preferenze/tistruzioniform.h"
#include "app/preferenze/tprefform.h"
#include "app/ricerca/ricercapf.h"
#include "app/ricerca/tformricinspf.h"
#include "app/ricerca/ttratteform.h"
#include "app/tolleranza/ttolleranzaform.h"
#include "componenti/server.h"
#include "gridkit/comandi/colonneform.h"
#include "gridkit/comandi/dbgridpopupmenu.h"
#include "gridkit/comandi/trovainndbg.h"
#include "gridkit/griglia/newdbgrid.h"
#include "winstampa/dialogostampa.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "registro/treginifile.h"
#include "tabelle/tabella.h"

#include "gridkit/comune/avviografico.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <cstdio>
#include <stdexcept>

using namespace tratte;

namespace {

class Immagini {
public:
    explicit Immagini(QString cartella) : cartella_(std::move(cartella)) {}

    void Salva(QWidget& finestra, const QString& nome)
    {
        finestra.show();
        finestra.activateWindow();
        QApplication::processEvents();
        const QString file = QDir(cartella_).filePath(nome + ".png");
        if (!finestra.grab().toImage().save(file))
            throw std::runtime_error("impossibile scrivere " + file.toStdString());
        std::printf("%s\n", qPrintable(file));
    }

private:
    QString cartella_;
};

// Typed as a user would.
void Scrivi(QLineEdit* campo, const QString& testo)
{
    campo->setFocus();
    campo->selectAll();
    QTest::keyClick(campo, Qt::Key_Backspace);
    QTest::keyClicks(campo, testo);
}

// The temporary installation: the work tables, two provinces in PRV.DB
// and the sample series of Prato loaded.
void PreparaInstallazione(const QString& programma, const QString& tabelleLavoro, const QString& esempi)
{
    QDir().mkpath(programma + "/Archivi");
    for (const QString& nome : {TabellaRicerchePF, TabellaCombinazioni})
        if (!QFile::copy(tabelleLavoro + "/" + nome, programma + "/Archivi/" + nome))
            throw std::runtime_error("manca " + (tabelleLavoro + "/" + nome).toStdString());
    tabelle::TSession sessione;
    TArchivioDati archivio(programma, nullptr, &sessione);
    archivio.Prepara();
    tabelle::TTable prv(nullptr, &sessione);
    prv.DatabaseName = "Database";
    prv.TableName = "PRV.DB";
    prv.Open();
    for (const auto& [codice, nome] : {std::pair{"RM", "ROMA"}, {"VT", "VITERBO"}}) {
        prv.Append();
        prv.FieldByName("CODEPRV")->SetAsString(codice);
        prv.FieldByName("PROVINCIA")->SetAsString(nome);
        prv.Post();
    }
    prv.Close();
    TCaricamentoProvincia caricamento(archivio, {});
    if (caricamento.CaricaDaCartella(esempi) != TCaricamentoProvincia::Esito::Completato)
        throw std::runtime_error("impossibile caricare gli esempi di " + esempi.toStdString());
}

void RegistraDirectory(const QString& libreria, const QString& archivio)
{
    if (componenti::RegistraServer(libreria) != componenti::S_OK)
        throw std::runtime_error("impossibile registrare " + libreria.toStdString());
    registro::TRegIniFile chiave(ChiaveDirectory);
    chiave.WriteString("Archivi", "FileNameArchivioComuni", archivio + "/KWArchivioComuni.db");
    chiave.WriteString("Archivi", "FileNameArchivioStatiEsteri", archivio + "/KWEsteri.db");
    chiave.WriteString("Archivi", "FileNameArchivioProvince", archivio + "/KWProvince.db");
}

void Preferenze(TMainForm& principale, Immagini& immagini)
{
    TPrefForm preferenze(principale);
    immagini.Salva(preferenze, "preferenze-1-apertura");
    preferenze.ProvCombo->setCurrentIndex(preferenze.ProvCombo->findText("ROMA"));
    immagini.Salva(preferenze, "preferenze-2-provincia");
    preferenze.ComCombo->setCurrentIndex(preferenze.ComCombo->findText("FIUMICINO"));
    immagini.Salva(preferenze, "preferenze-3-comune");
    preferenze.ResetProvinciaBT->setFocus();
    preferenze.ResetProvinciaBTClick();
    immagini.Salva(preferenze, "preferenze-4-reset");
}

void Ricerca(TMainForm& principale, messaggi::ServizioMessaggiFinto& servizio, Immagini& immagini)
{
    TTratteForm elenco(principale);
    TFormRicInsPF punto(principale);
    immagini.Salva(elenco, "ricerca-1-elenco-vuoto");
    servizio.ScriviModale([&](QDialog&) {
        punto.EditCB->setEditText("ROMA");
        punto.EditCBExit();
        Scrivi(punto.EditFoglio, "10");
        Scrivi(punto.EditPF, "1");
        immagini.Salva(punto, "ricerca-2-punto");
        punto.AggiungiBTClick();
        Scrivi(punto.EditPF, "2");
        immagini.Salva(punto, "ricerca-3-altro");
        punto.AggiungiBTClick();
        Scrivi(punto.EditPF, "3");
        punto.OKBTClick();
        punto.hide();
        return punto.result();
    });
    elenco.AggiungiBTClick();
    immagini.Salva(elenco, "ricerca-4-elenco");
}

void Tolleranza(TMainForm& principale, Immagini& immagini)
{
    TTolleranzaForm tolleranza("125.430", &principale);
    immagini.Salva(tolleranza, "tolleranza-1-apertura");
    Scrivi(tolleranza.DistanzaEdit, "125.5");
    immagini.Salva(tolleranza, "tolleranza-2-distanza");
    tolleranza.SetItemIndex(2);
    immagini.Salva(tolleranza, "tolleranza-3-zona");
}

// The directory's archive dialog, as "..." of the point entry shows it,
// with both pages, and its two editors on the current rows.
void ArchivioComuni(TMainForm& principale, messaggi::ServizioMessaggiFinto& servizio, Immagini& immagini)
{
    const auto editor = [&](const char* nome) {
        servizio.ScriviModale([&immagini, nome](QDialog& e) {
            immagini.Salva(e, nome);
            e.hide();
            return int(messaggi::mrCancel);
        });
    };
    servizio.ScriviModale([&](QDialog& d) {
        d.show();
        auto* pagine = d.findChild<QTabWidget*>("OvcNotebook1");
        Scrivi(d.findChild<QLineEdit*>("TestoComuni_HJGenericEdit"), "ROMA");
        immagini.Salva(d, "archivio-comuni");
        editor("modifica-comune");
        d.findChild<QPushButton*>("ModificaComune_Button")->click();
        pagine->setCurrentIndex(0);
        Scrivi(d.findChild<QLineEdit*>("TestoStati_HJGenericEdit"), "FRANCIA");
        immagini.Salva(d, "archivio-stati");
        editor("modifica-stato");
        d.findChild<QPushButton*>("ModificaStato_Button")->click();
        d.hide();
        return int(messaggi::mrCancel);
    });
    if (!principale.ComuniIntf || !principale.ComuniIntf->MostraArchivio(true, true).isEmpty())
        throw std::runtime_error("archivio dei comuni non mostrato");
    if (servizio.finestreMostrate.filter("ModIns_Form").size() != 2)
        throw std::runtime_error("editori dell'archivio non mostrati");
}

// The main window on the comune PRATO, its menus and the grid's menu.
void Principale(TMainForm& principale, Immagini& immagini)
{
    principale.resize(980, 640);
    principale.ProvinceCB->setCurrentText("PRATO");
    principale.ComuniCB->setEditText("PRATO");
    principale.ComuniCBChange();
    immagini.Salva(principale, "principale");
    for (const auto& [menu, nome] : {std::pair{principale.FileMenu, "menu-file"}, {principale.RicercaMenu, "menu-ricerca"}}) {
        menu->popup(principale.mapToGlobal(QPoint(0, 0)));
        immagini.Salva(*menu, nome);
        menu->hide();
    }
    gridkit::TDBGridPopupMenu& griglia = principale.NewDBGrid1->PopupMenu();
    griglia.Aggiorna();
    griglia.popup(principale.mapToGlobal(QPoint(200, 200)));
    immagini.Salva(griglia, "griglia-menu");
    griglia.hide();
    gridkit::TTrovaInNDBGForm trova(*principale.NewDBGrid1, principale.Table, &principale);
    Scrivi(trova.Testo_Edit, "1");
    immagini.Salva(trova, "griglia-trova");
    QStringList visibili = {"ComunePF1", "FoglioPF1", "PF1", "ComunePF2", "FoglioPF2", "PF2", "Distanza"};
    const QStringList disponibili = {"ComunePF1", "SezionePF1", "FoglioPF1", "AllegatoPF1", "PF1", "ComunePF2", "SezionePF2",
                                     "FoglioPF2", "AllegatoPF2", "PF2", "Protocollo", "Distanza", "ScartoQMedio", "Provincia"};
    gridkit::TColonneForm colonne(&visibili, &disponibili, disponibili, &principale);
    immagini.Salva(colonne, "griglia-colonne");
}

// Loading and deleting a province.
void Caricamento(TMainForm& principale, Immagini& immagini)
{
    TAggForm aggiornamento(principale);
    immagini.Salva(aggiornamento, "aggiornamento");
    aggiornamento.hide();
    TDelPrvForm eliminazione(principale);
    eliminazione.PrvList->setCurrentRow(0);
    immagini.Salva(eliminazione, "elimina-provincia");
    eliminazione.hide();
    TCancProvForm attesa(&principale);
    immagini.Salva(attesa, "elimina-provincia-attesa");
}

void Stampa(TMainForm& principale, Immagini& immagini)
{
    // As the program opens it: on the printer, every page, one copy; the
    // built-in PDF printer writes into a user's documents.
    principale.PrinterSetupDialog1->printer()->setOutputFileName("/home/geometra/Documenti/Stampa tratte.pdf");
    zrwinstampa::TDialogoStampa dialogo(principale.PrinterSetupDialog1, &principale);
    dialogo.StampanteRB->setChecked(true);
    dialogo.TutteRB->setChecked(true);
    dialogo.CopieSE->setValue(1);
    dialogo.Aggiorna();
    immagini.Salva(dialogo, "stampa");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir lavoro;
    // Before the application: the registry store of the run is the temporary one.
    qputenv("TRATTE_REGISTRO", QDir(lavoro.path()).filePath("registro").toLocal8Bit());
    QApplication applicazione(argc, argv);
    gridkit::AvvioGrafico grafica;
    const QStringList argomenti = QCoreApplication::arguments().mid(1);
    if (argomenti.size() != 5) {
        std::fprintf(stderr, "Uso: immagini-guida LIBRERIA_BORGAL ARCHIVIO_COMUNI TABELLE_LAVORO ESEMPI CARTELLA\n");
        return 2;
    }
    // Boxes and modal windows are answered by script: nothing waits for a user.
    messaggi::ServizioMessaggiFinto servizio;
    messaggi::SostituzioneServizio sostituzione(servizio);
    try {
        const QString programma = QDir(lavoro.path()).filePath("Tratte");
        RegistraDirectory(argomenti[0], argomenti[1]);
        PreparaInstallazione(programma, argomenti[2], argomenti[3]);
        registro::TRegIniFile(ChiaveProgramma).WriteString("", "VisualizzaFinestra", "0");
        QDir().mkpath(argomenti[4]);
        Immagini immagini(argomenti[4]);

        TMainForm principale(programma);
        principale.show();
        QApplication::processEvents();
        principale.ProvinceCB->setCurrentText("ROMA");
        principale.ComuniCB->setEditText("ROMA");
        principale.ComuniCBChange();

        Preferenze(principale, immagini);
        Ricerca(principale, servizio, immagini);
        Tolleranza(principale, immagini);
        ArchivioComuni(principale, servizio, immagini);
        Caricamento(principale, immagini);
        Stampa(principale, immagini);
        Principale(principale, immagini);
        TAvvisoForm avviso(&principale);
        immagini.Salva(avviso, "avviso");
        TIstruzioniForm istruzioni(&principale);
        immagini.Salva(istruzioni, "istruzioni");
        for (const messaggi::Messaggio& m : std::as_const(servizio.mostrati))
            std::fprintf(stderr, "immagini-guida: %s: %s\n", qPrintable(m.titolo), qPrintable(m.testo));
        return servizio.mostrati.isEmpty() ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "immagini-guida: %s\n", e.what());
        return 1;
    }
}
