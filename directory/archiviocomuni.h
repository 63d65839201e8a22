#pragma once
// TArchivioComuni_Form (module KWArchivioComuni): the archive dialog of the
// directory. Two pages, "Stati Esteri" (index 0) and "Comuni Italiani"
// (index 1), each with a search by one column as the user types, a
// read-only grid, a record browser and the buttons that add, change and
// delete a record through the editors (TArchivioComuniModIns_Form,
// TArchivioStatiModIns_Form) on a live table of the grid's current record.
#include "gridkit/tabella/newtable.h"
#include "tabelle/sorgente.h"

#include <QDialog>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QWidget;

namespace gridkit {
class TAdvancedPanel;
class TNewDBGrid;
class TRecordBrowser;
} // namespace gridkit

namespace borgal {

class RotellaSpostaFuoco;
class THJGenericEdit;

// One entry of a page's "Campo" list: the column searched and the size of
// the "Testo" edit.
struct CampoRicerca {
    QString voce;
    QString colonna;
    int larghezza;
    int lunghezza;
};

class TArchivioComuni_Form : public QDialog {
    Q_OBJECT
public:
    enum Pagina { PaginaStati = 0, PaginaComuni = 1 };

    explicit TArchivioComuni_Form(QWidget* genitore = nullptr);
    ~TArchivioComuni_Form() override;

    // Load a page's table from its full path: false, doing nothing, for an
    // empty path.
    bool ApriArchivioComuni(const QString& percorso);
    bool ApriArchivioStati(const QString& percorso);
    void AbilitaPagina(Pagina pagina, bool abilitata);
    void SetPaginaCorrente(Pagina pagina);
    Pagina PaginaCorrente() const;
    // The name of the current row of the current page; empty when its
    // table is closed or empty.
    QString NomeCorrente() const;

    static const QList<CampoRicerca>& CampiComuni();
    static const QList<CampoRicerca>& CampiStati();

    // The page's actions (buttons, double click, space bar, the browser's
    // insert button).
    void AggiungiComune_ButtonClick();
    void ModificaComune_ButtonClick();
    void CancellaComune_ButtonClick();
    void AggiungiStato_ButtonClick();
    void ModificaStato_ButtonClick();
    void CancellaStato_ButtonClick();
    // Applying the "Campo" entry, and the search as "Testo" changes.
    void CampoComuni_ComboBoxChange();
    void CampoStati_ComboBoxChange();
    void TestoComuni_HJGenericEditChange();
    void TestoStati_HJGenericEditChange();
    void Aiuto_ButtonClick();

    QLabel* StatusBar;
    QTabWidget* OvcNotebook1;
    QWidget* StatiEsteri_Page;
    QWidget* ComuniItaliani_Page;
    gridkit::TNewTable ArchivioStati_NewTable;
    gridkit::TNewTable ArchivioComuni_NewTable;
    tabelle::TDataSource ArchivioStati_DataSource;
    tabelle::TDataSource ArchivioComuni_DataSource;
    QComboBox* CampoComuni_ComboBox;
    QComboBox* CampoStati_ComboBox;
    THJGenericEdit* TestoComuni_HJGenericEdit;
    THJGenericEdit* TestoStati_HJGenericEdit;
    gridkit::TNewDBGrid* ArchivioComuni_NewDBGrid;
    gridkit::TNewDBGrid* ArchivioStati_NewDBGrid;
    gridkit::TRecordBrowser* ArchivioComuni_RecordBrowser;
    gridkit::TRecordBrowser* ArchivioStati_RecordBrowser;
    QPushButton* AggiungiComune_Button;
    QPushButton* ModificaComune_Button;
    QPushButton* CancellaComune_Button;
    QPushButton* AggiungiStato_Button;
    QPushButton* ModificaStato_Button;
    QPushButton* CancellaStato_Button;

protected:
    bool event(QEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void done(int risultato) override;

private:
    struct Controlli;
    void CreaPagina(Controlli& p, const QString& titolo, const QList<CampoRicerca>& campi);
    void ImpostaGriglia(Controlli& p, const QList<CampoRicerca>& campi, const QStringList& titoli);
    bool Apri(Controlli& p, const QString& percorso);
    void ApplicaCampo(Controlli& p);
    void Cerca(Controlli& p);
    void Aggiungi(Controlli& p);
    void Modifica(Controlli& p);
    void Cancella(Controlli& p);
    // After a change: the grid's table run again, on the record written.
    void Rileggi(Controlli& p, qint64 id);

    std::unique_ptr<Controlli> comuni_;
    std::unique_ptr<Controlli> stati_;
    RotellaSpostaFuoco* rotella_;
    bool mostrata_ = false;
};

} // namespace borgal
