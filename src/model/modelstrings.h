#ifndef SELV_MODEL_MODELSTRINGS_H
#define SELV_MODEL_MODELSTRINGS_H

#include <QString>

#include <cstdint>

// String ids the model core shows or builds names and paths from.
enum ModelStringId : uint32_t {
  IDS_AMPLIFIER = 32782,         // "Amplifier"
  IDS_TYPE = 32804,              // "Type"
  IDS_NAME = 32805,              // "Name"
  IDS_MACRO = 32806,             // "Macro"
  IDS_ZONE = 32802,              // "Zone"
  IDS_MONITOR = 33086,           // "Monitor"
  IDS_CONSOLE = 34063,           // "Console"
  IDS_AUDIO_PATH = 34079,        // "AUDIO"
  IDS_COLLCALL_PATH = 34107,     // "/VMX/COLLCALL"
  IDS_SERVICE_PATH = 34109,      // "/SERVICE"
  IDS_MONI_PATH = 34110,         // "/MONI"
  IDS_POOL_FULL = 34207,         // "Cannot create this device ! ..."
  IDS_NAME_TOO_SHORT = 34212,    // "The minimum length of a name is 1 character !"
  IDS_NAME_CHANGED = 34213,      // "The name %s exists already. It will be changed into %s !"
  IDS_ID = 34244,                // "ID"
  IDS_NAME_EXISTS = 34267,       // "The name '%s' exists yet. Please choose a different one !"
  IDS_SPAREAMP_PATH = 34369,     // "/SPAREAMP"
  IDS_BACKUP_AMPLIFIER = 34370,  // "Backup Amplifier"
  IDS_IS_MISSING = 34499,        // "is missing"
};

// The text of a string id in the current language (the string table's
// LoadString under the model's name).
QString ModelString(uint32_t id);

#endif
