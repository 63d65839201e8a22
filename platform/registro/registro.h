#pragma once
// The registry store: our stand-in for the Windows registry of the current
// user (HKEY_CURRENT_USER) and of the classes (HKEY_CLASSES_ROOT). Each
// hive is one ".reg" text file in the folder named by TRATTE_REGISTRO, or
// $XDG_CONFIG_HOME/quintor-registro (~/.config/quintor-registro).
//
//   TRegistry    key-by-key access (open a key, read and write its values)
//   TRegIniFile  key path + section + value, as the program's settings use
#include "registro/errore.h"
#include "registro/treginifile.h"
#include "registro/tregistry.h"
