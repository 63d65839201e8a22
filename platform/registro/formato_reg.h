#pragma once
// Internal to the registry store: a hive as the text of a Windows ".reg"
// file ("Windows Registry Editor Version 5.00").
//
// Reading is lenient: a line that cannot be read is skipped (and counted),
// values under an unreadable section header are skipped with it, never
// attached to the section before. String values use the \\ and \" escapes;
// dword:XXXXXXXX values are read as numbers; values of other types are
// kept verbatim so that rewriting the file does not lose them. A string
// holding a line break is written as hex(1) (REG_SZ in hexadecimal form),
// since a quoted string cannot span lines.
#include "registro/alveare.h"

#include <QString>

namespace registro {

struct LetturaReg {
    Alveare alveare;
    int righeIgnorate = 0;
};

// nomeRadice: "HKEY_CURRENT_USER" or "HKEY_CLASSES_ROOT"; sections of
// another root are skipped.
LetturaReg leggiReg(const QString& testo, const QString& nomeRadice);
QString scriviReg(const Alveare& alveare, const QString& nomeRadice);

} // namespace registro
