#ifndef SELV_EDITORS_LISTS_CMONITORLISTVIEWBASE_H
#define SELV_EDITORS_LISTS_CMONITORLISTVIEWBASE_H

#include "editors/lists/ceblistview.h"
#include "editors/lists/monitorlistmodel.h"

#include <QStringList>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class CSelvantisDoc;

// What the monitor's two tables (entries and relay slots) share: rows
// computed from the project's monitor at every fill, the current row kept
// across refills, a double click that edits a cell, the Delete key asking
// the frame for the table's delete command, and no context menu (nothing
// is transferred row by row).
class CMonitorListViewBase : public CEBListView {
  Q_OBJECT

 public:
  // Asks for a choice of a selection kind; nothing when cancelled.
  using Chooser = std::function<std::optional<int>(uint32_t kind)>;

  // The double click on a cell.
  void EditCell(int row, int column) override = 0;
  // The row's data (entry choice code or slot), or the table's value for
  // "no row".
  int RowData(int row) const;
  int GetCurrentRow() const noexcept { return m_currentRow; }

  void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }

 signals:
  // A frame command the view asks for (the Delete key).
  void command(uint32_t id);

 protected:
  CMonitorListViewBase(CSelvantisDoc* doc, uint32_t deleteCommand, int noRowData, QWidget* parent);

  // Sets the columns and refills from rows, keeping the current row (which
  // may lie past the end after a delete).
  void FillRows(const QStringList& titles, int (*width)(int), const std::vector<MonitorListModel::Row>& rows,
                int image);
  std::optional<int> Choose(uint32_t kind);

  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

  CSelvantisDoc* m_doc;

 private:
  void OnSelectionChanged();

  uint32_t m_deleteCommand;
  int m_noRowData;
  Chooser m_chooser;
  int m_currentRow = 0;
};

#endif
