#ifndef SELV_SHELL_CMENURESOURCES_H
#define SELV_SHELL_CMENURESOURCES_H

#include "model/cmenudata.h"

#include <functional>

// The context-menu resources of model objects, by menu id. Each area that
// brings a class registers the menu its objects name with GetMenuID();
// an object whose menu is not registered gets the common menu (delete,
// properties). Texts are read when the menu is built, so they follow the
// language.
class CMenuResources final {
 public:
  using Filler = std::function<void(CMenuData& menu)>;

  // Registers the menu of an id; a second registration of the id replaces
  // the first. Returns true so it can initialise a static.
  static bool Register(int menuId, Filler filler);
  static bool Has(int menuId);
  // The menu of the id, or the common menu for an id without a resource.
  static CMenuData Load(int menuId);
  // 33001 "Delete this object", a separator, 33002 "Properties".
  static void FillCommonMenu(CMenuData& menu);
};

#endif
