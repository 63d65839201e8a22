#pragma once
// TCampoLegato: a one-line edit bound to a field of a data source. It shows
// the field of the current row, writes what is typed into the row being
// edited or inserted (an empty text is a null field; whole numbers for
// integer fields) and turns typed letters to upper case when asked.
#include "tabelle/sorgente.h"

#include <QLineEdit>
#include <memory>

namespace tratte {

class TCampoLegato : public QLineEdit {
    Q_OBJECT
public:
    explicit TCampoLegato(QWidget* genitore = nullptr);
    ~TCampoLegato() override;

    void SetDataSource(tabelle::TDataSource* sorgente);
    QString DataField;
    bool Maiuscolo = true;

    // Shows the field's value again.
    void Ricarica();
    // Writes the text into the field, when the row is being edited.
    void Scrivi();

private:
    class Link;
    std::unique_ptr<Link> link_;
    bool scrivendo_ = false;
};

} // namespace tratte
