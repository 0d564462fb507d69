#include "editors/lists/cmonitorrelaislistview.h"

#include "amps/cmonitor.h"
#include "editors/lists/monitorlistmodel.h"
#include "model/cselvantisdoc.h"
#include "model/ui/cselectiondlg.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace {

constexpr int kDataRole = Qt::UserRole + 2;
constexpr uint32_t kDeleteRelayCommand = 34478;

}  // namespace

CMonitorRelaisListView::CMonitorRelaisListView(CSelvantisDoc* doc, QWidget* parent)
    : CEBListView(parent), m_doc(doc) {
  OnInitialUpdate(MonitorListModel::kColumnCount);
  connect(this, &QTreeWidget::itemSelectionChanged, this, &CMonitorRelaisListView::OnSelectionChanged);
}

void CMonitorRelaisListView::OnSelectionChanged() {
  const int row = FirstSelectedRow();
  if (row >= 0 && currentItem() == topLevelItem(row)) m_currentRow = row;
}

int CMonitorRelaisListView::RowData(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item ? item->data(0, kDataRole).toInt() : -1;
}

void CMonitorRelaisListView::FillList() {
  const QStringList titles = MonitorListModel::RelayTitles();
  for (int column = 0; column < MonitorListModel::kColumnCount; ++column) {
    SetColumn(column, titles.at(column), MonitorListModel::RelayWidth(column),
              column == MonitorListModel::kNumber ? Qt::AlignRight : Qt::AlignLeft);
  }
  const int current = m_currentRow;
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    if (const CMonitor* monitor = MonitorListModel::Monitor(m_doc)) {
      for (const MonitorListModel::Row& row : MonitorListModel::RelayRows(*monitor)) {
        const int index = AddRow(row.cells, nullptr, MonitorListModel::kRelayImage);
        topLevelItem(index)->setData(0, kDataRole, row.data);
      }
    }
  }
  m_currentRow = RowCount() == 0 ? 0 : std::min(current, RowCount() - 1);
  if (RowCount() > 0) SelectRow(m_currentRow);
}

std::optional<int> CMonitorRelaisListView::Choose(uint32_t kind) {
  if (m_chooser) return m_chooser(kind);
  CSelectionDlg dialog(this);
  dialog.SetKind(kind);
  if (m_doc) dialog.SetDocument(m_doc);
  if (dialog.DoModal() != QDialog::Accepted) return std::nullopt;
  return dialog.GetResult();
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

void CMonitorRelaisListView::mouseDoubleClickEvent(QMouseEvent* event) {
  const ListCell cell = CellAt(event->position().toPoint());
  if (cell.row >= 0) EditCell(cell.row, cell.column);
  event->accept();
}

void CMonitorRelaisListView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    emit command(kDeleteRelayCommand);
    event->accept();
    return;
  }
  CEBListView::keyPressEvent(event);
}

void CMonitorRelaisListView::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }
