#include "editors/lists/cholidaydlgview.h"

#include "editors/lists/calendarlistkinds.h"
#include "editors/lists/entrylistrules.h"
#include "editors/lists/holidaylistmodel.h"
#include "logic/choliday.h"
#include "model/cselvantisdoc.h"

#include <QSignalBlocker>

CHolidayDlgView::CHolidayDlgView(CSelvantisDoc* doc, QWidget* parent)
    : CCalendarListView(doc, calendarlists::kHoliday, parent) {
  OnInitialUpdate(HolidayListModel::kColumnCount);
}

CHoliday* CHolidayDlgView::HolidayAt(int row) const { return dynamic_cast<CHoliday*>(ObjectAt(row)); }

void CHolidayDlgView::FillList() {
  const QStringList titles = HolidayListModel::ColumnTitles();
  for (int column = 0; column < HolidayListModel::kColumnCount; ++column) {
    SetColumn(column, titles.at(column), HolidayListModel::ColumnWidth(column),
              HolidayListModel::ColumnAlignment(column));
  }
  const int current = GetCurrentID();
  {
    const QSignalBlocker block(this);
    DeleteAllRows();
    if (GetDocument()) {
      for (CHoliday* holiday : HolidayListModel::Holidays(*GetDocument())) {
        AddRow(HolidayListModel::RowTexts(*holiday), holiday, HolidayListModel::kImage);
      }
    }
  }
  SetCurrentID(current);
  const int row = EntryListRules::RowToSelect(RowIds(), current);
  if (row >= 0) SelectRow(row);
}

void CHolidayDlgView::NewHoliday() {
  if (!GetDocument()) return;
  if (CHoliday* holiday = HolidayListModel::NewHoliday(*GetDocument())) SetCurrentID(holiday->GetID());
}

void CHolidayDlgView::EditCell(int row, int column) {
  ResetHover();
  CHoliday* holiday = HolidayAt(row);
  if (!holiday) return;
  switch (HolidayListModel::EditOf(column)) {
    case HolidayListModel::Edit::Select: {
      const std::optional<int> value = Choose(HolidayListModel::SelectionKindOf(column), CellText(row, column));
      if (!value || HolidayAt(row) != holiday) return;
      HolidayListModel::ApplyChoice(*holiday, column, *value);
      FillList();
      break;
    }
    case HolidayListModel::Edit::Date:
      OpenPicker(row, column, CellDateTimeFormat::Kind::Date, HolidayListModel::PickerText(*holiday, column));
      break;
    case HolidayListModel::Edit::None: break;
  }
}

bool CHolidayDlgView::ApplyText(int row, int column, const QString& text) {
  CHoliday* holiday = HolidayAt(row);
  if (!holiday) return true;
  return HolidayListModel::ApplyText(*holiday, column, text) != HolidayListModel::Apply::RangeRefused;
}
