#ifndef SELV_EDITORS_LISTS_CMONITORRELAISLISTVIEW_H
#define SELV_EDITORS_LISTS_CMONITORRELAISLISTVIEW_H

#include "editors/lists/cmonitorlistviewbase.h"

class CSelvantisDoc;

// The monitor's relay slots: one row per slot holding a relay, the slot
// number and the KCM209 relay output it holds. A double click on the relay
// (or New) chooses a KCM209 output.
class CMonitorRelaisListView final : public CMonitorListViewBase {
  Q_OBJECT

 public:
  explicit CMonitorRelaisListView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewRelay();
  void DeleteRelay();
  // Row data: the slot index.
  void EditCell(int row, int column) override;

 signals:
  // The monitor changed: both lists refill.
  void changed();
};

#endif
