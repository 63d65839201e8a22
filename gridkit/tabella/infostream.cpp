#include "gridkit/tabella/infostream.h"

#include "gridkit/tabella/bloccononome.h"

#include <QtEndian>
#include <limits>

namespace gridkit {

namespace {

const QString Firma = QStringLiteral("INFOSTREAM");
constexpr int LunghezzaFirma = 10;
constexpr qsizetype DimensioneIntero = 4;
constexpr qsizetype PosizioneConteggio = DimensioneBloccoNome;
constexpr qsizetype PosizioneNomi = PosizioneConteggio + DimensioneIntero;

bool ELatin1(const QString& testo)
{
    for (QChar c : testo)
        if (c.unicode() > 0xFF)
            return false;
    return true;
}

void AccodaIntero(QByteArray& destinazione, qint32 valore)
{
    char buffer[DimensioneIntero];
    qToLittleEndian(valore, buffer);
    destinazione.append(buffer, DimensioneIntero);
}

qint32 LeggiIntero(const QByteArray& dati, qsizetype posizione)
{
    return qFromLittleEndian<qint32>(dati.constData() + posizione);
}

} // namespace

QString MaiuscoloLatin1(const QString& testo)
{
    QString risultato = testo;
    for (QChar& c : risultato) {
        if (c.unicode() > 0xFF)
            continue;
        const QChar maiuscolo = c.toUpper();
        if (maiuscolo.unicode() <= 0xFF)
            c = maiuscolo;
    }
    return risultato;
}

bool TInfoStream::AddEntry(const QString& nome, const std::optional<QByteArray>& flusso)
{
    if (!flusso || flusso->isEmpty())
        return false;
    if (flusso->size() > std::numeric_limits<qint32>::max())
        return false;
    const QString chiave = MaiuscoloLatin1(nome.trimmed());
    if (chiave.isEmpty() || chiave.size() > LunghezzaMassimaNome || !ELatin1(chiave))
        return false;
    if (Trova(chiave))
        return false;
    voci_.push_back({chiave, *flusso});
    return true;
}

std::optional<QByteArray> TInfoStream::GetEntry(const QString& nome) const
{
    const QString chiave = MaiuscoloLatin1(nome.trimmed());
    if (chiave.isEmpty())
        return std::nullopt;
    if (const Voce* voce = Trova(chiave))
        return voce->dati;
    return std::nullopt;
}

bool TInfoStream::LoadFromStream(const std::optional<QByteArray>& flusso)
{
    Clear();
    errore_.clear();
    if (!flusso)
        return true;
    const QByteArray& dati = *flusso;

    auto rifiuta = [this](const QString& motivo) {
        voci_.clear();
        errore_ = motivo;
        return false;
    };

    const std::optional<QString> firma = LeggiBloccoNome(dati, 0);
    if (!firma || firma->trimmed() != Firma)
        return rifiuta(QStringLiteral("Firma INFOSTREAM mancante."));
    if (dati.size() < PosizioneNomi)
        return rifiuta(QStringLiteral("Flusso troncato: manca il numero delle voci."));

    const qint32 numero = LeggiIntero(dati, PosizioneConteggio);
    if (numero < 0)
        return rifiuta(QStringLiteral("Numero delle voci non valido: %1.").arg(numero));
    // Every entry needs its name block and its size: a count that the stream
    // cannot hold is refused before anything is reserved.
    const qsizetype disponibili = dati.size() - PosizioneNomi;
    if (numero > disponibili / (DimensioneBloccoNome + DimensioneIntero))
        return rifiuta(QStringLiteral("Flusso troncato: %1 voci annunciate.").arg(numero));

    std::vector<Voce> lette;
    lette.reserve(static_cast<size_t>(numero));
    for (qint32 i = 0; i < numero; ++i) {
        const QString nome = *LeggiBloccoNome(dati, PosizioneNomi + i * DimensioneBloccoNome);
        lette.push_back({MaiuscoloLatin1(nome.trimmed()), {}});
    }

    qsizetype posizione = PosizioneNomi + qsizetype(numero) * DimensioneBloccoNome;
    for (Voce& voce : lette) {
        if (dati.size() - posizione < DimensioneIntero)
            return rifiuta(QStringLiteral("Flusso troncato: manca la dimensione della voce %1.")
                               .arg(voce.nome));
        const qint32 dimensione = LeggiIntero(dati, posizione);
        posizione += DimensioneIntero;
        if (dimensione < 0)
            return rifiuta(QStringLiteral("Dimensione della voce %1 non valida: %2.")
                               .arg(voce.nome)
                               .arg(dimensione));
        if (dati.size() - posizione < dimensione)
            return rifiuta(QStringLiteral("Flusso troncato nella voce %1.").arg(voce.nome));
        voce.dati = dati.mid(posizione, dimensione);
        posizione += dimensione;
    }
    voci_ = std::move(lette);
    return true;
}

bool TInfoStream::SaveToStream(QByteArray& flusso) const
{
    QByteArray uscita = ScriviBloccoNome(Firma, LunghezzaFirma);
    AccodaIntero(uscita, static_cast<qint32>(voci_.size()));
    for (const Voce& voce : voci_)
        uscita.append(ScriviBloccoNome(voce.nome, CaratteriMassimiBlocco));
    for (const Voce& voce : voci_) {
        AccodaIntero(uscita, static_cast<qint32>(voce.dati.size()));
        uscita.append(voce.dati);
    }
    flusso = std::move(uscita);
    return true;
}

void TInfoStream::Clear()
{
    voci_.clear();
}

QStringList TInfoStream::Nomi() const
{
    QStringList nomi;
    nomi.reserve(Count());
    for (const Voce& voce : voci_)
        nomi.append(voce.nome);
    return nomi;
}

const TInfoStream::Voce* TInfoStream::Trova(const QString& nomeMaiuscolo) const
{
    for (const Voce& voce : voci_)
        if (voce.nome == nomeMaiuscolo)
            return &voce;
    return nullptr;
}

} // namespace gridkit
