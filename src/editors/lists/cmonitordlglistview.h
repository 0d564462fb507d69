#ifndef SELV_EDITORS_LISTS_CMONITORDLGLISTVIEW_H
#define SELV_EDITORS_LISTS_CMONITORDLGLISTVIEW_H

#include "editors/lists/cmonitorlistviewbase.h"

class CSelvantisDoc;
class IDeviceLink;

// The monitor table: one row per entry in use, its number and the source it
// names. A double click on the source (or New) chooses a source from the
// monitor's choices. Rows are computed from the project's monitor at every
// fill; the view holds none of its data.
class CMonitorDlgListView final : public CMonitorListViewBase {
  Q_OBJECT

 public:
  explicit CMonitorDlgListView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override;
  void DeleteEntry();
  // The whole monitor object to the unit, or (bUpload) from it.
  void TransferMonitor(bool bUpload);
  void TransferAll(bool bUpload) override { TransferMonitor(bUpload); }

  // Column 2 chooses the entry's source. Row data: the entry's choice code.
  void EditCell(int row, int column) override;

  // The link of transfers; null: the installed one.
  void SetLink(IDeviceLink* link) { m_link = link; }

 private:
  IDeviceLink* m_link = nullptr;
};

#endif
