#pragma once
// The frame the two record editors of the archive dialog share: a status
// line at the top, the fields, OK, "Annulla" and "Aiuto". An editor writes
// one record of a live table (a plain table on the archive file): it adds a
// record (AggiungiRecord) or changes the current one (ModificaRecord),
// after the mandatory and duplicate checks of its fields.
#include <QDialog>

class QGridLayout;
class QLabel;
class QPushButton;

namespace tabelle {
class TTable;
}

namespace borgal {

class RotellaSpostaFuoco;
class THJGenericEdit;

class TArchivioModIns_Form : public QDialog {
    Q_OBJECT
public:
    enum class Modo { Inserimento, Modifica };

    // Both show the editor modally on `tabella`; true when the record was saved.
    bool ModificaRecord(tabelle::TTable& tabella);
    bool AggiungiRecord(tabelle::TTable& tabella);

    Modo ModoCorrente() const { return modo_; }
    tabelle::TTable* Tabella() const { return tabella_; }

    // OK: the checks, then the record is written and the editor closes.
    void Ok_BitBtnClick();
    void Annulla_BitBtnClick();
    // The archive's help topic (the button would otherwise do nothing).
    void Aiuto_BitBtnClick();

    QLabel* StatusBar;
    QPushButton* Ok_BitBtn;
    QPushButton* Annulla_BitBtn;
    QPushButton* Aiuto_BitBtn;

    ~TArchivioModIns_Form() override;

protected:
    TArchivioModIns_Form(QWidget* genitore, int altezza);

    // The rows of fields, between the status line and the buttons.
    QGridLayout* Campi() const { return campi_; }
    // An upper-case edit of `lunghezza` characters.
    THJGenericEdit* NuovoEdit(const QString& nome, int lunghezza);
    void AggiungiRiga(const QString& etichetta, QWidget* controllo, int larghezza);

    // The first field (the name) and the fields of the record.
    virtual THJGenericEdit* CampoNome() const = 0;
    virtual THJGenericEdit* CampoCodiceFiscale() const = 0;
    virtual THJGenericEdit* CampoCodiceCatastale() const = 0;
    virtual QString MessaggioNome() const = 0;
    virtual QString MessaggioCodiceFiscale() const = 0;
    virtual QString MessaggioDuplicato() const = 0;
    // Empty controls ready for a new record; the record into the controls;
    // the controls into the record being written.
    virtual void PreparaInserimento() = 0;
    virtual void LeggiRecord(const tabelle::TTable& tabella) = 0;
    virtual void ScriviRecord(tabelle::TTable& tabella) = 0;

    bool event(QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void done(int risultato) override;

private:
    bool Mostra();
    // The message of the editors (caption "Errore").
    void Errore(const QString& testo);
    // Another record of the file holds this cadastral code.
    bool CodiceCatastaleDuplicato(const QString& codice) const;

    QGridLayout* campi_;
    RotellaSpostaFuoco* rotella_;
    tabelle::TTable* tabella_ = nullptr;
    Modo modo_ = Modo::Inserimento;
};

} // namespace borgal
