#pragma once
// The reader of the survey-book text format (FORMATO.md beside this file):
// a plain function over the file's bytes, without files or windows, which
// the component and the tests call alike.
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

namespace pregeo {

// A PF line: the texts as the records carry them (sheet and number
// without leading zeros).
struct PuntoLibretto {
    QByteArray Comune;  // 4 characters, 5 with the section letter
    QByteArray Foglio;  // 1 to 3 digits
    char Allegato = '0'; // a letter, or '0'
    QByteArray Numero;  // 1 to 9 digits
    int Riga = 0;
};

// A DIST line, its points as indexes into Punti (from 0).
struct DistanzaLibretto {
    int I = 0, J = 0;
    double Distanza = 0, ScartoQMedio = 0;
    int Riga = 0;
};

struct Libretto {
    // The first line that is not a comment is LIBRETTO;1.
    bool Intestazione = false;
    // The book holds ELABORATO;SI.
    bool Elaborato = false;
    QList<PuntoLibretto> Punti;
    QList<DistanzaLibretto> Distanze;
    // The first fault found and its line (1-based); empty for a sound book.
    QString Errore;
    int RigaErrore = 0;

    // Processed correctly: what LibrettoValido answers.
    bool Valido() const { return Intestazione && Elaborato; }
};

// Reads the whole text. A book whose first line is not LIBRETTO;1 is read
// no further; otherwise every line is checked, and the first malformed one
// is reported in Errore ("riga N: ...").
Libretto LeggiLibretto(QByteArrayView testo);

// The label of a point as the pair labels use it: "PF" + the number (a
// leading "0" when it has one digit) + "/" + the sheet part + "/" + the
// first four characters of the comune. The sheet part is the sheet and
// the attachment letter, or "0" without one, brought to four characters
// with zeros in front ("0050", "012A", "1230").
QByteArray EtichettaPunto(const PuntoLibretto& punto);

} // namespace pregeo
