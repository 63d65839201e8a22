// genera-libretti SERIE CARTELLA: the installation's three sample books,
// written into CARTELLA from the sample series of the folder SERIE:
// - Verifica.out: points of the series with archived distances among
//   them, measured again in the book, some within the tolerance and some
//   out of it, one pair written the other way round and one pair not
//   measured;
// - NonElaborato.out: the same points in a book not processed correctly;
// - AltraProvincia.out: points of Rome, a province the samples do not load.
#include "generatore_libretti.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
#include <algorithm>
#include <cstdio>

using namespace banco;

namespace {

void Scrivi(const QString& percorso, const QByteArray& testo)
{
    QFile f(percorso);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(testo) != testo.size()) {
        std::fprintf(stderr, "genera-libretti: impossibile scrivere %s\n", qPrintable(percorso));
        std::exit(1);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "uso: genera-libretti SERIE CARTELLA\n");
        return 2;
    }
    const QList<TrattaDis> tratte = LeggiSerie(QString::fromLocal8Bit(argv[1]));
    // The point with the most neighbours of its own sheet.
    QHash<PuntoDis, QList<PuntoDis>> vicini;
    for (const TrattaDis& t : tratte)
        if (t.a.comune == t.b.comune && t.a.foglio == t.b.foglio && !(t.a == t.b)) {
            if (!vicini[t.a].contains(t.b))
                vicini[t.a] << t.b;
            if (!vicini[t.b].contains(t.a))
                vicini[t.b] << t.a;
        }
    if (vicini.isEmpty()) {
        std::fprintf(stderr, "genera-libretti: la serie non ha tratte\n");
        return 1;
    }
    PuntoDis centro;
    qsizetype massimo = -1;
    for (auto i = vicini.cbegin(); i != vicini.cend(); ++i)
        if (i.value().size() > massimo || (i.value().size() == massimo && std::tie(i.key().comune, i.key().foglio, i.key().numero)
                                                                                  < std::tie(centro.comune, centro.foglio, centro.numero))) {
            centro = i.key();
            massimo = i.value().size();
        }
    QList<PuntoDis> punti{centro};
    QList<PuntoDis> altri = vicini.value(centro);
    std::sort(altri.begin(), altri.end(), [](const PuntoDis& x, const PuntoDis& y) { return x.numero < y.numero; });
    punti << altri.mid(0, 5);

    // The archived distances among them, each pair once, in series order.
    QList<DistanzaBook> distanze;
    QSet<QPair<int, int>> coppie;
    for (const TrattaDis& t : tratte) {
        const int i = int(punti.indexOf(t.a)), j = int(punti.indexOf(t.b));
        if (i < 0 || j < 0 || i == j || coppie.contains({i, j}) || coppie.contains({j, i}))
            continue;
        coppie.insert({i, j});
        distanze.append({i, j, t.distanza, 0.010});
    }
    // Measured again: within tolerance, out of it in every zone, out of it
    // only in the urban zone; one pair the other way round; the last pair
    // not measured in the book.
    const double scarti[] = {0.012, 0.950, 0.0, -0.021, 0.003};
    for (int k = 0; k < distanze.size(); ++k) {
        const double d = distanze[k].distanza;
        // Between the urban tolerance and the unfavourable one.
        const double urbana = d < 300 ? 0.05 + 0.0013 * d : 0.45, sfavorevole = d < 300 ? 0.1 + 0.002 * d : 0.7;
        distanze[k].distanza += k % 5 == 2 ? (urbana + sfavorevole) / 2 : scarti[k % 5];
        distanze[k].sqm = 0.010 + 0.001 * k;
        if (k == 1)
            std::swap(distanze[k].i, distanze[k].j);
    }
    if (distanze.size() > 2)
        distanze.removeLast();

    const QDir uscita(QString::fromLocal8Bit(argv[2]));
    QDir().mkpath(uscita.path());
    Scrivi(uscita.filePath("Verifica.out"),
           TestoLibretto("Libretto di prova: punti della serie di esempio di Prato, misurati di nuovo", true, punti, distanze));
    Scrivi(uscita.filePath("NonElaborato.out"),
           TestoLibretto("Libretto di prova: gli stessi punti, in un libretto non elaborato correttamente", false, punti, distanze));
    const QList<PuntoDis> roma{{"H501", "", "", 12, 1}, {"H501", "", "", 12, 2}, {"H501", "", "A", 12, 3}};
    Scrivi(uscita.filePath("AltraProvincia.out"),
           TestoLibretto("Libretto di prova: punti di Roma, provincia che gli esempi non caricano", true, roma,
                         {{0, 1, 102.345, 0.010}, {0, 2, 87.012, 0.012}, {1, 2, 60.5, 0.011}}));
    return 0;
}
