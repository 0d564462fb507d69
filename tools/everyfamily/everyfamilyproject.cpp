#include "everyfamilyproject.h"

#include "amps/amptypeinfo.h"
#include "amps/camp.h"
#include "amps/camplifier.h"
#include "amps/ccollectioncall.h"
#include "amps/cgroup.h"
#include "amps/clangroup.h"
#include "amps/cmonitor.h"
#include "amps/crelaistopology.h"
#include "amps/cspareamp.h"
#include "amps/czone.h"
#include "consoles/cconsole.h"
#include "consoles/cconsprop.h"
#include "everyfamily.h"
#include "macros/cmacro.h"
#include "model/cselvantisdoc.h"
#include "model/devicetype.h"

#include <QPoint>
#include <QRect>

#include <vector>

void FillEveryFamilyProject(CSelvantisDoc& doc, EveryFamilySize size) {
  const bool full = size == EveryFamilySize::Full;
  const int zonesPerTopology = full ? 3 : 2;
  doc.OnNewDocument();
  for (int type = DT_FIRST; type <= DT_LAST; ++type)
    if (CSelvantisDoc::HasObjectFactory(type)) doc.CreateObject(type, 0);

  int x = 100;
  for (int index = 0;; ++index, x += 120) {
    const AmpTypeInfo* row = CAmplifier::GetTypeRow(index);
    if (row == nullptr || row->kind == kAmpKindNotUsed) break;
    doc.Adopt(CAmplifier::Make(doc, row->kind, QPoint(x, 100)));
  }

  std::vector<CZone*> zones;
  x = 100;
  for (int kind : {CRelaisTopology::KIND_DIRECT, CRelaisTopology::KIND_1INN, CRelaisTopology::KIND_NIN1,
                   CRelaisTopology::KIND_PROGPAGE}) {
    auto* topology = dynamic_cast<CRelaisTopology*>(doc.CreateObject(DT_RELAYTOPOLOGY, kind));
    if (topology == nullptr) continue;
    topology->Move(x - topology->GetRect().left(), 600 - topology->GetRect().top(), false);
    topology->ChangeKind(kind, zonesPerTopology);
    for (CZone* zone : topology->GetZones()) zones.push_back(zone);
    x += 400;
  }
  if (zones.size() > 1) {
    if (auto* group = dynamic_cast<CGroup*>(zones.front()->AddNewGroup()))
      CBaseDevice::Connect(zones[1], CZone::kGroupPin, group, 0);
  }
  CLANGroup::CreateIn(doc, QRect(2000, 300, 60, 40));

  std::vector<int> models = {CConsProp::RCX6010, CConsProp::RCX6520X, CConsProp::RCX6106};
  if (full) {
    models = {CConsProp::RCX6010,  CConsProp::RCX6020,  CConsProp::RCX6510,  CConsProp::RCX6520,  CConsProp::RCX6550,
              CConsProp::RCX6010X, CConsProp::RCX6020X, CConsProp::RCX6510X, CConsProp::RCX6520X, CConsProp::RCX6550X,
              CConsProp::RCX6530,  CConsProp::RCX6530X, CConsProp::RCX6106,  CConsProp::RCX6010};
  }
  x = 100;
  for (int model : models) {
    CConsole::CreateIn(doc, model, QRect(x, 1200, 64, 48));
    x += 100;
  }

  CMonitor::EnsureIn(doc);
  CSpareAmp::EnsureIn(doc);
  if (full) FillEveryFamilyTables(doc);
  CCollectionCall::EnsureAll(doc);
  CAmp::EnsureIn(doc);
  for (int kind : CMacro::UserKinds()) CMacro::CreateMacro(kind, doc);
  doc.PurgeDeleted();
}

void FillEveryFamilyTables(CSelvantisDoc& doc) {
  CMonitor* monitor = CMonitor::EnsureIn(doc);
  CSpareAmp* spare = CSpareAmp::EnsureIn(doc);
  if (!monitor || !spare) return;
  monitor->SetValue((0 << 16) | CMonitor::KC_IN, 1);
  monitor->SetValue((1 << 16) | CMonitor::KC_OUT, 2);
  for (int n = 0; n < 2; ++n) {
    spare->SetEntry(n, QStringLiteral("Backup %1").arg(n + 1), true, DT_READYINPUT, n + 1, 0);
    spare->SetWatch(0, n, 1, DT_READYINPUT, n + 3, 0);
  }
}

void TeachEveryFamily(UnitSimulator& sim) { RegisterEveryFamily(sim); }
