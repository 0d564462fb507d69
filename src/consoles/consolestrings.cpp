#include "consoles/consolestrings.h"

#include "model/cstringtable.h"

namespace {

// Texts the string table may lack.
const char* BuiltInText(uint32_t id) {
  switch (id) {
    case IDS_CONS_PARSER_ERROR: return "Parser-error !\n\rUnknown selection parameter !";
    case IDS_CONS_NOT_CONNECTED:
      return "The Console '%s' is not connected !\nIt is not possible to transmit data !\n";
    case IDS_CONS_GROUP_MISSING: return "The group %d does not exist in this project !\n";
    case IDS_CONS_SIGNAL_MISSING: return "Warning: audiosignal for key %d is not present !\n";
    case IDS_CONS_ZONE_MISSING: return "Warning: Zone or group not present !\n";
    case IDS_CONS_MACRO2_MISSING: return "Warning: 2.macro not present !\n";
    case IDS_CONS_MACRO_MISSING: return "Warning:.macro not present !\n";
    case IDS_CONS_WRONG_SCHEMA: return "Wrong schema number: Console data format maybe incorrect !\n";
    case IDS_CONS_EXTENSION_DROPPED:
      return "The console '%s' was saved with the extension RCX6350, which this project format does not "
             "hold.\nConsole '%s' is now the model without the extension RCX6350.\nChoose the extension "
             "again in the properties of '%s' if it is fitted.";
    case IDS_CONS_AUX_WITH_EXTENSION:
      return "\"Warning : AUX key on Console '%s' with extension found .\r\nYou can only connect 1 device to "
             "the EXT connector  !\"";
    case IDS_CONS_PTT_WITH_EXTENSION:
      return "\"Warning : PTT key on Console '%s' with extension found .\r\nYou can only connect 1 device to "
             "the EXT connector  !\"";
    default: return nullptr;
  }
}

}  // namespace

QString ConsoleString(uint32_t id) {
  QString text = CStringTable::Load(id);
  if (!text.isEmpty()) return text;
  text = CStringTable::Load(id, CStringTable::Language::English);
  if (!text.isEmpty()) return text;
  const char* builtIn = BuiltInText(id);
  return builtIn != nullptr ? QString::fromLatin1(builtIn) : QString();
}
