#include "libretto.h"

#include <cmath>
#include <cstdlib>

namespace pregeo {

namespace {

bool SoloCifre(QByteArrayView testo)
{
    if (testo.isEmpty())
        return false;
    for (char c : testo)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool Lettera(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool Alfanumerico(char c) { return Lettera(c) || (c >= '0' && c <= '9'); }
char Maiuscola(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

// Digits without their leading zeros ("0" stays "0"); empty when the text
// is not 1 to `massimo` significant digits.
QByteArray Numero(QByteArrayView testo, int massimo)
{
    if (!SoloCifre(testo))
        return {};
    qsizetype primo = 0;
    while (primo + 1 < testo.size() && testo[primo] == '0')
        ++primo;
    const QByteArrayView cifre = testo.sliced(primo);
    return cifre.size() > massimo ? QByteArray() : cifre.toByteArray();
}

// Digits with at most one ".", digits on both sides of it when it is there;
// no sign, no exponent, no other character.
bool Decimale(QByteArrayView testo, double& valore)
{
    const qsizetype punto = testo.indexOf('.');
    const QByteArrayView intera = punto < 0 ? testo : testo.first(punto);
    if (!SoloCifre(intera) || intera.size() > 15)
        return false;
    if (punto >= 0 && (!SoloCifre(testo.sliced(punto + 1)) || testo.size() - punto - 1 > 15))
        return false;
    const QByteArray copia = testo.toByteArray();
    valore = std::strtod(copia.constData(), nullptr);
    return std::isfinite(valore);
}

// The fields of a line, blanks around each one dropped.
QList<QByteArrayView> Campi(QByteArrayView riga)
{
    QList<QByteArrayView> campi;
    qsizetype inizio = 0;
    for (;;) {
        const qsizetype fine = riga.indexOf(';', inizio);
        campi << riga.sliced(inizio, (fine < 0 ? riga.size() : fine) - inizio).trimmed();
        if (fine < 0)
            break;
        inizio = fine + 1;
    }
    return campi;
}

QString Testo(QByteArrayView v) { return QString::fromUtf8(v); }

} // namespace

Libretto LeggiLibretto(QByteArrayView testo)
{
    Libretto libretto;
    auto errore = [&](int riga, const QString& testoErrore) {
        if (libretto.Errore.isEmpty()) {
            libretto.RigaErrore = riga;
            libretto.Errore = QStringLiteral("riga %1: %2").arg(riga).arg(testoErrore);
        }
    };
    bool primaRiga = true;
    int numeroRiga = 0;
    qsizetype inizio = 0;
    while (inizio < testo.size() && libretto.Errore.isEmpty()) {
        qsizetype fine = testo.indexOf('\n', inizio);
        if (fine < 0)
            fine = testo.size();
        QByteArrayView riga = testo.sliced(inizio, fine - inizio);
        inizio = fine + 1;
        ++numeroRiga;
        if (riga.endsWith('\r'))
            riga.chop(1);
        const QByteArrayView pulita = riga.trimmed();
        if (pulita.startsWith('#') || (pulita.isEmpty() && primaRiga))
            continue;
        if (pulita.isEmpty())
            continue;
        if (riga.contains('\0')) {
            errore(numeroRiga, QStringLiteral("la riga contiene un carattere nullo"));
            break;
        }
        const QList<QByteArrayView> campi = Campi(pulita);
        const QByteArrayView tipo = campi.front();
        if (primaRiga) {
            primaRiga = false;
            libretto.Intestazione = campi.size() == 2 && tipo == "LIBRETTO" && campi[1] == "1";
            if (!libretto.Intestazione) {
                errore(numeroRiga, QStringLiteral("la prima riga non è LIBRETTO;1"));
                break;
            }
            continue;
        }
        if (tipo == "ELABORATO") {
            if (campi.size() != 2 || (campi[1] != "SI" && campi[1] != "NO"))
                errore(numeroRiga, QStringLiteral("atteso ELABORATO;SI o ELABORATO;NO"));
            else if (campi[1] == "SI")
                libretto.Elaborato = true;
        } else if (tipo == "PF") {
            if (campi.size() != 5) {
                errore(numeroRiga, QStringLiteral("PF vuole 4 campi (COMUNE;FOGLIO;ALLEGATO;NUMERO), ne ha %1").arg(campi.size() - 1));
                continue;
            }
            PuntoLibretto p;
            p.Riga = numeroRiga;
            const QByteArrayView comune = campi[1];
            bool comuneValido = (comune.size() == 4 || comune.size() == 5);
            for (qsizetype k = 0; comuneValido && k < 4; ++k)
                comuneValido = Alfanumerico(comune[k]);
            if (comuneValido && comune.size() == 5)
                comuneValido = Lettera(comune[4]);
            if (!comuneValido) {
                errore(numeroRiga, QStringLiteral("comune \"%1\" non valido (4 caratteri, più la lettera della sezione)").arg(Testo(comune)));
                continue;
            }
            for (char c : comune)
                p.Comune += Maiuscola(c);
            p.Foglio = Numero(campi[2], 3);
            if (p.Foglio.isEmpty()) {
                errore(numeroRiga, QStringLiteral("foglio \"%1\" non valido (da 1 a 3 cifre)").arg(Testo(campi[2])));
                continue;
            }
            const QByteArrayView allegato = campi[3];
            if (allegato.size() != 1 || (allegato[0] != '0' && !Lettera(allegato[0]))) {
                errore(numeroRiga, QStringLiteral("allegato \"%1\" non valido (una lettera, o 0)").arg(Testo(allegato)));
                continue;
            }
            p.Allegato = Maiuscola(allegato[0]);
            p.Numero = Numero(campi[4], 9);
            if (p.Numero.isEmpty()) {
                errore(numeroRiga, QStringLiteral("numero del punto \"%1\" non valido (da 1 a 9 cifre)").arg(Testo(campi[4])));
                continue;
            }
            libretto.Punti << p;
        } else if (tipo == "DIST") {
            if (campi.size() != 5) {
                errore(numeroRiga, QStringLiteral("DIST vuole 4 campi (I;J;DISTANZA;SQM), ne ha %1").arg(campi.size() - 1));
                continue;
            }
            DistanzaLibretto d;
            d.Riga = numeroRiga;
            bool ok = true;
            for (auto [campo, indice] : {std::pair{campi[1], &d.I}, std::pair{campi[2], &d.J}}) {
                const QByteArray n = Numero(campo, 9);
                if (n.isEmpty() || n == "0") {
                    errore(numeroRiga, QStringLiteral("indice di punto \"%1\" non valido").arg(Testo(campo)));
                    ok = false;
                    break;
                }
                *indice = n.toInt() - 1;
            }
            if (!ok)
                continue;
            if (d.I == d.J) {
                errore(numeroRiga, QStringLiteral("la distanza unisce il punto %1 a se stesso").arg(d.I + 1));
                continue;
            }
            if (!Decimale(campi[3], d.Distanza)) {
                errore(numeroRiga, QStringLiteral("distanza \"%1\" non valida (metri, con il punto decimale)").arg(Testo(campi[3])));
                continue;
            }
            if (!Decimale(campi[4], d.ScartoQMedio)) {
                errore(numeroRiga, QStringLiteral("scarto quadratico medio \"%1\" non valido (metri, con il punto decimale)").arg(Testo(campi[4])));
                continue;
            }
            libretto.Distanze << d;
        }
        // Other records of a book are not the search's business.
    }
    if (primaRiga && libretto.Errore.isEmpty())
        errore(qMax(numeroRiga, 1), QStringLiteral("il libretto è vuoto"));
    // The points are counted over the whole book.
    for (const DistanzaLibretto& d : std::as_const(libretto.Distanze)) {
        if (!libretto.Errore.isEmpty())
            break;
        for (int indice : {d.I, d.J})
            if (indice >= libretto.Punti.size()) {
                errore(d.Riga, QStringLiteral("la distanza indica il punto %1, ma il libretto ha solo %2 PF").arg(indice + 1).arg(libretto.Punti.size()));
                break;
            }
    }
    return libretto;
}

QByteArray EtichettaPunto(const PuntoLibretto& punto)
{
    QByteArray foglio = punto.Foglio + punto.Allegato;
    while (foglio.size() < 4)
        foglio.prepend('0');
    QByteArray numero = punto.Numero;
    if (numero.size() == 1)
        numero.prepend('0');
    return "PF" + numero + '/' + foglio + '/' + punto.Comune.left(4);
}

} // namespace pregeo
