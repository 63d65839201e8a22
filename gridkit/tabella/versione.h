#pragma once
// TVersioneTabella: the version record of an enhanced table, stored as the
// 186-byte entry "VERSIONE" of its TInfoStream. Six short strings (a length
// byte, the Latin-1 characters, the rest of the slot zero):
//   offset   0, 51 bytes: versione (at most 50 characters)
//   offset  51, 51 bytes: applicazione (50)
//   offset 102, 123, 144, 21 bytes each: riservato1..3 (20), written empty
//   offset 165, 21 bytes: dataCreazione (20)
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <optional>

namespace gridkit {

class TVersioneTabella {
public:
    static constexpr qsizetype Dimensione = 186;
    static constexpr int MassimoVersione = 50;
    static constexpr int MassimoApplicazione = 50;
    static constexpr int MassimoCorto = 20;

    // A new record is already reset (see Azzera).
    TVersioneTabella() { Azzera(); }

    // The state before a table is read: "Versione Sconosciuta",
    // "Applicazione Sconosciuta" and four empty strings.
    void Azzera();

    // The record written when a table is created: empty values become
    // "Versione sconosciuta", "Applicazione sconosciuta" and `adesso` as
    // dd/MM/yyyy hh:mm:ss; every value is cut to its slot.
    static TVersioneTabella PerCreazione(const QString& versione, const QString& applicazione,
                                         const QString& dataCreazione, const QDateTime& adesso);

    // The 186 stored bytes; values longer than their slot are cut, characters
    // outside Latin-1 become '?'.
    QByteArray Bytes() const;
    // Reads a stored record; nothing unless `dati` is exactly 186 bytes. A
    // length byte larger than its slot is clamped to the slot.
    static std::optional<TVersioneTabella> DaBytes(const QByteArray& dati);

    bool operator==(const TVersioneTabella&) const = default;

    QString versione;
    QString applicazione;
    QString riservato1;
    QString riservato2;
    QString riservato3;
    QString dataCreazione;
};

} // namespace gridkit
