// The console models in the drawing's "place new object" menu.
#include "consoles/cconsole.h"
#include "consoles/cconsprop.h"
#include "model/cselvantisdoc.h"
#include "model/cstringtable.h"
#include "shell/cplaceobjectregistry.h"

#include <QCoreApplication>

#include <array>

namespace {

// After the amplifiers in the menu.
constexpr int kFirstOrder = 300;
constexpr uint32_t kStrConsoles = 34520;  // "Consoles"

// Every model a console can be, the plain models before those with an
// extension.
constexpr std::array<int, 13> kModels = {
    CConsProp::RCX6010,  CConsProp::RCX6020,  CConsProp::RCX6510,  CConsProp::RCX6520,  CConsProp::RCX6530,
    CConsProp::RCX6550,  CConsProp::RCX6106,  CConsProp::RCX6010X, CConsProp::RCX6020X, CConsProp::RCX6510X,
    CConsProp::RCX6520X, CConsProp::RCX6530X, CConsProp::RCX6550X};

const bool g_registered = [] {
  int order = kFirstOrder;
  for (int model : kModels) {
    if (!CConsProp::IsKnownModel(model)) continue;
    CPlaceObjectRegistry::Entry entry;
    entry.groupTextId = kStrConsoles;
    entry.group = QCoreApplication::translate("CConsolePlacement", "Consoles");
    entry.textId = static_cast<uint32_t>(model);
    entry.text = CConsProp::ModelName(model);
    entry.type = DT_CONSOLE;
    entry.kind = model;
    entry.order = order++;
    CPlaceObjectRegistry::Register(entry);
  }
  return true;
}();

}  // namespace
