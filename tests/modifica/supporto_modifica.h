#pragma once
// Shared by the editing tests: the grid tests' folder, session and
// scripted messages, with the temporary folder (journal, clipboard) inside
// the test's folder, and an editable enhanced grid on "Tratte.db".
#include "gridkit/griglia/newdbgrid.h"
#include "supporto_griglia.h"
#include "tabelle/sorgente.h"

#include <QVariant>
#include <memory>

class ProvaModifica : public ProvaGriglia {
protected:
    ProvaModifica();
    ~ProvaModifica() override;

    // "Tratte.db" with `righe` rows (see CreaTratte), live, in an editable
    // grid shown offscreen; multiple selection when asked.
    void Collega(int righe, bool multipla = false);
    // A stored value, read from the table file itself.
    QVariant Memorizzato(qint64 id, const QString& campo, const QString& tabella = "Tratte.db");
    // Rows of a table file (the header row included).
    int RigheMemorizzate(const QString& tabella = "Tratte.db");
    // Types (TIPOOP) of the journal's entries, oldest first.
    QList<int> TipiGiornale() const;
    qint64 Id() const;

    QString temporanea;
    std::unique_ptr<gridkit::TNewTable> tabella;
    tabelle::TDataSource sorgente;
    std::unique_ptr<gridkit::TNewDBGrid> griglia;

private:
    QByteArray tmpdirPrecedente_;
};
