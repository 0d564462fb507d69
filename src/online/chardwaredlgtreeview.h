#ifndef SELV_ONLINE_CHARDWAREDLGTREEVIEW_H
#define SELV_ONLINE_CHARDWAREDLGTREEVIEW_H

#include "online/chardwarescan.h"
#include "online/conlineview.h"

class QTreeWidget;
class QTreeWidgetItem;

// The tree of the hardware window: shows what CHardwareScan holds. It never
// polls; every exchange starts from a button or an expansion, except the
// slot scan of a window opened on line, which runs without freezing it.
class CHardwareDlgTreeView final : public COnlineView {
  Q_OBJECT

 public:
  // The item pictures: 16-pixel images of this strip, by CHardwareScan::Image.
  static constexpr int kImageStrip = 525;

  CHardwareDlgTreeView(CSelvantisDoc* doc, QWidget* parent);

  void OnInitialUpdate() override;
  void OnPoll() override {}

  void ShowOffline();
  void ScanAmplifiers();
  void ScanConsoles();
  void ScanCards();
  void ScanSlots();
  // The slot scan without freezing the window: the tree fills when the
  // unit's answers arrive. False when the link did not take the queries.
  bool ScanSlotsInBackground();

  // An item about to expand: only the selected item may. True when the
  // expansion is allowed.
  bool OnItemExpanding(QTreeWidgetItem* item) const;
  // An expanded item: asks the unit for its details.
  void OnItemExpanded(QTreeWidgetItem* item);

  QTreeWidget* Tree() const { return m_tree; }
  const CHardwareScan& Scan() const { return m_scan; }
  int ScanKind() const { return m_scan.GetScanKind(); }

 public slots:
  void OnCommReply(int tag, const QStringList& lines) override;

 private:
  static constexpr int kSlotScanTag = 3;
  bool m_slotScanPending = false;
  void Fill();

  CHardwareScan m_scan;
  QTreeWidget* m_tree;
};

#endif
