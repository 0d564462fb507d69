// The relay topology's context menu (resource 236): delete and properties.
#include "amps/crelaistopology.h"
#include "model/cmenudata.h"
#include "model/commandids.h"
#include "model/cstringtable.h"
#include "shell/cmenuresources.h"

#include <QCoreApplication>

namespace {

constexpr uint32_t kStrProperties = 33006;  // "Properties ..."

const bool g_registered = CMenuResources::Register(CRelaisTopology::kMenuId, [](CMenuData& menu) {
  menu.AddItem(ID_DELETE_OBJECT, QCoreApplication::translate("CAmpsMenu", "Delete"));
  menu.AddItem(ID_SHOW_PROPERTIES, LoadString(kStrProperties));
});

}  // namespace
