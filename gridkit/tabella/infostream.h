#pragma once
// TInfoStream: the small container of named byte streams kept in the header
// row of an enhanced table (field Info). In memory an ordered list of
// (name, bytes) pairs; stored as a little-endian block that begins with the
// signature "INFOSTREAM".
//
// A "missing" stream is std::nullopt; an empty QByteArray is a stream that is
// present but holds no bytes. Names are Latin-1, at most 20 characters, kept
// trimmed and in upper case, unique; every lookup is by the upper-case trimmed
// name.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace gridkit {

class TInfoStream {
public:
    // Stores a copy of `flusso` under the upper-case trimmed `nome`.
    // False, storing nothing, when the stream is missing or empty, the name is
    // empty, longer than 20 characters or not Latin-1, the name already
    // exists, or the stream is larger than the stored format can describe.
    bool AddEntry(const QString& nome, const std::optional<QByteArray>& flusso);

    // A copy of the entry's bytes; nothing when the name is empty or unknown.
    std::optional<QByteArray> GetEntry(const QString& nome) const;

    // Empties the container, then reads `flusso` from position 0.
    // A missing stream: true, container empty.
    // Any malformed stream (no signature, negative or impossible count,
    // negative size, data shorter than announced): false, container empty,
    // ErroreCaricamento() says why. Nothing is allocated beyond the bytes the
    // stream really holds. Bytes after the last entry are ignored. Names read
    // are trimmed and upper-cased; should a foreign stream hold a name twice,
    // both entries are kept (and saved again) and lookups find the first.
    bool LoadFromStream(const std::optional<QByteArray>& flusso);

    // Replaces the whole content of `flusso` with the stored format; true.
    bool SaveToStream(QByteArray& flusso) const;

    void Clear();

    int Count() const { return static_cast<int>(voci_.size()); }
    // Entry names in entry order.
    QStringList Nomi() const;
    // Why the last LoadFromStream returned false; empty after a success.
    const QString& ErroreCaricamento() const { return errore_; }

private:
    struct Voce {
        QString nome;
        QByteArray dati;
    };
    const Voce* Trova(const QString& nomeMaiuscolo) const;

    std::vector<Voce> voci_;
    QString errore_;
};

// Upper case that stays inside Latin-1: a character whose upper case falls
// outside it (ÿ, µ) or is more than one character (ß) is kept as it is.
QString MaiuscoloLatin1(const QString& testo);

} // namespace gridkit
