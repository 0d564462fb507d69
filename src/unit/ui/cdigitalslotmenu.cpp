// The digital slot's context menu (resource 228): empty slot or module
// fitted, and properties. The pin items ("Output", "Input") are added by the
// slot itself when a pin was under the cursor.
#include "model/cmenudata.h"
#include "model/commandids.h"
#include "shell/cmenuresources.h"
#include "unit/cdigitalslot.h"

#include <QCoreApplication>

namespace {

const bool g_registered = CMenuResources::Register(CDigitalSlot::kMenuId, [](CMenuData& menu) {
  menu.AddItem(CDigitalSlot::ID_EMPTY_SLOT, QCoreApplication::translate("CDigitalSlotMenu", "&Empty slot"));
  menu.AddItem(CDigitalSlot::ID_FIT_MODULE, QCoreApplication::translate("CDigitalSlotMenu", "&8 I/O Control module"));
  menu.AddItem(ID_SHOW_PROPERTIES, QCoreApplication::translate("CDigitalSlotMenu", "&Properties ..."));
});

}  // namespace
