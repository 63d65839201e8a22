// tratte-cli tolleranza: the tolerance check of the dialog on two distances.
#include "comandi.h"

#include "app/tolleranza/regolatolleranza.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace cli {

namespace {

// The longest distance text taken: the width of a distance in the
// distribution files (columns 51-62), the longest the archive can hold.
constexpr qsizetype LunghezzaMassimaDistanza = 12;

// Why a distance is refused, or empty when it is one the dialog could
// hold: digits with at most one "." (what its key filter lets through),
// not longer than the archive's width. A sign, an exponent or an overflow
// never reach the dialog, and give no sound difference or tolerance.
QString DistanzaRifiutata(const QString& testo)
{
    static const QRegularExpression forma(QStringLiteral("^(\\d+(\\.\\d*)?|\\.\\d+)$"));
    const std::optional<double> valore = tratte::LeggiNumero(testo);
    if (valore && *valore < 0)
        return QStringLiteral("La distanza non può essere negativa: %1").arg(testo);
    if (!forma.match(testo).hasMatch())
        return valore ? QStringLiteral("'%1': la distanza si scrive con sole cifre e al più un punto decimale").arg(testo)
                      : QStringLiteral("'%1' non è un valore numerico valido").arg(testo);
    if (testo.size() > LunghezzaMassimaDistanza)
        return QStringLiteral("'%1': la distanza ha più di %2 caratteri").arg(testo).arg(LunghezzaMassimaDistanza);
    return QString();
}

} // namespace

int Tolleranza(Contesto& c, const QCommandLineParser& riga)
{
    const QStringList argomenti = riga.positionalArguments();
    const QString& archiviata = argomenti[0];
    const QString& misurata = argomenti[1];
    bool intero = false;
    const int indice = argomenti[2].toInt(&intero);
    const std::optional<tratte::ZonaRilievo> zona = intero ? tratte::ZonaDaIndice(indice) : std::nullopt;
    if (!zona) {
        c.errori << "Zona non valida: " << argomenti[2] << " (0, 1 o 2)\n";
        return 2;
    }
    if (misurata.isEmpty()) {
        c.errori << "Inserire la distanza rilevata\n";
        return 2;
    }
    for (const QString& testo : {archiviata, misurata})
        if (const QString motivo = DistanzaRifiutata(testo); !motivo.isEmpty()) {
            c.errori << motivo << '\n';
            return 2;
        }
    const std::optional<tratte::EsitoControllo> esito = tratte::ControllaTolleranza(misurata, archiviata, *zona);
    c.uscita << "Differenza=" << esito->testoDifferenza << '\n'
             << "Tolleranza=" << esito->testoTolleranza << '\n'
             << "Esito=" << esito->testoEsito << '\n';
    return 0;
}

} // namespace cli
