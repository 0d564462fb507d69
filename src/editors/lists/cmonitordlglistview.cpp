#include "editors/lists/cmonitordlglistview.h"

#include "amps/cmonitor.h"
#include "editors/lists/centrylisttransfer.h"
#include "editors/lists/monitorlistmodel.h"
#include "model/cselvantisdoc.h"
#include "model/ui/cselectiondlg.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace {

constexpr int kDataRole = Qt::UserRole + 2;
constexpr uint32_t kDeleteEntryCommand = 33146;
// The monitor object is its own container: step -1 gives the step count.
constexpr EntryListKind kMonitorTransfer{DT_MONITOR, DT_MONITOR, -1, 0, 0, 0, 0, 0, 1};

}  // namespace

CMonitorDlgListView::CMonitorDlgListView(CSelvantisDoc* doc, QWidget* parent) : CEBListView(parent), m_doc(doc) {
  OnInitialUpdate(MonitorListModel::kColumnCount);
  connect(this, &QTreeWidget::itemSelectionChanged, this, &CMonitorDlgListView::OnSelectionChanged);
}

void CMonitorDlgListView::OnSelectionChanged() {
  const int row = FirstSelectedRow();
  if (row >= 0 && currentItem() == topLevelItem(row)) m_currentRow = row;
}

int CMonitorDlgListView::RowData(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item ? item->data(0, kDataRole).toInt() : 0;
}

void CMonitorDlgListView::FillList() {
  const QStringList titles = MonitorListModel::EntryTitles();
  for (int column = 0; column < MonitorListModel::kColumnCount; ++column) {
    SetColumn(column, titles.at(column), MonitorListModel::EntryWidth(column),
              column == MonitorListModel::kNumber ? Qt::AlignRight : Qt::AlignLeft);
  }
  const int current = m_currentRow;
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    if (const CMonitor* monitor = MonitorListModel::Monitor(m_doc)) {
      for (const MonitorListModel::Row& row : MonitorListModel::EntryRows(*monitor)) {
        const int index = AddRow(row.cells, nullptr, MonitorListModel::kEntryImage);
        topLevelItem(index)->setData(0, kDataRole, row.data);
      }
    }
  }
  // The current row may lie past the end after a delete.
  m_currentRow = RowCount() == 0 ? 0 : std::min(current, RowCount() - 1);
  if (RowCount() > 0) SelectRow(m_currentRow);
}

std::optional<int> CMonitorDlgListView::Choose(uint32_t kind) {
  if (m_chooser) return m_chooser(kind);
  CSelectionDlg dialog(this);
  dialog.SetKind(kind);
  if (m_doc) dialog.SetDocument(m_doc);
  if (dialog.DoModal() != QDialog::Accepted) return std::nullopt;
  return dialog.GetResult();
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

void CMonitorDlgListView::mouseDoubleClickEvent(QMouseEvent* event) {
  const ListCell cell = CellAt(event->position().toPoint());
  if (cell.row >= 0) EditCell(cell.row, cell.column);
  event->accept();
}

void CMonitorDlgListView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    emit command(kDeleteEntryCommand);
    event->accept();
    return;
  }
  CEBListView::keyPressEvent(event);
}

// Entries are not transferred one by one: no Device menu.
void CMonitorDlgListView::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }
