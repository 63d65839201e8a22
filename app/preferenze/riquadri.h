#pragma once
// The parts the program's two notice windows share: the coloured header
// strip, the white panel with an icon beside its text, and the colours
// and fonts they are drawn in.
#include <QColor>
#include <QFont>
#include <QString>
#include <QStyle>

class QFrame;
class QLabel;
class QVBoxLayout;
class QWidget;

namespace tratte {

inline const QColor Verde(0, 128, 0);
inline const QColor Rosso(255, 0, 0);
inline const QColor Bianco(255, 255, 255);

// Texts with Windows line ends, as the program keeps them, shown in a label.
QString TestoDaMostrare(const QString& testo);

// "Arial Black" bold italic, or the closest font installed.
QFont CarattereIntestazione(int punti);

// A plain-text label in `colore`, bold when asked.
QLabel* Scritta(QWidget* genitore, const char* nome, const QString& testo, const QColor& colore, bool grassetto);
// The header strip: the text centred, on a green background.
QLabel* Intestazione(QWidget* genitore, const char* nome, const QString& testo, const QColor& colore);
// A white raised panel with the icon on its left; its texts go in the
// column ColonnaTesti gives.
QFrame* PannelloBianco(QWidget* genitore, const char* nome, QStyle::StandardPixmap icona);
QVBoxLayout* ColonnaTesti(QFrame* pannello);

// "breve|lungo": the tooltip and the status-bar text of a control.
void Suggerimento(QWidget* controllo, const QString& testo);

} // namespace tratte
