#ifndef SELV_EDITORS_LISTS_CMEMOFLAGLISTVIEW_H
#define SELV_EDITORS_LISTS_CMEMOFLAGLISTVIEW_H

#include "editors/lists/clogicentrylistview.h"

class CMemoFlag;
class CSelvantisDoc;

// The list of the project's memo flags: name (label edit), ID (typed in
// place) and, while the unit is connected and the poll runs, each flag's
// state as the unit reports it every 1.5 seconds.
class CMemoFlagListView final : public CLogicEntryListView {
  Q_OBJECT

 public:
  static constexpr uint32_t kKindString = 34130;

  explicit CMemoFlagListView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override { NewMemoFlag(); }
  void NewMemoFlag();

  void EditCell(int row, int column) override;
  void OnEndLabelEdit(int row, int column, const QString& text, bool cancelled) override;
  // One query of the flags' states; the state column shows the answer.
  void PollStatus() override;

 protected:
  // Memo flags have nothing to download: no Device menu.
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  CMemoFlag* MemoFlagAt(int row) const;
};

#endif
