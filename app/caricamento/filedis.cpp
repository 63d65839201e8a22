#include "app/caricamento/filedis.h"

#include <QFileInfo>
#include <QLocale>
#include <charconv>
#include <cstring>

namespace tratte {

namespace {

constexpr qint64 Blocco = 1 << 20;

QString NomeSenzaCartella(const QString& nome) { return QFileInfo(QString(nome).replace('\\', '/')).fileName(); }

// The column as the line gives it: shorter, or empty, when the line ends
// before it.
QByteArrayView Colonna(QByteArrayView riga, int inizio, int larghezza)
{
    const qsizetype da = inizio - 1;
    if (da >= riga.size())
        return {};
    return riga.sliced(da, qMin<qsizetype>(larghezza, riga.size() - da));
}

// An alpha column in UTF-8: as it is when it is all ASCII (nearly every
// column), else converted into `appoggio`.
RigaDis::Testo Alfa(QByteArrayView riga, int inizio, int larghezza, QByteArray& appoggio)
{
    const QByteArrayView c = Colonna(riga, inizio, larghezza);
    for (const char b : c) {
        if (static_cast<unsigned char>(b) >= 0x80) {
            appoggio = DecodificaWindows1252(c).toUtf8();
            return {appoggio.constData(), int(appoggio.size())};
        }
    }
    return {c.data(), int(c.size())};
}

bool Cifra(char c) { return c >= '0' && c <= '9'; }

// A decimal integer with blanks before it and an optional sign.
std::optional<qint64> Intero(QByteArrayView testo)
{
    qsizetype i = 0;
    while (i < testo.size() && testo[i] == ' ')
        ++i;
    bool negativo = false;
    if (i < testo.size() && (testo[i] == '+' || testo[i] == '-'))
        negativo = testo[i++] == '-';
    if (i == testo.size())
        return std::nullopt;
    qint64 valore = 0;
    for (; i < testo.size(); ++i) {
        if (!Cifra(testo[i]) || valore > (Q_INT64_C(1) << 53))
            return std::nullopt;
        valore = valore * 10 + (testo[i] - '0');
    }
    return negativo ? -valore : valore;
}

// A decimal number with "." as separator and blanks around it.
std::optional<double> Reale(QByteArrayView testo)
{
    qsizetype a = 0, b = testo.size();
    while (a < b && uchar(testo[a]) <= ' ')
        ++a;
    while (b > a && uchar(testo[b - 1]) <= ' ')
        --b;
    const QByteArrayView t = testo.sliced(a, b - a);
    qsizetype i = 0;
    bool negativo = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        negativo = t[i++] == '-';
    const qsizetype corpo = i;
    int cifre = 0;
    while (i < t.size() && Cifra(t[i]))
        ++i, ++cifre;
    if (i < t.size() && t[i] == '.')
        for (++i; i < t.size() && Cifra(t[i]); ++i)
            ++cifre;
    if (cifre == 0)
        return std::nullopt;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        const qsizetype esponente = i;
        while (i < t.size() && Cifra(t[i]))
            ++i;
        if (i == esponente)
            return std::nullopt;
    }
    if (i != t.size())
        return std::nullopt;
    // from_chars takes no "+" and reads "." whatever the locale.
    QByteArray numero = t.sliced(corpo).toByteArray();
    if (numero.startsWith('.'))
        numero.prepend('0');
    double valore = 0;
    const auto [fine, esito] = std::from_chars(numero.constData(), numero.constData() + numero.size(), valore);
    if (esito != std::errc() || fine != numero.constData() + numero.size())
        return std::nullopt;
    return negativo ? -valore : valore;
}

[[noreturn]] void ErroreCampo(const QString& nomeFile, qint64 numeroRiga, const char* campo, QByteArrayView testo, const char* atteso)
{
    throw EErroreFileDis(QStringLiteral("Errore nel file \"%1\", riga %2, campo %3: '%4' non è %5.")
                             .arg(nomeFile)
                             .arg(numeroRiga)
                             .arg(QLatin1String(campo), DecodificaWindows1252(testo), QLatin1String(atteso)));
}

// A number column: empty when the line does not reach it, else what
// `leggi` makes of its text, or the field's conversion error.
template <typename T>
std::optional<T> CampoNumerico(std::optional<T> (*leggi)(QByteArrayView), const char* atteso, QByteArrayView riga, int inizio,
                               int larghezza, const char* campo, const QString& nomeFile, qint64 numeroRiga)
{
    const QByteArrayView testo = Colonna(riga, inizio, larghezza);
    if (testo.isEmpty())
        return std::nullopt;
    const auto valore = leggi(testo);
    if (!valore)
        ErroreCampo(nomeFile, numeroRiga, campo, testo, atteso);
    return valore;
}

std::optional<qint64> CampoIntero(QByteArrayView riga, int inizio, int larghezza, const char* campo, const QString& nomeFile,
                                  qint64 numeroRiga)
{
    return CampoNumerico(&Intero, "un numero intero valido", riga, inizio, larghezza, campo, nomeFile, numeroRiga);
}

std::optional<double> CampoReale(QByteArrayView riga, int inizio, int larghezza, const char* campo, const QString& nomeFile,
                                 qint64 numeroRiga)
{
    return CampoNumerico(&Reale, "un numero valido (con il punto come separatore decimale)", riga, inizio, larghezza, campo, nomeFile,
                         numeroRiga);
}

} // namespace

