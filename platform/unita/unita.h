#pragma once
// Removable media as the program knows them: drive A: is the folder named
// by TRATTE_UNITA_A (default /media/floppy); the CD-ROM drives are the
// mounted disc file systems (iso9660, udf).
#include <QString>
#include <QStringList>

namespace unita {

// The folder that stands for drive A:.
QString CartellaUnitaA();

// The mount points of the mounted CD-ROM file systems, in mount order,
// read from a mount table (that of this process unless told).
QStringList UnitaCdRom(const QString& tabellaMontaggi = QStringLiteral("/proc/self/mounts"));

} // namespace unita
