#ifndef SELV_EDITORS_LISTS_CMONITORDLGLISTVIEW_H
#define SELV_EDITORS_LISTS_CMONITORDLGLISTVIEW_H

#include "editors/lists/ceblistview.h"

#include <functional>
#include <optional>

class CSelvantisDoc;
class IDeviceLink;

// The monitor table: one row per entry in use, its number and the source it
// names. A double click on the source (or New) chooses a source from the
// monitor's choices. Rows are computed from the project's monitor at every
// fill; the view holds none of its data.
class CMonitorDlgListView final : public CEBListView {
  Q_OBJECT

 public:
  // Asks for a choice of a selection kind; nothing when cancelled.
  using Chooser = std::function<std::optional<int>(uint32_t kind)>;

  explicit CMonitorDlgListView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override;
  void DeleteEntry();
  // The whole monitor object to the unit, or (bUpload) from it.
  void TransferMonitor(bool bUpload);
  void TransferAll(bool bUpload) override { TransferMonitor(bUpload); }

  // The double click on a cell: column 2 chooses the entry's source.
  void EditCell(int row, int column);
  // Row data: the entry's choice code.
  int RowData(int row) const;
  int GetCurrentRow() const noexcept { return m_currentRow; }

  void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }
  // The link of transfers; null: the installed one.
  void SetLink(IDeviceLink* link) { m_link = link; }

 signals:
  // A frame command the view asks for (the Delete key).
  void command(uint32_t id);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  std::optional<int> Choose(uint32_t kind);
  void OnSelectionChanged();

  CSelvantisDoc* m_doc;
  Chooser m_chooser;
  IDeviceLink* m_link = nullptr;
  int m_currentRow = 0;
};

#endif
