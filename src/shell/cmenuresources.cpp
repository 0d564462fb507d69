#include "shell/cmenuresources.h"

#include "model/commandids.h"
#include "model/cstringtable.h"

#include <QCoreApplication>

#include <map>

namespace {
std::map<int, CMenuResources::Filler>& Menus() {
  static std::map<int, CMenuResources::Filler> menus;
  return menus;
}

// The string table's text, or the shell's own when the table lacks the id.
QString TextOf(uint32_t id, const char* fallback) {
  const QString text = LoadString(id);
  return text.isEmpty() ? QCoreApplication::translate("CMenuResources", fallback) : text;
}
}  // namespace

bool CMenuResources::Register(int menuId, Filler filler) {
  Menus()[menuId] = std::move(filler);
  return true;
}

bool CMenuResources::Has(int menuId) { return Menus().count(menuId) != 0; }

CMenuData CMenuResources::Load(int menuId) {
  CMenuData menu;
  auto it = Menus().find(menuId);
  if (it != Menus().end() && it->second)
    it->second(menu);
  else
    FillCommonMenu(menu);
  return menu;
}

void CMenuResources::FillCommonMenu(CMenuData& menu) {
  menu.AddItem(ID_DELETE_OBJECT, TextOf(ID_DELETE_OBJECT, QT_TRANSLATE_NOOP("CMenuResources", "&Delete this object")));
  menu.AddSeparator();
  menu.AddItem(ID_SHOW_PROPERTIES, TextOf(ID_SHOW_PROPERTIES, QT_TRANSLATE_NOOP("CMenuResources", "&Properties...")));
}
