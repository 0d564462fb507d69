#ifndef SELV_SHELL_CONTROLS_CEDITABLELISTCTRL_H
#define SELV_SHELL_CONTROLS_CEDITABLELISTCTRL_H

#include "shell/controls/listcolumnlayout.h"

#include <QCursor>
#include <QPointer>
#include <QTreeWidget>

#include <optional>
#include <vector>

class QTreeWidgetItem;

// A report list whose columns take shares of its width and whose cells are
// edited in place, each column with its own kind of editor. The end of an
// edit is reported through endLabelEdit; the owner decides whether to take
// the text (the list itself changes nothing).
class CEditableListCtrl : public QTreeWidget {
  Q_OBJECT

 public:
  static constexpr int kItemDataRole = Qt::UserRole + 1;

  explicit CEditableListCtrl(QWidget* parent = nullptr);
  // An edit still open is dropped without a report: nobody is left to take it.
  ~CEditableListCtrl() override;

  // Columns.
  int InsertColumn(const QString& title, int percent, ListEditorKind editor = ListEditorKind::Text,
                   Qt::Alignment alignment = Qt::AlignLeft);
  void SetColumnPercent(int column, int percent);
  void SetColumnEditor(int column, ListEditorKind editor);
  const ListColumnLayout& Columns() const noexcept { return m_columns; }
  int GetClientWidth() const;

  // Rows.
  int InsertItem(int row, const QString& text);
  int AppendItem(const QStringList& texts);
  bool SetItemText(int row, int column, const QString& text);
  QString GetItemText(int row, int column) const;
  bool SetItemData(int row, qint64 data);
  qint64 GetItemData(int row) const;
  int GetItemCount() const { return topLevelItemCount(); }
  bool DeleteItem(int row);
  void DeleteAllItems();
  void SelectRow(int row, bool select = true);
  int RowOf(const QTreeWidgetItem* item) const;

  // Appends the indexes of the selected rows in row order; returns how many
  // rows are selected.
  int GetSelectedItems(std::vector<int>* out) const;

  // Double-clicking a cell opens its column's editor.
  void SetLabelEditing(bool enabled) { m_labelEditing = enabled; }
  // Opens the editor of the cell's column over the cell; null when the cell
  // does not exist, its column is not edited or another edit is open.
  QWidget* EditCell(int row, int column);
  // The open in-place editor, or null.
  QWidget* CurrentEditor() const { return m_editor.data(); }

  // The cursor shown while the mouse is over a selected row (the rows can be
  // dragged from there); nothing when unset.
  void SetDragCursor(const QCursor& cursor) { m_dragCursor = cursor; }
  void ClearDragCursor();
  // Whether the drag cursor is due over row.
  bool WantsDragCursorAt(int row) const;

  // Applies the column shares to the current width.
  void ApplyColumnWidths();

 signals:
  void endLabelEdit(int row, int column, const QString& text, bool cancelled);
  void cellDoubleClicked(int row, int column);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void OnSectionResized(int column, int oldSize, int newSize);
  QRect CellRect(int row, int column) const;

  ListColumnLayout m_columns;
  bool m_labelEditing = false;
  bool m_applyingWidths = false;
  std::optional<QCursor> m_dragCursor;
  QPointer<QWidget> m_editor;
};

#endif
