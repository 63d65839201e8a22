#include "tabelle/scrittura.h"

#include "tabelle/connessione.h"

namespace tabelle {

QString Virgolette(const QString& nome) { return '"' + QString(nome).replace('"', "\"\"") + '"'; }

qint64 ScritturaRighe::Inserisci(const QStringList& colonne, const QVector<QVariant>& valori)
{
    QStringList nomi, segnaposti;
    QList<int> scritti;
    for (int i = 0; i < colonne.size(); ++i)
        if (!colonne[i].isEmpty()) {
            nomi << Virgolette(colonne[i]);
            segnaposti << QStringLiteral(":__v%1").arg(i);
            scritti << i;
        }
    const QString testo = nomi.isEmpty()
                              ? QStringLiteral("INSERT INTO %1.dati DEFAULT VALUES").arg(schema_)
                              : QStringLiteral("INSERT INTO %1.dati (%2) VALUES (%3)").arg(schema_, nomi.join(", "), segnaposti.join(", "));
    Istruzione ins(c_, testo);
    for (int i : scritti)
        ins.Lega(QStringLiteral(":__v%1").arg(i), valori.value(i));
    ins.Passo();
    return c_.UltimoRowid();
}

bool ScritturaRighe::Aggiorna(qint64 chiave, const QList<QPair<QString, QVariant>>& cambiati)
{
    if (cambiati.isEmpty())
        return true;
    QStringList assegnazioni;
    for (int i = 0; i < cambiati.size(); ++i)
        assegnazioni << QStringLiteral("%1 = :__v%2").arg(Virgolette(cambiati[i].first)).arg(i);
    Istruzione agg(c_, QStringLiteral("UPDATE %1.dati SET %2 WHERE rowid = :__k").arg(schema_, assegnazioni.join(", ")));
    for (int i = 0; i < cambiati.size(); ++i)
        agg.Lega(QStringLiteral(":__v%1").arg(i), cambiati[i].second);
    agg.Lega(QStringLiteral(":__k"), chiave);
    agg.Passo();
    return c_.RigheModificate() > 0;
}

void ScritturaRighe::Cancella(qint64 chiave)
{
    Istruzione canc(c_, QStringLiteral("DELETE FROM %1.dati WHERE rowid = :__k").arg(schema_));
    canc.Lega(QStringLiteral(":__k"), chiave);
    canc.Passo();
}

} // namespace tabelle
