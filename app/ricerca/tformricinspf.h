#pragma once
// TFormRicInsPF: the dialog that enters one fiducial point into the search
// list: the comune by name or code (checked against the comuni archive, its
// section taken from the directory), sheet, attachment and point number.
// It always works on a pending row of the list's table: "Altro" saves it
// and prepares the next point of the same sheet, "OK" saves it and closes,
// closing otherwise cancels it.
#include "app/ricerca/campolegato.h"
#include "tabelle/query.h"
#include "tabelle/sorgente.h"
#include "tabelle/tabella.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

namespace tratte {

class TMainForm;

class TFormRicInsPF : public QDialog {
    Q_OBJECT
public:
    // Enters itself in the main window's FormRicInsPF.
    explicit TFormRicInsPF(TMainForm& principale);
    ~TFormRicInsPF() override;

    // A comune text is a code when its second character is a decimal digit.
    // Inline: the survey-book search asks it too, without this window.
    static bool IsCodice(const QString& testo) { return testo.size() >= 2 && testo[1] >= '0' && testo[1] <= '9'; }

    // Binds the dialog to the table, prepares the pending row and shows
    // the dialog modally; returns its modal result.
    int EditaPF(tabelle::TTable& tabella);

    tabelle::TTable PrvTable;
    tabelle::TQuery CodQuery;
    tabelle::TDataSource DataSource1;
    // The results of the last directory lookup.
    QString CodiceCatastale, CodiceFiscale, Provincia, NomeComune;
    // Set by SalvaPF when the point is already in the list.
    bool Duplicato = false;

    // Controls.
    QComboBox* EditCB;
    QToolButton* ArchivioSB;
    QLabel* PanelComune;
    TCampoLegato *EditSezione, *EditFoglio, *EditAllegato, *EditPF;
    QPushButton *AggiungiBT, *OKBT, *AnnullaBT, *AiutoBT;

    // Handlers.
    void FormShow();
    void FormClose();
    void ArchivioSBClick();
    void EditCBExit();
    void AggiungiBTClick();
    void OKBTClick();
    void AnnullaBTClick();
    void AiutoBTClick();

    // The comune box's text, looked up now unless PanelComune and the
    // section were filled for this very text; false when the archive does
    // not know it ("Comune inesistente" has been shown). An empty box passes.
    bool VerificaComune();
    // Shows a comune already known (its text and the other half in the
    // panel) as looked up.
    void MostraComune(const QString& testo, const QString& altraMeta);

    bool ValidaCampi();
    // True when the pending row was posted.
    bool SalvaPF();
    bool ProvinciaCaricata(const QString& testo);

    tabelle::TTable* Tabella() const { return tabella_; }

    void done(int risultato) override;

protected:
    void showEvent(QShowEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void AggiornaPulsantiElenco();
    void ImpostaSezione(const QString& sezione);
    bool InModifica() const;

    TMainForm& principale_;
    tabelle::TTable* tabella_ = nullptr;
    bool inUscita_ = false;
    // The box text that PanelComune and the section were filled for.
    QString comuneVerificato_;
};

} // namespace tratte