QChar SeparatoreData()
{
    for (const QChar c : QLocale::system().dateFormat(QLocale::ShortFormat))
        if (!c.isLetter() && !c.isSpace() && c != '\'')
            return c;
    return QLatin1Char('/');
}

NomeFileDis LeggiNomeFileDis(const QString& nomeFile, QChar separatore)
{
    const QString nome = NomeSenzaCartella(nomeFile);
    const int punto = nome.lastIndexOf('.');
    const QString base = punto >= 0 ? nome.left(punto) : nome;
    if (base.size() < 8)
        throw EErroreFileDis(QStringLiteral("Il nome del file \"%1\" non è quello di un file di tratte: il nome deve avere otto "
                                            "caratteri prima dell'estensione (sigla della provincia, mese, anno e numero del "
                                            "file), come \"rm099901.dis\".")
                                 .arg(nome));
    const auto numero = Intero(base.mid(6, 2).toLatin1());
    if (!numero)
        throw EErroreFileDis(QStringLiteral("Il nome del file \"%1\" non è quello di un file di tratte: i caratteri 7 e 8 "
                                            "(\"%2\") devono dare il numero del file nella serie.")
                                 .arg(nome, base.mid(6, 2)));
    NomeFileDis n;
    n.Provincia = base.left(2).toUpper();
    for (const QChar c : n.Provincia)
        if (!(c >= 'A' && c <= 'Z') && !(c >= '0' && c <= '9'))
            throw EErroreFileDis(QStringLiteral("Il nome del file \"%1\" non è quello di un file di tratte: i primi due caratteri "
                                                "devono dare la sigla della provincia.")
                                     .arg(nome));
    n.DataDistribuzione = base.mid(4, 2) + separatore + base.mid(2, 2);
    n.Numero = int(*numero);
    return n;
}

bool LeggiNomeFile(const QString& nomeFile, QString& codice, int& numero, QString& dataDistribuzione)
{
    const QString precedente = codice.toUpper();
    const NomeFileDis n = LeggiNomeFileDis(nomeFile);
    codice = n.Provincia;
    numero = n.Numero;
    dataDistribuzione = n.DataDistribuzione;
    return codice == precedente;
}

