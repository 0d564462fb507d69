// The amplifier's context menu (resource 216): relay topologies on its
// outputs, delete and properties.
#include "amps/camplifier.h"
#include "model/cmenudata.h"
#include "model/commandids.h"
#include "model/cstringtable.h"
#include "shell/cmenuresources.h"

#include <QCoreApplication>

namespace {

constexpr uint32_t kStrProperties = 33006;  // "Properties ..."

const bool g_registered = CMenuResources::Register(CAmplifier::kMenuId, [](CMenuData& menu) {
  std::vector<CMenuItem>& topologies = menu.AddSubmenu(QCoreApplication::translate("CAmplifierMenu", "Relay topology"));
  for (int id : {CAmplifier::ID_TOPOLOGY_DIRECT, CAmplifier::ID_TOPOLOGY_1INN, CAmplifier::ID_TOPOLOGY_PROGPAGE}) {
    CMenuItem item;
    item.id = id;
    item.text = LoadString(static_cast<uint32_t>(id));
    topologies.push_back(item);
  }
  menu.AddSeparator();
  menu.AddItem(ID_DELETE_OBJECT, QCoreApplication::translate("CAmpsMenu", "Delete"));
  menu.AddItem(ID_SHOW_PROPERTIES, LoadString(kStrProperties));
});

}  // namespace
