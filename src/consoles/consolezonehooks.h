#ifndef SELV_CONSOLES_CONSOLEZONEHOOKS_H
#define SELV_CONSOLES_CONSOLEZONEHOOKS_H

#include "amps/izoneconsolehooks.h"

// What the consoles do when zones come and go: a new zone programs the
// selection key with its number on every console where that key has no
// link; a deleted zone disables the keys that point at it. Installed for the
// program's run when the library loads.
class ConsoleZoneHooks final : public IZoneConsoleHooks {
 public:
  void ProgramSelectionKeys(CZone& zone) override;
  void DisableKey(CBaseDevice& console, int port) override;

  // The instance the library installs.
  static ConsoleZoneHooks& Instance();
};

#endif
