#pragma once
// Helpers of the record browser tests: sample tables with a given number
// of rows in a temporary folder, a dataset of a million rows that costs
// nothing to build, and typing into the number box.
#include "messaggi/servizio_finto.h"
#include "messaggi/messaggi.h"
#include "supporto/cartella_temporanea.h"
#include "tabelle/dataset.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QString>
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace gridkit {
class TRecordBrowser;
}

namespace prova {

// Each test its own folder, session and scripted message service.
class BrowserTest : public ::testing::Test {
protected:
    CartellaTemporanea cartella;
    tabelle::TSession sessione;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};

    // The table `nome` (ID_001_TABLE auto-increment key, Nome alpha 20,
    // Valore long integer) with rows Nome = "R1", "R2", ..., open on its
    // first row.
    std::unique_ptr<tabelle::TTable> Tabella(int righe, const QString& nome = QStringLiteral("Prova.db"));
    QStringList Testi() const;
};

// A read-only dataset of `righe` rows whose values are their numbers:
// only the row keys are held, nothing is stored. It counts its moves.
class DatasetGrande : public tabelle::TDataSet {
public:
    DatasetGrande(tabelle::TSession& sessione, int righe);
    int spostamenti = 0;

protected:
    std::unique_ptr<tabelle::Cursore> InternalOpen() override;

private:
    int righe_;
};

// Selects the box's text and types `testo` over it as the user would,
// then presses Enter when `invio`.
void Digita(gridkit::TRecordBrowser& browser, const QString& testo, bool invio = true);

} // namespace prova
