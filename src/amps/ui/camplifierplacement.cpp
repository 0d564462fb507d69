// The amplifier models in the drawing's "place new object" menu.
#include "amps/camplifier.h"
#include "model/cselvantisdoc.h"
#include "model/modelstrings.h"
#include "shell/cplaceobjectregistry.h"

namespace {

// After the unit's own objects in the menu.
constexpr int kFirstOrder = 200;

const bool g_registered = [] {
  for (int index = 0; const AmpTypeInfo* row = CAmplifier::GetTypeRow(index); ++index) {
    CPlaceObjectRegistry::Entry entry;
    entry.groupTextId = IDS_AMPLIFIER;
    entry.textId = static_cast<uint32_t>(row->kind);
    entry.type = DT_AMPLIFIER;
    entry.kind = row->kind;
    entry.order = kFirstOrder + index;
    CPlaceObjectRegistry::Register(entry);
  }
  return true;
}();

}  // namespace
