#pragma once
// Writes the rows of one attached table file by their row key: what a
// table or a live query posts, updates and deletes.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

namespace tabelle {

class Connessione;

// A column name in double quotes, as the storage's SQL wants it.
QString Virgolette(const QString& nome);

class ScritturaRighe {
public:
    ScritturaRighe(Connessione& connessione, const QString& schema) : c_(connessione), schema_(schema) {}

    // Writes a new row: valori[i] into the column colonne[i] (an empty name
    // leaves that value out). Returns the row key the storage gave it.
    qint64 Inserisci(const QStringList& colonne, const QVector<QVariant>& valori);
    // Writes the changed columns of a row; false when the row is gone.
    bool Aggiorna(qint64 chiave, const QList<QPair<QString, QVariant>>& cambiati);
    void Cancella(qint64 chiave);

private:
    Connessione& c_;
    QString schema_;
};

} // namespace tabelle
