#include "generatore_libretti.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <stdexcept>

namespace banco {

size_t qHash(const PuntoDis& p, size_t seme)
{
    return ::qHashMulti(seme, p.comune, p.sezione, p.allegato, p.foglio, p.numero);
}

namespace {

PuntoDis Punto(const QByteArray& riga, int inizio)
{
    // Columns (from 1): comune 4, section 1, blank, sheet 4, blank, attachment 1, blanks, point 2.
    PuntoDis p;
    p.comune = QString::fromLatin1(riga.mid(inizio, 4)).trimmed();
    p.sezione = QString::fromLatin1(riga.mid(inizio + 4, 1)).trimmed();
    p.foglio = riga.mid(inizio + 6, 4).trimmed().toInt();
    p.allegato = QString::fromLatin1(riga.mid(inizio + 11, 1)).trimmed();
    p.numero = riga.mid(inizio + 13, 4).trimmed().toInt();
    return p;
}

} // namespace

QList<TrattaDis> LeggiSerie(const QString& cartella)
{
    QList<TrattaDis> tratte;
    const QDir dir(cartella);
    for (const QString& nome : dir.entryList({QStringLiteral("*.dis")}, QDir::Files, QDir::Name)) {
        QFile f(dir.filePath(nome));
        if (!f.open(QIODevice::ReadOnly))
            throw std::runtime_error(("impossibile leggere " + dir.filePath(nome)).toStdString());
        while (!f.atEnd()) {
            const QByteArray riga = f.readLine();
            if (riga.size() < 62)
                continue;
            tratte.append({Punto(riga, 0), Punto(riga, 18), riga.mid(50, 12).trimmed().toDouble()});
        }
    }
    return tratte;
}

QByteArray TestoLibretto(const QString& commento, bool elaborato, const QList<PuntoDis>& punti, const QList<DistanzaBook>& distanze)
{
    QByteArray testo = "# " + commento.toUtf8() + "\n";
    testo += "LIBRETTO;1\n";
    testo += elaborato ? "ELABORATO;SI\n" : "ELABORATO;NO\n";
    for (const PuntoDis& p : punti)
        testo += QStringLiteral("PF;%1%2;%3;%4;%5\n")
                     .arg(p.comune, p.sezione)
                     .arg(p.foglio)
                     .arg(p.allegato.isEmpty() ? QStringLiteral("0") : p.allegato)
                     .arg(p.numero)
                     .toUtf8();
    for (const DistanzaBook& d : distanze)
        testo += QStringLiteral("DIST;%1;%2;%3;%4\n").arg(d.i + 1).arg(d.j + 1).arg(d.distanza, 0, 'f', 3).arg(d.sqm, 0, 'f', 3).toUtf8();
    return testo;
}

} // namespace banco
