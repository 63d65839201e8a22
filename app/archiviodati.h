#pragma once
// The program's data store: where its tables lie, the database "Database"
// on the data folder, the table password, and the tables created at the
// first start (Tratte.db, TratteLibretto.db, PRV.DB).
#include "gridkit/tabella/newtable.h"
#include "tabelle/sessione.h"

#include <QObject>
#include <QString>

namespace tratte {

// The table password of every table of the program, and the raw key it
// gives (derived once, here).
inline const QString PasswordTabelle = QStringLiteral("tulp41");
inline constexpr char ChiaveTabelle[] = "x'696195eeaf6040e0143aed8d211f935a8bcc3cf21b889727fd1db0f7c6112502'";

// Gives the session the table password, its key already known.
void UsaPasswordTabelle(tabelle::TSession& sessione);

class TArchivioDati : public QObject {
    Q_OBJECT
public:
    // `cartellaProgramma`: the folder of the executable.
    explicit TArchivioDati(const QString& cartellaProgramma, QObject* owner = nullptr,
                           tabelle::TSession* sessione = nullptr);

    // Always ending with "/".
    QString CartellaProgramma;
    // Folder of the comuni archive (with its closing "/"), or empty.
    QString CartellaArchivioComuni;
    // The program folder + "Archivi", without a closing "/".
    QString CartellaDati() const;

    tabelle::TDatabase Database;
    // Invisible enhanced table used to create the archive tables.
    gridkit::TNewTable Tabella;

    // Set-up at start: the directory archive folder from the registry,
    // ImpostaConnessione, the missing table files created, the database
    // opened. Engine errors go to the caller. The results table of the
    // survey-book search is not opened: a command that uses it calls
    // AggiornaTabellaRisultati (opening it was a tenth of a short command).
    void Prepara();
    // The table password in the session and the three parameters of
    // "Database".
    void ImpostaConnessione();

    // The missing table files created, and the results table of the old
    // layout made anew (the main window's start).
    void CreaTabelleMancanti();
    // A results table of the old layout, whose protocol was a long integer,
    // made anew: it only ever holds the last search's results.
    void AggiornaTabellaRisultati();
    // The tables of the data folder checked at start, cheaply (whatever
    // the archive's size): each must open with the table password, hold its
    // own fields and read at both ends of its rows. One Italian text for
    // each that fails, naming the file; the others stay usable.
    QStringList VerificaTabelle();
    void CreaTabellaTratte();
    void CreaTabellaTratteLibretto();
    // False only for a TratteLibretto.db of the old layout (protocol a long integer).
    bool ProtocolloAlfanumerico();
    void CreaTabellaPrv(const QString& cartella);

    tabelle::TSession& sessione() const { return *sessione_; }

private:
    void CreaFileMancanti();
    void CreaTabellaArchivio(const QString& nome, const QStringList& campi);
    tabelle::TSession* sessione_;
};

// Gives an existing table file the table password.
void ProteggiTabella(const QString& nomeFile, const QString& password, tabelle::TSession& sessione = tabelle::Session());

} // namespace tratte
