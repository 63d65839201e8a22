#pragma once
// The pictures of the enhanced grid, drawn by the program itself: the sort
// arrows "Up" and "Down" (17 x 14 pixels) drawn in the sorted column's
// title, and the boxes "Vero" and "Falso" (11 x 11, checked and unchecked)
// drawn in boolean cells.
#include <QImage>
#include <QString>

namespace gridkit {

inline constexpr int LarghezzaFreccia = 17;
inline constexpr int AltezzaFreccia = 14;
inline constexpr int LatoCasella = 11;

// The picture of that name ("Up", "Down", "Vero", "Falso"); a null image
// for any other name.
QImage ImmagineGriglia(const QString& nome);

} // namespace gridkit
