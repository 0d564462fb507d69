#include "model/devicetype.h"

#include "model/modelstrings.h"

namespace {

// Names of the lists' objects; the mixed lists have none.
const CategoryInfo kCategories[] = {
    {CAT_AMPLIFIERS, IDS_AMPLIFIER, "Amplifier"},
    {CAT_TOPOLOGIES, 0, "Topology"},
    {CAT_ZONES, IDS_ZONE, "Zone"},
    {CAT_GROUPS, 0, "Group"},
    {CAT_OUTPUTSLOTS, 0, "Output slot"},
    {CAT_INPUTSLOTS, 0, "Input slot"},
    {CAT_CALENDAR, 0, nullptr},
    {CAT_SOURCES, 0, "Source"},
    {CAT_LOGIC, 0, "Logic"},
    {CAT_MODULES, 0, "Module"},
    {CAT_SLOTS, 0, "Slot"},
    {CAT_ENTRIES, 0, nullptr},
    {CAT_AUDIODEVICES, 0, "Audio device"},
    {CAT_CONSOLES, IDS_CONSOLE, "Console"},
    {CAT_MACROS, IDS_MACRO, "Macro"},
    {CAT_MISC, 0, nullptr},
};

}  // namespace

const CategoryInfo* GetCategoryInfo(int category) {
  if (!IsValidCategory(category)) return nullptr;
  return &kCategories[category - CAT_FIRST];
}

bool IsMixedCategory(int category) {
  const CategoryInfo* info = GetCategoryInfo(category);
  return info != nullptr && info->fallbackName == nullptr;
}

QString GetCategoryName(int category) {
  const CategoryInfo* info = GetCategoryInfo(category);
  if (info == nullptr || info->fallbackName == nullptr) return QString();
  if (info->nameStringId != 0) {
    const QString text = ModelString(info->nameStringId);
    if (!text.isEmpty()) return text;
  }
  return QString::fromLatin1(info->fallbackName);
}
