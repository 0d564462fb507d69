#include "editors/lists/cmonitordlglistview.h"

#include "amps/cmonitor.h"
#include "editors/lists/centrylisttransfer.h"
#include "editors/lists/monitorlistmodel.h"
#include "model/cselvantisdoc.h"

namespace {

constexpr uint32_t kDeleteEntryCommand = 33146;
// The monitor object is its own container: step -1 gives the step count.
constexpr EntryListKind kMonitorTransfer{DT_MONITOR, DT_MONITOR, -1, 0, 0, 0, 0, 0, 1};

}  // namespace

CMonitorDlgListView::CMonitorDlgListView(CSelvantisDoc* doc, QWidget* parent)
    : CMonitorListViewBase(doc, kDeleteEntryCommand, 0, parent) {}

void CMonitorDlgListView::FillList() {
  const CMonitor* monitor = MonitorListModel::Monitor(m_doc);
  FillRows(MonitorListModel::EntryTitles(), &MonitorListModel::EntryWidth,
           monitor ? MonitorListModel::EntryRows(*monitor) : std::vector<MonitorListModel::Row>{},
           MonitorListModel::kEntryImage);
}

void CMonitorDlgListView::EditCell(int row, int column) {
  ResetHover();
  if (row < 0 || row >= RowCount() || column != MonitorListModel::kText) return;
  const int number = MonitorListModel::NumberOf(CellText(row, MonitorListModel::kNumber));
  const std::optional<int> choice = Choose(MonitorListModel::kSelectEntry);
  if (!choice) return;
  if (CMonitor* monitor = MonitorListModel::Monitor(m_doc)) {
    MonitorListModel::SetEntryChoice(*monitor, number, *choice);
  }
  FillList();
}

void CMonitorDlgListView::NewEntry() {
  CMonitor* monitor = MonitorListModel::Monitor(m_doc);
  if (!monitor) return;
  const std::optional<int> choice = Choose(MonitorListModel::kSelectEntry);
  if (!choice) return;
  MonitorListModel::NewEntry(*monitor, *choice);
  FillList();
}

void CMonitorDlgListView::DeleteEntry() {
  const int row = FirstSelectedRow();
  CMonitor* monitor = MonitorListModel::Monitor(m_doc);
  if (row < 0 || !monitor) return;
  MonitorListModel::DeleteEntry(*monitor, MonitorListModel::NumberOf(CellText(row, MonitorListModel::kNumber)));
}

void CMonitorDlgListView::TransferMonitor(bool bUpload) {
  if (!m_doc) return;
  CEntryListTransfer transfer(*m_doc, kMonitorTransfer, m_link);
  transfer.TransferAll(bUpload, GetProgressHandler());
}
