#include "gridkit/griglia/formato.h"

#include <QList>
#include <QStringList>
#include <cmath>

namespace gridkit {
namespace {

// One piece of a format section.
struct Pezzo {
    enum Tipo { Zero, Cancelletto, Punto, Esponente, Letterale } tipo;
    QString testo;           // Letterale: the text; Esponente: the letter
    bool segnoSempre = false; // Esponente: "+" (sign always) rather than "-"
    int cifre = 0;            // Esponente: minimum digits
};

struct Sezione {
    QList<Pezzo> pezzi;
    bool migliaia = false;
    bool scientifica = false;
};

// The sections of a format, split at ";" outside quoted text.
QStringList DividiSezioni(const QString& formato)
{
    QStringList sezioni;
    QString corrente;
    QChar virgolette;
    for (const QChar c : formato) {
        if (!virgolette.isNull()) {
            if (c == virgolette)
                virgolette = QChar();
        } else if (c == '\'' || c == '"') {
            virgolette = c;
        } else if (c == ';') {
            sezioni << corrente;
            corrente.clear();
            continue;
        }
        corrente += c;
    }
    sezioni << corrente;
    return sezioni;
}

Sezione Analizza(const QString& testo)
{
    Sezione s;
    bool punto = false;
    auto letterale = [&s](const QString& t) {
        if (!s.pezzi.isEmpty() && s.pezzi.back().tipo == Pezzo::Letterale)
            s.pezzi.back().testo += t;
        else
            s.pezzi << Pezzo{Pezzo::Letterale, t};
    };
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        if (c == '\'' || c == '"') {
            const qsizetype fine = testo.indexOf(c, i + 1);
            letterale(testo.mid(i + 1, fine < 0 ? -1 : fine - i - 1));
            i = fine < 0 ? testo.size() : fine;
        } else if (c == '0' && !s.scientifica) {
            s.pezzi << Pezzo{Pezzo::Zero, {}};
        } else if (c == '#' && !s.scientifica) {
            s.pezzi << Pezzo{Pezzo::Cancelletto, {}};
        } else if (c == '.' && !punto && !s.scientifica) {
            punto = true;
            s.pezzi << Pezzo{Pezzo::Punto, {}};
        } else if (c == '.' && !s.scientifica) {
            // Only the first point is the decimal point.
        } else if (c == ',' && !s.scientifica) {
            s.migliaia = true;
        } else if ((c == 'E' || c == 'e') && !s.scientifica && i + 1 < testo.size() && (testo[i + 1] == '+' || testo[i + 1] == '-')) {
            Pezzo e{Pezzo::Esponente, QString(c)};
            e.segnoSempre = testo[i + 1] == '+';
            i += 2;
            while (i < testo.size() && testo[i] == '0') {
                ++e.cifre;
                ++i;
            }
            --i;
            s.scientifica = true;
            s.pezzi << e;
        } else {
            letterale(QString(c));
        }
    }
    return s;
}

bool Segnaposto(const Pezzo& p) { return p.tipo == Pezzo::Zero || p.tipo == Pezzo::Cancelletto; }

// The value's 15 significant digits and its decimal exponent:
// valore = d1.d2d3... x 10^esponente. Zero gives "0" and 0.
struct Cifre {
    QString cifre;
    int esponente = 0;
};

Cifre CifreSignificative(double valore)
{
    if (valore == 0)
        return {QStringLiteral("0"), 0};
    const QString e = QString::number(std::fabs(valore), 'e', 14);
    const qsizetype posE = e.indexOf('e');
    QString cifre = e.left(posE);
    cifre.remove('.');
    return {cifre, e.mid(posE + 1).toInt()};
}

// Adds one to the last digit of `cifre`; true when it carried out of the first.
bool Incrementa(QString& cifre)
{
    for (qsizetype i = cifre.size() - 1; i >= 0; --i) {
        if (cifre[i] == '9') {
            cifre[i] = '0';
        } else {
            cifre[i] = QChar(cifre[i].unicode() + 1);
            return false;
        }
    }
    return true;
}

struct Numero {
    QString intero;   // without leading zeros; empty for 0
    QString decimali; // exactly the digits asked for
    int esponente = 0; // scientific form only
    bool zero() const
    {
        for (const QChar c : decimali)
            if (c != '0')
                return false;
        return intero.isEmpty();
    }
};

// Fixed form rounded to `decimali` digits, half away from zero.
Numero Fisso(double valore, int decimali)
{
    const Cifre c = CifreSignificative(valore);
    QString intero, frazione;
    if (c.cifre == "0") {
    } else if (c.esponente >= 0) {
        const QString cifre = c.cifre.leftJustified(c.esponente + 1, '0');
        intero = cifre.left(c.esponente + 1);
        frazione = cifre.mid(c.esponente + 1);
    } else {
        frazione = QString(-c.esponente - 1, '0') + c.cifre;
    }
    if (frazione.size() > decimali) {
        const bool suVia = frazione[decimali] >= '5';
        frazione.truncate(decimali);
        if (suVia && Incrementa(frazione) && Incrementa(intero))
            intero.prepend('1');
    }
    frazione = frazione.leftJustified(decimali, '0');
    while (intero.startsWith('0'))
        intero.remove(0, 1);
    return {intero, frazione, 0};
}

// Scientific form with `interi` digits before the point and `decimali` after.
Numero Scientifico(double valore, int interi, int decimali)
{
    Cifre c = CifreSignificative(valore);
    if (c.cifre == "0")
        return {QStringLiteral("0"), QString(decimali, '0'), 0};
    const int significative = interi + decimali;
    QString cifre = c.cifre;
    if (cifre.size() > significative) {
        const bool suVia = cifre[significative] >= '5';
        cifre.truncate(significative);
        if (suVia && Incrementa(cifre)) {
            cifre.prepend('1');
            cifre.chop(1);
            ++c.esponente;
        }
    }
    cifre = cifre.leftJustified(significative, '0');
    return {cifre.left(interi), cifre.mid(interi), c.esponente - (interi - 1)};
}

// The integer digits through the placeholders of the integer part: digits
// beyond the placeholders go with the first, literals stay in place.
void ScriviInteri(QString& uscita, const QList<Pezzo>& pezzi, const QString& cifre, bool migliaia)
{
    int segnaposti = 0;
    for (const Pezzo& p : pezzi)
        segnaposti += Segnaposto(p) ? 1 : 0;
    const int n = int(cifre.size());
    const int eccesso = n - segnaposti;
    auto cifra = [&](int i) {
        uscita += cifre[i];
        const int dopo = n - 1 - i;
        if (migliaia && dopo > 0 && dopo % 3 == 0)
            uscita += ',';
    };
    int k = 0;
    for (const Pezzo& p : pezzi) {
        if (!Segnaposto(p)) {
            uscita += p.testo;
            continue;
        }
        if (k == 0)
            for (int i = 0; i < eccesso; ++i)
                cifra(i);
        if (eccesso + k >= 0)
            cifra(eccesso + k);
        ++k;
    }
    if (segnaposti == 0)
        for (int i = 0; i < n; ++i)
            cifra(i);
}

QString ScriviSezione(const Sezione& s, const Numero& numero, bool scientifica)
{
    QList<Pezzo> interi, decimali, coda;
    const Pezzo* esponente = nullptr;
    int stato = 0; // 0 integer part, 1 decimals, 2 after the exponent
    bool punto = false;
    for (const Pezzo& p : s.pezzi) {
        if (p.tipo == Pezzo::Punto) {
            punto = true;
            stato = 1;
        } else if (p.tipo == Pezzo::Esponente) {
            esponente = &p;
            stato = 2;
        } else if (stato == 0) {
            interi << p;
        } else if (stato == 1) {
            decimali << p;
        } else {
            coda << p;
        }
    }
    // Digits shown after the point: up to the last "0", and as many more as
    // are significant.
    int minimiDecimali = 0, k = 0;
    for (const Pezzo& p : decimali)
        if (Segnaposto(p) && (++k, p.tipo == Pezzo::Zero))
            minimiDecimali = k;
    int mostrati = minimiDecimali;
    for (int i = int(numero.decimali.size()) - 1; i >= mostrati; --i)
        if (numero.decimali[i] != '0') {
            mostrati = i + 1;
            break;
        }
    // At least as many integer digits as the placeholders from the first "0".
    int minimiInteri = 0;
    bool contando = false;
    for (const Pezzo& p : interi) {
        contando = contando || p.tipo == Pezzo::Zero;
        minimiInteri += contando && Segnaposto(p) ? 1 : 0;
    }
    QString cifre = numero.intero;
    if (scientifica && cifre.isEmpty())
        cifre = QStringLiteral("0");
    cifre = cifre.rightJustified(minimiInteri, '0');

    QString uscita;
    ScriviInteri(uscita, interi, cifre, s.migliaia);
    if (punto && mostrati > 0)
        uscita += '.';
    int j = 0;
    for (const Pezzo& p : decimali) {
        if (!Segnaposto(p))
            uscita += p.testo;
        else if (j < mostrati)
            uscita += numero.decimali[j++];
    }
    if (esponente) {
        uscita += esponente->testo;
        if (numero.esponente < 0)
            uscita += '-';
        else if (esponente->segnoSempre)
            uscita += '+';
        uscita += QString::number(std::abs(numero.esponente)).rightJustified(esponente->cifre, '0');
    }
    for (const Pezzo& p : coda)
        uscita += p.testo;
    return uscita;
}

int ContaSegnaposti(const Sezione& s, bool dopoPunto)
{
    int n = 0;
    bool oltre = false;
    for (const Pezzo& p : s.pezzi) {
        if (p.tipo == Pezzo::Punto)
            oltre = true;
        else if (p.tipo == Pezzo::Esponente)
            break;
        else if (Segnaposto(p) && oltre == dopoPunto)
            ++n;
    }
    return n;
}

Numero Arrotonda(const Sezione& s, double valore)
{
    const int decimali = ContaSegnaposti(s, true);
    if (s.scientifica)
        return Scientifico(valore, std::max(1, ContaSegnaposti(s, false)), decimali);
    return Fisso(valore, decimali);
}

QString FormaGenerale(double valore)
{
    QString s = QString::number(valore, 'g', 15);
    const qsizetype e = s.indexOf('e');
    if (e < 0)
        return s;
    const int esponente = s.mid(e + 1).toInt();
    return s.left(e) + 'E' + (esponente < 0 ? '-' : '+') + QString::number(std::abs(esponente)).rightJustified(2, '0');
}

} // namespace

QString FormatFloat(const QString& formato, double valore)
{
    if (std::isnan(valore))
        return QStringLiteral("NAN");
    if (std::isinf(valore))
        return valore > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (formato.isEmpty())
        return FormaGenerale(valore);

    const QStringList testi = DividiSezioni(formato);
    const bool negativo = valore < 0;
    const bool sezioneNegativa = negativo && testi.size() > 1 && !testi[1].isEmpty();
    Sezione sezione = Analizza(testi[sezioneNegativa ? 1 : 0]);
    Numero numero = Arrotonda(sezione, std::fabs(valore));
    const bool zero = sezione.scientifica ? valore == 0 : numero.zero();
    if (zero) {
        // A value that rounds to zero is zero: no sign, the zero section.
        sezione = Analizza(testi.size() > 2 && !testi[2].isEmpty() ? testi[2] : testi[0]);
        numero = Arrotonda(sezione, 0.0);
        return ScriviSezione(sezione, numero, sezione.scientifica);
    }
    const QString testo = ScriviSezione(sezione, numero, sezione.scientifica);
    return negativo && !sezioneNegativa ? '-' + testo : testo;
}

} // namespace gridkit
