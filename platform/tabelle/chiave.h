#pragma once
// Turns a table password into the raw 256-bit key of an encrypted table
// file. The derivation is slow on purpose and done once per password and
// process; opening a table then costs no key derivation.
#include <QByteArray>
#include <QString>

namespace tabelle {

// "x'<64 hex digits>'": the form in which the raw key is handed to the
// storage engine.
QByteArray ChiaveGrezza(const QString& password);

} // namespace tabelle
