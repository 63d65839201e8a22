#pragma once
// The tables one statement names: each is resolved to its schema through
// the Risolutore as soon as it is read, gets the alias the SQLite text uses,
// and can then be found again from a column qualifier.
#include "tabelle/sql/token.h"
#include "tabelle/sql/traduttore.h"

#include <QHash>
#include <array>

namespace tabelle::sql {

enum class UsoTabella {
    Sorgente,  // FROM / JOIN: written "<schema>.dati AS <aliasSql>"
    Bersaglio, // DELETE, UPDATE, INSERT, ALTER, ...: "<schema>.dati", no alias
    Nuova      // CREATE TABLE: the table may not exist yet
};

// A qualifier found in the token list: the table it names and how many
// tokens it takes, the closing "." included.
struct Qualificatore {
    int tabella = -1;
    int lunghezza = 0;
};

class TabelleIstruzione {
public:
    explicit TabelleIstruzione(Risolutore& risolutore) : risolutore_(risolutore) {}

    // Resolves the table and returns its index.
    int aggiungi(const QString& nome, const QString& alias, UsoTabella uso);
    int quante() const { return int(tabelle_.size()); }
    const TabellaCitata& tabella(int i) const { return tabelle_[i]; }
    bool bersaglio(int i) const { return usi_[i] != UsoTabella::Sorgente; }

    // The table whose alias, name as written, file name (no folder) or base
    // name (no folder, no ".db") equals `testo`, case-blind; aliases first.
    // -1 when none.
    int perNome(const QString& testo) const;
    // A qualifier starting at token i ("x"., 'x'., bare x. or TRATTE.DB.),
    // followed by a column or "*"; tabella = -1 when there is none.
    Qualificatore qualificatore(const QList<Token>& token, const QString& sorgente, int i) const;

    // Columns of table i, asked once of the Risolutore.
    const QStringList& colonne(int i);
    // True when some cited table has this column (case-blind).
    bool colonnaCitata(const QString& nome);

    // The tables with those indices first, in that order, then the others in
    // order of appearance.
    QList<TabellaCitata> inOrdine(const QList<int>& primi) const;

private:
    Qualificatore qualificatoreNudo(const QList<Token>& token, const QString& sorgente, int i) const;
    QString aliasGenerato(const QString& schema) const;
    const std::array<QString, 4>& nomiDi(int i) const { return nomi_[i]; }

    Risolutore& risolutore_;
    QList<TabellaCitata> tabelle_;
    // The names of each table, as nomiDi gives them: made once, as every
    // word of a statement is matched against them.
    QList<std::array<QString, 4>> nomi_;
    QList<UsoTabella> usi_;
    QHash<int, QStringList> colonne_;
};

} // namespace tabelle::sql
