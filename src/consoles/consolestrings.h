#ifndef SELV_CONSOLES_CONSOLESTRINGS_H
#define SELV_CONSOLES_CONSOLESTRINGS_H

#include <QString>

#include <cstdint>

// String ids the console model shows.
enum ConsoleStringId : uint32_t {
  IDS_CONS_PARSER_ERROR = 34029,        // "Parser-error !\n\rUnknown selection parameter !"
  IDS_CONS_NOT_CONNECTED = 34173,       // "The Console '%s' is not connected ! ..."
  IDS_CONS_GROUP_MISSING = 34174,       // "The group %d does not exist in this project !\n"
  IDS_CONS_SIGNAL_MISSING = 34175,      // "Warning: audiosignal for key %d is not present !\n"
  IDS_CONS_ZONE_MISSING = 34176,        // "Warning: Zone or group not present !\n"
  IDS_CONS_MACRO2_MISSING = 34177,      // "Warning: 2.macro not present !\n"
  IDS_CONS_MACRO_MISSING = 34178,       // "Warning:.macro not present !\n"
  IDS_CONS_WRONG_SCHEMA = 34189,        // "Wrong schema number: Console data format maybe incorrect !\n"
  IDS_CONS_EXTENSION_DROPPED = 34190,   // the RCX6350 extension of an old record was removed
  IDS_CONS_AUX_WITH_EXTENSION = 34287,  // "\"Warning : AUX key on Console '%s' with extension found ..."
  IDS_CONS_PTT_WITH_EXTENSION = 34288,  // the same with "PTT key"
};

// The text of a console string id in the current language (the string
// table's LoadString under the console model's name).
QString ConsoleString(uint32_t id);

#endif
