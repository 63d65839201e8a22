#include "app/tolleranza/regolatolleranza.h"

#include <QRegularExpression>

#include <charconv>
#include <cmath>
#include <system_error>

namespace tratte {

namespace {

const CostantiZona zone[] = {
    {QStringLiteral("Urbana o di espansione urbanistica"), 0.05, 0.0013, 0.45},
    {QStringLiteral("Extraurbana pianeggiante parzialmente ondulata"), 0.05, 0.0016, 0.55},
    {QStringLiteral("Extraurbana con terreno sfavorevole"), 0.1, 0.002, 0.7},
};

} // namespace

const CostantiZona& Costanti(ZonaRilievo zona) { return zone[static_cast<int>(zona)]; }

std::optional<ZonaRilievo> ZonaDaIndice(int indice)
{
    if (indice < 0 || indice > 2)
        return std::nullopt;
    return static_cast<ZonaRilievo>(indice);
}

std::optional<double> LeggiNumero(const QString& testo)
{
    static const QRegularExpression forma(QStringLiteral("^\\s*[+-]?(\\d+(\\.\\d*)?|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    if (!forma.match(testo).hasMatch())
        return std::nullopt;
    // from_chars reads the C form whatever the process locale; it takes no "+".
    QByteArray cifre = testo.trimmed().toLatin1();
    if (cifre.startsWith('+'))
        cifre.remove(0, 1);
    double valore = 0;
    const auto [fine, errore] = std::from_chars(cifre.constData(), cifre.constData() + cifre.size(), valore);
    if (errore != std::errc() || fine != cifre.constData() + cifre.size() || !std::isfinite(valore))
        return std::nullopt;
    return valore;
}

QString TestoGenerale(double valore)
{
    if (std::isnan(valore))
        return QStringLiteral("NAN");
    if (std::isinf(valore))
        return valore > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    // %g with 15 digits chooses the same forms (scientific when the
    // exponent is below -4 or from 15 on); only the exponent is written
    // differently: "E", no "+", no leading zeros.
    const QString s = QString::number(valore, 'g', 15);
    const qsizetype e = s.indexOf(QLatin1Char('e'));
    if (e < 0)
        return s;
    return s.left(e) + QLatin1Char('E') + QString::number(s.mid(e + 1).toInt());
}

double Differenza(double misurata, double archiviata) { return std::fabs(misurata - archiviata); }

TRegolaTolleranza::TRegolaTolleranza(ZonaRilievo zona)
    : TRegolaTolleranza(Costanti(zona).fissa, Costanti(zona).pendenza, Costanti(zona).offset)
{
}

TRegolaTolleranza::TRegolaTolleranza(double fissa, double pendenza, double offset)
    : fissa_(fissa), pendenza_(pendenza), offset_(offset)
{
}

double TRegolaTolleranza::Mostrata(double distanza) const
{
    return distanza < SogliaDistanza ? Proporzionale(distanza) : fissa_;
}

QString TRegolaTolleranza::TestoTolleranza(double distanza) const
{
    if (distanza < SogliaDistanza)
        return QString::asprintf("%10.3f", Proporzionale(distanza));
    return TestoGenerale(fissa_);
}

bool TRegolaTolleranza::InTolleranza(double distanza, double differenza) const
{
    return differenza < (distanza <= SogliaDistanza ? Proporzionale(distanza) : fissa_);
}

const QString& TRegolaTolleranza::TestoEsito(bool inTolleranza)
{
    return inTolleranza ? TestoInTolleranza : TestoFuoriTolleranza;
}

std::optional<EsitoControllo> ControllaTolleranza(const QString& misurata, const QString& archiviata, ZonaRilievo zona)
{
    const std::optional<double> d = LeggiNumero(misurata);
    const std::optional<double> archivio = LeggiNumero(archiviata);
    if (!d || !archivio)
        return std::nullopt;
    const TRegolaTolleranza regola(zona);
    EsitoControllo esito;
    esito.differenza = Differenza(*d, *archivio);
    esito.testoDifferenza = TestoGenerale(esito.differenza);
    esito.testoTolleranza = regola.TestoTolleranza(*d);
    esito.inTolleranza = regola.InTolleranza(*d, esito.differenza);
    esito.testoEsito = TRegolaTolleranza::TestoEsito(esito.inTolleranza);
    return esito;
}

} // namespace tratte
