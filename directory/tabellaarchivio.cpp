#include "directory/tabellaarchivio.h"

#include "tabelle/errore.h"
#include "tabelle/query.h"

namespace borgal {

TabellaArchivio::TabellaArchivio(tabelle::TSession& sessione, QString percorso)
    : sessione_(sessione), percorso_(std::move(percorso))
{
    (void)RigaFrom(percorso_); // checks the path at once
}

TabellaArchivio::~TabellaArchivio() = default;

QString TabellaArchivio::RigaFrom(const QString& percorso)
{
    // The path stands between double quotes: one inside would end the name
    // and make the rest of the path part of the statement.
    if (percorso.contains(u'"'))
        throw tabelle::EDBEngineError(
            QStringLiteral("Percorso dell'archivio non valido (contiene le virgolette): %1").arg(percorso));
    return QStringLiteral("FROM \"%1\"").arg(percorso);
}

tabelle::TQuery& TabellaArchivio::Query(const QStringList& testo)
{
    trovato_ = false;
    if (!query_)
        query_ = std::make_unique<tabelle::TQuery>(nullptr, &sessione_);
    query_->Close();
    query_->SQL = testo;
    return *query_;
}

bool TabellaArchivio::Cerca(const QString& colonna, const QString& valore)
{
    tabelle::TQuery& q = Query({QStringLiteral("SELECT *"), RigaFrom(percorso_),
                                QStringLiteral("WHERE (%1 = :valore)").arg(colonna),
                                QStringLiteral("ORDER BY ID_001_TABLE")});
    q.ParamByName(QStringLiteral("valore")).SetAsString(valore);
    q.Open();
    trovato_ = !q.IsEmpty();
    return trovato_;
}

bool TabellaArchivio::EsistePrefisso(const QString& colonna, const QString& prefisso)
{
    // LIKE finds every name that starts so and a few more (the prefix's own
    // % and _ match anything there): the literal comparison picks them out.
    tabelle::TQuery& q = Query({QStringLiteral("SELECT %1").arg(colonna), RigaFrom(percorso_),
                                QStringLiteral("WHERE (%1 LIKE :chiave)").arg(colonna)});
    q.ParamByName(QStringLiteral("chiave")).SetAsString(prefisso + u'%');
    q.Open();
    for (int riga = 0; riga < q.RecordCount(); ++riga)
        if (q.ValoreRiga(riga, 0).toString().startsWith(prefisso, Qt::CaseSensitive))
            return true;
    return false;
}

QString TabellaArchivio::Valore(const QString& colonna) const
{
    if (!trovato_ || !query_)
        return QString();
    return query_->FieldByName(colonna)->AsString();
}

} // namespace borgal
