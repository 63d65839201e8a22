#pragma once
// Shared by the grid tests: a temporary folder with its own registry, a
// session, the scripted message service, and an enhanced table of the
// archive's shape with a chosen number of rows.
#include "gridkit/tabella/newtable.h"
#include "messaggi/messaggi.h"
#include "messaggi/servizio_finto.h"
#include "supporto/cartella_temporanea.h"
#include "tabelle/sessione.h"
#include "tabelle/sorgente.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

class QWidget;

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

class ProvaGriglia : public ::testing::Test {
protected:
    CartellaTemporanea cartella;
    tabelle::TSession sessione;
    messaggi::ServizioMessaggiFinto finto;
    messaggi::SostituzioneServizio sostituzione{finto};

    // "Tratte.db" with the fields ComunePF1 (alpha 4), PF1 (integer),
    // Distanza (number), Flag (boolean), Protocollo (alpha 13). Row i
    // (from 0): ComunePF1 "C" + (righe - i) in three digits, so that the
    // comune order is the reverse of the insertion order; PF1 = i + 1;
    // Distanza 10.5 + i; Flag NULL, true, false, NULL, ...
    void CreaTratte(int righe);
    // The table opened (Riapri), read-only or live.
    std::unique_ptr<gridkit::TNewTable> ApriTratte(bool soloLettura = true);

    // Texts of the boxes shown so far.
    QStringList Testi() const;
    // Shows the widget offscreen at the given size and lets it lay out.
    static void Mostra(QWidget& w, int larghezza = 640, int altezza = 300);
};
