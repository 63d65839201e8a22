#pragma once
// TZRElencoLbp: "Elenco libretti elaborati Circ. 2/88 ", the list of the
// books of the Pregeo folder processed correctly. OK (or a double click)
// processes the chosen book: its points, the archived distances among them
// and the results written, under the wait window of each phase.
#include "app/libretto/elaborazionelibretto.h"
#include "componenti/creazione.h"
#include "directory/interfacce.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace gridkit {
class TNewDBGrid;
}

namespace tratte {

class TZRElencoLbp : public QDialog {
    Q_OBJECT
public:
    // The results table and grid, and the archive search table, of the
    // results control.
    TZRElencoLbp(gridkit::TNewTable& risultati, gridkit::TNewDBGrid* griglia, gridkit::TNewTable& tabellaTratte,
                 QWidget* genitore = nullptr);
    ~TZRElencoLbp() override;

    // The work of the search.
    TElaborazioneLibretto& Elaborazione() const { return *elaborazione_; }
    int Esito() const { return elaborazione_->Esito; }
    // The help file given when the dialog is shown.
    QString HelpFile;

    // Controls.
    QLabel *DaLabel, *AvvisoLabel, *NomeLibrettoLabel;
    QLineEdit* PathDatiEdit;
    QListWidget* ElencoLibrettiListBox;
    QLineEdit* NomeLibrettoEdit;
    QPushButton *OKBt, *AnnullaBt, *AiutoBt;

    // Handlers.
    void FormCreate();
    void FormShow();
    void ElencoLibrettiListBoxClick();
    void ElencoLibrettiListBoxDblClick();
    void OKBtClick();
    void AiutoBtClick();
    void FormClose();
    void FormDestroy();
    void PreparaTabelle() { elaborazione_->PreparaTabelle(); }
    // The result titles and hidden system columns of the results grid.
    static void TitoliRisultati(gridkit::TNewDBGrid& griglia, bool conFlagUfficio);

    void done(int risultato) override;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    void ElaboraLibretto(const QString& percorso);

    gridkit::TNewDBGrid* griglia_;
    componenti::ComPtr<borgal::IBorgal> comuni_;
    QStringList valoriComune_;
    std::unique_ptr<TElaborazioneLibretto> elaborazione_;
    bool chiuso_ = false;
};

} // namespace tratte
