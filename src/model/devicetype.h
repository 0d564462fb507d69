#ifndef SELV_MODEL_DEVICETYPE_H
#define SELV_MODEL_DEVICETYPE_H

#include <QString>

#include <cstdint>

// Object type codes. Every model class stores its code; the code indexes the
// identifier pools of CIDManager and is written into project files, so a
// code never changes once given out. Codes without a class are reserved.
enum DeviceType : int {
  DT_NONE = 0,
  DT_ALARM = 1,  // alarm generator (signal source)
  DT_AMPLIFIER = 2,
  DT_APPOINT = 3,           // calendar appointment
  DT_AUDIOINPUTDEVICE = 4,  // PC, monitor output, power supply
  DT_AUDIOINPUTSLOT = 5,
  DT_AUDIOOUTPUTSLOT = 6,
  DT_CONSOLE = 7,
  DT_CONTROLPAD = 8,
  DT_DAYPROG = 9,
  DT_DIGITALSLOT = 10,
  DT_GONG = 11,
  DT_GROUP = 12,
  DT_HOLIDAY = 13,
  DT_INFOSLOT = 14,
  DT_INTERFACESLOT = 15,
  DT_INTERNALSLOT = 16,
  DT_MACRO = 17,
  DT_MONITOR = 18,
  DT_RELAYTOPOLOGY = 19,
  DT_RESERVED20 = 20,
  DT_TRIGGER = 21,
  DT_WEEK = 22,
  DT_ZONE = 23,
  DT_COLLCALL = 24,  // collection call
  DT_MESSAGE = 25,   // prerecorded message (signal source)
  DT_RESERVED26 = 26,
  DT_MISCAUDIO = 27,
  DT_ALARMSIGNAL = 28,
  DT_CHIMESIGNAL = 29,
  DT_MESSAGESIGNAL = 30,
  DT_CLOCK = 31,
  DT_FUSE = 32,
  DT_CONDITION = 33,
  DT_MEMOFLAG = 34,
  DT_KCM201 = 35,
  DT_RELAY = 36,
  DT_RESERVED37 = 37,
  DT_READYINPUT = 38,
  DT_VIRTCTRL = 39,
  DT_GLOBALREADYINPUT = 40,
  DT_KCM208 = 41,
  DT_KCM209 = 42,
  DT_KCM212 = 43,
  DT_KCM216 = 44,
  DT_SPAREAMP = 45,
  DT_KCMEX = 46,  // extended card data
  DT_AMPTABLE = 47,
  DT_LOGICOUT = 48,
  DT_VIRTCTRLITEM = 49,
  DT_TRIGGEROBJECT = 50,
  DT_CALOBJECT = 51,
  DT_CONDITIONOBJECT = 52,
  DT_ANALOGCONDITION = 53,
  DT_COMBINECONDITION = 54,
  DT_BUSYCONDITION = 55,
  DT_LOGICOUTOBJECT = 56,
  DT_MACROOBJECT = 57,
  DT_RESERVED58 = 58,
  DT_FAULT = 59,
  DT_INTMESSAGESIGNAL = 60,  // internal message signal
  DT_POWERMANAGEMENT = 61,
  DT_PILOTTONEGEN = 62,
  DT_MESSAGEREC = 63,
  DT_LANGROUP = 64,
  DT_EVENTLOG = 65,
  DT_ZONETEST = 66,
  DT_CONSOLEOBJECT = 67,

  DT_FIRST = 1,
  DT_LAST = 67,
  DT_COUNT = 68  // size of arrays indexed by type code
};

inline bool IsValidDeviceType(int type) noexcept { return type >= DT_FIRST && type <= DT_LAST; }

// The document's object lists ("categories"), numbered 1..16. An object is
// appended to the list of its category; the category also decides its
// default name and command-path prefix.
enum DeviceCategory : int {
  CAT_NONE = 0,
  CAT_AMPLIFIERS = 1,
  CAT_TOPOLOGIES = 2,  // relay topologies and collection calls
  CAT_ZONES = 3,
  CAT_GROUPS = 4,       // the root group (identifier 0) first
  CAT_OUTPUTSLOTS = 5,  // audio output slots
  CAT_INPUTSLOTS = 6,   // audio input slots
  CAT_CALENDAR = 7,     // appointments, day programs, holidays
  CAT_SOURCES = 8,      // signal sources (alarm generators, gongs, messages)
  CAT_LOGIC = 9,        // control-logic blocks and containers
  CAT_MODULES = 10,     // modules of the central unit
  CAT_SLOTS = 11,       // slots of the central unit
  CAT_ENTRIES = 12,     // cards, card labels, entries of the lists (no path)
  CAT_AUDIODEVICES = 13,
  CAT_CONSOLES = 14,
  CAT_MACROS = 15,
  CAT_MISC = 16,  // relays, LAN groups, audio signals

  CAT_FIRST = 1,
  CAT_LAST = 16,
  CAT_COUNT = 16
};

inline bool IsValidCategory(int category) noexcept { return category >= CAT_FIRST && category <= CAT_LAST; }

// The name a category gives its objects by default ("Zone" -> "Zone 5").
// Mixed categories (calendar, entries, miscellaneous) have none: their
// objects are named after their kind text instead.
struct CategoryInfo {
  int category;
  uint32_t nameStringId;     // string-table id of the name, 0 when none
  const char* fallbackName;  // used when the string table lacks the id; null for mixed categories
};

// The entry of a category; null for a number outside 1..16.
const CategoryInfo* GetCategoryInfo(int category);
// The category's name in the current language; empty for mixed categories.
QString GetCategoryName(int category);
// True for the categories whose objects are named after their kind.
bool IsMixedCategory(int category);

#endif
