#include "consoles/consolezonehooks.h"

#include "amps/czone.h"
#include "consoles/cconskey.h"
#include "consoles/cconsole.h"
#include "model/cselvantisdoc.h"

#include <cstdlib>

namespace {

const bool kInstalled = [] {
  IZoneConsoleHooks::Install(&ConsoleZoneHooks::Instance());
  return true;
}();

}  // namespace

ConsoleZoneHooks& ConsoleZoneHooks::Instance() {
  static ConsoleZoneHooks hooks;
  return hooks;
}

void ConsoleZoneHooks::ProgramSelectionKeys(CZone& zone) {
  CSelvantisDoc* doc = zone.GetDocument();
  const int id = zone.GetID();
  if (doc == nullptr || id < 1 || id > CConsKey::kMaxProgrammableKey) return;
  std::vector<CBaseDevice*> consoles;
  doc->GetIDManager().GetBaseDeviceList(consoles, DT_CONSOLE);
  for (CBaseDevice* object : consoles) {
    auto* console = dynamic_cast<CConsole*>(object);
    if (console == nullptr || console->HasLinkOnPort(id)) continue;
    CConsKey* key = console->FindKey(id);
    if (key == nullptr) continue;
    // The zone is being placed and not yet among the document's zones:
    // it is handed to the key rather than looked up.
    key->SetSecondTarget(KeyTarget::None());
    key->SetProgramming(CConsKey::SEL, id, 0, 0, KeyTarget::Of(&zone), CAT_ZONES, true);
  }
}

void ConsoleZoneHooks::DisableKey(CBaseDevice& console, int port) {
  auto* owner = dynamic_cast<CConsole*>(&console);
  if (owner == nullptr) return;
  const int number = std::abs(ConsolePinPort(port));
  CConsKey* key = owner->FindKey(number);
  if (key == nullptr) return;
  key->SetSecondTarget(KeyTarget::None());
  key->SetFunctionFromText(CConsKey::DISABLED, QString(), true);
}
