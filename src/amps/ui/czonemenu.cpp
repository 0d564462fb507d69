// The zone's context menu (resource 215): groups and the LAN group made from
// the zone, the single-zone transfer, delete and properties.
#include "amps/czone.h"
#include "model/cmenudata.h"
#include "model/commandids.h"
#include "model/cstringtable.h"
#include "shell/cmenuresources.h"

#include <QCoreApplication>

namespace {

const bool g_registered = CMenuResources::Register(CZone::kMenuId, [](CMenuData& menu) {
  menu.AddItem(CZone::ID_ADD_GROUP, LoadString(CZone::ID_ADD_GROUP));
  menu.AddItem(CZone::ID_ADD_LANGROUP, LoadString(CZone::ID_ADD_LANGROUP));
  menu.AddItem(CZone::ID_ADD_CONTROL_RELAY, LoadString(CZone::ID_ADD_CONTROL_RELAY));
  menu.AddSeparator();
  menu.AddItem(ID_DEVICE_DOWNLOAD, LoadString(ID_DEVICE_DOWNLOAD));
  menu.AddItem(ID_DEVICE_UPLOAD, LoadString(ID_DEVICE_UPLOAD));
  menu.AddSeparator();
  menu.AddItem(ID_DELETE_OBJECT, QCoreApplication::translate("CAmpsMenu", "&Delete"));
  menu.AddItem(CZone::ID_ZONE_PROPERTIES, LoadString(CZone::ID_ZONE_PROPERTIES));
});

}  // namespace
