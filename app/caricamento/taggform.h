#pragma once
// TAggForm: the update dialog. It loads one province into the archive
// from its distribution series, on numbered floppy disks in drive A: or
// in a folder, shows the province, the comune being loaded and two
// progress bars, and ends with modal result 6 after a completed load. The
// loading itself is TCaricamentoProvincia's.
#include "app/caricamento/caricamento.h"

#include <QDialog>
#include <functional>
#include <memory>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QToolButton;

namespace tratte {

class TMainForm;

class TAggForm : public QDialog {
    Q_OBJECT
public:
    // Created once, after the main window; enters itself in `principale`.
    explicit TAggForm(TMainForm& principale);
    ~TAggForm() override;

    // The mount points of the CD-ROM drives; tests replace it.
    static std::function<QStringList()> UnitaCdRom;

    // Fields.
    int NumeroDischi = 0;
    int DiscoCorrente = 0;
    QString UltimoComune;
    QString CodiceProvincia;
    QString DataDistribuzione;
    QString CodiceCatastale, CodiceFiscale, Provincia, NomeComune;

    // Controls.
    QGroupBox* SceltaGB;
    QLineEdit* DirectoryEdit;
    QToolButton* DirectoryBT;
    QLabel *Label8, *Label3, *Label2, *Label4, *Label5, *Label6;
    QLineEdit *NDiskEdit, *DirEdit, *ProvEdit, *TafEdit, *ComuneEdit, *CDiskEdit;
    QProgressBar *PBLenFile, *PBNumDisk;
    QPushButton *StartBT, *EndBT, *HelpBT;

    // Handlers.
    void FormCreate();
    void FormShow();
    void SceltaGBClick();
    void DirectoryEditChange();
    void NDiskEditChange();
    // False when the key is discarded.
    bool NDiskEditKeyPress(QChar tasto);
    void StartBTClick();

    // Operations.
    void AggiornaSorgente();
    void AzzeraForm();
    void InizializzaCaricamento();
    int ContaFileDis() const;
    void SvuotaTastiera();
    bool RichiediDisco();
    bool DiscoPresente() const;
    int LeggiDisco(QString& codice, QString& dataDistribuzione);
    bool PreparaProvincia(const QString& codice);
    // The name of the province loaded enters the lists of the main window
    // and of the delete dialog.
    void RegistraProvincia();
    void CaricaDisco(const QString& codice);
    void CaricaFile(const QString& nome, qint64 dimensione, int numero);
    void EliminaProvincia(const QString& cartella, const QString& codice);
    void AnnullaCaricamento();
    void MostraComune(const QString& codice);
    void FineAggiornamento();
    void CaricaDaDischi();
    void CaricaDaCartella();

    // While a procedure runs the dialog cannot be closed.
    void reject() override;

protected:
    void showEvent(QShowEvent* evento) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    class Cornice;
    TCaricamentoProvincia::Interfaccia Interfaccia();
    // The first ".dis" file of drive A:, empty when none.
    QString PrimoFileDisco() const;
    // A load ended with what it wrote kept.
    void ConcludiCaricamento();
    // Lets pending events run, a few times a second at most.
    void Respira(bool subito = false);

    TMainForm& principale_;
    std::unique_ptr<TCaricamentoProvincia> caricamento_;
    bool anticipoTasti_ = false;
    qint64 ultimoRespiro_ = 0;
};

} // namespace tratte
