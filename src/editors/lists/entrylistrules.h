#ifndef SELV_EDITORS_LISTS_ENTRYLISTRULES_H
#define SELV_EDITORS_LISTS_ENTRYLISTRULES_H

#include <cstdint>
#include <vector>

class CSelvantisDoc;

// The decisions every entry-list frame shares: which commands go where,
// when New and Delete are possible and which entry is current after a
// delete.
class EntryListRules final {
 public:
  enum class Route {
    SwitchEditor,  // posted to the host dialog, which swaps the frame
    SaveProject,   // File > Save of the main window
    SaveVmx,       // "Save VMX settings" over the link
    Default
  };
  static constexpr uint32_t kFileSave = 57603;
  static constexpr uint32_t kSaveVmxSettings = 32852;
  static constexpr uint32_t kDeviceDownload = 33179;
  static constexpr uint32_t kDeviceUpload = 33180;
  static constexpr int kDeleteObjectCommand = 33001;

  // The editor-switch buttons of the frames' editor toolbar, in bar order.
  static const std::vector<uint32_t>& EditorSwitchCommands();
  static bool IsEditorSwitchCommand(uint32_t id);
  static Route RouteOf(uint32_t id);

  // New is possible while the project may hold one more entry of the type;
  // Delete while it holds any.
  static bool CanCreate(const CSelvantisDoc& doc, int entryType);
  static bool CanDelete(const CSelvantisDoc& doc, int entryType);

  // The current ID after row deletedRow of a list whose rows hold rowIds
  // (before the delete): the entry below, else the one above. Deleting the
  // first row keeps current.
  static int CurrentAfterDelete(const std::vector<int>& rowIds, int deletedRow, int current);
  // The row a refill selects: the one holding currentId, else 0 (-1 for no
  // rows).
  static int RowToSelect(const std::vector<int>& rowIds, int currentId);
};

#endif
