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

// The derivation itself, never taken from what is remembered.
QByteArray DerivaChiaveGrezza(const QString& password);

// Remembers the raw key of a password known when the program was built,
// so that no process pays its derivation (a few milliseconds of every
// start). The caller answers for the pair: a test compares it with
// DerivaChiaveGrezza.
void RicordaChiaveGrezza(const QString& password, const QByteArray& chiaveGrezza);

} // namespace tabelle
