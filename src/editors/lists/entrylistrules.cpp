#include "editors/lists/entrylistrules.h"

#include "model/cselvantisdoc.h"

#include <algorithm>

const std::vector<uint32_t>& EntryListRules::EditorSwitchCommands() {
  static const std::vector<uint32_t> commands{32992, 32993, 32994, 32995, 32997, 32998, 32999, 33106, 33107, 33108,
                                              33109, 33110, 33111, 33112, 33113, 33114, 33157, 34519, 34584, 34585};
  return commands;
}

bool EntryListRules::IsEditorSwitchCommand(uint32_t id) {
  const auto& commands = EditorSwitchCommands();
  return std::find(commands.begin(), commands.end(), id) != commands.end();
}

EntryListRules::Route EntryListRules::RouteOf(uint32_t id) {
  if (IsEditorSwitchCommand(id)) return Route::SwitchEditor;
  if (id == kFileSave) return Route::SaveProject;
  if (id == kSaveVmxSettings) return Route::SaveVmx;
  return Route::Default;
}

// Against the create limit rather than "count differs from the maximum": a
// project loaded with more entries than the limit must not grow further, and
// a type without a limit still stops when its identifier pool is full.
bool EntryListRules::CanCreate(const CSelvantisDoc& doc, int entryType) {
  return doc.GetIDManager().CanCreate(entryType, doc.IsBigProject());
}

bool EntryListRules::CanDelete(const CSelvantisDoc& doc, int entryType) {
  return doc.GetIDManager().GetCount(entryType) > 0;
}

int EntryListRules::CurrentAfterDelete(const std::vector<int>& rowIds, int deletedRow, int current) {
  const int count = static_cast<int>(rowIds.size());
  if (deletedRow <= 0 || deletedRow >= count) return current;
  if (deletedRow + 1 < count) return rowIds[deletedRow + 1];
  return rowIds[deletedRow - 1];
}

int EntryListRules::RowToSelect(const std::vector<int>& rowIds, int currentId) {
  if (rowIds.empty()) return -1;
  const auto it = std::find(rowIds.begin(), rowIds.end(), currentId);
  return it == rowIds.end() ? 0 : static_cast<int>(it - rowIds.begin());
}
