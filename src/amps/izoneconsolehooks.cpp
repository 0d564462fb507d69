#include "amps/izoneconsolehooks.h"

namespace {

IZoneConsoleHooks* g_hooks = nullptr;

}  // namespace

IZoneConsoleHooks* IZoneConsoleHooks::Installed() { return g_hooks; }

IZoneConsoleHooks* IZoneConsoleHooks::Install(IZoneConsoleHooks* hooks) {
  IZoneConsoleHooks* previous = g_hooks;
  g_hooks = hooks;
  return previous;
}
