#pragma once
// Writes the rows of one attached table file by their row key: what a
// table or a live query posts, updates and deletes.
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <memory>

namespace tabelle {

class Connessione;
class Istruzione;
class TSession;
class UsoTabella;

// An insert prepared once for a table and a set of columns, run for every
// new row (a table being loaded posts hundreds of thousands).
class InserimentoPreparato {
public:
    // colonne[i] names the column of value i; an empty name leaves it out.
    InserimentoPreparato(Connessione& connessione, const QString& schema, const QStringList& colonne);
    ~InserimentoPreparato();
    InserimentoPreparato(const InserimentoPreparato&) = delete;
    InserimentoPreparato& operator=(const InserimentoPreparato&) = delete;
    // Writes the row and returns the row key the storage gave it.
    qint64 Esegui(const QVector<QVariant>& valori);
    // Writes the row with the values already bound to Preparata() (by
    // the position of their column among those written, from 1); clears
    // the bindings.
    qint64 Scrivi();
    const QStringList& Colonne() const { return colonne_; }
    Istruzione& Preparata() const { return *istruzione_; }

private:
    Connessione& c_;
    QStringList colonne_;
    QList<int> scritti_;
    std::unique_ptr<Istruzione> istruzione_;
};

// Appends rows to a table file without opening a dataset on it: the
// fast path of a load of hundreds of thousands of rows. The file stays
// attached (shared) while the object lives; values are bound column by
// column, in the order of `colonne`, and Scrivi writes the row.
class AccodamentoRighe {
public:
    AccodamentoRighe(TSession& sessione, const QString& percorsoTabella, const QStringList& colonne);
    ~AccodamentoRighe();
    AccodamentoRighe(const AccodamentoRighe&) = delete;
    AccodamentoRighe& operator=(const AccodamentoRighe&) = delete;

    // An alpha value, stored right-trimmed; blank or empty is NULL.
    void Testo(int colonna, const char* dati, int lunghezza);
    void Intero(int colonna, qint64 valore);
    void Reale(int colonna, double valore);
    void Nullo(int colonna);
    // Writes the row with the values bound (the others NULL) and returns
    // its row key; the bindings are cleared.
    qint64 Scrivi();

private:
    std::unique_ptr<UsoTabella> uso_;
    std::unique_ptr<InserimentoPreparato> inserimento_;
};

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