QString DecodificaWindows1252(QByteArrayView testo)
{
    // Qt converts this code page only through ICU, which a build of Qt
    // may lack; it differs from Latin-1 in the 32 bytes 0x80-0x9F alone.
    // The five bytes the code page leaves undefined stay the control
    // characters of the same value, as Windows itself maps them.
    static constexpr char16_t Da80a9F[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString testoDecodificato(testo.size(), Qt::Uninitialized);
    QChar* d = testoDecodificato.data();
    for (const char b : testo) {
        const auto u = static_cast<unsigned char>(b);
        *d++ = QChar(u >= 0x80 && u <= 0x9F ? Da80a9F[u - 0x80] : char16_t(u));
    }
    return testoDecodificato;
}

void ConvertiRigaDis(QByteArrayView riga, RigaDis& c, const QString& nomeFile, qint64 numeroRiga)
{
    c.ComunePF1 = Alfa(riga, 1, 4, c.Utf8[0]);
    c.SezionePF1 = Alfa(riga, 5, 1, c.Utf8[1]);
    c.FoglioPF1 = CampoIntero(riga, 7, 4, "FoglioPF1", nomeFile, numeroRiga);
    c.AllegatoPF1 = Alfa(riga, 12, 1, c.Utf8[2]);
    c.PF1 = CampoIntero(riga, 16, 2, "PF1", nomeFile, numeroRiga);
    c.ComunePF2 = Alfa(riga, 19, 4, c.Utf8[3]);
    c.SezionePF2 = Alfa(riga, 23, 1, c.Utf8[4]);
    c.FoglioPF2 = CampoIntero(riga, 25, 4, "FoglioPF2", nomeFile, numeroRiga);
    c.AllegatoPF2 = Alfa(riga, 30, 1, c.Utf8[5]);
    c.PF2 = CampoIntero(riga, 34, 2, "PF2", nomeFile, numeroRiga);
    c.Protocollo = Alfa(riga, 37, 13, c.Utf8[6]);
    c.Distanza = CampoReale(riga, 51, 12, "Distanza", nomeFile, numeroRiga);
    c.ScartoQMedio = CampoReale(riga, 64, 12, "ScartoQMedio", nomeFile, numeroRiga);
}

// ---------------------------------------------------------------- LettoreDis

LettoreDis::LettoreDis(const QString& percorso) : file_(percorso)
{
    if (!file_.open(QIODevice::ReadOnly))
        throw EErroreFileDis(QStringLiteral("Impossibile aprire il file \"%1\": %2").arg(percorso, file_.errorString()));
}

QString LettoreDis::NomeFile() const { return NomeSenzaCartella(file_.fileName()); }

bool LettoreDis::Riempi()
{
    dati_.remove(0, inizio_);
    inizio_ = 0;
    const qsizetype prima = dati_.size();
    dati_.resize(prima + Blocco);
    const qint64 letti = file_.read(dati_.data() + prima, Blocco);
    if (letti < 0)
        throw EErroreFileDis(QStringLiteral("Errore di lettura del file \"%1\": %2").arg(NomeFile(), file_.errorString()));
    dati_.resize(prima + letti);
    fine_ = letti == 0;
    return letti > 0;
}

bool LettoreDis::Prossima(QByteArrayView& riga)
{
    for (;;) {
        if (dopoCR_) {
            // A CR at the end of the block: a LF after it is the same line end.
            if (inizio_ >= dati_.size() && !fine_) {
                Riempi();
                continue;
            }
            if (inizio_ < dati_.size() && dati_[inizio_] == '\n')
                ++inizio_;
            dopoCR_ = false;
        }
        const char* p = dati_.constData() + inizio_;
        const qsizetype n = dati_.size() - inizio_;
        qsizetype k = 0;
        while (k < n && p[k] != '\r' && p[k] != '\n')
            ++k;
        if (k < n) {
            riga = QByteArrayView(p, k);
            dopoCR_ = p[k] == '\r';
            inizio_ += k + 1;
            ++numero_;
            return true;
        }
        if (!fine_) {
            Riempi();
            continue;
        }
        if (n == 0)
            return false;
        riga = QByteArrayView(p, n);
        inizio_ += n;
        ++numero_;
        return true;
    }
}

} // namespace tratte
