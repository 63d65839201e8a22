#pragma once
// TCaricamentoProvincia: the loading of one province's distribution series
// into the archive, without widgets; the update dialog and tratte-cli both
// run it. A load is all or nothing against errors: the removal of an older
// release, the new rows and the province's row in PRV.DB are written in
// one transaction, committed by Conferma; an error, Annulla or the end of
// the object without Conferma leaves the archive as it was.
#include "app/archiviodati.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace tabelle {
class AccodamentoRighe;
class PuntoDiRipristino;
class UsoTabella;
} // namespace tabelle

namespace tratte {

class TCaricamentoProvincia {
public:
    // What the front end is asked and told while a load runs; every member
    // may be left empty.
    struct Interfaccia {
        // The replacement question; true for OK. Empty: Cancel.
        std::function<bool(const QString& domanda)> ConfermaSostituzione;
        // A file of the series is about to be read (its name, size and number).
        std::function<void(const QString& nome, qint64 dimensione, int numero)> InizioFile;
        // The comune of the rows being read changed.
        std::function<void(const QString& codice)> MostraComune;
        // Line `riga` of the current file was written.
        std::function<void(qint64 riga)> RigaLetta;
        // A province's rows are about to be deleted: `mirata` when other
        // provinces stay loaded (only its rows go), otherwise every data
        // row of the archive goes. Called again with `fine` after.
        std::function<void(bool mirata, bool fine)> Cancellazione;
    };

    TCaricamentoProvincia(TArchivioDati& archivio, Interfaccia interfaccia);
    ~TCaricamentoProvincia();
    TCaricamentoProvincia(const TCaricamentoProvincia&) = delete;
    TCaricamentoProvincia& operator=(const TCaricamentoProvincia&) = delete;

    // The load in progress: its province, its release ("yy/mm", empty
    // when unknown), the province's name from Province.db, the last comune
    // shown, and the rows written.
    QString CodiceProvincia;
    QString DataDistribuzione;
    QString NomeProvincia;
    QString UltimoComune;
    qint64 RigheCaricate = 0;
    // Rows of the older release deleted by the load in progress.
    qint64 RigheEliminate = 0;

    // True between a PreparaProvincia that returned true and Conferma or Annulla.
    bool InCorso() const { return transazione_ != nullptr; }

    // Starts the load of a province: creates the missing archive tables,
    // asks the replacement question when the province is loaded (false,
    // and nothing changed, when the user declines), deletes the older
    // release and records the province in PRV.DB.
    bool PreparaProvincia(const QString& codice);
    // Appends every line of a file to the archive (the load must be in
    // progress). A line that does not convert, or an engine error, throws
    // EErroreFileDis naming the file and the line; the load is then undone.
    void LeggiFileDis(const QString& percorso);
    // Commits the load.
    void Conferma();
    // Undoes the load: the archive and PRV.DB are as before PreparaProvincia.
    void Annulla();

    enum class Esito { Completato, Rifiutato, Interrotto };
    // The folder series: every ".dis" file of the folder in name order,
    // until one of another province (which is not read). Messages of the
    // procedure go through the message service; Interrotto when the folder
    // is empty, missing or holds no ".dis" file; Rifiutato when the user
    // declined the replacement. Completato leaves the load committed.
    Esito CaricaDaCartella(const QString& cartella);
    // The ".dis" files of a folder, in the order they are read.
    static QStringList FileDis(const QString& cartella);

    // Deletes a province's rows from the archive and its row from PRV.DB,
    // together (inside the load in progress when there is one). Returns
    // false when PRV.DB does not hold the code (the rows are deleted all
    // the same).
    bool EliminaProvincia(const QString& codice);

    TArchivioDati& Archivio() const { return archivio_; }

private:
    QString PercorsoTratte() const;
    QString PercorsoPrv() const;
    void CreaTabelleMancanti();
    QString LeggiNomeProvincia(const QString& codice);
    bool VerificaSostituzione(const QString& codice);
    void RegistraProvincia(const QString& codice);
    bool AltreProvince(const QString& codice);

    TArchivioDati& archivio_;
    Interfaccia interfaccia_;
    // While a load is in progress: the archive files kept attached, the
    // write table and the transaction.
    std::unique_ptr<tabelle::UsoTabella> usoTratte_, usoPrv_;
    std::unique_ptr<tabelle::AccodamentoRighe> TableScrivi;
    std::unique_ptr<tabelle::PuntoDiRipristino> transazione_;
};

// The current date as a release: "yy" + date separator + "mm".
QString DataCorrenteDistribuzione();

} // namespace tratte
