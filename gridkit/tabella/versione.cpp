#include "gridkit/tabella/versione.h"

#include <algorithm>
#include <array>

namespace gridkit {

namespace {

// One short-string slot of the record: where it starts and how many
// characters it holds (the slot is one byte longer, for the length).
struct Casella {
    qsizetype posizione;
    int massimo;
};

constexpr std::array<Casella, 6> Caselle{{
    {0, TVersioneTabella::MassimoVersione},
    {51, TVersioneTabella::MassimoApplicazione},
    {102, TVersioneTabella::MassimoCorto},
    {123, TVersioneTabella::MassimoCorto},
    {144, TVersioneTabella::MassimoCorto},
    {165, TVersioneTabella::MassimoCorto},
}};

void ScriviCasella(QByteArray& record, Casella casella, const QString& valore)
{
    const QByteArray caratteri = valore.left(casella.massimo).toLatin1();
    record[casella.posizione] = static_cast<char>(caratteri.size());
    std::copy(caratteri.begin(), caratteri.end(), record.begin() + casella.posizione + 1);
}

QString LeggiCasella(const QByteArray& record, Casella casella)
{
    const qsizetype lunghezza = std::min<qsizetype>(
        static_cast<unsigned char>(record[casella.posizione]), casella.massimo);
    return QString::fromLatin1(record.constData() + casella.posizione + 1, lunghezza);
}

} // namespace

void TVersioneTabella::Azzera()
{
    versione = QStringLiteral("Versione Sconosciuta");
    applicazione = QStringLiteral("Applicazione Sconosciuta");
    riservato1.clear();
    riservato2.clear();
    riservato3.clear();
    dataCreazione.clear();
}

TVersioneTabella TVersioneTabella::PerCreazione(const QString& versione,
                                                const QString& applicazione,
                                                const QString& dataCreazione,
                                                const QDateTime& adesso)
{
    TVersioneTabella r;
    r.versione = versione.isEmpty() ? QStringLiteral("Versione sconosciuta")
                                    : versione.left(MassimoVersione);
    r.applicazione = applicazione.isEmpty() ? QStringLiteral("Applicazione sconosciuta")
                                            : applicazione.left(MassimoApplicazione);
    r.riservato1.clear();
    r.riservato2.clear();
    r.riservato3.clear();
    const QString data = dataCreazione.isEmpty()
                             ? adesso.toString(QStringLiteral("dd/MM/yyyy hh:mm:ss"))
                             : dataCreazione;
    r.dataCreazione = data.left(MassimoCorto);
    return r;
}

QByteArray TVersioneTabella::Bytes() const
{
    QByteArray record(Dimensione, '\0');
    const std::array<const QString*, 6> valori{&versione,   &applicazione, &riservato1,
                                               &riservato2, &riservato3,   &dataCreazione};
    for (size_t i = 0; i < Caselle.size(); ++i)
        ScriviCasella(record, Caselle[i], *valori[i]);
    return record;
}

std::optional<TVersioneTabella> TVersioneTabella::DaBytes(const QByteArray& dati)
{
    if (dati.size() != Dimensione)
        return std::nullopt;
    TVersioneTabella r;
    const std::array<QString*, 6> valori{&r.versione,   &r.applicazione, &r.riservato1,
                                         &r.riservato2, &r.riservato3,   &r.dataCreazione};
    for (size_t i = 0; i < Caselle.size(); ++i)
        *valori[i] = LeggiCasella(dati, Caselle[i]);
    return r;
}

} // namespace gridkit
