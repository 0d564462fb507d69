#ifndef SELV_EDITORS_LISTS_CMONITORRELAISLISTVIEW_H
#define SELV_EDITORS_LISTS_CMONITORRELAISLISTVIEW_H

#include "editors/lists/ceblistview.h"

#include <functional>
#include <optional>

class CSelvantisDoc;

// The monitor's relay slots: one row per slot holding a relay, the slot
// number and the KCM209 relay output it holds. A double click on the relay
// (or New) chooses a KCM209 output.
class CMonitorRelaisListView final : public CEBListView {
  Q_OBJECT

 public:
  using Chooser = std::function<std::optional<int>(uint32_t kind)>;

  explicit CMonitorRelaisListView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewRelay();
  void DeleteRelay();
  void EditCell(int row, int column);
  // Row data: the slot index.
  int RowData(int row) const;
  int GetCurrentRow() const noexcept { return m_currentRow; }

  void SetChooser(Chooser chooser) { m_chooser = std::move(chooser); }

 signals:
  // The monitor changed: both lists refill.
  void changed();
  // A frame command the view asks for (the Delete key).
  void command(uint32_t id);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  std::optional<int> Choose(uint32_t kind);
  void OnSelectionChanged();

  CSelvantisDoc* m_doc;
  Chooser m_chooser;
  int m_currentRow = 0;
};

#endif
