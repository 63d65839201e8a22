#include "tabelle/scrittura.h"

#include "tabelle/connessione.h"
#include "tabelle/sessione.h"

#include <sqlcipher/sqlite3.h>

namespace tabelle {

QString Virgolette(const QString& nome) { return '"' + QString(nome).replace('"', "\"\"") + '"'; }

InserimentoPreparato::InserimentoPreparato(Connessione& c, const QString& schema, const QStringList& colonne)
    : c_(c), colonne_(colonne)
{
    QStringList nomi, segnaposti;
    for (int i = 0; i < colonne.size(); ++i)
        if (!colonne[i].isEmpty()) {
            nomi << Virgolette(colonne[i]);
            scritti_ << i;
            segnaposti << QStringLiteral("?%1").arg(scritti_.size());
        }
    istruzione_ = std::make_unique<Istruzione>(
        c, nomi.isEmpty() ? QStringLiteral("INSERT INTO %1.dati DEFAULT VALUES").arg(schema)
                          : QStringLiteral("INSERT INTO %1.dati (%2) VALUES (%3)").arg(schema, nomi.join(", "), segnaposti.join(", ")));
}

InserimentoPreparato::~InserimentoPreparato() = default;

qint64 InserimentoPreparato::Esegui(const QVector<QVariant>& valori)
{
    for (int k = 0; k < scritti_.size(); ++k)
        istruzione_->Lega(k + 1, valori.value(scritti_[k]));
    return Scrivi();
}

qint64 InserimentoPreparato::Scrivi()
{
    try {
        istruzione_->Passo();
    } catch (...) {
        istruzione_->Reimposta();
        throw;
    }
    istruzione_->Reimposta();
    return c_.UltimoRowid();
}

AccodamentoRighe::AccodamentoRighe(TSession& sessione, const QString& percorsoTabella, const QStringList& colonne)
    : uso_(std::make_unique<UsoTabella>(sessione.connessione(), percorsoTabella, false)),
      inserimento_(std::make_unique<InserimentoPreparato>(sessione.connessione(), uso_->schema(), colonne))
{
}

AccodamentoRighe::~AccodamentoRighe() = default;

void AccodamentoRighe::Testo(int colonna, const char* dati, int lunghezza)
{
    while (lunghezza > 0 && dati[lunghezza - 1] == ' ')
        --lunghezza;
    if (lunghezza == 0)
        sqlite3_bind_null(inserimento_->Preparata().stmt(), colonna + 1);
    else
        sqlite3_bind_text(inserimento_->Preparata().stmt(), colonna + 1, dati, lunghezza, SQLITE_TRANSIENT);
}

void AccodamentoRighe::Intero(int colonna, qint64 valore) { sqlite3_bind_int64(inserimento_->Preparata().stmt(), colonna + 1, valore); }
void AccodamentoRighe::Reale(int colonna, double valore) { sqlite3_bind_double(inserimento_->Preparata().stmt(), colonna + 1, valore); }
void AccodamentoRighe::Nullo(int colonna) { sqlite3_bind_null(inserimento_->Preparata().stmt(), colonna + 1); }
qint64 AccodamentoRighe::Scrivi() { return inserimento_->Scrivi(); }

qint64 ScritturaRighe::Inserisci(const QStringList& colonne, const QVector<QVariant>& valori)
{
    return InserimentoPreparato(c_, schema_, colonne).Esegui(valori);
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
