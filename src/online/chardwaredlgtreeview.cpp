#include "online/chardwaredlgtreeview.h"

#include "link/idevicelink.h"
#include "link/linkmode.h"
#include "model/cselvantisdoc.h"
#include "shell/cbitmapmanager.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

CHardwareDlgTreeView::CHardwareDlgTreeView(CSelvantisDoc* doc, QWidget* parent)
    : COnlineView(doc, parent), m_tree(new QTreeWidget(this)) {
  m_tree->setObjectName(QStringLiteral("hardwareTree"));
  m_tree->setColumnCount(1);
  m_tree->header()->hide();
  m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
  // White text background; the selected item in blue.
  m_tree->setStyleSheet(
      QStringLiteral("QTreeWidget::item { background: white; }"
                     " QTreeWidget::item:selected { color: #0000ff; background: white; }"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_tree);
  connect(m_tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    if (!OnItemExpanding(item)) {
      const QSignalBlocker block(m_tree);
      item->setExpanded(false);
      return;
    }
    OnItemExpanded(item);
  });
}

void CHardwareDlgTreeView::OnInitialUpdate() {}

void CHardwareDlgTreeView::Fill() {
  const QSignalBlocker block(m_tree);
  m_tree->clear();
  m_tree->setRootIsDecorated(m_scan.HasTreeLines());
  for (const CHardwareScan::Item& entry : m_scan.Items()) {
    auto* item = new QTreeWidgetItem(m_tree, QStringList{entry.text});
    item->setData(0, Qt::UserRole, entry.data);
    if (entry.image != CHardwareScan::kImageNone) item->setIcon(0, CBitmapManager::Icon(kImageStrip, entry.image));
    for (const QString& child : entry.children) new QTreeWidgetItem(item, QStringList{child});
  }
}

void CHardwareDlgTreeView::ShowOffline() {
  m_scan.ShowOffline();
  Fill();
}
void CHardwareDlgTreeView::ScanAmplifiers() {
  m_slotScanPending = false;  // a later scan replaces the one under way
  m_scan.ScanAmplifiers();
  Fill();
}
void CHardwareDlgTreeView::ScanConsoles() {
  m_slotScanPending = false;  // a later scan replaces the one under way
  m_scan.ScanConsoles();
  Fill();
}
void CHardwareDlgTreeView::ScanCards() {
  m_slotScanPending = false;  // a later scan replaces the one under way
  m_scan.ScanCards();
  Fill();
}
void CHardwareDlgTreeView::ScanSlots() {
  m_slotScanPending = false;  // a later scan replaces the one under way
  m_scan.ScanSlots();
  Fill();
}

bool CHardwareDlgTreeView::ScanSlotsInBackground() {
  m_scan.StartSlotScan();
  Fill();
  m_slotScanPending = GetDeviceLink()->SendCommandList(CHardwareScan::SlotQueries(), true, 0, this, kSlotScanTag);
  return m_slotScanPending;
}

void CHardwareDlgTreeView::OnCommReply(int tag, const QStringList& lines) {
  if (tag != kSlotScanTag || !m_slotScanPending || !m_scan.TakeSlotAnswers(lines)) return;
  m_slotScanPending = false;
  // All answers are in: the link goes back to its normal routing.
  GetDeviceLink()->SetLinkMode(LINKMODE_NORMAL);
  Fill();
}

bool CHardwareDlgTreeView::OnItemExpanding(QTreeWidgetItem* item) const {
  return item != nullptr && item == m_tree->currentItem();
}

void CHardwareDlgTreeView::OnItemExpanded(QTreeWidgetItem* item) {
  if (item == nullptr || item->parent() != nullptr) return;
  const int index = m_tree->indexOfTopLevelItem(item);
  if (!m_scan.ExpandItem(index)) return;
  const QStringList& children = m_scan.Items()[static_cast<size_t>(index)].children;
  for (int i = 0; i < item->childCount() && i < children.size(); ++i) item->child(i)->setText(0, children[i]);
}
