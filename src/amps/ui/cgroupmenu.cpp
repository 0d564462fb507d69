// The group's context menu (resource 111): a group below this one, delete
// and properties.
#include "amps/cgroup.h"
#include "model/cmenudata.h"
#include "model/commandids.h"
#include "model/cstringtable.h"
#include "shell/cmenuresources.h"

#include <QCoreApplication>

namespace {

const bool g_registered = CMenuResources::Register(CGroup::kMenuId, [](CMenuData& menu) {
  menu.AddItem(CGroup::ID_ADD_GROUP, LoadString(CGroup::ID_ADD_GROUP));
  menu.AddSeparator();
  menu.AddItem(ID_DELETE_OBJECT, QCoreApplication::translate("CAmpsMenu", "Delete"));
  menu.AddItem(CGroup::ID_GROUP_PROPERTIES, LoadString(CGroup::ID_GROUP_PROPERTIES));
});

}  // namespace
