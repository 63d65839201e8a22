#pragma once
// The cadastral tolerance rule between a measured distance and an archived
// one, without widgets: the three survey zones with their constants, the
// tolerance and the verdict, and the texts the tolerance check shows. The
// tolerance dialog, tratte-cli and the survey-book search all use it.
#include <QString>

#include <optional>

namespace tratte {

// The survey zones, in the order the zone choice lists them (item 0, 1, 2).
enum class ZonaRilievo { Urbana, ExtraurbanaPianeggiante, ExtraurbanaSfavorevole };

// The constants of a zone, in metres (the slope per metre).
struct CostantiZona {
    QString testo;   // the zone's name in the zone choice
    double offset;   // a
    double pendenza; // b
    double fissa;    // F, the tolerance beyond the threshold
};

// Up to this distance the tolerance is proportional, beyond it fixed.
inline constexpr double SogliaDistanza = 300.0;
inline const QString TestoInTolleranza = QStringLiteral("IN TOLLERANZA");
inline const QString TestoFuoriTolleranza = QStringLiteral("FUORI TOLLERANZA");

const CostantiZona& Costanti(ZonaRilievo zona);
// The zone of a zone-choice item; none for an index other than 0, 1, 2.
std::optional<ZonaRilievo> ZonaDaIndice(int indice);

// A number typed or stored as text, "." as the decimal separator: blanks
// around it, an optional sign, digits with at most one ".", an optional
// exponent. None for anything else (a lone ".", an empty text, letters, a
// value out of the double range).
std::optional<double> LeggiNumero(const QString& testo);

// The general text of a number with up to 15 significant digits: trailing
// zeros dropped, "." only when needed; scientific below 0.0001 and from
// 1E15 on, with "E", a "-" only for a negative exponent and no leading
// zeros ("1E-5", "4.42615029219009E-5", "1.23456789012346E15").
QString TestoGenerale(double valore);

// The rule for one set of constants. For a measured distance D:
//   T = b x D + a, kept in double precision;
//   tolerance shown: T below the threshold, F from the threshold on;
//   verdict: difference < T up to and including the threshold, difference
//   < F beyond it (a difference equal to the tolerance is out).
// At exactly the threshold the tolerance shown is F while the verdict
// compares with T.
class TRegolaTolleranza {
public:
    explicit TRegolaTolleranza(ZonaRilievo zona);
    TRegolaTolleranza(double fissa, double pendenza, double offset);

    double Proporzionale(double distanza) const { return pendenza_ * distanza + offset_; }
    double Mostrata(double distanza) const;
    // The tolerance as the check shows it: T as "%10.3f" below the
    // threshold, F in the general text from the threshold on.
    QString TestoTolleranza(double distanza) const;
    bool InTolleranza(double distanza, double differenza) const;
    static const QString& TestoEsito(bool inTolleranza);

private:
    double fissa_, pendenza_, offset_;
};

// The absolute difference between the measured and the archived distance.
double Differenza(double misurata, double archiviata);

// The whole check on the two texts, as the dialog shows it: none when
// either text does not convert.
struct EsitoControllo {
    double differenza = 0;
    QString testoDifferenza;
    QString testoTolleranza;
    bool inTolleranza = false;
    QString testoEsito;
};
std::optional<EsitoControllo> ControllaTolleranza(const QString& misurata, const QString& archiviata, ZonaRilievo zona);

} // namespace tratte
