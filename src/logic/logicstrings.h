#ifndef SELV_LOGIC_LOGICSTRINGS_H
#define SELV_LOGIC_LOGICSTRINGS_H

#include <QString>

#include <cstdint>

// String ids of the control-logic and calendar objects: kinds, selection
// kinds and the texts they show. Ids from 36100 on are this subsystem's own.
enum LogicStringId : uint32_t {
  IDS_LOGIC_OFF = 34235,        // "OFF"
  IDS_LOGIC_ON = 34477,         // "ON"
  IDS_ALL_CONSOLES = 34273,     // "All Consoles"
  IDS_NO_ENTRY = 34421,         // "No entry"
  IDS_TEXT = 34285,             // "Text"
  IDS_TIME_RANGE = 34298,       // "Time Range"
  IDS_TRIGGER = 33085,          // "Trigger"
  IDS_OUTPUT = 33021,           // "Output"
  IDS_ERROR_TEXTS = 32954,      // "Error texts"
  IDS_WEEKLY_PROGRAM = 34118,   // "Weekly program"
  IDS_DAILY_PROGRAM = 34119,    // "Daily Program"
  IDS_CONDITION = 34129,        // "Condition"
  IDS_MEMO_FLAG = 34130,        // "Memo Flag"
  IDS_READYINP = 34282,         // "READYINP"
  IDS_CONDITION_TYPE = 34325,   // "Condition type"
  IDS_RANGE_CHECK = 34358,      // "Range check"
  IDS_COMBINATION = 34359,      // "Combination"
  IDS_BUSY_PROPERTIES = 34449,  // "BUSY condition Properties"
  IDS_INV = 34454,              // "Inv."
  IDS_LOGIC = 34455,            // "Logic"
  IDS_BUSY_CONDITION = 34456,   // "Busy condition"
  IDS_LOGIC_STATE = 34460,      // "Logic state"
  IDS_AMPLIFIER_ERROR = 34480,  // "Amplifier Error"

  // Condition types and the selection kinds of their sources.
  IDS_COND_INPUT = 36100,             // "Control input"
  IDS_SELECT_CONTROL_INPUTS = 36101,  // "Control inputs"
  IDS_COND_CONSOLE = 36102,           // "Console fault"
  IDS_COND_ZONE_FAULT = 36103,        // "Line fault"
  IDS_COND_FAULT = 36104,             // "Collective fault"
  IDS_COND_ANALOG = 36105,            // "Range check state"
  IDS_COND_BUSY = 36106,              // "Busy state"
  IDS_COND_COMBINE = 36107,           // "Combination state"
  IDS_COND_READY_INPUT = 36108,       // "Ready input fault"
  IDS_SELECT_READY_INPUTS = 36109,    // "Ready inputs"
  IDS_COND_MACRO = 36110,             // "Macro running"
  IDS_COND_MEMO_FLAG = 36111,         // "Memo flag set"
  IDS_COND_LOGIC_OUT = 36112,         // "Logic output state"

  // Calendar.
  IDS_EVENT = 36120,            // "Event"
  IDS_HOLIDAY_PROGRAM = 36121,  // "Holiday program"
  IDS_REP_ONETIME = 36122,      // "onetime"
  IDS_REP_ANNUAL = 36123,       // "annual"
  IDS_REP_MONTHLY = 36124,      // "monthly"
  IDS_REP_WEEKLY = 36125,       // "weekly"
  IDS_REP_DAILY = 36126,        // "daily"
  IDS_REP_HOURLY = 36127,       // "hourly"
  IDS_REP_MINUTELY = 36128,     // "minutely"

  // Logic functions of a combination.
  IDS_FUNC_AND = 36130,  // "AND"
  IDS_FUNC_OR = 36131,   // "OR"
  IDS_FUNC_XOR = 36132,  // "XOR"

  // Audio sources of a busy condition.
  IDS_SOURCE_ALARM = 36135,       // "Alarm"
  IDS_SOURCE_CHIME = 36136,       // "Chime"
  IDS_SOURCE_MESSAGE = 36137,     // "Message"
  IDS_SOURCE_PAGE = 36138,        // "Page"
  IDS_SOURCE_BACKGROUND = 36139,  // "Background"

  // The thirteen fixed device texts of the ready inputs (text numbers 6..18).
  IDS_DEVICE_TEXT_FIRST = 36140,
  IDS_DEVICE_TEXT_LAST = 36152,

  // Names of the fixed objects.
  IDS_CONDITION_BLOCK = 36160,     // "Conditions"
  IDS_TRIGGER_BLOCK = 36161,       // "Triggers"
  IDS_LOGICOUT_BLOCK = 36162,      // "Logic outputs"
  IDS_CALENDAR_BLOCK = 36163,      // "Calendar"
  IDS_GLOBAL_READY_INPUT = 36164,  // "Ready inputs"
  IDS_FAULT = 36165,               // "Collective fault"
  IDS_CLOCK = 36166,               // "Clock"
};

// The text of a string id in the current language (the string table's
// LoadString under this subsystem's name).
QString LogicString(uint32_t id);

#endif
