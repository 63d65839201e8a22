#pragma once
// Places a window in the middle of the screen it belongs to.
class QWidget;

namespace gridkit {

// Centres the window (by its frame) on the available area of the screen of
// its parent, or of the primary screen when it has none.
void CentraSulloSchermo(QWidget& finestra);

} // namespace gridkit
