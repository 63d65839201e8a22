#include "generatore_dis.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <vector>

namespace banco {
namespace {

// --- Numbers from the seed -------------------------------------------------
// Our own generator and mixing, so that the same seed gives the same files
// with any compiler and standard library.

quint64 Mescola(quint64 x)
{
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

quint64 Mescola(quint64 a, quint64 b) { return Mescola(a ^ Mescola(b)); }

class Casuale {
public:
    explicit Casuale(quint64 seme) : stato_(Mescola(seme)) {}
    quint64 Prossimo() { return Mescola(stato_++); }
    // Uniform in [da, a].
    qint64 Tra(qint64 da, qint64 a) { return da + qint64(Prossimo() % quint64(a - da + 1)); }
    // True `percento` times in a hundred.
    bool Percento(int percento) { return Tra(0, 99) < percento; }

private:
    quint64 stato_;
};

// --- The territory ---------------------------------------------------------

constexpr qint64 LatoFoglio = 800000; // a sheet is a square of 800 m, in millimetres
constexpr qint64 DistanzaMinima = 5000, DistanzaMassima = 1500000;

struct Comune {
    QByteArray codice;  // 4 characters
    int fogli = 0;      // sheets 1..fogli in each section
    int larghezza = 1;  // sheets in a row of the comune's map
    int sezioni = 0;    // 0: no sections; else sections "A".. of the comune
    qint64 righe = 0;   // rows of the series in this comune
};

struct Punto {
    int comune = 0; // index in the comuni
    char sezione = ' ';
    int foglio = 1;
    char allegato = ' ';
    int numero = 1;
    qint64 x = 0, y = 0; // position in millimetres on the comune's map

    bool operator==(const Punto& p) const
    {
        return comune == p.comune && sezione == p.sezione && foglio == p.foglio && allegato == p.allegato && numero == p.numero;
    }
};

qint64 Distanza(const Punto& a, const Punto& b)
{
    const double dx = double(a.x - b.x), dy = double(a.y - b.y);
    return qint64(std::llround(std::sqrt(dx * dx + dy * dy)));
}

// --- The lines -------------------------------------------------------------

constexpr int LunghezzaRiga = 75; // without CR LF

// Writes `valore` right-aligned in columns [da, a] (counted from 1), with
// zeros on the left when `zeri`.
void Intero(char* riga, int da, int a, qint64 valore, bool zeri)
{
    for (int c = a; c >= da; --c) {
        if (valore == 0 && c != a && !zeri)
            break;
        riga[c - 1] = char('0' + valore % 10);
        valore /= 10;
    }
}

// Millimetres as metres with three decimals, right-aligned in [da, a].
void Metri(char* riga, int da, int a, qint64 millimetri)
{
    Intero(riga, a - 2, a, millimetri % 1000, true);
    riga[a - 4] = '.';
    Intero(riga, da, a - 4, millimetri / 1000, false);
}

void Punto1o2(char* riga, int primaColonna, const Punto& p, const Comune& c)
{
    std::memcpy(riga + primaColonna - 1, c.codice.constData(), 4);
    riga[primaColonna + 3] = p.sezione;
    Intero(riga, primaColonna + 6, primaColonna + 9, p.foglio, true);
    riga[primaColonna + 10] = p.allegato;
    Intero(riga, primaColonna + 15, primaColonna + 16, p.numero, true);
}

// The lines of a series, one after the other: comune by comune, survey by
// survey. Holds only the survey being written.
class TGeneratoreRighe {
public:
    TGeneratoreRighe(const SerieDis& serie, const QStringList& comuni)
        : sigla_(serie.sigla.toUpper().toLatin1()), seme_(serie.seme), caso_(Mescola(serie.seme, 0x646973ULL))
    {
        const int anno = serie.anno >= 70 ? 1900 + serie.anno : 2000 + serie.anno;
        for (int a = anno - 14; a <= anno; ++a)
            contatori_[a] = 0;
        for (auto& [a, contatore] : contatori_)
            contatore = caso_.Tra(1, 3000);

        qint64 pesoTotale = 0;
        std::vector<qint64> pesi;
        for (const QString& codice : comuni) {
            Comune c;
            c.codice = codice.toLatin1();
            const quint64 h = Mescola(seme_, Mescola(quint64(qFromUnaligned<quint32>(c.codice.constData()))));
            c.fogli = 10 + int(h % 71);
            c.larghezza = std::max(1, int(std::ceil(std::sqrt(double(c.fogli)))));
            c.sezioni = (h >> 20) % 8 == 0 ? 2 + int((h >> 24) % 2) : 0;
            comuni_.push_back(c);
            pesi.push_back(100 + qint64((h >> 32) % 400));
            pesoTotale += pesi.back();
        }
        const qsizetype capoluogo = comuni.indexOf(serie.capoluogo);
        if (capoluogo >= 0 && serie.capoluogoPerMille > 0 && serie.capoluogoPerMille < 1000) {
            const qint64 altri = pesoTotale - pesi[capoluogo];
            pesi[capoluogo] = std::max<qint64>(1, altri * serie.capoluogoPerMille / (1000 - serie.capoluogoPerMille));
            pesoTotale = altri + pesi[capoluogo];
        }
        // Rows in proportion to the comuni's weights; what the rounding
        // leaves goes to the first comuni.
        qint64 assegnate = 0;
        for (size_t i = 0; i < comuni_.size(); ++i) {
            comuni_[i].righe = serie.righe / pesoTotale * pesi[i] + serie.righe % pesoTotale * pesi[i] / pesoTotale;
            assegnate += comuni_[i].righe;
        }
        for (size_t i = 0; assegnate < serie.righe; i = (i + 1) % comuni_.size(), ++assegnate)
            ++comuni_[i].righe;
    }

    // Fills the 75 columns of the next line.
    void Prossima(char* riga)
    {
        while (prossimaDelRilievo_ >= rilievo_.size())
            NuovoRilievo();
        const auto& [a, b] = rilievo_[prossimaDelRilievo_++];
        std::memset(riga, ' ', LunghezzaRiga);
        Punto1o2(riga, 1, punti_[a], comuni_[punti_[a].comune]);
        Punto1o2(riga, 19, punti_[b], comuni_[punti_[b].comune]);
        std::memcpy(riga + 36, protocollo_, 13);
        const qint64 vera = Distanza(punti_[a], punti_[b]);
        const qint64 scarto = std::min<qint64>(150, 1 + vera / 20000 + caso_.Tra(0, 39));
        const qint64 misura = std::clamp(vera + caso_.Tra(-scarto, scarto), DistanzaMinima, DistanzaMassima);
        Metri(riga, 51, 62, misura);
        Metri(riga, 64, 75, scarto);
        --comuni_[comune_].righe;
    }

private:
    Punto PuntoIn(int comune, char sezione, int foglio)
    {
        const Comune& c = comuni_[comune];
        Punto p;
        p.comune = comune;
        p.sezione = sezione;
        p.foglio = std::clamp(foglio, 1, c.fogli);
        const int r = caso_.Tra(0, 99);
        p.allegato = r < 6 ? 'A' : r < 8 ? 'B' : ' ';
        p.numero = int(caso_.Tra(1, 99));
        // The point's place depends on the point alone: every survey that
        // measures it finds it in the same place.
        const int s = sezione == ' ' ? 0 : sezione - 'A';
        const quint64 h = Mescola(Mescola(seme_, quint64(qFromUnaligned<quint32>(c.codice.constData()))),
                                  quint64(s) << 40 | quint64(p.foglio) << 16 | quint64(uchar(p.allegato)) << 8 | quint64(p.numero));
        p.x = (qint64(s) * (c.larghezza + 1) + (p.foglio - 1) % c.larghezza) * LatoFoglio + qint64(h % LatoFoglio);
        p.y = qint64((p.foglio - 1) / c.larghezza) * LatoFoglio + qint64((h >> 32) % LatoFoglio);
        return p;
    }

    char SezioneDi(int comune) { return comuni_[comune].sezioni ? char('A' + caso_.Tra(0, comuni_[comune].sezioni - 1)) : ' '; }

    bool Misurabile(const Punto& a, const Punto& b) const
    {
        const qint64 d = Distanza(a, b);
        return d >= DistanzaMinima && d <= DistanzaMassima;
    }

    // A survey of the current comune: a few points of one sheet and its
    // neighbours, sometimes one across the border, and the distances
    // measured among them.
    void NuovoRilievo()
    {
        while (comuni_[comune_].righe == 0)
            ++comune_;
        const Comune& c = comuni_[comune_];
        const char sezione = SezioneDi(comune_);
        const int foglio = int(caso_.Tra(1, c.fogli));
        punti_.clear();
        punti_.push_back(PuntoIn(comune_, sezione, foglio));
        const int quanti = int(caso_.Tra(3, 5));
        for (int tentativo = 0; int(punti_.size()) < quanti && tentativo < 40; ++tentativo) {
            Punto p;
            const int tipo = caso_.Tra(0, 99);
            if (tipo < 70) {
                p = PuntoIn(comune_, sezione, foglio);
            } else if (tipo < 95 || comuni_.size() == 1) {
                const int passi[] = {-1, 1, -c.larghezza, c.larghezza};
                p = PuntoIn(comune_, sezione, foglio + passi[caso_.Tra(0, 3)]);
            } else {
                // A point of the next or previous comune, near the border.
                int vicino = comune_ + (caso_.Tra(0, 1) ? 1 : -1);
                if (vicino < 0 || vicino >= int(comuni_.size()))
                    vicino = comune_ == 0 ? 1 : comune_ - 1;
                p = PuntoIn(vicino, SezioneDi(vicino), int(caso_.Tra(1, comuni_[vicino].fogli)));
                p.x = punti_[0].x + caso_.Tra(-900000, 900000);
                p.y = punti_[0].y + caso_.Tra(-900000, 900000);
            }
            if (std::find(punti_.begin(), punti_.end(), p) == punti_.end() && Misurabile(p, punti_[0]))
                punti_.push_back(p);
        }
        if (punti_.size() < 2) {
            // Nothing measurable found around the first point (hardly ever):
            // one point at a fixed distance on the same sheet.
            Punto p = punti_[0];
            p.numero = p.numero % 99 + 1;
            p.x += 100000;
            punti_.push_back(p);
        }

        rilievo_.clear();
        prossimaDelRilievo_ = 0;
        for (size_t i = 0; i < punti_.size(); ++i)
            for (size_t j = i + 1; j < punti_.size(); ++j) {
                const bool iQui = punti_[i].comune == comune_, jQui = punti_[j].comune == comune_;
                if (!iQui && !jQui)
                    continue;
                if (!Misurabile(punti_[i], punti_[j]) || (!rilievo_.empty() && caso_.Percento(20)))
                    continue;
                const bool inverti = !iQui || (jQui && caso_.Percento(50));
                rilievo_.push_back(inverti ? std::pair{j, i} : std::pair{i, j});
            }
        if (qint64(rilievo_.size()) > c.righe)
            rilievo_.resize(size_t(c.righe));

        // The protocol: province, year of the survey, the office's number.
        auto anno = contatori_.begin();
        std::advance(anno, caso_.Tra(0, qint64(contatori_.size()) - 1));
        anno->second += caso_.Tra(1, 8);
        if (anno->second > 9999999)
            throw EGenerazioneDis(QStringLiteral("Troppe righe: i protocolli del %1 sono finiti.").arg(anno->first));
        const QByteArray testo = sigla_ + QByteArray::number(anno->first) + QByteArray::number(anno->second).rightJustified(7, '0');
        std::memcpy(protocollo_, testo.constData(), 13);
    }

    QByteArray sigla_;
    quint64 seme_;
    Casuale caso_;
    std::vector<Comune> comuni_;
    std::map<int, qint64> contatori_; // year -> last protocol number
    int comune_ = 0;
    std::vector<Punto> punti_;
    std::vector<std::pair<size_t, size_t>> rilievo_;
    size_t prossimaDelRilievo_ = 0;
    char protocollo_[13] = {};
};

bool Lettera(QChar c) { return c >= 'A' && c <= 'Z'; }

// The checked comune codes, upper case, without repeats, in code order.
QStringList ComuniControllati(const QStringList& comuni)
{
    QStringList codici;
    for (const QString& comune : comuni) {
        const QString codice = comune.trimmed().toUpper();
        bool valido = codice.size() == 4;
        for (QChar c : codice)
            valido = valido && c.unicode() > ' ' && c.unicode() < 127 && c != ';';
        if (!valido)
            throw EGenerazioneDis(QStringLiteral("Codice di comune non valido: \"%1\" (servono 4 caratteri).").arg(comune));
        codici << codice;
    }
    codici.sort();
    codici.removeDuplicates();
    return codici;
}

void Controlla(const SerieDis& s)
{
    const QString sigla = s.sigla.toUpper();
    if (sigla.size() != 2 || !Lettera(sigla[0]) || !Lettera(sigla[1]))
        throw EGenerazioneDis(QStringLiteral("Sigla di provincia non valida: \"%1\" (servono 2 lettere).").arg(s.sigla));
    if (s.mese < 1 || s.mese > 12)
        throw EGenerazioneDis(QStringLiteral("Mese di distribuzione non valido: %1 (da 1 a 12).").arg(s.mese));
    if (s.anno < 0 || s.anno > 99)
        throw EGenerazioneDis(QStringLiteral("Anno di distribuzione non valido: %1 (due cifre, da 0 a 99).").arg(s.anno));
    if (s.file < 1 || s.file > 99)
        throw EGenerazioneDis(QStringLiteral("Numero di file non valido: %1 (da 1 a 99).").arg(s.file));
    if (s.righe < 0)
        throw EGenerazioneDis(QStringLiteral("Numero di righe non valido: %1.").arg(s.righe));
    if (s.comuni.isEmpty())
        throw EGenerazioneDis(QStringLiteral("Nessun comune per la provincia %1.").arg(sigla));
}

} // namespace

QString NomeFileDis(const SerieDis& serie, int numero)
{
    return QStringLiteral("%1%2%3%4.dis")
        .arg(serie.sigla.toLower())
        .arg(serie.mese, 2, 10, QChar('0'))
        .arg(serie.anno, 2, 10, QChar('0'))
        .arg(numero, 2, 10, QChar('0'));
}

QStringList GeneraSerie(const QString& cartella, const SerieDis& serie)
{
    Controlla(serie);
    TGeneratoreRighe generatore(serie, ComuniControllati(serie.comuni));
    if (!QDir().mkpath(cartella))
        throw EGenerazioneDis(QStringLiteral("Impossibile creare la cartella %1.").arg(QDir::toNativeSeparators(cartella)));

    QStringList scritti;
    constexpr qsizetype Blocco = 1 << 20;
    QByteArray buffer(Blocco + LunghezzaRiga + 2, Qt::Uninitialized);
    for (int n = 1; n <= serie.file; ++n) {
        const QString percorso = QDir(cartella).filePath(NomeFileDis(serie, n));
        QSaveFile file(percorso);
        if (!file.open(QIODevice::WriteOnly))
            throw EGenerazioneDis(QStringLiteral("Impossibile scrivere %1: %2").arg(QDir::toNativeSeparators(percorso), file.errorString()));
        const qint64 righe = serie.righe / serie.file + (n <= serie.righe % serie.file ? 1 : 0);
        qsizetype usati = 0;
        for (qint64 r = 0; r < righe; ++r) {
            char* riga = buffer.data() + usati;
            generatore.Prossima(riga);
            riga[LunghezzaRiga] = '\r';
            riga[LunghezzaRiga + 1] = '\n';
            usati += LunghezzaRiga + 2;
            if (usati >= Blocco || r + 1 == righe) {
                if (file.write(buffer.constData(), usati) != usati)
                    break;
                usati = 0;
            }
        }
        if (!file.commit())
            throw EGenerazioneDis(QStringLiteral("Impossibile scrivere %1: %2").arg(QDir::toNativeSeparators(percorso), file.errorString()));
        scritti << percorso;
    }
    return scritti;
}

QStringList ComuniDellaProvincia(const QString& cartellaCsv, const QString& sigla)
{
    const QString percorso = QDir(cartellaCsv).filePath(QStringLiteral("comuni.csv"));
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw EGenerazioneDis(QStringLiteral("Impossibile leggere %1: %2").arg(QDir::toNativeSeparators(percorso), file.errorString()));
    QString intestazione = QString::fromUtf8(file.readLine()).trimmed();
    if (intestazione.startsWith(QChar(0xfeff)))
        intestazione.remove(0, 1);
    const QStringList colonne = intestazione.split(';');
    const qsizetype colonnaProvincia = colonne.indexOf(QStringLiteral("Provincia"));
    const qsizetype colonnaCodice = colonne.indexOf(QStringLiteral("CodiceFiscale"));
    if (colonnaProvincia < 0 || colonnaCodice < 0)
        throw EGenerazioneDis(QStringLiteral("%1: mancano le colonne Provincia e CodiceFiscale.").arg(QDir::toNativeSeparators(percorso)));

    const QString cercata = sigla.trimmed().toUpper();
    QStringList codici;
    while (!file.atEnd()) {
        const QStringList campi = QString::fromUtf8(file.readLine()).trimmed().split(';');
        if (campi.size() > std::max(colonnaProvincia, colonnaCodice) && campi[colonnaProvincia].trimmed() == cercata)
            codici << campi[colonnaCodice].trimmed();
    }
    codici.sort();
    codici.removeDuplicates();
    return codici;
}

} // namespace banco
