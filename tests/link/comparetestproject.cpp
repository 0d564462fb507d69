#include "comparetestproject.h"

#include "amps/crelaistopology.h"
#include "amps/czone.h"
#include "consoles/cconsole.h"
#include "consoles/cconsprop.h"
#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "model/devicetype.h"

#include <QRect>

#include <algorithm>

void FillCompareTestProject(CSelvantisDoc& doc, std::initializer_list<int> keep, bool whole) {
  doc.OnNewDocument();
  // The larger unit: its zones send their names and test volumes too.
  doc.SetUpgradeFlag(1);
  for (int type : {DT_CONDITIONOBJECT, DT_TRIGGEROBJECT, DT_LOGICOUTOBJECT, DT_GLOBALREADYINPUT, DT_CALOBJECT,
                   DT_MONITOR, DT_SPAREAMP, DT_VIRTCTRL}) {
    if (whole || std::find(keep.begin(), keep.end(), type) != keep.end()) continue;
    if (CBaseDevice* object = doc.GetIDManager().FindBaseDevice(1, type)) doc.DeleteObject(object);
  }
  auto* topology = dynamic_cast<CRelaisTopology*>(doc.CreateObject(DT_RELAYTOPOLOGY, CRelaisTopology::KIND_DIRECT));
  if (topology != nullptr) topology->ChangeKind(CRelaisTopology::KIND_DIRECT, 2);
  CConsole::CreateIn(doc, CConsProp::RCX6010, QRect(100, 600, 64, 48));
  if (CMacro* macro = CMacro::CreateMacro(CMacro::kKindPage, doc)) {
    std::vector<CBaseDevice*> zones;
    if (topology != nullptr)
      for (CZone* zone : topology->GetZones()) zones.push_back(zone);
    macro->SetZones(zones);
  }
  doc.PurgeDeleted();
  doc.SetModifiedFlag(false);
}
