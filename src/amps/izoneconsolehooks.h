#ifndef SELV_AMPS_IZONECONSOLEHOOKS_H
#define SELV_AMPS_IZONECONSOLEHOOKS_H

class CBaseDevice;
class CZone;

// What a zone asks of the consoles when it comes and goes. The console model
// installs an implementation; until one is installed zones leave the
// consoles alone. The installer keeps the object alive while installed.
class IZoneConsoleHooks {
 public:
  virtual ~IZoneConsoleHooks() = default;

  // A zone was placed: every console of its document whose key with the
  // zone's identifier as number exists and has no link on that port gets
  // the key programmed as a selection ("SEL") key of the zone.
  virtual void ProgramSelectionKeys(CZone& zone) = 0;
  // A zone that is about to be deleted was linked to this console at the
  // port (the console's own pin): the key of that port, when it exists,
  // becomes DISABLED.
  virtual void DisableKey(CBaseDevice& console, int port) = 0;

  // The installed hooks, or null.
  static IZoneConsoleHooks* Installed();
  // Installs hooks (null: none) and returns the previous ones.
  static IZoneConsoleHooks* Install(IZoneConsoleHooks* hooks);
};

#endif
