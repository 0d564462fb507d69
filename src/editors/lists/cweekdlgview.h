#ifndef SELV_EDITORS_LISTS_CWEEKDLGVIEW_H
#define SELV_EDITORS_LISTS_CWEEKDLGVIEW_H

#include "editors/lists/ccalendarlistview.h"

class CWeek;

// The week program as seven rows, Monday to Sunday, with the day program
// of each day. A double click on the day program chooses another; the
// weekday names are fixed. The selected row is kept over refills.
class CWeekDlgView final : public CCalendarListView {
  Q_OBJECT

 public:
  explicit CWeekDlgView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void EditCell(int row, int column) override;
  void TransferWeek(bool bUpload) { TransferAll(bUpload); }

  int RememberedRow() const noexcept { return m_selectedRow; }

 protected:
  bool CanEditLabel(int row, int column) const override;
  bool HasContextMenu() const override { return false; }

 private:
  CWeek* Week() const;
  void OnSelectionChanged();

  int m_selectedRow = 0;
  bool m_filling = false;
};

#endif
