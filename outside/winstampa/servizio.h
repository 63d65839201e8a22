#pragma once
// The component's modal windows go through the host's message service when
// the host publishes one (directory/servizioospite.h), else they are shown
// with their own event loop.
class QDialog;

namespace zrwinstampa {

int MostraModale(QDialog& finestra);

} // namespace zrwinstampa
