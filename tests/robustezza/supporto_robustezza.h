#pragma once
// Shared by the robustness tests: an installation in a temporary folder with
// the directory registered, the work tables, two provinces loaded (RM of release 99/09 in two
// files, MI), and what its tables hold, read back whole.
#include "app/archiviodati.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "supporto/cartella_temporanea.h"
#include "tabelle/sessione.h"

#include <QList>
#include <QStringList>
#include <gtest/gtest.h>

class ProvaRobustezza : public ::testing::Test {
protected:
    CartellaTemporanea cartella;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};
    QString programma = cartella.sottocartella("Tratte");

    void SetUp() override;

    // A series folder with the files given (name, lines); returns its path.
    QString Serie(const QString& nome, const QList<QPair<QString, QList<QByteArray>>>& file) const;
    // The second release of RM: 60 rows in three files.
    QString NuovaSerieRoma() const;
    // A province not loaded yet: VT, 30 rows in two files.
    QString SerieViterbo() const;
    // Every row of Tratte.db, PRV.DB and the survey-book results, read in a session of its own
    // (which is also the archive's next opening), one text a row, without
    // the row key.
    static QStringList Stato(const QString& programma);
    // A copy of the installation's data folder in a new program folder.
    QString Copia(const QString& nome) const;
    // The journals left in a program folder's data folder.
    static QStringList Journal(const QString& programma);
    // Texts of the boxes shown so far.
    QStringList Testi() const;
};
