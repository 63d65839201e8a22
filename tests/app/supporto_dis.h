#pragma once
// Distribution files written by the program's tests: lines in the
// fixed-column layout, and series of files in a folder.
#include <QByteArray>
#include <QFile>
#include <QString>

namespace prova {

// A line of a distribution file, every column in its place.
inline QByteArray Riga(const QByteArray& comune1, const QByteArray& sezione1, int foglio1, const QByteArray& allegato1, int pf1,
                          const QByteArray& comune2, const QByteArray& sezione2, int foglio2, const QByteArray& allegato2, int pf2,
                          const QByteArray& protocollo, double distanza, double scarto)
{
    QByteArray r(75, ' ');
    auto metti = [&r](int colonna, const QByteArray& testo) { r.replace(colonna - 1, testo.size(), testo); };
    metti(1, comune1);
    metti(5, sezione1);
    metti(7, QByteArray::number(foglio1).rightJustified(4, '0'));
    metti(12, allegato1);
    metti(16, QByteArray::number(pf1).rightJustified(2, '0'));
    metti(19, comune2);
    metti(23, sezione2);
    metti(25, QByteArray::number(foglio2).rightJustified(4, '0'));
    metti(30, allegato2);
    metti(34, QByteArray::number(pf2).rightJustified(2, '0'));
    metti(37, protocollo.leftJustified(13, ' ', true));
    metti(51, QByteArray::number(distanza, 'f', 3).rightJustified(12, ' '));
    metti(64, QByteArray::number(scarto, 'f', 3).rightJustified(12, ' '));
    return r;
}

// A simple line of comune `comune`: sheet 1, points `pf1` and `pf2`.
inline QByteArray Riga(const QByteArray& comune, int pf1, int pf2, double distanza = 100.0)
{
    return Riga(comune, "", 1, "", pf1, comune, "", 1, "", pf2, "PROT" + QByteArray::number(pf1 * 100 + pf2), distanza, 0.01);
}

// Writes `righe` (each followed by CR LF) into the file.
inline void ScriviDis(const QString& percorso, const QList<QByteArray>& righe)
{
    QFile f(percorso);
    f.open(QIODevice::WriteOnly);
    for (const QByteArray& r : righe)
        f.write(r + "\r\n");
}

} // namespace prova
