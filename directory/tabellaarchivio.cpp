#include "directory/tabellaarchivio.h"

#include "directory/nomericerca.h"
#include "tabelle/campo.h"
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

QString TabellaArchivio::SoloRecordVivi()
{
    // Neither the header row nor the records the grids deleted (CodOp "D...").
    return QStringLiteral(" AND (ID_001_TABLE > 1) AND ((Not CodOp Like 'D%') Or (CodOp is Null))");
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
                                QStringLiteral("WHERE (%1 = :valore)").arg(colonna), SoloRecordVivi(),
                                QStringLiteral("ORDER BY ID_001_TABLE")});
    q.ParamByName(QStringLiteral("valore")).SetAsString(valore);
    q.Open();
    conNomeRicerca_ = q.FindField(ColonnaNomeRicerca) != nullptr;
    trovato_ = !q.IsEmpty();
    return trovato_;
}

bool TabellaArchivio::ConNomeRicerca()
{
    if (!conNomeRicerca_)
        (void)Cerca(QStringLiteral("ID_001_TABLE"), QStringLiteral("0"));
    return *conNomeRicerca_;
}

bool TabellaArchivio::CercaNome(const QString& colonnaNome, const QString& valore)
{
    if (Cerca(colonnaNome, valore))
        return true;
    if (!ConNomeRicerca() || !Cerca(ColonnaNomeRicerca, NomeRicerca(valore)))
        return false;
    // Records of one search form (PATERNO, PATERNÒ): the one spelt as the
    // key, its final apostrophe read as an accent, else the first.
    const QString forma = FormaAccentata(valore);
    const int colonna = query_->FieldByName(colonnaNome)->Index();
    for (int riga = 0; riga < query_->RecordCount(); ++riga)
        if (FormaAccentata(query_->ValoreRiga(riga, colonna).toString()) == forma) {
            query_->SetRecNo(riga + 1);
            break;
        }
    return true;
}

TabellaArchivio::Confronto TabellaArchivio::ConfrontoNome(const QString& colonnaNome, const QString& chiave)
{
    if (ConNomeRicerca())
        return {ColonnaNomeRicerca, NomeRicerca(chiave)};
    return {colonnaNome, chiave};
}

bool TabellaArchivio::EsistePrefisso(const QString& colonnaNome, const QString& prefisso)
{
    // LIKE finds every name that starts so and a few more (the prefix's own
    // % and _ match anything there): the literal comparison picks them out.
    const auto [colonna, chiave] = ConfrontoNome(colonnaNome, prefisso);
    tabelle::TQuery& q = Query({QStringLiteral("SELECT %1").arg(colonna), RigaFrom(percorso_),
                                QStringLiteral("WHERE (%1 LIKE :chiave)").arg(colonna), SoloRecordVivi()});
    q.ParamByName(QStringLiteral("chiave")).SetAsString(chiave + u'%');
    q.Open();
    for (int riga = 0; riga < q.RecordCount(); ++riga)
        if (q.ValoreRiga(riga, 0).toString().startsWith(chiave, Qt::CaseSensitive))
            return true;
    return false;
}

QList<TabellaArchivio::Candidato> TabellaArchivio::Candidati(const QString& colonnaNome, const QString& chiave,
                                                             const QString& restrizione)
{
    const Confronto confronto = ConfrontoNome(colonnaNome, chiave);
    QStringList testo{QStringLiteral("SELECT *"), RigaFrom(percorso_), QStringLiteral("WHERE ("),
                      QStringLiteral("(%1 LIKE :chiave)").arg(confronto.colonna)};
    if (!restrizione.isEmpty())
        testo << QStringLiteral(" AND (Provincia = :provincia)");
    testo << QStringLiteral(")") << SoloRecordVivi() + u';';
    tabelle::TQuery& q = Query(testo);
    // The key as typed, as a parameter: its own % and _ are wildcards of
    // the pattern, its quotes and semicolons plain characters.
    q.ParamByName(QStringLiteral("chiave")).SetAsString(confronto.chiave + u'%');
    if (!restrizione.isEmpty())
        q.ParamByName(QStringLiteral("provincia")).SetAsString(restrizione);
    q.Open();
    const auto indice = [&q](const QString& nome) {
        const tabelle::TField* campo = q.FindField(nome);
        return campo ? campo->Index() : -1;
    };
    const int nome = indice(colonnaNome), provincia = indice(QStringLiteral("Provincia")),
              codice = indice(QStringLiteral("CodiceCatastale"));
    const auto valore = [&q](int riga, int colonna) {
        return colonna < 0 ? QString() : q.ValoreRiga(riga, colonna).toString();
    };
    QList<Candidato> candidati;
    for (int riga = 0; riga < q.RecordCount(); ++riga)
        candidati.append({valore(riga, nome), valore(riga, provincia), valore(riga, codice)});
    return candidati;
}

QString TabellaArchivio::Valore(const QString& colonna) const
{
    if (!trovato_ || !query_)
        return QString();
    return query_->FieldByName(colonna)->AsString();
}

} // namespace borgal
