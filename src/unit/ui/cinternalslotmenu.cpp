// The context menu of the unit's info and internal slots (resource 110):
// properties, and a delete item that these fixed blocks always disable.
#include "model/cmenudata.h"
#include "model/commandids.h"
#include "model/cstringtable.h"
#include "shell/cmenuresources.h"
#include "unit/cinternalslot.h"

#include <QCoreApplication>

namespace {

constexpr uint32_t kStrProperties = 33006;  // "Properties ..."

const bool g_registered = CMenuResources::Register(CInternalSlot::kMenuId, [](CMenuData& menu) {
  const QString text = LoadString(kStrProperties);
  menu.AddItem(ID_SHOW_PROPERTIES,
               text.isEmpty() ? QCoreApplication::translate("CInternalSlotMenu", "Properties ...") : text);
  menu.AddSeparator();
  menu.AddItem(ID_DELETE_OBJECT, QCoreApplication::translate("CInternalSlotMenu", "Delete device"));
});

}  // namespace
