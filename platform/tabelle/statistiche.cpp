#include "tabelle/statistiche.h"

#include "tabelle/connessione.h"
#include "tabelle/sessione.h"

#include <QStringList>
#include <algorithm>
#include <vector>

namespace tabelle {
namespace {

bool HaStatistiche(Connessione& c, const QString& schema)
{
    Istruzione tabella(c, QStringLiteral("SELECT count(*) FROM %1.sqlite_master WHERE name = 'sqlite_stat1'").arg(schema));
    if (!tabella.Passo() || tabella.Intero(0) == 0)
        return false;
    Istruzione righe(c, QStringLiteral("SELECT count(*) FROM %1.sqlite_stat1 WHERE tbl = 'dati'").arg(schema));
    return righe.Passo() && righe.Intero(0) > 0;
}

} // namespace

void AggiornaStatistiche(TSession& sessione, const QString& percorsoTabella)
{
    Connessione& c = sessione.connessione();
    UsoTabella uso(c, percorsoTabella, false);
    // From SQLite 3.32 each index is sampled over about this many entries;
    // the engine delivered today reads each whole.
    c.Esegui(QStringLiteral("PRAGMA analysis_limit = 2000"));
    c.Esegui(QStringLiteral("ANALYZE %1").arg(uso.schema()));
}

void AggiornaStatisticheSeMancano(TSession& sessione, const QString& percorsoTabella)
{
    Connessione& c = sessione.connessione();
    UsoTabella uso(c, percorsoTabella, false);
    if (!HaStatistiche(c, uso.schema()))
        AggiornaStatistiche(sessione, percorsoTabella);
}

void CorreggiStatistiche(TSession& sessione, const QString& percorsoTabella, qint64 variazione)
{
    Connessione& c = sessione.connessione();
    UsoTabella uso(c, percorsoTabella, false);
    if (!HaStatistiche(c, uso.schema())) {
        AggiornaStatistiche(sessione, percorsoTabella);
        return;
    }
    // Each figure is "rows, rows per first key, rows per first two keys ...":
    // the first number moves, the others are kept, none above the rows.
    struct Figura {
        qint64 riga;
        QStringList numeri;
    };
    // An index of only some rows (a condition on it) does not grow with
    // the table: its figure is kept.
    QStringList parziali;
    {
        Istruzione indici(c, QStringLiteral("PRAGMA %1.index_list(dati)").arg(uso.schema()));
        while (indici.Passo())
            if (indici.Intero(4) != 0)
                parziali << indici.Valore(1).toString();
    }
    std::vector<Figura> figure;
    {
        Istruzione lettura(c, QStringLiteral("SELECT rowid, stat, idx FROM %1.sqlite_stat1 WHERE tbl = 'dati'").arg(uso.schema()));
        while (lettura.Passo())
            if (!parziali.contains(lettura.Valore(2).toString()))
                figure.push_back({lettura.Intero(0), lettura.Valore(1).toString().split(' ')});
    }
    Istruzione scrittura(c, QStringLiteral("UPDATE %1.sqlite_stat1 SET stat = :stat WHERE rowid = :riga").arg(uso.schema()));
    for (Figura& f : figure) {
        bool numero = false;
        const qint64 righe = std::max<qint64>(1, f.numeri.value(0).toLongLong(&numero) + variazione);
        if (!numero)
            continue;
        f.numeri[0] = QString::number(righe);
        for (int i = 1; i < f.numeri.size(); ++i) {
            bool intero = false;
            const qint64 n = f.numeri[i].toLongLong(&intero);
            if (intero && n > righe)
                f.numeri[i] = QString::number(righe);
        }
        scrittura.Lega(QStringLiteral(":stat"), f.numeri.join(' '));
        scrittura.Lega(QStringLiteral(":riga"), f.riga);
        scrittura.Passo();
        scrittura.Riavvolgi();
    }
}

} // namespace tabelle
