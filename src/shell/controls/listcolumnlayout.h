#ifndef SELV_SHELL_CONTROLS_LISTCOLUMNLAYOUT_H
#define SELV_SHELL_CONTROLS_LISTCOLUMNLAYOUT_H

#include <QString>

#include <vector>

// The editor a list column opens for a cell.
enum class ListEditorKind : int {
  Text = 0,  // in-place line edit
  Date = 1,  // in-place date picker
  Time = 2,  // in-place time picker
  None = 3,  // not edited in place
};

// The columns of an editable report list: each column's width is a share of
// the list's client width, so the columns follow the list when it is resized.
class ListColumnLayout final {
 public:
  struct Column {
    QString title;
    int percent = 0;
    ListEditorKind editor = ListEditorKind::Text;
  };

  // Returns the column's index. Percentages are kept within 0..100.
  int AddColumn(const QString& title, int percent, ListEditorKind editor = ListEditorKind::Text);
  void SetPercent(int column, int percent);
  void SetEditor(int column, ListEditorKind editor);
  void Clear() { m_columns.clear(); }

  int Count() const noexcept { return static_cast<int>(m_columns.size()); }
  // Null for a column that does not exist.
  const Column* At(int column) const;
  // Text for a column that does not exist: nothing is edited there.
  ListEditorKind EditorOf(int column) const;

  // Pixel widths for a client width. Each column gets its share rounded
  // down; when the shares add up to 100 the last column takes the pixels
  // lost to rounding so that the columns fill the list exactly.
  std::vector<int> Widths(int clientWidth) const;
  // The share that a column resized by the user to width now has.
  static int PercentOf(int width, int clientWidth);

 private:
  std::vector<Column> m_columns;
};

#endif
