#include "shell/cmenuresources.h"

#include "model/commandids.h"
#include "model/cstringtable.h"

#include <map>

namespace {
std::map<int, CMenuResources::Filler>& Menus() {
  static std::map<int, CMenuResources::Filler> menus;
  return menus;
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
  menu.AddItem(ID_DELETE_OBJECT, LoadString(ID_DELETE_OBJECT));
  menu.AddSeparator();
  menu.AddItem(ID_SHOW_PROPERTIES, LoadString(ID_SHOW_PROPERTIES));
}
