#pragma once
// TTratteForm: the list of the fiducial points to search among. It keeps
// the list in the work table RicerchePF.db, emptied at every start, adds
// and edits points through TFormRicInsPF, and on OK prepares the search:
// the pair table, the number of points and, for one point, its condition
// lines, which the main window places on the archive.
#include "app/ricerca/modelloelencopf.h"
#include "tabelle/sorgente.h"
#include "tabelle/tabella.h"

#include <QDialog>
#include <QStringList>

class QPushButton;
class QTableView;
class QToolButton;

namespace gridkit {
class TDBNavigator;
}

namespace tratte {

class TMainForm;

class TTratteForm : public QDialog {
    Q_OBJECT
public:
    // Enters itself in the main window's TratteForm; runs FormCreate.
    explicit TTratteForm(TMainForm& principale);
    ~TTratteForm() override;

    tabelle::TTable Table1;
    tabelle::TDataSource DataSource1;
    // The number of points when the search was confirmed.
    int NumeroPF = 0;
    // The condition lines of a one-point search; the main window takes them.
    QStringList CondizioniPF;

    // Controls.
    QTableView* DBGrid1;
    ModelloElencoPF* ModelloDBGrid1;
    gridkit::TDBNavigator* DBNavigator1;
    QToolButton* DBNavigator1Cancella;
    QPushButton *AggiungiBT, *DelBT, *OKBt, *AnnullaBT, *AiutoBT;

    void FormCreate();
    void FormShow();
    void AggiornaPulsanti();
    void AggiungiBTClick();
    void DBGrid1DblClick();
    void DelBTClick();
    void OKBtClick();
    void AnnullaBTClick();
    void AiutoBTClick();
    void CancellaClick();
    // Rebuilds Combinazioni.db from the list.
    void CreaCombinazioni();

protected:
    void showEvent(QShowEvent* evento) override;

private:
    TMainForm& principale_;
};

} // namespace tratte
