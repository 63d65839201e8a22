#include "tabelle/batchmove.h"

#include "tabelle/connessione.h"
#include "tabelle/errore.h"
#include "tabelle/protezione.h"
#include "tabelle/sessione.h"
#include "tabelle/tabella.h"

#include <QFileInfo>

namespace tabelle {

void TBatchMove::Execute()
{
    if (!Source || !Destination)
        throw EDBEngineError(QStringLiteral("Copia di tabella: sorgente o destinazione mancante."));
    MovedCount = 0;
    const bool aperta = Source->Active();
    Source->Open();
    if (Mode == TBatchMode::batCopy) {
        Destination->Close();
        Destination->FieldDefs.Clear();
        Destination->IndexDefs.Clear();
        for (int i = 0; i < Source->FieldCount(); ++i) {
            const TField* f = Source->Fields(i);
            Destination->FieldDefs.Add(f->FieldName(), f->DataType(), f->DataType() == TFieldType::ftString ? f->Size() : 0);
            if (f->DataType() == TFieldType::ftAutoInc && Destination->IndexDefs.isEmpty())
                Destination->IndexDefs.Add(QString(), f->FieldName(), ixPrimary | ixUnique);
        }
        Destination->CreateTable();
        if (!Password.isEmpty())
            ImpostaPasswordTabella(Destination->sessione(), Destination->Percorso(), Password);
    }

    Connessione& c = Destination->sessione().connessione();
    UsoTabella uso(c, Destination->Percorso(), false);
    const QStringList colonne = c.Colonne(uso.schema());
    QStringList nomi, valori;
    QList<int> sorgenti;
    for (int i = 0; i < Source->FieldCount(); ++i)
        for (const QString& col : colonne)
            if (col.compare(Source->Fields(i)->FieldName(), Qt::CaseInsensitive) == 0) {
                nomi << '"' + col + '"';
                valori << QStringLiteral("?%1").arg(sorgenti.size() + 1);
                sorgenti << i;
            }
    if (sorgenti.isEmpty())
        throw EDBEngineError(QStringLiteral("Copia nella tabella '%1' non riuscita: nessun campo in comune con la sorgente.")
                                 .arg(QFileInfo(uso.percorso()).fileName()));
    Istruzione ins(c, QStringLiteral("INSERT INTO %1.dati (%2) VALUES (%3)").arg(uso.schema(), nomi.join(", "), valori.join(", ")));

    // The rows are read where they are, without moving the source's
    // current row: no navigation, no notice to its links.
    try {
        // All rows or none.
        PuntoDiRipristino ripristino(c);
        const int righe = Source->RecordCount();
        for (int r = 0; r < righe; ++r) {
            for (int k = 0; k < sorgenti.size(); ++k)
                ins.Lega(k + 1, Source->ValoreRiga(r, sorgenti[k]));
            ins.Passo();
            ins.Reimposta();
            ++MovedCount;
        }
        ripristino.Conferma();
    } catch (const EDBEngineError& e) {
        MovedCount = 0;
        if (!aperta)
            Source->Close();
        throw EDBEngineError(QStringLiteral("Copia nella tabella '%1' non riuscita: %2")
                                 .arg(QFileInfo(uso.percorso()).fileName(), e.causa().isEmpty() ? e.messaggio() : e.causa()),
                             e.codice(), e.causa());
    } catch (...) {
        MovedCount = 0;
        if (!aperta)
            Source->Close();
        throw;
    }
    if (!aperta)
        Source->Close();
}

} // namespace tabelle
