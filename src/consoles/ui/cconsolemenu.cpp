// The console's context menu (resource 214): delete and properties. The
// console enables Properties only while a properties dialog is registered.
#include "consoles/cconsole.h"
#include "model/cmenudata.h"
#include "model/commandids.h"
#include "model/cstringtable.h"
#include "shell/cmenuresources.h"

#include <QCoreApplication>

namespace {

constexpr uint32_t kStrProperties = 33006;  // "Properties ..."

QString TextOf(uint32_t id, const char* fallback) {
  const QString text = LoadString(id);
  return text.isEmpty() ? QCoreApplication::translate("CConsoleMenu", fallback) : text;
}

const bool g_registered = CMenuResources::Register(CConsole::kMenuId, [](CMenuData& menu) {
  menu.AddItem(ID_DELETE_OBJECT, TextOf(ID_DELETE_OBJECT, QT_TRANSLATE_NOOP("CConsoleMenu", "Delete")));
  menu.AddSeparator();
  CMenuItem& properties =
      menu.AddItem(ID_SHOW_PROPERTIES, TextOf(kStrProperties, QT_TRANSLATE_NOOP("CConsoleMenu", "Properties ...")));
  properties.enabled = CBaseDevice::HasPropertiesHandler(DT_CONSOLE);
});

}  // namespace
