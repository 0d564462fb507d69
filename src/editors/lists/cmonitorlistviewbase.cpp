#include "editors/lists/cmonitorlistviewbase.h"

#include "model/cselvantisdoc.h"
#include "model/ui/cselectiondlg.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QSignalBlocker>

namespace {
constexpr int kDataRole = Qt::UserRole + 2;
}  // namespace

CMonitorListViewBase::CMonitorListViewBase(CSelvantisDoc* doc, uint32_t deleteCommand, int noRowData, QWidget* parent)
    : CEBListView(parent), m_doc(doc), m_deleteCommand(deleteCommand), m_noRowData(noRowData) {
  OnInitialUpdate(MonitorListModel::kColumnCount);
  EnableCellDoubleClick();
  connect(this, &QTreeWidget::itemSelectionChanged, this, &CMonitorListViewBase::OnSelectionChanged);
}

void CMonitorListViewBase::OnSelectionChanged() {
  const int row = FirstSelectedRow();
  if (row >= 0 && currentItem() == topLevelItem(row)) m_currentRow = row;
}

int CMonitorListViewBase::RowData(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item ? item->data(0, kDataRole).toInt() : m_noRowData;
}

void CMonitorListViewBase::FillRows(const QStringList& titles, int (*width)(int),
                                    const std::vector<MonitorListModel::Row>& rows, int image) {
  for (int column = 0; column < MonitorListModel::kColumnCount; ++column) {
    SetColumn(column, titles.at(column), width(column),
              column == MonitorListModel::kNumber ? Qt::AlignRight : Qt::AlignLeft);
  }
  const int current = m_currentRow;
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    for (const MonitorListModel::Row& row : rows) {
      const int index = AddRow(row.cells, nullptr, image);
      topLevelItem(index)->setData(0, kDataRole, row.data);
    }
  }
  // After the last row was deleted the current row lies past the end and
  // nothing is selected, so a second Delete cannot take the row before it.
  m_currentRow = current;
  if (m_currentRow < RowCount()) SelectRow(m_currentRow);
}

std::optional<int> CMonitorListViewBase::Choose(uint32_t kind) {
  if (m_chooser) return m_chooser(kind);
  CSelectionDlg dialog(this);
  dialog.SetKind(kind);
  if (m_doc) dialog.SetDocument(m_doc);
  if (dialog.DoModal() != QDialog::Accepted) return std::nullopt;
  return dialog.GetResult();
}

void CMonitorListViewBase::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    emit command(m_deleteCommand);
    event->accept();
    return;
  }
  CEBListView::keyPressEvent(event);
}

void CMonitorListViewBase::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }
