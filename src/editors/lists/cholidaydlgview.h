#ifndef SELV_EDITORS_LISTS_CHOLIDAYDLGVIEW_H
#define SELV_EDITORS_LISTS_CHOLIDAYDLGVIEW_H

#include "editors/lists/ccalendarlistview.h"

class CHoliday;

// The list of the project's holiday programs: name, ID, function, date, the
// end of a time range and the day program. Every edit refills the list,
// except a refused time range, which leaves it as it is.
class CHolidayDlgView final : public CCalendarListView {
  Q_OBJECT

 public:
  explicit CHolidayDlgView(CSelvantisDoc* doc, QWidget* parent = nullptr);

  void FillList() override;
  void NewEntry() override { NewHoliday(); }
  void EditCell(int row, int column) override;

  void NewHoliday();
  void TransferAllHolidays(bool bUpload) { TransferAll(bUpload); }

 protected:
  bool ApplyText(int row, int column, const QString& text) override;

 private:
  CHoliday* HolidayAt(int row) const;
};

#endif
