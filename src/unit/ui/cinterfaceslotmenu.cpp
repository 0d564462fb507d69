// The interface slot's context menu (resource 230): properties. The slot
// adds the items of the pin under the cursor itself.
#include "model/cmenudata.h"
#include "model/commandids.h"
#include "model/cstringtable.h"
#include "shell/cmenuresources.h"
#include "unit/cinterfaceslot.h"

#include <QCoreApplication>

namespace {

constexpr uint32_t kStrProperties = 33006;  // "Properties ..."

const bool g_registered = CMenuResources::Register(CInterfaceSlot::kMenuId, [](CMenuData& menu) {
  const QString text = LoadString(kStrProperties);
  menu.AddItem(ID_SHOW_PROPERTIES,
               text.isEmpty() ? QCoreApplication::translate("CInterfaceSlotMenu", "Properties ...") : text);
});

}  // namespace
