#include "pacedunit.h"

#include "everyfamilyproject.h"
#include "link/linkprofile.h"
#include "model/cprofile.h"
#include "model/cstringtable.h"
#include "shell/cshellsettings.h"
#include "unitsimulator.h"

bool StartPacedUnit(UnitSimulator& sim, QString* error) {
  TeachEveryFamily(sim);
  sim.SetPaced(true);
  if (!sim.Start(error)) return false;
  CProfile::WriteString(LinkProfile::kComSection, LinkProfile::kPort, sim.PtyPath());
  CShellSettings::SetLanguage(CStringTable::Language::English);
  return true;
}
