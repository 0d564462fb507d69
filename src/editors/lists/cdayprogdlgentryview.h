#ifndef SELV_EDITORS_LISTS_CDAYPROGDLGENTRYVIEW_H
#define SELV_EDITORS_LISTS_CDAYPROGDLGENTRYVIEW_H

#include "editors/lists/ccalendarlistview.h"

#include <functional>
#include <vector>

class CDayprog;

// The right list of the day-program editor: the used entries of the
// current day program, each with its number, time and macro. The time is
// set with a picker (or typed over the selected entry's time), the macro
// chosen from a selection. The selected row's
// index is kept over refills (also when the day program changes).
class CDayprogDlgEntryView final : public CCalendarListView {
  Q_OBJECT

 public:
  using DayprogSource = std::function<CDayprog*()>;

  // source gives the current day program (null: none).
  CDayprogDlgEntryView(CSelvantisDoc* doc, DayprogSource source, QWidget* parent = nullptr);

  void FillList() override;
  void EditCell(int row, int column) override;
  // A click on the selected entry's time or macro opens the label edit;
  // only a time typed there is taken.
  bool BeginLabelEdit(int row, int column) override;

  // The first free entry of the current day program gets midnight.
  void NewEntry() override;
  // Frees the entry of the first selected row.
  void DeleteEntry();

  // The entry number of row, 0 for none.
  int EntryNumberAt(int row) const;
  int RememberedRow() const noexcept { return m_selectedRow; }

 protected:
  bool CanEditLabel(int row, int column) const override;
  bool ApplyText(int row, int column, const QString& text) override;
  bool HasContextMenu() const override { return false; }

 private:
  void OnSelectionChanged();

  CDayprog* Current() const { return m_source ? m_source() : nullptr; }

  DayprogSource m_source;
  std::vector<int> m_numbers;
  // The entry an open time editor edits (the rows may be refilled under it).
  int m_editDayprogId = 0;
  int m_editNumber = 0;
  int m_selectedRow = 0;
  bool m_filling = false;
};

#endif
