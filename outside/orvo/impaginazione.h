#pragma once
// The rows of a report and their pages. DatiRapporto reads the print
// table through the table engine, in the order of the report's groups,
// keeping only the rows' keys: a row's values are read when its page is
// drawn. Impaginazione knows, before drawing anything, how many rows fit
// a page and how many pages there are, and draws any one page by itself.
#include "rapporto.h"

#include <QDate>
#include <QSizeF>
#include <QVariant>
#include <memory>

class QPainter;

namespace tabelle {
class TQuery;
class TSession;
} // namespace tabelle

namespace orvo {

class DatiRapporto {
public:
    // Opens the report's table with its password, sorted by the groups.
    // Throws the table engine's error (EDBEngineError) or ErroreRapporto
    // for a column whose field the table lacks.
    explicit DatiRapporto(const Rapporto& rapporto);
    ~DatiRapporto();
    DatiRapporto(const DatiRapporto&) = delete;
    DatiRapporto& operator=(const DatiRapporto&) = delete;

    int Righe() const { return righe_; }
    // The text of the report's column `colonna` in row `riga` (0-based).
    QString Testo(int riga, int colonna) const;

private:
    const Rapporto& rapporto_;
    std::unique_ptr<tabelle::TSession> sessione_;
    std::unique_ptr<tabelle::TQuery> query_;
    QList<int> campi_;
    int righe_ = 0;
};

class Impaginazione {
public:
    // Lengths in tenths of a millimetre, the unit a page is drawn in.
    static constexpr double Unita = 10.0;

    Impaginazione(const Rapporto& rapporto, const DatiRapporto& dati, QString titolo, QDate data);

    int RighePerPagina() const { return righePerPagina_; }
    int Pagine() const { return pagine_; }
    // The paper, in tenths of a millimetre, as the report's orientation gives it.
    QSizeF Foglio() const { return foglio_; }
    QPageLayout::Orientation Orientamento() const { return orientamento_; }
    void ImpostaOrientamento(QPageLayout::Orientation o);

    // Draws page `pagina` (1-based) on a painter whose units are tenths of
    // a millimetre, the origin at the paper's top-left corner.
    void DisegnaPagina(QPainter& p, int pagina) const;

private:
    void Calcola();
    const Rapporto& rapporto_;
    const DatiRapporto& dati_;
    QString titolo_;
    QDate data_;
    QPageLayout::Orientation orientamento_;
    QSizeF foglio_;
    double testata_ = 0, piede_ = 0;
    int righePerPagina_ = 1;
    int pagine_ = 1;
};

} // namespace orvo
