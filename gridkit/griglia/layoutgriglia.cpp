#include "gridkit/griglia/layoutgriglia.h"

#include <QStringDecoder>
#include <QtEndian>

namespace gridkit {

namespace {

const QByteArray Firma = QByteArrayLiteral("TRLG");
constexpr quint16 Versione = 1;
// Two text lengths, width, visibility, alignment: the least a column takes.
constexpr qsizetype MinimoPerColonna = 4 + 4 + 4 + 1 + 4;

template <typename T>
void Accoda(QByteArray& destinazione, T valore)
{
    char buffer[sizeof(T)];
    qToLittleEndian(valore, buffer);
    destinazione.append(buffer, sizeof(T));
}

void AccodaTesto(QByteArray& destinazione, const QString& testo)
{
    const QByteArray utf8 = testo.toUtf8();
    Accoda<quint32>(destinazione, static_cast<quint32>(utf8.size()));
    destinazione.append(utf8);
}

// Reads the stream from the start; after the first short or malformed read
// every further read fails too.
class Lettore {
public:
    explicit Lettore(const QByteArray& dati) : dati_(dati) {}

    bool Valido() const { return valido_; }
    qsizetype Restanti() const { return dati_.size() - posizione_; }

    QByteArray Byte(qsizetype quanti)
    {
        if (!valido_ || quanti < 0 || quanti > Restanti()) {
            valido_ = false;
            return {};
        }
        const QByteArray parte = dati_.mid(posizione_, quanti);
        posizione_ += quanti;
        return parte;
    }

    template <typename T>
    T Intero()
    {
        const QByteArray parte = Byte(sizeof(T));
        return valido_ ? qFromLittleEndian<T>(parte.constData()) : T{};
    }

    QString Testo()
    {
        const quint32 lunghezza = Intero<quint32>();
        const QByteArray utf8 = Byte(lunghezza);
        QStringDecoder decodifica(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QString testo = decodifica(utf8);
        if (decodifica.hasError())
            valido_ = false;
        return testo;
    }

private:
    const QByteArray& dati_;
    qsizetype posizione_ = 0;
    bool valido_ = true;
};

} // namespace

QByteArray SerializzaLayout(const QList<DescrizioneColonna>& colonne)
{
    QByteArray flusso = Firma;
    Accoda<quint16>(flusso, Versione);
    Accoda<quint32>(flusso, static_cast<quint32>(colonne.size()));
    for (const DescrizioneColonna& colonna : colonne) {
        AccodaTesto(flusso, colonna.campo);
        AccodaTesto(flusso, colonna.titolo);
        Accoda<qint32>(flusso, colonna.larghezza);
        Accoda<quint8>(flusso, colonna.visibile ? 1 : 0);
        Accoda<qint32>(flusso, colonna.allineamento);
    }
    return flusso;
}

std::optional<QList<DescrizioneColonna>> DeserializzaLayout(const QByteArray& flusso)
{
    Lettore lettore(flusso);
    if (lettore.Byte(Firma.size()) != Firma || lettore.Intero<quint16>() != Versione)
        return std::nullopt;
    const quint32 conteggio = lettore.Intero<quint32>();
    // A count the remaining bytes cannot hold is refused before allocating.
    if (!lettore.Valido() || conteggio > static_cast<quint64>(lettore.Restanti() / MinimoPerColonna))
        return std::nullopt;
    QList<DescrizioneColonna> colonne;
    colonne.reserve(conteggio);
    for (quint32 i = 0; i < conteggio; ++i) {
        DescrizioneColonna colonna;
        colonna.campo = lettore.Testo();
        colonna.titolo = lettore.Testo();
        colonna.larghezza = lettore.Intero<qint32>();
        const quint8 visibile = lettore.Intero<quint8>();
        colonna.allineamento = lettore.Intero<qint32>();
        if (!lettore.Valido() || visibile > 1 || colonna.larghezza < 0)
            return std::nullopt;
        colonna.visibile = visibile == 1;
        colonne.append(colonna);
    }
    if (lettore.Restanti() != 0)
        return std::nullopt;
    return colonne;
}

} // namespace gridkit
