#pragma once
// Survey books of our Pregeo manager's format (outside/pregeo/FORMATO.md)
// made from the rows of a distribution series: the installation's sample
// books and the benchmark's book. Qt Core only.
#include <QByteArray>
#include <QList>
#include <QString>

namespace banco {

// A point of a distribution row, as a book's PF line writes it.
struct PuntoDis {
    QString comune, sezione, allegato;
    int foglio = 0, numero = 0;
    friend bool operator==(const PuntoDis&, const PuntoDis&) = default;
};
size_t qHash(const PuntoDis& p, size_t seme = 0);

// One row of a series: its two points and its distance.
struct TrattaDis {
    PuntoDis a, b;
    double distanza = 0;
};

// The rows of every ".dis" file of the folder, in file and line order.
QList<TrattaDis> LeggiSerie(const QString& cartella);

struct DistanzaBook {
    int i = 0, j = 0; // indexes into the points, from 0
    double distanza = 0, sqm = 0;
};

// The text of a book: a comment, LIBRETTO;1, ELABORATO;SI or NO, the PF
// lines and the DIST lines.
QByteArray TestoLibretto(const QString& commento, bool elaborato, const QList<PuntoDis>& punti, const QList<DistanzaBook>& distanze);

} // namespace banco
