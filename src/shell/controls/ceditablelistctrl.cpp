#include "shell/controls/ceditablelistctrl.h"

#include "shell/controls/celldatetimeformat.h"
#include "shell/controls/cinplacedatetimectrl.h"
#include "shell/controls/cinplaceedit.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QTreeWidgetItem>

#include <algorithm>

CEditableListCtrl::CEditableListCtrl(QWidget* parent) : QTreeWidget(parent) {
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setColumnCount(0);
  header()->setStretchLastSection(false);
  setMouseTracking(true);
  // sectionResized also fires for our own resizing; OnSectionResized tells
  // them apart.
  connect(header(), &QHeaderView::sectionResized, this, &CEditableListCtrl::OnSectionResized);
}

CEditableListCtrl::~CEditableListCtrl() {
  if (QWidget* editor = m_editor.data()) {
    editor->disconnect(this);
    delete editor;
  }
}

int CEditableListCtrl::InsertColumn(const QString& title, int percent, ListEditorKind editor, Qt::Alignment alignment) {
  const int column = m_columns.AddColumn(title, percent, editor);
  setColumnCount(m_columns.Count());
  QTreeWidgetItem* head = headerItem();
  head->setText(column, title);
  head->setData(column, Qt::UserRole, static_cast<int>(alignment));
  head->setTextAlignment(column, alignment | Qt::AlignVCenter);
  ApplyColumnWidths();
  return column;
}

void CEditableListCtrl::SetColumnPercent(int column, int percent) {
  m_columns.SetPercent(column, percent);
  ApplyColumnWidths();
}

void CEditableListCtrl::SetColumnEditor(int column, ListEditorKind editor) { m_columns.SetEditor(column, editor); }

int CEditableListCtrl::GetClientWidth() const { return viewport()->width(); }

void CEditableListCtrl::ApplyColumnWidths() {
  const std::vector<int> widths = m_columns.Widths(GetClientWidth());
  m_applyingWidths = true;
  for (int c = 0; c < static_cast<int>(widths.size()); ++c) {
    setColumnWidth(c, widths[c]);
  }
  m_applyingWidths = false;
}

void CEditableListCtrl::OnSectionResized(int column, int /*oldSize*/, int newSize) {
  if (m_applyingWidths) {
    return;
  }
  // The user dragged a column edge: its share follows so the next resize of
  // the list keeps the proportions the user chose.
  m_columns.SetPercent(column, ListColumnLayout::PercentOf(newSize, GetClientWidth()));
}

void CEditableListCtrl::resizeEvent(QResizeEvent* event) {
  QTreeWidget::resizeEvent(event);
  ApplyColumnWidths();
}

int CEditableListCtrl::InsertItem(int row, const QString& text) {
  row = std::clamp(row, 0, topLevelItemCount());
  auto* item = new QTreeWidgetItem();
  item->setText(0, text);
  for (int c = 0; c < m_columns.Count(); ++c) {
    item->setTextAlignment(c, Qt::Alignment(headerItem()->data(c, Qt::UserRole).toInt()) | Qt::AlignVCenter);
  }
  insertTopLevelItem(row, item);
  return row;
}

int CEditableListCtrl::AppendItem(const QStringList& texts) {
  const int row = InsertItem(topLevelItemCount(), texts.value(0));
  for (int c = 1; c < texts.size(); ++c) {
    SetItemText(row, c, texts.at(c));
  }
  return row;
}

bool CEditableListCtrl::SetItemText(int row, int column, const QString& text) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (!item || column < 0 || column >= columnCount()) {
    return false;
  }
  item->setText(column, text);
  return true;
}

QString CEditableListCtrl::GetItemText(int row, int column) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item && column >= 0 && column < columnCount() ? item->text(column) : QString();
}

bool CEditableListCtrl::SetItemData(int row, qint64 data) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (!item) {
    return false;
  }
  item->setData(0, kItemDataRole, data);
  return true;
}

qint64 CEditableListCtrl::GetItemData(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return item ? item->data(0, kItemDataRole).toLongLong() : 0;
}

bool CEditableListCtrl::DeleteItem(int row) {
  QTreeWidgetItem* item = topLevelItem(row);
  if (!item) {
    return false;
  }
  delete item;
  return true;
}

void CEditableListCtrl::DeleteAllItems() { clear(); }

void CEditableListCtrl::SelectRow(int row, bool select) {
  if (QTreeWidgetItem* item = topLevelItem(row)) {
    item->setSelected(select);
  }
}

int CEditableListCtrl::RowOf(const QTreeWidgetItem* item) const {
  return item ? indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(item)) : -1;
}

int CEditableListCtrl::GetSelectedItems(std::vector<int>* out) const {
  int count = 0;
  for (int row = 0; row < topLevelItemCount(); ++row) {
    if (topLevelItem(row)->isSelected()) {
      if (out) {
        out->push_back(row);
      }
      ++count;
    }
  }
  return count;
}

QRect CEditableListCtrl::CellRect(int row, int column) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  if (!item) {
    return QRect();
  }
  return visualRect(indexFromItem(item, column));
}

QWidget* CEditableListCtrl::EditCell(int row, int column) {
  if (m_editor || !topLevelItem(row) || column < 0 || column >= m_columns.Count()) {
    return nullptr;
  }
  const ListEditorKind kind = m_columns.EditorOf(column);
  if (kind == ListEditorKind::None) {
    return nullptr;
  }
  scrollToItem(topLevelItem(row));
  const QRect rect = CellRect(row, column);
  const QString text = GetItemText(row, column);
  if (kind == ListEditorKind::Text) {
    auto* edit = new CInPlaceEdit(row, column, text, viewport(), rect);
    connect(edit, &CInPlaceEdit::endEdit, this, &CEditableListCtrl::endLabelEdit);
    m_editor = edit;
  } else {
    const auto dtKind = kind == ListEditorKind::Date ? CellDateTimeFormat::Kind::Date : CellDateTimeFormat::Kind::Time;
    // Pickers need a little more height than a row gives them.
    auto* picker = new CInPlaceDateTimeCtrl(row, column, text, dtKind, viewport(), rect.adjusted(0, 0, 0, 5));
    connect(picker, &CInPlaceDateTimeCtrl::endEdit, this, &CEditableListCtrl::endLabelEdit);
    m_editor = picker;
  }
  return m_editor.data();
}

void CEditableListCtrl::ClearDragCursor() {
  m_dragCursor.reset();
  viewport()->unsetCursor();
}

bool CEditableListCtrl::WantsDragCursorAt(int row) const {
  const QTreeWidgetItem* item = topLevelItem(row);
  return m_dragCursor.has_value() && item && item->isSelected();
}

void CEditableListCtrl::mouseMoveEvent(QMouseEvent* event) {
  QTreeWidget::mouseMoveEvent(event);
  if (!m_dragCursor) {
    return;
  }
  const int row = RowOf(itemAt(event->position().toPoint()));
  if (WantsDragCursorAt(row)) {
    viewport()->setCursor(*m_dragCursor);
  } else {
    viewport()->unsetCursor();
  }
}

void CEditableListCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  QTreeWidget::mouseDoubleClickEvent(event);
  if (!index.isValid()) {
    return;
  }
  const int row = index.row();
  const int column = index.column();
  emit cellDoubleClicked(row, column);
  if (m_labelEditing) {
    EditCell(row, column);
  }
}
