#include "editors/lists/cmonitorrelaislistview.h"

#include "amps/cmonitor.h"
#include "editors/lists/monitorlistmodel.h"
#include "model/cselvantisdoc.h"

namespace {
constexpr uint32_t kDeleteRelayCommand = 34478;
}  // namespace

CMonitorRelaisListView::CMonitorRelaisListView(CSelvantisDoc* doc, QWidget* parent)
    : CMonitorListViewBase(doc, kDeleteRelayCommand, -1, parent) {}

void CMonitorRelaisListView::FillList() {
  const CMonitor* monitor = MonitorListModel::Monitor(m_doc);
  FillRows(MonitorListModel::RelayTitles(), &MonitorListModel::RelayWidth,
           monitor ? MonitorListModel::RelayRows(*monitor) : std::vector<MonitorListModel::Row>{},
           MonitorListModel::kRelayImage);
}

void CMonitorRelaisListView::EditCell(int row, int column) {
  ResetHover();
  if (row < 0 || row >= RowCount() || column != MonitorListModel::kText) return;
  // The slot is the row's data: rows skip free slots, so the row index is not it.
  const int slot = RowData(row);
  const std::optional<int> padId = Choose(MonitorListModel::kSelectRelay);
  if (!padId) return;
  if (CMonitor* monitor = MonitorListModel::Monitor(m_doc)) MonitorListModel::SetRelay(*monitor, slot, *padId);
  emit changed();
}

void CMonitorRelaisListView::NewRelay() {
  CMonitor* monitor = MonitorListModel::Monitor(m_doc);
  if (!monitor) return;
  const std::optional<int> padId = Choose(MonitorListModel::kSelectRelay);
  if (!padId) return;
  MonitorListModel::NewRelay(*monitor, *padId);
}

void CMonitorRelaisListView::DeleteRelay() {
  const int row = FirstSelectedRow();
  CMonitor* monitor = MonitorListModel::Monitor(m_doc);
  if (row < 0 || !monitor) return;
  MonitorListModel::DeleteRelay(*monitor, RowData(row));
}
