#pragma once
// The rows of an open dataset: their keys, in order, and their values,
// read from storage a page at a time for the rows that are looked at.
// Record count and moves to a record number cost nothing more than the
// page they land on.
#include <QVariant>
#include <QVector>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sqlite3_stmt;

namespace tabelle {

class Istruzione;

// The row keys of a result, one per table of its FROM for each row. Kept
// in blocks rather than one array: a result of 20,000,000 rows takes its
// 160 MB and no more, where a growing array would need half as much again
// while it moves.
using ElencoChiavi = std::deque<qint64>;

// A row as storage hands it, before its values are made: what a search
// looks at to pass over the rows that cannot match. Columns are the
// fields' positions.
class RigaGrezza {
public:
    RigaGrezza(sqlite3_stmt* stmt, int primaColonna) : stmt_(stmt), prima_(primaColonna) {}
    bool Nulla(int campo) const;
    // Stored as text or bytes (not as a number).
    bool Testuale(int campo) const;
    // Stored as a whole number, and that number.
    bool Intera(int campo) const;
    qint64 Intero(int campo) const;
    // The stored text in UTF-8, or the number's text as storage writes it.
    std::string_view Testo(int campo) const;
    double Numero(int campo) const;

private:
    sqlite3_stmt* stmt_;
    int prima_;
};

class Cursore {
public:
    // `lettura` reads one row from its keys (":__k1", ":__k2" ...), one
    // column per field; `converti` turns a column value into the field's.
    // `intervallo`, for a result of one table, reads in one pass the rows
    // whose keys lie between ":__da" and ":__a", in key order, each led by
    // its key: a page of ascending keys close together is read with it.
    Cursore(std::unique_ptr<Istruzione> lettura, int tabelle, ElencoChiavi chiavi,
            std::function<QVariant(int, const QVariant&)> converti, std::unique_ptr<Istruzione> intervallo = nullptr);
    ~Cursore();

    int Conta() const { return int(chiavi_.size() / size_t(tabelle_)); }
    int Tabelle() const { return tabelle_; }
    // Key of the row in the first table (the one written back to).
    qint64 Chiave(int riga) const { return chiavi_[size_t(riga) * size_t(tabelle_)]; }
    std::vector<qint64> Chiavi(int riga) const;
    // Position of a row by its keys, -1 when not there; looks near `vicino` first.
    int Cerca(const std::vector<qint64>& chiavi, int vicino = 0) const;
    // Position of the first row whose key in the first table is `chiave`, -1 when none.
    int CercaChiave(qint64 chiave) const;
    // Position of a key in a result ordered by the first table's key.
    int PosizioneOrdinata(qint64 chiave) const;

    const QVector<QVariant>& Riga(int riga);

    // The sorted keys of the rows, out of a superset of this result's, for
    // which `prova` holds: read in key order in one pass of short read
    // transactions, without making the rows' values. None when the rows
    // cannot be read so (several tables, keys scattered over the table,
    // values held in memory); the caller then looks at every row.
    std::optional<std::vector<qint64>> ChiaviCandidate(const std::function<bool(const RigaGrezza&)>& prova);
    // The same pass for a result in the order of its keys, from row `riga`
    // forwards or backwards and no further than needed: each row that
    // `prova` lets through is handed, in order, to `accetta` until it
    // answers true. The position of that row, -1 when none; none when the
    // rows cannot be read so, as above, or are not in key order.
    std::optional<int> PrimaCandidata(const std::function<bool(const RigaGrezza&)>& prova, int riga, bool avanti,
                                      const std::function<bool(int)>& accetta);

    void Inserisci(int riga, const std::vector<qint64>& chiavi);
    void Rimuovi(int riga);
    // Values held in memory for a row (cached updates, rows not stored yet).
    void Sostituisci(int riga, const QVector<QVariant>& valori);
    void Memorizza(qint64 chiave, const QVector<QVariant>& valori);
    void DimenticaMemoria();
    void Ripristina(int riga);
    // Drops the values read for one row or for all, so they are read again.
    void Dimentica(int riga);
    void DimenticaTutto();

private:
    void LeggiPagina(int pagina);
    bool LeggiIntervallo(int inizio, int fine, std::vector<QVector<QVariant>>& righe);
    // Whether the pass over the keys' interval may stand for looking at each row.
    bool IntervalloLeggibile() const;
    // The keys from `da` to `a` for which `prova` holds, in one short read transaction.
    void CandidateTra(const std::function<bool(const RigaGrezza&)>& prova, qint64 da, qint64 a, std::vector<qint64>& trovate);
    void DimenticaDa(int riga);

    std::unique_ptr<Istruzione> lettura_;
    std::unique_ptr<Istruzione> intervallo_;
    int indiceDa_ = 0, indiceA_ = 0;
    int tabelle_;
    std::vector<int> indiciChiavi_;
    ElencoChiavi chiavi_;
    std::function<QVariant(int, const QVariant&)> converti_;
    std::unordered_map<int, std::vector<QVector<QVariant>>> pagine_;
    std::unordered_map<int, quint64> usoPagine_;
    int paginaRecente_ = -1;
    const std::vector<QVector<QVariant>>* righeRecenti_ = nullptr;
    quint64 orologio_ = 0;
    std::unordered_map<qint64, QVector<QVariant>> inMemoria_;
    QVector<QVariant> vuota_;
};

} // namespace tabelle
