#pragma once
// TabellaArchivio: the working table of one lookup on one archive file
// (comuni or foreign states), for the length of one call: searches by the
// exact value of a column, or by the start of a name, and the values of
// the record found. It keeps no table open beyond its own life, so edits
// made in the archive between two calls are seen.
//
// The file is named in the queries by its path as the registry gives it,
// in double quotes; a relative path (a bare default name) is resolved by
// the table engine against the current folder. The values searched for are
// always bound as parameters, never written into the statement.
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace tabelle {
class TQuery;
class TSession;
} // namespace tabelle

namespace borgal {

class TabellaArchivio {
public:
    // Throws tabelle::EDBEngineError when the path cannot stand in a query.
    TabellaArchivio(tabelle::TSession& sessione, QString percorso);
    ~TabellaArchivio();
    TabellaArchivio(const TabellaArchivio&) = delete;
    TabellaArchivio& operator=(const TabellaArchivio&) = delete;

    // Moves to the first record, in the table's order, whose column holds
    // exactly `valore` (case-sensitive; blanks at the end do not count, as
    // stored alpha values have none). False, with no record, when none does.
    bool Cerca(const QString& colonna, const QString& valore);
    // A name: first as spelt, then, when the archive carries the search
    // form of its names (NomeRicerca, see nomericerca.h), by that form, so
    // that FORLI and FORLI' find FORLÌ. An exact spelling wins; among
    // records of one search form, the first in the table's order that is
    // spelt as the key once its final apostrophes are read as accents
    // (PATERNO' finds PATERNÒ, not PATERNO), else the first.
    bool CercaNome(const QString& colonnaNome, const QString& valore);
    // True when some record's name starts with `prefisso`, compared
    // case-sensitively and literally (% and _ are plain characters), in
    // the search form when the archive has it.
    bool EsistePrefisso(const QString& colonnaNome, const QString& prefisso);

    // One record whose name starts with a key: the name as the archive
    // spells it, the province (comuni only) and the cadastral code.
    struct Candidato {
        QString nome;
        QString provincia;
        QString codice;
    };
    // The records whose name starts with `chiave` (its % and _ are
    // wildcards), in the search form when the archive has it, in the order
    // the query returns them; a non-empty `restrizione` keeps the comuni of
    // that province only.
    QList<Candidato> Candidati(const QString& colonnaNome, const QString& chiave, const QString& restrizione);

    // True when the archive carries the column NomeRicerca (an archive
    // written before it was added does not: its names are found as spelt).
    bool ConNomeRicerca();

    bool Trovato() const { return trovato_; }
    // A column of the record found; empty for a null value or no record.
    QString Valore(const QString& colonna) const;
    const QString& Percorso() const { return percorso_; }

    // The FROM line that names the file: FROM "path".
    static QString RigaFrom(const QString& percorso);
    // The condition, to add to a WHERE, that keeps the live records only.
    static QString SoloRecordVivi();

private:
    tabelle::TQuery& Query(const QStringList& testo);
    // The column and the key a name is compared by: the search form where
    // the archive has it, else the spelling.
    struct Confronto {
        QString colonna;
        QString chiave;
    };
    Confronto ConfrontoNome(const QString& colonnaNome, const QString& chiave);

    tabelle::TSession& sessione_;
    QString percorso_;
    std::unique_ptr<tabelle::TQuery> query_;
    bool trovato_ = false;
    std::optional<bool> conNomeRicerca_;
};

} // namespace borgal
