#ifndef SELV_EDITORS_LISTS_ENTRYLISTKIND_H
#define SELV_EDITORS_LISTS_ENTRYLISTKIND_H

#include <cstdint>

// The constants of one entry list: the type of its entries, the container
// that transfers them, the list toolbar's four commands and which container
// steps carry one entry.
struct EntryListKind {
  int entryType = 0;
  int containerType = 0;
  // The negative step that prepares the container for this list.
  int selector = 0;
  uint32_t newCommand = 0;
  uint32_t deleteCommand = 0;
  uint32_t uploadCommand = 0;
  uint32_t downloadCommand = 0;
  // One entry is stepsPerEntry steps from FirstStep(id).
  int stepOffset = 0;
  int stepsPerEntry = 1;
  // Triggers: 4 x ID - 3 .. 4 x ID; the others ID + offset.
  int FirstStep(int id) const { return stepsPerEntry > 1 ? stepsPerEntry * id - (stepsPerEntry - 1) : id + stepOffset; }
  int EndStep(int id) const { return FirstStep(id) + stepsPerEntry; }
};

namespace entrylists {
inline constexpr int kConditionContainer = 52;
inline constexpr int kTriggerContainer = 50;

inline constexpr EntryListKind kAnalog{53, kConditionContainer, -2, 33123, 33124, 33125, 33153, 3, 1};
inline constexpr EntryListKind kBusy{55, kConditionContainer, -3, 33129, 33130, 33131, 33156, 23, 1};
inline constexpr EntryListKind kCombine{54, kConditionContainer, -4, 33132, 33133, 33134, 33155, 73, 1};
inline constexpr EntryListKind kCondition{33, kConditionContainer, -5, 33141, 33142, 32937, 32938, 123, 1};
inline constexpr EntryListKind kTrigger{21, kTriggerContainer, -1, 32987, 32988, 32926, 32927, 0, 4};
}  // namespace entrylists

#endif
