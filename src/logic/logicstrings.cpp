#include "logic/logicstrings.h"

#include "model/cstringtable.h"

namespace {

const char* BuiltInText(uint32_t id) {
  switch (id) {
    case IDS_LOGIC_OFF: return "OFF";
    case IDS_LOGIC_ON: return "ON";
    case IDS_ALL_CONSOLES: return "All Consoles";
    case IDS_NO_ENTRY: return "No entry";
    case IDS_TEXT: return "Text";
    case IDS_TIME_RANGE: return "Time Range";
    case IDS_TRIGGER: return "Trigger";
    case IDS_OUTPUT: return "Output";
    case IDS_ERROR_TEXTS: return "Error texts";
    case IDS_WEEKLY_PROGRAM: return "Weekly program";
    case IDS_DAILY_PROGRAM: return "Daily Program";
    case IDS_CONDITION: return "Condition";
    case IDS_MEMO_FLAG: return "Memo Flag";
    case IDS_READYINP: return "READYINP";
    case IDS_CONDITION_TYPE: return "Condition type";
    case IDS_RANGE_CHECK: return "Range check";
    case IDS_COMBINATION: return "Combination";
    case IDS_BUSY_PROPERTIES: return "BUSY condition Properties";
    case IDS_INV: return "Inv.";
    case IDS_LOGIC: return "Logic";
    case IDS_BUSY_CONDITION: return "Busy condition";
    case IDS_LOGIC_STATE: return "Logic state";
    case IDS_AMPLIFIER_ERROR: return "Amplifier Error";
    case IDS_COND_INPUT: return "Control input";
    case IDS_SELECT_CONTROL_INPUTS: return "Control inputs";
    case IDS_COND_CONSOLE: return "Console fault";
    case IDS_COND_ZONE_FAULT: return "Line fault";
    case IDS_COND_FAULT: return "Collective fault";
    case IDS_COND_ANALOG: return "Range check state";
    case IDS_COND_BUSY: return "Busy state";
    case IDS_COND_COMBINE: return "Combination state";
    case IDS_COND_READY_INPUT: return "Ready input fault";
    case IDS_SELECT_READY_INPUTS: return "Ready inputs";
    case IDS_COND_MACRO: return "Macro running";
    case IDS_COND_MEMO_FLAG: return "Memo flag set";
    case IDS_COND_LOGIC_OUT: return "Logic output state";
    case IDS_EVENT: return "Event";
    case IDS_HOLIDAY_PROGRAM: return "Holiday program";
    case IDS_REP_ONETIME: return "onetime";
    case IDS_REP_ANNUAL: return "annual";
    case IDS_REP_MONTHLY: return "monthly";
    case IDS_REP_WEEKLY: return "weekly";
    case IDS_REP_DAILY: return "daily";
    case IDS_REP_HOURLY: return "hourly";
    case IDS_REP_MINUTELY: return "minutely";
    case IDS_FUNC_AND: return "AND";
    case IDS_FUNC_OR: return "OR";
    case IDS_FUNC_XOR: return "XOR";
    case IDS_SOURCE_ALARM: return "Alarm";
    case IDS_SOURCE_CHIME: return "Chime";
    case IDS_SOURCE_MESSAGE: return "Message";
    case IDS_SOURCE_PAGE: return "Page";
    case IDS_SOURCE_BACKGROUND: return "Background";
    case IDS_DEVICE_TEXT_FIRST + 0: return "Mains failure";
    case IDS_DEVICE_TEXT_FIRST + 1: return "Battery fault";
    case IDS_DEVICE_TEXT_FIRST + 2: return "Charger fault";
    case IDS_DEVICE_TEXT_FIRST + 3: return "Amplifier fault";
    case IDS_DEVICE_TEXT_FIRST + 4: return "Backup amplifier";
    case IDS_DEVICE_TEXT_FIRST + 5: return "Console fault";
    case IDS_DEVICE_TEXT_FIRST + 6: return "Line fault";
    case IDS_DEVICE_TEXT_FIRST + 7: return "Ground fault";
    case IDS_DEVICE_TEXT_FIRST + 8: return "Fuse fault";
    case IDS_DEVICE_TEXT_FIRST + 9: return "Fan fault";
    case IDS_DEVICE_TEXT_FIRST + 10: return "Temperature";
    case IDS_DEVICE_TEXT_FIRST + 11: return "Relay fault";
    case IDS_DEVICE_TEXT_FIRST + 12: return "External fault";
    case IDS_CONDITION_BLOCK: return "Conditions";
    case IDS_TRIGGER_BLOCK: return "Triggers";
    case IDS_LOGICOUT_BLOCK: return "Logic outputs";
    case IDS_CALENDAR_BLOCK: return "Calendar";
    case IDS_GLOBAL_READY_INPUT: return "Ready inputs";
    case IDS_FAULT: return "Collective fault";
    case IDS_CLOCK: return "Clock";
    default: return nullptr;
  }
}

}  // namespace

QString LogicString(uint32_t id) {
  QString text = CStringTable::Load(id);
  if (!text.isEmpty()) return text;
  text = CStringTable::Load(id, CStringTable::Language::English);
  if (!text.isEmpty()) return text;
  const char* builtIn = BuiltInText(id);
  return builtIn != nullptr ? QString::fromLatin1(builtIn) : QString();
}
