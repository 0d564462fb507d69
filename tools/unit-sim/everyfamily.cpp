#include "everyfamily.h"

#include "consolehandlers.h"
#include "logichandlers.h"
#include "macrohandlers.h"
#include "modulehandlers.h"
#include "monitorhandlers.h"
#include "unitsimulator.h"
#include "zonehandlers.h"

void RegisterTransferFamilies(UnitSimulator& sim) {
  RegisterConsoleHandlers(sim);
  RegisterLogicHandlers(sim);
  RegisterMacroHandlers(sim);
  RegisterModuleHandlers(sim);
  RegisterMonitorHandlers(sim);
  RegisterZoneHandlers(sim);
}

void RegisterEveryFamily(UnitSimulator& sim) {
  RegisterTransferFamilies(sim);
  sim.SetValue(QStringLiteral("/SERVICE/DEVID"), QStringLiteral("10336"));
  sim.SetValue(QStringLiteral("/SERVICE/VER"), QStringLiteral("V0.8"));
}
