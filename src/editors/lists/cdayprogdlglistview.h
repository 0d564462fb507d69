#ifndef SELV_EDITORS_LISTS_CDAYPROGDLGLISTVIEW_H
#define SELV_EDITORS_LISTS_CDAYPROGDLGLISTVIEW_H

#include "editors/lists/ccalendarlistview.h"

#include <functional>

class CDayprog;

// The left list of the day-program editor: the project's day programs with
// their numbers of used entries. Selecting a day program makes it current
// and has the entry list refilled (through the handler the frame sets).
class CDayprogDlgListView final : public CCalendarListView {
  Q_OBJECT

 public:
  explicit CDayprogDlgListView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override { NewDayprog(); }

  void NewDayprog();
  void TransferAllDayprogs(bool bUpload) { TransferAll(bUpload); }
  // The day program with the current ID, or null.
  CDayprog* GetCurrentDayprog() const;

  // Runs after the current day program changed or the list was refilled.
  void SetCurrentChangedHandler(std::function<void()> handler) { m_currentChanged = std::move(handler); }

 protected:
  bool ApplyText(int row, int column, const QString& text) override;

 private:
  void OnSelectionChanged();

  std::function<void()> m_currentChanged;
  bool m_filling = false;
};

#endif
