#pragma once
// For the directory's tests: a small municipality archive (KWArchivioComuni.db
// and KWEsteri.db, enhanced tables protected with the table password) in a
// temporary folder, the registry values pointing at it, and a fixture that
// registers libborgal.so in the test's registry and creates its objects by
// class id, with every box and modal window of the component scripted.
#include "directory/interfacce.h"
#include "directory/servizioospite.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "supporto/cartella_temporanea.h"

#include "componenti/puntatore.h"

#include <QList>
#include <QString>
#include <gtest/gtest.h>

struct ComuneProva {
    QString provincia, nome, regione, cap, prefisso, codiceFiscale, codiceCatastale;
};
struct StatoProva {
    QString nome, codiceFiscale, codiceCatastale;
};

// The archive of most tests, in table order (ID_001_TABLE 2, 3, ...).
QList<ComuneProva> ComuniProva();
QList<StatoProva> StatiProva();

// Writes the two tables into `cartella` (the comuni as "KWArchivioComuni.db",
// the states as "KWEsteri.db") and returns their paths; without
// `conNomeRicerca` as an archive written before the column NomeRicerca.
QString CreaArchivioComuni(const QString& cartella, const QList<ComuneProva>& comuni, bool conNomeRicerca = true);
QString CreaArchivioStati(const QString& cartella, const QList<StatoProva>& stati, bool conNomeRicerca = true);
// The directory's registry values (Archivi) of the current user.
void ImpostaArchivi(const QString& comuni, const QString& stati);
// A value of the current user's registry.
void ScriviRegistro(const QString& chiave, const QString& nome, const QString& valore);

class ComponenteBorgal : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new TBorgal object, asked for IBorgal, as the program makes it.
    componenti::ComPtr<borgal::IBorgal> Crea();
    // The standard archive of ComuniProva and StatiProva, in the registry.
    void ArchivioStandard();

    CartellaTemporanea cartella;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    borgal::PubblicazioneServizioMessaggi pubblicazione;
};

// The path of libborgal.so as built.
QString LibreriaBorgal();
