#ifndef SELV_EDITORS_LISTS_CEBLISTVIEW_H
#define SELV_EDITORS_LISTS_CEBLISTVIEW_H

#include "editors/lists/listhovertracker.h"
#include "model/listtabexport.h"

#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QTreeWidget>

#include <cstdint>
#include <functional>
#include <vector>

class CBaseDevice;
class IFileChooser;
class QMenu;
class QPrinter;

// The report list every entry list is made of: single selection of whole
// rows, alternating row colours, the current entry (kept by identifier over
// refills), a dotted hover rectangle around the cell under the mouse (never
// in column 0), the keys E (export as tab-separated text) and P (print), and
// the context menu Device > Download / Upload for the selected entry. Rows
// point at model objects of the document; the view owns none of them and a
// refill replaces every row.
class CEBListView : public QTreeWidget {
  Q_OBJECT

 public:
  static constexpr int kDefaultColumnWidth = 150;
  static constexpr int kNormalImages = 134;
  static constexpr int kSmallImages = 136;
  static constexpr int kPrintImage = 34;
  static constexpr uint32_t kContextMenu = 294;

  explicit CEBListView(QWidget* parent = nullptr);
  ~CEBListView() override;

  // The list set-up: columns with empty titles, 150 pixels wide, column 1
  // right-aligned; no current entry, no hover rectangle.
  void OnInitialUpdate(int columnCount);
  // width grows to the title's width where the title needs more.
  void SetColumn(int column, const QString& title, int width, Qt::Alignment alignment);
  Qt::Alignment ColumnAlignment(int column) const;

  // Rows. object may be null; image -1: none.
  int AddRow(const QStringList& cells, CBaseDevice* object, int image = -1);
  void DeleteAllRows() { clear(); }
  int RowCount() const { return topLevelItemCount(); }
  QString CellText(int row, int column) const;
  CBaseDevice* ObjectAt(int row) const;
  int FirstSelectedRow() const;
  // Selects, focuses and shows row (nothing for a row out of range).
  void SelectRow(int row);
  // The identifiers of the rows' objects, 0 for rows without one.
  std::vector<int> RowIds() const;

  int GetCurrentID() const noexcept { return m_currentId; }
  void SetCurrentID(int id) { m_currentId = id; }
  const ListHoverTracker& Hover() const noexcept { return m_hover; }

  // Tab-separated export: the list as shown.
  ListTableText TableText() const;
  // False (and the user told) when the file cannot be written.
  bool ExportTabText(const QString& path);
  // Asks for the file name, then exports. chooser null: the system dialog.
  void OnExportList();
  void SetFileChooser(IFileChooser* chooser) { m_chooser = chooser; }

  // Asks for a printer and prints; false when cancelled or failed.
  bool PrintList();
  // Prints every page on printer (used by PrintList and the tests); false
  // when the printer cannot be painted on or the list is not a report.
  bool PrintTo(QPrinter& printer);
  // Pages the print-out needs on printer.
  int PrintPageCount(QPrinter& printer) const;

  // The popup Device > Download / Upload, greyed while not connected. The
  // caller owns the menu.
  QMenu* CreateContextMenu();

  // The entry-list operations the frame calls; nothing by default.
  virtual void FillList() {}
  virtual void NewEntry() {}
  virtual void TransferAll(bool bUpload) { (void)bUpload; }
  // A list whose rows are not one per entry deletes the selected entry
  // itself and sets the current ID; false: the frame's row-wise delete.
  virtual bool DeleteSelectedByView() { return false; }
  // Where a whole-list transfer reports its progress (the frame's status
  // bar); total 0 ends it.
  using ProgressHandler = std::function<void(int done, int total)>;
  void SetProgressHandler(ProgressHandler handler) { m_progressHandler = std::move(handler); }
  const ProgressHandler& GetProgressHandler() const noexcept { return m_progressHandler; }
  // Device > Download (33179) and Device > Upload (33180) of the selected
  // entry.
  virtual void OnDeviceCommand(uint32_t id) { (void)id; }

  // Row editing, for lists that turn it on (EnableRowEditing): a click on
  // the row already selected (once the double-click time has passed without
  // a second click) and F2 begin a label edit, a double click edits the
  // cell, Delete runs the list's delete command.
  // Opens the label edit of row at column; false when refused.
  virtual bool BeginLabelEdit(int row, int column) {
    (void)row, (void)column;
    return false;
  }
  // The double click on a cell, in lists that take their cells' double
  // clicks (EnableRowEditing, EnableCellDoubleClick); the hover rectangle
  // is gone by then.
  virtual void EditCell(int row, int column) { (void)row, (void)column; }
  // The frame command the Delete key runs; 0: none.
  virtual uint32_t DeleteCommand() const { return 0; }
  // A click asked for a label edit that waits for the double-click time.
  bool IsRenamePending() const { return m_renameTimer.isActive(); }

  // Colour of the row background (odd rows tinted).
  static QColor RowColour(int row);
  // Image index of the lists' small image strip (null for -1).
  static QPixmap SmallImage(int index);
  // Rectangle of a cell in viewport coordinates.
  QRect CellRect(int row, int column) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  // Every list's double click: lists decide what a cell does in EditCell,
  // never here, so that no list can leave a label edit pending after it.
  void mouseDoubleClickEvent(QMouseEvent* event) final;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

  void EnableRowEditing() { m_rowEditing = m_cellDoubleClick = true; }
  // A double click on a cell runs EditCell, without the rest of row
  // editing. Lists with neither get the tree widget's own double click.
  void EnableCellDoubleClick() { m_cellDoubleClick = true; }
  // The Delete key of a list with row editing: the enclosing frame runs
  // DeleteCommand().
  virtual void OnDeleteKey();

  // Takes the hover rectangle away before an edit.
  void ResetHover();
  // The cell at pos (viewport coordinates); row -1 for none.
  ListCell CellAt(const QPoint& pos) const;

 private:
  void OnListItemChanged();
  void OnRenameTimer();
  void UpdateCell(const ListCell& cell);
  QString PrintDocumentName() const;

  int m_currentId = 0;
  ListHoverTracker m_hover;
  IFileChooser* m_chooser = nullptr;
  ProgressHandler m_progressHandler;
  bool m_rowEditing = false;
  bool m_cellDoubleClick = false;
  bool m_pressedOnSelected = false;
  // The label edit a click asked for, waiting for the double-click time.
  QTimer m_renameTimer;
  ListCell m_renameCell;
};

#endif
